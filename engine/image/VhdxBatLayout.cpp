#include "engine/image/VhdxBatLayout.h"

bool ComputeVhdxBatLayout(uint64_t diskSize, uint32_t blockSize, uint32_t logicalSectorSize, VhdxBatLayout& layout)
{
    layout = VhdxBatLayout();
    if (diskSize == 0 || blockSize == 0 || logicalSectorSize == 0)
        return false;
    const uint64_t sectorsPerChunk = (uint64_t(1) << 23) * logicalSectorSize;
    if (sectorsPerChunk % blockSize != 0 || sectorsPerChunk / blockSize == 0)
        return false;
    layout.chunkRatio = sectorsPerChunk / blockSize;
    layout.dataBlocks = diskSize / blockSize + (diskSize % blockSize != 0 ? 1 : 0);
    layout.bitmapBlocks = (layout.dataBlocks + layout.chunkRatio - 1) / layout.chunkRatio;
    layout.totalEntries = layout.dataBlocks + (layout.dataBlocks - 1) / layout.chunkRatio;
    return true;
}
