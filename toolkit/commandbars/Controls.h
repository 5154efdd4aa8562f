// The ordered controls of one command bar: it holds one reference per control and keeps every
// control's index, collection and parent current; makes controls by kind or from the items of a
// menu (asking the site window first); finds, hit-tests and steps through them for the keyboard;
// keeps an optional copy of itself from before customisation; and lays the controls out in rows or
// columns (the arithmetic is CTKPControlLayout's).
#pragma once

#include "classlib/core/CArray.h"
#include "toolkit/commandbars/CommandBarsDefs.h"

class CTKPControls : public CCmdTarget {
    DECLARE_DYNCREATE(CTKPControls)
public:
    CTKPControls();
    ~CTKPControls() override;

    // Stores the bar and refreshes the controls' links.
    void SetParent(CTKPCommandBar* pParent);
    CTKPCommandBar* GetParent() const { return m_pParent; }
    // The parent bar's command bars, else the ones stored here.
    CTKPCommandBars* GetCommandBars() const;
    void SetCommandBars(CTKPCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }

    int GetCount() const { return (int)m_arrControls.GetSize(); }
    CTKPControl* GetAt(int nIndex) const;
    CTKPControl* GetFirst() const { return GetAt(0); }
    CTKPControl* GetNext(CTKPControl* pControl) const;

    // Takes over the caller's reference; inserts before nBefore (appends when out of range).
    CTKPControl* Add(CTKPControl* pControl, int nId, LPCTSTR lpszParameter = NULL, int nBefore = -1,
        BOOL bTemporary = FALSE);
    // A new control of the kind (TKPControlType).
    CTKPControl* Add(int nType, int nId, LPCTSTR lpszParameter = NULL, int nBefore = -1, BOOL bTemporary = FALSE);
    CTKPControl* AddClone(CTKPControl* pControl, int nBefore = -1, BOOL bRecursive = FALSE);
    // The control for one menu item (null for id 0xFF00), appended.
    CTKPControl* AddMenuItem(CMenu* pMenu, int nIndex);
    // Appends the controls of every item; separators make the next control begin a group.
    BOOL LoadMenu(CMenu* pMenu);

    void Remove(CTKPControl* pControl);
    void Remove(int nIndex);
    void RemoveAll();

    CTKPControl* FindControl(int nId) const { return FindControl(0, nId, FALSE, FALSE); }
    // Type 0 matches any type, id -1 any id; with bVisible only controls without hide flags.
    CTKPControl* FindControl(int nType, int nId, BOOL bVisible, BOOL bRecursive) const;
    CTKPControl* HitTest(CPoint point) const;
    // Keyboard navigation: the next eligible index from nIndex in the step's direction, or -1.
    int GetNext(int nIndex, int nDirection, BOOL bKeyboard = TRUE, BOOL bSkipTemporary = FALSE,
        BOOL bLenient = TRUE) const;
    // Controls without hide flags; unless bStrict, overflowed controls count too.
    int GetVisibleCount(BOOL bStrict = TRUE) const;

    // A new collection of clones of the controls that are not temporary (and of the saved copy).
    CTKPControls* Duplicate(BOOL bRecursive = FALSE);
    void CreateSavedCopy();
    // Takes the caller's reference; releases the previous copy.
    void SetSavedCopy(CTKPControls* pSavedCopy);
    void ClearSavedCopy();
    CTKPControls* GetSavedCopy() const { return m_pSavedCopy; }
    BOOL Compare(CTKPControls* pOther);
    BOOL IsChanged();

    // The layout of the controls for a length and a mode (LM_ bits); the size includes rcBorders
    // (left, top, right, bottom widths). With LM_COMMIT the controls take their places. *pbOverflow
    // tells whether the controls took more than one row or some were hidden for lack of room.
    CSize CalcDynamicSize(CDC* pDC, int nLength, DWORD dwMode, const CRect& rcBorders, int nMinThickness = 0,
        BOOL* pbOverflow = NULL);

    void DoPropExchange(CTKPPropExchange* pPX);

    // The creation of a control by kind and id (window list, toolbars list... when those classes are
    // part of the program, else a plain button); the caller owns the reference.
    CTKPControl* CreateControl(int nType, int nId);
    // A button by its id: the window list, workspace actions, toolbars list and recent-file list get
    // their own classes when present; from a menu item (its caption given) 0xE110 is the recent-file
    // list and 0xE210 with "<<OLE VERBS GO HERE>>" the OLE verbs.
    static CTKPControl* CreateButton(int nId, const CString* pMenuCaption);

protected:
    friend class CTKPCommandBar;

    // Every control's index, collection link and parent; then the bar's OnControlsChanged.
    void RefreshIndexes();
    void InsertAt(CTKPControl* pControl, int nBefore);
    // The popup bar of a new popup control: asked of the site, else a new one, filled from the menu
    // resource of the id when there is one.
    CTKPCommandBar* CreatePopupBarFor(int nId, CMenu* pSubMenu);
    CWnd* GetSite() const;

    CTKPCommandBar* m_pParent;
    CArray<CTKPControl*, CTKPControl*> m_arrControls;
    CTKPCommandBars* m_pCommandBars;
    CTKPControls* m_pSavedCopy;
};
