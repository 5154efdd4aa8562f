// Steps of the end-to-end road from a scan to saved files: the results page's ids, the results disks
// of make-results-disks.sh, scanning a partition up to the results page, ticking, saving into a
// folder, and comparing what was saved with what sleuthkit recovers.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tests/e2e/MorvickDriver.h"
#include "tests/e2e/RoadSteps.h"

namespace morvick::e2e {

constexpr UINT kResultTree = 162, kResultList = 165, kSave = 159, kHome = 61481;
constexpr UINT kFileSystemTree = 156;
constexpr UINT kRecoverCommand = 32777, kSaveAllCommand = 32810, kSaveSnapshotCommand = 32811;
constexpr UINT kFindCommand = 32785, kFiltersCommand = 32786, kSettingsCommand = 32787, kDriveInfoCommand = 32788;
constexpr UINT kHelpCommand = 57670;

extern const char kResultsDisks[];
// A file of the results disks as the program opens it, and as this process reads it.
std::wstring ResultsDisk(const char* name);
std::filesystem::path ResultsOracle(const std::string& name);
// The folder every save of the program goes into (MORVICK_TEST_SAVE_DIR, set for the program before
// it starts): the picker gives it when its OK is pressed. Removed at the end of the run.
std::filesystem::path SaveStaging();
// Starts the program with its saves going into SaveStaging().
bool StartProgram(MorvickDriver& driver, const std::wstring& args = L"");
// A fresh path for one save's files (not made yet; removed at the end of the run).
std::filesystem::path NewSaveFolder(const std::string& name);

// The start page, then the drive page's Next, then the partition page: a partition chosen and its
// scan run in the given mode up to the results page (Quick Scan's closing hint answered).
void ScanToResults(MorvickDriver& driver, const std::wstring& image, UINT mode, const std::wstring& partition);
// From the results page's Back: another partition of the same disk scanned (a Quick Scan's closing
// hint answered).
void ScanAnotherPartition(MorvickDriver& driver, const std::wstring& partition, UINT mode = kQuickScan);

// After Back from the results page: the partition pane shows the partition's labels again, with no
// value of the scan left in its rows.
void ExpectPartitionRowsBack(MorvickDriver& driver);

// The file dialog in which the program asks for the image of a snapshot.
constexpr wchar_t kSnapshotImageTitle[] = L"Select the VHD/VHDX file of the snapshot";
// The Load command, the snapshot chosen in its file dialog and the image given in the next one.
void LoadSnapshotOver(MorvickDriver& driver, const std::wstring& snapshot, const std::wstring& image);

// Ticks the result tree's top item "Root" (its check box).
void TickRoot(MorvickDriver& driver);
// Holds the program's saves at the start of each file while the test says so (the program started
// while it lives opens its events through MORVICK_TEST_SAVE_HOLD): a test can then press Skip or
// Stop, or read the bar, while a file is known to be under way, however fast the machine is. Files
// start freely until Hold(). A held file also starts once the save is stopped, or by itself after
// the program's time limit: a minute, or `limitMs` for a program started while this hold lives.
class SaveHold {
public:
    explicit SaveHold(DWORD limitMs = 0);
    ~SaveHold();
    SaveHold(const SaveHold&) = delete;
    SaveHold& operator=(const SaveHold&) = delete;

    void Hold();  // the next file waits at its start
    void Step();  // one waiting (or the next) file starts
    void Free();  // files start freely again

private:
    HANDLE m_free = nullptr;
    HANDLE m_step = nullptr;
};

// How long a save of a whole test volume may take on a loaded machine before it counts as hung.
constexpr DWORD kSaveWaitMs = 120000;

// Presses Save (or sends a command), presses OK in the folder browser and waits for the save's end;
// the message after it is returned and answered. With a folder given, what was saved is moved there
// from SaveStaging() afterwards. A save that has not ended within kSaveWaitMs is a failure: the
// message is then empty and nothing is moved.
LoggedMessage SaveInto(MorvickDriver& driver, const std::filesystem::path& folder, UINT command = 0);

// Every file that sleuthkit recovers of the partition (live and deleted, deleted names masked) is
// saved with the same bytes, and nothing else; live files carry their times. Returns how many
// files were compared.
size_t ExpectSameAsRecovered(const std::filesystem::path& saved, int partition, bool ntfs);

// The tick of the row whose first column reads `name` in rows read at once; -1 when the row is
// not (or not yet) among them.
int CheckOf(const std::vector<ListRowInfo>& rows, const std::wstring& name);

// Renames a row of a list as the keys do: the row clicked, F2, the new name typed into the label and
// Enter; true once the list shows the new name.
bool RenameListRow(MorvickDriver& driver, HWND list, const std::wstring& from, const std::wstring& to);

// The preview's copies in the program's temporary folder ("tmp" and a number).
std::vector<std::filesystem::path> PreviewCopies(const MorvickDriver& driver);

std::string ReadBytes(const std::filesystem::path& path);
// Waits until a file the program writes holds `expected`. A file is there, empty or cut short, long
// before its last byte is written (and cannot be read at all while the program writes it): that it
// is there says nothing of what it holds. The failure tells how far the bytes agree.
::testing::AssertionResult WaitForBytes(const std::filesystem::path& path, const std::string& expected);

}  // namespace morvick::e2e
