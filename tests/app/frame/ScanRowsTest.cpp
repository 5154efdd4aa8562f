// What the partition page's "Current Sector" row shows once a scan has read its last sectors: a
// sector number as the scan reached it, whatever the status line says. The Quick Scan of NTFS names
// each MFT record's own sector on the disk; the Extensive Scan of NTFS the sector each read starts
// at (the range's first sector + the read's offset), the Extensive Scan of FAT the read's offset.
#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "app/WizardState.h"
#include "app/pages/SecondDisplay.h"
#include "app/pages/SecondView_HDD.h"
#include "app/workers/WorkerProtocol.h"
#include "app/workers/WizardScanObserver.h"
#include "engine/ntfs/NtfsEntryLists.h"
#include "engine/state/EngineState.h"
#include "resource.h"
#include "tests/app/frame/FrameTestSupport.h"

namespace morvick::test {
namespace {

std::wstring Row(int row)
{
    return std::wstring(static_cast<LPCWSTR>(PartitionPage().m_pDisplay->RowValue(row)));
}

// File Trace's question which file types to search for, answered with its default (every type) as
// soon as it shows.
void CALLBACK AnswerFileTypes(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = FindWindowW(nullptr, L"File Types");
    if (dialog != nullptr && IsWindowVisible(dialog))
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

// The scan runs to its end with the page's poll held back: the rows then show what the scan
// reported last, as before the wizard moves on.
void ScanUnpolled(UINT modeButton, const wchar_t* partition, int fileSystemChoice,
    const std::wstring& image = WizardDisk("fixed.vhd"))
{
    ASSERT_NO_FATAL_FAILURE(ReturnToStart());
    ASSERT_NO_FATAL_FAILURE(ReachPartitionPage(image, modeButton));
    ASSERT_NO_FATAL_FAILURE(ChoosePartition(partition));
    CSecondView_HDD& page = PartitionPage();
    if (fileSystemChoice >= 0)
        page.m_pDisplay->GetDlgItem(IDC_FILE_SYSTEM_CHOICE)->SendMessage(CB_SETCURSEL, fileSystemChoice);
    const UINT_PTR answer = SetTimer(nullptr, 0, 50, AnswerFileTypes);
    Press(page.m_btnScan);
    KillTimer(nullptr, answer);
    ASSERT_TRUE(PumpAllButTimersUntilTheWorkerEnds()) << "the scan did not end";
    wizard::DeliverWorkerReports();
}

// The offset of the last read of the Extensive Scan's range.
uint64_t LastReadOffset()
{
    const uint64_t perRead = g_nSectorsPerRead;
    return (uint64_t{g_VolumeParams.partitionSectors} - 1) / perRead * perRead;
}

}  // namespace

TEST(ScanRows, TheCurrentSectorRowNamesTheSectorTheScanReached)
{
    // Quick Scan of NTFS (row 3): the MFT's last record.
    ASSERT_NO_FATAL_FAILURE(ScanUnpolled(ID_QUICK_SCAN, L"Partition 2", -1));
    uint64_t lastRecord = 0;
    for (size_t run = 0; run < g_MftRunTable.start.size(); ++run) {
        if (g_MftRunTable.start[run] != 0 && g_MftRunTable.length[run] >= 2)
            lastRecord = g_MftRunTable.start[run] + g_MftRunTable.length[run] / 2 * 2 - 2;
    }
    ASSERT_GT(lastRecord, uint64_t{g_VolumeParams.partitionStart});
    EXPECT_EQ(Row(2), std::to_wstring(lastRecord));
    ASSERT_TRUE(PumpUntil([] { return App().ShownPage() == CEx_StyleApp::kResultsPage; }));
    TakeMessages();

    // Extensive Scan of NTFS (row 5): the first sector of the range's last read.
    ASSERT_NO_FATAL_FAILURE(ScanUnpolled(ID_EXTENSIVE_SCAN, L"Partition 2", 0));
    ASSERT_GT(g_VolumeParams.partitionStart, 0u);
    EXPECT_EQ(Row(4), std::to_wstring(g_VolumeParams.partitionStart + LastReadOffset()));
    ASSERT_TRUE(PumpUntil([] { return App().ShownPage() == CEx_StyleApp::kFileSystemPage; }, 120000));
    TakeMessages();

    // Extensive Scan of FAT (row 3): the offset of the range's last read.
    ASSERT_NO_FATAL_FAILURE(ScanUnpolled(ID_EXTENSIVE_SCAN, L"Partition 1", 1));
    EXPECT_EQ(Row(2), std::to_wstring(LastReadOffset()));
    ASSERT_TRUE(PumpUntil([] { return App().ShownPage() == CEx_StyleApp::kFileSystemPage; }, 120000));
    TakeMessages();
}

TEST(ScanRows, FileTraceFindsFilesButNoFolder)
{
    // The signature table is read from the program's folder: here the build's.
    struct ProgramFolder {
        std::wstring before = g_szProgramFolder;
        ProgramFolder()
        {
            std::wstring folder = L"Z:";
            for (const char* c = MORVICK_RAW_DAT; *c != 0; ++c)
                folder += *c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(*c));
            folder.resize(folder.rfind(L'\\') + 1);
            wcsncpy(g_szProgramFolder, folder.c_str(), MAX_PATH);
        }
        ~ProgramFolder() { wcsncpy(g_szProgramFolder, before.c_str(), MAX_PATH); }
    } programFolder;
    ASSERT_NE(GetFileAttributesW((std::wstring(g_szProgramFolder) + L"Raw.dat").c_str()), INVALID_FILE_ATTRIBUTES);
    // The pictures of a FAT16 partition traced: row 2 counts them, row 1 ("Folder(s) Found") stays 0.
    ASSERT_NO_FATAL_FAILURE(ScanUnpolled(ID_FILE_TRACE, L"Partition 0", -1, FixtureDisk(kTraceDisks, "whole.vhd")));
    EXPECT_GE(std::stoi(Row(1)), 2);
    EXPECT_EQ(Row(0), L"0");
    ASSERT_TRUE(PumpUntil([] { return App().ShownPage() == CEx_StyleApp::kResultsPage; }, 120000));
    TakeMessages();
}

TEST(ScanRows, TheReadingPositionStaysStillWhileTheProgressIsHidden)
{
    // A Quick Scan of NTFS with its progress hidden, held just after it reported where it reads.
    bool reading = false;
    HeldWorker hold([&reading](const std::u16string* status) {
        if (reading)
            return true;
        reading = status != nullptr && status->rfind(u"Reading Sector ", 0) == 0;
        return false;
    });
    ASSERT_NO_FATAL_FAILURE(ReturnToStart());
    ASSERT_NO_FATAL_FAILURE(ReachPartitionPage(WizardDisk("fixed.vhd"), ID_QUICK_SCAN));
    ASSERT_NO_FATAL_FAILURE(ChoosePartition(L"Partition 2"));
    CSecondView_HDD& page = PartitionPage();
    ASSERT_NO_FATAL_FAILURE(Press(page.m_btnScan));
    page.m_pDisplay->SendMessage(WM_COMMAND, ID_HIDE_PROGRESS);
    ASSERT_EQ(g_nProgressShown, 0);
    ASSERT_TRUE(PumpUntil([&] { return hold.Held(); })) << "the scan never told where it reads";
    wizard::DeliverWorkerReports();
    EXPECT_NE(PaneStatus(*page.m_pDisplay).Left(15), L"Reading Sector ") << "the status line followed the reads";
    // The progress shown again, as the tests that follow expect it.
    page.m_pDisplay->SendMessage(WM_COMMAND, ID_HIDE_PROGRESS);
    ASSERT_EQ(g_nProgressShown, 1);
    hold.Release();
    ASSERT_TRUE(PumpUntil([] { return App().ShownPage() == CEx_StyleApp::kResultsPage; }, 120000));
    TakeMessages();
}

}  // namespace morvick::test
