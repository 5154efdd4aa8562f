// The hexadecimal texts of the File Trace signatures.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// 2n hexadecimal digits, high nibble first: the bytes 0x1F 0xA0 give "1fa0" ("1FA0" in upper case).
std::string BytesToHexString(const uint8_t* bytes, size_t n, bool upperCase = false);

// Characters 3, 4, 1, 2 of a 4-character hexadecimal text: "abcd" gives "cdab". A shorter text
// gives an empty one.
std::string SwapHexWordBytes(const std::string& text);
