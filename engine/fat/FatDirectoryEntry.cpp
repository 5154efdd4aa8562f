#include "engine/fat/FatDirectoryEntry.h"

#include "engine/volume/BufferBounds.h"
#include "engine/util/Endian.h"

namespace morvick {

FatShortEntry DecodeFatShortEntry(const uint8_t* entry, bool fat32)
{
    FatShortEntry e;
    e.firstByte = entry[0];
    e.attributes = entry[11];
    e.accessDate = ReadLittleEndian16(entry + 18);
    e.writeDate = ReadLittleEndian16(entry + 24);
    e.firstCluster = ReadLittleEndian16(entry + 26);
    if (fat32)
        e.firstCluster |= static_cast<uint32_t>(ReadLittleEndian16(entry + 20)) << 16;
    e.size = ReadLittleEndian32(entry + 28);
    return e;
}

std::u16string FatShortName(const uint8_t* entry)
{
    // Only the padding at the end is dropped: a blank inside a short name belongs to it, and taking
    // it out would list and save the file under a name the volume does not hold.
    size_t nameEnd = 8;
    while (nameEnd > 0 && entry[nameEnd - 1] == ' ')
        --nameEnd;
    std::u16string name;
    for (size_t i = 0; i < nameEnd; ++i)
        name.push_back(static_cast<char16_t>(entry[i]));
    if (entry[8] != ' ') {
        size_t extEnd = 11;
        while (extEnd > 8 && entry[extEnd - 1] == ' ')
            --extEnd;
        name.push_back(u'.');
        for (size_t i = 8; i < extEnd; ++i)
            name.push_back(static_cast<char16_t>(entry[i]));
    }
    if (!name.empty() && entry[0] == kFatDeletedMark)
        name[0] = u'x';
    return name;
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

}  // namespace morvick
