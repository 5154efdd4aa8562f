// The main frame's command enabling in every scan mode and stage of the wizard, the options its
// command bars start with, and the end of the program while a worker runs.
#include <gtest/gtest.h>

#include "app/workers/WorkerProtocol.h"
#include "engine/fat/FatEntryLists.h"
#include "engine/state/EngineState.h"
#include "resource.h"
#include "tests/app/frame/FrameTestSupport.h"
#include "tests/support/win/SavedProgramRegistry.h"
#include "tests/support/win/SavedRegistry.h"
#include "toolkit/commandbars/BarOptions.h"
#include "toolkit/commandbars/CommandBars.h"

namespace morvick::test {
namespace {

// What the frame's own update handler makes of a command: 1 enabled, 0 disabled, -1 left alone.
int UpdateOf(UINT id)
{
    CTestCmdUI probe;
    probe.m_nID = id;
    Frame().CCmdTarget::OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &probe, nullptr);
    return probe.m_bEnableChanged ? (probe.m_bEnabled ? 1 : 0) : -1;
}

// How a command follows the mode: by the results flag of the mode's stage, off, or not at all.
enum Rule { kDeepResults, kResults, kOff, kLeft };

struct CommandRule {
    UINT id;
    Rule extensive, fileTrace, quick;
};

const CommandRule kRules[] = {
    {ID_RECOVER_SELECTED, kDeepResults, kResults, kResults},
    {ID_SAVE_ALL, kDeepResults, kLeft, kResults},
    {ID_DRIVE_INFORMATION, kDeepResults, kLeft, kResults},
    {ID_SAVE_SNAPSHOT, kDeepResults, kResults, kResults},
    {ID_VIEW_ICONS, kDeepResults, kResults, kResults},
    {ID_VIEW_LIST_MODE, kDeepResults, kResults, kResults},
    {ID_VIEW_DETAILS, kDeepResults, kResults, kResults},
    {ID_FILE_FILTERS, kDeepResults, kResults, kResults},
    {ID_FIND_FILES, kDeepResults, kOff, kResults},
    {ID_RECOVERY_SETTINGS, kLeft, kOff, kLeft},
};

// The frame's flags and the mode as they were, given back at the end of a test.
class FrameStateGuard {
public:
    FrameStateGuard()
        : m_mode(g_nScanMode), m_source(Frame().m_bStageSource), m_partition(Frame().m_bStagePartition),
          m_results(Frame().m_bResultsReady), m_deep(Frame().m_bDeepResultsReady), m_modeChosen(Frame().m_bModeChosen),
          m_open(Frame().m_bOpenEnabled)
    {}
    ~FrameStateGuard()
    {
        g_nScanMode = m_mode;
        Frame().m_bStageSource = m_source;
        Frame().m_bStagePartition = m_partition;
        Frame().m_bResultsReady = m_results;
        Frame().m_bDeepResultsReady = m_deep;
        Frame().m_bModeChosen = m_modeChosen;
        Frame().m_bOpenEnabled = m_open;
    }

private:
    int32_t m_mode;
    BOOL m_source, m_partition, m_results, m_deep, m_modeChosen, m_open;
};

TEST(FrameCommands, EachResultsCommandFollowsTheStageOfItsModeAsTheTableSays)
{
    ASSERT_NO_FATAL_FAILURE(ReturnToStart());
    FrameStateGuard guard;
    const struct {
        int32_t mode;
        const char* name;
    } modes[] = {{kScanExtensive, "Extensive Scan"}, {kScanFileTrace, "File Trace"}, {kScanQuick, "Quick Scan"}};
    const struct {
        CMainFrame::Stage stage;
        const char* name;
    } stages[] = {{CMainFrame::kStageSource, "source"}, {CMainFrame::kStagePartition, "partition"},
        {CMainFrame::kStageResults, "results"}, {CMainFrame::kStageDeepResults, "deep results"}};
    for (const auto& mode : modes) {
        for (const auto& stage : stages) {
            g_nScanMode = mode.mode;
            Frame().SetStage(stage.stage);
            for (const CommandRule& rule : kRules) {
                const Rule r = mode.mode == kScanExtensive ? rule.extensive
                    : mode.mode == kScanFileTrace          ? rule.fileTrace
                                                           : rule.quick;
                const int expected = r == kLeft ? -1
                    : r == kOff                 ? 0
                    : r == kDeepResults         ? (stage.stage == CMainFrame::kStageDeepResults ? 1 : 0)
                                                : (stage.stage == CMainFrame::kStageResults ? 1 : 0);
                EXPECT_EQ(UpdateOf(rule.id), expected)
                    << "command " << rule.id << ", " << mode.name << ", stage " << stage.name;
            }
        }
    }
}

TEST(FrameCommands, OpenAndLoadFollowTheirOwnFlags)
{
    ASSERT_NO_FATAL_FAILURE(ReturnToStart());
    FrameStateGuard guard;
    for (BOOL open : {FALSE, TRUE}) {
        Frame().m_bOpenEnabled = open;
        EXPECT_EQ(UpdateOf(ID_OPEN_IMAGE), open ? 1 : 0);
    }
    // On the start page a snapshot can be loaded (its image is asked for); past it, once a mode
    // was chosen.
    for (BOOL chosen : {FALSE, TRUE}) {
        Frame().m_bModeChosen = chosen;
        EXPECT_EQ(UpdateOf(ID_LOAD_SNAPSHOT), 1);
    }
    App().SwitchView(CEx_StyleApp::kDrivePage);
    for (BOOL chosen : {FALSE, TRUE}) {
        Frame().m_bModeChosen = chosen;
        EXPECT_EQ(UpdateOf(ID_LOAD_SNAPSHOT), chosen ? 1 : 0);
    }
    App().SwitchView(CEx_StyleApp::kStartPage);
}

TEST(FrameCommands, OnAFirstStartTheMenusAreShortAndSlideOpen)
{
    ASSERT_NE(Frame().m_pBars, nullptr);
    // A first start has no stored options: any in the profile are taken away for the test (and put
    // back on every way out), and the options are loaded as the frame loads them when it starts.
    const std::wstring section = ProgramProfileKey(App().m_pszAppName) + L"\\CommandBars-Options";
    SavedRegistryKey stored(HKEY_CURRENT_USER, section);
    RegDeleteTreeW(HKEY_CURRENT_USER, section.c_str());
    Frame().m_pBars->LoadOptions(L"CommandBars");
    // What the frame set before loading them stays.
    const CTKPBarOptions* options = Frame().m_pBars->GetOptions();
    EXPECT_FALSE(options->bAlwaysShowFullMenus);
    EXPECT_EQ(options->animationType, 3);
}

// The process's end as the exit asks for it, counted instead of done.
int g_nProcessEnds = 0;
bool g_bEndedWithWorker = false;

bool CountProcessEnd(bool workerRunning)
{
    ++g_nProcessEnds;
    g_bEndedWithWorker = workerRunning;
    return true;
}

class FrameExit : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(ReturnToStart());
        g_nProcessEnds = 0;
        g_bEndedWithWorker = false;
        // A worker that does not stop is waited for only briefly here.
        CMainFrame::SetProcessEndForTests(CountProcessEnd, 100);
        TakeMessages();
    }
    void TearDown() override
    {
        CMainFrame::SetProcessEndForTests(nullptr, 60000);
        wizard::ResetWorkerProtocolForTests();
    }
};

TEST_F(FrameExit, AWorkerThatDoesNotStopEndsWithTheProcessAndKeepsWhatItReads)
{
    const HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_TRUE(wizard::StartWorker([release](ScanFinishedWord&) {
        WaitForSingleObject(release, INFINITE);
        return 1;
    }));
    ASSERT_NE(AppendFatFolder(u"KEPT", 77, 0, 0, 0, 0, 0), nullptr);
    const FatFolderRecord* kept = g_FatFolders.head;
    CVirtualDisk* disk = Frame().VirtualDisk();

    const int answer = Frame().ConfirmExit();
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{"3\tDo you really want to exit ?"});
    EXPECT_EQ(g_nProcessEnds, 1) << "the process was not ended";
    EXPECT_TRUE(g_bEndedWithWorker);
    EXPECT_NE(answer, 1) << "the frame would be destroyed under the running worker";
    // Nothing the worker may still read was freed.
    EXPECT_TRUE(::IsWindow(Frame().GetSafeHwnd()));
    EXPECT_EQ(Frame().VirtualDisk(), disk);
    EXPECT_EQ(g_FatFolders.head, kept);

    SetEvent(release);
    EXPECT_TRUE(PumpUntil([] { return wizard::IsWorkerOver(); }));
    CloseHandle(release);
    FreeFoundEntryLists();
}

TEST_F(FrameExit, WithoutAWorkerTheListsAreFreedAndTheProcessEnds)
{
    ASSERT_NE(AppendFatFolder(u"FREED", 78, 0, 0, 0, 0, 0), nullptr);
    Frame().ConfirmExit();
    EXPECT_EQ(g_nProcessEnds, 1);
    EXPECT_FALSE(g_bEndedWithWorker);
    EXPECT_EQ(g_FatFolders.head, nullptr);
    TakeMessages();
}

}  // namespace
}  // namespace morvick::test
