#include "engine/fat/FatDirectoryStart.h"

#include "engine/fat/FatDirectoryEntry.h"

namespace morvick {

bool ReadFatDirectoryStart(const uint8_t* sector, size_t size, bool fat32, FatDirectoryStart& out)
{
    if (!IsFatDirectoryStart(sector, size))
        return false;
    const FatShortEntry self = DecodeFatShortEntry(sector, fat32);
    const FatShortEntry parent = DecodeFatShortEntry(sector + kFatDirectoryEntrySize, fat32);
    out.cluster = self.firstCluster;
    out.parentCluster = parent.firstCluster;
    out.writeDate = self.writeDate;
    out.writeTime = self.writeTime;
    out.created = self.created;
    out.accessDate = self.accessDate;
    return true;
}

}  // namespace morvick
