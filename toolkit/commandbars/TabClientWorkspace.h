// One tab group of the MDI tab client: a tab row whose tabs stand for MDI child windows, its size
// along the arrangement axis and the splitter that follows it. Clicking a tab activates its child.
// The tab-row window shows the one group of a client without grouping above the MDI client.
#pragma once

#include "classlib/win/AfxWin.h"
#include "toolkit/tabs/TabManager.h"

class CTKPTabClientWnd;

class CTKPTabClientWorkspace : public CTKPTabManager {
public:
    explicit CTKPTabClientWorkspace(CTKPTabClientWnd* pClient);
    ~CTKPTabClientWorkspace() override;

    // The tab of a child window; null when the group has none.
    CTKPTabManagerItem* FindTab(HWND hWnd) const;
    CTKPTabClientWnd* GetTabClient() const { return m_pClient; }

    // CTKPTabManager
    void Reposition() override;
    void RedrawControl() override;
    CTKPTabTheme* GetPaintManager() const override;
    // The child's small icon.
    BOOL DrawTabIcon(CDC* pDC, CPoint pt, CTKPTabManagerItem* pItem, BOOL bDraw, CSize* pszIcon) override;
    // Selects the tab and activates its child.
    void OnTabClick(CTKPTabManagerItem* pItem) override;

    // Size along the arrangement axis (pixels) and the splitter after the group (empty for the last).
    double m_dSize;
    CRect m_rcSplitter;

private:
    CTKPTabClientWnd* m_pClient;
};

// The window that shows the tab row of a tab client without grouping. It lies behind the MDI
// client in the frame and takes the rest of the frame's client area in its layout; the MDI client
// gets the part beside the tabs.
class CTKPTabClientRowWnd : public CWnd {
public:
    explicit CTKPTabClientRowWnd(CTKPTabClientWnd* pClient);

    BOOL Create(CWnd* pFrame);
    // Lays the row out in a rectangle of the window; the part left for the MDI client.
    CRect Layout(const CRect& rc);
    // Whether the MDI client stands where the present layout wants it (else the frame must lay out).
    BOOL IsClientPlaced();
    // The whole row into a DC (what WM_PAINT draws).
    void Paint(CDC* pDC);

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    CTKPTabClientWorkspace* GetWorkspace() const;

    CTKPTabClientWnd* m_pClient;
};
