#include "toolkit/commandbars/StatusBarPane.h"

#include "toolkit/base/ImageManager.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/StatusBar.h"

IMPLEMENT_DYNCREATE(CTKPStatusBarPane, CCmdTarget)

CTKPStatusBarPane::CTKPStatusBarPane()
    : m_nID(0), m_cxText(0), m_nStyle(0), m_dwPending(0), m_bVisible(TRUE), m_hWndPane(NULL), m_pStatusBar(NULL),
      m_nIndex(-1), m_nVisibleIndex(-1), m_clrText((COLORREF)-1), m_clrBackground((COLORREF)-1), m_nAlignment(0),
      m_nIconId(0)
{
}

CTKPStatusBarPane::~CTKPStatusBarPane() {}

void CTKPStatusBarPane::Redraw()
{
    if (m_pStatusBar != NULL && m_pStatusBar->GetSafeHwnd() != NULL)
        m_pStatusBar->Invalidate(FALSE);
}

void CTKPStatusBarPane::SetWidth(int cxWidth)
{
    if (cxWidth == m_cxText)
        return;
    m_cxText = cxWidth;
    if (m_pStatusBar != NULL)
        m_pStatusBar->UpdateAllPanes(TRUE, FALSE);
}

void CTKPStatusBarPane::SetStyle(UINT nStyle)
{
    if (nStyle == m_nStyle)
        return;
    const UINT nOld = m_nStyle;
    m_nStyle = nStyle;
    if (m_pStatusBar == NULL)
        return;
    // A new stretch bit changes the edges; the other bits change what the control shows.
    if ((nOld ^ nStyle) & tkpPaneStretch)
        m_pStatusBar->UpdateAllPanes(TRUE, FALSE);
    m_dwPending |= pendingText;
    m_pStatusBar->UpdateAllPanes(FALSE, TRUE);
}

BOOL CTKPStatusBarPane::SetText(LPCTSTR lpszText)
{
    if (m_pStatusBar == NULL) {
        m_strText = lpszText != NULL ? lpszText : L"";
        return TRUE;
    }
    return m_pStatusBar->SetPaneText(m_nIndex, lpszText, TRUE);
}

void CTKPStatusBarPane::SetVisible(BOOL bVisible)
{
    if (bVisible == m_bVisible)
        return;
    m_bVisible = bVisible;
    if (!bVisible && m_hWndPane != NULL)
        ::ShowWindow(m_hWndPane, SW_HIDE);
    if (m_pStatusBar != NULL)
        m_pStatusBar->RenumberParts();
}

void CTKPStatusBarPane::SetHostedWindow(HWND hWnd)
{
    m_hWndPane = hWnd;
    if (m_pStatusBar != NULL)
        m_pStatusBar->UpdateAllPanes(TRUE, FALSE);
}

void CTKPStatusBarPane::SetTextColor(COLORREF clrText)
{
    m_clrText = clrText;
    Redraw();
}

void CTKPStatusBarPane::SetBackgroundColor(COLORREF clrBackground)
{
    m_clrBackground = clrBackground;
    Redraw();
}

void CTKPStatusBarPane::SetAlignment(int nAlignment)
{
    m_nAlignment = nAlignment;
    Redraw();
}

void CTKPStatusBarPane::SetIconId(UINT nIconId)
{
    m_nIconId = nIconId;
    Redraw();
}

void CTKPStatusBarPane::SetFont(const LOGFONT* pLogFont)
{
    m_font.DeleteObject();
    if (pLogFont != NULL)
        m_font.CreateFontIndirect(pLogFont);
    Redraw();
}

CTKPImageIcon* CTKPStatusBarPane::GetIcon()
{
    if (m_nIconId == 0)
        return NULL;
    CTKPCommandBars* pCommandBars = m_pStatusBar != NULL ? m_pStatusBar->GetCommandBars() : NULL;
    CTKPImageManager* pImages = pCommandBars != NULL ? pCommandBars->GetImageManager() : TKPGetImageManager();
    return pImages != NULL ? pImages->GetImage(m_nIconId, 16) : NULL;
}

CFont* CTKPStatusBarPane::GetFont()
{
    return m_font.GetSafeHandle() != NULL ? &m_font : NULL;
}
