// The window base of every command bar (toolbars, the menu bar, popup bars): it owns the controls,
// paints them through the theme, handles the mouse over them, keeps the selection and the open
// popup, runs the tracking mode in which the keyboard drives the bar, navigates with arrows, Tab,
// Enter, Escape and mnemonics, and updates its controls' command UI on idle. Sizes and docking
// belong to the derived bars.
#pragma once

#include "classlib/core/CArray.h"
#include "toolkit/base/Accessible.h"
#include "toolkit/commandbars/CommandBarsDefs.h"
#include "toolkit/commandbars/HookSink.h"

class CTKPCommandBar : public CWnd, public CTKPHookSink, public CTKPAccessible {
    DECLARE_SERIAL(CTKPCommandBar)
public:
    CTKPCommandBar();
    ~CTKPCommandBar() override;

    enum { TIMERID_HOVER = 112223, TIMERID_FULLMENU = 112224 };
    // State flags.
    enum { stateLayoutDirty = 0x1, stateRedrawPending = 0x2 };
    // Tracking modes.
    enum { trackingNone = 0, trackingKeyboard = 1, trackingPopup = 2 };
    // Results of a customise drag: dropped outside every bar, copied, moved, cancelled.
    enum { dropNone = 0, dropCopy = 1, dropMove = 2, dropCancelled = 5 };
    // Codes of ProcessSpecialKey.
    enum SpecialKey { keyNext, keyPrev, keyPopupCollapse, keyPopupExpand, keyEscape, keyReturn, keyFirst, keyLast };

    // --- Overridable operations, in slot order ---------------------------------------------------
    // Sets the redraw-pending state; the idle update redraws.
    virtual void DelayRedraw() { m_nStateFlags |= stateRedrawPending; }
    // Enters (mode 1 keyboard, 2 popup) or leaves (0) tracking; with bSelectFirst the first control is
    // selected on entering and the selection cleared on leaving. FALSE when only the mode was stored.
    virtual BOOL SetTrackingMode(int nMode, BOOL bSelectFirst = TRUE, BOOL bKeyboard = FALSE);
    // Selects the control at the index (-1 none) and redraws; FALSE when unchanged or without window.
    virtual BOOL SetSelected(int nSelected, BOOL bKeyboard = FALSE);
    // Fills the bar from the toolbar resource (ids in order, 0 a separator) and, with bLoadIcons, the
    // image manager from the bitmap of the same id. FALSE when the resource is missing.
    virtual BOOL LoadToolBar(UINT nIDResource, BOOL bLoadIcons = TRUE);
    // Popup bars: open for the control popup (the bar side overrides these; FALSE here).
    virtual BOOL Popup(CTKPControlPopup* pControlPopup, BOOL bSelectFirst = FALSE) { return FALSE; }
    virtual BOOL PopupAt(int x, int y, LPCRECT lpExclude = NULL) { return FALSE; }
    virtual void SetPopupFlags(DWORD dwFlags) {}
    virtual void ExpandBar() {}
    virtual BOOL HasHiddenCommands() const { return FALSE; }
    virtual int FindDefaultItem(BOOL bIndex) { return -1; }
    // Shadows joining the control to this (popup) bar; nothing here.
    virtual void CreateControlShadows(CTKPControl* pControl) {}
    virtual BOOL HasPopupGripper() const { return FALSE; }
    // Popup bars: the control that opened this one, and whether checks and icons have columns of
    // their own.
    virtual CTKPControlPopup* GetControlPopup() const { return NULL; }
    virtual BOOL IsDoubleColumn() const { return FALSE; }
    virtual BOOL IsVisible() const { return FALSE; }
    virtual BOOL SetVisible(BOOL bVisible) { return FALSE; }
    virtual BOOL SetPosition(int nPosition) { return FALSE; }
    virtual void OnFloatingLayoutChanged() {}
    virtual BOOL IsCustomizable() const { return m_bCustomizable; }
    // Customise drops (the drop source calls these with client points): entering clears the mark
    // and answers as drag-over; drag-over answers 0 for a bar that takes no drops, else the effect
    // (-1 when nobody set one) and moves the insertion mark; a drop inserts a copy of the control.
    virtual DWORD OnCustomizeDragEnter(CTKPControl* pDragged, CPoint point);
    virtual void OnCustomizeDragLeave();
    virtual DWORD OnCustomizeDragOver(CTKPControl* pDragged, CPoint point);
    virtual void OnCustomizeDrop(CTKPControl* pDragged, DWORD& dropEffect, CPoint ptDrop, CPoint ptDrag);
    virtual void OnRecalcLayout() {}
    // A control's selection changed (state > 0 selected).
    virtual void OnControlSelected(int nState, CTKPControl* pControl);
    // The bar that opened this one (popups); none here.
    virtual CTKPCommandBar* GetParentCommandBar() const { return NULL; }
    virtual void DoPropExchange(CTKPPropExchange* pPX);
    virtual BOOL IsKeyboardCuesVisible() const;
    // Reached through the keyboard tracker while tracking: 0 not handled, 1 handled, 2 pass on.
    virtual int OnHookKeyDown(UINT nChar, LPARAM lParam);
    // The bar's size for a length and a mode; commits the controls' places with LM_COMMIT.
    virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode, int nWidth = 0) { return CSize(0, 0); }
    virtual BOOL ProcessSpecialKey(int nKey);
    virtual void DrawCommandBar(CDC* pDC, CRect rcClipBox);
    // After the controls changed: the selection is reset and the layout marked dirty.
    virtual void OnControlsChanged();
    virtual void Copy(CTKPCommandBar* pSource, BOOL bRecursive = FALSE);
    // -2 the point is not in the bar, 1 it is.
    virtual int PtInWindow(CPoint ptScreen) const;
    virtual void OnIdleUpdateCmdUI(BOOL bDisableIfNoHandler, LPARAM lParam = 0);
    virtual CTKPCommandBar* Clone(BOOL bRecursive = FALSE);

    // --- Identity and flags ----------------------------------------------------------------------
    int GetType() const { return m_barType; }
    void SetType(int nType) { m_barType = nType; }
    int GetPosition() const { return m_barPosition; }
    UINT GetBarID() const { return m_nBarID; }
    void SetBarID(UINT nID) { m_nBarID = nID; }
    CString GetTitle() const { return m_strTitle; }
    void SetTitle(LPCTSTR lpszTitle);
    DWORD GetFlags() const { return m_dwFlags; }
    void SetFlags(DWORD dwFlags) { m_dwFlags = dwFlags; }
    // flags = (flags | dwAdd) & ~dwRemove.
    void ModifyBarFlags(DWORD dwAdd, DWORD dwRemove) { m_dwFlags = (m_dwFlags | dwAdd) & ~dwRemove; }
    // The bar's style word (further flags), not the window's.
    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
    void ModifyBarStyle(DWORD dwRemove, DWORD dwAdd) { m_dwStyle = (m_dwStyle | dwAdd) & ~dwRemove; }
    BOOL GetShowGripper() const { return (m_dwStyle & tkpBarStyleGripper) != 0; }
    void SetShowGripper(BOOL bShow) { ModifyBarStyle(tkpBarStyleGripper, bShow ? tkpBarStyleGripper : 0); }
    DWORD GetStateFlags() const { return m_nStateFlags; }
    void SetStateFlags(DWORD dwFlags) { m_nStateFlags = dwFlags; }
    int GetMRUWidth() const { return m_nMRUWidth; }
    void SetMRUWidth(int nWidth) { m_nMRUWidth = nWidth; }
    BOOL IsCloseable() const { return m_bCloseable; }
    void SetCloseable(BOOL bCloseable) { m_bCloseable = bCloseable; }
    BOOL IsContextMenuPresent() const { return m_bContextMenuPresent; }
    void SetContextMenuPresent(BOOL bPresent) { m_bContextMenuPresent = bPresent; }
    void SetCustomizable(BOOL bCustomizable) { m_bCustomizable = bCustomizable; }

    // --- Controls --------------------------------------------------------------------------------
    CTKPControls* GetControls() const { return m_pControls; }
    // Replaces the collection (takes the caller's reference); the old one is released.
    void SetControls(CTKPControls* pControls);
    CTKPControl* GetControl(int nIndex) const;
    CTKPControl* GetAt(int nIndex) const { return GetControl(nIndex); }
    int GetControlCount() const;
    int GetSelectedIndex() const { return m_nSelected; }
    CTKPControl* GetSelected() const { return GetControl(m_nSelected); }
    int GetPopupedIndex() const { return m_nPopuped; }
    // Opens the popup of the control at the index (-1 closes the open one).
    BOOL SetPopuped(int nPopuped, BOOL bKeyboard = FALSE);
    // FALSE for a null or invalid menu; otherwise fills the controls from the menu's items.
    BOOL LoadMenu(CMenu* pMenu, BOOL bRemoveControls = TRUE);
    // The buttons for the ids (0 marks a group start); the site may make the controls.
    BOOL SetButtons(const UINT* pButtons, int nCount);
    // The first bar of the list whose bar id is nID.
    static CTKPCommandBar* FindBar(CArray<CTKPCommandBar*, CTKPCommandBar*>& arrBars, UINT nID);

    // --- Owners and services ---------------------------------------------------------------------
    // Own command bars, else the first ones up the parent-bar chain.
    CTKPCommandBars* GetCommandBars() const;
    void SetCommandBars(CTKPCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }
    CTKPCommandBar* GetRootParent() const;
    // Where commands go: the root's site when set, else GetSite.
    CWnd* GetOwnerSite() const;
    // The command bars' frame; else the root's owner window; else the thread's main window (root
    // without window); else the root window's owner, else its parent.
    CWnd* GetSite() const;
    void SetSite(CWnd* pSite) { m_pSite = pSite; }
    CWnd* GetOwnerWnd() const { return m_pOwner; }
    void SetOwnerWnd(CWnd* pOwner) { m_pOwner = pOwner; }
    CFrameWnd* GetFrameSite() const;
    BOOL IsCustomizeMode() const;
    // Own theme, else the command bars', else the root bar's own, else the process-wide theme.
    CTKPCommandBarsTheme* GetPaintManager() const;
    // Takes the caller's reference; releases the previous own theme.
    void SetPaintManager(CTKPCommandBarsTheme* pPaintManager);
    CTKPImageManager* GetImageManager() const;
    void SetImageManager(CTKPImageManager* pImageManager);
    BOOL IsLayoutRTL() const;
    // Horizontal: top, bottom, floating or a popup laid out as a toolbar.
    BOOL IsHorizontal() const;
    void InvalidateParents();
    // The status prompt of a control: WM_SETMESSAGESTRING, or the idle prompt for an empty text.
    void SetStatusText(LPCTSTR lpszText);

    // --- Customise drops -------------------------------------------------------------------------
    // Where a control dropped at the client point lands: the nearest control of the point's row
    // (index, -1 in a bar without controls), before or after it, and the 6-pixel insertion mark
    // (empty when the nearest control is the dragged one). Sets whether the mark lies across a
    // vertical bar.
    void FindDropPosition(CTKPControl* pDragged, CPoint point, CRect& rcMark, int& nIndex, BOOL& bAfter);
    CRect GetInsertMark() const { return m_rcMarker; }
    BOOL IsInsertMarkVertical() const { return m_bVerticalMarker; }
    // Inverts the insertion mark's bands.
    void DrawInsertMark(CDC* pDC);

    // --- Sizes -----------------------------------------------------------------------------------
    // Without command bars the bar's icon size or 16 x 16; popup bars: own size, else the option
    // PopupIconsSize; other bars: own, else IconsSize, else 16 x 16, doubled (or LargeIconsSize)
    // with the option LargeIcons unless a button size is set.
    CSize GetIconSize() const;
    void SetIconSize(CSize size) { m_szIcons = size; }
    // The explicit button size, else the icon size plus 7.
    CSize GetButtonSize() const;
    void SetButtonSize(CSize size) { m_szButtons = size; }
    // 0 off, 1 on, 2 as the option ShowTextBelowIcons says.
    void SetTextBelowIcons(int nMode);
    BOOL IsTextBelowIcons() const;

    // --- Tracking --------------------------------------------------------------------------------
    int GetTrackingMode() const { return m_nTrackingMode; }
    BOOL IsTrackingMode() const { return m_nTrackingMode != trackingNone; }
    int GetLockCounter() const { return m_nLockCounter; }
    void SetLockCounter(int nCounter) { m_nLockCounter = nCounter; }
    BOOL IsLocked() const { return m_nLockCounter > 0; }
    void SetReturnCmd(UINT* pReturnCmd) { m_pReturnCmd = pReturnCmd; }
    UINT* GetReturnCmd() const { return m_pReturnCmd; }
    // Recorded by the popup tracking (TPM_RIGHTBUTTON, TPM_NONOTIFY, TPM_RECURSE).
    void SetTrackFlags(BOOL bRightButton, BOOL bNoNotify, BOOL bNested);
    BOOL IsNoNotify() const { return m_bNoNotify; }
    BOOL IsNestedTracking() const { return m_bNestedTracking; }
    BOOL IsRightButtonTracking() const { return m_bRightButtonTracking; }
    BOOL IsTrackingByMouse() const { return m_bTrackingByMouse; }
    void SetTrackingByMouse(BOOL b) { m_bTrackingByMouse = b; }
    BOOL IsKeyboardSelection() const { return m_bKeyboardSelect; }
    int GetRedrawLock() const { return m_nLockRedraw; }
    void LockRedraw() { ++m_nLockRedraw; }
    // At 0 the redraw-pending state is cleared and the window invalidated.
    void UnlockRedraw();
    int GetLastClicked() const { return m_nClickedControl; }
    void SetLastClicked(int nIndex) { m_nClickedControl = nIndex; }
    // The keyboard's mnemonic search: the matching index or -1; *pbMultiple tells whether another
    // control shares the mnemonic.
    int FindAccel(UINT nChar, BOOL* pbMultiple);
    // The mnemonic character of a caption: after the first '&' that is not the last character
    // (*pbUnderlined TRUE), else the first character; 0 for an empty caption.
    static TCHAR GetMnemonicChar(const CString& strCaption, BOOL* pbUnderlined = NULL);

    // Test switch: the beep of a key that matches no mnemonic (null: MessageBeep).
    typedef BOOL(WINAPI* BeepFunction)(UINT uType);
    static void SetBeepFunction(BeepFunction pfnBeep) { s_pfnBeep = pfnBeep; }

    // The hook sink: while tracking, key presses go to OnHookKeyDown and the wheel is consumed.
    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;

    // The command-UI pass over the controls with this target.
    void OnUpdateCmdUI(CWnd* pTarget, BOOL bDisableIfNoHandler);
    // The command-UI update of one control (left alone when it updates itself, or while the bar is
    // tracked without notification).
    void UpdateControlCmdUI(int nIndex, CWnd* pTarget, BOOL bDisableIfNoHandler);

    // Accessibility.
    CCmdTarget* GetAccessibleOwner() override { return this; }
    STDMETHOD(get_accParent)(IDispatch** ppdispParent) override;
    STDMETHOD(get_accChildCount)(long* pcountChildren) override;
    STDMETHOD(get_accChild)(VARIANT varChild, IDispatch** ppdispChild) override;
    STDMETHOD(get_accName)(VARIANT varChild, BSTR* pszName) override;
    STDMETHOD(get_accRole)(VARIANT varChild, VARIANT* pvarRole) override;
    STDMETHOD(get_accState)(VARIANT varChild, VARIANT* pvarState) override;
    STDMETHOD(accLocation)(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
    STDMETHOD(accHitTest)(long xLeft, long yTop, VARIANT* pvarChild) override;

    void OnFinalRelease() override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    // Message handlers (public so that derived bars and tests reach them).
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrint(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    // A bar never draws itself active (deactivation is default); a window with the
    // caption-synchronisation style (0x100) starts with its frame's caption state (WM_FLOATSTATUS
    // FS_ACTIVATE or FS_DEACTIVATE).
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg LRESULT OnIdleUpdateCmdUIMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnInitialUpdate(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);

protected:
    // The document-template rule (hide flag 0x40) for the active menu id.
    void UpdateDocTemplateControls();
    // The row walk of ProcessSpecialKey for popup toolbars and floating bars.
    BOOL SelectInNextRow(BOOL bDown);
    // Hides the focus window's caret (remembering the window) or shows it again.
    void HideCaretOfFocus();
    void RestoreCaret();

    BOOL m_bHideCaret;
    int m_nMRUWidth;
    int m_nSelected;
    int m_nPopuped;
    HWND m_hwndCaret;
    UINT m_nBarID;
    BOOL m_bVisible;
    int m_nTrackingMode;
    CWnd* m_pOwner;
    DWORD m_nStateFlags;
    DWORD m_dwFlags;
    DWORD m_dwStyle;
    CString m_strTitle;
    int m_barType;
    CTKPControls* m_pControls;
    int m_barPosition;
    CTKPCommandBars* m_pCommandBars;
    CWnd* m_pSite;
    CSize m_szIcons;
    CSize m_szButtons;
    int m_nTextBelowIcons;
    BOOL m_bRightButtonTracking;
    BOOL m_bNoNotify;
    BOOL m_bNestedTracking;
    int m_nLockCounter;
    BOOL m_bKeyboardSelect;
    BOOL m_bCloseable;
    BOOL m_bCustomizable;
    CRect m_rcMarker;
    BOOL m_bVerticalMarker;
    UINT* m_pReturnCmd;
    BOOL m_bContextMenuPresent;
    BOOL m_bTrackingByMouse;
    int m_nLockRedraw;
    CTKPCommandBarsTheme* m_pPaintManager;
    CTKPImageManager* m_pImageManager;
    CCmdTarget* m_pToolTipContext;
    int m_nClickedControl;

    static BeepFunction s_pfnBeep;

    friend class CTKPControl;
    friend class CTKPControls;
    friend class CTKPCommandBars;
    friend class CTKPDockBar;

    DECLARE_MESSAGE_MAP()
};
