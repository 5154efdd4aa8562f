// Data exchange between members and list boxes or combo boxes: the selected index, or the
// selected text.
#pragma once

#include "classlib/win/CDataExchange.h"

// The selection index (-1 for none).
void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
// Saving: the text of the edit part (or of the selected item of a drop-down list). Loading:
// selects the first item that begins with value, or else puts value into the edit part.
void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
// As DDX_CBString, but loading selects only an item equal to value.
void AFXAPI DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value);
// Saving: the selected item's text (empty for none). Loading: selects the first item that
// begins with value, or clears the selection.
void AFXAPI DDX_LBString(CDataExchange* pDX, int nIDC, CString& value);
void AFXAPI DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value);
