// A message-only window of the calling thread: no place on the screen, only its window procedure,
// for notices and timers that the user-interface thread handles between its other messages.
#pragma once

#include <windows.h>

namespace wizard {

// Registers the class (once) and makes the window; null when it cannot be made.
HWND CreateMessageWindow(const wchar_t* className, WNDPROC procedure);

}  // namespace wizard
