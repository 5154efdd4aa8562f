#include "classlib/win/CImageList.h"
#include "classlib/win/CBitmap.h"
#include "classlib/win/CDC.h"
#include "classlib/win/CWnd.h"
#include "classlib/win/GdiHandleTable.h"
#include "classlib/win/ResourceLookup.h"

IMPLEMENT_DYNAMIC(CImageList, CObject)

namespace {

CImageList* Wrap(HIMAGELIST h)
{
    CImageList* p = new CImageList;
    p->m_hImageList = h;
    return p;
}

void Unwrap(CImageList* p)
{
    p->m_hImageList = nullptr;
}

CGdiHandleTable<CImageList, HIMAGELIST>* MakeTable()
{
    return new CGdiHandleTable<CImageList, HIMAGELIST>(Wrap, Unwrap);
}

CGdiHandleTable<CImageList, HIMAGELIST>& Table()
{
    static CGdiThreadSlot<CGdiHandleTable<CImageList, HIMAGELIST>> slot;
    return slot.Get(MakeTable);
}

} // namespace

CImageList::CImageList() : m_hImageList(nullptr) {}

CImageList::~CImageList()
{
    DeleteImageList();
}

CImageList::operator HIMAGELIST() const
{
    return this == nullptr ? nullptr : m_hImageList;
}

HIMAGELIST CImageList::GetSafeHandle() const
{
    return this == nullptr ? nullptr : m_hImageList;
}

CImageList* PASCAL CImageList::FromHandle(HIMAGELIST hImageList)
{
    return Table().FromHandle(hImageList);
}

CImageList* PASCAL CImageList::FromHandlePermanent(HIMAGELIST hImageList)
{
    return Table().LookupPermanent(hImageList);
}

void PASCAL CImageList::DeleteTempMap()
{
    Table().DeleteTemp();
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    if (hImageList == nullptr)
        return FALSE;
    if (m_hImageList != nullptr && m_hImageList != hImageList)
        DeleteImageList();
    m_hImageList = hImageList;
    Table().SetPermanent(hImageList, this);
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    HIMAGELIST h = m_hImageList;
    if (h != nullptr && Table().LookupPermanent(h) == this)
        Table().RemoveHandle(h);
    m_hImageList = nullptr;
    return h;
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    return Create(MAKEINTRESOURCE(nBitmapID), cx, nGrow, crMask);
}

BOOL CImageList::Create(LPCTSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask)
{
    HINSTANCE hInst = AfxGdiFindResourceHandle(lpszBitmapID, RT_BITMAP);
    return Attach(ImageList_LoadImage(hInst, lpszBitmapID, cx, nGrow, crMask, IMAGE_BITMAP, LR_CREATEDIBSECTION));
}

BOOL CImageList::Create(CImageList& imagelist1, int nImage1, CImageList& imagelist2, int nImage2, int dx, int dy)
{
    return Attach(ImageList_Merge(imagelist1.m_hImageList, nImage1, imagelist2.m_hImageList, nImage2, dx, dy));
}

BOOL CImageList::Create(CImageList* pImageList)
{
    HIMAGELIST hSource = pImageList->GetSafeHandle();
    return hSource ? Attach(ImageList_Duplicate(hSource)) : FALSE;
}

BOOL CImageList::DeleteImageList()
{
    if (m_hImageList == nullptr)
        return FALSE;
    return ImageList_Destroy(Detach());
}

int CImageList::GetImageCount() const { return m_hImageList ? ImageList_GetImageCount(m_hImageList) : 0; }
BOOL CImageList::SetImageCount(UINT uNewCount) { return m_hImageList ? ImageList_SetImageCount(m_hImageList, uNewCount) : FALSE; }
COLORREF CImageList::SetBkColor(COLORREF cr) { return m_hImageList ? ImageList_SetBkColor(m_hImageList, cr) : CLR_NONE; }
COLORREF CImageList::GetBkColor() const { return m_hImageList ? ImageList_GetBkColor(m_hImageList) : CLR_NONE; }

BOOL CImageList::GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const
{
    return m_hImageList ? ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo) : FALSE;
}

BOOL CImageList::GetIconSize(int* cx, int* cy) const
{
    return m_hImageList ? ImageList_GetIconSize(m_hImageList, cx, cy) : FALSE;
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask)
{
    if (m_hImageList == nullptr || pbmImage->GetSafeHandle() == nullptr)
        return -1;
    return ImageList_Add(m_hImageList, (HBITMAP)pbmImage->GetSafeHandle(), (HBITMAP)pbmMask->GetSafeHandle());
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    if (m_hImageList == nullptr || pbmImage->GetSafeHandle() == nullptr)
        return -1;
    return ImageList_AddMasked(m_hImageList, (HBITMAP)pbmImage->GetSafeHandle(), crMask);
}

int CImageList::Add(HICON hIcon)
{
    if (m_hImageList == nullptr || hIcon == nullptr)
        return -1;
    return ImageList_ReplaceIcon(m_hImageList, -1, hIcon);
}

BOOL CImageList::Remove(int nImage) { return m_hImageList ? ImageList_Remove(m_hImageList, nImage) : FALSE; }

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask)
{
    if (m_hImageList == nullptr)
        return FALSE;
    return ImageList_Replace(m_hImageList, nImage, (HBITMAP)pbmImage->GetSafeHandle(),
                             (HBITMAP)pbmMask->GetSafeHandle());
}

int CImageList::Replace(int nImage, HICON hIcon)
{
    return m_hImageList ? ImageList_ReplaceIcon(m_hImageList, nImage, hIcon) : -1;
}

HICON CImageList::ExtractIcon(int nImage)
{
    return m_hImageList ? ImageList_GetIcon(m_hImageList, nImage, ILD_NORMAL) : nullptr;
}

BOOL CImageList::Copy(int iDst, int iSrc, UINT uFlags)
{
    return m_hImageList ? ImageList_Copy(m_hImageList, iDst, m_hImageList, iSrc, uFlags) : FALSE;
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
    if (m_hImageList == nullptr || pDC->GetSafeHdc() == nullptr)
        return FALSE;
    return ImageList_Draw(m_hImageList, nImage, pDC->m_hDC, pt.x, pt.y, nStyle);
}

BOOL CImageList::DrawIndirect(IMAGELISTDRAWPARAMS* pimldp)
{
    if (m_hImageList == nullptr || pimldp == nullptr)
        return FALSE;
    pimldp->cbSize = sizeof(IMAGELISTDRAWPARAMS);
    pimldp->himl = m_hImageList;
    return ImageList_DrawIndirect(pimldp);
}

BOOL CImageList::DrawIndirect(CDC* pDC, int nImage, POINT pt, SIZE sz, POINT ptOrigin, UINT fStyle, DWORD dwRop,
                              COLORREF rgbBack, COLORREF rgbFore)
{
    if (pDC->GetSafeHdc() == nullptr)
        return FALSE;
    IMAGELISTDRAWPARAMS params = {};
    params.hdcDst = pDC->m_hDC;
    params.i = nImage;
    params.x = pt.x;
    params.y = pt.y;
    params.cx = sz.cx;
    params.cy = sz.cy;
    params.xBitmap = ptOrigin.x;
    params.yBitmap = ptOrigin.y;
    params.rgbBk = rgbBack;
    params.rgbFg = rgbFore;
    params.fStyle = fStyle;
    params.dwRop = dwRop;
    return DrawIndirect(&params);
}

BOOL CImageList::SetOverlayImage(int nImage, int nOverlay)
{
    return m_hImageList ? ImageList_SetOverlayImage(m_hImageList, nImage, nOverlay) : FALSE;
}

BOOL CImageList::BeginDrag(int nImage, CPoint ptHotSpot)
{
    return m_hImageList ? ImageList_BeginDrag(m_hImageList, nImage, ptHotSpot.x, ptHotSpot.y) : FALSE;
}

void PASCAL CImageList::EndDrag() { ImageList_EndDrag(); }
BOOL PASCAL CImageList::DragMove(CPoint pt) { return ImageList_DragMove(pt.x, pt.y); }
BOOL PASCAL CImageList::DragEnter(CWnd* pWndLock, CPoint point) { return ImageList_DragEnter(pWndLock->GetSafeHwnd(), point.x, point.y); }
BOOL PASCAL CImageList::DragLeave(CWnd* pWndLock) { return ImageList_DragLeave(pWndLock->GetSafeHwnd()); }
BOOL PASCAL CImageList::DragShowNolock(BOOL bShow) { return ImageList_DragShowNolock(bShow); }

BOOL CImageList::SetDragCursorImage(int nDrag, CPoint ptHotSpot)
{
    return m_hImageList ? ImageList_SetDragCursorImage(m_hImageList, nDrag, ptHotSpot.x, ptHotSpot.y) : FALSE;
}
