#include "toolkit/commandbars/ToolTipRecord.h"

#include <cstdlib>
#include <cwchar>

namespace {

LPWSTR HeapCopy(const CString& str)
{
    const int nLength = str.GetLength();
    LPWSTR p = static_cast<LPWSTR>(calloc(nLength + 1, sizeof(WCHAR)));
    if (p != NULL)
        wmemcpy(p, static_cast<LPCWSTR>(str), nLength);
    return p;
}

BOOL IsHeapText(LPCWSTR p)
{
    return p != NULL && p != LPSTR_TEXTCALLBACKW && !IS_INTRESOURCE(p);
}

}  // namespace

void FillToolInfo(TOOLINFO* pInfo, HWND hWnd, RECT rect, UINT_PTR nId, const CString& strText, const CString& strTitle,
    const CString& strDescription)
{
    if (pInfo == NULL || pInfo->cbSize < TKP_TOOLINFO_MIN_SIZE)
        return;
    pInfo->hwnd = hWnd;
    pInfo->rect = rect;
    pInfo->uId = nId;
    pInfo->lpszText = HeapCopy(strText);
    TKPTOOLINFO* pExtended = TKPGetExtendedToolInfo(pInfo);
    if (pExtended != NULL && !strTitle.IsEmpty() && !strDescription.IsEmpty()) {
        pExtended->lpszDescription = HeapCopy(strDescription);
        pExtended->lpszTitle = HeapCopy(strTitle);
    }
}

TKPTOOLINFO* TKPGetExtendedToolInfo(TOOLINFO* pInfo)
{
    if (pInfo == NULL || pInfo->cbSize != sizeof(TKPTOOLINFO))
        return NULL;
    return reinterpret_cast<TKPTOOLINFO*>(pInfo);
}

void TKPFreeToolInfoTexts(TOOLINFO* pInfo)
{
    if (pInfo == NULL)
        return;
    if (IsHeapText(pInfo->lpszText)) {
        free(pInfo->lpszText);
        pInfo->lpszText = NULL;
    }
    if (TKPTOOLINFO* pExtended = TKPGetExtendedToolInfo(pInfo)) {
        free(pExtended->lpszDescription);
        free(pExtended->lpszTitle);
        pExtended->lpszDescription = NULL;
        pExtended->lpszTitle = NULL;
    }
}

void TKPToPlatformToolInfo(const TOOLINFO* pInfo, TTTOOLINFOW* pOut)
{
    ZeroMemory(pOut, sizeof(*pOut));
    pOut->cbSize = TTTOOLINFOW_V2_SIZE;
    pOut->uFlags = pInfo->uFlags & ~TKPTTF_PRIVATEMASK;
    pOut->hwnd = pInfo->hwnd;
    pOut->uId = pInfo->uId;
    pOut->rect = pInfo->rect;
    pOut->hinst = pInfo->hinst;
    pOut->lpszText = pInfo->lpszText;
    if (pInfo->cbSize >= TTTOOLINFOW_V2_SIZE)
        pOut->lParam = pInfo->lParam;
}
