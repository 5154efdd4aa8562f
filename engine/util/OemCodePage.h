// The platform's readers of code pages, under OemText.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The system's OEM code page (Windows), or 437.
uint32_t SystemOemCodePage();

// Appends the bytes read through `codePage` to `text`. `strict`: false where a byte sequence is no
// character of the code page or the code page is not known here. Otherwise each such sequence reads
// as U+FFFD and the result is true.
bool DecodeCodePage(uint32_t codePage, const uint8_t* bytes, size_t count, bool strict, std::u16string& text);
