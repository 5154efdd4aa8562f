// CTKEdit: an edit control with the usual editing commands on a context menu and a buffered paint;
// CTKFlatEdit (FlatEdit.h) adds a flat border that lights up under the cursor.
#pragma once

#include "classlib/win/AfxCtrls.h"

// The editing commands of the context menu.
enum : UINT {
    ID_TKEDIT_CLEAR = 57632,
    ID_TKEDIT_COPY = 57634,
    ID_TKEDIT_CUT = 57635,
    ID_TKEDIT_PASTE = 57637,
    ID_TKEDIT_SELECT_ALL = 57642,
    ID_TKEDIT_UNDO = 57643,
};

class CTKEdit : public CEdit {
    DECLARE_DYNAMIC(CTKEdit)
public:
    CTKEdit() {}

    // Text is selected (Cut, Copy and Delete).
    virtual BOOL HasSelection();
    // The clipboard holds text the edit can take (Paste).
    virtual BOOL CanPaste();

    // Paints the client area through a memory buffer (also used as another window's paint).
    afx_msg void OnPaint();

protected:
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnEditUndo();
    afx_msg void OnEditCut();
    afx_msg void OnEditCopy();
    afx_msg void OnEditPaste();
    afx_msg void OnEditClear();
    afx_msg void OnEditSelectAll();
    afx_msg void OnUpdateEditUndo(CCmdUI* pCmdUI);
    afx_msg void OnUpdateNeedsSelection(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEditPaste(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEditSelectAll(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
};
