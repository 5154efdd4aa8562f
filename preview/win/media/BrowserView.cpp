#include "preview/win/media/BrowserView.h"

#include "res/preview.h"

#include <mshtmdid.h>

namespace {

// The dialog over the browser: nothing of its own but its place.
class CCoverDialog : public CDialog {
public:
    CCoverDialog() {}

protected:
    afx_msg void OnMove(int x, int y) { Default(); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCoverDialog, CDialog)
ON_WM_MOVE()
END_MESSAGE_MAP()

constexpr int kUncoveredStrip = 8;

}  // namespace

IMPLEMENT_DYNCREATE(CHtml_View, CHtmlView)

BEGIN_MESSAGE_MAP(CHtml_View, CHtmlView)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

DWORD CHtml_View::DownloadControl()
{
    return DLCTL_DLIMAGES | DLCTL_NO_SCRIPTS | DLCTL_NO_JAVA | DLCTL_NO_RUNACTIVEXCTLS | DLCTL_NO_DLACTIVEXCTLS |
        DLCTL_NO_BEHAVIORS | DLCTL_NO_CLIENTPULL | DLCTL_SILENT | DLCTL_FORCEOFFLINE;
}

CHtml_View::CHtml_View() : m_pCover(NULL)
{
    m_dwDownloadControl = DownloadControl();
}

CHtml_View::~CHtml_View()
{
    delete m_pCover;
}

BOOL CHtml_View::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    return CHtmlView::PreCreateWindow(cs);
}

BOOL CHtml_View::PreTranslateMessage(MSG* pMsg)
{
    return CHtmlView::PreTranslateMessage(pMsg);
}

void CHtml_View::OnUpdate(CView*, LPARAM, CObject*) {}

void CHtml_View::OnVisible(BOOL bVisible)
{
    CHtmlView::OnVisible(bVisible);
}

int CHtml_View::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CHtmlView::OnCreate(lpcs) == -1)
        return -1;
    m_pCover = new CCoverDialog;
    m_pCover->Create(IDD_PREVIEW_COVER, this);
    m_pCover->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    m_pCover->ShowWindow(SW_SHOW);
    return 0;
}

void CHtml_View::OnSize(UINT nType, int cx, int cy)
{
    CHtmlView::OnSize(nType, cx, cy);
    if (m_pCover != NULL && ::IsWindow(m_pCover->GetSafeHwnd())) {
        CRect client;
        GetClientRect(&client);
        m_pCover->MoveWindow(client.left, client.top, client.Width() - kUncoveredStrip,
            client.Height() - kUncoveredStrip, TRUE);
        m_pCover->SetFocus();
    }
}

void CHtml_View::OnShowWindow(BOOL, UINT)
{
    Default();
}
