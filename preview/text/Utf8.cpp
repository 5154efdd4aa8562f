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
    Utf8Check check;
    check.Add(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    return check.Valid();
}

void Utf8Check::Add(const uint8_t* data, size_t size)
{
    for (size_t i = 0; i < size && !m_invalid; ++i) {
        uint8_t c = data[i];
        if (m_remaining > 0) {
            if ((c & 0xC0) != 0x80) {
                m_invalid = true;
                break;
            }
            m_code = (m_code << 6) | (c & 0x3F);
            if (--m_remaining == 0 &&
                (m_code < m_minimum || m_code > 0x10FFFF || (m_code >= 0xD800 && m_code <= 0xDFFF)))
                m_invalid = true;
            continue;
        }
        if (c < 0x80)
            continue;
        if ((c & 0xE0) == 0xC0) {
            m_remaining = 1;
            m_code = c & 0x1F;
            m_minimum = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            m_remaining = 2;
            m_code = c & 0x0F;
            m_minimum = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            m_remaining = 3;
            m_code = c & 0x07;
            m_minimum = 0x10000;
        } else {
            m_invalid = true;
            break;
        }
        m_multiByte = true;
    }
}

}  // namespace morvick
