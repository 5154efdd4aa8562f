// The VHDX parse and reads. The input gives the structures in slices, which are placed where a
// VHDX file keeps them, in a 4 MiB file that holds "vhdxfile" at its start:
//   bytes    0- 511  the region table at 192 KiB (its checksum is made right, so the fuzzer reaches
//                    the entries) and its copy at 256 KiB left empty
//   bytes  512-1023  the metadata table at 1 MiB
//   bytes 1024-1279  the metadata values at 1 MiB + 64 KiB
//   bytes 1280-      the block allocation table at 2 MiB (up to 1 MiB)
// Byte 4 of the region table, when 0xFF on input, keeps the given checksum instead.
#include "engine/image/VhdxDisk.h"
#include "engine/util/Crc32c.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr size_t MiB = 1u << 20;

void Place(std::vector<uint8_t>& file, size_t at, const uint8_t* data, size_t size, size_t begin, size_t length)
{
    if (size <= begin)
        return;
    const size_t n = std::min(length, size - begin);
    std::memcpy(&file[at], data + begin, n);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The file stays zero outside the slices; the slices are cleared again for the next input.
    static std::vector<uint8_t> file(4 * MiB);
    std::memset(&file[192 * 1024], 0, 512);
    std::memset(&file[MiB], 0, 512);
    std::memset(&file[MiB + 64 * 1024], 0, 256);
    std::memset(&file[2 * MiB], 0, MiB);
    std::memcpy(file.data(), "vhdxfile", 8);
    Place(file, 192 * 1024, data, size, 0, 512);
    Place(file, MiB, data, size, 512, 512);
    Place(file, MiB + 64 * 1024, data, size, 1024, 256);
    Place(file, 2 * MiB, data, size, 1280, MiB);
    if (!(size > 4 && data[4] == 0xFF)) {
        uint8_t* table = &file[192 * 1024];
        std::memset(table + 4, 0, 4);
        const uint32_t crc = Crc32c(0, table, 64 * 1024);
        for (int i = 0; i < 4; ++i)
            table[4 + i] = static_cast<uint8_t>(crc >> (8 * i));
    }
    CVhdxDisk reader;
    if (!reader.OpenMemory(file.data(), file.size()))
        return 0;
    std::vector<uint8_t> buffer(64 * 1024);
    const uint64_t diskSize = reader.GetDiskSize();
    const uint64_t block = reader.Parameters().blockSize;
    const uint64_t offsets[] = {0, block - 512, 2 * block - 1, diskSize - 512, diskSize - 100, diskSize / 2};
    for (uint64_t offset : offsets) {
        reader.ReadAt(offset, buffer.data(), 512);
        reader.ReadAt(offset, buffer.data(), buffer.size());
    }
    return 0;
}
