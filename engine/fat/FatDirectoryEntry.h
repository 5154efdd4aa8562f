// One 32-byte FAT directory entry: a short entry or a long-name part.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace morvick {

constexpr size_t kFatDirectoryEntrySize = 32;
constexpr uint8_t kFatAttrLongName = 0x0F;
constexpr uint8_t kFatAttrDirectory = 0x10;
// Attributes a plain file may carry: read-only, hidden, system and archive.
constexpr uint8_t kFatAttrPlainFileBits = 0x27;
constexpr uint8_t kFatDeletedMark = 0xE5;
constexpr uint8_t kFatStoredE5 = 0x05;  // a short name's first byte that stands for 0xE5
constexpr size_t kFatLongNameCharsPerEntry = 13;
constexpr size_t kFatMaxNameLength = 255;

// When an entry was made or last written: a date and a time of day in the packed FAT form, and the
// tenths byte (hundredths of a second, 0-199) that only the time it was made carries.
struct FatStamp {
    uint16_t date = 0;
    uint16_t time = 0;
    uint8_t hundredths = 0;
};

struct FatShortEntry {
    uint8_t firstByte = 0;
    uint8_t attributes = 0;
    FatStamp created;
    uint16_t accessDate = 0;
    uint16_t writeDate = 0;
    uint16_t writeTime = 0;
    uint32_t firstCluster = 0;   // FAT32: high word at 20 and low word at 26; FAT16: low word only
    uint32_t size = 0;
};

// Decodes a short entry; `fat32` decides whether the high cluster word counts.
FatShortEntry DecodeFatShortEntry(const uint8_t* entry, bool fat32);

// The short name as text: the name bytes without trailing spaces, then "." and the extension
// without trailing spaces when it is not blank, each decoded in the OEM code page (OemToUtf16),
// whatever case flags byte 12 holds. A first byte 0x05 is read as 0xE5; a deleted entry's first
// character (0xE5) becomes "x".
std::u16string FatShortName(const uint8_t* entry);

// The same short name read through `codePage` alone (ReadCodePage): false where a byte sequence of it
// is no character of that code page.
bool FatShortNameIn(const uint8_t* entry, uint32_t codePage, std::u16string& name);

// The lengths of a short name's base (bytes 0-7) and extension (bytes 8-10) without the blanks that
// pad them: a blank inside belongs to the name.
void FatShortNameLengths(const uint8_t* entry, size_t& baseLength, size_t& extensionLength);

// The checksum of the 11 name bytes that every long-name part of the entry carries at byte 13.
uint8_t FatShortNameChecksum(const uint8_t* entry);

// The 13 UTF-16 characters of a long-name part (offsets 1-10, 14-25, 28-31).
void FatLongNameChars(const uint8_t* entry, char16_t out[kFatLongNameCharsPerEntry]);

// False when the name holds a character with code 1 to 31 or one of " \ / ? * < > |.
bool IsValidFatFileName(const std::u16string& name);

// True when a short entry's fields other than its name may be those of a real entry: no attribute
// bit above the archive bit, no case flag but the two of byte 12, a creation time's hundredths below
// 200, and times and dates that name a real time of day and day of the year (a date may be 0, unset).
// Bytes that are no entry (a file's data read as a folder's) seldom pass.
bool HasPossibleShortEntryFields(const uint8_t* entry);

}  // namespace morvick
