#include "classlib/win/CEdit.h"
#include "classlib/win/Geometry.h"

IMPLEMENT_DYNAMIC(CEdit, CWnd)

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(L"EDIT", nullptr, dwStyle, rect, pParentWnd, nID);
}

void CEdit::GetSel(int& nStartChar, int& nEndChar) const
{
    DWORD start = 0, end = 0;
    ::SendMessage(m_hWnd, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
    nStartChar = (int)start;
    nEndChar = (int)end;
}

int CEdit::GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const
{
    // EM_GETLINE reads the buffer size from the buffer's first word; a buffer too small to hold
    // that word gets nothing.
    if (lpszBuffer == nullptr || nMaxLength < 1)
        return 0;
    *reinterpret_cast<LPWORD>(lpszBuffer) = (WORD)(nMaxLength > 0xFFFF ? 0xFFFF : nMaxLength);
    return (int)::SendMessage(m_hWnd, EM_GETLINE, nIndex, (LPARAM)lpszBuffer);
}

int CEdit::GetLine(int nIndex, LPTSTR lpszBuffer) const
{
    // The caller has put the buffer's size into its first word.
    return lpszBuffer ? (int)::SendMessage(m_hWnd, EM_GETLINE, nIndex, (LPARAM)lpszBuffer) : 0;
}

void CEdit::SetSel(DWORD dwSelection, BOOL bNoScroll)
{
    ::SendMessage(m_hWnd, EM_SETSEL, LOWORD(dwSelection), HIWORD(dwSelection));
    if (!bNoScroll)
        ::SendMessage(m_hWnd, EM_SCROLLCARET, 0, 0);
}

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll)
{
    ::SendMessage(m_hWnd, EM_SETSEL, nStartChar, nEndChar);
    if (!bNoScroll)
        ::SendMessage(m_hWnd, EM_SCROLLCARET, 0, 0);
}

CPoint CEdit::PosFromChar(UINT nChar) const
{
    return CPoint((DWORD)::SendMessage(m_hWnd, EM_POSFROMCHAR, nChar, 0));
}
