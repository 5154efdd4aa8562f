// The outputs of the real tools that the fixture scripts save beside each disk.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace morvick::test {

struct FlsEntry {
    std::string type;       // "r/r", "d/d", "-/r", "v/v"...
    bool deleted = false;
    std::string address;    // as printed: "64-144-2" (NTFS) or "523" (FAT)
    uint64_t inode = 0;     // the leading number of the address
    std::string path;       // UTF-8, "/"-separated, relative to the root
    uint64_t size = 0;
};

// `fls -r -p -l` output.
std::vector<FlsEntry> ReadFls(const std::string& path);

struct SfdiskEntry {
    uint64_t start = 0;
    uint64_t size = 0;
    unsigned type = 0;
};

// `sfdisk -d` output, in its order.
std::vector<SfdiskEntry> ReadSfdisk(const std::string& path);

std::string ReadTextFile(const std::string& path);
std::vector<uint8_t> ReadBinaryFile(const std::string& path);

}  // namespace morvick::test
