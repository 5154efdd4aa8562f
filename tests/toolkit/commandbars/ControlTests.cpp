// Controls of a command bar: their texts and icons, the execution of their command through the
// frame, the press-and-hold loop of toolbar buttons and split buttons, and their lifetime when the
// command's own handler takes them away.
#include <gtest/gtest.h>

#include "tests/support/win/DispatchClient.h"
#include "tests/toolkit/commandbars/CommandBarsTestSupport.h"
#include "toolkit/commandbars/BarOptions.h"
#include "toolkit/commandbars/ControlButton.h"
#include "toolkit/commandbars/ControlPopup.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/ToolBar.h"

#include <vector>

namespace {

class ControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pFrame = new CTestFrame;
        ASSERT_TRUE(m_pFrame->CreateTestFrame());
        m_pBar = m_pFrame->GetToolBar();
        ASSERT_NE(m_pBar, nullptr);
    }
    void TearDown() override
    {
        if (m_pFrame->GetSafeHwnd() != NULL)
            m_pFrame->DestroyWindow();
    }
    CTKPControl* Find(int nId) { return m_pBar->GetControls()->FindControl(nId); }
    // A left press on the control with the release already queued.
    void Click(CTKPControl* pControl, CPoint ptRelease = CPoint(-1, -1))
    {
        const CPoint pt = pControl->GetRect().CenterPoint();
        if (ptRelease != CPoint(-1, -1)) {
            m_pBar->PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(ptRelease.x, ptRelease.y));
            m_pBar->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptRelease.x, ptRelease.y));
        } else {
            m_pBar->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        }
        m_pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    }
    CTestFrame* m_pFrame = nullptr;
    CTKPToolBar* m_pBar = nullptr;
};

// A control that says when it is destroyed.
class CProbeButton : public CTKPControlButton {
public:
    explicit CProbeButton(bool* pDestroyed) : m_pDestroyed(pDestroyed) {}
    ~CProbeButton() override { *m_pDestroyed = true; }
    bool* m_pDestroyed;
};

// A control whose width the customisation may change; it records the widths it is given.
class CSizableButton : public CTKPControlButton {
public:
    BOOL IsCustomizeResizeAllow() const override { return TRUE; }
    int GetCustomizeMinWidth() const override { return 10; }
    void SetWidth(int nWidth) override { m_widths.push_back(nWidth); }
    std::vector<int> m_widths;
};

}  // namespace

TEST(ControlTexts, TabSplitsTheShortcutAndNewlineSplitsThePrompt)
{
    CTKPControl* pControl = new CTKPControlButton;
    pControl->SetCaption(L"&Word\tCtrl+W");
    EXPECT_EQ(pControl->GetCaption(), CString(L"&Word"));
    EXPECT_EQ(pControl->GetShortcutText(), CString(L"Ctrl+W"));
    // A caption without a tab keeps the shortcut; an explicit shortcut text wins.
    pControl->SetCaption(L"Other");
    EXPECT_EQ(pControl->GetShortcutText(), CString(L"Ctrl+W"));
    pControl->SetShortcutText(L"F9");
    EXPECT_EQ(pControl->GetShortcutText(), CString(L"F9"));
    // A custom caption wins over the caption.
    pControl->SetCustomCaption(L"Custom");
    EXPECT_EQ(pControl->GetCaption(), CString(L"Custom"));
    pControl->InternalRelease();

    CTKPControl* pEmpty = new CTKPControlButton;
    pEmpty->SetPrompt(L"Saves the document.\nSave");
    EXPECT_EQ(pEmpty->GetDescription(), CString(L"Saves the document."));
    EXPECT_EQ(pEmpty->GetTooltip(), CString(L"Save"));
    EXPECT_EQ(pEmpty->GetCaption(), CString(L"Save"));
    pEmpty->SetPrompt(L"");
    EXPECT_EQ(pEmpty->GetTooltip(), CString(L"Save"));
    // The string resource of the id is the prompt.
    pEmpty->SetID(101);
    EXPECT_EQ(pEmpty->GetDescription(), CString(L"Save the file"));
    pEmpty->InternalRelease();
}

// A script or screen reader that asks the command bars, their options, a bar's controls or one
// control for automation gets an IDispatch that answers as an object without members.
TEST_F(ControlTest, TheManagerItsOptionsAndTheControlsHandOutADispatch)
{
    CTKPCommandBars* pCommandBars = m_pBar->GetCommandBars();
    ASSERT_NE(pCommandBars, nullptr);
    EXPECT_TRUE(HandsOutADispatchWithoutMembers(pCommandBars));
    EXPECT_TRUE(HandsOutADispatchWithoutMembers(pCommandBars->GetCommandBarsOptions()));
    EXPECT_TRUE(HandsOutADispatchWithoutMembers(m_pBar->GetControls()));
    ASSERT_GT(m_pBar->GetControls()->GetCount(), 0);
    EXPECT_TRUE(HandsOutADispatchWithoutMembers(m_pBar->GetControls()->GetAt(0)));
}

TEST_F(ControlTest, TheCommandIdIsTheImageIdUnlessAnIconIdIsSet)
{
    CTKPControl* pOpen = Find(100);
    ASSERT_NE(pOpen, nullptr);
    EXPECT_EQ(pOpen->GetIconId(), 100);
    EXPECT_NE(pOpen->GetImage(32), nullptr);
    pOpen->SetIconId(101);
    EXPECT_EQ(pOpen->GetIconId(), 101);
    pOpen->SetCustomIconId(102);
    EXPECT_EQ(pOpen->GetIconId(), 102);

    CTKPControl* pNoId = m_pBar->GetControls()->Add(tkpControlButton, 0);
    EXPECT_EQ(pNoId->GetIconId(), 0);
    EXPECT_EQ(pNoId->GetImage(32), nullptr);
}

TEST_F(ControlTest, ExecutionNotifiesTheSiteAndSendsTheCommandOnlyWhenTheNotificationIsNotHandled)
{
    CTKPControl* pSave = Find(101);
    pSave->OnExecute();
    EXPECT_EQ(m_pFrame->m_notifications, (std::vector<UINT>{101}));
    EXPECT_EQ(m_pFrame->m_commands, (std::vector<UINT>{101}));

    m_pFrame->m_nNotifyAnswer = 1;
    pSave->OnExecute();
    EXPECT_EQ(m_pFrame->m_notifications.size(), 2u);
    EXPECT_EQ(m_pFrame->m_commands.size(), 1u);

    // A control without a command sends nothing.
    m_pFrame->m_nNotifyAnswer = 0;
    m_pBar->GetControls()->Add(tkpControlButton, 0)->OnExecute();
    EXPECT_EQ(m_pFrame->m_notifications.size(), 2u);
    EXPECT_EQ(m_pFrame->m_commands.size(), 1u);
}

TEST_F(ControlTest, ABarTrackedForAReturnedCommandKeepsTheIdAndSendsNothing)
{
    UINT nReturned = 0;
    m_pBar->SetReturnCmd(&nReturned);
    Find(102)->OnExecute();
    m_pBar->SetReturnCmd(NULL);
    EXPECT_EQ(nReturned, 102u);
    EXPECT_TRUE(m_pFrame->m_commands.empty());
    EXPECT_TRUE(m_pFrame->m_notifications.empty());
}

TEST_F(ControlTest, AControlWhoseCommandRemovesItLivesUntilItsExecutionEnds)
{
    bool bDestroyed = false;
    CProbeButton* pProbe = new CProbeButton(&bDestroyed);
    m_pBar->GetControls()->Add(pProbe, 150);
    bool bAliveInHandler = false;
    m_pFrame->m_onCommand = [&](UINT nID) {
        if (nID != 150)
            return;
        // The command replaces the bar's controls (as a menu switch does).
        m_pBar->GetControls()->RemoveAll();
        bAliveInHandler = !bDestroyed;
    };
    pProbe->SetCloseSubMenuOnClick(FALSE);  // afterwards the bar refreshes its controls
    pProbe->OnExecute();
    EXPECT_TRUE(bAliveInHandler);
    EXPECT_TRUE(bDestroyed);
    EXPECT_EQ(m_pFrame->m_commands, (std::vector<UINT>{150}));
}

TEST_F(ControlTest, WithCloseOnClickClearTheExecutionRefreshesTheCommandState)
{
    CTKPControl* pPrint = Find(103);
    pPrint->SetCloseSubMenuOnClick(FALSE);
    m_pFrame->m_checked[103] = 1;
    m_pBar->ShowWindow(SW_SHOWNA);
    pPrint->OnExecute();
    EXPECT_EQ(pPrint->GetChecked(), 1);
    EXPECT_EQ(pPrint->GetPressed(), 0);
}

TEST_F(ControlTest, PressAndReleaseOnAButtonExecutesItOnce)
{
    Click(Find(100));
    EXPECT_EQ(m_pFrame->m_commands, (std::vector<UINT>{100}));
    EXPECT_EQ(Find(100)->GetSelected(), 0);
    EXPECT_EQ(m_pBar->GetLastClicked(), Find(100)->GetIndex());
    // Marked as executing until the next idle update.
    EXPECT_EQ(Find(100)->GetPressed(), 2);
    RunIdle(m_pFrame);
    EXPECT_EQ(Find(100)->GetPressed(), 0);
}

TEST_F(ControlTest, ReleasingOffTheButtonDoesNotExecuteIt)
{
    CTKPControl* pOpen = Find(100);
    Click(pOpen, CPoint(pOpen->GetRect().right + 50, pOpen->GetRect().bottom + 50));
    EXPECT_TRUE(m_pFrame->m_commands.empty());
    EXPECT_EQ(pOpen->GetSelected(), 0);
}

TEST_F(ControlTest, AQuitMessageDuringThePressEndsItAndReachesTheMainLoop)
{
    ::PostQuitMessage(7);
    const CPoint pt = Find(100)->GetRect().CenterPoint();
    // The loop ends without executing and puts the quit message back.
    m_pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    EXPECT_TRUE(m_pFrame->m_commands.empty());
    EXPECT_EQ(::GetCapture(), (HWND)NULL);
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
    PumpPending();
}

TEST_F(ControlTest, TheArrowOfASplitButtonOpensItsPopupAndTheRestExecutes)
{
    CFakePopupBarClass fakePopups;
    CTKPControlPopup* pSplit =
        static_cast<CTKPControlPopup*>(m_pBar->GetControls()->Add(tkpControlSplitButtonPopup, 104));
    ASSERT_NE(pSplit->GetCommandBar(), nullptr);
    m_pFrame->RecalcLayout();
    const CRect rc = pSplit->GetRect();
    ASSERT_GT(rc.Width(), 11 + 10);

    const int nPopups = CFakePopupBar::s_nPopups;
    m_pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rc.right - 5, rc.CenterPoint().y));
    EXPECT_EQ(CFakePopupBar::s_nPopups, nPopups + 1);
    EXPECT_TRUE(pSplit->GetPopup());
    EXPECT_EQ(m_pBar->GetPopupedIndex(), pSplit->GetIndex());
    m_pBar->SetTrackingMode(CTKPCommandBar::trackingNone, TRUE, FALSE);
    EXPECT_FALSE(pSplit->GetPopup());
    EXPECT_TRUE(m_pFrame->m_commands.empty());

    m_pBar->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(rc.left + 5, rc.CenterPoint().y));
    m_pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rc.left + 5, rc.CenterPoint().y));
    EXPECT_EQ(m_pFrame->m_commands, (std::vector<UINT>{104}));
    EXPECT_EQ(CFakePopupBar::s_nPopups, nPopups + 1);
}

TEST_F(ControlTest, CopiesAndComparisonsCoverWhatCustomisationChanges)
{
    CTKPControl* pOpen = Find(100);
    CTKPControl* pClone = pOpen->Clone();
    EXPECT_TRUE(pClone->IsKindOf(RUNTIME_CLASS(CTKPControlButton)));
    EXPECT_TRUE(pOpen->Compare(pClone));
    // State is not part of the comparison, texts are.
    pClone->SetChecked(1);
    pClone->SetEnabled(FALSE);
    EXPECT_TRUE(pOpen->Compare(pClone));
    pClone->SetCaption(L"Renamed");
    EXPECT_FALSE(pOpen->Compare(pClone));
    pClone->InternalRelease();
}

TEST_F(ControlTest, APopupHoldsItselfAndThePopupsBelowItButNotThoseAboveIt)
{
    // File > Recent > Files, and an unrelated Edit popup.
    auto* pFile = static_cast<CTKPControlPopup*>(m_pBar->GetControls()->Add(tkpControlPopup, 150));
    auto* pRecent = static_cast<CTKPControlPopup*>(pFile->GetCommandBar()->GetControls()->Add(tkpControlPopup, 151));
    auto* pFiles = static_cast<CTKPControlPopup*>(pRecent->GetCommandBar()->GetControls()->Add(tkpControlPopup, 152));
    auto* pEdit = static_cast<CTKPControlPopup*>(m_pBar->GetControls()->Add(tkpControlPopup, 153));
    // A popup may not be dropped into itself or into a popup below it...
    EXPECT_TRUE(pFile->IsContainPopup(pFile));
    EXPECT_TRUE(pFile->IsContainPopup(pFiles));
    EXPECT_TRUE(pRecent->IsContainPopup(pFiles));
    // ...but a submenu dragged out may go back into its parent, with or without popups of its own.
    EXPECT_FALSE(pFiles->IsContainPopup(pRecent));
    EXPECT_FALSE(pFiles->IsContainPopup(pFile));
    EXPECT_FALSE(pRecent->IsContainPopup(pFile));
    EXPECT_FALSE(pEdit->IsContainPopup(pFile));
    EXPECT_FALSE(pFiles->IsContainPopup(pEdit));
    EXPECT_FALSE(pFile->IsContainPopup(nullptr));
    // A copy that shares a popup bar holds what the original holds.
    pEdit->SetCommandBar(pRecent->GetCommandBar());
    EXPECT_TRUE(pEdit->IsContainPopup(pRecent));
    EXPECT_TRUE(pEdit->IsContainPopup(pFiles));
    // A bar that holds its own popup ends the walk.
    pFiles->SetCommandBar(pFile->GetCommandBar());
    EXPECT_TRUE(pFiles->IsContainPopup(pRecent));
    pFiles->SetCommandBar(NULL);
}

TEST_F(ControlTest, TheCustomiseResizeLoopTakesTheReleasedWidthAndEndsOnEscapeOrQuit)
{
    CSizableButton* pControl = new CSizableButton;
    m_pBar->GetControls()->Add(pControl, 150);
    m_pFrame->RecalcLayout();
    const CRect rc = pControl->GetRect();
    ASSERT_FALSE(rc.IsRectEmpty());
    CTKPCommandBars* pCommandBars = m_pFrame->GetCommandBars();

    // Only a press within 2 pixels of the left or right edge starts it.
    EXPECT_FALSE(pControl->CustomizeStartResize(rc.CenterPoint()));

    // Dragging the right edge 20 pixels further and releasing there.
    const CPoint ptEdge(rc.right - 1, rc.CenterPoint().y);
    m_pBar->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptEdge.x + 20, ptEdge.y));
    m_pBar->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptEdge.x + 20, ptEdge.y));
    EXPECT_TRUE(pControl->CustomizeStartResize(ptEdge));
    EXPECT_EQ(pControl->m_widths, (std::vector<int>{rc.Width() + 20}));
    EXPECT_EQ(pCommandBars->GetDragControl(), pControl);
    EXPECT_EQ(::GetCapture(), (HWND)NULL);

    // Never narrower than the control's minimum; Escape drops the change.
    const CPoint ptLeft(rc.left, rc.CenterPoint().y);
    m_pBar->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(rc.right + 50, ptLeft.y));
    m_pBar->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(pControl->CustomizeStartResize(ptLeft));
    EXPECT_EQ(pControl->m_widths.size(), 1u);
    m_pBar->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(rc.right + 50, ptLeft.y));
    m_pBar->PostMessage(WM_LBUTTONUP, 0, 0);
    EXPECT_TRUE(pControl->CustomizeStartResize(ptLeft));
    EXPECT_EQ(pControl->m_widths.back(), 10);

    // A quit message ends it unchanged and goes back to the main loop.
    ::PostQuitMessage(6);
    EXPECT_TRUE(pControl->CustomizeStartResize(ptEdge));
    EXPECT_EQ(pControl->m_widths.size(), 2u);
    EXPECT_EQ(::GetCapture(), (HWND)NULL);
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 6u);
}
