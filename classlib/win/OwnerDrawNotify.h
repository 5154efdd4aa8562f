// Dispatch of the owner-draw messages a parent reflects to a list box or combo box.
#pragma once

#include <windows.h>

// Calls pCtrl's DrawItem, MeasureItem, CompareItem or DeleteItem for WM_DRAWITEM, WM_MEASUREITEM,
// WM_COMPAREITEM or WM_DELETEITEM, stores the answer in *pResult and returns TRUE; FALSE for any
// other message.
template <class TCtrl>
BOOL AfxOwnerDrawNotify(TCtrl* pCtrl, UINT message, LPARAM lParam, LRESULT* pResult)
{
    LRESULT result = 0;
    switch (message) {
    case WM_DRAWITEM:
        pCtrl->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        result = TRUE;
        break;
    case WM_MEASUREITEM:
        pCtrl->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        result = TRUE;
        break;
    case WM_COMPAREITEM:
        result = pCtrl->CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
        break;
    case WM_DELETEITEM:
        pCtrl->DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
        result = TRUE;
        break;
    default:
        return FALSE;
    }
    if (pResult != nullptr)
        *pResult = result;
    return TRUE;
}
