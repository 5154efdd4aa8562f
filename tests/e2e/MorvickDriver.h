// Drives the running Morvick.exe through its real windows, from another process: buttons by their
// control ids (clicked only while visible and enabled), tree items by their rectangles, menu
// commands posted to the frame, texts of edit boxes and labels, and the message boxes, whose texts
// the program writes to its message log (MORVICK_TEST_MSGLOG) and whose buttons the driver presses.
#pragma once

#include "tests/support/StateWait.h"

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

namespace morvick::e2e {

using morvick::test::kStateWaitMs;

// The control ids the driver reaches (the program's own, see res/wizard.h).
constexpr UINT kPaneFirstId = 0xE900;

struct LoggedMessage {
    std::string kind;  // "1" information, "2" error, "3" question, "plain" a system box
    std::string text;  // UTF-8; line breaks written as \r and \n
};

struct ListRowInfo {
    std::vector<std::wstring> texts;  // the columns' texts
    UINT state = 0;                   // the row's state bits (check box in bits 12-15)
    int Check() const { return static_cast<int>((state >> 12) & 0xF) - 1; }
};

struct TreeItemInfo {
    HTREEITEM item = nullptr;
    std::wstring text;
    int level = 0;
    UINT state = 0;  // the item's state bits (check box in bits 12-13, TVIS_BOLD)
};

class MorvickDriver {
public:
    MorvickDriver();
    ~MorvickDriver();
    MorvickDriver(const MorvickDriver&) = delete;
    MorvickDriver& operator=(const MorvickDriver&) = delete;

    // Starts the program with the message log in a fresh file and a temporary folder of its own
    // (removed with the driver), so that what it leaves there is the test's to look at and nobody
    // else's files are touched; args are appended to its command line.
    bool Start(const std::wstring& args = L"");
    // The program's own temporary folder (empty before Start).
    const std::wstring& TempFolder() const { return m_temp; }
    // Sends a message to a window of the program and waits for its answer while the program works
    // (a loaded machine can keep it from answering for many seconds); false when it never answers.
    static bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result = nullptr);
    // The main frame once it is shown (waits up to ms).
    HWND WaitForFrame(DWORD ms = kStateWaitMs);
    HWND Frame() const { return m_frame; }
    DWORD ProcessId() const { return m_pi.dwProcessId; }

    // The page the frame shows (0 to 4), -1 when none is known.
    int ShownPage() const;
    bool WaitForPage(int page, DWORD ms = kStateWaitMs);
    HWND ShownPageWindow() const;

    // A control of the shown page by its id (also inside its panes), or null.
    HWND Control(UINT id) const;
    bool IsVisible(UINT id) const;
    bool IsEnabled(UINT id) const;
    // Presses a button of the shown page; false when it is missing, hidden or disabled.
    bool Click(UINT id);
    std::wstring Text(UINT id) const;
    bool SetText(UINT id, const std::wstring& text);
    // A progress bar's position (-1 without the bar): of the shown page, or of any window.
    int ProgressPosition(UINT id) const;
    static int BarPosition(HWND bar);
    // A combo box's selection.
    bool SelectComboIndex(UINT id, int index);
    // Posts a menu or toolbar command to the frame.
    bool SendCommand(UINT id);

    // The message log.
    std::vector<LoggedMessage> Messages() const;
    size_t MessageCount() const { return Messages().size(); }
    // Waits until the log holds more than `after` lines; returns the line at index `after`.
    bool WaitForMessage(size_t after, LoggedMessage& message, DWORD ms = kStateWaitMs) const;
    // A visible dialog window (message box or dialog) of the program with the given title.
    HWND WaitForWindow(const std::wstring& title, DWORD ms = kStateWaitMs) const;
    // A top-level window of the program with the given title, shown or hidden; null when none is.
    HWND ProgramWindow(const std::wstring& title) const;
    // Presses button `buttonId` of the "Morvick" message box and waits for the box to go.
    bool AnswerMessage(UINT buttonId, DWORD ms = kStateWaitMs);
    // Presses a button of a dialog with the given title.
    bool PressDialogButton(const std::wstring& title, UINT buttonId, DWORD ms = kStateWaitMs);
    // True when no message box of the program is open.
    bool NoMessageBox() const;

    // The items of a tree control, in display order (expanded items only).
    std::vector<TreeItemInfo> TreeItems(HWND tree) const;
    // Clicks an item by its text (on its label, or on its check box).
    bool ClickTreeItem(HWND tree, const std::wstring& text, bool onCheckBox = false);
    // Clicks the indent left of an item (of an item below the top level).
    bool ClickTreeItemIndent(HWND tree, const std::wstring& text);
    // Clicks an item's label and waits until the tree has selected it.
    bool SelectTreeItem(HWND tree, const std::wstring& text, DWORD ms = kStateWaitMs);
    // Clicks an item's check box and waits until its check state is `check` (1 clear, 2 ticked).
    bool TickTreeItem(HWND tree, const std::wstring& text, int check, DWORD ms = kStateWaitMs);

    // Presses the OK button of the shell's folder browser (which MORVICK_TEST_SAVE_DIR has opened on
    // the folder the program is to save into); with a folder, that folder is selected first.
    bool ChooseSaveFolder(const std::wstring& folder = L"", DWORD ms = kStateWaitMs);
    // Makes the program save into this folder (MORVICK_TEST_SAVE_DIR) from its next start on.
    static void SetSaveFolder(const std::wstring& folder);

    // The rows of a list control (every column's text, up to `columns`).
    std::vector<ListRowInfo> ListRows(HWND list, int columns = 6) const;
    // One column's text of the rows from `first` on (at most `rows` of them; -1: all), up to `chars`
    // characters each, read in one pass: one request a row, the texts copied out together.
    std::vector<std::wstring> ColumnTexts(HWND list, int column, int first = 0, int rows = -1, int chars = 64) const;
    // The row whose first column reads `text`, -1 when none.
    int FindListRow(HWND list, const std::wstring& text) const;
    // Clicks a row: its label, or its check box; a double click on its label.
    bool ClickListRow(HWND list, int row, bool onCheckBox = false);
    bool DoubleClickListRow(HWND list, int row);
    // Clicks a column's heading; with a time given, returns once the program has handled the click
    // (false when it did not within that time).
    bool ClickListHeader(HWND list, int column, DWORD handledMs = 0);
    // The middle of a row's label on the screen (for real input).
    bool ListRowPoint(HWND list, int row, POINT& screen) const;
    // The edit box of a label being edited in a list, null when none.
    static HWND ListEditBox(HWND list);
    // Expands every item of a tree (so that TreeItems lists them all).
    void ExpandTree(HWND tree) const;
    // An item of a tree by its text (the first in display order), null when none is shown.
    HTREEITEM FindTreeItem(HWND tree, const std::wstring& text) const;
    // Types a path into the file dialog of that title and presses its OK button.
    bool AnswerFileDialog(const std::wstring& title, const std::wstring& path, DWORD ms = kStateWaitMs);
    // The file type shown in the file dialog of that title (empty when the dialog or its box is not there).
    std::wstring FileDialogType(const std::wstring& title, DWORD ms = kStateWaitMs) const;
    // A control of a top-level window of the program by its id.
    static HWND DialogControl(HWND dialog, UINT id);
    // Waits until a window is gone or hidden.
    static bool WaitGone(HWND window, DWORD ms = kStateWaitMs);

    // Saves a picture of a window of the program (what the screen shows of it) to a PNG file.
    bool Capture(HWND window, const std::wstring& path) const;

    // Window sizes and the minimum tracking size the frame asks for.
    RECT FrameRect() const;
    bool IsFrameMaximized() const;
    POINT MinimumTrackSize() const;

    bool WaitExit(DWORD ms, DWORD* exitCode);
    void Kill();

private:
    enum class TreeSpot { kLabel, kCheckBox, kIndent };
    bool ClickTreeItemAt(HWND tree, const std::wstring& text, TreeSpot spot);
    bool ReadRemote(const void* remote, void* local, size_t size) const;
    bool WriteRemote(void* remote, const void* local, size_t size) const;
    void* AllocRemote(size_t size) const;
    void FreeRemote(void* remote) const;

    PROCESS_INFORMATION m_pi = {};
    HANDLE m_process = nullptr;  // with the rights to read and write its memory
    HWND m_frame = nullptr;
    std::wstring m_log;
    std::wstring m_temp;
};

// Polls `done` every 50 ms until it holds (true) or `ms` have passed (false).
bool WaitUntil(const std::function<bool()>& done, DWORD ms);

// The program, built beside the tests (MORVICK_BINARY_DIR/app/Morvick.exe).
std::wstring ProgramPath();
// A Unix path as the program opens it (drive Z:).
std::wstring WindowsPath(const std::string& unixPath);
std::string Utf8(const std::wstring& text);

}  // namespace morvick::e2e
