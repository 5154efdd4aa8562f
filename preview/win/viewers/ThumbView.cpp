#include "preview/win/viewers/ThumbView.h"

#include "preview/win/host/PreviewDocument.h"
#include "preview/win/host/PreviewFrameState.h"
#include "preview/win/imaging/CxImage.h"

IMPLEMENT_DYNCREATE(CThumbView, CListView)

BEGIN_MESSAGE_MAP(CThumbView, CListView)
ON_WM_SIZE()
ON_NOTIFY_REFLECT(HDN_ITEMCHANGEDW, OnItemChanged)
END_MESSAGE_MAP()

CThumbView::CThumbView() : m_bCancel(0), m_nReserved1(0), m_nReserved2(0) {}

BOOL CThumbView::Create(LPCTSTR lpszClassName, LPCTSTR, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
    CCreateContext* pContext)
{
    dwStyle |= LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_AUTOARRANGE;
    return CListView::Create(lpszClassName, L"ListView", dwStyle, rect, pParentWnd, nID, pContext);
}

void CThumbView::MakeImageList()
{
    if (m_imageList.GetSafeHandle() != NULL)
        m_imageList.DeleteImageList();
    m_imageList.Create(kThumbWidth, kThumbHeight, ILC_COLOR24, 0, 1);
    GetListCtrl().SetImageList(&m_imageList, LVSIL_NORMAL);
}

void CThumbView::OnInitialUpdate()
{
    CListView::OnInitialUpdate();
    MakeImageList();
}

void CThumbView::OnDraw(CDC*) {}

void CThumbView::OnSize(UINT, int, int)
{
    Default();
}

void CThumbView::OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMHEADERW* pHeader = reinterpret_cast<NMHEADERW*>(pNMHDR);
    if (CPreviewDocument* pDoc = GetPreviewDocument())
        pDoc->LoadImageAt(pHeader->iItem);
    *pResult = 0;
}

CRect CThumbView::ThumbnailRect(DWORD nImageWidth, DWORD nImageHeight)
{
    float r = static_cast<float>(nImageHeight) / static_cast<float>(nImageWidth);
    if (r <= 0.75f) {
        int h = static_cast<int>(r * kThumbWidth);
        int y = (kThumbHeight - h) / 2;
        return CRect(0, y, kThumbWidth, y + h);
    }
    int w = static_cast<int>(kThumbHeight / r);
    int x = (kThumbWidth - w) / 2;
    return CRect(x, 0, x + w, kThumbHeight);
}

void CThumbView::LoadThumbnails()
{
    CPreviewDocument* pDoc = GetPreviewDocument();
    CListCtrl& list = GetListCtrl();
    MakeImageList();
    m_imageList.Remove(-1);
    list.DeleteAllItems();
    const int count = pDoc != NULL ? static_cast<int>(pDoc->m_ImageNames.GetSize()) : 0;
    m_imageList.SetImageCount(count);

    list.SetRedraw(FALSE);
    for (int i = 0; i < count; ++i) {
        CString text;
        text.Format(L"%d", i + 1);
        list.InsertItem(i, text, i);
    }
    list.SetRedraw(TRUE);
    list.Invalidate();

    CBrush black, white;
    black.CreateSolidBrush(RGB(0, 0, 0));
    white.CreateSolidBrush(RGB(255, 255, 255));
    const CRect frame(0, 0, kThumbWidth, kThumbHeight);
    for (int i = 0; i < count; ++i) {
        if (m_bCancel == 1)
            break;
        CString path;
        path.Format(L"%s\\%s", static_cast<LPCWSTR>(pDoc->m_strFolder), static_cast<LPCWSTR>(pDoc->m_ImageNames[i]));
        int type = CPreviewDocument::GetImageTypeFromFileName(pDoc->m_ImageNames[i]);
        if (type == 0)
            continue;
        CxImage image(path, type);
        if (!image.IsValid())
            continue;
        if (GetSafeHwnd() == NULL || !::IsWindow(GetSafeHwnd()))
            return;
        CRect rc = ThumbnailRect(image.GetWidth(), image.GetHeight());
        CClientDC dc(this);
        CDC mem;
        CBitmap bitmap;
        if (!mem.CreateCompatibleDC(&dc) || !bitmap.CreateCompatibleBitmap(&dc, kThumbWidth, kThumbHeight))
            continue;
        CBitmap* pOld = mem.SelectObject(&bitmap);
        mem.FillRect(&frame, &white);
        image.Stretch(mem.GetSafeHdc(), rc.left, rc.top, rc.Width(), rc.Height(), SRCCOPY);
        mem.FrameRect(&frame, &black);
        mem.SelectObject(pOld);
        m_imageList.Replace(i, &bitmap, NULL);
        list.RedrawItems(i, i);
    }
    list.Invalidate();
}
