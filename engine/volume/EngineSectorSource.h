// The engine's current source (ReadSectors: the opened image or the chosen logical drive) as a
// sector source for the partition, FAT and NTFS readers.
#pragma once

#include "engine/volume/SectorSource.h"

namespace morvick {

class EngineSectorSource : public SectorSource {
public:
    bool ReadSectors(uint64_t sector, uint32_t count, uint8_t* buffer) override;
    // The opened image's size in sectors; 0 (unknown) for a logical drive or without an image.
    uint64_t SectorCount() const override;
    // The opened image's logical sector size (a VHDX's own; 512 for a VHD); 512 for a logical drive,
    // which is read from its volume's first sector and has no partition table.
    uint32_t LogicalSectorSize() const override;
};

}  // namespace morvick
