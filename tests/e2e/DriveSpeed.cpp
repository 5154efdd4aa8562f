#include "tests/e2e/DriveSpeed.h"

#include <cstdio>
#include <cwchar>
#include <functional>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace morvick::e2e::drive {

namespace {

constexpr int kSizeColumn = 2;
constexpr UINT kScanStatus = 61482;  // the partition page's status line

double Now()
{
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

DWORD ClosePoll()
{
    return 2;
}

// Polls every few milliseconds (or as often as pollMs says): the waits measured are around a second.
bool WaitClosely(const std::function<bool()>& done, DWORD ms, const std::function<DWORD()>& pollMs = ClosePoll)
{
    const double until = Now() + ms / 1000.0;
    for (;;) {
        if (done())
            return true;
        if (Now() >= until)
            return false;
        Sleep(pollMs());
    }
}

// A save of many files and a scan are looked at less often: each look reads the program's message
// log or asks its window, and the system calls of hundreds of looks a second slow the work being
// measured (under Wine they go through the same server as its own reads and writes).
DWORD BusyPoll()
{
    return 25;
}

// Has the list painted what it now holds: a paint asked for and returned, after the program's window
// thread took a message (so that it is done with the click).
void WaitPainted(HWND list)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutW(list, WM_NULL, 0, 0, SMTO_NORMAL, kLong, &result);
    RedrawWindow(list, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

int RowCount(HWND list)
{
    return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
}

HTREEITEM Caret(HWND tree)
{
    return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
}

// The rows in ascending order of the Size column: the parent row, then the folders, then the files
// from the smallest on.
bool InSizeOrder(MorvickDriver& driver, HWND list)
{
    const std::vector<std::wstring> names = driver.ColumnTexts(list, 0);
    const std::vector<std::wstring> types = driver.ColumnTexts(list, 1);
    const std::vector<std::wstring> sizes = driver.ColumnTexts(list, kSizeColumn);
    if (names.size() != types.size() || names.size() != sizes.size())
        return false;
    int lastGroup = 0;
    unsigned long long lastSize = 0;
    for (size_t row = 0; row < names.size(); ++row) {
        const bool folder = types[row] == L"Folder" || types[row] == L"Deleted Folder";
        const int group = names[row] == L"Parent..." ? 0 : (folder ? 1 : 2);
        if (group < lastGroup)
            return false;
        if (group == 2) {
            const unsigned long long size = wcstoull(sizes[row].c_str(), nullptr, 10);
            if (lastGroup == 2 && size < lastSize)
                return false;
            lastSize = size;
        }
        lastGroup = group;
    }
    return true;
}

struct Folder {
    TreeItemInfo item;
    int rows = -1;
};

// The folder whose listing has the most rows (every folder selected in turn) and one other item.
Folder LargestFolder(MorvickDriver& driver, HWND tree, HWND list, HTREEITEM& other)
{
    Folder largest;
    driver.ExpandTree(tree);
    const std::vector<TreeItemInfo> items = driver.TreeItems(tree);
    for (const TreeItemInfo& item : items) {
        SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item.item));
        const int rows = RowCount(list);
        if (rows > largest.rows) {
            largest.item = item;
            largest.rows = rows;
        }
    }
    other = nullptr;
    for (const TreeItemInfo& item : items) {
        if (item.item != largest.item.item) {
            other = item.item;
            break;
        }
    }
    return largest;
}

}  // namespace

bool TreeWaitClock::See(double now, int page, const std::wstring& status, bool treeFilled)
{
    if (m_treeShown >= 0)
        return true;
    if (page == 4 && treeFilled) {
        // A tree made between two looks began after the last look at the scan.
        if (m_scanEnd < 0)
            m_scanEnd = m_scanning >= 0 ? m_scanning : now;
        m_treeShown = now;
        return true;
    }
    if (page == 2 && m_scanEnd < 0) {
        if (status.rfind(L"Please wait creating tree", 0) == 0)
            m_scanEnd = now;
        else
            m_scanning = now;
    }
    return false;
}

double TreeWaitClock::Seconds() const
{
    return m_scanEnd >= 0 && m_treeShown >= 0 ? m_treeShown - m_scanEnd : 0;
}

int MeasureWaits(MorvickDriver& driver, const Options& options, const fs::path& staging)
{
    size_t seen = driver.MessageCount();
    if (!ReachPartitionPage(driver, options, kQuickScan, seen))
        return 1;
    WaitUntil([&] { return !PartitionItems(driver).empty(); }, kStateWaitMs);
    const std::vector<std::wstring> partitions = PartitionItems(driver);
    if (partitions.empty() || !driver.SelectTreeItem(driver.Control(kPartitionTree), partitions[0])) {
        Fail("no partition to scan");
        return 1;
    }

    // The scan: from Next to the results page with its tree; the tree: from the end of the scan to
    // the same.
    const double clicked = Now();
    if (!driver.Click(kNext)) {
        Fail("the scan did not start");
        return 1;
    }
    TreeWaitClock clock;
    const bool treeShown = WaitClosely(
        [&] {
            const int page = driver.ShownPage();
            HWND tree = page == 4 ? driver.Control(kResultTree) : nullptr;
            return clock.See(Now(), page, page == 2 ? driver.Text(kScanStatus) : std::wstring(),
                tree != nullptr && SendMessageW(tree, TVM_GETCOUNT, 0, 0) > 0);
        },
        kLong, [&] { return clock.ScanEnded() ? ClosePoll() : BusyPoll(); });
    const double scan = Now() - clicked;
    const double tree = clock.Seconds();
    if (!treeShown) {
        AnswerMessages(driver, seen);
        Fail("the results page did not come");
        return 1;
    }
    WaitUntil([&] { return driver.MessageCount() > seen; }, kStateWaitMs);  // Quick Scan's closing hint
    AnswerMessages(driver, seen);

    HWND treeControl = driver.Control(kResultTree);
    HWND list = driver.Control(kResultList);
    HTREEITEM other = nullptr;
    const Folder largest = LargestFolder(driver, treeControl, list, other);
    if (largest.rows <= 0) {
        Fail("no folder lists anything");
        return 1;
    }
    Trace("largest folder rows", static_cast<unsigned long long>(largest.rows));
    // Away from it, so that the click lists it anew.
    SendMessageW(treeControl, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(other));
    WaitPainted(list);

    // The list: from the click on the folder to its rows painted.
    double started = Now();
    if (!driver.ClickTreeItem(treeControl, largest.item.text) ||
        !WaitClosely([&] { return Caret(treeControl) == largest.item.item && RowCount(list) == largest.rows; },
            kLong)) {
        Fail("the folder was not listed");
        return 1;
    }
    WaitPainted(list);
    const double fill = Now() - started;

    // The sort: from the click on the Size heading to the rows painted in their new order. The click
    // returns once the program has handled it, sort and all; the rows are then in order by size
    // (which they may have been before, when the smallest files led already).
    started = Now();
    if (!driver.ClickListHeader(list, kSizeColumn, kLong)) {
        Fail("the click on the Size heading was not handled");
        return 1;
    }
    WaitPainted(list);
    const double sort = Now() - started;
    if (!InSizeOrder(driver, list)) {
        Fail("the list was not sorted");
        return 1;
    }

    char line[200];
    std::snprintf(line, sizeof line,
        "{\"scan_s\":%.3f,\"tree_s\":%.3f,\"list_rows\":%lld,\"list_fill_s\":%.3f,\"sort_s\":%.3f", scan, tree,
        static_cast<long long>(largest.rows), fill, sort);
    if (options.measure != "waits") {
        std::printf("%s}\n", line);
        std::fflush(stdout);
        return 0;
    }

    // The save: from Save to the message after the saving dialog.
    if (!TickRoot(driver)) {
        Fail("the top item could not be ticked");
        return 1;
    }
    started = Now();
    if (!driver.Click(kNext) || !driver.ChooseSaveFolder(L"", kLong) ||
        !WaitClosely([&] { return driver.MessageCount() > seen; }, kLong, BusyPoll)) {
        Fail("the save did not end");
        return 1;
    }
    const double save = Now() - started;
    const LoggedMessage done = AnswerMessages(driver, seen);
    std::error_code error;
    fs::remove_all(staging, error);
    fs::create_directories(staging, error);

    std::printf("%s,\"gui_save_s\":%.3f}\n", line, save);
    std::fflush(stdout);
    return done.text.find("Files Saved Successfully.") != std::string::npos ? 0 : 1;
}

int MeasureExtensiveScan(MorvickDriver& driver, const Options& options)
{
    size_t seen = driver.MessageCount();
    if (!ReachPartitionPage(driver, options, kExtensiveScan, seen))
        return 1;
    // FAT volumes (FAT16 and FAT32 alike), then NTFS ones.
    for (int choice : {2, 0}) {
        if (!driver.WaitForPage(2, 60000))
            return 1;
        driver.SelectTreeItem(driver.Control(kPartitionTree), L"Virtual Hard Disk ");
        driver.SelectComboIndex(kFileSystemChoice, choice);
        std::vector<std::wstring> volumes;
        const double clicked = Now();
        // The file-system page listing what was found, or the message that nothing was.
        const auto searchEnded = [&] {
            if (driver.MessageCount() > seen)
                return true;
            volumes.clear();
            if (driver.ShownPage() == 3) {
                for (const TreeItemInfo& item : driver.TreeItems(driver.Control(kFileSystemTree))) {
                    if (item.level == 1)
                        volumes.push_back(item.text);
                }
            }
            return !volumes.empty();
        };
        if (!driver.Click(kNext) || !WaitClosely(searchEnded, kLong, BusyPoll)) {
            Fail("the search did not end");
            return 1;
        }
        const double search = Now() - clicked;
        if (volumes.empty()) {
            // No file system of this kind: its message, then back for the other kind.
            driver.WaitForPage(3, kLong);
            AnswerMessages(driver, seen);
            driver.Click(kBack);
            continue;
        }
        driver.SelectTreeItem(driver.Control(kFileSystemTree), volumes[0]);
        const double next = Now();
        const auto resultsShown = [&] {
            HWND tree = driver.ShownPage() == 4 ? driver.Control(kResultTree) : nullptr;
            return tree != nullptr && SendMessageW(tree, TVM_GETCOUNT, 0, 0) > 0;
        };
        if (!driver.Click(kNext) || !WaitClosely(resultsShown, kLong, BusyPoll)) {
            AnswerMessages(driver, seen);
            Fail("the volume's results did not come");
            return 1;
        }
        const double volume = Now() - next;
        AnswerMessages(driver, seen);
        std::printf("{\"search_s\":%.3f,\"volume_s\":%.3f}\n", search, volume);
        std::fflush(stdout);
        return 0;
    }
    Fail("the Extensive Scan found no volume");
    return 1;
}

}  // namespace morvick::e2e::drive
