// CFileSystemTreeCtrl: the tree of the file-system page, "File System" and one item per file system
// the Extensive Scan found. Choosing an item, by a click or with the keys, tells the page.
#pragma once

#include <functional>

#include "classlib/win/AfxWin.h"

class CFileSystemTreeCtrl : public CTreeCtrl {
public:
    CFileSystemTreeCtrl();
    ~CFileSystemTreeCtrl() override;

    // The icons, the check boxes and the pointers; call once the window exists.
    void Init();
    // Inserts an item as the parent's last child (null: a top item) and returns it.
    HTREEITEM AddItem(const CString& text, HTREEITEM parent);
    // Called with the item chosen (by a click on its icon or label, or by the keys).
    void SetChooseHandler(std::function<void(HTREEITEM)> choose) { m_choose = std::move(choose); }

    // What a left click at a client point does (the tests call it without the mouse).
    void ClickAt(CPoint point);

protected:
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    DECLARE_MESSAGE_MAP()

private:
    void SetPointer(UINT hitFlags, bool pressed);

    std::function<void(HTREEITEM)> m_choose;
    CImageList m_images;
    CImageList m_checks;
    HCURSOR m_buttonCursor = nullptr;  // 250, over an expand button
    HCURSOR m_itemCursor = nullptr;    // 264, over an item
    HCURSOR m_pressCursor = nullptr;   // 265, while an item is clicked
};
