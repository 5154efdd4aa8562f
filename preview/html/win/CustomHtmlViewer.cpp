#include "preview/html/win/CustomHtmlViewer.h"

#include "preview/html/win/HtmlLocalFetch.h"
#include "preview/html/win/HtmlScroll.h"
#include "preview/html/win/HtmlViewerHost.h"
#include "preview/win/host/PreviewDocument.h"
#include "preview/win/host/PreviewFrameState.h"
#include "res/htmlview.h"

#include <commctrl.h>

IMPLEMENT_DYNCREATE(CCustomHTMLViewer, CView)

BEGIN_MESSAGE_MAP(CCustomHTMLViewer, CView)
ON_WM_CREATE()
ON_WM_SIZE()
END_MESSAGE_MAP()

HWND CCustomHTMLViewer::s_canvasWindow = NULL;
HWND CCustomHTMLViewer::s_statusWindow = NULL;
CHtmlViewerHost* CCustomHTMLViewer::s_viewerHost = NULL;

namespace {

constexpr int kStatusHeight = 20;
constexpr UINT kStatusId = 1;

// Messages whose result a dialog procedure hands back through DWLP_MSGRESULT.
bool ResultThroughWindow(UINT message)
{
    return message == WM_GETDLGCODE || (message >= kHtmlScrollSetContent && message <= kHtmlPictureArrived);
}

}  // namespace

INT_PTR CALLBACK CanvasDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CHtmlViewerHost* host = CCustomHTMLViewer::Host();
    if (host == NULL)
        return 0;
    LRESULT result = host->HandleCanvasMessage(window, message, wParam, lParam);
    if (ResultThroughWindow(message)) {
        SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
        return TRUE;
    }
    return static_cast<INT_PTR>(result);
}

CCustomHTMLViewer::CCustomHTMLViewer() {}

CCustomHTMLViewer::~CCustomHTMLViewer()
{
    if (s_canvasWindow != NULL && ::IsWindow(s_canvasWindow)) {
        ::DestroyWindow(s_canvasWindow);
        EndDialog(s_canvasWindow, 0);
    }
    delete s_viewerHost;
    s_viewerHost = NULL;
    s_canvasWindow = NULL;
    s_statusWindow = NULL;
}

void CCustomHTMLViewer::OnDraw(CDC*) {}

int CCustomHTMLViewer::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    // A viewer before this one that is still there gives its windows up.
    if (s_viewerHost != NULL) {
        if (::IsWindow(s_canvasWindow))
            ::DestroyWindow(s_canvasWindow);
        delete s_viewerHost;
    }
    s_viewerHost = NULL;
    s_canvasWindow = NULL;
    s_statusWindow = NULL;

    CPreviewFrameState* pFrame = GetPreviewFrame();
    CPreviewDocument* pDoc = GetPreviewDocument();
    CString path = pDoc != NULL ? pDoc->m_strPreviewPath : CString();
    std::wstring url = HtmlFileUrl(static_cast<LPCWSTR>(path));

    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    HWND canvas = CreateDialogParamW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDD_HTML_CANVAS), GetSafeHwnd(),
        CanvasDialogProc, 0);
    if (canvas == NULL) {
        if (pFrame != NULL)
            pFrame->m_bPreviewShown = 0;
        return 0;
    }
    ::ShowWindow(canvas, SW_SHOW);
    HWND status = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | CCS_NORESIZE | CCS_NOPARENTALIGN, 0,
        0, 0, 0, GetSafeHwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStatusId)), GetModuleHandleW(NULL), NULL);
    s_canvasWindow = canvas;
    s_statusWindow = status;
    s_viewerHost = new CHtmlViewerHost(canvas, GetSafeHwnd(), status, NULL, NULL);
    CRect client;
    GetClientRect(&client);
    OnSize(SIZE_RESTORED, client.Width(), client.Height());
    s_viewerHost->Navigate(url.c_str());
    // A page that could not be read shows the "corrupt" placeholder instead of an empty canvas.
    if (s_viewerHost->History().GetRowCount() == 0 && pFrame != NULL)
        pFrame->m_bPreviewShown = 0;
    return 0;
}

void CCustomHTMLViewer::OnSize(UINT, int cx, int cy)
{
    if (s_statusWindow != NULL) {
        ::MoveWindow(s_statusWindow, 0, cy - kStatusHeight, cx, kStatusHeight, TRUE);
        ::InvalidateRect(s_statusWindow, NULL, TRUE);
    }
    if (s_canvasWindow != NULL)
        ::MoveWindow(s_canvasWindow, 0, 0, cx, cy - kStatusHeight > 0 ? cy - kStatusHeight : 0, TRUE);
}
