#include "engine/ntfs/AttributeList.h"

#include "engine/ntfs/MftRecord.h"
#include "engine/ntfs/RunList.h"
#include "engine/volume/BufferBounds.h"
#include "engine/util/Endian.h"

#include <algorithm>

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

bool ReadAttributeListValue(SectorSource& disk, const uint8_t* record, size_t length, const NtfsClusterMap& volume,
    std::vector<uint8_t>& value)
{
    for (const MftAttribute& a : ListMftAttributes(record, length)) {
        if (a.type != kAttrAttributeList)
            continue;
        if (!a.nonResident) {
            const uint8_t* p = record + a.offset + a.valueOffset;
            value.assign(p, p + a.valueLength);
            return true;
        }
        std::vector<DataRun> runs;
        SectorRunTable table;
        if (volume.sectorsPerCluster == 0 ||
            !DecodeRunList(record + a.offset + a.runListOffset, a.length - a.runListOffset, runs, volume.clusters) ||
            !AppendRunsToTable(runs, volume.clusterBase, volume.sectorsPerCluster, table))
            return false;
        const uint64_t bytes = std::min(a.realSize, kMaxAttributeListBytes);
        const uint64_t sectors = (bytes + kSectorSize - 1) / kSectorSize;
        value.assign(static_cast<size_t>(sectors * kSectorSize), 0);
        for (uint64_t s = 0; s < sectors; ++s) {
            uint64_t sector = 0;
            if (!MapRelativeSector(table, s, sector) || !disk.ReadSectors(sector, 1, value.data() + s * kSectorSize))
                return false;
        }
        value.resize(static_cast<size_t>(bytes));
        return true;
    }
    return false;
}

std::vector<AttributeListEntry> ReadAttributeList(SectorSource& disk, const uint8_t* record, size_t length,
    const NtfsClusterMap& volume)
{
    std::vector<uint8_t> value;
    if (!ReadAttributeListValue(disk, record, length, volume, value))
        return {};
    return ParseAttributeList(value.data(), value.size());
}

}  // namespace morvick
