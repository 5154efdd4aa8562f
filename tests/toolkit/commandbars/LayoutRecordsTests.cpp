#include "toolkit/commandbars/LayoutRecords.h"

#include "TestRegistryKey.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const wchar_t* kProfile = L"TestLayout";

class LayoutRecordsTest : public ::testing::Test {
protected:
    LayoutRecordsTest() : key(L"CommandBarTests") {}
    ~LayoutRecordsTest() override { CTKPLayoutScreenFrame::SetScreenForTest(NULL, NULL); }

    void SetScreen(int cx, int cy)
    {
        const RECT rc = {0, 0, cx, cy};
        CTKPLayoutScreenFrame::SetScreenForTest(&rc, &rc);
    }

    TestRegistryKey key;  // the application's profile key
};

TEST_F(LayoutRecordsTest, ValuesEqualToTheirDefaultsAreNotWritten)
{
    CTKPBarLayoutRecord record;
    record.m_nBarID = 59392;
    record.m_bVisible = TRUE;
    ASSERT_TRUE(record.Save(kProfile, 0));
    EXPECT_EQ(59392u, key.Dword(L"TestLayout-Bar0", L"BarID"));
    EXPECT_EQ(0u, key.Raw(L"TestLayout-Bar0", L"Visible"));
    EXPECT_EQ(0u, key.Raw(L"TestLayout-Bar0", L"Floating"));
    EXPECT_EQ(0u, key.Raw(L"TestLayout-Bar0", L"XPos"));
    EXPECT_EQ(0u, key.Raw(L"TestLayout-Bar0", L"YPos"));
    EXPECT_EQ(0u, key.Raw(L"TestLayout-Bar0", L"MRUWidth"));
    EXPECT_EQ(0u, key.Dword(L"TestLayout-Bar0", L"MRUDockID"));
    EXPECT_EQ(0u, key.Dword(L"TestLayout-Bar0", L"DialogBar"));
    EXPECT_EQ(0u, key.Raw(L"TestLayout-Bar0", L"DialogBarDockingClientCx"));

    // The section is written afresh: a value of an earlier save does not survive.
    record.m_nXPos = 10;
    record.m_bVisible = FALSE;
    ASSERT_TRUE(record.Save(kProfile, 0));
    EXPECT_EQ(10u, key.Dword(L"TestLayout-Bar0", L"XPos"));
    EXPECT_EQ(0u, key.Dword(L"TestLayout-Bar0", L"Visible"));
    record.m_nXPos = -1;
    record.m_bVisible = TRUE;
    record.m_bDialogBar = TRUE;
    ASSERT_TRUE(record.Save(kProfile, 0));
    EXPECT_EQ(0u, key.Raw(L"TestLayout-Bar0", L"XPos"));
    EXPECT_EQ(0u, key.Raw(L"TestLayout-Bar0", L"Visible"));
    EXPECT_EQ(200u, key.Dword(L"TestLayout-Bar0", L"DialogBarFloatingClientCy"));
}

TEST_F(LayoutRecordsTest, RoundTripOnTheSameScreen)
{
    SetScreen(1280, 1024);
    CTKPLayoutScreenFrame save;
    CTKPBarLayoutRecord* pRecord = new CTKPBarLayoutRecord;
    pRecord->m_nBarID = 1;
    pRecord->m_bVisible = TRUE;
    pRecord->m_bFloating = TRUE;
    pRecord->m_nXPos = 300;
    pRecord->m_nYPos = -1;
    pRecord->m_nMRUWidth = 250;
    pRecord->m_nMRUDockID = 0xE81B;
    pRecord->m_rcMRUDockPos.SetRect(2, 3, 400, 29);
    pRecord->m_nMRUFloatXPos = 500;
    pRecord->m_nMRUFloatYPos = 600;
    save.m_arrBars.Add(pRecord);
    save.m_arrBars.Add(new CTKPBarLayoutRecord);
    ASSERT_TRUE(save.SaveBars(kProfile));
    EXPECT_EQ(2u, key.Dword(L"TestLayout-Summary", L"Bars"));
    EXPECT_EQ(1280u, key.Dword(L"TestLayout-Summary", L"ScreenCX"));

    CTKPLayoutScreenFrame load;
    load.LoadBars(kProfile);
    ASSERT_EQ(2, load.m_arrBars.GetSize());
    const CTKPBarLayoutRecord& r = *load.m_arrBars[0];
    EXPECT_EQ(1u, r.m_nBarID);
    EXPECT_TRUE(r.m_bFloating);
    EXPECT_EQ(300, r.m_nXPos);
    EXPECT_EQ(-1, r.m_nYPos);
    EXPECT_EQ(250, r.m_nMRUWidth);
    EXPECT_EQ(0xE81Bu, r.m_nMRUDockID);
    EXPECT_EQ(CRect(2, 3, 400, 29), r.m_rcMRUDockPos);
    EXPECT_EQ(500, r.m_nMRUFloatXPos);
    EXPECT_EQ(600, r.m_nMRUFloatYPos);
    // The second record was hidden: visibility is written only when it is off.
    EXPECT_FALSE(load.m_arrBars[1]->m_bVisible);
}

TEST_F(LayoutRecordsTest, PositionsFollowTheScreenSize)
{
    SetScreen(1024, 768);
    {
        CTKPLayoutScreenFrame save;
        CTKPBarLayoutRecord* pRecord = new CTKPBarLayoutRecord;
        pRecord->m_nXPos = 100;
        pRecord->m_nYPos = -1;
        pRecord->m_nMRUFloatXPos = 1020;
        pRecord->m_nMRUFloatYPos = 50;
        pRecord->m_rcMRUDockPos.SetRect(10, 20, 110, 45);
        save.m_arrBars.Add(pRecord);
        ASSERT_TRUE(save.SaveBars(kProfile));
    }
    SetScreen(2048, 1536);
    CTKPLayoutScreenFrame load;
    load.LoadBars(kProfile);
    ASSERT_EQ(1, load.m_arrBars.GetSize());
    EXPECT_TRUE(load.m_bScaling);
    const CTKPBarLayoutRecord& r = *load.m_arrBars[0];
    EXPECT_EQ(200, r.m_nXPos);
    EXPECT_EQ(-1, r.m_nYPos);  // no position stays no position
    // Doubled to 2040, pulled back to where an icon stays on screen.
    EXPECT_EQ(2048 - GetSystemMetrics(SM_CXICON), r.m_nMRUFloatXPos);
    EXPECT_EQ(100, r.m_nMRUFloatYPos);
    EXPECT_EQ(CRect(20, 40, 120, 65), r.m_rcMRUDockPos);  // moved, not resized
}

TEST_F(LayoutRecordsTest, APlaceOnAnotherMonitorStaysAndOneBeyondEveryMonitorComesBack)
{
    // The main screen 1280 x 1024, a second one of the same size to its right.
    const RECT rcMain = {0, 0, 1280, 1024}, rcAll = {0, 0, 2560, 1024};
    CTKPLayoutScreenFrame::SetScreenForTest(&rcMain, &rcAll);
    {
        CTKPLayoutScreenFrame save;
        CTKPBarLayoutRecord* pOnSecond = new CTKPBarLayoutRecord;
        pOnSecond->m_nMRUFloatXPos = 1800;
        pOnSecond->m_nMRUFloatYPos = 300;
        pOnSecond->m_rcMRUDockPos.SetRect(1700, 20, 1800, 45);
        save.m_arrBars.Add(pOnSecond);
        CTKPBarLayoutRecord* pLost = new CTKPBarLayoutRecord;
        pLost->m_nMRUFloatXPos = -3000;
        pLost->m_nMRUFloatYPos = -50;
        pLost->m_rcMRUDockPos.SetRect(-3000, -60, -2900, -35);
        save.m_arrBars.Add(pLost);
        ASSERT_TRUE(save.SaveBars(kProfile));
    }
    CTKPLayoutScreenFrame load;
    load.LoadBars(kProfile);
    ASSERT_EQ(2, load.m_arrBars.GetSize());
    EXPECT_FALSE(load.m_bScaling);
    EXPECT_EQ(1800, load.m_arrBars[0]->m_nMRUFloatXPos);
    EXPECT_EQ(300, load.m_arrBars[0]->m_nMRUFloatYPos);
    EXPECT_EQ(CRect(1700, 20, 1800, 45), load.m_arrBars[0]->m_rcMRUDockPos);
    // Left of and above every monitor: back at their edges, the rectangle moved, not resized.
    EXPECT_EQ(0, load.m_arrBars[1]->m_nMRUFloatXPos);
    EXPECT_EQ(0, load.m_arrBars[1]->m_nMRUFloatYPos);
    EXPECT_EQ(CRect(0, 0, 100, 25), load.m_arrBars[1]->m_rcMRUDockPos);

    // The second monitor is gone: a place on it comes back onto the main one.
    SetScreen(1280, 1024);
    CTKPLayoutScreenFrame loadAlone;
    loadAlone.LoadBars(kProfile);
    ASSERT_EQ(2, loadAlone.m_arrBars.GetSize());
    const int nLargestX = 1280 - GetSystemMetrics(SM_CXICON);
    EXPECT_EQ(nLargestX, loadAlone.m_arrBars[0]->m_nMRUFloatXPos);
    EXPECT_EQ(CRect(nLargestX, 20, nLargestX + 100, 45), loadAlone.m_arrBars[0]->m_rcMRUDockPos);
}

TEST_F(LayoutRecordsTest, DamagedSummaryKeepsPositionsSane)
{
    SetScreen(1280, 1024);
    // A summary without a screen size: positions are taken as saved instead of scaled to nothing.
    const DWORD one = 1;
    key.Set(L"TestLayout-Summary", L"Bars", REG_DWORD, &one, 4);
    const DWORD x = 300, y = 40;
    key.Set(L"TestLayout-Bar0", L"XPos", REG_DWORD, &x, 4);
    key.Set(L"TestLayout-Bar0", L"YPos", REG_DWORD, &y, 4);
    CTKPLayoutScreenFrame load;
    load.LoadBars(kProfile);
    ASSERT_EQ(1, load.m_arrBars.GetSize());
    EXPECT_FALSE(load.m_bScaling);
    EXPECT_EQ(300, load.m_arrBars[0]->m_nXPos);
    EXPECT_EQ(40, load.m_arrBars[0]->m_nYPos);

    // A count far beyond any program's bars is cut, even when that many records are there.
    const DWORD huge = 0x7FFFFFFF;
    key.Set(L"TestLayout-Summary", L"Bars", REG_DWORD, &huge, 4);
    for (int i = 1; i <= 1024; i++)
        key.Set((L"TestLayout-Bar" + std::to_wstring(i)).c_str(), L"XPos", REG_DWORD, &x, 4);
    CTKPLayoutScreenFrame loadHuge;
    loadHuge.LoadBars(kProfile);
    EXPECT_EQ(1024, loadHuge.m_arrBars.GetSize());

    // No summary at all: no records, though the bars' own sections are there.
    ASSERT_EQ(ERROR_SUCCESS, ::RegDeleteTreeW(key.Key(), L"TestLayout-Summary"));
    CTKPLayoutScreenFrame loadNone;
    loadNone.LoadBars(kProfile);
    EXPECT_EQ(0, loadNone.m_arrBars.GetSize());
}

}  // namespace
