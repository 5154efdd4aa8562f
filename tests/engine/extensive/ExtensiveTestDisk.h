// Hand-made sectors for the Extensive Scan's tests: FAT and NTFS boot sectors, a directory's first
// sector, and INDX records with folder entries and their update-sequence protection.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace morvick::test {

// A FAT boot sector: `fat32` picks the FAT32 layout ("FAT32" at 82) or FAT16 ("FAT16" at 54).
std::vector<uint8_t> FatBootSector(bool fat32, uint8_t sectorsPerCluster, uint16_t reserved, uint32_t sectorsPerFat,
    uint32_t totalSectors, uint16_t rootEntries = 512, uint8_t fats = 2);

// The first sector of a directory: "." naming `cluster`, ".." naming `parent`.
std::vector<uint8_t> DirectorySector(uint32_t cluster, uint32_t parent);

// An NTFS boot sector.
std::vector<uint8_t> NtfsBootSector(uint8_t sectorsPerCluster, uint32_t totalSectors, uint32_t mftCluster,
    uint8_t indexRecordByte = 1);

struct IndexEntrySpec {
    uint32_t reference;
    uint32_t parent;
    uint64_t creationTime;
    std::u16string name;
    bool folder = true;
};

// A one-sector INDX record of the folder whose entries are given (the owner is the first entry's
// parent), at `vcn`, protected as NTFS writes it.
std::vector<uint8_t> IndexRecordSector(uint32_t vcn, const std::vector<IndexEntrySpec>& entries);

// Copies a sector into a raw disk.
void PutSector(std::vector<uint8_t>& raw, uint64_t sector, const std::vector<uint8_t>& bytes);

// Copies a 1,024-byte FILE record into a raw disk, with the allocated size that the search expects.
void PutMftRecord(std::vector<uint8_t>& raw, uint64_t sector, const std::vector<uint8_t>& record);

}  // namespace morvick::test
