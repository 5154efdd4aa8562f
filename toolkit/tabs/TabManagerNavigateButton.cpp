#include "toolkit/tabs/TabManagerNavigateButton.h"

#include "toolkit/common/TabRowLayout.h"
#include "toolkit/tabs/TabAppearance.h"
#include "toolkit/tabs/TabManager.h"
#include "toolkit/tabs/TabTheme.h"

namespace {

CTKPTabManagerNavigateButton::TickSource g_pfnTick = NULL;

DWORD Now()
{
    return g_pfnTick ? g_pfnTick() : ::GetTickCount();
}

// Milliseconds between two repeats of a held button.
const DWORD kRepeatDelay = 20;

}  // namespace

CTKPTabManagerNavigateButton::CTKPTabManagerNavigateButton(CTKPTabManager* pManager, int nId, int nMode)
    : m_nId(nId), m_nMode(nMode), m_nWidth(14), m_nHeight(15), m_pManager(pManager), m_rcButton(0, 0, 0, 0),
      m_bEnabled(TRUE), m_bPressed(FALSE), m_bHot(FALSE)
{}

CTKPTabManagerNavigateButton::~CTKPTabManagerNavigateButton() {}

void CTKPTabManagerNavigateButton::SetTickSource(TickSource source)
{
    g_pfnTick = source;
}

BOOL CTKPTabManagerNavigateButton::IsShownByMode() const
{
    return m_nMode == modeAlways || (m_nMode == modeAuto && m_pManager->IsNavButtonEnabled(this));
}

void CTKPTabManagerNavigateButton::AdjustLength(int& nLength)
{
    if (IsShownByMode())
        nLength -= tktab::IsVertical(m_pManager->GetPosition()) ? m_nHeight : m_nWidth;
}

void CTKPTabManagerNavigateButton::PlaceOrHide(CRect& rcRow)
{
    if (!IsShownByMode()) {
        m_rcButton.SetRectEmpty();
        return;
    }
    tktab::Rect row(rcRow.left, rcRow.top, rcRow.right, rcRow.bottom);
    const tktab::Rect button = tktab::PlaceAtFarEnd(row, m_pManager->GetPosition(), m_nWidth, m_nHeight);
    rcRow.SetRect(row.left, row.top, row.right, row.bottom);
    m_rcButton.SetRect(button.left, button.top, button.right, button.bottom);
}

void CTKPTabManagerNavigateButton::Reposition(CRect& rcRow)
{
    PlaceOrHide(rcRow);
}

void CTKPTabManagerNavigateButton::OnExecute(BOOL bRepeat)
{
    if (!bRepeat)
        m_pManager->OnNavigateButtonClick(m_nId);
}

void CTKPTabManagerNavigateButton::Draw(CDC* pDC)
{
    if (m_rcButton.IsRectEmpty())
        return;
    CRect rc = m_rcButton;
    CTKPTabTheme* pTheme = m_pManager->GetPaintManager();
    if (pTheme)
        pTheme->DrawNavigateButton(pDC, this, rc);

    const COLORREF clr = pDC->GetTextColor();
    CPen pen(PS_SOLID, 1, clr);
    CBrush brush(clr);
    CPen* pOldPen = pDC->SelectObject(&pen);
    HGDIOBJ hOldBrush = m_bEnabled ? pDC->SelectObject(static_cast<HGDIOBJ>(brush.GetSafeHandle()))
                                   : pDC->SelectObject(::GetStockObject(NULL_BRUSH));
    DrawGlyph(pDC, rc);
    pDC->SelectObject(hOldBrush);
    pDC->SelectObject(pOldPen);
}

void CTKPTabManagerNavigateButton::PerformClick(CWnd* pWnd, CPoint pt)
{
    HWND hWnd = pWnd->GetSafeHwnd();
    if (!hWnd || ::GetCapture() != NULL || !m_bEnabled)
        return;

    pWnd->SetCapture();
    CPoint ptCursor = pt;
    m_bPressed = m_rcButton.PtInRect(ptCursor);
    m_pManager->RedrawControl();

    DWORD dwLastRepeat = Now();
    BOOL bClick = FALSE;
    BOOL bDone = FALSE;
    while (!bDone) {
        MSG msg;
        while (!bDone && ::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) {
            switch (msg.message) {
            case WM_LBUTTONUP:
                bClick = m_rcButton.PtInRect(CPoint(static_cast<DWORD>(msg.lParam)));
                bDone = TRUE;
                break;
            case WM_RBUTTONDOWN:
            case WM_CANCELMODE:
                bDone = TRUE;
                break;
            case WM_KEYDOWN:
                // Other keys are swallowed while the button is held.
                bDone = msg.wParam == VK_ESCAPE;
                break;
            case WM_MOUSEMOVE:
                ptCursor = CPoint(static_cast<DWORD>(msg.lParam));
                break;
            case WM_QUIT:
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                bDone = TRUE;
                break;
            default:
                ::TranslateMessage(&msg);
                ::DispatchMessage(&msg);
                break;
            }
            if (::GetCapture() != hWnd)
                bDone = TRUE;
        }
        if (bDone || !::IsWindow(hWnd) || ::GetCapture() != hWnd)
            break;

        const DWORD dwNow = Now();
        if (m_bEnabled && dwNow - dwLastRepeat > kRepeatDelay) {
            dwLastRepeat = dwNow;
            OnExecute(TRUE);
        }
        const BOOL bPressed = m_rcButton.PtInRect(ptCursor);
        if (bPressed != m_bPressed) {
            m_bPressed = bPressed;
            m_pManager->RedrawControl();
        }

        // Sleeps until the next message or repeat instead of polling, which kept a processor busy while
        // the button was held; a disabled button only waits for messages.
        DWORD dwWait = INFINITE;
        if (m_bEnabled) {
            const DWORD dwSince = Now() - dwLastRepeat;
            dwWait = dwSince > kRepeatDelay ? 0 : kRepeatDelay + 1 - dwSince;
        }
        ::MsgWaitForMultipleObjectsEx(0, NULL, dwWait, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }

    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    m_bPressed = FALSE;
    if (::IsWindow(hWnd)) {
        CPoint ptNow;
        ::GetCursorPos(&ptNow);
        ::ScreenToClient(hWnd, &ptNow);
        m_bHot = m_bEnabled && m_rcButton.PtInRect(ptNow);
    }
    m_pManager->RedrawControl();
    if (bClick)
        OnExecute(FALSE);
}

CTKPTabManagerScrollButton::CTKPTabManagerScrollButton(CTKPTabManager* pManager, int nId)
    : CTKPTabManagerNavigateButton(pManager, nId, modeAuto)
{}

void CTKPTabManagerScrollButton::AdjustLength(int& nLength)
{
    if (m_nMode == modeAlways)
        nLength -= tktab::IsVertical(m_pManager->GetPosition()) ? m_nHeight : m_nWidth;
}

void CTKPTabManagerScrollButton::Reposition(CRect& rcRow)
{
    const int position = m_pManager->GetPosition();
    const int total = m_pManager->GetTotalLength();
    const int offset = m_pManager->GetScrollOffset();
    const int rowLength = tktab::IsVertical(position) ? rcRow.Height() : rcRow.Width();
    m_bEnabled = m_nId == idScrollStart ? tktab::IsStartButtonEnabled(offset)
                                        : tktab::IsEndButtonEnabled(total, offset, rowLength);

    CTKPTabTheme* pTheme = m_pManager->GetPaintManager();
    const int layout = pTheme ? pTheme->GetLayout() : tktab::layoutNatural;
    if (layout == tktab::layoutMultiRow) {
        m_rcButton.SetRectEmpty();
        return;
    }
    if (m_nMode == modeAuto) {
        CRect rcMargin(0, 0, 0, 0);
        if (pTheme && pTheme->GetAppearanceObject())
            pTheme->GetAppearanceObject()->GetHeaderMargin(rcMargin);
        if (!tktab::IsScrollButtonNeeded(layout, total, offset, rcMargin.left, rowLength)) {
            m_rcButton.SetRectEmpty();
            return;
        }
    }
    PlaceOrHide(rcRow);
}

void CTKPTabManagerScrollButton::DrawGlyph(CDC* pDC, CRect rc)
{
    const int cx = (rc.left + rc.right) / 2;
    const int cy = (rc.top + rc.bottom) / 2;
    const bool vertical = tktab::IsVertical(m_pManager->GetPosition());
    POINT pts[3];
    if (m_nId == idScrollStart) {
        if (vertical) {
            pts[0] = {cx - 5, cy + 2}, pts[1] = {cx - 1, cy - 2}, pts[2] = {cx + 3, cy + 2};
        } else {
            pts[0] = {cx + 2, cy - 5}, pts[1] = {cx - 2, cy - 1}, pts[2] = {cx + 2, cy + 3};
        }
    } else {
        if (vertical) {
            pts[0] = {cx - 5, cy - 2}, pts[1] = {cx - 1, cy + 2}, pts[2] = {cx + 3, cy - 2};
        } else {
            pts[0] = {cx - 2, cy - 5}, pts[1] = {cx + 2, cy - 1}, pts[2] = {cx - 2, cy + 3};
        }
    }
    pDC->Polygon(pts, 3);
}

void CTKPTabManagerScrollButton::OnExecute(BOOL bRepeat)
{
    if (bRepeat)
        m_pManager->ScrollTabs(m_nId == idScrollStart ? 0 : 1);
}

CTKPTabManagerCloseButton::CTKPTabManagerCloseButton(CTKPTabManager* pManager)
    : CTKPTabManagerNavigateButton(pManager, idClose, modeHidden)
{}

void CTKPTabManagerCloseButton::DrawGlyph(CDC* pDC, CRect rc)
{
    // Two double lines crossing.
    pDC->MoveTo(rc.left + 3, rc.top + 3);
    pDC->LineTo(rc.right - 4, rc.bottom - 5);
    pDC->MoveTo(rc.left + 4, rc.top + 3);
    pDC->LineTo(rc.right - 3, rc.bottom - 5);
    pDC->MoveTo(rc.left + 3, rc.bottom - 6);
    pDC->LineTo(rc.right - 4, rc.top + 2);
    pDC->MoveTo(rc.left + 4, rc.bottom - 6);
    pDC->LineTo(rc.right - 3, rc.top + 2);
}
