#include "toolkit/base/ImageManager.h"

#include "classlib/win/CToolBar.h"
#include "toolkit/base/Dib32.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

const UINT kFirstCustomID = 0x10AAA;

}  // namespace

CTKPImageManager::CTKPImageManager()
    : m_clrMask((COLORREF)-1), m_mapImages(10), m_nCustomID(kFirstCustomID), m_hMsImg32(NULL), m_pfnAlphaBlend(NULL),
      m_bDrawReverted(FALSE), m_pfnAlphaBlendFound(NULL)
{
    m_mapImages.InitHashTable(17);
    m_hMsImg32 = ::LoadLibraryW(L"msimg32.dll");
    if (m_hMsImg32)
        m_pfnAlphaBlendFound =
            reinterpret_cast<decltype(m_pfnAlphaBlendFound)>(::GetProcAddress(m_hMsImg32, "AlphaBlend"));
    m_pfnAlphaBlend = m_pfnAlphaBlendFound;
}

CTKPImageManager::~CTKPImageManager()
{
    RemoveAll();
    if (m_hMsImg32)
        ::FreeLibrary(m_hMsImg32);
}

CTKPImageManager* CTKPImageManager::GetDefault()
{
    static CTKPImageManager manager;
    return &manager;
}

namespace {
// Made at start-up like the other process-wide objects.
CTKPImageManager* const g_startupManager = CTKPImageManager::GetDefault();
}  // namespace

void CTKPImageManager::EnableAlphaBlend(BOOL bEnable)
{
    m_pfnAlphaBlend = bEnable ? m_pfnAlphaBlendFound : NULL;
}

void CTKPImageManager::SetIcon(const CTKPIconHandle& icon, UINT nID, CSize size, int nState)
{
    if (icon.IsEmpty())
        return;
    if (size == CSize(0, 0))
        size = icon.GetExtent();
    if (size == CSize(0, 0))
        return;
    CTKPImageIconSet* pSet = LookupIconSet(nID);
    if (pSet) {
        pSet->SetIcon(icon, size.cx, nState);
        return;
    }
    if (nState != 0)
        return;
    pSet = new CTKPImageIconSet(nID, this);
    pSet->SetIcon(icon, size.cx, 0);
    m_mapImages.SetAt(nID, pSet);
}

BOOL CTKPImageManager::SetIconsFromToolBar(UINT nID, int nState)
{
    return SetIconsFromToolBar(nID, nID, nState);
}

BOOL CTKPImageManager::SetIconsFromToolBar(UINT nToolBarID, UINT nBitmapID, int nState)
{
    CToolBarResource resource;
    if (!AfxLoadToolBarResource(MAKEINTRESOURCE(nToolBarID), resource))
        return FALSE;
    std::vector<UINT> ids;
    for (UINT nID : resource.ids)
        if (nID != 0)
            ids.push_back(nID);
    return SetIconsFromBitmap(nBitmapID, ids.empty() ? NULL : ids.data(), static_cast<int>(ids.size()), CSize(0, 0),
        nState);
}

BOOL CTKPImageManager::LoadAlphaBitmapResource(UINT nBitmapID, HBITMAP* phBitmap)
{
    *phBitmap = NULL;
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nBitmapID), RT_BITMAP);
    HRSRC hResource = ::FindResourceW(hInst, MAKEINTRESOURCEW(nBitmapID), RT_BITMAP);
    if (hResource == NULL)
        return FALSE;
    const DWORD size = ::SizeofResource(hInst, hResource);
    HGLOBAL hData = ::LoadResource(hInst, hResource);
    const BYTE* data = hData ? static_cast<const BYTE*>(::LockResource(hData)) : NULL;
    if (data == NULL || size < sizeof(BITMAPINFOHEADER))
        return FALSE;
    BITMAPINFOHEADER header;
    std::memcpy(&header, data, sizeof(header));
    if (header.biBitCount != 32)
        return FALSE;
    const LONG height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    const ULONGLONG pixelBytes = static_cast<ULONGLONG>(header.biWidth > 0 ? header.biWidth : 0) * height * 4;
    // Accepted only when the resource holds every pixel after the header, whose size the header
    // gives (the longer headers carry masks and a colour space).
    if (header.biWidth <= 0 || height <= 0 || header.biSize < sizeof(BITMAPINFOHEADER) ||
        static_cast<ULONGLONG>(header.biSize) + pixelBytes > size)
        return FALSE;
    BITMAPINFO bmi = {};
    bmi.bmiHeader = header;
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biCompression = BI_RGB;
    void* bits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &bits, NULL, 0);
    if (hBitmap == NULL)
        return FALSE;
    std::memcpy(bits, data + header.biSize, static_cast<size_t>(pixelBytes));
    *phBitmap = hBitmap;
    return TRUE;
}

BOOL CTKPImageManager::SetIconsFromBitmap(UINT nBitmapID, const UINT* pIDs, int nCount, CSize size, int nState)
{
    HBITMAP hAlpha = NULL;
    const BOOL bAlpha = LoadAlphaBitmapResource(nBitmapID, &hAlpha);
    HBITMAP hBitmap = hAlpha;
    if (!bAlpha) {
        HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nBitmapID), RT_BITMAP);
        hBitmap = ::LoadBitmapW(hInst, MAKEINTRESOURCEW(nBitmapID));
    }
    if (hBitmap == NULL)
        return FALSE;
    BITMAP bm = {};
    ::GetObjectW(hBitmap, sizeof(bm), &bm);

    // A bitmap of only separators has no ids and no size: nothing to cut (and no width to divide by).
    if (size == CSize(0, 0)) {
        if (nCount <= 0) {
            ::DeleteObject(hBitmap);
            return FALSE;
        }
        size = CSize(bm.bmWidth / nCount, bm.bmHeight);
    }
    if (size.cx <= 0) {
        ::DeleteObject(hBitmap);
        return FALSE;
    }
    if (nCount == 0)
        nCount = bm.bmWidth / size.cx;

    BOOL bResult;
    if (bAlpha) {
        bResult = SetIconsFromAlphaBitmap(hBitmap, pIDs, nCount, size, nState);
    } else {
        COLORREF clrMask = m_clrMask;
        if (clrMask == (COLORREF)-1) {
            HDC hdc = ::CreateCompatibleDC(NULL);
            HGDIOBJ old = ::SelectObject(hdc, hBitmap);
            clrMask = ::GetPixel(hdc, 0, 0);
            ::SelectObject(hdc, old);
            ::DeleteDC(hdc);
        }
        HIMAGELIST hList = ::ImageList_Create(size.cx, size.cy, ILC_COLOR24 | ILC_MASK, 0, 1);
        ::ImageList_AddMasked(hList, hBitmap, clrMask);
        CImageList list;
        list.Attach(hList);
        bResult = SetIconsFromImageList(&list, pIDs, nCount, size, nState);
        list.DeleteImageList();
    }
    ::DeleteObject(hBitmap);
    return bResult;
}

BOOL CTKPImageManager::SetIconsFromAlphaBitmap(HBITMAP hBitmap, const UINT* pIDs, int nCount, CSize size, int nState)
{
    int width = 0, height = 0;
    BYTE* bits = ReadBitmapBits32(hBitmap, &width, &height);
    if (bits == NULL)
        return FALSE;
    if (width % size.cx != 0) {
        delete[] bits;
        return FALSE;
    }
    const int slices = width / size.cx;
    int slice = 0;
    for (int i = 0; slice < slices && (pIDs == NULL ? i < slices : i < nCount); ++i) {
        const UINT nID = pIDs ? pIDs[i] : static_cast<UINT>(i);
        if (pIDs && nCount != slices && nID == 0)
            continue;
        void* sliceBits = NULL;
        HBITMAP hSlice = TKPCreateDib32(size.cx, height, &sliceBits);
        if (hSlice) {
            for (int row = 0; row < height; ++row)
                std::memcpy(static_cast<BYTE*>(sliceBits) + static_cast<size_t>(row) * size.cx * 4,
                    bits + (static_cast<size_t>(row) * width + static_cast<size_t>(slice) * size.cx) * 4,
                    static_cast<size_t>(size.cx) * 4);
            SetIcon(CTKPIconHandle(hSlice), nID, CSize(size.cx, height), nState);
            ::DeleteObject(hSlice);
        }
        ++slice;
    }
    delete[] bits;
    return TRUE;
}

BOOL CTKPImageManager::SetIconsFromImageList(CImageList* pImageList, const UINT* pIDs, int nCount, CSize size,
    int nState)
{
    HIMAGELIST hList = pImageList ? pImageList->GetSafeHandle() : NULL;
    if (hList == NULL)
        return FALSE;
    const int images = ::ImageList_GetImageCount(hList);
    if (pIDs == NULL && nCount == 0)
        nCount = images;
    if (size == CSize(0, 0) && images > 0) {
        IMAGEINFO info = {};
        ::ImageList_GetImageInfo(hList, 0, &info);
        size = CSize(info.rcImage.right - info.rcImage.left, info.rcImage.bottom - info.rcImage.top);
    }
    int image = 0;
    for (int i = 0; i < nCount && image < images; ++i) {
        const UINT nID = pIDs ? pIDs[i] : static_cast<UINT>(i);
        if (images != nCount && nID == 0)
            continue;  // a separator takes no image
        HICON hIcon = ::ImageList_GetIcon(hList, image++, ILD_NORMAL);
        if (hIcon) {
            SetIcon(CTKPIconHandle(hIcon), nID, size, nState);
            ::DestroyIcon(hIcon);
        }
    }
    return TRUE;
}

void CTKPImageManager::SetImageList(HIMAGELIST hImageList, UINT nBaseID, BOOL bOwns)
{
    CTKPImageListHolder* pHolder = new CTKPImageListHolder(hImageList, nBaseID, bOwns, this);
    m_arrImageLists.Add(pHolder);
}

UINT CTKPImageManager::AddCustomIcon(const CTKPIconHandle& icon)
{
    const UINT nID = ++m_nCustomID;
    CTKPImageIconSet* pSet = new CTKPImageIconSet(nID, this);
    pSet->SetIcon(icon, icon.GetExtent().cx, 0);
    m_mapImages.SetAt(nID, pSet);
    return nID;
}

CTKPImageIcon* CTKPImageManager::GetImage(UINT nID, int nWidth)
{
    CTKPImageIconSet* pSet = LookupIconSet(nID);
    if (pSet)
        return pSet->GetIcon(nWidth, TRUE);
    for (INT_PTR i = 0; i < m_arrImageLists.GetSize(); ++i) {
        if (m_arrImageLists[i]->HoldsID(nID))
            return m_arrImageLists[i]->GetIcon(nID);
    }
    return NULL;
}

CTKPImageIconSet* CTKPImageManager::LookupIconSet(UINT nID) const
{
    CTKPImageIconSet* pSet = NULL;
    return m_mapImages.Lookup(nID, pSet) ? pSet : NULL;
}

void CTKPImageManager::RefreshAll()
{
    POSITION pos = m_mapImages.GetStartPosition();
    while (pos) {
        UINT nID;
        CTKPImageIconSet* pSet;
        m_mapImages.GetNextAssoc(pos, nID, pSet);
        pSet->DropScaledCopies();
    }
    for (INT_PTR i = 0; i < m_arrImageLists.GetSize(); ++i)
        m_arrImageLists[i]->RemoveIcons();
}

void CTKPImageManager::RemoveAll()
{
    POSITION pos = m_mapImages.GetStartPosition();
    while (pos) {
        UINT nID;
        CTKPImageIconSet* pSet;
        m_mapImages.GetNextAssoc(pos, nID, pSet);
        pSet->InternalRelease();
    }
    m_mapImages.RemoveAll();
    for (INT_PTR i = 0; i < m_arrImageLists.GetSize(); ++i)
        m_arrImageLists[i]->InternalRelease();
    m_arrImageLists.RemoveAll();
}

void CTKPImageManager::DrawAlphaBitmapBlend(HDC hdc, CPoint pt, CSize size, HBITMAP hPremultiplied, CSize extent)
{
    if (m_pfnAlphaBlend == NULL || hPremultiplied == NULL)
        return;
    HDC memory = ::CreateCompatibleDC(hdc);
    HGDIOBJ old = ::SelectObject(memory, hPremultiplied);
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    m_pfnAlphaBlend(hdc, pt.x, pt.y, size.cx, size.cy, memory, 0, 0, extent.cx, extent.cy, blend);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
}
