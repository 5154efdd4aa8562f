// The common dialogs: CCommonDialog, the base; CFileDialog, the Open and Save As dialogs;
// CColorDialog, the colour chooser.
#pragma once

#include "classlib/win/CDialog.h"

#include <commdlg.h>
#include <vector>

class CCommonDialog : public CDialog {
    DECLARE_DYNAMIC(CCommonDialog)
public:
    explicit CCommonDialog(CWnd* pParentWnd) { m_pParentWnd = pParentWnd; }

protected:
    // The window that owns the dialog: the given parent, else the main window.
    HWND OwnerWindow() const;
};

class CFileDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CFileDialog)
public:
    // lpszFilter: pairs of "description|pattern|", ending with "|" (e.g. "Images|*.bmp;*.png||").
    explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = nullptr,
                         CWnd* pParentWnd = nullptr);

    OPENFILENAME m_ofn;

    INT_PTR DoModal() override;

    // The chosen file (for a multiple selection, the folder).
    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;
    BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) != 0; }
    // The full paths of a multiple selection; NULL at once when nothing was chosen.
    POSITION GetStartPosition() const;
    CString GetNextPathName(POSITION& pos) const;

protected:
    BOOL m_bOpenFileDialog;
    CString m_strDefExt;
    std::vector<TCHAR> m_filter;
    TCHAR m_szFileTitle[64];
    TCHAR m_szFileName[MAX_PATH];
};

class CColorDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CColorDialog)
public:
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);

    CHOOSECOLOR m_cc;

    INT_PTR DoModal() override;
    COLORREF GetColor() const { return m_cc.rgbResult; }
    void SetCurrentColor(COLORREF clr);
    // The sixteen custom colours, shared by every colour dialog of the process.
    static COLORREF* PASCAL GetSavedCustomColors();
};
