#include "engine/ntfs/FolderIndex.h"

#include "engine/ntfs/MftRecord.h"
#include "engine/ntfs/RunList.h"
#include "engine/volume/BufferBounds.h"
#include "engine/util/Endian.h"

#include <vector>

namespace morvick {

uint32_t GetIndexRootParent(const uint8_t* record, size_t length)
{
    for (const MftAttribute& a : ListMftAttributes(record, length)) {
        if (a.type != kAttrIndexRoot || a.nonResident || !MftAttributeNameIs(record, a, "$I30"))
            continue;
        const uint8_t* value = record + a.offset + a.valueOffset;
        const size_t size = a.valueLength;
        // The index header follows the 16-byte root header; entry offsets count from it.
        if (size < 32)
            return 0;
        const size_t entry = 16 + static_cast<size_t>(ReadLittleEndian32(value + 16));
        if (!FitsIn(size, entry, 16))
            return 0;
        const uint16_t keyLength = ReadLittleEndian16(value + entry + 10);
        const uint32_t flags = ReadLittleEndian32(value + entry + 12);
        if ((flags & 2) != 0 || keyLength < 8 || !FitsIn(size, entry + 16, keyLength))
            return 0;
        const uint32_t parent = ReadLittleEndian32(value + entry + 16);
        return parent == 0xFFFFFFFFu ? 0 : parent;
    }
    return 0;
}

uint64_t GetIndexAllocationStart(const uint8_t* record, size_t length)
{
    for (const MftAttribute& a : ListMftAttributes(record, length)) {
        if (a.type != kAttrIndexAllocation || !a.nonResident || !MftAttributeNameIs(record, a, "$I30"))
            continue;
        std::vector<DataRun> runs;
        DecodeRunList(record + a.offset + a.runListOffset, a.length - a.runListOffset, runs);
        return !runs.empty() && !runs[0].sparse ? runs[0].lcn : 0;
    }
    return 0;
}

}  // namespace morvick
