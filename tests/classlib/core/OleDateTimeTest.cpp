#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "classlib/core/AfxCore.h"
#include "tests/classlib/core/AfxTestSupport.h"

namespace {

TEST(COleDateTimeTest, DatesMapOntoDaysSince1899) {
  EXPECT_EQ((DATE)COleDateTime(1899, 12, 30, 0, 0, 0), 0.0);
  EXPECT_EQ((DATE)COleDateTime(1900, 1, 1, 0, 0, 0), 2.0);
  EXPECT_EQ((DATE)COleDateTime(2000, 1, 1, 18, 0, 0), 36526.75);
  // Before 1899-12-30 the day counts down while the time of day still counts up.
  EXPECT_EQ((DATE)COleDateTime(1899, 12, 29, 6, 0, 0), -1.25);
  COleDateTime back(-1.25);
  EXPECT_EQ(back.GetYear(), 1899);
  EXPECT_EQ(back.GetDay(), 29);
  EXPECT_EQ(back.GetHour(), 6);
  EXPECT_TRUE(COleDateTime(-1.25) < COleDateTime(-0.5));
  COleDateTime t(2024, 2, 29, 23, 59, 59);
  EXPECT_EQ(t.GetStatus(), COleDateTime::valid);
  EXPECT_EQ(t.GetMonth(), 2);
  EXPECT_EQ(t.GetDay(), 29);
  EXPECT_EQ(t.GetSecond(), 59);
  EXPECT_EQ(t.GetDayOfWeek(), 5);  // a Thursday
  EXPECT_EQ(t.GetDayOfYear(), 60);
  SYSTEMTIME st;
  ASSERT_TRUE(t.GetAsSystemTime(st));
  EXPECT_EQ(COleDateTime(st), t);
  EXPECT_EQ(t.Format(_T("%m %d %y")), _T("02 29 24"));
}

TEST(COleDateTimeTest, ImpossibleValuesAreInvalidNotWrong) {
  EXPECT_EQ(COleDateTime(2023, 2, 29, 0, 0, 0).GetStatus(), COleDateTime::invalid);
  EXPECT_EQ(COleDateTime(99, 1, 1, 0, 0, 0).GetStatus(), COleDateTime::invalid);
  EXPECT_EQ(COleDateTime(2000, 1, 1, 24, 0, 0).GetStatus(), COleDateTime::invalid);
  EXPECT_EQ(COleDateTime(3e6).GetStatus(), COleDateTime::invalid);
  COleDateTime nan(std::nan(""));
  EXPECT_EQ(nan.GetStatus(), COleDateTime::invalid);
  EXPECT_EQ(nan.GetYear(), AFX_OLE_DATETIME_ERROR);
  EXPECT_EQ(nan.Format(_T("%Y")), _T("Invalid DateTime"));
  COleDateTime none;
  none.SetStatus(COleDateTime::null);
  EXPECT_EQ(none.Format(_T("%Y")), _T(""));
}

TEST(COleDateTimeTest, FromTimesAndThroughArchives) {
  FILETIME ft;
  ULONGLONG ticks = 125911584000000000ULL;  // 2000-01-01 00:00:00
  ft.dwLowDateTime = (DWORD)ticks;
  ft.dwHighDateTime = (DWORD)(ticks >> 32);
  EXPECT_EQ((DATE)COleDateTime(ft), 36526.0);
  CTime local(2021, 6, 15, 12, 30, 45);
  COleDateTime fromTime(local);
  EXPECT_EQ(fromTime.GetHour(), 12);
  EXPECT_EQ(fromTime.GetMinute(), 30);

  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    ar << COleDateTime(2000, 1, 1, 18, 0, 0);
    ar.Close();
  }
  EXPECT_EQ(file.GetLength(), 12u);
  file.SeekToBegin();
  {
    CArchive ar(&file, CArchive::load);
    COleDateTime loaded;
    ar >> loaded;
    EXPECT_EQ((DATE)loaded, 36526.75);
    EXPECT_EQ(loaded.GetStatus(), COleDateTime::valid);
  }
  // A stored status that names no status reads as invalid.
  BYTE bad[12] = {7, 0, 0, 0};
  CMemFile badFile(bad, sizeof bad);
  CArchive ar(&badFile, CArchive::load);
  COleDateTime loaded;
  ar >> loaded;
  EXPECT_EQ(loaded.GetStatus(), COleDateTime::invalid);
}

}  // namespace
