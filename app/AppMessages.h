// The program's messages, shown through the message channel in its fixed calling order: the text,
// the dialog, the kind, DoModal. Texts are plain: they are shown exactly as written, line breaks
// included (names and paths from outside the program need no escaping).
#pragma once

#include "classlib/win/AfxWin.h"

enum AppMessageKind : int {
    kAppInformation = 1,
    kAppError = 2,
    kAppQuestion = 3,
    kAppPlain = 4,   // the class library's plain system box, not the message channel
};

// Shows a message with one OK button; the kind gives its icon (kAppPlain: the plain system box).
void ShowAppMessage(const CString& text, int kind);
// Asks a yes/no question; true for Yes.
bool AskAppQuestion(const CString& text, int kind);
