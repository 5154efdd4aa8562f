#include "tests/e2e/DriveSteps.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace fs = std::filesystem;

namespace morvick::e2e::drive {

std::wstring Widen(const std::string& text)
{
    std::wstring wide;
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
    if (n > 0) {
        wide.resize(static_cast<size_t>(n));
        MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, &wide[0], n);
        wide.resize(static_cast<size_t>(n - 1));
    }
    return wide;
}

void Fail(const char* what)
{
    std::fprintf(stderr, "morvick-drive: %s\n", what);
}

// Steps, on standard error when MORVICK_DRIVE_TRACE is set.
void Trace(const char* step, unsigned long long value)
{
    static const bool on = GetEnvironmentVariableW(L"MORVICK_DRIVE_TRACE", nullptr, 0) > 0;
    static const DWORD start = GetTickCount();
    if (on)
        std::fprintf(stderr, "[%6.1f] %s %llu\n", (GetTickCount() - start) / 1000.0, step, value);
}

// Answers every message box that is open; returns the last message shown (empty when none).
LoggedMessage AnswerMessages(MorvickDriver& driver, size_t& seen, UINT answer)
{
    LoggedMessage last;
    std::vector<LoggedMessage> all = driver.Messages();
    while (all.size() > seen) {
        last = all[seen++];
        if (last.kind != "1" || last.text.find("Extensive Scan") == std::string::npos)
            std::fprintf(stderr, "Morvick: %s\n", last.text.c_str());
        driver.AnswerMessage(answer, kStateWaitMs);
        all = driver.Messages();
    }
    return last;
}

std::wstring ControlText(HWND control)
{
    wchar_t text[512] = L"";
    DWORD_PTR result = 0;
    MorvickDriver::Send(control, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), &result);
    return text;
}

// Ticks the result tree's top item.
bool TickRoot(MorvickDriver& driver)
{
    HWND tree = driver.Control(kResultTree);
    if (!driver.ClickTreeItem(tree, L"Root", true))
        return false;
    return WaitUntil(
        [&] {
            const std::vector<TreeItemInfo> items = driver.TreeItems(tree);
            return !items.empty() && ((items[0].state >> 12) & 0xF) == 2;
        },
        kStateWaitMs);
}

// The folders and files the program found, from its Drive Information.
void CountFound(MorvickDriver& driver, Totals& totals)
{
    if (!driver.SendCommand(kDriveInfoCommand))
        return;
    HWND info = driver.WaitForWindow(L"Drive Information", kStateWaitMs);
    if (info == nullptr)
        return;
    totals.folders += std::wcstoull(ControlText(MorvickDriver::DialogControl(info, 1203)).c_str(), nullptr, 10);
    totals.files += std::wcstoull(ControlText(MorvickDriver::DialogControl(info, 1204)).c_str(), nullptr, 10);
    driver.PressDialogButton(L"Drive Information", IDOK, kStateWaitMs);
}

// The deleted files: every folder of the tree listed in turn (the list fills as the selection
// changes), the type column of its rows read in one pass.
void CountDeleted(MorvickDriver& driver, Totals& totals)
{
    HWND tree = driver.Control(kResultTree);
    HWND list = driver.Control(kResultList);
    driver.ExpandTree(tree);
    for (const TreeItemInfo& item : driver.TreeItems(tree)) {
        SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item.item));
        for (const std::wstring& type : driver.ColumnTexts(list, 1)) {
            if (type.rfind(L"Deleted ", 0) == 0 && type != L"Deleted Folder")
                ++totals.deleted;
        }
    }
    if (HTREEITEM root = driver.FindTreeItem(tree, L"Root"))
        SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(root));
}

namespace {

// The number just before `words` in a message, 0 when the message does not say them.
unsigned long long CountInMessage(const std::string& text, const char* words)
{
    const size_t at = text.find(words);
    if (at == std::string::npos)
        return 0;
    size_t from = at;
    while (from > 0 && std::isdigit(static_cast<unsigned char>(text[from - 1])))
        --from;
    return std::strtoull(text.c_str() + from, nullptr, 10);
}

}  // namespace

// Saves what is ticked into the staging folder, then moves it to `target`; counts the files.
bool SaveTicked(MorvickDriver& driver, size_t& seen, const fs::path& staging, const fs::path& target, Totals& totals)
{
    if (!driver.Click(kNext) || !driver.ChooseSaveFolder(L"", kLong)) {
        Fail("the save did not start");
        return false;
    }
    // The save is over when its message comes (the saving dialog closes first).
    if (!WaitUntil([&] { return driver.MessageCount() > seen; }, kLong)) {
        Fail("the save did not end");
        return false;
    }
    const LoggedMessage done = AnswerMessages(driver, seen);
    std::error_code error;
    fs::remove_all(target, error);
    fs::rename(staging, target, error);
    fs::create_directories(staging);
    if (error) {
        Fail("the saved files could not be moved to their folder");
        return false;
    }
    for (const auto& entry : fs::recursive_directory_iterator(target)) {
        if (entry.is_regular_file()) {
            ++totals.saved;
            totals.bytes += entry.file_size();
        }
    }
    // "N of them damaged" and "N file(s) could not be saved." in the message after a save that was not
    // a full success: a damaged file is written, but counted apart from those saved.
    const unsigned long long damaged = CountInMessage(done.text, " of them damaged");
    totals.damaged += damaged;
    totals.saved -= std::min(damaged, totals.saved);
    totals.failed += CountInMessage(done.text, " file(s) could not be saved");
    return true;
}

void SaveSnapshot(MorvickDriver& driver, const std::wstring& path)
{
    if (path.empty())
        return;
    // The file is replaced: removed first, so that the file dialog has nothing to ask.
    std::error_code error;
    fs::remove(fs::path(path), error);
    driver.SendCommand(kSaveSnapshotCommand);
    // The snapshot is written under another name and takes its own only once it is whole.
    if (!driver.AnswerFileDialog(L"Save As", path, kStateWaitMs) ||
        !WaitUntil([&] { return fs::exists(fs::path(path), error); }, kStateWaitMs))
        Fail("the snapshot could not be saved");
}

// The File Types dialog: every type, or only those of the list (extensions, the dot optional).
bool ChooseTypes(MorvickDriver& driver, const std::string& list, size_t& seen)
{
    HWND dialog = driver.WaitForWindow(L"File Types", kStateWaitMs);
    if (dialog == nullptr)
        return false;
    if (!list.empty()) {
        HWND tree = MorvickDriver::DialogControl(dialog, 1085);
        driver.TickTreeItem(tree, L"File Types", 1);
        driver.ExpandTree(tree);
        size_t at = 0;
        while (at <= list.size()) {
            size_t comma = list.find(',', at);
            if (comma == std::string::npos)
                comma = list.size();
            std::string type = list.substr(at, comma - at);
            at = comma + 1;
            if (type.empty())
                continue;
            if (type[0] != '.')
                type = "." + type;
            if (!driver.TickTreeItem(tree, Widen(type), 2)) {
                std::fprintf(stderr, "morvick-drive: no type %s in the signature table\n", type.c_str());
                return false;
            }
        }
    }
    if (!driver.PressDialogButton(L"File Types", IDOK, kStateWaitMs)) {
        AnswerMessages(driver, seen);
        return false;
    }
    return true;
}

// From the start page to the partition page.
bool ReachPartitionPage(MorvickDriver& driver, const Options& options, UINT mode, size_t& seen)
{
    if (!driver.WaitForPage(0, 60000) || !driver.SetText(kImagePath, options.image) || !driver.Click(mode))
        return false;
    if (!driver.WaitForPage(1, 60000)) {
        AnswerMessages(driver, seen);
        Fail("the image could not be opened");
        return false;
    }
    if (!driver.Click(kNext))
        return false;
    // A disk with a partition table asks how to find its partitions: the table is used.
    WaitUntil([&] { return driver.ShownPage() == 2 || driver.WaitForWindow(L"Partition Type", 50) != nullptr; }, kLong);
    if (driver.ShownPage() != 2)
        driver.PressDialogButton(L"Partition Type", IDOK, kStateWaitMs);
    return driver.WaitForPage(2, kLong);
}

std::vector<std::wstring> PartitionItems(MorvickDriver& driver)
{
    std::vector<std::wstring> items;
    for (const TreeItemInfo& item : driver.TreeItems(driver.Control(kPartitionTree))) {
        if (item.level == 1)
            items.push_back(item.text);
    }
    return items;
}

}  // namespace morvick::e2e::drive
