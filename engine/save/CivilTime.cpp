#include "engine/save/CivilTime.h"

#include <atomic>
#include <chrono>

namespace {

constexpr uint64_t kTicksPerSecond = 10000000ULL;
constexpr int64_t kSecondsPerDay = 86400;
// Days from 1601-01-01 to 1970-01-01.
constexpr int64_t kDays1601To1970 = 134774;

// Days since 1970-01-01 of a civil date (H. Hinnant's algorithm).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t z, int& year, int& month, int& day)
{
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t y = static_cast<int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(y + (month <= 2));
}

int DaysInMonth(int year, int month)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

} // namespace

bool FileTimeToCivil(uint64_t fileTime, CivilTime& out)
{
    if (fileTime >= (1ULL << 63))
        return false;
    uint64_t seconds = fileTime / kTicksPerSecond;
    int64_t days = static_cast<int64_t>(seconds / kSecondsPerDay);
    uint64_t rest = seconds % kSecondsPerDay;
    CivilFromDays(days - kDays1601To1970, out.year, out.month, out.day);
    out.hour = static_cast<int>(rest / 3600);
    out.minute = static_cast<int>(rest / 60 % 60);
    out.second = static_cast<int>(rest % 60);
    return true;
}

bool CivilToFileTime(const CivilTime& c, uint64_t& fileTime)
{
    if (c.year < 1601 || c.year > 30827 || c.month < 1 || c.month > 12 || c.day < 1
        || c.day > DaysInMonth(c.year, c.month) || c.hour < 0 || c.hour > 23 || c.minute < 0 || c.minute > 59
        || c.second < 0 || c.second > 59)
        return false;
    int64_t days = DaysFromCivil(c.year, static_cast<unsigned>(c.month), static_cast<unsigned>(c.day)) + kDays1601To1970;
    uint64_t seconds = static_cast<uint64_t>(days) * kSecondsPerDay + static_cast<uint64_t>(c.hour) * 3600
        + static_cast<uint64_t>(c.minute) * 60 + static_cast<uint64_t>(c.second);
    fileTime = seconds * kTicksPerSecond;
    return true;
}

void DecodeFatDate(uint16_t date, int& year, int& month, int& day)
{
    year = (date >> 9) + 1980;
    month = (date >> 5) & 15;
    day = date & 31;
}

bool FatDateToFileTime(uint16_t date, uint64_t now, uint64_t& fileTime)
{
    CivilTime c;
    if (!FileTimeToCivil(now, c))
        c = CivilTime();
    DecodeFatDate(date, c.year, c.month, c.day);
    return CivilToFileTime(c, fileTime);
}

namespace {
std::atomic<FileTimeSource> g_fileTimeSource{nullptr};
}  // namespace

void SetFileTimeSource(FileTimeSource source)
{
    g_fileTimeSource = source;
}

uint64_t CurrentFileTime()
{
    if (const FileTimeSource source = g_fileTimeSource)
        return source();
    using namespace std::chrono;
    int64_t ticks = duration_cast<microseconds>(system_clock::now().time_since_epoch()).count() * 10;
    return static_cast<uint64_t>(ticks) + static_cast<uint64_t>(kDays1601To1970) * kSecondsPerDay * kTicksPerSecond;
}
