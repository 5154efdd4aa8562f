#include "preview/text/Utf8.h"

namespace morvick {

std::u16string Utf8ToUtf16(const char* data, size_t size)
{
    std::u16string out;
    out.reserve(size);
    const unsigned char* p = reinterpret_cast<const unsigned char*>(data);
    size_t i = 0;
    while (i < size) {
        unsigned char c = p[i];
        size_t extra = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : 99;
        if (extra == 0) {
            out.push_back(c);
            ++i;
            continue;
        }
        uint32_t code = extra == 1 ? (c & 0x1F) : extra == 2 ? (c & 0x0F) : (c & 0x07);
        bool valid = extra != 99 && size - i > extra;
        for (size_t k = 1; valid && k <= extra; ++k) {
            if ((p[i + k] & 0xC0) != 0x80)
                valid = false;
            else
                code = (code << 6) | (p[i + k] & 0x3F);
        }
        static const uint32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
        if (valid && (code < kMinimum[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)))
            valid = false;
        if (!valid) {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        if (code >= 0x10000) {
            code -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(code));
        }
        i += extra + 1;
    }
    return out;
}

bool IsValidUtf8(const std::string& text)
{
    for (char16_t c : Utf8ToUtf16(text))
        if (c == 0xFFFD)
            return false;
    return true;
}

}  // namespace morvick
