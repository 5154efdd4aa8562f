#include "preview/win/media/AviView.h"

#include "preview/win/host/PreviewDocument.h"
#include "preview/win/host/PreviewFrameState.h"

#include <vfw.h>

namespace {

// Child and visible, without the window's menu button; a file it cannot open raises no error
// dialog of its own (the pane shows its placeholder instead).
constexpr DWORD kMciWindowStyle = WS_CHILD | WS_VISIBLE | MCIWNDF_NOMENU | MCIWNDF_NOERRORDLG;

}  // namespace

IMPLEMENT_DYNCREATE(CAviView, CView)

BEGIN_MESSAGE_MAP(CAviView, CView)
ON_WM_CREATE()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CAviView::CAviView() : m_hMciWnd(NULL) {}

CAviView::~CAviView() {}

void CAviView::OnDraw(CDC*) {}

int CAviView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    CPreviewDocument* doc = GetPreviewDocument();
    if (GetPreviewFrame() == NULL || doc == NULL)
        return 0;
    m_hMciWnd = MCIWndCreateW(m_hWnd, AfxGetInstanceHandle(), kMciWindowStyle, doc->m_strPreviewPath);
    if (m_hMciWnd != NULL && MCIWndGetDeviceID(m_hMciWnd) != 0 && MCIWndGetError(m_hMciWnd, NULL, 0) == 0)
        ::SendMessageW(m_hMciWnd, MCI_PLAY, 0, 0);
    else
        GetPreviewFrame()->m_bPreviewShown = 0;  // a file the video window cannot open is no preview
    return 1;
}

void CAviView::OnDestroy()
{
    if (m_hMciWnd != NULL) {
        ::SendMessageW(m_hMciWnd, MCI_STOP, 0, 0);
        if (::IsWindow(m_hMciWnd))
            ::SendMessageW(m_hMciWnd, WM_CLOSE, 0, 0);
        m_hMciWnd = NULL;
    }
    CView::OnDestroy();
}
