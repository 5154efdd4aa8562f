#include "engine/fat/FatDirectoryEntry.h"

#include "engine/volume/BufferBounds.h"
#include "engine/util/Endian.h"
#include "engine/util/OemText.h"

#include <cstring>

namespace morvick {

FatShortEntry DecodeFatShortEntry(const uint8_t* entry, bool fat32)
{
    FatShortEntry e;
    e.firstByte = entry[0];
    e.attributes = entry[11];
    e.created.hundredths = entry[13];
    e.created.time = ReadLittleEndian16(entry + 14);
    e.created.date = ReadLittleEndian16(entry + 16);
    e.accessDate = ReadLittleEndian16(entry + 18);
    e.writeTime = ReadLittleEndian16(entry + 22);
    e.writeDate = ReadLittleEndian16(entry + 24);
    e.firstCluster = ReadLittleEndian16(entry + 26);
    if (fat32)
        e.firstCluster |= static_cast<uint32_t>(ReadLittleEndian16(entry + 20)) << 16;
    e.size = ReadLittleEndian32(entry + 28);
    return e;
}

namespace {

// The short name of `entry` as text, each part read by `read` (bytes, count, text appended to): false
// where `read` could not read a part.
template <class Read>
bool ReadShortName(const uint8_t* entry, Read read, std::u16string& name)
{
    uint8_t bytes[11];
    std::memcpy(bytes, entry, sizeof bytes);
    // A first byte 0x05 stands for the character 0xE5, which the deleted mark took (a lead byte of
    // Shift-JIS, a letter elsewhere); the deleted mark itself becomes "x".
    if (bytes[0] == kFatDeletedMark)
        bytes[0] = 'x';
    else if (bytes[0] == kFatStoredE5)
        bytes[0] = kFatDeletedMark;
    // Only the padding at the end is dropped: a blank inside a short name belongs to it, and taking
    // it out would list and save the file under a name the volume does not hold.
    size_t baseLength = 0, extensionLength = 0;
    FatShortNameLengths(bytes, baseLength, extensionLength);
    name.clear();
    if (!read(bytes, baseLength, name))
        return false;
    if (extensionLength == 0)
        return true;
    name += u'.';
    return read(bytes + 8, extensionLength, name);
}

}  // namespace

std::u16string FatShortName(const uint8_t* entry)
{
    std::u16string name;
    // In the OEM code page, as the system that wrote them reads them, not each byte as the character
    // of its value: bytes above 0x7F would become invisible control characters and wrong letters.
    ReadShortName(
        entry,
        [](const uint8_t* bytes, size_t count, std::u16string& text) {
            text += OemToUtf16(bytes, count);
            return true;
        },
        name);
    return name;
}

bool FatShortNameIn(const uint8_t* entry, uint32_t codePage, std::u16string& name)
{
    return ReadShortName(
        entry,
        [codePage](const uint8_t* bytes, size_t count, std::u16string& text) {
            std::u16string part;
            if (!ReadCodePage(codePage, bytes, count, part))
                return false;
            text += part;
            return true;
        },
        name);
}

void FatShortNameLengths(const uint8_t* entry, size_t& baseLength, size_t& extensionLength)
{
    baseLength = 8;
    while (baseLength > 0 && entry[baseLength - 1] == ' ')
        --baseLength;
    extensionLength = 3;
    while (extensionLength > 0 && entry[8 + extensionLength - 1] == ' ')
        --extensionLength;
}

uint8_t FatShortNameChecksum(const uint8_t* entry)
{
    uint8_t sum = 0;
    for (size_t i = 0; i < 11; ++i)
        sum = static_cast<uint8_t>(((sum & 1) << 7) + (sum >> 1) + entry[i]);
    return sum;
}

void FatLongNameChars(const uint8_t* entry, char16_t out[kFatLongNameCharsPerEntry])
{
    static const uint8_t offsets[kFatLongNameCharsPerEntry] = {1, 3, 5, 7, 9, 14, 16, 18, 20, 22, 24, 28, 30};
    for (size_t i = 0; i < kFatLongNameCharsPerEntry; ++i)
        out[i] = static_cast<char16_t>(ReadLittleEndian16(entry + offsets[i]));
}

bool IsValidFatFileName(const std::u16string& name)
{
    for (char16_t c : name) {
        if ((c >= 1 && c <= 31) || c == u'"' || c == u'\\' || c == u'/' || c == u'?' || c == u'*' ||
            c == u'<' || c == u'>' || c == u'|')
            return false;
    }
    return true;
}

namespace {

bool IsPossibleTime(uint16_t time)
{
    return (time >> 11) < 24 && ((time >> 5) & 0x3F) < 60 && (time & 0x1F) < 30;
}

bool IsPossibleDate(uint16_t date)
{
    const unsigned month = (date >> 5) & 0x0F, day = date & 0x1F;
    return date == 0 || (month >= 1 && month <= 12 && day >= 1);
}

}  // namespace

bool HasPossibleShortEntryFields(const uint8_t* entry)
{
    constexpr uint8_t kReservedAttributes = 0xC0;
    constexpr uint8_t kCaseFlags = 0x18;  // base name and extension in lower case
    constexpr uint8_t kMaxHundredths = 199;
    return (entry[11] & kReservedAttributes) == 0 && (entry[12] & ~kCaseFlags) == 0 && entry[13] <= kMaxHundredths &&
        IsPossibleTime(ReadLittleEndian16(entry + 14)) && IsPossibleDate(ReadLittleEndian16(entry + 16)) &&
        IsPossibleDate(ReadLittleEndian16(entry + 18)) && IsPossibleTime(ReadLittleEndian16(entry + 22)) &&
        IsPossibleDate(ReadLittleEndian16(entry + 24));
}

}  // namespace morvick
