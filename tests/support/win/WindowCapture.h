#pragma once
// Pictures of windows as a person sees them on screen, for the galleries: PNG files under the build
// folder that people look at (nothing is compared).

#include <windows.h>

#include <string>

namespace morvick::test {

// build/<configuration>/<name>-gallery as a Windows path (drive Z: under Wine), created if missing.
std::wstring GalleryFolder(const std::string& name);

// Lets the thread's windows handle what is queued (painting above all) for about `ms` milliseconds.
void PumpMessagesFor(DWORD ms);

// Shows the window if it is hidden (without activating it), puts it above every other window, lets it
// and its children paint, and copies what the screen shows of it to a PNG file, with its frame and
// caption drawn by the window itself (under Xvfb no window manager draws them on the screen).
// Popups, menus and tooltips that lie over it are in the picture too. A window that was hidden is
// hidden again afterwards. Only what lies on the screen is kept (a maximised frame reaches past it).
bool CaptureWindowToPng(HWND window, const std::wstring& path);

// What the screen shows of a window as it stands, with its frame and caption drawn, neither raised
// nor repainted first: for a window of another process that has already painted (the end-to-end
// driver's captures of the program).
bool CaptureShownWindowToPng(HWND window, const std::wstring& path);

// The same for a rectangle of the screen, e.g. a frame together with a popup that hangs out of it.
bool CaptureScreenRectToPng(const RECT& screenRect, const std::wstring& path);

// Writes a bitmap (DDB or DIB section) to a PNG file through the platform's imaging component.
bool SaveBitmapPng(HBITMAP bitmap, const std::wstring& path);

}  // namespace morvick::test
