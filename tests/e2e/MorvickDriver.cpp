#include "tests/e2e/MorvickDriver.h"

#include <commctrl.h>
#include <shlobj.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <random>

#include "tests/support/win/WindowCapture.h"

namespace morvick::e2e {

namespace {

// A variable of this process's environment, empty when it is not set.
std::wstring EnvironmentValue(const wchar_t* name)
{
    const DWORD length = GetEnvironmentVariableW(name, nullptr, 0);
    if (length == 0)
        return std::wstring();
    std::wstring value(length, L'\0');
    value.resize(GetEnvironmentVariableW(name, &value[0], length));
    return value;
}

}  // namespace


bool WaitUntil(const std::function<bool()>& done, DWORD ms)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (done())
            return true;
        if (GetTickCount() - start >= ms)
            return false;
        Sleep(50);
    }
}

namespace {

const wchar_t kPageProperty[] = L"MorvickPage";
const wchar_t kMessageCaption[] = L"Morvick";

struct TopLevelSearch {
    DWORD pid;
    std::wstring title;
    HWND exclude;
    HWND found;
    bool unownedOnly;
    bool dialogsOnly = false;  // only windows of the dialog class (message boxes, dialogs)
    bool hiddenToo = false;    // hidden windows as well as shown ones
};

BOOL CALLBACK FindTopLevel(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<TopLevelSearch*>(parameter);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != search->pid || window == search->exclude || (!search->hiddenToo && !IsWindowVisible(window)))
        return TRUE;
    if (search->unownedOnly && GetWindow(window, GW_OWNER) != nullptr)
        return TRUE;
    wchar_t className[32] = L"";
    GetClassNameW(window, className, 32);
    if (search->dialogsOnly && lstrcmpW(className, L"#32770") != 0)
        return TRUE;
    wchar_t title[256] = L"";
    GetWindowTextW(window, title, 256);
    if (search->title == title) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// The page's control of an id nearest to the page: a view inside a pane (the preview's archive
// listing, say) may use an id that the page uses for its own control further up.
struct ChildSearch {
    HWND page;
    UINT id;
    HWND found;
    int depth;
};

int DepthBelow(HWND ancestor, HWND window)
{
    int depth = 0;
    for (; window != nullptr && window != ancestor; window = GetParent(window))
        ++depth;
    return depth;
}

BOOL CALLBACK FindChild(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<ChildSearch*>(parameter);
    if (static_cast<UINT>(GetDlgCtrlID(window)) == search->id) {
        const int depth = DepthBelow(search->page, window);
        if (search->found == nullptr || depth < search->depth) {
            search->found = window;
            search->depth = depth;
        }
    }
    return TRUE;
}

std::string ReadFileBytes(const std::wstring& path)
{
    std::string bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

}  // namespace

std::wstring ProgramPath()
{
    wchar_t folder[MAX_PATH] = L"";
    const DWORD n = GetEnvironmentVariableW(L"MORVICK_BINARY_DIR", folder, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return std::wstring();
    std::wstring path = folder;
    for (wchar_t& c : path)
        if (c == L'/')
            c = L'\\';
    if (!path.empty() && path[0] == L'\\')
        path = L"Z:" + path;
    return path + L"\\app\\Morvick.exe";
}

std::wstring WindowsPath(const std::string& unixPath)
{
    std::wstring path = L"Z:";
    for (char c : unixPath)
        path += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
    return path;
}

std::string Utf8(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    const int n =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
    return out;
}

MorvickDriver::MorvickDriver() = default;

MorvickDriver::~MorvickDriver()
{
    Kill();
    if (!m_log.empty())
        DeleteFileW(m_log.c_str());
    if (!m_temp.empty()) {
        std::error_code error;
        std::filesystem::remove_all(m_temp, error);
    }
}

bool MorvickDriver::Start(const std::wstring& args)
{
    const std::wstring exe = ProgramPath();
    if (exe.empty())
        return false;
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    std::random_device random;
    const std::wstring name = L"morvick-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(random());
    m_log = std::wstring(temp) + name + L".log";
    DeleteFileW(m_log.c_str());
    if (m_temp.empty()) {
        m_temp = std::wstring(temp) + name;
        if (!CreateDirectoryW(m_temp.c_str(), nullptr)) {
            m_temp.clear();
            return false;
        }
    }
    SetEnvironmentVariableW(L"MORVICK_TEST_MSGLOG", m_log.c_str());
    SetEnvironmentVariableW(L"MORVICK_TEST_AUTOCLOSE_MESSAGES", nullptr);
    std::wstring command = L"\"" + exe + L"\"";
    if (!args.empty())
        command += L" " + args;
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    // The program's temporary folder: TMP and TEMP of this process for the moment of the start,
    // then put back.
    const std::wstring tmp = EnvironmentValue(L"TMP"), tempValue = EnvironmentValue(L"TEMP");
    SetEnvironmentVariableW(L"TMP", m_temp.c_str());
    SetEnvironmentVariableW(L"TEMP", m_temp.c_str());
    const BOOL started =
        CreateProcessW(exe.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &m_pi);
    SetEnvironmentVariableW(L"TMP", tmp.empty() ? nullptr : tmp.c_str());
    SetEnvironmentVariableW(L"TEMP", tempValue.empty() ? nullptr : tempValue.c_str());
    if (!started)
        return false;
    m_process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION,
        FALSE, m_pi.dwProcessId);
    return true;
}

HWND MorvickDriver::WaitForFrame(DWORD ms)
{
    WaitUntil(
        [&] {
            // A program that has ended shows no frame any more.
            if (WaitForSingleObject(m_pi.hProcess, 0) == WAIT_OBJECT_0)
                return true;
            TopLevelSearch search{m_pi.dwProcessId, kMessageCaption, nullptr, nullptr, true};
            EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&search));
            // The frame is the window that holds the pages.
            if (search.found != nullptr && GetDlgItem(search.found, kPaneFirstId) != nullptr)
                m_frame = search.found;
            return m_frame != nullptr;
        },
        ms);
    // The start-up is over once the program waits for input.
    if (m_frame != nullptr)
        WaitForInputIdle(m_pi.hProcess, ms);
    return m_frame;
}

HWND MorvickDriver::ShownPageWindow() const
{
    return m_frame != nullptr ? GetDlgItem(m_frame, kPaneFirstId) : nullptr;
}

int MorvickDriver::ShownPage() const
{
    HWND page = ShownPageWindow();
    if (page == nullptr)
        return -1;
    return static_cast<int>(reinterpret_cast<INT_PTR>(GetPropW(page, kPageProperty))) - 1;
}

bool MorvickDriver::WaitForPage(int page, DWORD ms)
{
    // The ids change hands just before the new page is shown: wait for both.
    return WaitUntil([&] { return ShownPage() == page && IsWindowVisible(ShownPageWindow()); }, ms);
}

HWND MorvickDriver::Control(UINT id) const
{
    HWND page = ShownPageWindow();
    if (page == nullptr)
        return nullptr;
    ChildSearch search{page, id, nullptr, 0};
    EnumChildWindows(page, FindChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool MorvickDriver::IsVisible(UINT id) const
{
    HWND control = Control(id);
    return control != nullptr && IsWindowVisible(control);
}

bool MorvickDriver::IsEnabled(UINT id) const
{
    HWND control = Control(id);
    return control != nullptr && IsWindowEnabled(control);
}

bool MorvickDriver::Click(UINT id)
{
    HWND control = Control(id);
    if (control == nullptr || !IsWindowVisible(control) || !IsWindowEnabled(control))
        return false;
    return PostMessageW(control, BM_CLICK, 0, 0) != FALSE;
}

bool MorvickDriver::Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result)
{
    // Long enough for a program that a loaded machine keeps busy; a window that has gone fails at once.
    constexpr UINT kAnswerMs = 60000;
    DWORD_PTR answer = 0;
    const bool answered = SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kAnswerMs, &answer) != 0;
    if (result != nullptr)
        *result = answer;
    return answered;
}

std::wstring MorvickDriver::Text(UINT id) const
{
    HWND control = Control(id);
    if (control == nullptr)
        return std::wstring();
    wchar_t text[2048] = L"";
    DWORD_PTR result = 0;
    Send(control, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(text), &result);
    return text;
}

bool MorvickDriver::SetText(UINT id, const std::wstring& text)
{
    HWND control = Control(id);
    if (control == nullptr)
        return false;
    DWORD_PTR result = 0;
    return Send(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), &result);
}

int MorvickDriver::ProgressPosition(UINT id) const
{
    return BarPosition(Control(id));
}

int MorvickDriver::BarPosition(HWND bar)
{
    DWORD_PTR result = 0;
    if (bar == nullptr || !Send(bar, PBM_GETPOS, 0, 0, &result))
        return -1;
    return static_cast<int>(result);
}

namespace {

BOOL CALLBACK FindUnpainted(HWND child, LPARAM found)
{
    if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(found) = true;
        return FALSE;
    }
    return TRUE;
}

// Whether a window or one of its visible children still has a part to paint.
bool NeedsPainting(HWND window)
{
    if (GetUpdateRect(window, nullptr, FALSE))
        return true;
    bool found = false;
    EnumChildWindows(window, FindUnpainted, reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace

bool MorvickDriver::Capture(HWND window, const std::wstring& path) const
{
    // The program paints on its own thread: the window and its children are painted now (the paint
    // is sent to that thread and waited for), then whatever it invalidated since. A window that keeps
    // changing, such as a progress dialog, is taken as it is after a while: the program's work goes on.
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    WaitForInputIdle(m_pi.hProcess, 5000);
    WaitUntil([&] { return !NeedsPainting(window); }, 1000);
    // With the frame and caption that no window manager draws under Xvfb.
    return morvick::test::CaptureShownWindowToPng(window, path);
}

bool MorvickDriver::SelectComboIndex(UINT id, int index)
{
    HWND control = Control(id);
    if (control == nullptr)
        return false;
    DWORD_PTR result = 0;
    return Send(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0, &result) && static_cast<int>(result) == index;
}

bool MorvickDriver::SendCommand(UINT id)
{
    return m_frame != nullptr && PostMessageW(m_frame, WM_COMMAND, MAKEWPARAM(id, 0), 0) != FALSE;
}

std::vector<LoggedMessage> MorvickDriver::Messages() const
{
    std::vector<LoggedMessage> messages;
    const std::string bytes = ReadFileBytes(m_log);
    size_t position = 0;
    while (position < bytes.size()) {
        size_t end = bytes.find('\n', position);
        if (end == std::string::npos)
            break;  // a line still being written
        const std::string line = bytes.substr(position, end - position);
        const size_t tab = line.find('\t');
        LoggedMessage message;
        message.kind = tab == std::string::npos ? line : line.substr(0, tab);
        message.text = tab == std::string::npos ? std::string() : line.substr(tab + 1);
        messages.push_back(message);
        position = end + 1;
    }
    return messages;
}

bool MorvickDriver::WaitForMessage(size_t after, LoggedMessage& message, DWORD ms) const
{
    return WaitUntil(
        [&] {
            const std::vector<LoggedMessage> all = Messages();
            if (all.size() <= after)
                return false;
            message = all[after];
            return true;
        },
        ms);
}

HWND MorvickDriver::WaitForWindow(const std::wstring& title, DWORD ms) const
{
    HWND found = nullptr;
    WaitUntil(
        [&] {
            TopLevelSearch search{m_pi.dwProcessId, title, m_frame, nullptr, false, true};
            EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&search));
            found = search.found;
            return found != nullptr;
        },
        ms);
    return found;
}

HWND MorvickDriver::ProgramWindow(const std::wstring& title) const
{
    TopLevelSearch search{m_pi.dwProcessId, title, nullptr, nullptr, false, false, true};
    EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool MorvickDriver::PressDialogButton(const std::wstring& title, UINT buttonId, DWORD ms)
{
    HWND dialog = WaitForWindow(title, ms);
    if (dialog == nullptr)
        return false;
    HWND button = nullptr;
    // The box lays its buttons out once it is shown; wait for the one asked for.
    if (!WaitUntil([&] { return (button = GetDlgItem(dialog, static_cast<int>(buttonId))) != nullptr; }, ms))
        return false;
    PostMessageW(button, BM_CLICK, 0, 0);
    return WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, ms);
}

bool MorvickDriver::AnswerMessage(UINT buttonId, DWORD ms)
{
    return PressDialogButton(kMessageCaption, buttonId, ms);
}

bool MorvickDriver::NoMessageBox() const
{
    TopLevelSearch search{m_pi.dwProcessId, kMessageCaption, m_frame, nullptr, false, true};
    EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found == nullptr;
}

void* MorvickDriver::AllocRemote(size_t size) const
{
    return m_process != nullptr ? VirtualAllocEx(m_process, nullptr, size, MEM_COMMIT, PAGE_READWRITE) : nullptr;
}

void MorvickDriver::FreeRemote(void* remote) const
{
    if (remote != nullptr)
        VirtualFreeEx(m_process, remote, 0, MEM_RELEASE);
}

bool MorvickDriver::ReadRemote(const void* remote, void* local, size_t size) const
{
    SIZE_T got = 0;
    return ReadProcessMemory(m_process, remote, local, size, &got) && got == size;
}

bool MorvickDriver::WriteRemote(void* remote, const void* local, size_t size) const
{
    SIZE_T put = 0;
    return WriteProcessMemory(m_process, remote, local, size, &put) && put == size;
}

std::vector<TreeItemInfo> MorvickDriver::TreeItems(HWND tree) const
{
    std::vector<TreeItemInfo> items;
    if (tree == nullptr)
        return items;
    const size_t textChars = 260;
    auto* remote = static_cast<unsigned char*>(AllocRemote(sizeof(TVITEMW) + textChars * sizeof(wchar_t)));
    if (remote == nullptr)
        return items;
    auto* remoteText = reinterpret_cast<wchar_t*>(remote + sizeof(TVITEMW));
    HTREEITEM item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    while (item != nullptr) {
        TVITEMW query = {};
        query.mask = TVIF_TEXT | TVIF_STATE | TVIF_HANDLE;
        query.hItem = item;
        query.stateMask = 0xFFFFFFFF;
        query.pszText = remoteText;
        query.cchTextMax = static_cast<int>(textChars);
        TreeItemInfo info;
        info.item = item;
        wchar_t text[260] = L"";
        if (WriteRemote(remote, &query, sizeof(query)) &&
            SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote)) &&
            ReadRemote(remote, &query, sizeof(query)) && ReadRemote(remoteText, text, sizeof(text))) {
            text[259] = 0;
            info.text = text;
            info.state = query.state;
        }
        for (HTREEITEM parent = reinterpret_cast<HTREEITEM>(
                 SendMessageW(tree, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(item)));
             parent != nullptr; parent = reinterpret_cast<HTREEITEM>(
                                    SendMessageW(tree, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(parent))))
            ++info.level;
        items.push_back(info);
        item = reinterpret_cast<HTREEITEM>(
            SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXTVISIBLE, reinterpret_cast<LPARAM>(item)));
    }
    FreeRemote(remote);
    return items;
}

bool MorvickDriver::ClickTreeItem(HWND tree, const std::wstring& text, bool onCheckBox)
{
    return ClickTreeItemAt(tree, text, onCheckBox ? TreeSpot::kCheckBox : TreeSpot::kLabel);
}

bool MorvickDriver::ClickTreeItemIndent(HWND tree, const std::wstring& text)
{
    return ClickTreeItemAt(tree, text, TreeSpot::kIndent);
}

bool MorvickDriver::ClickTreeItemAt(HWND tree, const std::wstring& text, TreeSpot spot)
{
    for (const TreeItemInfo& info : TreeItems(tree)) {
        if (info.text != text)
            continue;
        // An item scrolled out of the tree's view is brought into it first.
        SendMessageW(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(info.item));
        auto* remote = static_cast<RECT*>(AllocRemote(sizeof(RECT)));
        if (remote == nullptr)
            return false;
        // TVM_GETITEMRECT takes the item in the rectangle's first field.
        RECT rect = {};
        std::memcpy(&rect, &info.item, sizeof(info.item));
        const bool ok = WriteRemote(remote, &rect, sizeof(rect)) &&
            SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(remote)) &&
            ReadRemote(remote, &rect, sizeof(rect));
        FreeRemote(remote);
        if (!ok)
            return false;
        // The label's middle, the check box just left of the icon in front of the label, or the
        // row's left end (the indent of an item below the top level).
        const int x = spot == TreeSpot::kCheckBox ? rect.left - 16 - 8
            : spot == TreeSpot::kIndent           ? 4
                                                  : (rect.left + rect.right) / 2;
        POINT point = {x, (rect.top + rect.bottom) / 2};
        POINT screen = point;
        ClientToScreen(tree, &screen);
        SetCursorPos(screen.x, screen.y);
        const LPARAM at = MAKELPARAM(point.x, point.y);
        PostMessageW(tree, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageW(tree, WM_LBUTTONUP, 0, at);
        return true;
    }
    return false;
}

bool MorvickDriver::SelectTreeItem(HWND tree, const std::wstring& text, DWORD ms)
{
    const HTREEITEM item = FindTreeItem(tree, text);
    if (item == nullptr || !ClickTreeItem(tree, text))
        return false;
    return WaitUntil(
        [&] { return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0)) == item; }, ms);
}

bool MorvickDriver::TickTreeItem(HWND tree, const std::wstring& text, int check, DWORD ms)
{
    if (!ClickTreeItem(tree, text, true))
        return false;
    return WaitUntil(
        [&] {
            for (const TreeItemInfo& info : TreeItems(tree)) {
                if (info.text == text)
                    return static_cast<int>((info.state >> 12) & 0xF) == check;
            }
            return false;
        },
        ms);
}

RECT MorvickDriver::FrameRect() const
{
    RECT rect = {};
    if (m_frame != nullptr)
        GetWindowRect(m_frame, &rect);
    return rect;
}

bool MorvickDriver::IsFrameMaximized() const
{
    return m_frame != nullptr && IsZoomed(m_frame);
}

POINT MorvickDriver::MinimumTrackSize() const
{
    MINMAXINFO info = {};
    DWORD_PTR result = 0;
    if (m_frame != nullptr)
        Send(m_frame, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info), &result);
    return info.ptMinTrackSize;
}

bool MorvickDriver::WaitExit(DWORD ms, DWORD* exitCode)
{
    if (m_pi.hProcess == nullptr || WaitForSingleObject(m_pi.hProcess, ms) != WAIT_OBJECT_0)
        return false;
    GetExitCodeProcess(m_pi.hProcess, exitCode);
    return true;
}

void MorvickDriver::Kill()
{
    if (m_pi.hProcess != nullptr) {
        if (WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(m_pi.hProcess, 99);
            WaitForSingleObject(m_pi.hProcess, 10000);
        }
        CloseHandle(m_pi.hProcess);
        CloseHandle(m_pi.hThread);
    }
    if (m_process != nullptr)
        CloseHandle(m_process);
    m_pi = PROCESS_INFORMATION();
    m_process = nullptr;
    m_frame = nullptr;
}

}  // namespace morvick::e2e

namespace morvick::e2e {

void MorvickDriver::SetSaveFolder(const std::wstring& folder)
{
    SetEnvironmentVariableW(L"MORVICK_TEST_SAVE_DIR", folder.empty() ? nullptr : folder.c_str());
}

bool MorvickDriver::ChooseSaveFolder(const std::wstring& folder, DWORD ms)
{
    HWND browser = WaitForWindow(L"Browse for Folder", ms);
    if (browser == nullptr)
        return false;
    if (!folder.empty()) {
        const size_t bytes = (folder.size() + 1) * sizeof(wchar_t);
        void* remote = AllocRemote(bytes);
        if (remote == nullptr || !WriteRemote(remote, folder.c_str(), bytes))
            return false;
        SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(remote));
        FreeRemote(remote);
    }
    return PressDialogButton(L"Browse for Folder", IDOK, ms);
}

bool MorvickDriver::AnswerFileDialog(const std::wstring& title, const std::wstring& path, DWORD ms)
{
    HWND dialog = WaitForWindow(title, ms);
    if (dialog == nullptr)
        return false;
    HWND name = nullptr;
    // The name box: the combo box of the explorer-style dialog (1148), or the plain edit box (1152).
    if (!WaitUntil(
            [&] {
                return (name = DialogControl(dialog, 1148)) != nullptr ||
                    (name = DialogControl(dialog, 1152)) != nullptr;
            },
            ms))
        return false;
    DWORD_PTR result = 0;
    Send(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()), &result);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return WaitGone(dialog, ms);
}

std::wstring MorvickDriver::FileDialogType(const std::wstring& title, DWORD ms) const
{
    HWND dialog = WaitForWindow(title, ms);
    HWND types = nullptr;
    // The file type box (1136), in either style of dialog.
    if (dialog == nullptr || !WaitUntil([&] { return (types = DialogControl(dialog, 1136)) != nullptr; }, ms))
        return std::wstring();
    wchar_t text[512] = L"";
    DWORD_PTR result = 0;
    Send(types, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), &result);
    return text;
}

HWND MorvickDriver::DialogControl(HWND dialog, UINT id)
{
    if (dialog == nullptr)
        return nullptr;
    ChildSearch search{dialog, id, nullptr, 0};
    EnumChildWindows(dialog, FindChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool MorvickDriver::WaitGone(HWND window, DWORD ms)
{
    return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, ms);
}

std::vector<ListRowInfo> MorvickDriver::ListRows(HWND list, int columns) const
{
    std::vector<ListRowInfo> rows;
    if (list == nullptr)
        return rows;
    const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    const size_t textChars = 520;
    auto* remote = static_cast<unsigned char*>(AllocRemote(sizeof(LVITEMW) + textChars * sizeof(wchar_t)));
    if (remote == nullptr)
        return rows;
    auto* remoteText = reinterpret_cast<wchar_t*>(remote + sizeof(LVITEMW));
    for (int row = 0; row < count; ++row) {
        ListRowInfo info;
        for (int column = 0; column < columns; ++column) {
            LVITEMW query = {};
            query.mask = LVIF_TEXT | (column == 0 ? LVIF_STATE : 0);
            query.iItem = row;
            query.iSubItem = column;
            query.stateMask = 0xFFFFFFFF;
            query.pszText = remoteText;
            query.cchTextMax = static_cast<int>(textChars);
            wchar_t text[520] = L"";
            if (WriteRemote(remote, &query, sizeof(query)) &&
                SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote)) &&
                ReadRemote(remote, &query, sizeof(query)) && ReadRemote(remoteText, text, sizeof(text))) {
                text[519] = 0;
                if (column == 0)
                    info.state = query.state;
            }
            info.texts.push_back(text);
        }
        rows.push_back(info);
    }
    FreeRemote(remote);
    return rows;
}

std::vector<std::wstring> MorvickDriver::ColumnTexts(HWND list, int column, int first, int rows, int chars) const
{
    std::vector<std::wstring> texts;
    const int total = list != nullptr ? static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)) : 0;
    int count = first >= 0 && first < total ? total - first : 0;
    if (rows >= 0 && rows < count)
        count = rows;
    if (count <= 0 || chars <= 0)
        return texts;
    // The requests first, then the texts, each row's text in its own slot.
    const size_t slot = static_cast<size_t>(chars) + 1;
    const size_t requestBytes = sizeof(LVITEMW) * static_cast<size_t>(count);
    auto* remote = static_cast<unsigned char*>(AllocRemote(requestBytes + slot * sizeof(wchar_t) * count));
    if (remote == nullptr)
        return texts;
    auto* remoteTexts = reinterpret_cast<wchar_t*>(remote + requestBytes);
    std::vector<LVITEMW> requests(static_cast<size_t>(count));
    for (int row = 0; row < count; ++row) {
        requests[row].iSubItem = column;
        requests[row].pszText = remoteTexts + slot * row;
        requests[row].cchTextMax = static_cast<int>(slot);
    }
    // The new pages hold zeros: a row the list does not answer reads as empty.
    std::vector<wchar_t> local(slot * count, L'\0');
    const bool ok = WriteRemote(remote, requests.data(), requestBytes);
    if (ok) {
        for (int row = 0; row < count; ++row) {
            SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(first + row),
                reinterpret_cast<LPARAM>(remote + sizeof(LVITEMW) * row));
        }
    }
    if (ok && ReadRemote(remoteTexts, local.data(), local.size() * sizeof(wchar_t))) {
        for (int row = 0; row < count; ++row) {
            local[slot * row + slot - 1] = L'\0';
            texts.emplace_back(&local[slot * row]);
        }
    }
    FreeRemote(remote);
    return texts;
}

int MorvickDriver::FindListRow(HWND list, const std::wstring& text) const
{
    const std::vector<ListRowInfo> rows = ListRows(list, 1);
    for (size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i].texts.empty() && rows[i].texts[0] == text)
            return static_cast<int>(i);
    }
    return -1;
}

namespace {

// The rectangle of a row's part (LVIR_*) in the list's client coordinates.
bool RemoteItemRect(MorvickDriver& driver, HANDLE process, HWND list, int row, int part, RECT& rect)
{
    (void)driver;
    // A row scrolled out of the list's view is brought into it first.
    SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    auto* remote = static_cast<RECT*>(VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE));
    if (remote == nullptr)
        return false;
    RECT query = {part, 0, 0, 0};
    SIZE_T moved = 0;
    bool ok = WriteProcessMemory(process, remote, &query, sizeof(query), &moved) &&
        SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote)) &&
        ReadProcessMemory(process, remote, &rect, sizeof(rect), &moved);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    return ok;
}

void PostClick(HWND window, POINT point, bool doubleClick)
{
    POINT screen = point;
    ClientToScreen(window, &screen);
    SetCursorPos(screen.x, screen.y);
    const LPARAM at = MAKELPARAM(point.x, point.y);
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(window, WM_LBUTTONUP, 0, at);
    if (doubleClick) {
        PostMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        PostMessageW(window, WM_LBUTTONUP, 0, at);
    }
}

}  // namespace

bool MorvickDriver::ClickListRow(HWND list, int row, bool onCheckBox)
{
    RECT icon = {};
    if (!RemoteItemRect(*this, m_process, list, row, LVIR_ICON, icon))
        return false;
    // The check box stands just left of the row's icon.
    POINT point = {onCheckBox ? icon.left - 8 : icon.right + 12, (icon.top + icon.bottom) / 2};
    PostClick(list, point, false);
    return true;
}

bool MorvickDriver::DoubleClickListRow(HWND list, int row)
{
    RECT icon = {};
    if (!RemoteItemRect(*this, m_process, list, row, LVIR_ICON, icon))
        return false;
    POINT point = {icon.right + 12, (icon.top + icon.bottom) / 2};
    PostClick(list, point, true);
    return true;
}

bool MorvickDriver::ListRowPoint(HWND list, int row, POINT& screen) const
{
    RECT label = {};
    if (!RemoteItemRect(const_cast<MorvickDriver&>(*this), m_process, list, row, LVIR_LABEL, label))
        return false;
    screen = POINT{label.left + 12, (label.top + label.bottom) / 2};
    return ClientToScreen(list, &screen) != FALSE;
}

HWND MorvickDriver::ListEditBox(HWND list)
{
    return reinterpret_cast<HWND>(SendMessageW(list, LVM_GETEDITCONTROL, 0, 0));
}

bool MorvickDriver::ClickListHeader(HWND list, int column, DWORD handledMs)
{
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    if (header == nullptr)
        return false;
    auto* remote = static_cast<RECT*>(AllocRemote(sizeof(RECT)));
    if (remote == nullptr)
        return false;
    RECT rect = {};
    const bool ok =
        SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(remote)) &&
        ReadRemote(remote, &rect, sizeof(rect));
    FreeRemote(remote);
    if (!ok)
        return false;
    const POINT point{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    if (handledMs == 0) {
        PostClick(header, point, false);
        return true;
    }
    // Sent rather than posted: each returns once the program's window thread has handled it, the
    // release of the button with everything the click does.
    POINT screen = point;
    ClientToScreen(header, &screen);
    SetCursorPos(screen.x, screen.y);
    const LPARAM at = MAKELPARAM(point.x, point.y);
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(header, WM_LBUTTONDOWN, MK_LBUTTON, at, SMTO_NORMAL, handledMs, &result) &&
        SendMessageTimeoutW(header, WM_LBUTTONUP, 0, at, SMTO_NORMAL, handledMs, &result);
}

void MorvickDriver::ExpandTree(HWND tree) const
{
    // Expanding shows new items: go on until a pass expands nothing more.
    for (int pass = 0; pass < 32; ++pass) {
        bool expanded = false;
        for (const TreeItemInfo& item : TreeItems(tree)) {
            if (!(item.state & TVIS_EXPANDED) &&
                SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item.item)) != 0) {
                SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item.item));
                expanded = true;
            }
        }
        if (!expanded)
            return;
    }
}

HTREEITEM MorvickDriver::FindTreeItem(HWND tree, const std::wstring& text) const
{
    for (const TreeItemInfo& item : TreeItems(tree)) {
        if (item.text == text)
            return item.item;
    }
    return nullptr;
}

}  // namespace morvick::e2e
