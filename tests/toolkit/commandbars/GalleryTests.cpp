// Pictures of the test frame with its bars in each bar theme and desktop colour scheme, under
// build/windows/commandbars-gallery/, for people to look at. A toolbar of large buttons, one of
// small buttons in every state (idle, hot, pressed, checked, hot and checked, disabled, disabled and
// checked, with a popup arrow and as a split button), one docked on the left and one floating.
// Nothing is compared; the test checks that every picture was written.
#include <gtest/gtest.h>

#include "tests/support/win/WindowCapture.h"
#include "tests/toolkit/commandbars/CommandBarsTestSupport.h"
#include "toolkit/base/ColorManager.h"
#include "toolkit/commandbars/CommandBarsTheme.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/ToolBar.h"

#include <string>

namespace {

struct Look {
    const wchar_t* name;
    int nTheme;
    int nScheme;  // 0 the desktop's (none under Wine), 1 blue, 2 olive, 3 silver
    BOOL bTextBelow;
};

const Look kLooks[] = {
    {L"default", CTKPCommandBarsTheme::themeDefault, 0, FALSE},
    {L"flat", CTKPCommandBarsTheme::themeFlat, 0, FALSE},
    {L"flat-text-below", CTKPCommandBarsTheme::themeFlat, 0, TRUE},
    {L"gradient", CTKPCommandBarsTheme::themeGradient, 0, FALSE},
    {L"gradient-blue", CTKPCommandBarsTheme::themeGradient, 1, FALSE},
    {L"gradient-olive", CTKPCommandBarsTheme::themeGradient, 2, FALSE},
    {L"gradient-silver", CTKPCommandBarsTheme::themeGradient, 3, FALSE},
    {L"scheme-gradient", CTKPCommandBarsTheme::themeSchemeGradient, 0, FALSE},
    {L"scheme-gradient-blue", CTKPCommandBarsTheme::themeSchemeGradient, 1, TRUE},
    {L"scheme-gradient-silver", CTKPCommandBarsTheme::themeSchemeGradient, 3, FALSE},
};

// The states toolbar: ids 110-112 have images (toolbar 201), 100-104 too (toolbar 200, scaled).
void FillStatesBar(CTKPToolBar* pBar)
{
    CTKPControls* pControls = pBar->GetControls();
    pControls->RemoveAll();
    const int ids[] = {110, 111, 112, 100, 101, 102, 103};
    for (int nId : ids)
        pControls->Add(tkpControlButton, nId);
    CTKPControl* pPopup = pControls->Add(tkpControlPopup, 104);
    pPopup->SetCaption(L"Popup");
    pPopup->SetStyle(1);
    CTKPControl* pSplit = pControls->Add(tkpControlSplitButtonPopup, 110);
    pSplit->SetBeginGroup(TRUE);
}

}  // namespace

TEST(CommandBarsGallery, EveryThemeWithEveryButtonState)
{
    const std::wstring folder = morvick::test::GalleryFolder("commandbars");
    ::CoInitialize(NULL);
    for (const Look& look : kLooks) {
        SCOPED_TRACE(testing::Message() << look.nTheme << "/" << look.nScheme);
        const int nOldScheme = GetColorManager()->m_nSelectedScheme;
        GetColorManager()->SetSelectedScheme(look.nScheme == 0 ? nOldScheme : look.nScheme);
        GetColorManager()->RefreshColors();
        CTKPCommandBarsTheme::SetTheme(look.nTheme);

        CTestFrame* pFrame = new CTestFrame;
        ASSERT_TRUE(pFrame->CreateTestFrame(FALSE, CRect(40, 40, 720, 400)));
        CTKPCommandBars* pCommandBars = pFrame->GetCommandBars();
        pFrame->GetToolBar()->SetTextBelowIcons(look.bTextBelow ? 1 : 0);

        CTKPToolBar* pStates = pCommandBars->CreateToolBar(L"States", tkpBarTop);
        pStates->LoadToolBar(201);
        FillStatesBar(pStates);
        CTKPToolBar* pLeft = pCommandBars->CreateToolBar(L"Left", tkpBarLeft);
        pLeft->LoadToolBar(201);
        CTKPToolBar* pFloating = pCommandBars->CreateToolBar(L"Floating", tkpBarFloating);
        pFloating->LoadToolBar(201);
        pFloating->SetWindowPos(NULL, 430, 250, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

        // Command states through the frame's update handlers: 100 checked, 101 disabled, 102 checked
        // and disabled, 111 checked (on the left bar too).
        pFrame->m_checked[100] = 1;
        pFrame->m_checked[102] = 1;
        pFrame->m_checked[111] = 1;
        pFrame->m_enabled[101] = FALSE;
        pFrame->m_enabled[102] = FALSE;
        RunIdle(pFrame);
        pFrame->RecalcLayout();
        // Hot, pressed, hot and checked: 110 hot, 112 pressed, 100 (checked) hot through the keyboard.
        CTKPControls* pControls = pStates->GetControls();
        pControls->GetAt(0)->SetSelected(TRUE);
        pControls->GetAt(2)->SetPressed(TRUE);
        pControls->GetAt(3)->SetSelected(2);
        pControls->GetAt(8)->SetSelected(TRUE);
        pStates->Invalidate(FALSE);

        CRect rc;
        pFrame->GetWindowRect(&rc);
        CRect rcFloating;
        pFloating->GetWindowRect(&rcFloating);
        rc.UnionRect(rc, rcFloating);
        pFrame->ShowWindow(SW_SHOWNOACTIVATE);
        morvick::test::PumpMessagesFor(150);
        const std::wstring path = folder + L"\\" + look.name + L".png";
        EXPECT_TRUE(morvick::test::CaptureScreenRectToPng(rc, path));
        pFrame->DestroyWindow();

        GetColorManager()->SetSelectedScheme(nOldScheme);
        GetColorManager()->RefreshColors();
    }
    CTKPCommandBarsTheme::SetTheme(CTKPCommandBarsTheme::themeFlat);
    ::CoUninitialize();
}
