// CFileTypeTreeCtrl: the tree of the File Types dialog. "File Types" at the top, one folder per
// category of the signature table and one item per file type (extension) in it, each with a check
// box: ticking an item ticks everything below it; a folder is ticked when all its items are, partly
// ticked while they differ. The tree handles the hits on its boxes itself.
#pragma once

#include <string>
#include <vector>

#include "classlib/win/AfxWin.h"
#include "engine/scan/SignatureRecord.h"

class CFileTypeTreeCtrl : public CTreeCtrl {
public:
    static const wchar_t kRootText[];  // "File Types"

    CFileTypeTreeCtrl();
    ~CFileTypeTreeCtrl() override;

    // The check boxes and the shell's small images; call once the window exists.
    void Init();
    // The root, the category folders and the types of the records (each type once per folder, records
    // without an extension left out); everything ticked and the root open.
    void Load(const std::vector<SignatureRecord>& records);

    // -1 no box, 0 unchecked, 1 checked, 2 partly checked.
    int GetCheck(HTREEITEM item) const;
    // Ticks or clears the item and everything below it; the folders above follow.
    void SetCheck(HTREEITEM item, bool checked);
    void ToggleCheck(HTREEITEM item);
    // The ticked types, every item of the tree visited (closed folders too), in the tree's order.
    std::vector<std::u16string> CheckedTypes() const;

    // What a left click at a client point does (the tests call it without the mouse).
    void ClickAt(CPoint point);

protected:
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    DECLARE_MESSAGE_MAP()

private:
    void SetState(HTREEITEM item, int index);
    void UpdateParents(HTREEITEM item);
    HTREEITEM FindChild(HTREEITEM parent, const CString& text) const;
    HTREEITEM InsertChild(HTREEITEM parent, const CString& text, int image);

    CImageList m_checks;
    bool m_bImages = false;
};
