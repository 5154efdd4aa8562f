// Text in the OEM code page, the one FAT short names are written in, as UTF-16.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The OEM code page this computer reads short names in: the system's on Windows (a double-byte one
// too); elsewhere code page 437, the OEM code page of the systems set up for the United States and
// the Linux FAT driver's default; or the one SetOemCodePage gave.
uint32_t OemCodePage();

// Reads names in `codePage` from now on, as a computer of that OEM code page does (0: the system's
// again). For reading a disk as another computer reads it, and for tests.
void SetOemCodePage(uint32_t codePage);

// The bytes in this computer's OEM code page (OemCodePage), or as their bytes where an OemBytesReading
// lives on this thread. Bytes below 0x80 are the ASCII characters of the same value, control
// characters included; a byte sequence that is no character of the code page reads as U+FFFD.
std::u16string OemToUtf16(const uint8_t* bytes, size_t count);

// The bytes read through `codePage` alone, into `text`: false where a byte sequence is no character of
// it, or the code page is not known here.
bool ReadCodePage(uint32_t codePage, const uint8_t* bytes, size_t count, std::u16string& text);

// The OEM code pages of Windows' systems, this computer's among them: single-byte ones (437, 850,
// 852, 866, ...) and the double-byte ones of Japanese, Chinese and Korean (932, 936, 949, 950). They
// are read through the platform's tables, Windows' own, Wine's or the C library's (glibc's), which do
// not all agree: Wine's and glibc's read code page 864's "%" (0x25) as the Arabic percent sign U+066A.
const uint32_t* OemCodePages(size_t& count);

// While one lives, OemToUtf16 keeps each byte on this thread instead of reading it in a code page: a
// byte below 0x80 as its ASCII character, one above as U+F780 to U+F7FF (private use, which no OEM code
// page reads from a single byte), so that the bytes can be read again in any code page (OemBytesOf).
class OemBytesReading {
public:
    OemBytesReading();
    ~OemBytesReading();
    OemBytesReading(const OemBytesReading&) = delete;
    OemBytesReading& operator=(const OemBytesReading&) = delete;

private:
    bool m_outer;
};

// The bytes that OemToUtf16 kept of `text` under an OemBytesReading; false for a text it did not keep
// so (a long name).
bool OemBytesOf(std::u16string_view text, std::string& bytes);
