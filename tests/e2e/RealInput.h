// What a user does with the mouse and the keys, as real input (SendInput), and where the program's
// command bars show their items: the menu bar, the toolbar and the popup menus answer the
// accessibility requests of other processes with each item's name and place on the screen.
#pragma once

#include "tests/support/StateWait.h"

#include <windows.h>

#include <initializer_list>
#include <string>

namespace morvick::e2e {

using morvick::test::kStateWaitMs;

// A click of the left (or right) button at a point of the screen, the pointer moved there first.
bool RealClick(POINT screen, bool rightButton = false);
// A double click of the left button at a point of the screen.
bool RealDoubleClick(POINT screen);
// Makes a window of the program the foreground window, which keys go to; false when it did not become one.
bool BringToFront(HWND window, DWORD ms = kStateWaitMs);
// Keys pressed in order and released in the reverse order (a chord such as Ctrl+F, or one key).
bool RealKeys(std::initializer_list<WORD> keys);
// Text typed key by key (letters, digits and '.' only).
bool RealType(const std::wstring& text);

// The screen rectangle of a command-bar item of the process by its name (the menu bar's "View",
// a popup menu's "Details", a toolbar button's "Settings"); false while no shown bar offers it.
bool FindBarItem(DWORD processId, const std::wstring& name, RECT& screen);
// Waits until a shown bar offers the item, then clicks its middle with the left button.
bool ClickBarItem(DWORD processId, const std::wstring& name, DWORD ms = kStateWaitMs);

}  // namespace morvick::e2e
