#include "engine/listing/DateText.h"
#include "engine/save/CivilTime.h"

#include <gtest/gtest.h>

TEST(DateText, FatDate)
{
    uint16_t date = static_cast<uint16_t>((24 << 9) | (3 << 5) | 5);
    EXPECT_EQ(FormatFatDate(date), u"05-03-2004 ");
    EXPECT_EQ(FormatFatDate(static_cast<uint16_t>((21 << 9) | (12 << 5) | 31)), u"31-12-2001 ");
    int y, m, d;
    DecodeFatDate(static_cast<uint16_t>((21 << 9) | (1 << 5) | 1), y, m, d);
    EXPECT_EQ(y, 2001);
    EXPECT_EQ(m, 1);
    EXPECT_EQ(d, 1);
}

TEST(DateText, FileTime)
{
    CivilTime c;
    c.year = 2004; c.month = 3; c.day = 5; c.hour = 9; c.minute = 7; c.second = 3;
    uint64_t ft = 0;
    ASSERT_TRUE(CivilToFileTime(c, ft));
    EXPECT_EQ(FormatFileTime(static_cast<uint32_t>(ft), static_cast<uint32_t>(ft >> 32)), u"5-3-2004 9:7:3");
    EXPECT_EQ(FormatFileTime(0, 0), u"1-1-1601 0:0:0");
    EXPECT_EQ(FormatFileTime(0, 0x80000000u), u"") << "beyond what the system converts";
    // The Unix epoch, a known value.
    EXPECT_EQ(FormatFileTime(static_cast<uint32_t>(116444736000000000ULL), static_cast<uint32_t>(116444736000000000ULL >> 32)),
        u"1-1-1970 0:0:0");
}

TEST(DateText, CivilRoundTripAcrossLeapYears)
{
    for (int year : {1601, 1900, 2000, 2004, 2100, 2400}) {
        for (int month = 1; month <= 12; ++month) {
            CivilTime c;
            c.year = year; c.month = month; c.day = month == 2 ? 28 : 30; c.hour = 23; c.minute = 59; c.second = 58;
            uint64_t ft;
            ASSERT_TRUE(CivilToFileTime(c, ft));
            CivilTime back;
            ASSERT_TRUE(FileTimeToCivil(ft, back));
            EXPECT_EQ(back.year, year);
            EXPECT_EQ(back.month, month);
            EXPECT_EQ(back.day, c.day);
            EXPECT_EQ(back.second, 58);
        }
    }
    CivilTime feb29;
    feb29.year = 1900; feb29.month = 2; feb29.day = 29;
    uint64_t ft;
    EXPECT_FALSE(CivilToFileTime(feb29, ft));
    feb29.year = 2000;
    EXPECT_TRUE(CivilToFileTime(feb29, ft));
}

TEST(DateText, FatDateToFileTimeKeepsTimeOfDayAndRefusesNonDates)
{
    CivilTime now;
    now.year = 2020; now.month = 6; now.day = 15; now.hour = 13; now.minute = 14; now.second = 15;
    uint64_t nowFt;
    ASSERT_TRUE(CivilToFileTime(now, nowFt));
    uint64_t ft;
    ASSERT_TRUE(FatDateToFileTime(static_cast<uint16_t>((21 << 9) | (1 << 5) | 1), nowFt, ft));
    CivilTime c;
    ASSERT_TRUE(FileTimeToCivil(ft, c));
    EXPECT_EQ(c.year, 2001);
    EXPECT_EQ(c.month, 1);
    EXPECT_EQ(c.day, 1);
    EXPECT_EQ(c.hour, 13);
    EXPECT_EQ(c.minute, 14);
    EXPECT_FALSE(FatDateToFileTime(0, nowFt, ft)) << "month 0";
    EXPECT_FALSE(FatDateToFileTime(static_cast<uint16_t>((21 << 9) | (2 << 5) | 30), nowFt, ft)) << "30 February";
    EXPECT_FALSE(FatDateToFileTime(static_cast<uint16_t>((21 << 9) | (13 << 5) | 1), nowFt, ft)) << "month 13";
}

// A fixed source stands for the system clock until it is taken away again (a fuzzer's saves then
// give every FAT file the same time of day).
TEST(DateText, AFixedFileTimeSourceStandsForTheClock)
{
    constexpr uint64_t kNoon2020 = 132223536000000000ULL;  // 2020-01-01 12:00 UTC
    SetFileTimeSource([] { return kNoon2020; });
    EXPECT_EQ(CurrentFileTime(), kNoon2020);
    uint64_t ft = 0;
    ASSERT_TRUE(FatDateToFileTime(static_cast<uint16_t>((21 << 9) | (1 << 5) | 1), CurrentFileTime(), ft));
    CivilTime c;
    ASSERT_TRUE(FileTimeToCivil(ft, c));
    EXPECT_EQ(c.hour, 12);
    SetFileTimeSource(nullptr);
    EXPECT_GT(CurrentFileTime(), kNoon2020);
}
