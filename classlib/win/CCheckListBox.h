// CCheckListBox: an owner-drawn list box with a check box before each item. The check state
// (and whether the item is enabled) travels with the item; the item data the program sets stays
// its own. A click on the box (which also selects its row and moves the caret there, as any click
// does), or the space bar on the caret's row, changes the state and tells the parent with
// CLBN_CHKCHANGE. The list box must be LBS_OWNERDRAWFIXED (or VARIABLE) with LBS_HASSTRINGS.
#pragma once

#include "classlib/win/CListBox.h"
#include "classlib/win/Geometry.h"

#define CLBN_CHKCHANGE 40

class CCheckListBox : public CListBox {
    DECLARE_DYNAMIC(CCheckListBox)
public:
    CCheckListBox();
    virtual ~CCheckListBox();

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override;

    // BS_CHECKBOX, BS_AUTOCHECKBOX (the default), BS_AUTO3STATE or BS_3STATE.
    void SetCheckStyle(UINT nStyle);
    UINT GetCheckStyle() const { return m_nStyle; }
    // 0 unchecked, 1 checked, 2 indeterminate (three-state styles only).
    void SetCheck(int nIndex, int nCheck);
    int GetCheck(int nIndex) const;
    void Enable(int nIndex, BOOL bEnabled = TRUE);
    BOOL IsEnabled(int nIndex) const;

    // Where the check box of an item goes; rectCheckBox is its size at the item's origin.
    virtual CRect OnGetCheckPosition(CRect rectItem, CRect rectCheckBox);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnLBAddString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLBInsertString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLBDeleteString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLBResetContent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLBGetItemData(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLBSetItemData(WPARAM wParam, LPARAM lParam);

protected:
    struct CheckData {
        int nCheck = 0;
        BOOL bEnabled = TRUE;
        DWORD_PTR dwUserData = 0;
    };
    UINT m_nStyle;

    CheckData* GetCheckData(int nIndex) const;
    // Attaches fresh check data to the item just added at nIndex.
    void AttachCheckData(int nIndex);
    void FreeAllCheckData();
    CRect CheckBoxRect(int nIndex);
    // The user changed the box of nIndex: next state, then the parent hears of it.
    void ToggleByUser(int nIndex);

    DECLARE_MESSAGE_MAP()
};
