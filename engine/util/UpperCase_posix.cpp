#include "engine/util/UpperCase.h"

#include <cstdint>
#include <iterator>

namespace {

// Small letters whose capital lies at a fixed distance: every code from first to last, or every
// other one (step 2) where small and capital letters alternate.
struct CaseRange {
    char16_t first;
    char16_t last;
    uint8_t step;
    int16_t toCapital;
};

constexpr CaseRange kRanges[] = {
    {0x0061, 0x007A, 1, -32},  // a-z
    {0x00E0, 0x00F6, 1, -32},  // Latin-1 (not the division sign)
    {0x00F8, 0x00FE, 1, -32},
    {0x00FF, 0x00FF, 1, 0x0178 - 0x00FF},
    {0x0101, 0x012F, 2, -1},  // Latin Extended-A
    {0x0133, 0x0137, 2, -1},
    {0x013A, 0x0148, 2, -1},
    {0x014B, 0x0177, 2, -1},
    {0x017A, 0x017E, 2, -1},
    {0x03AC, 0x03AC, 1, 0x0386 - 0x03AC},  // Greek, with its accented letters (the final sigma
    {0x03AD, 0x03AF, 1, 0x0388 - 0x03AD},  // stays, as the system leaves it)
    {0x03B1, 0x03C1, 1, -32},
    {0x03C3, 0x03CB, 1, -32},
    {0x03CC, 0x03CC, 1, 0x038C - 0x03CC},
    {0x03CD, 0x03CE, 1, 0x038E - 0x03CD},
    {0x0430, 0x044F, 1, -32},  // Cyrillic
    {0x0450, 0x045F, 1, -80},
    {0x0461, 0x0481, 2, -1},
    {0x048B, 0x04BF, 2, -1},
    {0x04C2, 0x04CE, 2, -1},
    {0x04CF, 0x04CF, 1, 0x04C0 - 0x04CF},
    {0x04D1, 0x052F, 2, -1},
    {0x0561, 0x0586, 1, -48},  // Armenian
    {0x1E01, 0x1E95, 2, -1},   // Latin Extended Additional
    {0x1EA1, 0x1EFF, 2, -1},
    {0xFF41, 0xFF5A, 1, -32},  // full-width a-z
};

char16_t UpperCaseChar(char16_t c)
{
    for (const CaseRange& range : kRanges) {
        if (c < range.first)
            break;  // the ranges are in order
        if (c <= range.last && (c - range.first) % range.step == 0)
            return static_cast<char16_t>(c + range.toCapital);
    }
    return c;
}

}  // namespace

std::u16string UpperCaseText(const std::u16string& text)
{
    std::u16string out(text);
    for (char16_t& c : out)
        c = UpperCaseChar(c);
    return out;
}
