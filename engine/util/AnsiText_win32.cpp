#include "engine/util/AnsiText.h"

#include <windows.h>

std::u16string AnsiToUtf16(const std::string& text)
{
    if (text.empty() || text.size() > 0x7FFFFFFF)
        return std::u16string();
    const int length = static_cast<int>(text.size());
    const int count = ::MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    if (count <= 0)
        return std::u16string();
    std::u16string out(static_cast<size_t>(count), u'\0');
    const int written = ::MultiByteToWideChar(CP_ACP, 0, text.data(), length,
        reinterpret_cast<wchar_t*>(&out[0]), count);
    out.resize(written > 0 ? static_cast<size_t>(written) : 0);
    return out;
}
