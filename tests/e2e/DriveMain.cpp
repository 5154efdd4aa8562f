// morvick-drive IMAGE --mode quick|extensive|trace [--partition N] [--types LIST] --out DIR [--snapshot FILE]
// morvick-drive IMAGE --mode quick --out DIR --measure waits|scan
// morvick-drive IMAGE --mode extensive --out DIR --measure scan
// morvick-drive IMAGE --load SNAPSHOT --out DIR
//
// Walks Morvick.exe through its wizard as a person would, through its windows (the end-to-end
// driver): the image and the mode on the start page, the partition search, then for each partition
// (Quick Scan, File Trace: the one given or every one; Extensive Scan: each file system found over
// the whole disk, FAT first, then NTFS) the scan, the top item ticked and everything saved into
// DIR/pN (DIR/vN for the found volumes, counted from 1), optionally the recovery snapshot of the
// last one, and the end through the menu. Prints one line of JSON with the counts and the seconds,
// as `morvick-bench scan` does. With --measure waits it measures instead what a user waits for on the
// first partition's largest folder (DriveSpeed.h) and prints that line; --measure scan the same
// without the save, or for the Extensive Scan the search and the first volume's scan. With --load the program
// starts with the snapshot on its command line, the image question is answered with IMAGE, and
// everything is saved into DIR, as `morvick-bench load` does (a refused snapshot: its message, and
// exit status 1). scripts/drive.sh runs it under Wine.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <shellapi.h>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/e2e/DriveSpeed.h"
#include "tests/e2e/DriveSteps.h"
#include "tests/e2e/MorvickDriver.h"
#include "tests/support/win/SavedProgramRegistry.h"

namespace fs = std::filesystem;
using namespace morvick::e2e;
using namespace morvick::e2e::drive;

namespace {

// The title of the file dialog in which the program asks for a snapshot's image.
const wchar_t kSnapshotImageTitle[] = L"Select the VHD/VHDX file of the snapshot";

int Usage()
{
    std::fprintf(stderr,
        "usage: morvick-drive IMAGE --mode quick|extensive|trace [--partition N] [--types LIST] "
        "--out DIR [--snapshot FILE] [--measure waits|scan]\n"
        "       morvick-drive IMAGE --load SNAPSHOT --out DIR\n");
    return 2;
}

int RunPartitions(MorvickDriver& driver, const Options& options, const fs::path& staging, Totals& totals)
{
    const bool trace = options.mode == "trace";
    size_t seen = driver.MessageCount();
    if (!ReachPartitionPage(driver, options, trace ? kFileTrace : kQuickScan, seen))
        return 1;
    WaitUntil([&] { return !PartitionItems(driver).empty(); }, kStateWaitMs);
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
            WaitUntil([&] { return driver.MessageCount() > seen; }, kStateWaitMs);  // Quick Scan's closing hint
        AnswerMessages(driver, seen);
        Trace("results page");
        WaitUntil([&] { return !driver.TreeItems(driver.Control(kResultTree)).empty(); }, kStateWaitMs);
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
            WaitUntil([&] { return !driver.TreeItems(driver.Control(kResultTree)).empty(); }, kStateWaitMs);
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
    WaitUntil([&] { return !driver.TreeItems(tree).empty(); }, kStateWaitMs);
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
        else if (key == L"--measure" && (value == L"waits" || value == L"scan"))
            options.measure = narrow;
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
    if ((argc - 2) % 2 != 0 || (load && (options.out.empty() || !options.snapshot.empty() || !options.measure.empty())))
        return Usage();
    if (!options.measure.empty() && options.mode != "quick" &&
        (options.mode != "extensive" || options.measure != "scan"))
        return Usage();

    const DWORD started = GetTickCount();
    // Every save goes into one folder of the output (the folder browser opens on it), from which the
    // files are moved to the partition's folder.
    const fs::path staging =
        options.out.empty() ? fs::temp_directory_path() / "morvick-drive-staging" : options.out / ".morvick-staging";
    std::error_code error;
    fs::create_directories(staging, error);
    MorvickDriver::SetSaveFolder(staging.wstring());

    // What the program writes to the registry is put back once it has ended.
    morvick::test::SavedProgramRegistry savedRegistry;
    MorvickDriver driver;
    Trace("start");
    if (!driver.Start(load ? L"\"" + options.load + L"\"" : L"") || driver.WaitForFrame(kLong) == nullptr) {
        Fail("Morvick did not start");
        return 1;
    }
    Trace("frame");
    Totals totals;
    int status = 0;
    if (load)
        status = RunLoad(driver, options, staging, totals);
    else if (!options.measure.empty() && options.mode == "extensive")
        status = MeasureExtensiveScan(driver, options);
    else if (!options.measure.empty())
        status = MeasureWaits(driver, options, staging);
    else if (options.mode == "extensive")
        status = RunExtensive(driver, options, staging, totals);
    else
        status = RunPartitions(driver, options, staging, totals);
    // The end through the menu.
    size_t seen = driver.MessageCount();
    driver.SendCommand(kExitCommand);
    if (WaitUntil([&] { return driver.MessageCount() > seen; }, kStateWaitMs))
        AnswerMessages(driver, seen, IDYES);
    DWORD code = 0;
    if (!driver.WaitExit(60000, &code))
        Fail("Morvick did not end");
    fs::remove_all(staging, error);
    // Measuring prints its own line; a refused snapshot gives no counts.
    if (!options.measure.empty() || (load && status != 0))
        return status;

    std::printf("{\"mode\":\"%s\",\"partitions\":%u,\"folders\":%llu,\"files\":%llu,\"deleted_files\":%llu,"
                "\"saved_files\":%llu,\"damaged_files\":%llu,\"saved_bytes\":%llu,\"failed_files\":%llu,"
                "\"seconds\":%.3f}\n",
        options.mode.c_str(), totals.partitions, totals.folders, totals.files, totals.deleted, totals.saved,
        totals.damaged, totals.bytes, totals.failed, (GetTickCount() - started) / 1000.0);
    std::fflush(stdout);
    return status;
}
