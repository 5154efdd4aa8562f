// The edit window of the command bars' edit and combo-box controls: a rich-edit window when a
// rich-edit library can be loaded (else a plain edit), with cut, copy and paste through the
// command route and a command-bar context menu, the keys the bar lets it have, and the IME state.
#pragma once

#include "classlib/win/CEdit.h"
#include "toolkit/commandbars/CommandBarsDefs.h"

#include <richedit.h>

// The rich-edit library of the process, loaded on first use and freed at exit: its window class
// (empty when neither library loads: plain edit windows are used) and whether it is version 2.
struct TKPRichEditLibrary {
    HMODULE hModule;
    CString strClassName;
    BOOL bRichEdit2;
};
const TKPRichEditLibrary& TKPGetRichEditLibrary();

// The default character format of a rich edit box: its text and back colours, in the structure's
// size for the library's version (116 bytes for version 2, 60 for version 1).
CHARFORMAT2W TKPMakeEditCharFormat(BOOL bRichEdit2, BOOL bEnabled, BOOL bHint);

class CTKPEdit : public CEdit {
    DECLARE_DYNCREATE(CTKPEdit)
public:
    CTKPEdit();

    enum { ID_EDIT_COPY_CMD = 57634, ID_EDIT_CUT_CMD = 57635, ID_EDIT_PASTE_CMD = 57637 };

    // A child of the style with an empty rectangle and id 0: of the rich-edit class (plain text,
    // single-level undo, change notifications) when the library is there, else a plain edit.
    virtual BOOL Create(DWORD dwStyle, CWnd* pParentWnd);
    // Cut, copy and paste in a command-bar popup at the client point; FALSE when no menu was shown
    // (the cut string is missing or the control is not on command bars).
    virtual BOOL ShowContextMenu(CTKPControl* pControl, CPoint point);

    // Paste: the clipboard holds text; cut and copy: the selection is not empty; others TRUE.
    BOOL IsCommandEnabled(UINT nID) const;
    // Back space and the keys 33 to 46 handed to the window at once: TRUE when it took them.
    BOOL FilterKey(UINT nChar, LPARAM lParam);
    BOOL IsComposing() const { return m_bComposition; }
    BOOL IsRichEdit() const { return m_bRichEdit; }
    // The default character format and no margins, in the toolkit's colours (grey while bHint).
    void SetEditFormat(BOOL bEnabled, BOOL bHint);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    afx_msg LRESULT OnImeStartComposition(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnImeEndComposition(WPARAM wParam, LPARAM lParam);
    afx_msg void OnKillFocus(CWnd* pNewWnd);

protected:
    BOOL m_bComposition;
    BOOL m_bRichEdit;

    DECLARE_MESSAGE_MAP()
};
