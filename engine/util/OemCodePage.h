// The platform's readers of code pages, under OemText.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The system's OEM code page (Windows), or 437.
uint32_t SystemOemCodePage();

// Appends the bytes read through `codePage` to `text`: false, nothing appended, where the code page
// is not known here or a byte sequence is no character of it. The tables are the platform's: glibc's
// here, and Wine's under Wine, read code page 864's "%" as U+066A.
bool DecodeCodePage(uint32_t codePage, const uint8_t* bytes, size_t count, std::u16string& text);
