#include "engine/fat/FatDirectoryContinuation.h"

#include "engine/fat/FatDirectoryEntry.h"
#include "engine/util/Endian.h"

#include <array>

namespace morvick {

namespace {

constexpr uint8_t kAttrVolumeLabel = 0x08;
// Attribute bits no entry carries: the two above the archive bit.
constexpr uint8_t kAttrUnknownBits = 0xC0;
// Byte 12 of a short entry: only the flags that tell a lower-case name or extension are written.
constexpr uint8_t kCaseFlags = 0x18;

bool IsSoundTime(uint16_t time)
{
    return (time >> 11) <= 23 && ((time >> 5) & 0x3F) <= 59 && (time & 0x1F) <= 29;
}

bool IsSoundDate(uint16_t date)
{
    const unsigned month = (date >> 5) & 0x0F;
    const unsigned day = date & 0x1F;
    return date == 0 || (month >= 1 && month <= 12 && day >= 1);
}

// A character of a short name as the volume stores it: no control byte, none of the characters a
// short name may not hold, and no lower-case letter (short names are kept in capitals).
// A table of the 256 bytes, made when compiling: the test runs for every byte of every free cluster
// the search reads.
constexpr std::array<bool, 256> ShortNameBytes()
{
    std::array<bool, 256> allowed{};
    for (int c = 0; c < 256; ++c)
        allowed[c] = !(c < 0x20 || (c >= 'a' && c <= 'z') || c == 0x7F);
    for (const char* r = "\"*+,./:;<=>?[\\]|"; *r; ++r)
        allowed[static_cast<uint8_t>(*r)] = false;
    return allowed;
}

constexpr std::array<bool, 256> kShortNameBytes = ShortNameBytes();

inline bool IsShortNameByte(uint8_t c)
{
    return kShortNameBytes[c];
}

bool IsShortEntry(const uint8_t* e, bool fat32, uint32_t clusterCount, uint32_t bytesPerCluster)
{
    const uint8_t attributes = e[11];
    if ((attributes & kAttrUnknownBits) != 0 || (attributes & kAttrVolumeLabel) != 0 || (e[12] & ~kCaseFlags) != 0)
        return false;
    // The first byte may also be the deleted mark or 0x05 (a first character 0xE5); a blank never
    // begins a name.
    if (e[0] != kFatDeletedMark && e[0] != 0x05 && (e[0] == ' ' || !IsShortNameByte(e[0])))
        return false;
    for (size_t i = 1; i < 11; ++i) {
        if (!IsShortNameByte(e[i]))
            return false;
    }
    // The creation and access dates may be unset (0), the date of the last writing not: every writer
    // sets it, and a name followed by zeros (a short text file's bytes) would pass for an empty file.
    const uint16_t writeDate = ReadLittleEndian16(e + 24);
    if (e[13] > 199 || !IsSoundTime(ReadLittleEndian16(e + 14)) || !IsSoundTime(ReadLittleEndian16(e + 22)) ||
        !IsSoundDate(ReadLittleEndian16(e + 16)) || !IsSoundDate(ReadLittleEndian16(e + 18)) || writeDate == 0 ||
        !IsSoundDate(writeDate))
        return false;
    if (!fat32 && ReadLittleEndian16(e + 20) != 0)
        return false;
    const FatShortEntry entry = DecodeFatShortEntry(e, fat32);
    if (entry.firstCluster != 0 && (entry.firstCluster < 2 || entry.firstCluster - 2 >= clusterCount))
        return false;
    const bool folder = (attributes & kFatAttrDirectory) != 0;
    if (folder)
        return entry.firstCluster != 0;
    if (entry.firstCluster == 0)
        return entry.size == 0;
    return uint64_t{entry.size} <= uint64_t{clusterCount} * bytesPerCluster;
}

// A long-name part: its type byte and cluster word are 0, its number 1 to 20 (0x40 on a name's last
// part) or the deleted mark, and its characters run up to a 0 after which only 0xFFFF follows. A
// control character may stand in a name: the folders that hold one list it.
bool IsLongNamePart(const uint8_t* e)
{
    if (e[12] != 0 || ReadLittleEndian16(e + 26) != 0)
        return false;
    if (e[0] != kFatDeletedMark) {
        const uint8_t number = e[0] & 0x1F;
        if ((e[0] & ~0x5F) != 0 || number == 0 || number > 20)
            return false;
    }
    char16_t chars[kFatLongNameCharsPerEntry];
    FatLongNameChars(e, chars);
    bool ended = false;
    for (char16_t c : chars) {
        if (ended) {
            if (c != 0xFFFF)
                return false;
        } else if (c == 0) {
            ended = true;
        } else if (c == 0xFFFF) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool IsFatDirectoryContinuation(const uint8_t* data, size_t size, bool fat32, uint32_t clusterCount,
    uint32_t bytesPerCluster)
{
    bool shortEntry = false;
    for (size_t off = 0; off + kFatDirectoryEntrySize <= size; off += kFatDirectoryEntrySize) {
        const uint8_t* e = data + off;
        if (e[0] == 0) {
            // A cluster that begins with the end holds no entry (and most free clusters are zeros).
            if (!shortEntry)
                return false;
            for (size_t i = off; i < size; ++i) {
                if (data[i] != 0)
                    return false;
            }
            return shortEntry;
        }
        if (e[11] == kFatAttrLongName) {
            if (!IsLongNamePart(e))
                return false;
        } else if (IsShortEntry(e, fat32, clusterCount, bytesPerCluster)) {
            shortEntry = true;
        } else {
            return false;
        }
    }
    return shortEntry;
}

size_t LeadingNameTailBytes(const uint8_t* data, size_t size)
{
    if (size < kFatDirectoryEntrySize || data[11] != kFatAttrLongName)
        return 0;
    // The part nearest the start is a name's last part when it holds the name's end: a 0 (or, for a
    // live part, the last-part mark). A name that fills its parts exactly has no 0 and is taken for
    // a tail too: it keeps its short name.
    bool holdsEnd = (data[0] != kFatDeletedMark && (data[0] & 0x40) != 0);
    char16_t chars[kFatLongNameCharsPerEntry];
    FatLongNameChars(data, chars);
    for (char16_t c : chars)
        holdsEnd = holdsEnd || c == 0;
    if (holdsEnd)
        return 0;
    size_t off = 0;
    while (off + kFatDirectoryEntrySize <= size && data[off + 11] == kFatAttrLongName)
        off += kFatDirectoryEntrySize;
    return off;
}

bool HoldsDeletedEntriesOnly(const uint8_t* data, size_t size)
{
    for (size_t off = 0; off + kFatDirectoryEntrySize <= size && data[off] != 0; off += kFatDirectoryEntrySize) {
        if (data[off + 11] != kFatAttrLongName && data[off] != kFatDeletedMark)
            return false;
    }
    return true;
}

}  // namespace morvick
