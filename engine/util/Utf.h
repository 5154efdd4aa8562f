// Conversions between UTF-8 (POSIX paths, program arguments) and UTF-16 (the program's text).
#pragma once

#include <string>

std::string Utf16ToUtf8(const std::u16string& text);
std::u16string Utf8ToUtf16(const std::string& text);
