#include "engine/save/SafeFileName.h"

namespace {

bool IsForbidden(char16_t c)
{
    if (c < 32)
        return true;
    switch (c) {
    case u'\\': case u'/': case u':': case u'*': case u'?': case u'"': case u'<': case u'>': case u'|':
        return true;
    default:
        return false;
    }
}

char16_t Upper(char16_t c)
{
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

// True when the part before the first dot (blanks at its end ignored) names a device.
bool IsReservedDeviceName(const std::u16string& name)
{
    size_t end = name.find(u'.');
    if (end == std::u16string::npos)
        end = name.size();
    while (end > 0 && name[end - 1] == u' ')
        --end;
    std::u16string stem;
    for (size_t i = 0; i < end; ++i)
        stem += Upper(name[i]);
    if (stem == u"CON" || stem == u"PRN" || stem == u"AUX" || stem == u"NUL" || stem == u"CONIN$"
        || stem == u"CONOUT$")
        return true;
    if (stem.size() == 4 && (stem.compare(0, 3, u"COM") == 0 || stem.compare(0, 3, u"LPT") == 0)) {
        char16_t d = stem[3];
        // Windows also reserves the superscript digits 1, 2 and 3.
        return (d >= u'0' && d <= u'9') || d == 0x00B9 || d == 0x00B2 || d == 0x00B3;
    }
    return false;
}

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Cuts s to at most n units without splitting a surrogate pair.
void CutAt(std::u16string& s, size_t n)
{
    if (s.size() <= n)
        return;
    if (n > 0 && IsHighSurrogate(s[n - 1]))
        --n;
    s.resize(n);
}

} // namespace

std::u16string MakeSafeFileName(const std::u16string& name)
{
    std::u16string out;
    out.reserve(name.size());
    for (size_t i = 0; i < name.size(); ++i) {
        char16_t c = name[i];
        if (IsHighSurrogate(c) && i + 1 < name.size() && IsLowSurrogate(name[i + 1])) {
            out += c;
            out += name[++i];
        } else if (IsHighSurrogate(c) || IsLowSurrogate(c) || IsForbidden(c)) {
            out += u'_';
        } else {
            out += c;
        }
    }

    if (out.size() > kMaxSafeNameLength) {
        size_t dot = out.rfind(u'.');
        size_t extLength = dot == std::u16string::npos ? 0 : out.size() - dot;
        if (extLength > 0 && extLength <= 16) {
            std::u16string ext = out.substr(dot);
            out.resize(dot);
            CutAt(out, kMaxSafeNameLength - extLength);
            out += ext;
        } else {
            CutAt(out, kMaxSafeNameLength);
        }
    }

    while (!out.empty() && (out.back() == u'.' || out.back() == u' '))
        out.pop_back();
    if (out.empty())
        return u"_";
    if (IsReservedDeviceName(out)) {
        out.insert(out.begin(), u'_');
        CutAt(out, kMaxSafeNameLength);
    }
    return out;
}

std::u16string JoinOutputPath(const std::u16string& folder, const std::u16string& part)
{
    if (folder.empty() || folder.back() == u'\\' || folder.back() == u'/')
        return folder + part;
    return folder + u'\\' + part;
}
