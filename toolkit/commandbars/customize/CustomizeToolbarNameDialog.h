// Asks for the name of a new toolbar, or for a new name of a user toolbar. It offers "Custom N" for
// a new toolbar, refuses an empty name and a name another bar has, and gives a new toolbar the
// first free id of the user toolbars' range.
#pragma once

#include "classlib/win/CDialog.h"
#include "toolkit/commandbars/CommandBarsDefs.h"

class CTKPCustomizeToolbarNameDialog : public CDialog {
    DECLARE_DYNAMIC(CTKPCustomizeToolbarNameDialog)
public:
    // The ids of user toolbars: from the first up to, not including, the end.
    enum { idFirstUserBar = 59392, idEndUserBars = 59647 };
    // What OK does with the name: close, stay open, or close as cancelled (no id left).
    enum NameCheck { nameAccepted, nameRejected, nameNoIdLeft };

    CTKPCustomizeToolbarNameDialog(CTKPCommandBars* pCommandBars, CTKPCommandBar* pBarToRename = NULL,
        CWnd* pParent = NULL);

    INT_PTR DoModal() override;
    // Modeless, for tests and galleries.
    BOOL CreateModeless(CWnd* pParent);

    // "Custom n" with the smallest n (from 1) that no bar's title equals.
    static CString MakeDefaultName(CTKPCommandBars* pCommandBars);
    // Checks m_strName (messages shown through the resource manager); for a new toolbar it also
    // picks m_nNewID.
    NameCheck CheckName();

    int m_nNewID;
    CString m_strName;
    CTKPCommandBar* m_pBar;
    CTKPCommandBars* m_pCommandBars;

    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* pDX) override;
};
