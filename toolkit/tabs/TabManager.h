// The tab manager: the window-less model and controller of one tab row. A host window (the MDI tab
// client's row, a docking container, a side panel) derives from it, forwards its mouse and key
// messages, supplies the paint theme and the tab images, and re-lays and repaints when asked.
//
// What a host provides:
//   Reposition      lay the row out again (GetPaintManager()->RepositionTabControl) and repaint;
//                   a new selection also arrives here
//   RedrawControl   repaint without a new layout
//   GetPaintManager the CTKPTabTheme that measures and draws the row
//   DrawTabIcon     measure (bDraw FALSE) or draw a tab's image; FALSE when the tab has none
// and optionally OnNavigateButtonClick (the close button), OnTabClick, GetTabCaption and kin.
#pragma once

#include "classlib/win/AfxWin.h"

#include <commctrl.h>

#include "toolkit/tabs/TabManagerItem.h"
#include "toolkit/tabs/TabManagerNavigateButton.h"
#include "toolkit/tabs/TabManagerRows.h"

class CTKPTabTheme;

class CTKPTabManager {
public:
    CTKPTabManager();
    virtual ~CTKPTabManager();

    // Re-lays the row (calls Reposition).
    virtual void RequestReposition();
    virtual void Reposition() = 0;
    virtual CString GetTabCaption(const CTKPTabManagerItem* pItem) const;
    virtual int GetTabImage(const CTKPTabManagerItem* pItem) const;
    // The tab's colour; tab colour indexes become one of the theme's eight tab colours.
    virtual COLORREF GetTabColor(const CTKPTabManagerItem* pItem) const;
    virtual CString GetTabTooltip(const CTKPTabManagerItem* pItem) const;
    // Renumbers the tabs by their place in the list and re-lays the row.
    virtual void OnTabsChanged();
    virtual void SetSelectedTab(CTKPTabManagerItem* pItem);
    virtual void ClickTab(CTKPTabManagerItem* pItem);
    virtual void GetItemMetrics(CSize* pszFixed, CSize* pszMin, CSize* pszMax) const;
    virtual CTKPTabTheme* GetPaintManager() const = 0;
    virtual void RedrawControl() = 0;
    virtual BOOL IsAllowReorder() const;
    virtual void SetAllowReorder(BOOL bAllow);
    // The theme's static-frame switch.
    virtual BOOL GetThemeValue() const;
    // Measures (bDraw FALSE; *pszIcon may be changed) or draws at pt the tab's image; FALSE when the
    // tab has none. The row height asks with a null DC and a null tab only to have the size adjusted.
    virtual BOOL DrawTabIcon(CDC* pDC, CPoint pt, CTKPTabManagerItem* pItem, BOOL bDraw, CSize* pszIcon) = 0;
    // 0 top, 1 left, 2 bottom, 3 right (the theme's).
    virtual int GetPosition() const;
    // Direction 0 scrolls towards the start, any other towards the end, by one step.
    virtual void ScrollTabs(int nDirection);
    // Whether a navigation button in mode 1 is shown: the scroll buttons always, the close button
    // while the selected tab may be closed.
    virtual BOOL IsNavButtonEnabled(const CTKPTabManagerNavigateButton* pButton) const;
    virtual void OnTabClick(CTKPTabManagerItem* pItem);
    // Selects the tab and lets it be dragged to another place in the row under mouse capture.
    virtual void TrackTabDrag(CWnd* pWnd, CPoint pt, CTKPTabManagerItem* pItem);
    virtual void OnNavigateButtonClick(int nId);
    // Non-zero suspends hot tracking.
    virtual BOOL IsDrawingLocked() const;
    // TRUE when the key belongs to the row.
    virtual BOOL HandleKeyDown(CWnd* pWnd, UINT nKey);
    // Non-zero draws a focus rectangle around the selected tab.
    virtual BOOL HasFocus() const;

    // Tabs. InsertTab adopts the caller's reference on a given tab (or makes a new one); an index
    // outside the list appends.
    CTKPTabManagerItem* InsertTab(int nIndex, CTKPTabManagerItem* pItem = NULL);
    BOOL DeleteTab(int nIndex);
    void DeleteAllTabs();
    int GetItemCount() const { return static_cast<int>(m_arrTabs.GetSize()); }
    CTKPTabManagerItem* GetItem(int nIndex) const;
    CTKPTabManagerItem* GetSelectedItem() const { return m_pSelected; }
    CTKPTabManagerItem* GetHotItem() const { return m_pHot; }
    // The first enabled and visible tab from nStart on, walking by nStep (+1 or -1).
    CTKPTabManagerItem* FindNextTab(int nStart, int nStep) const;
    // The tab under a point of the host window.
    CTKPTabManagerItem* HitTest(CPoint pt) const;

    int GetNavigateButtonCount() const { return static_cast<int>(m_arrNavigateButtons.GetSize()); }
    CTKPTabManagerNavigateButton* GetNavigateButton(int nIndex) const;
    CTKPTabManagerNavigateButton* FindNavigateButton(int nId) const;

    // Sum of the laid-out lengths (the rotated layout: visible tabs times the row height).
    int GetTotalLength() const;
    int GetScrollOffset() const { return m_nScrollOffset; }
    // Never above 0; a change re-lays the row.
    void SetScrollOffset(int nOffset);
    void EnsureVisible(CTKPTabManagerItem* pItem);

    // Message handlers of the host. A mouse leave is HandleMouseMove with (-1, -1).
    BOOL HandleLButtonDown(CWnd* pWnd, CPoint pt, BOOL bButtonsOnly = FALSE);
    void HandleMouseMove(CWnd* pWnd, CPoint pt);
    // Fills the tool record of a tab's tooltip; the tab's index, or -1 when it shows none.
    int GetToolTipInfo(CWnd* pWnd, CTKPTabManagerItem* pItem, TOOLINFO* pInfo) const;

    // A host with several rows keeps only the row of the active window active.
    BOOL IsActive() const { return m_bActive; }
    void SetActive(BOOL bActive) { m_bActive = bActive; }
    void SetItemMetrics(CSize szFixed, CSize szMin, CSize szMax);
    int GetScrollStep() const { return m_nScrollStep; }

    // What the theme's layout sets and the host reads.
    const CRect& GetClipRect() const { return m_rcClip; }
    void SetClipRect(const RECT& rc) { m_rcClip = rc; }
    const CRect& GetTabAreaRect() const { return m_rcTabArea; }
    void SetTabAreaRect(const RECT& rc) { m_rcTabArea = rc; }
    // The area left for the host's content.
    const CRect& GetTabClientRect() const { return m_rcClient; }
    void SetTabClientRect(const RECT& rc) { m_rcClient = rc; }
    CTKPTabManagerRows* GetRows() const { return m_pRows; }
    // Written by the layout without the re-layout that SetScrollOffset asks for.
    void SetScrollOffsetField(int nOffset) { m_nScrollOffset = nOffset; }

protected:
    // Asks for WM_MOUSELEAVE on the host window.
    static void TrackMouseLeave(CWnd* pWnd);

    CTKPTabManagerItem* m_pSelected;
    CTKPTabManagerItem* m_pHot;
    int m_nScrollOffset;
    BOOL m_bAllowReorder;
    BOOL m_bActive;
    CSize m_szFixed;
    CSize m_szMin;
    CSize m_szMax;
    CRect m_rcClip;
    CRect m_rcTabArea;
    CRect m_rcClient;
    CArray<CTKPTabManagerItem*, CTKPTabManagerItem*> m_arrTabs;
    CArray<CTKPTabManagerNavigateButton*, CTKPTabManagerNavigateButton*> m_arrNavigateButtons;
    CTKPTabManagerRows* m_pRows;
    int m_nScrollStep;

private:
    CTKPTabManager(const CTKPTabManager&) = delete;
    CTKPTabManager& operator=(const CTKPTabManager&) = delete;
};
