#include "engine/util/OemText.h"

#include <windows.h>

std::u16string OemToUtf16(const uint8_t* bytes, size_t count)
{
    if (count == 0 || count > 0x7FFFFFFF)
        return std::u16string();
    const char* text = reinterpret_cast<const char*>(bytes);
    const int length = static_cast<int>(count);
    const int needed = ::MultiByteToWideChar(CP_OEMCP, 0, text, length, nullptr, 0);
    if (needed <= 0)
        return std::u16string();
    std::u16string out(static_cast<size_t>(needed), u'\0');
    const int written = ::MultiByteToWideChar(CP_OEMCP, 0, text, length, reinterpret_cast<wchar_t*>(&out[0]), needed);
    out.resize(written > 0 ? static_cast<size_t>(written) : 0);
    return out;
}
