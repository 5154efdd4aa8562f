#include "engine/image/VhdxMetadataTable.h"

#include "engine/image/VhdxGuids.h"
#include "engine/image/VhdxRegionTable.h"
#include "engine/util/Endian.h"

#include <cstring>

int ParseVhdxMetadataTable(const uint8_t* data, size_t size, uint32_t regionLength, std::vector<VhdxMetadataItem>& items)
{
    items.clear();
    if (!data || size < 32 || std::memcmp(data, "metadata", 8) != 0)
        return kVhdxRejected;
    const uint32_t count = ReadLittleEndian16(data + 10);
    // Entries only within the bytes read: a damaged count would read past the buffer.
    if (count > kVhdxMaxMetadataEntries || 32 + 32 * static_cast<size_t>(count) > size)
        return kVhdxRejected;
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* entry = data + 32 + 32 * static_cast<size_t>(i);
        VhdxMetadataItem item;
        item.name = GetVhdxItemName(entry);
        if (item.name != u"File Parameter" && item.name != u"Virtual Disk Size" && item.name != u"Logical Sector Size" &&
            item.name != u"Physical Sector Size" && item.name != u"Parent Locator")
            continue;
        item.offset = ReadLittleEndian32(entry + 16);
        item.length = ReadLittleEndian32(entry + 20);
        const uint32_t flags = ReadLittleEndian32(entry + 24);
        item.isUser = (flags & 1) != 0;
        item.isVirtualDisk = (flags & 2) != 0;
        item.isRequired = (flags & 4) != 0;
        // An item's value must lie inside its region, or the disk's parameters come from other bytes.
        if (item.offset > regionLength || item.length > regionLength - item.offset)
            return kVhdxRejected;
        items.push_back(item);
    }
    return kVhdxOk;
}

bool AreVhdxDiskParametersValid(const VhdxDiskParameters& p)
{
    return IsPowerOfTwo(p.blockSize) && p.blockSize >= kVhdxMinBlockSize && p.blockSize <= kVhdxMaxBlockSize &&
           (p.logicalSectorSize == 512 || p.logicalSectorSize == 4096) && p.diskSize >= 1 &&
           p.diskSize <= kVhdxMaxDiskSize;
}
