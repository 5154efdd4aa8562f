// One item of a command bar: a menu item, toolbar button, popup, edit or combo box. It carries the
// command id it sends, its texts and icon, its state, its place in the bar and its hide flags; it
// draws and measures itself through the bar's theme and executes by notifying the bar's site.
// Controls are reference counted: the collection that holds one keeps one reference.
#pragma once

#include "classlib/core/CMap.h"
#include "toolkit/base/Accessible.h"
#include "toolkit/commandbars/CommandBarsDefs.h"

class CTKPImageIcon;

class CTKPControl : public CCmdTarget, public CTKPAccessible {
    DECLARE_SERIAL(CTKPControl)
public:
    CTKPControl();
    ~CTKPControl() override;

    // --- Overridable operations, in slot order ---------------------------------------------------
    virtual CString GetDescription() const { return m_strDescriptionText; }
    virtual CString GetTooltip() const { return m_strTooltipText; }
    // Stores and marks the parent's layout dirty.
    virtual void SetBeginGroup(BOOL bBeginGroup);
    // Stores a change and asks the parent to redraw.
    virtual void SetEnabled(BOOL bEnabled);
    virtual int GetSelected() const { return m_nSelected; }
    virtual void SetFocused(BOOL bFocused) {}
    virtual BOOL IsFocused() const { return FALSE; }
    virtual void SetRect(CRect rcControl) { m_rcControl = rcControl; }
    virtual BOOL IsCaptionVisible();
    // Equality of what customisation may change (texts, ids, style, flags), not of the state.
    virtual BOOL Compare(CTKPControl* pOther);
    // The bar this control opens (a popup's popup bar); none here.
    virtual CTKPCommandBar* GetCommandBar() { return NULL; }
    // TRUE makes a popup item's text area colour 56; no control of the toolkit answers it.
    virtual BOOL IsHighlighted() { return FALSE; }
    virtual void SetHideFlags(DWORD dwFlags) { m_dwHideFlags = dwFlags; }
    virtual void OnExecute();
    virtual CSize GetSize(CDC* pDC);
    virtual void Draw(CDC* pDC);
    virtual void OnCalcDynamicSize(DWORD dwMode) {}
    // The icon of GetIconId at that width from the parent's image manager; null without one.
    virtual CTKPImageIcon* GetImage(int nWidth = 16);
    virtual void DoPropExchange(CTKPPropExchange* pPX);
    // The control's mnemonic was typed.
    virtual void OnUnderlineActivate() { OnExecute(); }
    virtual BOOL IsFocusable() const { return FALSE; }
    // 0 not handled, 1 handled, 2 let the key go on to the window.
    virtual int OnHookKeyDown(UINT nChar, LPARAM lParam) { return 0; }
    virtual void SetParent(CTKPCommandBar* pParent) { m_pParent = pParent; }
    virtual void Copy(CTKPControl* pSource, BOOL bRecursive = FALSE);
    virtual BOOL OnSetPopup(BOOL bPopup) { return FALSE; }
    virtual void OnClick(BOOL bKeyboard = FALSE, CPoint pt = CPoint(0, 0)) {}
    virtual void OnLButtonUp(CPoint point) {}
    virtual void OnRButtonUp(CPoint point) {}
    virtual BOOL OnLButtonDblClk(CPoint point);
    virtual void OnMouseMove(CPoint point) {}
    virtual void OnMouseHover();
    // 0 none, 1 by the mouse, 2 by the keyboard. FALSE when nothing changed.
    virtual BOOL SetSelected(int nSelected);
    virtual void OnCustomizeMouseDown(CPoint point);
    virtual BOOL CustomizeStartResize(CPoint point);
    virtual void OnCustomizeDragOver(CTKPControl* pDragged, CPoint point, DWORD& dropEffect);
    virtual BOOL IsCustomizeDragOverAvail(CTKPCommandBar* pBar, CPoint point, DWORD& dropEffect) { return TRUE; }
    virtual BOOL IsCustomizeResizeAllow() const { return FALSE; }
    virtual int GetCustomizeMinWidth() const { return 0; }
    virtual void SetWidth(int nWidth) {}
    // A new control of this one's class copying it; the caller owns the reference.
    virtual CTKPControl* Clone(BOOL bRecursive = FALSE);

    // --- What the themes ask of edit and combo-box controls (neutral for the other kinds) --------
    // The width of the control's edit part (0: the theme's default).
    virtual int GetEditWidth() const { return 0; }
    // Whether the caption is shown as a label on toolbars: 0 no, 1 yes.
    virtual int GetLabelSetting() const { return 0; }
    // The label and drop-button widths the theme measured; a change is kept by the control.
    virtual void SetMeasuredWidths(int nLabelWidth, int nButtonWidth) {}
    // The text inside the edit area, drawn by the control (a combo box without an edit window).
    virtual void DrawEditAreaText(CDC* pDC, CRect rcText) {}

    // --- Texts -----------------------------------------------------------------------------------
    // The custom caption when set, else the caption.
    CString GetCaption() const { return m_strCustomCaption.IsEmpty() ? m_strCaption : m_strCustomCaption; }
    // A tab splits off the shortcut text; a changed caption marks the parent's layout dirty.
    void SetCaption(LPCTSTR lpszCaption);
    CString GetShortcutText() const { return m_strShortcutText.IsEmpty() ? m_strShortcutTextAuto : m_strShortcutText; }
    void SetShortcutText(LPCTSTR lpszText) { m_strShortcutText = lpszText; }
    // The shortcut taken from the caption (menus refresh it from the key bindings).
    CString GetCaptionShortcut() const { return m_strShortcutTextAuto; }
    void SetCaptionShortcut(LPCTSTR lpszText) { m_strShortcutTextAuto = lpszText; }
    // "description\ntooltip"; a text without newline is both. An empty caption takes the tooltip.
    void SetPrompt(LPCTSTR lpszPrompt);
    void SetTooltip(LPCTSTR lpszTooltip) { m_strTooltipText = lpszTooltip; }
    void SetDescription(LPCTSTR lpszDescription) { m_strDescriptionText = lpszDescription; }
    CString GetCustomCaption() const { return m_strCustomCaption; }
    void SetCustomCaption(LPCTSTR lpszCaption);
    CString GetParameter() const { return m_strParameter; }
    void SetParameter(LPCTSTR lpszParameter) { m_strParameter = lpszParameter; }
    CString GetCategory() const { return m_strCategory; }
    void SetCategory(LPCTSTR lpszCategory) { m_strCategory = lpszCategory; }

    // --- Identity --------------------------------------------------------------------------------
    int GetID() const { return m_nId; }
    // A changed id loads the string resource of that id as the prompt.
    void SetID(int nId);
    int GetType() const { return m_controlType; }
    void SetType(int nType) { m_controlType = nType; }
    DWORD_PTR GetTag() const { return m_nTag; }
    void SetTag(DWORD_PTR nTag) { m_nTag = nTag; }
    int GetIndex() const { return m_nIndex; }
    // Custom icon id when set, else the icon id when at least 1, else the command id.
    int GetIconId() const;
    void SetIconId(int nId) { m_nIconId = nId; }
    int GetCustomIconId() const { return m_nCustomIconId; }
    void SetCustomIconId(int nId) { m_nCustomIconId = nId; }

    // --- Style and flags -------------------------------------------------------------------------
    // The custom style when set, else the style (0 automatic, 1 caption, 2 image, 3 both).
    int GetStyle() const { return m_nCustomStyle != 0 ? m_nCustomStyle : m_nStyle; }
    void SetStyle(int nStyle) { m_nStyle = nStyle; }
    int GetCustomStyle() const { return m_nCustomStyle; }
    void SetCustomStyle(int nStyle) { m_nCustomStyle = nStyle; }
    DWORD GetFlags() const { return m_dwFlags; }
    void SetFlags(DWORD dwFlags) { m_dwFlags = dwFlags; }
    DWORD GetHideFlags() const { return m_dwHideFlags; }
    void SetHideFlag(DWORD dwFlag, BOOL bSet)
    {
        SetHideFlags(bSet ? (m_dwHideFlags | dwFlag) : (m_dwHideFlags & ~dwFlag));
    }
    BOOL IsVisible() const { return m_dwHideFlags == 0; }
    BOOL GetBeginGroup() const { return m_bBeginGroup; }
    BOOL GetWrap() const { return m_bWrap; }
    void SetWrap(BOOL bWrap) { m_bWrap = bWrap; }
    BOOL IsTemporary() const { return m_bTemporary; }
    void SetTemporary(BOOL bTemporary) { m_bTemporary = bTemporary; }
    BOOL GetDefaultItem() const { return m_bDefaultItem; }
    void SetDefaultItem(BOOL bDefault);
    BOOL IsRarelyUsed() const { return m_bExpanded; }
    // Clearing the mark also clears hide flag 0x20.
    void SetRarelyUsed(BOOL bRarelyUsed);
    BOOL GetCloseSubMenuOnClick() const { return m_bCloseSubMenuOnClick; }
    void SetCloseSubMenuOnClick(BOOL bClose) { m_bCloseSubMenuOnClick = bClose; }

    // --- State -----------------------------------------------------------------------------------
    BOOL GetEnabled() const { return m_bEnabled; }
    int GetChecked() const { return m_bChecked; }
    void SetChecked(int nChecked);
    int GetPressed() const { return m_bPressed; }
    void SetPressed(int nPressed) { m_bPressed = nPressed; }
    CRect GetRect() const { return m_rcControl; }
    CRect GetRowRect() const { return m_rcRow; }
    void SetRowRect(CRect rcRow) { m_rcRow = rcRow; }

    // --- Relations -------------------------------------------------------------------------------
    CTKPCommandBar* GetParent() const { return m_pParent; }
    CTKPControls* GetControls() const { return m_pControls; }
    // The parent's image manager, else the collection's command bars', else the process-wide one.
    CTKPImageManager* GetImageManager() const;
    // The parent's theme, else the command bars', else the process-wide theme (made when missing).
    CTKPCommandBarsTheme* GetPaintManager() const;
    BOOL IsCustomizeMode() const;

    // --- Document-template visibility ------------------------------------------------------------
    CMap<UINT, UINT, BOOL, BOOL>& GetAssignedDocTemplates() { return m_mapDocTemplatesAssigned; }
    CMap<UINT, UINT, BOOL, BOOL>& GetExcludedDocTemplates() { return m_mapDocTemplatesExcluded; }

    // --- Helpers for the bars --------------------------------------------------------------------
    void DelayLayoutParent();
    void DelayRedrawParent();
    // Invalidates the parent window now (no erasing).
    void RedrawParent();
    // The control notification with the code to the parent's owner site; 0 without a parent.
    LRESULT NotifySite(UINT nCode);
    BOOL IsCursorOver() const;
    // The press-and-hold loop: TRUE when released inside rcTrack (the control rectangle when empty),
    // after which the control has executed.
    BOOL TrackClick(CRect rcTrack = CRect(0, 0, 0, 0));
    void UpdateCustomizeCursor(CPoint point);

    // Accessibility.
    CCmdTarget* GetAccessibleOwner() override { return this; }
    STDMETHOD(get_accParent)(IDispatch** ppdispParent) override;
    STDMETHOD(get_accChildCount)(long* pcountChildren) override;
    STDMETHOD(get_accChild)(VARIANT varChild, IDispatch** ppdispChild) override;
    STDMETHOD(get_accName)(VARIANT varChild, BSTR* pszName) override;
    STDMETHOD(get_accDescription)(VARIANT varChild, BSTR* pszDescription) override;
    STDMETHOD(get_accRole)(VARIANT varChild, VARIANT* pvarRole) override;
    STDMETHOD(get_accState)(VARIANT varChild, VARIANT* pvarState) override;
    STDMETHOD(get_accDefaultAction)(VARIANT varChild, BSTR* pszDefaultAction) override;
    STDMETHOD(accDoDefaultAction)(VARIANT varChild) override;
    STDMETHOD(accSelect)(long flagsSelect, VARIANT varChild) override;
    STDMETHOD(accLocation)(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
    STDMETHOD(accHitTest)(long xLeft, long yTop, VARIANT* pvarChild) override;

protected:
    friend class CTKPControls;
    friend class CTKPCommandBar;

    // The resize drag of customisation: TRUE when the loop ran. Split out so tests reach the
    // edge arithmetic without a desktop DC.
    static int ClampResizeEdge(BOOL bLeftEdge, int nNewEdge, const CRect& rc, int nMinWidth);
    // Closes the popups when executing: a nested root only leaves tracking itself.
    void ClosePopupsOnExecute(CTKPCommandBar* pRoot, CTKPCommandBars* pCommandBars);

    DWORD_PTR m_nTag;
    int m_nIndex;
    int m_nId;
    int m_nIconId;
    int m_nCustomIconId;
    BOOL m_bWrap;
    BOOL m_bBeginGroup;
    BOOL m_bEnabled;
    int m_bChecked;
    int m_nSelected;
    int m_bPressed;
    BOOL m_bTemporary;
    CRect m_rcRow;
    CRect m_rcControl;
    DWORD m_dwHideFlags;
    DWORD m_dwFlags;
    CString m_strCaption;
    CString m_strCustomCaption;
    CString m_strShortcutText;
    CString m_strShortcutTextAuto;
    CString m_strTooltipText;
    CString m_strDescriptionText;
    CString m_strParameter;
    CTKPControls* m_pControls;
    int m_controlType;
    CTKPCommandBar* m_pParent;
    BOOL m_bExpanded;  // rarely used
    CString m_strCategory;
    BOOL m_bDefaultItem;
    CMap<UINT, UINT, BOOL, BOOL> m_mapDocTemplatesAssigned;
    CMap<UINT, UINT, BOOL, BOOL> m_mapDocTemplatesExcluded;
    int m_nStyle;
    int m_nCustomStyle;
    BOOL m_bCloseSubMenuOnClick;
};
