// The steps of the driver programs of scripts/drive.sh and bench/gui-speed.sh: the program's ids,
// answering its messages, reaching the partition page, counting what the results page shows, and
// saving what is ticked.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/e2e/MorvickDriver.h"

namespace morvick::e2e::drive {

constexpr UINT kQuickScan = 131, kFileTrace = 132, kExtensiveScan = 133;
constexpr UINT kImagePath = 61492, kNext = 159, kBack = 160;
constexpr UINT kPartitionTree = 162, kResultTree = 162, kResultList = 165, kFileSystemTree = 156;
constexpr UINT kFileSystemChoice = 61463, kPaneProgress = 61457;
constexpr UINT kSaveSnapshotCommand = 32811, kDriveInfoCommand = 32788, kExitCommand = 32809;
constexpr DWORD kLong = 600000;  // a scan or a save of a large image

struct Options {
    std::wstring image;
    std::string mode;
    std::string partition = "all";
    std::string types;
    std::filesystem::path out;
    std::wstring snapshot;
    std::string measure;        // --measure waits|scan
    std::wstring load;          // --load: the snapshot to start with
};

struct Totals {
    unsigned partitions = 0;
    unsigned long long folders = 0, files = 0, deleted = 0, saved = 0, damaged = 0, bytes = 0, failed = 0;
};

std::wstring Widen(const std::string& text);
void Fail(const char* what);
// Steps, on standard error when MORVICK_DRIVE_TRACE is set.
void Trace(const char* step, unsigned long long value = 0);

// Answers every message box that is open; returns the last message shown (empty when none).
LoggedMessage AnswerMessages(MorvickDriver& driver, size_t& seen, UINT answer = IDOK);
std::wstring ControlText(HWND control);

// Ticks the result tree's top item.
bool TickRoot(MorvickDriver& driver);
// The folders and files the program found, from its Drive Information.
void CountFound(MorvickDriver& driver, Totals& totals);
// The deleted files: every folder of the tree listed in turn, the type column of its rows read in one
// pass.
void CountDeleted(MorvickDriver& driver, Totals& totals);
// Saves what is ticked into the staging folder, then moves it to `target`; counts the files.
bool SaveTicked(MorvickDriver& driver, size_t& seen, const std::filesystem::path& staging,
    const std::filesystem::path& target, Totals& totals);
void SaveSnapshot(MorvickDriver& driver, const std::wstring& path);
// The File Types dialog: every type, or only those of the list (extensions, the dot optional).
bool ChooseTypes(MorvickDriver& driver, const std::string& list, size_t& seen);
// From the start page to the partition page.
bool ReachPartitionPage(MorvickDriver& driver, const Options& options, UINT mode, size_t& seen);
// The partitions the partition page lists.
std::vector<std::wstring> PartitionItems(MorvickDriver& driver);

}  // namespace morvick::e2e::drive
