#include "engine/util/OemCodePage.h"

#include <windows.h>

uint32_t SystemOemCodePage()
{
    return ::GetOEMCP();
}

bool DecodeCodePage(uint32_t codePage, const uint8_t* bytes, size_t count, std::u16string& text)
{
    if (count == 0)
        return true;
    if (count > 0x7FFFFFFF)
        return false;
    const char* from = reinterpret_cast<const char*>(bytes);
    const int length = static_cast<int>(count);
    const DWORD flags = MB_ERR_INVALID_CHARS;
    const int needed = ::MultiByteToWideChar(codePage, flags, from, length, nullptr, 0);
    if (needed <= 0)
        return false;  // a code page this system does not know, or no character
    const size_t at = text.size();
    text.resize(at + static_cast<size_t>(needed));
    const int written =
        ::MultiByteToWideChar(codePage, flags, from, length, reinterpret_cast<wchar_t*>(&text[at]), needed);
    text.resize(at + (written > 0 ? static_cast<size_t>(written) : 0));
    return written > 0;
}
