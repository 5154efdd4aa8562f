// Conversions between UTF-8 (POSIX paths, program arguments) and UTF-16 (the program's text).
#pragma once

#include <string>

std::string Utf16ToUtf8(const std::u16string& text);
std::u16string Utf8ToUtf16(const std::string& text);

// The character in lower case: A-Z and the Latin-1 capitals (as the program lower-cases paths and
// extensions); every other character as it is.
char16_t LowerCaseChar(char16_t c);
