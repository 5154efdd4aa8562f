#include "tests/e2e/RealInput.h"

#include <oleacc.h>

#include <vector>

#include "tests/e2e/MorvickDriver.h"

namespace morvick::e2e {
namespace {

INPUT MouseInput(DWORD flags, LONG x = 0, LONG y = 0)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = x;
    input.mi.dy = y;
    input.mi.dwFlags = flags;
    return input;
}

INPUT KeyInput(WORD key, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

bool Send(INPUT input)
{
    return SendInput(1, &input, sizeof(INPUT)) == 1;
}

// The pointer moved to a point of the screen (absolute coordinates span 0 to 65535).
bool MoveTo(POINT screen)
{
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    if (width <= 1 || height <= 1)
        return false;
    const LONG x = static_cast<LONG>((screen.x * 65535LL + (width - 1) / 2) / (width - 1));
    const LONG y = static_cast<LONG>((screen.y * 65535LL + (height - 1) / 2) / (height - 1));
    if (!Send(MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y)))
        return false;
    // The move has arrived once the pointer is there.
    return WaitUntil(
        [&] {
            POINT at = {};
            GetCursorPos(&at);
            return at.x == screen.x && at.y == screen.y;
        },
        kStateWaitMs);
}

struct WindowsOf {
    DWORD processId;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectChild(HWND window, LPARAM parameter)
{
    reinterpret_cast<WindowsOf*>(parameter)->windows.push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM parameter)
{
    auto* of = reinterpret_cast<WindowsOf*>(parameter);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != of->processId || !IsWindowVisible(window))
        return TRUE;
    of->windows.push_back(window);
    EnumChildWindows(window, CollectChild, parameter);
    return TRUE;
}

// Command bars are windows of the class library's generated classes ("Afx:...").
bool IsBarWindow(HWND window)
{
    wchar_t className[64] = L"";
    GetClassNameW(window, className, 64);
    return IsWindowVisible(window) && std::wstring(className).rfind(L"Afx:", 0) == 0;
}

std::wstring Trimmed(const wchar_t* text)
{
    std::wstring name = text != nullptr ? text : L"";
    const size_t tab = name.find(L'\t');  // a shortcut follows the name
    if (tab != std::wstring::npos)
        name.resize(tab);
    while (!name.empty() && name.front() == L' ')
        name.erase(name.begin());
    while (!name.empty() && name.back() == L' ')
        name.pop_back();
    return name;
}

bool ItemOfBar(HWND bar, const std::wstring& name, RECT& screen)
{
    IAccessible* accessible = nullptr;
    if (FAILED(AccessibleObjectFromWindow(bar, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
            reinterpret_cast<void**>(&accessible))) ||
        accessible == nullptr)
        return false;
    bool found = false;
    long count = 0;
    if (SUCCEEDED(accessible->get_accChildCount(&count))) {
        for (long child = 1; child <= count && !found; ++child) {
            VARIANT id;
            VariantInit(&id);
            id.vt = VT_I4;
            id.lVal = child;
            BSTR text = nullptr;
            if (FAILED(accessible->get_accName(id, &text)) || text == nullptr)
                continue;
            const bool same = Trimmed(text) == name;
            SysFreeString(text);
            long x = 0, y = 0, width = 0, height = 0;
            if (same && SUCCEEDED(accessible->accLocation(&x, &y, &width, &height, id)) && width > 0 && height > 0) {
                screen = RECT{x, y, x + width, y + height};
                found = true;
            }
        }
    }
    accessible->Release();
    return found;
}

}  // namespace

bool RealClick(POINT screen, bool rightButton)
{
    if (!MoveTo(screen))
        return false;
    return Send(MouseInput(rightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN)) &&
        Send(MouseInput(rightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP));
}

bool RealDoubleClick(POINT screen)
{
    return RealClick(screen) && Send(MouseInput(MOUSEEVENTF_LEFTDOWN)) && Send(MouseInput(MOUSEEVENTF_LEFTUP));
}

bool BringToFront(HWND window, DWORD ms)
{
    return WaitUntil(
        [&] {
            if (GetForegroundWindow() == window)
                return true;
            SetForegroundWindow(window);
            return false;
        },
        ms);
}

bool RealKeys(std::initializer_list<WORD> keys)
{
    bool ok = true;
    for (WORD key : keys)
        ok = Send(KeyInput(key, false)) && ok;
    for (auto key = keys.end(); key != keys.begin();) {
        --key;
        ok = Send(KeyInput(*key, true)) && ok;
    }
    return ok;
}

bool RealType(const std::wstring& text)
{
    for (wchar_t c : text) {
        WORD key = 0;
        if (c >= L'a' && c <= L'z')
            key = static_cast<WORD>(c - L'a' + 'A');
        else if ((c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9'))
            key = static_cast<WORD>(c);
        else if (c == L'.')
            key = VK_OEM_PERIOD;
        if (key == 0)
            return false;
        const bool shift = c >= L'A' && c <= L'Z';
        if (!(shift ? RealKeys({VK_SHIFT, key}) : RealKeys({key})))
            return false;
    }
    return true;
}

bool FindBarItem(DWORD processId, const std::wstring& name, RECT& screen)
{
    // The accessibility objects of another process are reached through COM.
    static const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    (void)com;
    WindowsOf of{processId, {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&of));
    // In the order of the screen from the top: an open popup menu before the bars beneath it.
    for (HWND window : of.windows) {
        if (IsBarWindow(window) && ItemOfBar(window, name, screen))
            return true;
    }
    return false;
}

bool ClickBarItem(DWORD processId, const std::wstring& name, DWORD ms)
{
    RECT item = {};
    if (!WaitUntil([&] { return FindBarItem(processId, name, item); }, ms))
        return false;
    return RealClick(POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2});
}

}  // namespace morvick::e2e
