// Text in the system's 8-bit code page (names in tables written for the program) as UTF-16.
#pragma once

#include <string>

// On Windows the active code page; elsewhere the bytes are taken as UTF-8. Bytes that do not
// decode become U+FFFD; the result is never longer than the input.
std::u16string AnsiToUtf16(const std::string& text);
