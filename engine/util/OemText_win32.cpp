#include "engine/util/OemCodePage.h"

#include <windows.h>

uint32_t SystemOemCodePage()
{
    return ::GetOEMCP();
}

bool DecodeCodePage(uint32_t codePage, const uint8_t* bytes, size_t count, bool strict, std::u16string& text)
{
    if (count == 0)
        return true;
    if (count > 0x7FFFFFFF)
        return false;
    const char* from = reinterpret_cast<const char*>(bytes);
    const int length = static_cast<int>(count);
    const DWORD flags = strict ? MB_ERR_INVALID_CHARS : 0;
    const int needed = ::MultiByteToWideChar(codePage, flags, from, length, nullptr, 0);
    if (needed <= 0) {
        // A code page this system does not know: nothing read for a strict reading; otherwise ASCII
        // as itself and every other byte as U+FFFD, as a sequence that is no character reads.
        if (strict)
            return false;
        for (size_t i = 0; i < count; ++i)
            text.push_back(bytes[i] < 0x80 ? static_cast<char16_t>(bytes[i]) : u'\xFFFD');
        return true;
    }
    const size_t at = text.size();
    text.resize(at + static_cast<size_t>(needed));
    const int written =
        ::MultiByteToWideChar(codePage, flags, from, length, reinterpret_cast<wchar_t*>(&text[at]), needed);
    text.resize(at + (written > 0 ? static_cast<size_t>(written) : 0));
    return written > 0 || !strict;
}
