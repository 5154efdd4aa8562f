#include "engine/util/UpperCase.h"

#include <windows.h>

std::u16string UpperCaseText(const std::u16string& text)
{
    if (text.empty() || text.size() > 0x7FFFFFFF)
        return text;
    const int length = static_cast<int>(text.size());
    const wchar_t* source = reinterpret_cast<const wchar_t*>(text.data());
    // Names are compared as the file system sees them: the same for a user of any language (the
    // Turkish dotted capital I would otherwise keep "file" from finding "FILE").
    const int count = ::LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, source, length, nullptr, 0);
    if (count <= 0)
        return text;
    std::u16string out(static_cast<size_t>(count), u'\0');
    const int written =
        ::LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, source, length, reinterpret_cast<wchar_t*>(&out[0]), count);
    if (written <= 0)
        return text;
    out.resize(static_cast<size_t>(written));
    return out;
}
