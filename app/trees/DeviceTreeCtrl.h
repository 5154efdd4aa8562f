// CDeviceTreeCtrl: the tree of sources on the drive page ("My Computer", "Physical Devices", the
// opened "Virtual Hard Disk") and of partitions on the partition page ("Virtual Hard Disk " and its
// "Partition" items). Choosing an item, by a click or with the Up and Down keys, sets the engine's
// source words and volume parameters and the main frame's chosen item. Every item carries a check
// box kept in its state image (0 none, 1 unchecked, 2 checked); a checked item is bold, and a parent
// is bold while any of its children is.
#pragma once

#include "classlib/win/AfxWin.h"

class CDeviceTreeCtrl : public CTreeCtrl {
public:
    CDeviceTreeCtrl();
    ~CDeviceTreeCtrl() override;

    // The icons (images 0 to 6), the check boxes and the pointers; call once the window exists.
    void Init();
    // Adds each missing component of a backslash-separated path (ending with a backslash) under the
    // previous one, from the root; then checks the first root item with all below it and brings the
    // parents' check and bold state up to date. Returns the last component's item.
    HTREEITEM AddPath(const CString& path);
    // Finds or inserts the disk item at the root and inserts the partition item under it, checked and
    // bold. Returns the partition's item.
    HTREEITEM AddPartitionItem(const CString& diskText, const CString& partitionText);
    void ExpandRoot();

    // The selection handling of a chosen item; returns its text.
    CString OnSelectItem(HTREEITEM item);

    // -1 no box, 0 unchecked, 1 checked.
    int GetCheck(HTREEITEM item) const;
    void SetChecked(HTREEITEM item);
    void SetUnchecked(HTREEITEM item);
    // Unchecks the item and every item below it.
    void UncheckTree(HTREEITEM item);
    // The state-icon click: a checked item is unchecked with everything below it; an unchecked one is
    // checked (a branch header also checks and expands its children); then the parents follow.
    void ToggleCheck(HTREEITEM item);
    // Every parent up to the root: checked when none of its children is unchecked, else unchecked;
    // bold when any of its children is bold.
    void UpdateParents(HTREEITEM item);
    BOOL IsBold(HTREEITEM item) const;

    // The number of visible items above the item minus one: -1 for the top item, -2 for no item.
    int GetItemRow(HTREEITEM item) const;
    // The item's texts from the root down, joined with backslashes.
    CString GetItemPath(HTREEITEM item) const;
    // The image of an item by its level and text (the drive type of a root item's text).
    int ImageFor(HTREEITEM parent, const CString& text) const;

    // Branch headers, whose check goes to their children too.
    static bool IsBranchHeader(const CString& text);

    // Tests: what a left click at a client point does, without the mouse.
    void ClickAt(CPoint point);

protected:
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyDownNotify(NMHDR* pNMHDR, LRESULT* pResult);
    // Commands 32003 and 32004: the selected item checked with its children, or unchecked with all
    // below it, and the parents brought up to date.
    afx_msg void OnUpdateCheckSelected(CCmdUI* pCmdUI);
    afx_msg void OnUpdateUncheckSelected(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    HTREEITEM InsertChild(HTREEITEM parent, const CString& text);
    HTREEITEM FindChild(HTREEITEM parent, const CString& text) const;
    void SetState(HTREEITEM item, int checkIndex, BOOL bold);
    void CheckWithChildren(HTREEITEM item);
    void SetPointer(UINT hitFlags);

    CMenu m_menu;  // never filled
    CImageList m_images;
    CImageList m_checks;
    HCURSOR m_itemCursor = nullptr;   // over an item
    HCURSOR m_areaCursor = nullptr;   // elsewhere on the hit area
    HCURSOR m_pressCursor = nullptr;  // on an item's button, label or check box
};
