// The command-bars manager that a frame owns: the menu bar, the toolbars, the four dock bars along
// the frame's edges, the options, the key bindings, the tooltip manager and the frame's popup
// menus. The frame base routes its key and window messages through it; everything in the command
// bars reaches the shared theme, image manager, options and key bindings through it.
#pragma once

#include "classlib/core/CArray.h"
#include "toolkit/commandbars/CommandBarsDefs.h"

class CMDIChildWnd;
class CTKPCommandBarList;
struct TKPPropExchangeSettings;
class CTKPCustomizeDropSource;
class CDocTemplate;

// Record of TKPM_CREATECOMMANDBAR when the manager creates a user bar (see TKPCREATEBARSTRUCT).
typedef TKPCREATEBARSTRUCT CommandBarsCreateBarRecord;

class CTKPCommandBars : public CCmdTarget {
    DECLARE_DYNCREATE(CTKPCommandBars)
public:
    CTKPCommandBars();
    ~CTKPCommandBars() override;

    // --- Overridable operations, in slot order ---------------------------------------------------
    // A hidden command not yet used.
    virtual BOOL IsCommandHidden(UINT nID);
    // A hidden command; with AutoHideUnusedPopups also a popup whose controls are all hidden.
    virtual BOOL IsControlHidden(CTKPControl* pControl);
    // The menu resource to show: the active MDI child's document menu, else the frame's; 0 for
    // frames that are not MDI frames.
    virtual UINT GetActiveMenuId();
    // The toolbars context menu at a screen point (after TKPM_TOOLBARCONTEXTMENU to the frame).
    virtual void ShowBarsContextMenu(WPARAM wParam, int x, int y);
    // A new popup with one check item per listed toolbar (id 0xE800 + its index); the caller owns it.
    virtual CTKPCommandBar* CreateToolbarsPopup();
    virtual void FillExpandPopup(CTKPCommandBar* pBar, CTKPCommandBar* pPopup);
    virtual void FillCustomizePopup(CTKPCommandBar* pBar, CTKPCommandBar* pPopup);
    virtual BOOL AddBarToReBar(CTKPToolBar* pBar);
    virtual BOOL RemoveBarFromReBar(CTKPToolBar* pBar);
    // A bar entered (TRUE) or left tracking mode.
    virtual void OnTrackingModeChanged(CTKPCommandBar* pBar, int nMode);
    virtual CTKPToolBar* AddCustomBar(LPCTSTR lpszTitle, UINT nBarID, BOOL bTearOffBar = FALSE);
    // "CommandBars" with one "CommandBar" section per listed bar. FALSE when writing failed.
    virtual BOOL SaveCommandBarList(CTKPPropExchange* pPX, CTKPCommandBarList& list);
    // The bars of an archive; FALSE when one could not be made or read.
    virtual BOOL LoadCommandBarList(CTKPPropExchange* pPX, CTKPCommandBarList& list);
    // The bars that go into the archive (popup bars of their controls included).
    virtual void GenerateCommandBarList(CTKPCommandBarList& list, const TKPPropExchangeSettings& settings);
    // Merges loaded bars with these: links popups to their bars, adds user bars, copies customised
    // built-in bars.
    virtual void RestoreCommandBarList(CTKPCommandBarList& list, BOOL bSilent);

    // --- Creation and the frame ------------------------------------------------------------------
    // Asks the frame (OnCmdMsg of 35001) whether it handles Customize.
    void AttachToFrame(CWnd* pFrame);
    CWnd* GetSite() const { return m_pFrame; }
    // The four dock bars: top 0xE81B, bottom 0xE81E, left 0xE81C, right 0xE81D. Throws the class
    // library's resource exception when one cannot be made.
    void CreateDockBars();
    CTKPMenuBar* CreateMenuBar(LPCTSTR lpszName, UINT nID);
    CTKPToolBar* CreateToolBar(LPCTSTR lpszName, int nPosition = tkpBarTop, CRuntimeClass* pToolbarClass = NULL);
    void Remove(CTKPCommandBar* pBar);
    int GetCount() const { return (int)m_arrBars.GetSize(); }
    CTKPCommandBar* GetAt(int nIndex) const;
    CTKPToolBar* GetToolBar(UINT nID) const;
    int FindIndex(CTKPCommandBar* pBar) const;
    CTKPMenuBar* GetMenuBar() const { return m_pMenuBar; }
    CTKPDockBar* GetDockBar(int nPosition) const;
    // The next visible bar from an index by a step, wrapping once (a step of 0: the index itself); -1 when
    // there is none.
    int GetNextVisibleBar(int nIndex, int nDirection) const;
    void ToggleBarVisible(int nIndex);

    // --- Docking ---------------------------------------------------------------------------------
    // The dock bar that the screen point docks into: the current one first, then top, bottom, left,
    // right; a dock bar accepts a point strictly inside its window rectangle grown by 20 pixels.
    CTKPDockBar* CanDock(CPoint pt, CTKPDockBar* pDockBar = NULL) const;
    BOOL DockCommandBar(CTKPToolBar* pBar, LPRECT lpRect, CTKPDockBar* pDockBar);
    BOOL DockCommandBar(CTKPToolBar* pBar, int nPosition);
    BOOL FloatCommandBar(CTKPToolBar* pBar);

    // --- Layout ----------------------------------------------------------------------------------
    void RecalcFrameLayout(BOOL bDelay = FALSE);
    // Runs a pending idle layout of the frame at once.
    void IdleRecalcFrameLayout();
    void RecalcCommandBarsLayout();
    void RedrawCommandBars();
    void LockLayout(BOOL bLock) { m_bRecalcLayout = bLock; }
    BOOL IsLayoutLocked() const { return m_bRecalcLayout; }

    // --- Frame hooks -----------------------------------------------------------------------------
    BOOL PreTranslateFrameMessage(MSG* pMsg);
    BOOL OnFrameWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    void SetPreviewMode(BOOL bPreview);

    // --- Shared services -------------------------------------------------------------------------
    // Own theme, else the process-wide theme (theme 0 installed first when there is none).
    CTKPCommandBarsTheme* GetPaintManager() const;
    CTKPCommandBarsTheme* GetTheme() const { return GetPaintManager(); }
    // Takes the caller's reference; releases the previous own theme.
    void SetPaintManager(CTKPCommandBarsTheme* pPaintManager);
    CTKPImageManager* GetImageManager() const;
    void SetImageManager(CTKPImageManager* pImageManager);
    CTKPKeyBindings* GetKeyBindings() const { return m_pKeyBindings; }
    CTKPBarOptions* GetCommandBarsOptions() const { return m_pOptions; }
    CTKPBarOptions* GetOptions() const { return m_pOptions; }
    CTKPToolTipManager* GetToolTipManager() const { return m_pToolTipManager; }
    // The calling thread's mouse tracker (made on demand); static when called without a manager.
    static CTKPMouseTracker* AFX_CDECL GetMouseTracker();
    CTKPMouseTracker* GetMouseTrackerCached();
    BOOL IsLayoutRTL() const;
    void SetLayoutRTL(BOOL bRightToLeft) { m_bRightToLeft = bRightToLeft; }
    CReBar* GetReBar() const;

    // --- Customizing -----------------------------------------------------------------------------
    void SetCustomizeMode(BOOL bMode);
    BOOL IsCustomizeMode() const { return m_bCustomizeMode; }
    BOOL IsCustomizeAvail() const { return m_bCustomizeAvail; }
    void SetDragControl(CTKPControl* pControl);
    CTKPControl* GetDragControl() const { return m_pDragSelected; }
    // The customise dialog's window (none in this program).
    CWnd* GetCustomizeDialog() const { return m_pCustomizeDialog; }
    void SetCustomizeDialog(CWnd* pDialog) { m_pCustomizeDialog = pDialog; }
    // The drag of customisation (made with the manager).
    CTKPCustomizeDropSource* GetDropSource() const { return m_pDropSource; }

    // --- Menus of MDI frames ---------------------------------------------------------------------
    CDocTemplate* GetActiveDocTemplate(CMDIChildWnd* pChild);
    UINT GetMenuResourceId() const { return m_nMenuResourceId; }

    // --- Options, layout and shortcuts in the profile --------------------------------------------
    void SaveOptions(LPCTSTR lpszProfileName);
    void LoadOptions(LPCTSTR lpszProfileName);
    void SaveLayout(LPCTSTR lpszProfileName, BOOL bOnlyCustomized = TRUE);
    void LoadLayout(LPCTSTR lpszProfileName, BOOL bSilent = FALSE);

    // --- Keyboard, popups and hidden commands ----------------------------------------------------
    // Tracks a popup bar as a menu until it closes. With TPM_RETURNCMD the chosen command id (0 for
    // none), else TRUE; 0 when it cannot be shown. pSite receives the commands when given.
    static UINT AFX_CDECL TrackPopupMenu(CTKPCommandBar* pPopup, UINT nFlags, int x, int y, CWnd* pWnd,
        LPCRECT rcExclude = NULL, CWnd* pWndOwner = NULL);
    // The same for a menu: a popup bar of pCommandBars (may be null) filled from the menu.
    static UINT AFX_CDECL TrackMenuPopup(CMenu* pMenu, UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT rcExclude = NULL,
        CWnd* pWndOwner = NULL, CTKPCommandBars* pCommandBars = NULL);
    // Every bar tracked by the thread's mouse tracker leaves tracking.
    void ClosePopups() const;
    // Runs the thread's messages until the popup stops tracking.
    static void AFX_CDECL PumpMessagesWhileTracking(CTKPCommandBar* pPopup);
    void HideCommands(const UINT* pCommands, int nCount);
    void HideCommand(UINT nCommand);
    void SetCommandUsed(UINT nID);
    void ResetUsageData();
    // The mnemonic search of Alt+key: TRUE when a control was found and selected.
    BOOL OnFrameMnemonic(UINT nChar);
    // A letter typed in another bar's tracking mode, offered to the visible menu bar first: TRUE when
    // one of its controls has that mnemonic (the menu bar then tracks with it selected, and a control
    // that alone has the mnemonic is activated).
    BOOL OnMenuBarMnemonic(UINT nChar, CTKPCommandBar* pFromBar);
    // Activates the next visible bar (step 0: the bar itself) for the keyboard.
    BOOL ActivateNextBar(CTKPCommandBar* pBar, int nDirection);
    void ShowKeyboardCues(BOOL bShow);
    BOOL IsKeyboardCuesVisible() const { return m_bKeyboardCuesVisible; }
    void SetKeyboardCuesFollowKeyboard(BOOL bFollow) { m_bUseKeyboardCues = bFollow; }
    BOOL IsKeyboardCuesFollowKeyboard() const { return m_bUseKeyboardCues; }
    void SetIgnoreShiftMenuKey(BOOL bIgnore) { m_bIgnoreShiftMenuKey = bIgnore; }
    // A popup control (flags 8) with the bar's title whose popup is the bar's add-or-remove list.
    CTKPControl* AddToolbarPopupItem(CTKPCommandBar* pPopup, CTKPToolBar* pBar);

    // The run-time classes the manager creates bars from (process-wide; null means the default).
    static CRuntimeClass* m_pToolBarClass;
    static CRuntimeClass* m_pMenuBarClass;
    static CRuntimeClass* m_pPopupBarClass;
    // A new popup bar of the popup-bar class for the manager (may be null); the caller owns it.
    static CTKPCommandBar* AFX_CDECL CreatePopupBar(CTKPCommandBars* pCommandBars);

protected:
    // The bars of the row in which the bar is docked (the bar alone when it is not docked).
    void GetDockRowBars(CTKPCommandBar* pBar, CArray<CTKPToolBar*, CTKPToolBar*>& arrBars);
    BOOL IsFrameActive() const;
    BOOL IsMouseTrackerIdle();

public:
    BOOL m_bIgnoreShiftMenuKey;
    CTKPCustomizeDropSource* m_pDropSource;
    CTKPCommandBarsTheme* m_pPaintManager;
    CTKPImageManager* m_pImageManager;
    CTKPControl* m_pDragSelected;
    BOOL m_bCustomizeMode;
    BOOL m_bCustomizeMode2;
    BOOL m_bCustomizeAvail;
    UINT m_nMenuResourceId;
    CString m_strControlsFileName;
    CTKPBarOptions* m_pOptions;
    CArray<CTKPCommandBar*, CTKPCommandBar*> m_arrBars;
    CTKPDockBar* m_pDocks[4];
    CWnd* m_pFrame;
    CTKPMenuBar* m_pMenuBar;
    CTKPToolTipManager* m_pToolTipManager;
    CTKPMouseTracker* m_pMouseTracker;
    BOOL m_bKeyboardCuesVisible;
    CTKPKeyBindings* m_pKeyBindings;
    BOOL m_bRecalcLayout;
    BOOL m_bUseKeyboardCues;
    BOOL m_bRightToLeft;
    CWnd* m_pCustomizeDialog;
};
