// Pictures of an MDI frame with its tab client under build/windows/commandbars3-mdi-tabs-gallery
// (looked at, not compared): the tab row above the MDI client, and groups side by side and stacked
// in several appearances.
#include <gtest/gtest.h>

#include "tests/support/win/InputSupport.h"
#include "tests/support/win/WindowCapture.h"
#include "tests/toolkit/commandbars/MdiTabTestSupport.h"
#include "toolkit/tabs/TabTheme.h"

using namespace morvick::test;

namespace {

class MdiTabGallery : public ::testing::Test {
protected:
    void SetUp() override
    {
        SettleCursorAt(1200, 1000);
        m_folder = GalleryFolder("commandbars3-mdi-tabs");
        m_pFrame = new CTabsMdiFrame;
        ASSERT_TRUE(m_pFrame->CreateFrame(CRect(40, 40, 680, 440), TRUE, FALSE));
        m_pFrame->ShowWindow(SW_SHOWNOACTIVATE);
        PumpPending();
    }
    void TearDown() override
    {
        if (m_pFrame != nullptr && m_pFrame->GetSafeHwnd() != NULL)
            m_pFrame->DestroyWindow();
        PumpPending();
    }
    void Capture(const wchar_t* name)
    {
        m_pFrame->m_tabClient.Refresh(TRUE);
        m_pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        EXPECT_TRUE(CaptureWindowToPng(m_pFrame->GetSafeHwnd(), m_folder + L"\\" + name));
    }
    void AddDocuments()
    {
        static const wchar_t* const kTitles[] = {L"Report.txt", L"Recovered files.csv", L"Partition map", L"Notes"};
        for (const wchar_t* pszTitle : kTitles)
            m_pFrame->AddChild(pszTitle);
    }

    std::wstring m_folder;
    CTabsMdiFrame* m_pFrame = nullptr;
};

}  // namespace

TEST_F(MdiTabGallery, TabRowAndGroups)
{
    CTKPTabClientWnd& client = m_pFrame->m_tabClient;
    CTKPTabTheme* pTheme = client.GetPaintManager();

    // The tab row above cascaded children, then with the row at the bottom.
    AddDocuments();
    m_pFrame->MDICascade();
    Capture(L"tab-row-classic.png");
    m_pFrame->MDIMaximize(m_pFrame->MDIGetActive());
    PumpPending();
    Capture(L"tab-row-maximized.png");
    m_pFrame->MDIRestore(m_pFrame->MDIGetActive());
    pTheme->SetAppearance(2);
    pTheme->SetPosition(2);
    Capture(L"tab-row-bottom-rounded.png");

    // Groups inside the MDI client.
    pTheme->SetPosition(0);
    ASSERT_TRUE(client.DetachFromFrame());
    ASSERT_TRUE(client.AttachToFrame(m_pFrame, TRUE));
    pTheme->SetAppearance(0);
    m_pFrame->SendMessage(WM_COMMAND, TKP_ID_TABGROUP_NEW_VERT, 0);
    Capture(L"groups-side-by-side-classic.png");
    pTheme->SetAppearance(4);
    Capture(L"groups-side-by-side-faces.png");
    pTheme->SetAppearance(8);
    Capture(L"groups-side-by-side-stacked.png");

    // Back to one group, then split into stacked groups.
    m_pFrame->SendMessage(WM_COMMAND, TKP_ID_TABGROUP_PREVIOUS, 0);
    m_pFrame->SendMessage(WM_COMMAND, TKP_ID_TABGROUP_NEW_HORZ, 0);
    pTheme->SetAppearance(3);
    Capture(L"groups-stacked-slanted.png");
    pTheme->SetAppearance(0);
    pTheme->SetColorSet(8);
    Capture(L"groups-stacked-visual-style.png");
}
