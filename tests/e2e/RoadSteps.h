// Steps of the end-to-end road shared by its test programs: the program's ids, the fixture disks,
// and the moves from page to page.
#pragma once

#include <string>
#include <vector>

#include "tests/e2e/MorvickDriver.h"

namespace morvick::e2e {

// Control and command ids of the program (res/wizard.h).
constexpr UINT kQuickScan = 131, kFileTrace = 132, kExtensiveScan = 133, kBrowse = 61491;
constexpr UINT kImagePath = 61492, kModeLabel = 1126;
constexpr UINT kNext = 159, kBack = 160, kStop = 132;
constexpr UINT kDriveTree = 156, kPartitionTree = 162;
constexpr UINT kRowValue = 61411, kRowLabel = 61401;
constexpr UINT kFileSystemChoice = 61463, kStartSector = 61462, kEndSector = 61461;
constexpr UINT kOpenCommand = 32818, kLoadSnapshotCommand = 32781, kExitCommand = 32809, kAboutCommand = 57664;
constexpr UINT kPaneStatus = 61482, kPaneProgress = 61457, kHideProgress = 61486;

// The fixture script of the road's disks, and a disk of it as the program opens it.
extern const char kWizardDisks[];
std::wstring Disk(const char* name);

// A command the frame refuses opens nothing: the About box, asked for after it, comes alone (the
// frame handles its commands in order). A window that did open is closed again.
void ExpectRefused(MorvickDriver& driver, UINT command, const std::wstring& window);
// Presses a button and expects exactly one message for it, which is then answered.
void PressAndExpect(MorvickDriver& driver, UINT button, const std::string& kind, const std::string& text,
    UINT answer = IDOK);
std::vector<std::wstring> ItemTexts(MorvickDriver& driver, UINT tree);
bool WaitForTree(MorvickDriver& driver, UINT tree, size_t count);
// Chooses an image and a mode on the start page and waits for the drive page.
void OpenImage(MorvickDriver& driver, const std::wstring& path, UINT mode);
// Next on the drive page; answers the "Partition Type" question when the disk has a table.
void SearchPartitions(MorvickDriver& driver, bool tableExpected);
// Scan on the Extensive Scan's partition page: the file-system page comes and lists a file system;
// a message instead fails the test with its text.
void ScanToFileSystems(MorvickDriver& driver);
// A value of the program's profile exists; and removes one (the test program puts the profile back
// as it found it when it ends).
bool ProfileValueExists(const wchar_t* section, const wchar_t* value);
void DeleteProfileValue(const wchar_t* section, const wchar_t* value);

}  // namespace morvick::e2e
