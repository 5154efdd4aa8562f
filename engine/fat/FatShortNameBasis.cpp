#include "engine/fat/FatShortNameBasis.h"

#include "engine/fat/FatDirectoryEntry.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace morvick {

namespace {

// A character of the basis that any byte matches: one outside ASCII, which the writer's code page
// gives as a byte of its own, a letter without its accent or "_".
constexpr int kAnyByte = -1;

int BasisChar(char16_t c)
{
    if (c >= 0x80)
        return kAnyByte;
    if (c >= u'a' && c <= u'z')
        return c - u'a' + 'A';
    static const char kReplaced[] = "+,;=[]";
    if (c < 0x20 || std::memchr(kReplaced, c, sizeof kReplaced - 1) != nullptr)
        return '_';
    return c;
}

// The base and extension that the writer starts from: blanks left out, dots left out but the last,
// which splits them.
void Basis(const std::u16string& longName, std::vector<int>& base, std::vector<int>& extension)
{
    size_t start = 0;
    while (start < longName.size() && (longName[start] == u'.' || longName[start] == u' '))
        ++start;
    size_t lastDot = longName.rfind(u'.');
    if (lastDot == std::u16string::npos || lastDot < start)
        lastDot = longName.size();
    for (size_t i = start; i < longName.size(); ++i) {
        const char16_t c = longName[i];
        if (c == u' ' || c == u'.')
            continue;
        (i < lastDot ? base : extension).push_back(BasisChar(c));
    }
}

bool Matches(const uint8_t* bytes, size_t count, const std::vector<int>& basis)
{
    if (count > basis.size())
        return false;
    for (size_t i = 0; i < count; ++i) {
        if (basis[i] != kAnyByte && basis[i] != bytes[i])
            return false;
    }
    return true;
}

bool IsHexDigit(uint8_t c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

}  // namespace

bool ShortNameMayComeFrom(const uint8_t* name11, const std::u16string& longName)
{
    std::vector<int> base, extension;
    Basis(longName, base, extension);
    if (base.empty())
        return false;
    uint8_t bytes[11];
    std::memcpy(bytes, name11, sizeof bytes);
    if (bytes[0] == kFatStoredE5)
        bytes[0] = kFatDeletedMark;
    size_t baseEnd = 0, extensionLength = 0;
    FatShortNameLengths(bytes, baseEnd, extensionLength);
    if (extensionLength != std::min<size_t>(extension.size(), 3) || !Matches(bytes + 8, extensionLength, extension))
        return false;

    // A numeric tail: "~" and digits up to the base's end.
    size_t tilde = baseEnd;
    while (tilde > 0 && bytes[tilde - 1] >= '0' && bytes[tilde - 1] <= '9')
        --tilde;
    const bool tail = tilde > 0 && tilde < baseEnd && bytes[tilde - 1] == '~';
    if (!tail)
        return baseEnd == std::min<size_t>(base.size(), 8) && Matches(bytes, baseEnd, base);
    const size_t kept = tilde - 1;
    if (kept != 0 && Matches(bytes, kept, base))
        return true;
    // The hashed form: the basis's first 2 characters (fewer when it is shorter) and 4 hexadecimal digits.
    const size_t lead = std::min<size_t>(base.size(), 2);
    if (kept != lead + 4 || !Matches(bytes, lead, base))
        return false;
    for (size_t i = lead; i < kept; ++i) {
        if (!IsHexDigit(bytes[i]))
            return false;
    }
    return true;
}

}  // namespace morvick
