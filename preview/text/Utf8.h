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

// Tells whether bytes handed over in pieces of any size are UTF-8 throughout, by the rules of
// Utf8ToUtf16 (no overlong forms, no surrogates, nothing above U+10FFFF), and whether they hold a
// sequence of more than one byte.
class Utf8Check {
public:
    void Add(const uint8_t* data, size_t size);
    // UTF-8 so far, the last sequence complete.
    bool Valid() const { return !m_invalid && m_remaining == 0; }
    // A byte that no UTF-8 text holds has been seen: nothing after it can make the bytes valid.
    bool Broken() const { return m_invalid; }
    bool HasMultiByte() const { return m_multiByte; }

private:
    uint32_t m_code = 0;
    uint32_t m_minimum = 0;
    int m_remaining = 0;  // continuation bytes the current sequence still needs
    bool m_invalid = false;
    bool m_multiByte = false;
};

}  // namespace morvick
