// The tool record that owners fill in their OnToolHitTest. A plain record is a TOOLINFO; the
// extended record adds a title and a description and is recognised by its size. Texts put in by
// FillToolInfo are heap copies that the tooltip manager frees after use.
#pragma once

#include "classlib/win/AfxWin.h"

#include <commctrl.h>

// Toolkit flags in the top two bits of a record's uFlags; they are cleared before a record
// reaches a tip window.
enum : UINT {
    TKPTTF_ALWAYSACTIVATE = 0x40000000,  // the tip is activated even when the owner's frame is inactive
    TKPTTF_PRIVATEMASK = 0xC0000000,
};

struct TKPTOOLINFO {
    TOOLINFOW ti;  // ti.cbSize == sizeof(TKPTOOLINFO) marks the extended record
    LPWSTR lpszDescription;
    LPWSTR lpszTitle;
};

// The smallest record size a hit test fills (the first version of the platform's record).
const UINT TKP_TOOLINFO_MIN_SIZE = TTTOOLINFOW_V1_SIZE;

// Fills the record: with a size of at least the platform's first version the window, rectangle,
// id and a heap copy of the text; for the extended record with both title and description set,
// heap copies of those as well.
void FillToolInfo(TOOLINFO* pInfo, HWND hWnd, RECT rect, UINT_PTR nId, const CString& strText,
    const CString& strTitle = CString(), const CString& strDescription = CString());

// The extended record behind pInfo, or null for a plain one.
TKPTOOLINFO* TKPGetExtendedToolInfo(TOOLINFO* pInfo);
// Frees the heap texts FillToolInfo put into the record and clears their pointers (a callback
// text marker is left alone).
void TKPFreeToolInfoTexts(TOOLINFO* pInfo);
// The platform's record (second version, 44 bytes) for the same tool, flags without the toolkit's
// bits; the text pointer is shared with pInfo.
void TKPToPlatformToolInfo(const TOOLINFO* pInfo, TTTOOLINFOW* pOut);
