// The capacity pie (legend units, the used and free shares at 0 %, 100 % and between, a drive that
// cannot be read) and the pie chart's legend and archive form.
#include <gtest/gtest.h>

#include "tests/ui/controls/ControlsTestSupport.h"
#include "ui/controls/win/ControlShell.h"
#include "ui/controls/win/DiskUsagePie.h"
#include "ui/controls/win/PieChart.h"

namespace morvick::ui {
namespace {

using test::DibCanvas;

ULONGLONG g_total = 0, g_free = 0;
BOOL g_answer = TRUE;
std::wstring g_asked;

// The user may use a third of the free space (a quota): the pie shows the drive's, not the user's.
BOOL WINAPI FakeFreeSpace(LPCWSTR path, PULARGE_INTEGER available, PULARGE_INTEGER total, PULARGE_INTEGER free) {
  g_asked = path;
  if (!g_answer) return FALSE;
  available->QuadPart = g_free / 3;
  total->QuadPart = g_total;
  free->QuadPart = g_free;
  return TRUE;
}

class DiskPieTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved = CurrentControlShellHooks();
    CurrentControlShellHooks().getDiskFreeSpaceEx = FakeFreeSpace;
    g_answer = TRUE;
    ASSERT_TRUE(pie.Create(L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 360, 160), &parent, 102));
  }
  void TearDown() override { CurrentControlShellHooks() = saved; }
  // Pixels of each pie colour inside the pie's box.
  void Shares(int& used, int& free) {
    DibCanvas c(360, 160, RGB(1, 2, 3));
    SetBkColor(c.Dc(), RGB(1, 2, 3));
    pie.Paint(c.Dc());
    RECT client = {0, 0, 360, 160};
    const RECT box = pie.PieBox(client);
    used = c.Count(CDiskUsagePie::kUsedColor, box);
    free = c.Count(CDiskUsagePie::kFreeColor, box);
  }
  ControlShellHooks saved;
  test::TestParent parent;
  CDiskUsagePie pie;
};

TEST_F(DiskPieTest, EachLegendLinePicksItsOwnUnit) {
  EXPECT_STREQ(CDiskUsagePie::FormatLegendLine(L"Capacity", 1ull << 30).GetString(), L"Capacity: 1.00 GB");
  EXPECT_STREQ(CDiskUsagePie::FormatLegendLine(L"Capacity", (1ull << 30) - 1).GetString(), L"Capacity: 1024.00 MB");
  EXPECT_STREQ(CDiskUsagePie::FormatLegendLine(L"Used", 1ull << 20).GetString(), L"Used: 1.00 MB");
  EXPECT_STREQ(CDiskUsagePie::FormatLegendLine(L"Free", 1536).GetString(), L"Free: 1.50 KB");
  EXPECT_STREQ(CDiskUsagePie::FormatLegendLine(L"Free", 0).GetString(), L"Free: 0.00 KB");
  EXPECT_STREQ(CDiskUsagePie::FormatLegendLine(L"Used", 5ull << 40).GetString(), L"Used: 5120.00 GB");
}

TEST_F(DiskPieTest, AFullDriveIsAllUsedAndAnEmptyOneAllFree) {
  g_total = 1000ull << 20;
  g_free = 0;
  pie.SetDrive(L"E:\\");
  EXPECT_EQ(g_asked, L"E:\\");
  EXPECT_EQ(pie.UsedPercent(), 100);
  int used = 0, free = 0;
  Shares(used, free);
  EXPECT_GT(used, 1000);
  EXPECT_EQ(free, 0);

  g_free = g_total;
  pie.SetDrive(L"E:\\");
  EXPECT_EQ(pie.UsedPercent(), 0);
  EXPECT_EQ(pie.FreeBytes(), g_total);
  Shares(used, free);
  EXPECT_EQ(used, 0);
  EXPECT_GT(free, 1000);
}

TEST_F(DiskPieTest, AQuarterUsedShowsAboutAQuarterInTheUsedColour) {
  g_total = 400ull << 30;
  g_free = 300ull << 30;
  pie.SetDrive(L"E:\\");
  EXPECT_EQ(pie.UsedBytes(), 100ull << 30);
  EXPECT_EQ(pie.FreeBytes(), 300ull << 30);
  EXPECT_EQ(pie.UsedPercent(), 25);
  int used = 0, free = 0;
  Shares(used, free);
  ASSERT_GT(used, 0);
  const double share = static_cast<double>(used) / (used + free);
  EXPECT_NEAR(share, 0.25, 0.05);
}

TEST_F(DiskPieTest, AnUnreadableDriveShowsZeroesAndNoPie) {
  g_total = 1;
  g_answer = FALSE;
  pie.SetDrive(L"no such drive");
  EXPECT_EQ(pie.TotalBytes(), 0u);
  EXPECT_EQ(pie.UsedPercent(), -1);
  int used = 0, free = 0;
  Shares(used, free);
  EXPECT_EQ(used, 0);
  EXPECT_EQ(free, 0);
}

TEST_F(DiskPieTest, ThePieStaysInsideTheControl) {
  const RECT client = {0, 0, 360, 160};
  const RECT box = pie.PieBox(client);
  EXPECT_GE(box.left, 0);
  EXPECT_LE(box.right, 360);
  EXPECT_LE(box.bottom, 160);
  EXPECT_GT(box.right, box.left);
  const RECT shortClient = {0, 0, 360, 50};  // no room under the legend
  const RECT none = pie.PieBox(shortClient);
  EXPECT_EQ(none.right - none.left, 0);
  DibCanvas c(360, 50);
  g_total = 10;
  g_free = 5;
  pie.SetDrive(L"E:\\");
  pie.MoveWindow(0, 0, 360, 50);
  pie.Paint(c.Dc());  // draws the legend only
}

TEST_F(DiskPieTest, TheBoundaryRunsClockwiseFromTheBottom) {
  const struct {
    int percent;
    LONG x, y;
  } cases[] = {{0, 0, 30}, {25, -100, 0}, {50, 0, -30}, {75, 100, 0}, {100, 0, 30}};
  for (const auto& k : cases) {
    const POINT p = PieBoundaryPoint(k.percent, 100, 30);
    EXPECT_EQ(p.x, k.x) << k.percent;
    EXPECT_EQ(p.y, k.y) << k.percent;
  }
  const POINT p60 = PieBoundaryPoint(60, 100, 30);
  EXPECT_GT(p60.x, 0);
  EXPECT_LT(p60.y, 0);
  const POINT p10 = PieBoundaryPoint(10, 100, 30);
  EXPECT_LT(p10.x, 0);
  EXPECT_GT(p10.y, 0);
}

TEST_F(DiskPieTest, TheRealCallAnswersForTheSystemDrive) {
  CurrentControlShellHooks().getDiskFreeSpaceEx = saved.getDiskFreeSpaceEx;
  pie.SetDrive(L"C:\\");
  EXPECT_GT(pie.TotalBytes(), 0u);
  EXPECT_EQ(pie.UsedBytes() + pie.FreeBytes(), pie.TotalBytes());
}

TEST(PieChart, LegendRowsAndTheLastSliceTakingTheRest) {
  CPieChart chart;
  chart.m_ownsSlices = TRUE;
  EXPECT_EQ(chart.AddSlice(new CPieSlice(30, RGB(0, 0, 255), L"NTFS")), 0);
  chart.m_slices.Add(nullptr);  // skipped, but keeps its row
  chart.AddSlice(new CPieSlice(60, RGB(255, 0, 0), L"FAT32"));
  chart.AddSlice(new CPieSlice(5, RGB(0, 128, 0), L"Free"));
  EXPECT_STREQ(chart.LegendText(0, TRUE).GetString(), L"NTFS (30%)");
  EXPECT_STREQ(chart.LegendText(3, FALSE).GetString(), L"Free (5%)");
  EXPECT_STREQ(chart.LegendText(3, TRUE).GetString(), L"Free(10%)");

  DibCanvas c(200, 100, RGB(255, 255, 255));
  chart.DrawLegend(c.Dc(), 5, 3, TRUE);
  EXPECT_EQ(c.At(5, 3), RGB(0, 0, 255));
  EXPECT_EQ(c.At(34, 17), RGB(0, 0, 255));
  EXPECT_EQ(c.At(35, 10), RGB(255, 255, 255));
  EXPECT_EQ(c.At(5, 23), RGB(255, 255, 255));  // the empty entry's row
  EXPECT_EQ(c.At(5, 43), RGB(255, 0, 0));
  EXPECT_EQ(c.At(5, 63), RGB(0, 128, 0));
  EXPECT_LT(c.Count(RGB(255, 255, 255), RECT{40, 3, 200, 18}), 160 * 15);  // some text
}

TEST(PieChart, SurvivesAnArchiveRoundTrip) {
  CMemFile file;
  {
    CPieChart chart;
    chart.m_ownsSlices = TRUE;
    chart.m_title = L"Volumes";
    chart.m_value = 7;
    chart.AddSlice(new CPieSlice(40, RGB(1, 2, 3), L"first"));
    chart.AddSlice(new CPieSlice());
    CArchive ar(&file, CArchive::store);
    chart.Serialize(ar);
    ar.Close();
  }
  file.SeekToBegin();
  CPieChart loaded;
  loaded.AddSlice(new CPieSlice());  // replaced by what is loaded
  CArchive ar(&file, CArchive::load);
  loaded.Serialize(ar);
  ar.Close();
  EXPECT_STREQ(loaded.m_title.GetString(), L"Volumes");
  EXPECT_EQ(loaded.m_value, 7);
  EXPECT_EQ(loaded.m_color, RGB(0, 255, 0));
  EXPECT_TRUE(loaded.m_ownsSlices);
  ASSERT_EQ(loaded.m_slices.GetSize(), 2);
  const auto* first = static_cast<CPieSlice*>(loaded.m_slices[0]);
  EXPECT_EQ(first->m_value, 40);
  EXPECT_EQ(first->m_color, RGB(1, 2, 3));
  EXPECT_STREQ(first->m_description.GetString(), L"first");
  const auto* second = static_cast<CPieSlice*>(loaded.m_slices[1]);
  EXPECT_STREQ(second->m_description.GetString(), L"<no description>");
  EXPECT_STREQ(second->GetRuntimeClass()->m_lpszClassName, "CPieSlice");
}

TEST(PieChart, AnotherVersionReadsNothingFurther) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    ar << static_cast<DWORD>(2) << static_cast<LONG>(99) << static_cast<DWORD>(5) << CString(L"x");
    ar.Close();
  }
  file.SeekToBegin();
  CPieSlice slice;
  CArchive ar(&file, CArchive::load);
  slice.Serialize(ar);
  ar.Close();
  EXPECT_EQ(slice.m_value, 50);
  EXPECT_EQ(slice.m_color, RGB(255, 0, 0));
  EXPECT_STREQ(slice.m_description.GetString(), L"<no description>");
}

}  // namespace
}  // namespace morvick::ui
