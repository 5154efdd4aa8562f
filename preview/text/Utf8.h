// UTF-8 to UTF-16 for names stored in archives: every sequence of one to four bytes, a code point
// above U+FFFF as a surrogate pair; a byte that starts no valid sequence becomes U+FFFD.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace morvick {

std::u16string Utf8ToUtf16(const char* data, size_t size);
inline std::u16string Utf8ToUtf16(const std::string& text)
{
    return Utf8ToUtf16(text.data(), text.size());
}

// True when the bytes are UTF-8 throughout (no byte would become U+FFFD).
bool IsValidUtf8(const std::string& text);

}  // namespace morvick
