#include "classlib/win/CStatusBarCtrl.h"

#include <vector>

IMPLEMENT_DYNAMIC(CStatusBarCtrl, CWnd)

BOOL CStatusBarCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(STATUSCLASSNAME, nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CStatusBarCtrl::SetText(LPCTSTR lpszText, int nPane, int nType)
{
    // SB_SETTEXT takes the pane in the low byte and the type in the high byte of one word.
    if (nPane < 0 || nPane > 255)
        return FALSE;
    return (BOOL)::SendMessage(m_hWnd, SB_SETTEXT, (WPARAM)(nPane | nType), (LPARAM)lpszText);
}

int CStatusBarCtrl::GetTextLength(int nPane, int* pType) const
{
    DWORD result = (DWORD)::SendMessage(m_hWnd, SB_GETTEXTLENGTH, nPane, 0);
    if (pType != nullptr)
        *pType = HIWORD(result);
    return LOWORD(result);
}

CString CStatusBarCtrl::GetText(int nPane, int* pType) const
{
    int type = 0;
    int length = GetTextLength(nPane, &type);
    if (pType != nullptr)
        *pType = type;
    // An owner-drawn pane holds data, not text.
    if (type & SBT_OWNERDRAW)
        return CString();
    std::vector<TCHAR> buffer((size_t)length + 1, 0);
    ::SendMessage(m_hWnd, SB_GETTEXT, nPane, (LPARAM)buffer.data());
    return CString(buffer.data());
}

BOOL CStatusBarCtrl::GetBorders(int& nHorz, int& nVert, int& nSpacing) const
{
    int borders[3] = {0, 0, 0};
    BOOL ok = GetBorders(borders);
    if (ok) {
        nHorz = borders[0];
        nVert = borders[1];
        nSpacing = borders[2];
    }
    return ok;
}

void CStatusBarCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CStatusBarCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    if (pResult != nullptr)
        *pResult = TRUE;
    return TRUE;
}
