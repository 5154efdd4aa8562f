#include "classlib/win/CFileDialog.h"
#include "classlib/win/CWinApp.h"

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)
IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CColorDialog, CCommonDialog)

HWND CCommonDialog::OwnerWindow() const
{
    CWnd* pOwner = m_pParentWnd != nullptr ? m_pParentWnd : AfxGetMainWnd();
    return pOwner->GetSafeHwnd();
}

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_bOpenFileDialog(bOpenFileDialog)
{
    memset(&m_ofn, 0, sizeof(m_ofn));
    m_szFileName[0] = 0;
    m_szFileTitle[0] = 0;
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = MAX_PATH;
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = 64;
    m_ofn.Flags = dwFlags | OFN_EXPLORER;
    if (lpszDefExt != nullptr) {
        m_strDefExt = lpszDefExt;
        m_ofn.lpstrDefExt = m_strDefExt;
    }
    if (lpszFileName != nullptr)
        lstrcpyn(m_szFileName, lpszFileName, MAX_PATH);
    if (lpszFilter != nullptr) {
        // The common dialog wants "description\0pattern\0...\0\0".
        for (LPCTSTR p = lpszFilter; *p != 0; ++p)
            m_filter.push_back(*p == '|' ? (TCHAR)0 : *p);
        m_filter.push_back(0);
        m_filter.push_back(0);
        m_ofn.lpstrFilter = m_filter.data();
    }
}

INT_PTR CFileDialog::DoModal()
{
    m_ofn.hwndOwner = OwnerWindow();
    // A failed dialog leaves no name behind that could pass for a choice.
    BOOL bResult = m_bOpenFileDialog ? ::GetOpenFileName(&m_ofn) : ::GetSaveFileName(&m_ofn);
    return bResult ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const
{
    return m_ofn.lpstrFile != nullptr ? CString(m_ofn.lpstrFile) : CString();
}

CString CFileDialog::GetFileName() const
{
    if (m_ofn.lpstrFileTitle != nullptr && m_ofn.lpstrFileTitle[0] != 0)
        return CString(m_ofn.lpstrFileTitle);
    CString path = GetPathName();
    int slash = path.ReverseFind('\\');
    int forward = path.ReverseFind('/');
    if (forward > slash)
        slash = forward;
    return path.Mid(slash + 1);
}

CString CFileDialog::GetFileExt() const
{
    if (m_ofn.lpstrFile == nullptr || m_ofn.nFileExtension == 0)
        return CString();
    return CString(m_ofn.lpstrFile + m_ofn.nFileExtension);
}

CString CFileDialog::GetFileTitle() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot >= 0 ? name.Left(dot) : name;
}

POSITION CFileDialog::GetStartPosition() const
{
    if (m_ofn.lpstrFile == nullptr || m_ofn.lpstrFile[0] == 0)
        return nullptr;
    return (POSITION)m_ofn.lpstrFile;
}

CString CFileDialog::GetNextPathName(POSITION& pos) const
{
    LPCTSTR lpsz = (LPCTSTR)pos;
    if (lpsz == nullptr) {
        return CString();
    }
    if (lpsz == m_ofn.lpstrFile) {
        // One file: the buffer holds its whole path.
        if ((m_ofn.Flags & OFN_ALLOWMULTISELECT) == 0) {
            pos = nullptr;
            return CString(m_ofn.lpstrFile);
        }
        lpsz += lstrlen(lpsz) + 1;
        if (*lpsz == 0) {
            pos = nullptr;
            return CString(m_ofn.lpstrFile);
        }
    }
    // Several files: the folder, then each name, each ended by a zero, the list by two.
    CString strPath(m_ofn.lpstrFile);
    CString strFileName(lpsz);
    lpsz += lstrlen(lpsz) + 1;
    pos = *lpsz == 0 ? nullptr : (POSITION)lpsz;
    int length = strPath.GetLength();
    if (length > 0 && (strPath[length - 1] == '\\' || strPath[length - 1] == '/'))
        return strPath + strFileName;
    return strPath + L"\\" + strFileName;
}

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd)
{
    memset(&m_cc, 0, sizeof(m_cc));
    m_cc.lStructSize = sizeof(m_cc);
    m_cc.lpCustColors = GetSavedCustomColors();
    m_cc.Flags = dwFlags;
    if ((m_cc.rgbResult = clrInit) != 0)
        m_cc.Flags |= CC_RGBINIT;
}

COLORREF* PASCAL CColorDialog::GetSavedCustomColors()
{
    static COLORREF colors[16] = {RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                  RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                  RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                  RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)};
    return colors;
}

INT_PTR CColorDialog::DoModal()
{
    m_cc.hwndOwner = OwnerWindow();
    return ::ChooseColor(&m_cc) ? IDOK : IDCANCEL;
}

void CColorDialog::SetCurrentColor(COLORREF clr)
{
    m_cc.rgbResult = clr;
    m_cc.Flags |= CC_RGBINIT;
}
