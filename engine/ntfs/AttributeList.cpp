#include "engine/ntfs/AttributeList.h"

#include "engine/ntfs/MftRecord.h"
#include "engine/volume/BufferBounds.h"
#include "engine/util/Endian.h"

namespace morvick {

namespace {
constexpr size_t kEntryFixedPart = 26;
}

std::vector<AttributeListEntry> ParseAttributeList(const uint8_t* value, size_t size)
{
    std::vector<AttributeListEntry> entries;
    size_t off = 0;
    while (FitsIn(size, off, kEntryFixedPart)) {
        const uint8_t* p = value + off;
        const uint32_t type = ReadLittleEndian32(p);
        const uint16_t entryLength = ReadLittleEndian16(p + 4);
        if (type == 0 || type == 0xFFFFFFFFu || entryLength < kEntryFixedPart || !FitsIn(size, off, entryLength))
            break;
        AttributeListEntry e;
        e.type = type;
        e.startVcn = ReadLittleEndian64(p + 8);
        e.record = ReadLittleEndian32(p + 16);
        entries.push_back(e);
        off += entryLength;
    }
    return entries;
}

std::vector<uint32_t> CollectAttributeListRecords(const uint8_t* record, size_t length)
{
    std::vector<uint32_t> records;
    for (const MftAttribute& a : ListMftAttributes(record, length)) {
        if (a.type != kAttrAttributeList)
            continue;
        if (a.nonResident)
            break;
        for (const AttributeListEntry& e : ParseAttributeList(record + a.offset + a.valueOffset, a.valueLength))
            records.push_back(e.record);
        break;
    }
    return records;
}

}  // namespace morvick
