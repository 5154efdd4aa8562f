// A docking pane: the leaf of a docking layout that shows one window of the application. It lives in
// a tabbed container (docked, floating or auto-hidden) or, without a container, counts as closed.
// Panes are reference counted: the arrangement holds one reference, the host one more while the
// pane is active.
#pragma once

#include "toolkit/docking/DockingNode.h"

class CTKPImageIcon;

class CTKPDockablePane : public CCmdTarget, public CTKPDockingNode {
    DECLARE_DYNAMIC(CTKPDockablePane)
public:
    explicit CTKPDockablePane(CTKPDockingPaneArrangement* pArrangement);
    ~CTKPDockablePane() override;

    // Focuses the pane's window unless the focus already lies in it.
    virtual void SetFocus();
    // The part of the title before the first line feed (caption and tab tooltip) and the part after
    // it (tab text); a title without a line feed serves for both.
    virtual CString GetTitle() const;
    virtual CString GetTabCaption() const;
    // The host's icon of the icon id (the pane id when the icon id is -1) for a width.
    virtual CTKPImageIcon* GetIcon(int nWidth = 16) const;
    // The explicit tab colour, else the window's non-zero answer to TKPWM_GETTABCOLOR, else one of
    // the eight automatic tab colour indexes.
    virtual COLORREF GetTabColor() const;
    // Docking size, title, icon, options, tag, id, track sizes, tab colour and help id; not the window.
    virtual void CopyFrom(CTKPDockablePane* pOther);

    BOOL IsFocused() const;
    // Notification tkpdnPaneShown when showing, then the window shown or hidden.
    void ShowPaneWindow(BOOL bShow);
    void Close();
    void Hide();
    // The parent container's site (null without one).
    CWnd* GetSite() const;
    BOOL IsClosed() const { return m_pParentContainer == NULL; }
    BOOL IsSelected() const;
    DWORD GetEffectiveOptions() const;

    // The pane's own settings.
    HWND GetPaneWindow() const { return m_hWndPane; }
    // A window given while the pane is docked is put into its container at once.
    void SetPaneWindow(HWND hWnd);
    UINT GetId() const { return m_nId; }
    void SetId(UINT nId) { m_nId = nId; }
    int GetIconId() const { return m_nIconId; }
    void SetIconId(int nIconId) { m_nIconId = nIconId; }
    const CString& GetFullTitle() const { return m_strTitle; }
    void SetTitle(LPCTSTR lpszTitle);
    DWORD GetOptions() const { return m_dwOptions; }
    void SetOptions(DWORD dwOptions) { m_dwOptions = dwOptions; }
    int GetTag() const { return m_nTag; }
    void SetTag(int nTag) { m_nTag = nTag; }
    CSize GetMinTrackSize() const { return m_szMinTrack; }
    void SetMinTrackSize(CSize sz) { m_szMinTrack = sz; }
    CSize GetMaxTrackSize() const { return m_szMaxTrack; }
    void SetMaxTrackSize(CSize sz) { m_szMaxTrack = sz; }
    COLORREF GetOwnTabColor() const { return m_clrTab; }
    void SetTabColor(COLORREF clr) { m_clrTab = clr; }
    UINT GetHelpId() const { return m_nHelpId; }
    void SetHelpId(UINT nHelpId) { m_nHelpId = nHelpId; }
    // The docking size of both directions.
    void SetDockingSize(CSize sz);

    // CTKPDockingNode
    void DeleteNode() override;
    void GetMinMaxInfo(MINMAXINFO* pInfo) override;
    void OnSizeParent(CWnd* pSite, CRect rect, AFX_SIZEPARENTPARAMS* pLayout) override;
    void OnIdleUpdate() override;
    void SetParentContainer(CTKPDockingNode* pParent) override;
    BOOL IsAutoHidden() override;
    CTKPDockingNode* CloneNode(CTKPDockingPaneArrangement* pArrangement, CTKPDockingNodeMap* pMap, DWORD dwFlags) override;
    void SaveRecord(TKPDockNodeRecord& record) override;
    BOOL LoadRecord(const TKPDockNodeRecord& record, const CArray<CTKPDockingNode*, CTKPDockingNode*>& nodes) override;

protected:
    HWND m_hWndPane;
    UINT m_nId;
    int m_nIconId;
    CString m_strTitle;
    DWORD m_dwOptions;
    int m_nTag;
    CSize m_szMinTrack;
    CSize m_szMaxTrack;
    COLORREF m_clrTab;
    UINT m_nHelpId;
};
