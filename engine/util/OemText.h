// Text in the OEM code page, the one FAT short names are written in, as UTF-16.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// On Windows the system's OEM code page (a double-byte one too); elsewhere code page 437, the OEM
// code page of the systems set up for the United States and the Linux FAT driver's default. Bytes
// below 0x80 are the ASCII characters of the same value, control characters included.
std::u16string OemToUtf16(const uint8_t* bytes, size_t count);
