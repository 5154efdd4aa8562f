#include "classlib/win/CRichEditCtrl.h"

#include <vector>

IMPLEMENT_DYNAMIC(CRichEditCtrl, CWnd)

namespace {

// Loaded once for the process and kept until it ends: the window classes live in the modules.
BOOL LoadOnce(HMODULE& module, LPCTSTR name)
{
    if (module == nullptr)
        module = ::LoadLibrary(name);
    return module != nullptr;
}

HMODULE g_richEdit1 = nullptr;
HMODULE g_richEdit2 = nullptr;

} // namespace

BOOL AFXAPI AfxInitRichEdit()
{
    // The 1.0 class for windows created by name, and the 2.0 class that Create uses.
    BOOL bResult = LoadOnce(g_richEdit1, L"RICHED32.DLL");
    return AfxInitRichEdit2() && bResult;
}

BOOL AFXAPI AfxInitRichEdit2()
{
    return LoadOnce(g_richEdit2, L"RICHED20.DLL");
}

BOOL CRichEditCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    // The 2.0 class: its text messages are Unicode, as this program's strings are (the 1.0
    // class answers them in the ANSI code page).
    if (!AfxInitRichEdit2())
        return FALSE;
    return CWnd::Create(RICHEDIT_CLASSW, nullptr, dwStyle, rect, pParentWnd, nID);
}

void CRichEditCtrl::SetSel(long nStartChar, long nEndChar)
{
    CHARRANGE cr = {nStartChar, nEndChar};
    SetSel(cr);
}

void CRichEditCtrl::GetSel(long& nStartChar, long& nEndChar) const
{
    CHARRANGE cr = {0, 0};
    GetSel(cr);
    nStartChar = cr.cpMin;
    nEndChar = cr.cpMax;
}

CString CRichEditCtrl::GetSelText() const
{
    CHARRANGE cr = {0, 0};
    GetSel(cr);
    long length = cr.cpMax - cr.cpMin;
    if (length <= 0)
        return CString();
    // A selection can hold line breaks written as two characters: leave room.
    std::vector<TCHAR> buffer((size_t)length * 2 + 1, 0);
    ::SendMessage(m_hWnd, EM_GETSELTEXT, 0, (LPARAM)buffer.data());
    return CString(buffer.data());
}

BOOL CRichEditCtrl::SetDefaultCharFormat(CHARFORMAT& cf)
{
    cf.cbSize = sizeof(CHARFORMAT);
    return (BOOL)::SendMessage(m_hWnd, EM_SETCHARFORMAT, SCF_DEFAULT, (LPARAM)&cf);
}

DWORD CRichEditCtrl::GetDefaultCharFormat(CHARFORMAT& cf) const
{
    cf.cbSize = sizeof(CHARFORMAT);
    return (DWORD)::SendMessage(m_hWnd, EM_GETCHARFORMAT, SCF_DEFAULT, (LPARAM)&cf);
}

BOOL CRichEditCtrl::SetSelectionCharFormat(CHARFORMAT& cf)
{
    cf.cbSize = sizeof(CHARFORMAT);
    return (BOOL)::SendMessage(m_hWnd, EM_SETCHARFORMAT, SCF_SELECTION, (LPARAM)&cf);
}

DWORD CRichEditCtrl::GetSelectionCharFormat(CHARFORMAT& cf) const
{
    cf.cbSize = sizeof(CHARFORMAT);
    return (DWORD)::SendMessage(m_hWnd, EM_GETCHARFORMAT, SCF_SELECTION, (LPARAM)&cf);
}

BOOL CRichEditCtrl::SetParaFormat(PARAFORMAT& pf)
{
    pf.cbSize = sizeof(PARAFORMAT);
    return (BOOL)::SendMessage(m_hWnd, EM_SETPARAFORMAT, 0, (LPARAM)&pf);
}

DWORD CRichEditCtrl::GetParaFormat(PARAFORMAT& pf) const
{
    pf.cbSize = sizeof(PARAFORMAT);
    return (DWORD)::SendMessage(m_hWnd, EM_GETPARAFORMAT, 0, (LPARAM)&pf);
}

long CRichEditCtrl::GetTextRange(int nFirst, int nLast, CString& refString) const
{
    if (nLast < 0)
        nLast = (int)GetTextLength();
    if (nLast <= nFirst || nFirst < 0) {
        refString.Empty();
        return 0;
    }
    std::vector<TCHAR> buffer((size_t)(nLast - nFirst) + 1, 0);
    TEXTRANGE range = {};
    range.chrg.cpMin = nFirst;
    range.chrg.cpMax = nLast;
    range.lpstrText = buffer.data();
    long copied = (long)::SendMessage(m_hWnd, EM_GETTEXTRANGE, 0, (LPARAM)&range);
    refString = CString(buffer.data());
    return copied;
}
