#include "engine/listing/DateText.h"

#include "engine/save/CivilTime.h"

namespace {

std::u16string Decimal(int value)
{
    std::u16string s;
    unsigned v = value < 0 ? 0u : static_cast<unsigned>(value);
    do {
        s.insert(s.begin(), static_cast<char16_t>(u'0' + v % 10));
        v /= 10;
    } while (v);
    return s;
}

std::u16string TwoDigits(int value)
{
    std::u16string s = Decimal(value);
    return s.size() == 1 ? u"0" + s : s;
}

} // namespace

std::u16string FormatFatDate(uint16_t date)
{
    int year, month, day;
    DecodeFatDate(date, year, month, day);
    return TwoDigits(day) + u"-" + TwoDigits(month) + u"-" + Decimal(year) + u" ";
}

std::u16string FormatFileTime(uint32_t low, uint32_t high)
{
    CivilTime c;
    if (!FileTimeToCivil((static_cast<uint64_t>(high) << 32) | low, c))
        return std::u16string();
    return Decimal(c.day) + u"-" + Decimal(c.month) + u"-" + Decimal(c.year) + u" " + Decimal(c.hour) + u":"
        + Decimal(c.minute) + u":" + Decimal(c.second);
}
