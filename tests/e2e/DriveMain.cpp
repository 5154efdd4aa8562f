// morvick-drive IMAGE --mode quick|extensive|trace [--partition N] [--types LIST] --out DIR [--snapshot FILE]
// morvick-drive IMAGE --load SNAPSHOT --out DIR
//
// Walks Morvick.exe through its wizard as a person would, through its windows (the end-to-end
// driver): the image and the mode on the start page, the partition search, then for each partition
// (Quick Scan, File Trace: the one given or every one; Extensive Scan: each file system found over
// the whole disk, FAT first, then NTFS) the scan, the top item ticked and everything saved into
// DIR/pN (DIR/vN for the found volumes, counted from 1), optionally the recovery snapshot of the
// last one, and the end through the menu. Prints one line of JSON with the counts and the seconds,
// as `morvick-bench scan` does. With --load the program starts with the snapshot on its command
// line, the image question is answered with IMAGE, and everything is saved into DIR, as
// `morvick-bench load` does (a refused snapshot: its message, and exit status 1). scripts/drive.sh
// runs it under Wine.
#include <windows.h>

#include <cctype>
#include <cstdio>
#include <shellapi.h>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "tests/e2e/MorvickDriver.h"

namespace fs = std::filesystem;
using namespace morvick::e2e;

namespace {

constexpr UINT kQuickScan = 131, kFileTrace = 132, kExtensiveScan = 133;
constexpr UINT kImagePath = 61492, kNext = 159, kBack = 160;
constexpr UINT kPartitionTree = 162, kResultTree = 162, kResultList = 165, kFileSystemTree = 156;
constexpr UINT kFileSystemChoice = 61463;
constexpr UINT kSaveSnapshotCommand = 32811, kDriveInfoCommand = 32788, kExitCommand = 32809;
constexpr DWORD kLong = 600000;  // a scan or a save of a large image
// The title of the file dialog in which the program asks for a snapshot's image.
const wchar_t kSnapshotImageTitle[] = L"Select the VHD/VHDX file of the snapshot";

struct Options {
    std::wstring image;
    std::string mode;
    std::string partition = "all";
    std::string types;
    fs::path out;
    std::wstring snapshot;
    std::wstring load;  // the snapshot to start with
};

struct Totals {
    unsigned partitions = 0;
    unsigned long long folders = 0, files = 0, deleted = 0, saved = 0, bytes = 0, failed = 0;
};

int Usage()
{
    std::fprintf(stderr,
        "usage: morvick-drive IMAGE --mode quick|extensive|trace [--partition N] [--types LIST] "
        "--out DIR [--snapshot FILE]\n"
        "       morvick-drive IMAGE --load SNAPSHOT --out DIR\n");
    return 2;
}

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
void Trace(const char* step, unsigned long long value = 0)
{
    static const bool on = GetEnvironmentVariableW(L"MORVICK_DRIVE_TRACE", nullptr, 0) > 0;
    static const DWORD start = GetTickCount();
    if (on)
        std::fprintf(stderr, "[%6.1f] %s %llu\n", (GetTickCount() - start) / 1000.0, step, value);
}

// Answers every message box that is open; returns the last message shown (empty when none).
LoggedMessage AnswerMessages(MorvickDriver& driver, size_t& seen, UINT answer = IDOK)
{
    LoggedMessage last;
    std::vector<LoggedMessage> all = driver.Messages();
    while (all.size() > seen) {
        last = all[seen++];
        if (last.kind != "1" || last.text.find("Extensive Scan") == std::string::npos)
            std::fprintf(stderr, "Morvick: %s\n", last.text.c_str());
        driver.AnswerMessage(answer, 5000);
        all = driver.Messages();
    }
    return last;
}

std::wstring ControlText(HWND control)
{
    wchar_t text[512] = L"";
    DWORD_PTR result = 0;
    SendMessageTimeoutW(control, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, &result);
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
        10000);
}

// The folders and files the program found, from its Drive Information.
void CountFound(MorvickDriver& driver, Totals& totals)
{
    if (!driver.SendCommand(kDriveInfoCommand))
        return;
    HWND info = driver.WaitForWindow(L"Drive Information", 10000);
    if (info == nullptr)
        return;
    totals.folders += std::wcstoull(ControlText(MorvickDriver::DialogControl(info, 1203)).c_str(), nullptr, 10);
    totals.files += std::wcstoull(ControlText(MorvickDriver::DialogControl(info, 1204)).c_str(), nullptr, 10);
    driver.PressDialogButton(L"Drive Information", IDOK, 10000);
}

// The deleted files: every folder of the tree listed in turn, its rows read.
void CountDeleted(MorvickDriver& driver, Totals& totals)
{
    HWND tree = driver.Control(kResultTree);
    HWND list = driver.Control(kResultList);
    driver.ExpandTree(tree);
    for (const TreeItemInfo& item : driver.TreeItems(tree)) {
        SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item.item));
        for (const ListRowInfo& row : driver.ListRows(list, 2)) {
            if (row.texts.size() > 1 && row.texts[1].rfind(L"Deleted ", 0) == 0 && row.texts[1] != L"Deleted Folder")
                ++totals.deleted;
        }
    }
    if (HTREEITEM root = driver.FindTreeItem(tree, L"Root"))
        SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(root));
}

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
    // "N file(s) could not be saved." in the message after a save that was not a full success.
    const size_t at = done.text.find(" file(s) could not be saved");
    if (at != std::string::npos) {
        size_t from = at;
        while (from > 0 && std::isdigit(static_cast<unsigned char>(done.text[from - 1])))
            --from;
        totals.failed += std::strtoull(done.text.c_str() + from, nullptr, 10);
    }
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
    if (!driver.AnswerFileDialog(L"Save As", path, 30000) ||
        !WaitUntil([&] { return fs::exists(fs::path(path), error); }, 30000))
        Fail("the snapshot could not be saved");
}

// The File Types dialog: every type, or only those of the list (extensions, the dot optional).
bool ChooseTypes(MorvickDriver& driver, const std::string& list, size_t& seen)
{
    HWND dialog = driver.WaitForWindow(L"File Types", 30000);
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
    if (!driver.PressDialogButton(L"File Types", IDOK, 30000)) {
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
        driver.PressDialogButton(L"Partition Type", IDOK, 30000);
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

int RunPartitions(MorvickDriver& driver, const Options& options, const fs::path& staging, Totals& totals)
{
    const bool trace = options.mode == "trace";
    size_t seen = driver.MessageCount();
    if (!ReachPartitionPage(driver, options, trace ? kFileTrace : kQuickScan, seen))
        return 1;
    WaitUntil([&] { return !PartitionItems(driver).empty(); }, 30000);
    const std::vector<std::wstring> items = PartitionItems(driver);
    std::vector<size_t> chosen;
    if (options.partition == "all") {
        for (size_t i = 0; i < items.size(); ++i)
            chosen.push_back(i);
    } else {
        char* end = nullptr;
        const unsigned long n = std::strtoul(options.partition.c_str(), &end, 10);
        if (options.partition.empty() || *end != 0 || n >= items.size()) {
            std::fprintf(stderr, "no partition %s\n", options.partition.c_str());
            return 1;
        }
        chosen.push_back(n);
    }
    int status = 0;
    for (size_t k = 0; k < chosen.size(); ++k) {
        const size_t index = chosen[k];
        Trace("partition", index);
        ++totals.partitions;
        // A partition whose scan could not go on brings the wizard back to its start.
        WaitUntil([&] { return driver.ShownPage() == 2 || driver.ShownPage() == 0; }, 60000);
        if (driver.ShownPage() == 0 && !ReachPartitionPage(driver, options, trace ? kFileTrace : kQuickScan, seen))
            return 1;
        driver.SelectTreeItem(driver.Control(kPartitionTree), items[index]);
        driver.Click(kNext);
        if (trace && !ChooseTypes(driver, options.types, seen))
            return 2;
        // The results page, or a message that the partition cannot be scanned.
        WaitUntil([&] { return driver.ShownPage() == 4 || driver.MessageCount() > seen; }, kLong);
        if (driver.ShownPage() != 4) {
            Trace("no results page", driver.ShownPage());
            AnswerMessages(driver, seen);
            status = 1;
            continue;
        }
        if (!trace)
            WaitUntil([&] { return driver.MessageCount() > seen; }, 5000);  // Quick Scan's closing hint
        AnswerMessages(driver, seen);
        Trace("results page");
        WaitUntil([&] { return !driver.TreeItems(driver.Control(kResultTree)).empty(); }, 30000);
        CountFound(driver, totals);
        Trace("counted", totals.files);
        if (!trace)
            CountDeleted(driver, totals);
        Trace("deleted", totals.deleted);
        if (!options.out.empty()) {
            if (!TickRoot(driver) ||
                !SaveTicked(driver, seen, staging, options.out / ("p" + std::to_string(index)), totals))
                status = 1;
        }
        Trace("saved", totals.saved);
        if (k + 1 == chosen.size()) {
            SaveSnapshot(driver, options.snapshot);
        } else {
            driver.Click(kBack);
            driver.WaitForPage(2, 60000);
        }
    }
    return status;
}

int RunExtensive(MorvickDriver& driver, const Options& options, const fs::path& staging, Totals& totals)
{
    size_t seen = driver.MessageCount();
    if (!ReachPartitionPage(driver, options, kExtensiveScan, seen))
        return 1;
    unsigned volume = 0;
    // FAT volumes (FAT16 and FAT32 alike), then NTFS ones, each search over the whole disk.
    for (int choice : {2, 0}) {
        if (!driver.WaitForPage(2, 60000))
            return 1;
        driver.SelectTreeItem(driver.Control(kPartitionTree), L"Virtual Hard Disk ");
        driver.SelectComboIndex(kFileSystemChoice, choice);
        driver.Click(kNext);
        WaitUntil([&] { return driver.ShownPage() == 3 || driver.MessageCount() > seen; }, kLong);
        if (driver.ShownPage() != 3 && !driver.WaitForPage(3, kLong))
            return 1;
        AnswerMessages(driver, seen);  // no file system of this kind
        std::vector<std::wstring> volumes;
        for (const TreeItemInfo& item : driver.TreeItems(driver.Control(kFileSystemTree))) {
            if (item.level == 1)
                volumes.push_back(item.text);
        }
        for (const std::wstring& found : volumes) {
            ++volume;
            ++totals.partitions;
            driver.SelectTreeItem(driver.Control(kFileSystemTree), found);
            driver.Click(kNext);
            if (!driver.WaitForPage(4, kLong)) {
                AnswerMessages(driver, seen);
                return 1;
            }
            WaitUntil([&] { return !driver.TreeItems(driver.Control(kResultTree)).empty(); }, 30000);
            CountFound(driver, totals);
            CountDeleted(driver, totals);
            if (!options.out.empty() && TickRoot(driver))
                SaveTicked(driver, seen, staging, options.out / ("v" + std::to_string(volume)), totals);
            driver.Click(kBack);
            driver.WaitForPage(3, 60000);
        }
        driver.Click(kBack);
    }
    return 0;
}

// Moves what a save put into the staging folder into `target`, which may hold other files.
bool MoveSaved(const fs::path& staging, const fs::path& target)
{
    std::error_code error;
    fs::create_directories(target, error);
    for (const auto& entry : fs::directory_iterator(staging, error)) {
        fs::rename(entry.path(), target / entry.path().filename(), error);
        if (error)
            return false;
    }
    return !error;
}

// The program started with the snapshot on its command line, its image question answered, and
// everything saved into the output folder.
int RunLoad(MorvickDriver& driver, const Options& options, const fs::path& staging, Totals& totals)
{
    size_t seen = driver.MessageCount();
    if (!driver.AnswerFileDialog(kSnapshotImageTitle, options.image, kLong)) {
        AnswerMessages(driver, seen);
        Fail("the program did not ask for the snapshot's image");
        return 1;
    }
    // The results page, or the message why the snapshot was refused.
    WaitUntil([&] { return driver.ShownPage() == 4 || driver.MessageCount() > seen; }, kLong);
    if (driver.ShownPage() != 4 || driver.MessageCount() > seen) {
        AnswerMessages(driver, seen);
        return 1;
    }
    totals.partitions = 1;
    HWND tree = driver.Control(kResultTree);
    WaitUntil([&] { return !driver.TreeItems(tree).empty(); }, 30000);
    CountFound(driver, totals);
    // A File Trace snapshot begins with "R" and lists no deleted files.
    char kind = 0;
    if (FILE* file = _wfopen(options.load.c_str(), L"rb")) {
        kind = static_cast<char>(std::fgetc(file));
        std::fclose(file);
    }
    if (kind != 'R')
        CountDeleted(driver, totals);
    const fs::path saved = staging.parent_path() / (staging.filename().wstring() + L"-load");
    if (!TickRoot(driver) || !SaveTicked(driver, seen, staging, saved, totals) || !MoveSaved(saved, options.out)) {
        Fail("the snapshot's files were not saved");
        return 1;
    }
    std::error_code error;
    fs::remove_all(saved, error);
    return 0;
}

}  // namespace

int main()
{
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    Options options;
    if (argc < 2)
        return Usage();
    options.image = argv[1];
    for (int i = 2; i + 1 < argc; i += 2) {
        const std::wstring key = argv[i];
        const std::wstring value = argv[i + 1];
        const std::string narrow(value.begin(), value.end());
        if (key == L"--mode")
            options.mode = narrow;
        else if (key == L"--partition")
            options.partition = narrow;
        else if (key == L"--types")
            options.types = narrow;
        else if (key == L"--out")
            options.out = fs::path(value);
        else if (key == L"--snapshot")
            options.snapshot = value;
        else if (key == L"--load")
            options.load = value;
        else
            return Usage();
    }
    const bool load = !options.load.empty();
    if (load && options.mode.empty())
        options.mode = "snapshot";
    else if (options.mode != "quick" && options.mode != "extensive" && options.mode != "trace")
        return Usage();
    if ((argc - 2) % 2 != 0 || (load && (options.out.empty() || !options.snapshot.empty())))
        return Usage();

    const DWORD started = GetTickCount();
    // Every save goes into one folder of the output (the folder browser opens on it), from which the
    // files are moved to the partition's folder.
    const fs::path staging =
        options.out.empty() ? fs::temp_directory_path() / "morvick-drive-staging" : options.out / ".morvick-staging";
    std::error_code error;
    fs::create_directories(staging, error);
    MorvickDriver::SetSaveFolder(staging.wstring());

    MorvickDriver driver;
    Trace("start");
    if (!driver.Start(load ? L"\"" + options.load + L"\"" : L"") || driver.WaitForFrame(kLong) == nullptr) {
        Fail("Morvick did not start");
        return 1;
    }
    Trace("frame");
    Totals totals;
    int status = 0;
    if (load) {
        status = RunLoad(driver, options, staging, totals);
    } else if (options.mode == "extensive") {
        status = RunExtensive(driver, options, staging, totals);
    } else {
        status = RunPartitions(driver, options, staging, totals);
    }
    // The end through the menu.
    size_t seen = driver.MessageCount();
    driver.SendCommand(kExitCommand);
    if (WaitUntil([&] { return driver.MessageCount() > seen; }, 30000))
        AnswerMessages(driver, seen, IDYES);
    DWORD code = 0;
    if (!driver.WaitExit(60000, &code))
        Fail("Morvick did not end");
    fs::remove_all(staging, error);
    // A refused snapshot gives no counts.
    if (load && status != 0)
        return status;

    std::printf("{\"mode\":\"%s\",\"partitions\":%u,\"folders\":%llu,\"files\":%llu,\"deleted_files\":%llu,"
                "\"saved_files\":%llu,\"saved_bytes\":%llu,\"failed_files\":%llu,\"seconds\":%.3f}\n",
        options.mode.c_str(), totals.partitions, totals.folders, totals.files, totals.deleted, totals.saved,
        totals.bytes, totals.failed, (GetTickCount() - started) / 1000.0);
    std::fflush(stdout);
    return status;
}
