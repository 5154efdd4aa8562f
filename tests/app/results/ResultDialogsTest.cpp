// The dialogs of the results page on real windows: the File Types dialog over a Raw.dat written here
// (truncated, duplicate and unusable records; the size kept as shown; types inside closed folders
// chosen), the filter rules, the settings, the drive information, and the words after a save.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "app/WizardState.h"
#include "app/dialogs/DriveInfoDlg.h"
#include "app/dialogs/FileFiltersDlg.h"
#include "app/dialogs/FileTypesDlg.h"
#include "app/dialogs/PartitionTypeDlg.h"
#include "app/dialogs/RecoverySettingsDlg.h"
#include "app/dialogs/SaveDataDlg.h"
#include "app/lists/FoundFileSave.h"
#include "app/workers/WizardScanObserver.h"
#include "engine/save/EngineReset.h"
#include "engine/save/FileFilters.h"
#include "engine/save/SaveState.h"
#include "engine/save/SaveTarget.h"
#include "engine/state/EngineState.h"
#include "resource.h"
#include "tests/app/results/ResultsTestSupport.h"

namespace morvick::test {
namespace {

using Bytes = std::vector<uint8_t>;

void Field(Bytes& out, const std::string& bytes)
{
    out.push_back(static_cast<uint8_t>(bytes.size() & 0xFF));
    out.push_back(static_cast<uint8_t>(bytes.size() >> 8));
    out.insert(out.end(), bytes.begin(), bytes.end());
}

// One record of the signature table.
Bytes Record(char category, const std::string& extension, const std::string& description, const std::string& length,
    const std::string& signature)
{
    Bytes out = {0x01, 0x00, static_cast<uint8_t>(category)};
    Field(out, extension);
    Field(out, description);
    Field(out, length);
    Field(out, signature);
    Field(out, "");
    return out;
}

// Raw.dat in a folder of its own, made the program's folder while the object lives.
class TableFolder {
public:
    explicit TableFolder(const Bytes& table)
    {
        wchar_t temp[MAX_PATH] = L"";
        GetTempPathW(MAX_PATH, temp);
        m_folder = std::wstring(temp) + L"morvick-types-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
        CreateDirectoryW(m_folder.c_str(), nullptr);
        HANDLE file = CreateFileW((m_folder + L"Raw.dat").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, table.data(), static_cast<DWORD>(table.size()), &written, nullptr);
        CloseHandle(file);
        wcscpy(m_saved, g_szProgramFolder);
        wcscpy(g_szProgramFolder, m_folder.c_str());
    }
    ~TableFolder()
    {
        wcscpy(g_szProgramFolder, m_saved);
        DeleteFileW((m_folder + L"Raw.dat").c_str());
        RemoveDirectoryW(m_folder.c_str());
    }

private:
    std::wstring m_folder;
    wchar_t m_saved[MAX_PATH + 1] = L"";
};

std::vector<std::u16string> ChosenExtensions()
{
    std::vector<std::u16string> chosen;
    for (const TraceHitRecord* r = g_TraceHits.head; r != nullptr; r = r->next)
        chosen.emplace_back(r->extension);
    return chosen;
}

TEST(FileTypesDialog, TheTableBecomesATreeOfTypesAndTheTickedOnesTheChosenSignatures)
{
    ResetEngineState();
    Bytes table;
    for (const Bytes& r : {Record('4', ".jpg", "JPEG picture", "3", "\xFF\xD8\xFF"),
             Record('4', ".png", "PNG picture", "4", "\x89PNG"),
             Record('4', ".jpg", "JPEG picture (Exif)", "4", std::string("\xFF\xD8\xFF\xE1", 4)),
             Record('0', ".zip", "Zip archive", "2", "PK"),
             Record('0', "", "no extension", "2", "XX"),
             Record('1', ".bad", "longer than compared", "20", "ABCD"),
             Record('1', ".odd", "length not a number", "x", "AB")})
        table.insert(table.end(), r.begin(), r.end());
    // A record cut short at the end of the file is dropped; the ones before it stay.
    const Bytes cut = Record('7', ".htm", "cut", "2", "<h");
    table.insert(table.end(), cut.begin(), cut.begin() + 9);
    TableFolder folder(table);

    HostWindow owner;
    CFileTypesDlg dialog(&owner);
    ASSERT_TRUE(dialog.Create(IDD_FILE_TYPES, &owner));
    CFileTypeTreeCtrl& tree = dialog.Tree();
    HTREEITEM root = tree.GetRootItem();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(tree.GetItemText(root), L"File Types");
    std::vector<CString> folders;
    for (HTREEITEM f = tree.GetChildItem(root); f != nullptr; f = tree.GetNextSiblingItem(f))
        folders.push_back(tree.GetItemText(f));
    EXPECT_EQ(folders, (std::vector<CString>{L"Graphics Files", L"Archive Files"}))
        << "records without an extension or a usable signature are not offered";
    HTREEITEM graphics = tree.GetChildItem(root);
    int types = 0;
    for (HTREEITEM t = tree.GetChildItem(graphics); t != nullptr; t = tree.GetNextSiblingItem(t))
        ++types;
    EXPECT_EQ(types, 2) << "two records of .jpg give one item";
    EXPECT_EQ(tree.GetCheck(root), 1) << "all types start ticked";

    // Everything cleared: OK refuses.
    tree.SetCheck(root, false);
    EXPECT_FALSE(dialog.Accept());
    EXPECT_EQ(TakeMessages(), (std::vector<std::string>{
        "2\tPlease select a file types and then \\r\\nclick [Next] to continue with recovery."}));

    // Only .jpg, inside a closed folder, and 25 MB: two signatures for .jpg, 25 MiB kept as shown.
    tree.Expand(graphics, TVE_COLLAPSE);
    HTREEITEM jpg = tree.GetChildItem(graphics);
    tree.SetCheck(jpg, true);
    EXPECT_EQ(tree.GetCheck(graphics), 2);
    EXPECT_EQ(tree.GetCheck(root), 2);
    const int at = dialog.SizeBox().FindStringExact(-1, L"25 MB");
    ASSERT_GE(at, 0);
    dialog.SizeBox().SetCurSel(at);
    ASSERT_TRUE(dialog.Accept());
    EXPECT_EQ(ChosenExtensions(), (std::vector<std::u16string>{u".jpg", u".jpg"}));
    EXPECT_EQ(g_nTraceSizeClass, 25u);
    dialog.DestroyWindow();

    // Opened again, it shows the size chosen last, and a second OK does not add to the list.
    CFileTypesDlg again(&owner);
    ASSERT_TRUE(again.Create(IDD_FILE_TYPES, &owner));
    CString shown;
    again.SizeBox().GetLBText(again.SizeBox().GetCurSel(), shown);
    EXPECT_EQ(shown, L"25 MB");
    ASSERT_TRUE(again.Accept());
    EXPECT_EQ(ChosenExtensions(), (std::vector<std::u16string>{u".jpg", u".jpg", u".png", u".zip"}));
    again.DestroyWindow();
    CFileTypesDlg::ForgetChosenSize();
    ResetEngineState();
}

TEST(FileTypesDialog, UsableRecordsHaveACountedSignatureOfOneToFifteenBytes)
{
    SignatureRecord r;
    r.extension = ".a";
    r.lengthText = "2";
    r.signatureHex = "4142";
    EXPECT_TRUE(CFileTypesDlg::IsUsableRecord(r));
    r.lengthText = "3";
    EXPECT_FALSE(CFileTypesDlg::IsUsableRecord(r)) << "more bytes compared than the signature has";
    r.lengthText = "16";
    r.signatureHex = std::string(32, 'A');
    EXPECT_FALSE(CFileTypesDlg::IsUsableRecord(r));
    r.lengthText = "15";
    EXPECT_TRUE(CFileTypesDlg::IsUsableRecord(r));
    r.lengthText = "0";
    EXPECT_FALSE(CFileTypesDlg::IsUsableRecord(r));
    r.lengthText = "1";
    r.extension.clear();
    EXPECT_FALSE(CFileTypesDlg::IsUsableRecord(r));
}

TEST(FiltersDialog, FiltersAreRefusedWhenTooManyTooLongBlankOrThere)
{
    ResetEngineState();
    TakeMessages();
    HostWindow owner;
    CFileFiltersDlg dialog(&owner);
    ASSERT_TRUE(dialog.Create(IDD_FILE_FILTERS, &owner));
    CEdit* edit = static_cast<CEdit*>(dialog.GetDlgItem(IDC_FILTER_EDIT));
    auto add = [&](const wchar_t* text) {
        edit->SetWindowText(text);
        return dialog.AddFilter();
    };
    EXPECT_TRUE(add(L"*.txt"));
    EXPECT_FALSE(add(L"*.txt"));
    EXPECT_FALSE(add(L""));
    EXPECT_TRUE(add(L"1234567890123456789")) << "19 characters";
    EXPECT_FALSE(add(L"12345678901234567890")) << "20 characters";
    for (int i = 2; i < 99; ++i)
        ASSERT_TRUE(add(CString(L"f") + std::to_wstring(i).c_str())) << i;
    EXPECT_FALSE(add(L"one more")) << "the 99th filter was the last";
    EXPECT_EQ(TakeMessages(), (std::vector<std::string>{"2\t      Filter already exists in the list     ",
        "2\t      You can not add a blank entry.     ", "2\t      Filter too long     ",
        "2\t      You cannot add more Filters     "}));
    dialog.StoreFilters();
    EXPECT_EQ(g_nFileFilterCount, 99u);
    EXPECT_EQ(ActiveFileFilters()[0], u"*.txt");
    dialog.DestroyWindow();
    ClearFileFilters();
}

TEST(SettingsDialog, ShowsTheSettingsAndStoresTheChoices)
{
    ResetEngineState();
    HostWindow owner;
    CRecoverySettingsDlg dialog(&owner);
    ASSERT_TRUE(dialog.Create(IDD_RECOVERY_SETTINGS, &owner));
    auto selected = [&](UINT id) {
        return static_cast<CComboBox*>(dialog.GetDlgItem(id))->GetCurSel();
    };
    EXPECT_EQ(selected(IDC_SECTORS_PER_READ), 59) << "60 sectors";
    EXPECT_EQ(selected(IDC_READ_RETRIES), 2) << "3 retries";
    EXPECT_TRUE(dialog.IsDlgButtonChecked(IDC_DUPLICATE_RENAME));
    EXPECT_TRUE(dialog.IsDlgButtonChecked(IDC_DELETED_INCLUDE));
    static_cast<CComboBox*>(dialog.GetDlgItem(IDC_SECTORS_PER_READ))->SetCurSel(99);
    static_cast<CComboBox*>(dialog.GetDlgItem(IDC_READ_RETRIES))->SetCurSel(0);
    dialog.CheckRadioButton(IDC_DUPLICATE_RENAME, IDC_DUPLICATE_SKIP, IDC_DUPLICATE_SKIP);
    dialog.CheckRadioButton(IDC_DELETED_INCLUDE, IDC_DELETED_EXCLUDE, IDC_DELETED_ONLY);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(g_nSectorsPerRead, 100u);
    EXPECT_EQ(g_wReadRetries, 1);
    EXPECT_EQ(g_wDuplicateNames, kDuplicateSkip);
    EXPECT_EQ(g_wDeletedFiles, kDeletedOnly);
    ResetRecoverySettings();
}

// The colour a dialog gives the text of its first label, as the label's painting asks it.
COLORREF LabelTextColour(CDialog& dialog)
{
    for (CWnd* child = dialog.GetWindow(GW_CHILD); child != nullptr; child = child->GetWindow(GW_HWNDNEXT)) {
        wchar_t className[16] = L"";
        GetClassNameW(child->GetSafeHwnd(), className, 16);
        if (_wcsicmp(className, L"Static") != 0)
            continue;
        CClientDC dc(child);
        dc.SetTextColor(RGB(1, 2, 3));
        dialog.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.GetSafeHdc()),
            reinterpret_cast<LPARAM>(child->GetSafeHwnd()));
        return dc.GetTextColor();
    }
    ADD_FAILURE() << "no label";
    return RGB(1, 2, 3);
}

// The dialog made on the owner, the colour of its first label, the dialog closed again.
template <class Dialog>
COLORREF DialogLabelColour(UINT templateId, CWnd& owner)
{
    Dialog dialog(&owner);
    if (!dialog.Create(templateId, &owner)) {
        ADD_FAILURE() << "dialog " << templateId << " not made";
        return RGB(1, 2, 3);
    }
    const COLORREF colour = LabelTextColour(dialog);
    dialog.DestroyWindow();
    return colour;
}

TEST(SkinnedDialogs, OnlyDriveInformationSettingsAndPartitionTypeColourTheirLabels)
{
    ResetEngineState();
    HostWindow owner;
    EXPECT_EQ(DialogLabelColour<CDriveInfoDlg>(IDD_DRIVE_INFO, owner), CSkinnedDialog::kTextColour);
    EXPECT_EQ(DialogLabelColour<CRecoverySettingsDlg>(IDD_RECOVERY_SETTINGS, owner), CSkinnedDialog::kTextColour);
    EXPECT_EQ(DialogLabelColour<CPartitionTypeDlg>(IDD_PARTITION_TYPE, owner), CSkinnedDialog::kTextColour);
    // The file filters keep the window's text colour.
    EXPECT_EQ(DialogLabelColour<CFileFiltersDlg>(IDD_FILE_FILTERS, owner), GetSysColor(COLOR_WINDOWTEXT));
    TakeMessages();
}

TEST(DriveInfoDialog, NamesTheBrowsedFileSystemAndItsCounts)
{
    FillTestVolume(TestVolume::kFat32);
    g_VolumeParams.partitionStart = 2048;
    g_VolumeParams.sectorsPerCluster = 4;
    g_VolumeParams.firstFat = 2052;
    g_VolumeParams.secondFat = 2100;
    CString values[CDriveInfoDlg::kRows];
    CDriveInfoDlg::ComputeValues(values);
    EXPECT_EQ(values[0], L"FAT32");
    EXPECT_EQ(values[1], L"2048");
    EXPECT_EQ(values[2], L"3");
    EXPECT_EQ(values[3], L"6");
    EXPECT_EQ(values[4], L"4");
    EXPECT_EQ(values[5], L"2052");
    EXPECT_EQ(values[6], L"2100");
    EXPECT_EQ(values[7], L"N/A");
    // A volume whose second FAT is the active one is read from it first; the rows keep disk order.
    g_VolumeParams.firstFat = 2100;
    g_VolumeParams.secondFat = 2052;
    CDriveInfoDlg::ComputeValues(values);
    EXPECT_EQ(values[5], L"2052");
    EXPECT_EQ(values[6], L"2100");
    FillTestVolume(TestVolume::kNtfs);
    g_VolumeParams.mftStart = 4096;
    CDriveInfoDlg::ComputeValues(values);
    EXPECT_EQ(values[0], L"NTFS");
    EXPECT_EQ(values[5], L"N/A");
    EXPECT_EQ(values[7], L"4096");
    ResetEngineState();
}

// Everything listed saved through the saving dialog into `folder`, the messages before it taken.
SaveOutcome SaveAllThroughTheDialog(const std::u16string& folder)
{
    g_strSavePath = folder;
    HostWindow owner;
    TakeMessages();
    SaveJob job;
    job.mode = SaveMode::kAll;
    SaveOutcome outcome;
    RunSaveIntoChosenFolder(job, &owner, &outcome);
    return outcome;
}

TEST(SavingDialog, SuccessIsToldOnlyWhenNothingFailedWasDamagedOrSkipped)
{
    SaveOutcome outcome;
    outcome.ran = true;
    outcome.report.savedFiles = 4;
    EXPECT_TRUE(outcome.Success());
    EXPECT_EQ(CSaveDataDlg::OutcomeText(outcome), L"Files Saved Successfully.");
    outcome.report.skippedFiles = 1;
    EXPECT_FALSE(outcome.Success());
    EXPECT_EQ(CSaveDataDlg::OutcomeText(outcome), L"4 file(s) saved.\r\n1 file(s) skipped.");
    outcome.report.skippedFiles = 0;
    outcome.report.failedFiles = 2;
    outcome.report.damagedFiles = 1;
    EXPECT_EQ(CSaveDataDlg::OutcomeText(outcome),
        L"5 file(s) saved.\r\n1 of them damaged: parts that could not be read or found are zeros or left out.\r\n2 "
        L"file(s) could not be saved.");
    // Deleted files whose clusters files written since hold: the reason is told; a bitmap that could
    // not be read is told once, and is no success.
    outcome.report.reusedClusterFiles = 2;
    outcome.report.clusterUseUnknown = true;
    EXPECT_EQ(CSaveDataDlg::OutcomeText(outcome),
        L"5 file(s) saved.\r\n1 of them damaged: parts that could not be read or found are zeros or left out.\r\n2 "
        L"file(s) could not be saved.\r\n2 deleted file(s) had clusters that files written since now hold: those "
        L"parts are zeros, and a file with none of its own left was not saved.\r\nThe volume's cluster bitmap could "
        L"not be read: deleted files were saved from their clusters as they lie, which files written since may hold.");
    SaveOutcome unchecked;
    unchecked.ran = true;
    unchecked.report.savedFiles = 3;
    unchecked.report.clusterUseUnknown = true;
    EXPECT_FALSE(unchecked.Success());
    EXPECT_NE(CSaveDataDlg::OutcomeText(unchecked).Find(L"cluster bitmap could not be read"), -1);
    // Stopped with nothing gone wrong: no word of success, nothing else to tell.
    SaveOutcome stopped;
    stopped.ran = true;
    stopped.stopped = true;
    stopped.report.savedFiles = 3;
    EXPECT_FALSE(stopped.Success());
    EXPECT_EQ(CSaveDataDlg::OutcomeText(stopped), L"");
}

TEST(SavingDialog, DeletedFilesCutByAFileInUseAreTold)
{
    SaveOutcome outcome;
    outcome.ran = true;
    outcome.report.savedFiles = 3;
    outcome.report.damagedFiles = 2;
    outcome.report.damagedPaths = {u"C:\\out\\xMG_0150.JPG", u"C:\\out\\xMG_0151.JPG"};
    outcome.report.cutPaths = {u"C:\\out\\xMG_0150.JPG"};
    EXPECT_EQ(CSaveDataDlg::OutcomeText(outcome),
        L"5 file(s) saved.\r\n2 of them damaged: parts that could not be read or found are zeros or left out.\r\n1 "
        L"of them deleted files partly taken by a file in use: their bytes past that point may be another file's.");
}

TEST(SavingDialog, StopAsksOnlyWhileTheSaveIsNotStoppedAlready)
{
    int asked = 0;
    CSaveDataDlg::SetStopQuestion([&] {
        ++asked;
        return false;
    });
    SaveJob job;
    CSaveDataDlg dialog(job, nullptr);
    dialog.AskToStop();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(g_nSaveStop.load(), 0) << "No leaves the save running";
    // The worker stopped the save itself (No to "Continue Recovery ?"): nothing left to ask.
    g_nSaveStop = 1;
    dialog.AskToStop();
    EXPECT_EQ(asked, 1);
    CSaveDataDlg::SetStopQuestion(nullptr);
    ResetSaveState();
}

TEST(SavingDialog, ASaveWhoseDialogCannotOpenTellsThatNothingWasSaved)
{
    FillTestVolume(TestVolume::kFat32);
    HostWindow owner;
    TakeMessages();
    // The dialog's template cannot be found: its window, and so the save's worker, never start.
    const HINSTANCE resources = AfxGetResourceHandle();
    AfxSetResourceHandle(GetModuleHandleW(L"kernel32.dll"));
    SaveJob job;
    job.mode = SaveMode::kAll;
    SaveOutcome outcome;
    RunSaveIntoChosenFolder(job, &owner, &outcome);
    AfxSetResourceHandle(resources);
    EXPECT_FALSE(outcome.Success());
    EXPECT_EQ(TakeMessages(), (std::vector<std::string>{"2\tThe saving could not be started. No file was saved."}));
    ResetEngineState();
}

TEST(SavingDialog, AFileThatCannotBeCreatedIsAskedAboutWithTheErrorIcon)
{
    // The chosen folder is a file: no file can be created below it.
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    const std::wstring blocker = std::wstring(temp) + L"morvick-not-a-folder-" + std::to_wstring(GetCurrentProcessId());
    HANDLE file = CreateFileW(blocker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    const std::u16string folder(reinterpret_cast<const char16_t*>(blocker.c_str()), blocker.size());
    auto errorQuestions = [](const std::vector<std::string>& lines, size_t& asked) {
        asked = 0;
        for (const std::string& line : lines) {
            if (line.find("Error creating file : ") == std::string::npos)
                continue;
            ++asked;
            EXPECT_EQ(line.substr(0, 2), "2\t") << line;
        }
    };

    // A save through the saving dialog (each question is answered Yes: the save goes on).
    FillTestVolume(TestVolume::kFat32);
    g_VolumeParams.sectorsPerCluster = 1;
    const SaveOutcome outcome = SaveAllThroughTheDialog(folder + u"\\");
    size_t asked = 0;
    errorQuestions(TakeMessages(), asked);
    EXPECT_EQ(asked, 6u) << "one question for each file";
    EXPECT_EQ(outcome.report.failedFiles, 6u);

    // A preview's copy, through the wizard's observer.
    wizard::InstallWizardObserver();
    COutputFile copy;
    std::u16string path = folder + u"\\tmp0.jpg";
    EXPECT_FALSE(CreateSaveFile(copy, folder, path, u"tmp0.jpg", false));
    wizard::UninstallWizardObserver();
    errorQuestions(TakeMessages(), asked);
    EXPECT_EQ(asked, 1u);

    DeleteFileW(blocker.c_str());
    g_strSavePath.clear();
    ResetEngineState();
}

// A file that a loaded snapshot lists but the disk no longer holds as it lists it (marked changed by
// the load) is refused by every save path before anything is created: the tree save and the Find
// dialog's save count it failed, with its name and the reason the saving dialog tells; a preview's
// copy makes no file and counts nothing.
TEST(SavingDialog, AFileChangedOnTheDiskSinceItsSnapshotIsNeverSaved)
{
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    const std::filesystem::path folder =
        std::filesystem::path(temp) / (L"morvick-changed-" + std::to_wstring(GetCurrentProcessId()));
    std::filesystem::create_directories(folder);
    const std::wstring wide = folder.wstring();
    const std::u16string target(reinterpret_cast<const char16_t*>(wide.c_str()), wide.size());
    const CString told =
        L"1 of them are no longer on the disk as the recovery snapshot lists them: scan the image again to recover them.";
    // The Find dialog's save counts the file failed, by its name, as changed; a preview's copy counts
    // nothing; neither makes a file.
    auto expectRefused = [&](const ResultFileInfo& file, const std::wstring& found, const std::wstring& preview) {
        const std::u16string foundName(found.begin(), found.end());
        ResetSaveState();
        EXPECT_EQ(SaveFoundFile(file, target, foundName, true), 0);
        EXPECT_EQ(g_SaveReport.changedFiles, 1u);
        EXPECT_EQ(g_SaveReport.failedNames, std::vector<std::u16string>{foundName});
        ResetSaveState();
        EXPECT_EQ(SaveFoundFile(file, target, std::u16string(preview.begin(), preview.end()), false), 0);
        EXPECT_EQ(g_SaveReport.failedFiles + g_SaveReport.changedFiles, 0u);
        EXPECT_FALSE(std::filesystem::exists(folder / found));
        EXPECT_FALSE(std::filesystem::exists(folder / preview));
    };
    for (TestVolume kind : {TestVolume::kFat32, TestVolume::kNtfs}) {
        SCOPED_TRACE(kind == TestVolume::kFat32 ? "FAT32" : "NTFS");
        FillTestVolume(kind);
        g_VolumeParams.sectorsPerCluster = 1;
        ResultFileInfo changed;
        if (kind == TestVolume::kFat32) {
            FatEntryRecord* r = g_FatEntries.head->next->next;  // A\a1.txt
            r->changedOnDisk = 1;
            changed.kind = ResultFileKind::kFat;
            changed.record = r;
        } else {
            MftEntryRecord* r = g_MftEntries.head->next->next;
            r->changedOnDisk = 1;
            changed.kind = ResultFileKind::kMft;
            changed.record = r;
        }
        const SaveOutcome outcome = SaveAllThroughTheDialog(target);
        TakeMessages();
        EXPECT_EQ(outcome.report.changedFiles, 1u);
        EXPECT_FALSE(std::filesystem::exists(folder / L"A" / L"a1.txt"));
        if (kind == TestVolume::kFat32) {
            // No image behind the NTFS lists: their records cannot be read, and every file fails.
            EXPECT_EQ(outcome.report.failedFiles, 1u);
            EXPECT_EQ(outcome.report.failedNames, std::vector<std::u16string>{u"a1.txt"});
            EXPECT_TRUE(std::filesystem::exists(folder / L"A" / L"a2.txt"));
        } else {
            EXPECT_EQ(std::count(outcome.report.failedNames.begin(), outcome.report.failedNames.end(), u"a1.txt"), 1);
        }
        EXPECT_NE(CSaveDataDlg::OutcomeText(outcome).Find(told), -1) << "the reason is told";

        // The Find dialog's save, and a preview's copy.
        expectRefused(changed, L"found a1.txt", L"preview a1.txt");
        std::filesystem::remove_all(folder / L"A");
        std::filesystem::remove_all(folder / L"B");
        std::filesystem::remove_all(folder / L"A1");
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            std::filesystem::remove_all(entry.path());
    }
    // An Extensive Scan's NTFS file too.
    FillTestVolume(TestVolume::kNtfs);
    NtfsFileRecord* r = NewRecord<NtfsFileRecord>();
    r->name = CopyRecordName(u"found.txt");
    r->sector = 3000;
    r->changedOnDisk = 1;
    AppendRecord(g_NtfsFileRecords, r);
    ResultFileInfo found;
    found.kind = ResultFileKind::kNtfsFile;
    found.record = r;
    ResetSaveState();
    EXPECT_EQ(SaveFoundFile(found, target, u"found.txt", true), 0);
    EXPECT_EQ(g_SaveReport.changedFiles, 1u);
    EXPECT_FALSE(std::filesystem::exists(folder / L"found.txt"));
    // A File Trace hit whose sector no longer begins with its type's signature: neither its save nor
    // a preview's copy writes the bytes that took its place.
    FillTestVolume(TestVolume::kTrace);
    TracedFileRecord* hit = g_TracedFiles.head->next;
    hit->changedOnDisk = 1;
    ResultFileInfo traced;
    traced.kind = ResultFileKind::kTraced;
    traced.record = hit;
    expectRefused(traced, L"2.png", L"tmp2.png");

    std::filesystem::remove_all(folder);
    g_strSavePath.clear();
    ResetSaveState();
    ResetEngineState();
}

}  // namespace
}  // namespace morvick::test
