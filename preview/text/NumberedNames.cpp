#include "preview/text/NumberedNames.h"

namespace morvick {

namespace {

bool IsDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// The end of the run of digits that starts at from.
size_t DigitsEnd(const std::u16string& s, size_t from)
{
    while (from < s.size() && IsDigit(s[from]))
        ++from;
    return from;
}

}  // namespace

bool NumberedNameLess(const std::u16string& a, const std::u16string& b)
{
    size_t i = 0, j = 0;
    int zeros = 0;  // which name wrote an equal number with more leading zeros first
    while (i < a.size() && j < b.size()) {
        if (!IsDigit(a[i]) || !IsDigit(b[j])) {
            if (a[i] != b[j])
                return a[i] < b[j];
            ++i;
            ++j;
            continue;
        }
        size_t aEnd = DigitsEnd(a, i), bEnd = DigitsEnd(b, j);
        size_t aFrom = i, bFrom = j;
        while (aFrom + 1 < aEnd && a[aFrom] == u'0')
            ++aFrom;
        while (bFrom + 1 < bEnd && b[bFrom] == u'0')
            ++bFrom;
        // A longer number without its leading zeros is the larger; of equal length the first digit
        // that differs decides.
        if (aEnd - aFrom != bEnd - bFrom)
            return aEnd - aFrom < bEnd - bFrom;
        for (size_t k = 0; k < aEnd - aFrom; ++k) {
            if (a[aFrom + k] != b[bFrom + k])
                return a[aFrom + k] < b[bFrom + k];
        }
        if (zeros == 0 && aFrom - i != bFrom - j)
            zeros = aFrom - i < bFrom - j ? -1 : 1;
        i = aEnd;
        j = bEnd;
    }
    if (a.size() - i != b.size() - j)
        return a.size() - i < b.size() - j;
    if (zeros != 0)
        return zeros < 0;
    return a < b;
}

}  // namespace morvick
