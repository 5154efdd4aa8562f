#include "engine/save/HexText.h"

std::string BytesToHexString(const uint8_t* bytes, size_t n, bool upperCase)
{
    const char* digits = upperCase ? "0123456789ABCDEF" : "0123456789abcdef";
    std::string text;
    text.reserve(2 * n);
    for (size_t i = 0; i < n; ++i) {
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 15];
    }
    return text;
}

std::string SwapHexWordBytes(const std::string& text)
{
    if (text.size() < 4)
        return std::string();
    return std::string{text[2], text[3], text[0], text[1]};
}
