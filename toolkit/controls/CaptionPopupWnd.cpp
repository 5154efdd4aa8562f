#include "toolkit/controls/CaptionPopupWnd.h"

#include "res/toolkit-controls.h"
#include "toolkit/base/ResourceManager.h"
#include "toolkit/controls/Caption.h"
#include "toolkit/controls/ControlColors.h"

namespace {
const UINT_PTR kFocusTimer = 1;
const int kStripHeight = 19;
const int kPinWidth = 16;
const TCHAR kClassName[] = _T("TKCaptionPopupWnd");
}  // namespace

IMPLEMENT_DYNAMIC(CTKCaptionPopupWnd, CWnd)

BEGIN_MESSAGE_MAP(CTKCaptionPopupWnd, CWnd)
ON_WM_PAINT()
ON_WM_SIZE()
ON_WM_TIMER()
ON_WM_DESTROY()
ON_COMMAND(ID_TKCAPTION_BUTTON, OnPin)
END_MESSAGE_MAP()

CTKCaptionPopupWnd::CTKCaptionPopupWnd()
    : m_pCaption(NULL), m_pChild(NULL), m_hWndChildParent(NULL), m_pStrip(NULL), m_hIconPin(NULL), m_hIconPinHot(NULL),
      m_bFocusLostSent(FALSE)
{}

CTKCaptionPopupWnd::~CTKCaptionPopupWnd()
{
    if (::IsWindow(m_hWnd))
        DestroyWindow();
    delete m_pStrip;
    if (m_hIconPin)
        ::DestroyIcon(m_hIconPin);
    if (m_hIconPinHot)
        ::DestroyIcon(m_hIconPinHot);
}

BOOL CTKCaptionPopupWnd::Create(const CRect& rect, CTKCaption* pCaption, CWnd* pChild)
{
    if (pCaption == NULL || pChild == NULL)
        return FALSE;
    WNDCLASSW wc = {};
    if (!::GetClassInfoW(AfxGetInstanceHandle(), kClassName, &wc)) {
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hCursor = ::LoadCursorW(NULL, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kClassName;
        if (!AfxRegisterClass(&wc))
            return FALSE;
    }
    m_pCaption = pCaption;
    m_pChild = pChild;
    CWnd* pTop = pCaption->GetTopLevelParent();
    if (!CreateEx(WS_EX_TOOLWINDOW, kClassName, _T(""), WS_POPUP | WS_VISIBLE | WS_DLGFRAME, rect.left, rect.top,
            rect.Width(), rect.Height(), pTop ? pTop->GetSafeHwnd() : NULL, NULL))
        return FALSE;

    m_hWndChildParent = ::GetParent(pChild->GetSafeHwnd());
    pChild->SetParent(this);

    // The strip looks like the caption, the pin sits at its right.
    m_pStrip = new CTKCaption;
    if (m_pStrip->Create(this, pCaption->GetCaptionText(), TKCS_CLOSEBUTTON, WS_VISIBLE, CRect(0, 0, 0, 0), 0))
        m_pStrip->GetButton().ShowWindow(SW_HIDE);
    if (pCaption->m_bUserColors)
        m_pStrip->SetCaptionColors(pCaption->m_clrBorder, pCaption->m_clrBackground, pCaption->m_clrText);
    m_btnPin.Create(_T(""), WS_VISIBLE | 0xF4B, CRect(0, 0, 0, 0), this, ID_TKCAPTION_BUTTON);
    CImageList glyphs;
    CBitmap bitmap;
    if (GetResourceManager()->LoadBitmap(&bitmap, IDB_TKCAPTION_GLYPHS) &&
        glyphs.Create(16, 15, ILC_COLOR24 | ILC_MASK, 0, 3) && glyphs.Add(&bitmap, RGB(255, 0, 255)) >= 0) {
        m_hIconPin = glyphs.ExtractIcon(1);
        m_hIconPinHot = glyphs.ExtractIcon(0);
        m_btnPin.SetIcon(CSize(16, 15), m_hIconPin, m_hIconPinHot, FALSE);
    }
    glyphs.DeleteImageList();
    bitmap.DeleteObject();
    RecalcLayout();
    SetTimer(kFocusTimer, 10, NULL);
    return TRUE;
}

void CTKCaptionPopupWnd::RecalcLayout()
{
    if (!::IsWindow(m_hWnd))
        return;
    CRect rc;
    GetClientRect(&rc);
    rc.DeflateRect(2, 2);
    const CRect rcStrip(rc.left, rc.top, rc.right - kPinWidth - 2, rc.top + kStripHeight);
    if (m_pStrip && ::IsWindow(m_pStrip->GetSafeHwnd()))
        m_pStrip->MoveWindow(&rcStrip);
    if (::IsWindow(m_btnPin.GetSafeHwnd()))
        m_btnPin.MoveWindow(rc.right - kPinWidth - 1, rc.top + 2, kPinWidth, 15);
    if (m_pChild && ::IsWindow(m_pChild->GetSafeHwnd()) && ::GetParent(m_pChild->GetSafeHwnd()) == m_hWnd)
        m_pChild->MoveWindow(rc.left, rc.top + kStripHeight, rc.Width(), rc.Height() - kStripHeight);
}

void CTKCaptionPopupWnd::CheckFocus()
{
    if (m_bFocusLostSent)
        return;
    HWND hFocus = ::GetFocus();
    if (hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus))
        return;
    // A press on the caption's own button is no leaving: the click ends in the button's command,
    // which hands the focus back.
    if (m_pCaption && hFocus != NULL && hFocus == m_pCaption->GetButton().GetSafeHwnd())
        return;
    // Posted: the caption destroys this window when it gets the message, outside this handler.
    KillTimer(kFocusTimer);
    m_bFocusLostSent = TRUE;
    if (m_pCaption && ::IsWindow(m_pCaption->GetSafeHwnd()))
        m_pCaption->PostMessage(WM_TKCAPTION_FOCUSLOST);
}

void CTKCaptionPopupWnd::OnPin()
{
    // Posted: the caption closes this popup when it hears of the pin, which must not free it inside its own command.
    if (m_pCaption && ::IsWindow(m_pCaption->GetSafeHwnd()))
        m_pCaption->PostMessage(WM_TKCAPTION_PINNED);
}

void CTKCaptionPopupWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.Draw3dRect(&rc, tkcolor::Get(tkcolor::Shadow), tkcolor::Get(tkcolor::Hilite));
    if (m_pStrip && ::IsWindow(m_pStrip->GetSafeHwnd()))
        m_pStrip->Invalidate();
}

void CTKCaptionPopupWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    RecalcLayout();
}

void CTKCaptionPopupWnd::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kFocusTimer)
        CheckFocus();
    else
        CWnd::OnTimer(nIDEvent);
}

void CTKCaptionPopupWnd::OnDestroy()
{
    KillTimer(kFocusTimer);
    // The child goes back to its pane.
    if (m_pChild && ::IsWindow(m_pChild->GetSafeHwnd()) && ::GetParent(m_pChild->GetSafeHwnd()) == m_hWnd &&
        ::IsWindow(m_hWndChildParent))
        ::SetParent(m_pChild->GetSafeHwnd(), m_hWndChildParent);
    CWnd::OnDestroy();
}
