#include "preview/archives/FileTimes.h"

namespace morvick {

namespace {

constexpr int64_t kTicksPerSecond = 10000000;
constexpr int64_t kSecondsFrom1601To1970 = 11644473600;

bool IsLeap(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// Days from 1970-01-01 to the date (proleptic Gregorian).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

}  // namespace

bool DosDateTimeToFileTime64(uint16_t date, uint16_t time, uint64_t& fileTime)
{
    fileTime = 0;
    int year = 1980 + (date >> 9);
    unsigned month = (date >> 5) & 0x0F;
    unsigned day = date & 0x1F;
    unsigned hour = time >> 11;
    unsigned minute = (time >> 5) & 0x3F;
    unsigned second = (time & 0x1F) * 2;
    static const unsigned kMonthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12 || day < 1 || hour > 23 || minute > 59 || second > 59)
        return false;
    unsigned days = kMonthDays[month - 1] + (month == 2 && IsLeap(year) ? 1 : 0);
    if (day > days)
        return false;
    int64_t seconds = DaysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
    return UnixTimeToFileTime(seconds, fileTime);
}

bool UnixTimeToFileTime(int64_t seconds, uint64_t& fileTime)
{
    fileTime = 0;
    // Beyond about the year 30000 the ticks leave the signed 64-bit range Windows accepts.
    constexpr int64_t kLatest = (INT64_MAX / kTicksPerSecond) - kSecondsFrom1601To1970;
    if (seconds < -kSecondsFrom1601To1970 || seconds > kLatest)
        return false;
    fileTime = static_cast<uint64_t>((seconds + kSecondsFrom1601To1970) * kTicksPerSecond);
    return true;
}

}  // namespace morvick
