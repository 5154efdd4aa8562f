#include "classlib/win/DDXLists.h"

#include <vector>

namespace {

CString WindowText(HWND hWnd)
{
    int length = ::GetWindowTextLength(hWnd);
    std::vector<TCHAR> buffer((size_t)length + 1, 0);
    ::GetWindowText(hWnd, buffer.data(), length + 1);
    return CString(buffer.data());
}

CString ComboItemText(HWND hWnd, int index)
{
    int length = (int)::SendMessage(hWnd, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR)
        return CString();
    std::vector<TCHAR> buffer((size_t)length + 1, 0);
    ::SendMessage(hWnd, CB_GETLBTEXT, index, (LPARAM)buffer.data());
    return CString(buffer.data());
}

CString ListItemText(HWND hWnd, int index)
{
    int length = (int)::SendMessage(hWnd, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR)
        return CString();
    std::vector<TCHAR> buffer((size_t)length + 1, 0);
    ::SendMessage(hWnd, LB_GETTEXT, index, (LPARAM)buffer.data());
    return CString(buffer.data());
}

void SaveComboString(HWND hWndCtrl, CString& value)
{
    // A drop-down list has no edit part: its text is the selected item's, however long.
    if ((::GetWindowLong(hWndCtrl, GWL_STYLE) & 0x3) == CBS_DROPDOWNLIST) {
        int index = (int)::SendMessage(hWndCtrl, CB_GETCURSEL, 0, 0);
        value = index == CB_ERR ? CString() : ComboItemText(hWndCtrl, index);
        return;
    }
    value = WindowText(hWndCtrl);
}

} // namespace

void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessage(hWndCtrl, CB_GETCURSEL, 0, 0);
    else
        ::SendMessage(hWndCtrl, CB_SETCURSEL, (WPARAM)index, 0);
}

void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessage(hWndCtrl, LB_GETCURSEL, 0, 0);
    else
        ::SendMessage(hWndCtrl, LB_SETCURSEL, (WPARAM)index, 0);
}

void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        SaveComboString(hWndCtrl, value);
        return;
    }
    if (::SendMessage(hWndCtrl, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)(LPCTSTR)value) == CB_ERR)
        ::SetWindowText(hWndCtrl, value);
}

void AFXAPI DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        SaveComboString(hWndCtrl, value);
        return;
    }
    int index = (int)::SendMessage(hWndCtrl, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)(LPCTSTR)value);
    if (index != CB_ERR)
        ::SendMessage(hWndCtrl, CB_SETCURSEL, index, 0);
    else
        ::SetWindowText(hWndCtrl, value);
}

void AFXAPI DDX_LBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        int index = (int)::SendMessage(hWndCtrl, LB_GETCURSEL, 0, 0);
        value = index == LB_ERR ? CString() : ListItemText(hWndCtrl, index);
        return;
    }
    if (::SendMessage(hWndCtrl, LB_SELECTSTRING, (WPARAM)-1, (LPARAM)(LPCTSTR)value) == LB_ERR)
        ::SendMessage(hWndCtrl, LB_SETCURSEL, (WPARAM)-1, 0);
}

void AFXAPI DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        int index = (int)::SendMessage(hWndCtrl, LB_GETCURSEL, 0, 0);
        value = index == LB_ERR ? CString() : ListItemText(hWndCtrl, index);
        return;
    }
    int index = (int)::SendMessage(hWndCtrl, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)(LPCTSTR)value);
    ::SendMessage(hWndCtrl, LB_SETCURSEL, (WPARAM)(index == LB_ERR ? -1 : index), 0);
}
