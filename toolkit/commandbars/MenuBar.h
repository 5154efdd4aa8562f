// The frame's main menu drawn as a command bar. It takes the frame's own menu away from the frame,
// shows the menu's items as controls whose sub-menus are popup bars, follows the active MDI child
// (its document menu, and the system-menu icon and Minimize, Restore and Close buttons of a
// maximized child), and keeps one control set per menu so that customised menus survive switching
// between document types.
#pragma once

#include "classlib/core/CMap.h"
#include "toolkit/commandbars/ToolBar.h"

class CTKPMenuBar : public CTKPToolBar {
    DECLARE_SERIAL(CTKPMenuBar)
public:
    CTKPMenuBar();
    ~CTKPMenuBar() override;

    enum { TIMERID_MDIREFRESH = 12223 };
    enum { ID_MDI_SYSMENU = 9406, ID_MDI_MINIMIZE = 9405, ID_MDI_RESTORE = 9404, ID_MDI_CLOSE = 9403 };
    enum { IDB_SYSTEM_COMMANDS = 9407 };

    // Loads the menu resource into the bar, hooks the frame (and its MDI client) and takes the
    // frame's menu away. FALSE when the menu cannot be loaded; the frame then keeps its menu.
    BOOL LoadMenuBar(UINT nIDResource) override;
    // Shows the controls of another menu.
    void SwitchMenu(HMENU hMenu);
    // Back to the default menu (the frame's menu then waits for an update); stored control sets
    // without customisation go.
    void FreeStoredMenus();
    // The active MDI child (0 unless the site is an MDI frame) and whether it is maximized.
    HWND GetActiveMdiChild(BOOL* pbMaximized = NULL) const;
    void RefreshMdiState();
    CTKPControl* AddTemporaryControl(CTKPControl* pControl, int nId, LPCTSTR lpszCaption, int nBefore);
    int GetMenuItemText(CMenu* pMenu, UINT nItem, CString& rText, UINT nFlags) const;

    void Copy(CTKPCommandBar* pSource, BOOL bRecursive = FALSE) override;
    CTKPCommandBar* Clone(BOOL bRecursive = FALSE) override;
    void ResetToolBar() override;
    void DoPropExchange(CTKPPropExchange* pPX) override;
    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;
    // At the end of print preview the frame updates its menu (a document's menu may have changed
    // meanwhile); the bar shows it and the frame keeps none of its own.
    void OnSetPreviewMode(BOOL bPreview) override;

    UINT GetDefaultMenuId() const { return m_nDefaultMenuID; }
    UINT GetCurrentMenuId() const { return m_nCurrentMenuID; }
    HMENU GetFrameMenu() const { return m_hMenuFrame; }
    BOOL IsMdiFrame() const { return m_bMdiFrame; }
    HWND GetMdiClient() const { return m_hWndMdiClient; }
    // The stored control sets by menu id.
    CMap<UINT, UINT, CTKPControls*, CTKPControls*>& GetStoredMenus() { return m_mapMenus; }
    // Saving put the default menu back in place of a document's: the frame should update its menu.
    BOOL IsMenuUpdatePending() const { return m_bPendingMenuUpdate; }
    void SetMenuUpdatePending(BOOL bPending) { m_bPendingMenuUpdate = bPending; }

    afx_msg void OnTimer(UINT_PTR nIDEvent);

protected:
    void HookFrame();
    void SyncActiveMdiChild();
    void RefreshMdiControls();
    // The control set of a menu resource, with its saved copy.
    CTKPControls* CreateControlsFromMenu(HMENU hMenu);
    void ReleaseStoredMenus();

    BOOL m_bMdiFrame;
    HWND m_hWndMdiClient;
    HWND m_hwndHookedChild;
    HMENU m_hMenuFrame;
    UINT m_nDefaultMenuID;
    UINT m_nCurrentMenuID;
    CMap<UINT, UINT, CTKPControls*, CTKPControls*> m_mapMenus;
    BOOL m_bPendingMenuUpdate;

    DECLARE_MESSAGE_MAP()
};
