// The boxes of the snapshot commands as the wizard shows them: a notice of the question kind (a
// missing file) has OK alone, only a real question (replace a file?) has Yes and No, and a source
// that does not hold the snapshot is told in the plain system box.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app/dialogs/SnapshotLoadProgress.h"
#include "app/workers/WizardScanObserver.h"
#include "engine/save/EngineReset.h"
#include "engine/snapshot/SnapshotFile.h"
#include "engine/state/EngineState.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/MessageLog.h"
#include "ui/msgbox/win/RichMessageBox.h"

namespace morvick::test {
namespace {

using morvick::ui::CurrentRichMsgBoxHooks;
using morvick::ui::RichMsgBoxHooks;

std::wstring TempPath(const wchar_t* name)
{
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + L"morvick-" + std::to_wstring(GetCurrentProcessId()) + L"-" + name;
}

std::u16string U16(const std::wstring& text)
{
    return std::u16string(text.begin(), text.end());
}

class SnapshotMessages : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetEngineState();
        wizard::InstallWizardObserver();
        TakeMessages();
    }
    void TearDown() override
    {
        wizard::UninstallWizardObserver();
        ResetEngineState();
        for (const std::wstring& path : m_files)
            DeleteFileW(path.c_str());
    }

    // The boxes shown while `run` runs, pressed as they come: the ids of the buttons each had.
    struct Shown {
        bool ok = false;
        bool yes = false;
        bool no = false;
    };
    static std::vector<Shown>& Boxes()
    {
        static std::vector<Shown> boxes;
        return boxes;
    }
    static void Created(HWND box)
    {
        Shown shown;
        shown.ok = GetDlgItem(box, IDOK) != nullptr;
        shown.yes = GetDlgItem(box, IDYES) != nullptr;
        shown.no = GetDlgItem(box, IDNO) != nullptr;
        Boxes().push_back(shown);
        PostMessageW(box, WM_COMMAND, shown.no ? IDNO : IDOK, 0);
    }
    static BOOL WINAPI NoBeep(UINT) { return TRUE; }
    template <class Run>
    std::vector<Shown> ShowAndPress(Run run)
    {
        // Shown for real (not answered unattended), so that their buttons can be seen.
        wchar_t autoClose[8] = L"";
        const bool hadAutoClose = GetEnvironmentVariableW(L"MORVICK_TEST_AUTOCLOSE_MESSAGES", autoClose, 8) > 0;
        SetEnvironmentVariableW(L"MORVICK_TEST_AUTOCLOSE_MESSAGES", nullptr);
        const RichMsgBoxHooks saved = CurrentRichMsgBoxHooks();
        CurrentRichMsgBoxHooks().created = Created;
        CurrentRichMsgBoxHooks().startHidden = true;
        CurrentRichMsgBoxHooks().messageBeep = NoBeep;
        Boxes().clear();
        run();
        CurrentRichMsgBoxHooks() = saved;
        if (hadAutoClose)
            SetEnvironmentVariableW(L"MORVICK_TEST_AUTOCLOSE_MESSAGES", autoClose);
        return Boxes();
    }

    std::wstring File(const wchar_t* name)
    {
        m_files.push_back(TempPath(name));
        return m_files.back();
    }

private:
    std::vector<std::wstring> m_files;
};

TEST_F(SnapshotMessages, OnlyTheReplaceQuestionHasYesAndNo)
{
    const std::wstring missing = File(L"missing.srzq");
    std::vector<Shown> shown = ShowAndPress([&] { EXPECT_FALSE(LoadSnapshotFile(U16(missing))); });
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].ok);
    EXPECT_FALSE(shown[0].yes) << "a missing file is a notice";
    const std::vector<std::string> logged = TakeMessages();
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_EQ(logged[0].substr(0, 2), "3\t") << "with the question mark";
    EXPECT_NE(logged[0].find(" does not exists."), std::string::npos);

    const std::wstring existing = File(L"existing.srzq");
    HANDLE file = CreateFileW(existing.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    shown = ShowAndPress([&] { EXPECT_FALSE(SaveSnapshotAs(U16(existing))) << "answered No"; });
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].yes);
    EXPECT_TRUE(shown[0].no);
    TakeMessages();
}

TEST_F(SnapshotMessages, ASourceThatDoesNotHoldTheSnapshotIsToldInThePlainBox)
{
    // A snapshot of a FAT volume, loaded with no image open, under the load's progress dialog.
    g_nScanMode = kScanQuick;
    g_VolumeParams.browsedFileSystemType = FileSystemKind::kFat32;
    g_VolumeParams.sectorsPerCluster = 1;
    const std::wstring path = File(L"mismatch.srzq");
    ASSERT_TRUE(SaveSnapshotFile(U16(path)));
    HostWindow owner;
    TakeMessages();
    {
        CSnapshotLoadProgress progress(&owner);
        EXPECT_FALSE(LoadSnapshotFile(U16(path)));
    }
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{"plain\tSource file and load recovery snapshot mismatch"});
}

}  // namespace
}  // namespace morvick::test
