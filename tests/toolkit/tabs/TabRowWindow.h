// A window that hosts one tab row the way the MDI tab client and the docking panes do: it derives
// from the tab manager, forwards its mouse and key messages, lays the row out in its client area
// and paints it through the theme. It also keeps a log of what the manager asked of it, so that
// tests can check the notifications.
#pragma once

#include "classlib/win/AfxWin.h"
#include "toolkit/commandbars/ToolTipManager.h"
#include "toolkit/tabs/TabManager.h"
#include "toolkit/tabs/TabTheme.h"

#include <string>
#include <vector>

class CTabRowWindow : public CWnd, public CTKPTabManager {
public:
    explicit CTabRowWindow(CTKPTabTheme* pTheme);
    ~CTabRowWindow() override;

    // A visible top-level window at a screen rectangle (right-to-left layout on request).
    BOOL Create(const CRect& rcScreen, DWORD dwExStyle = 0);
    // A child window of a parent, as the hosts are.
    BOOL CreateChild(CWnd* pParent, const CRect& rc);

    // Tabs with captions "A", "B", ...; images for the tabs that ask for them.
    void AddTabs(const std::vector<CString>& captions);
    // Lays the row out again in the client area, as the hosts do on every change.
    void Layout();
    // What WM_PAINT draws, into any DC.
    void Paint(CDC* pDC);
    // The tooltips of the tabs, through the command bars' tooltip manager.
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    CTKPToolTipManager* m_pToolTips = nullptr;

    // CTKPTabManager
    void Reposition() override;
    void RedrawControl() override;
    CTKPTabTheme* GetPaintManager() const override { return m_pTheme; }
    BOOL DrawTabIcon(CDC* pDC, CPoint pt, CTKPTabManagerItem* pItem, BOOL bDraw, CSize* pszIcon) override;
    void OnTabClick(CTKPTabManagerItem* pItem) override;
    void OnNavigateButtonClick(int nId) override;
    BOOL HasFocus() const override { return m_bFocus; }
    // A side panel's strips run along their side whatever the shared theme says.
    int GetPosition() const override { return m_nPosition >= 0 ? m_nPosition : CTKPTabManager::GetPosition(); }
    int m_nPosition = -1;

    // The log: "reposition", "redraw", "click N", "button N".
    std::vector<std::string> m_log;
    int Count(const std::string& entry) const;
    void ClearLog() { m_log.clear(); }

    BOOL m_bFocus = FALSE;
    // Size that the image operation reports (the theme's when empty).
    CSize m_szIcon = CSize(0, 0);
    // The DCs the image operation was asked with (a null DC and a null tab for the row height).
    int m_nIconSizeQueries = 0;

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    CTKPTabTheme* m_pTheme;
};
