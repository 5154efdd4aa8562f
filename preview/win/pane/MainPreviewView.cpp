#include "preview/win/pane/MainPreviewView.h"

#include "preview/win/host/PreviewDocument.h"
#include "preview/win/host/PreviewFile.h"
#include "preview/win/host/PreviewFrameState.h"
#include "preview/win/host/PreviewLocation.h"
#include "preview/win/pane/HeaderBand.h"
#include "preview/win/pane/PreviewDispatch.h"
#include "preview/win/viewers/IconView.h"
#include "preview/win/viewers/ImageView.h"
#include "preview/win/viewers/PlaceholderViews.h"
#include "preview/win/viewers/PsdView.h"
#include "preview/win/viewers/ThumbView.h"

IMPLEMENT_DYNCREATE(CMainPreviewView, CView)

BEGIN_MESSAGE_MAP(CMainPreviewView, CView)
ON_WM_CREATE()
ON_WM_SIZE()
END_MESSAGE_MAP()

namespace {

template <class T>
T*& Slot(CView** viewers, PreviewViewer kind)
{
    return reinterpret_cast<T*&>(viewers[kind]);
}

}  // namespace

CMainPreviewView::CMainPreviewView()
    : m_pImageView(Slot<CImage_View>(m_viewers, kViewerImage)), m_pHtmlView(m_viewers[kViewerHtml]),
      m_pDocumentView(m_viewers[kViewerDocument]), m_pArchiveView(m_viewers[kViewerArchive]),
      m_pAviView(m_viewers[kViewerAvi]), m_pMediaView(m_viewers[kViewerMedia]),
      m_pThumbView(Slot<CThumbView>(m_viewers, kViewerThumb)), m_pDbfView(m_viewers[kViewerDbf]),
      m_pAccessView(m_viewers[kViewerAccess]),
      m_pNoPreviewView(Slot<CCorrupted_NoPreview_View>(m_viewers, kViewerNoPreview)),
      m_pCustomHtmlView(m_viewers[kViewerCustomHtml]), m_pDxfView(m_viewers[kViewerDxf]),
      m_pPsdView(Slot<CPSDViewView>(m_viewers, kViewerPsd)),
      m_pLargeFileView(Slot<CLargeFileView>(m_viewers, kViewerLargeFile)),
      m_pIconView(Slot<CTextView>(m_viewers, kViewerIcon)), m_strCaption(L"Preview:"), m_bViewerMissing(false)
{
    for (CView*& v : m_viewers)
        v = NULL;
}

int CMainPreviewView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    if (CPreviewFrameState* pFrame = GetPreviewFrame())
        pFrame->m_pPreviewPane = this;
    // Not previewable: the pane starts with its placeholder.
    ShowPreview(L"fileName", L"fileType");
    return 0;
}

void CMainPreviewView::OnDraw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    DrawPreviewHeaderBand(pDC, client, m_strCaption, g_strPreviewLocation);
}

void CMainPreviewView::OnSize(UINT, int, int)
{
    Default();
    CRect client;
    GetClientRect(&client);
    for (CView* pView : m_viewers) {
        if (pView != NULL && ::IsWindow(pView->GetSafeHwnd()))
            pView->MoveWindow(client.left, client.top + kPreviewViewerTop, client.Width(),
                client.Height() - kPreviewViewerTop, TRUE);
    }
}

void CMainPreviewView::CloseViewers()
{
    for (CView*& pView : m_viewers) {
        // A viewer whose window is gone keeps its slot.
        if (pView != NULL && ::IsWindow(pView->GetSafeHwnd())) {
            pView->SendMessage(WM_CLOSE);
            pView = NULL;
        }
    }
}

CView* CMainPreviewView::CreateViewer(PreviewViewer kind, const CString* pPath, bool bShow)
{
    CPreviewFrameState* pFrame = GetPreviewFrame();
    if (pFrame == NULL)
        return NULL;
    CRuntimeClass* pClass = PreviewViewerClass(kind);
    if (pClass == NULL)
        return NULL;
    if (pPath != NULL) {
        if (CPreviewDocument* pDoc = GetPreviewDocument())
            pDoc->m_strPreviewPath = *pPath;
    }
    CCreateContext context;
    context.m_pNewViewClass = pClass;
    context.m_pCurrentDoc = GetDocument();
    CWnd* pWnd = AfxCreateView(this, &context, IDW_VIEWER);
    CView* pView = pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CView)) ? static_cast<CView*>(pWnd) : NULL;
    m_viewers[kind] = pView;
    if (pView == NULL) {
        pFrame->m_bPreviewShown = 0;
        return NULL;
    }
    if (bShow) {
        pView->ShowWindow(SW_SHOW);
        SendMessage(WM_SIZE, 0, 0);
    }
    return pView;
}

void CMainPreviewView::ShowViewer(PreviewViewer kind, const CString& strPath)
{
    CPreviewFrameState* pFrame = GetPreviewFrame();
    if (pFrame == NULL)
        return;
    if (PreviewViewerClass(kind) == NULL) {
        // A viewer this build does not have: "not available", not "corrupt".
        m_bViewerMissing = true;
        pFrame->m_bPreviewable = 0;
        return;
    }
    CreateViewer(kind, &strPath);
}

void CMainPreviewView::ShowNoPreviewView()
{
    g_strPreviewLocation.Empty();
    CreateViewer(kViewerNoPreview, NULL);
}

void CMainPreviewView::ShowLargeFileView()
{
    CreateViewer(kViewerLargeFile, NULL);
}

void CMainPreviewView::ShowHtmlView(const CString& strPath, const CString&)
{
    CPreviewFrameState* pFrame = GetPreviewFrame();
    if (pFrame == NULL)
        return;
    if (PreviewViewerClass(kViewerHtml) == NULL) {
        ShowViewer(kViewerHtml, strPath);
        return;
    }
    CView* pView = CreateViewer(kViewerHtml, &strPath, false);
    if (pView == NULL)
        return;
    // The browser shows a page of its own for a file it cannot open: such a file is no preview, and
    // the view stays unshown in its slot until the next preview.
    if (!PreviewFileReadable(strPath)) {
        pFrame->m_bPreviewShown = 0;
        return;
    }
    CString ext;
    int dot = strPath.ReverseFind(L'.');
    if (dot >= 0)
        ext = strPath.Mid(dot);
    ext.MakeLower();
    PreviewNavigate(pView, strPath);
    if (ext == L".xls" || ext == L".xlsx")
        Sleep(100);
    pView->ShowWindow(SW_SHOW);
    SendMessage(WM_SIZE, 0, 0);
}

BOOL CMainPreviewView::ShowAccessView(const CString& strPath)
{
    CPreviewFrameState* pFrame = GetPreviewFrame();
    if (pFrame == NULL)
        return FALSE;
    if (PreviewViewerClass(kViewerAccess) == NULL) {
        ShowViewer(kViewerAccess, strPath);
        return TRUE;
    }
    CView* pView = CreateViewer(kViewerAccess, &strPath, false);
    if (pView == NULL)
        return FALSE;
    // A database that does not open leaves the view in its slot, unshown, until the next preview.
    if (!PreviewOpenAccessDatabase(pView->GetDocument(), strPath))
        return FALSE;
    pView->ShowWindow(SW_SHOW);
    SendMessage(WM_SIZE, 0, 0);
    return TRUE;
}

void CMainPreviewView::ShowThumbnailView(const CString& strFolder)
{
    CPreviewFrameState* pFrame = GetPreviewFrame();
    CPreviewDocument* pDoc = GetPreviewDocument();
    if (pFrame == NULL)
        return;
    CView* pView = CreateViewer(kViewerThumb, &strFolder, false);
    if (pView == NULL)
        return;
    if (pDoc != NULL)
        pDoc->LoadImageFolder(strFolder);
    pView->ShowWindow(SW_SHOW);
    SendMessage(WM_SIZE, 0, 0);
    Sleep(500);
    // The thumbnails stay: they were decoded into the view's image list.
    RemoveSlideFolder(strFolder);
}

void CMainPreviewView::RemoveSlideFolder(const CString& strFolder)
{
    if (CPreviewDocument* pDoc = GetPreviewDocument())
        pDoc->DeleteFolderFiles(strFolder);
    RemoveDirectoryW(strFolder);
}

void CMainPreviewView::ShowPreview(CString strPath, CString strExtension)
{
    CPreviewFrameState* pFrame = GetPreviewFrame();
    if (pFrame == NULL)
        return;
    pFrame->m_bPreviewShown = 0;
    strPath.MakeLower();
    strExtension.MakeLower();
    pFrame->m_bPreviewable = IsPreviewableExtension(strPath, strExtension);
    pFrame->m_bPreviewShown = 1;
    if (!pFrame->m_bPreviewable) {
        ShowNoPreviewView();
        Invalidate(TRUE);
        return;
    }

    m_bViewerMissing = false;
    bool placeholderOnFailure = true;
    switch (PreviewSenderOf(strExtension)) {
    case kSendImage:
        ShowImageView(strPath, strExtension);
        break;
    case kSendIcon:
        ShowIconView(strPath);
        break;
    case kSendHtml:
        ShowHtmlView(strPath, strExtension);
        break;
    case kSendCustomHtml:
        ShowCustomHtmlView(strPath, strExtension);
        break;
    case kSendDocument:
    case kSendSourceText:
    case kSendPlainText:
        // The plain-text rows get the placeholder on failure like every other row.
        ShowDocumentView(strPath);
        break;
    case kSendArchive:
        ShowArchiveView(strPath);
        break;
    case kSendPsd:
        ShowPsdView(strPath, strExtension);
        break;
    case kSendAvi:
        ShowAviView(strPath);
        break;
    case kSendMedia:
        ShowMediaView(strPath);
        break;
    case kSendPowerPoint:
        if (!ShowPowerPointSlides(strPath)) {
            // No presentation program: "not available" rather than "corrupt".
            pFrame->m_bPreviewShown = 1;
            ShowNoPreviewView();
        }
        placeholderOnFailure = false;
        break;
    case kSendDbf:
        ShowDbfView(strPath);
        break;
    case kSendAccess: {
        BOOL ok = ShowAccessView(strPath);
        if (!m_bViewerMissing)
            pFrame->m_bPreviewShown = ok;
        break;
    }
    case kSendDxf:
        ShowDxfView(strPath, strExtension);
        break;
    case kSendLargeFile:
        ShowLargeFileView();
        placeholderOnFailure = false;
        break;
    case kSendNone:
        break;
    }
    if (placeholderOnFailure && (!pFrame->m_bPreviewShown || m_bViewerMissing))
        ShowNoPreviewView();
    Invalidate(TRUE);
    if (CWnd* pFocus = pFrame->GetPreviewFocusTarget())
        pFocus->SetFocus();
}
