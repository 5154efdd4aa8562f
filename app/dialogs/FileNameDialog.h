// The program's own small wrapper of the common Open and Save dialogs (the snapshot commands use
// it): one record, a 260-character file-name buffer of its own, and the walk over a multiple
// selection.
#pragma once

#include "classlib/win/AfxWin.h"

#include <commdlg.h>

class CFileNameDialog {
public:
    // openDialog: nonzero for Open, zero for Save. fileName: the caller's buffer of 260 characters,
    // or null for the dialog's own. filter: a list of pairs, each part ended by a NUL, the whole list
    // by a second NUL. OFN_EXPLORER is always added to flags.
    CFileNameDialog(BOOL openDialog, LPCWSTR defaultExtension, LPWSTR fileName, DWORD flags, LPCWSTR filter,
        CWnd* owner);
    virtual ~CFileNameDialog() = default;

    // IDOK when the user confirmed, IDCANCEL otherwise.
    virtual INT_PTR DoModal();

    CString GetPathName() const;
    // For a multiple selection: the next full path from position (0 starts at the first name), and
    // the position of the name after it (0 after the last).
    CString GetNextPathName(size_t& position) const;

    // The record size the dialog is given on a system of that major version.
    static DWORD RecordSizeFor(DWORD majorVersion);

    OPENFILENAMEW m_ofn;

private:
    BOOL m_bOpenDialog;
    wchar_t m_szFileName[MAX_PATH] = {};
    wchar_t m_szFileTitle[MAX_PATH] = {};
};
