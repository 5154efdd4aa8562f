// Every message box the program shows passes through here. For automated runs two environment
// variables change what happens:
//   MORVICK_TEST_MSGLOG              names a file; each message is appended to it as one UTF-8 line
//                                    "kind<TAB>text" (carriage returns, line feeds and tabs inside
//                                    the text are written as \r, \n and \t)
//   MORVICK_TEST_AUTOCLOSE_MESSAGES  when set, boxes are not shown and each box's default button is
//                                    the answer
#pragma once

#include "classlib/win/AfxWinDefs.h"

// Appends one line to the message log when one is configured.
void AFXAPI AfxLogShownMessage(LPCTSTR lpszKind, LPCTSTR lpszText);
BOOL AFXAPI AfxAutoCloseMessages();
// The answer a box of type nType gives when nobody presses a button: its default button.
int AFXAPI AfxDefaultMessageBoxResult(UINT nType);
// Shows a plain system message box (logged with the kind "plain").
int AFXAPI AfxShowMessageBox(HWND hWndOwner, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType);
