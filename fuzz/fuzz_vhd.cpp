// The VHD reader on arbitrary files: the input is the whole image file (footer, its copy, the
// dynamic header, the block table and block data). Opens it and reads sectors at the start, over
// block ends and at the end of the disk.
#include "engine/image/VhdDisk.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CVhdDisk reader;
    if (!reader.OpenMemory(data, size))
        return 0;
    std::vector<uint8_t> buffer(64 * 1024);
    const uint64_t diskSize = reader.GetDiskSize();
    const uint64_t block = reader.GetBlockSize() ? reader.GetBlockSize() : 4096;
    const uint64_t offsets[] = {0, block - 512, 2 * block - 1, diskSize - 512, diskSize - 100, diskSize, diskSize / 2};
    for (uint64_t offset : offsets) {
        reader.ReadAt(offset, buffer.data(), 512);
        reader.ReadAt(offset, buffer.data(), buffer.size());
    }
    if (reader.Seek(0))
        reader.Read(buffer.data(), 4096);
    return 0;
}
