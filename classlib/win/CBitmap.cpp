#include "classlib/win/CBitmap.h"
#include "classlib/win/CDC.h"
#include "classlib/win/ResourceLookup.h"

IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)

BOOL CBitmap::LoadBitmap(LPCTSTR lpszResourceName)
{
    HINSTANCE hInst = AfxGdiFindResourceHandle(lpszResourceName, RT_BITMAP);
    return Attach(::LoadBitmap(hInst, lpszResourceName));
}

BOOL CBitmap::LoadOEMBitmap(UINT nIDBitmap)
{
    return Attach(::LoadBitmap(nullptr, MAKEINTRESOURCE(nIDBitmap)));
}

BOOL CBitmap::LoadMappedBitmap(UINT nIDBitmap, UINT nFlags, LPCOLORMAP lpColorMap, int nMapSize)
{
    HINSTANCE hInst = AfxGdiFindResourceHandle(MAKEINTRESOURCE(nIDBitmap), RT_BITMAP);
    return Attach(::CreateMappedBitmap(hInst, nIDBitmap, nFlags, lpColorMap, nMapSize));
}

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits)
{
    return Attach(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
}

BOOL CBitmap::CreateBitmapIndirect(LPBITMAP lpBitmap)
{
    return Attach(::CreateBitmapIndirect(lpBitmap));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    if (pDC == nullptr || pDC->m_hDC == nullptr)
        return FALSE;
    return Attach(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}

BOOL CBitmap::CreateDiscardableBitmap(CDC* pDC, int nWidth, int nHeight)
{
    if (pDC == nullptr || pDC->m_hDC == nullptr)
        return FALSE;
    return Attach(::CreateDiscardableBitmap(pDC->m_hDC, nWidth, nHeight));
}

DWORD CBitmap::SetBitmapBits(DWORD dwCount, const void* lpBits)
{
    return m_hObject ? ::SetBitmapBits((HBITMAP)m_hObject, dwCount, lpBits) : 0;
}

DWORD CBitmap::GetBitmapBits(DWORD dwCount, LPVOID lpBits) const
{
    return m_hObject ? ::GetBitmapBits((HBITMAP)m_hObject, dwCount, lpBits) : 0;
}

CSize CBitmap::SetBitmapDimension(int nWidth, int nHeight)
{
    SIZE size = {0, 0};
    if (m_hObject)
        ::SetBitmapDimensionEx((HBITMAP)m_hObject, nWidth, nHeight, &size);
    return size;
}

CSize CBitmap::GetBitmapDimension() const
{
    SIZE size = {0, 0};
    if (m_hObject)
        ::GetBitmapDimensionEx((HBITMAP)m_hObject, &size);
    return size;
}
