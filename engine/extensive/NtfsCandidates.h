// What the Extensive Scan makes of single sectors and records of an NTFS volume: boot sectors, the
// first sectors of FILE and INDX records (the folder entries of an INDX record are read by
// ForEachIndexFolderEntry, engine/ntfs/IndexRecord.h). Pure byte logic.
#pragma once

#include <cstddef>
#include <cstdint>

namespace morvick {

// 0x55 0xAA at 510 and "NTFS" at 3.
bool IsNtfsBootCandidate(const uint8_t* sector);
// "FILE" at 0 and an allocated record size the engine reads (the 32-bit value at 28): 1,024, 2,048 or
// 4,096 bytes.
bool IsMftRecordCandidate(const uint8_t* sector);
// "INDX" at 0.
bool IsIndexRecordCandidate(const uint8_t* sector);

// A volume described by an NTFS boot-sector candidate found at `bootSector`, in absolute sectors.
struct NtfsBootVolume {
    uint32_t sectorsPerCluster = 0;
    uint32_t firstSector = 0;  // the boot sector itself
    uint32_t mftStart = 0;  // 0 where it lies past the sectors a field holds
    uint32_t mftMirrorStart = 0;
    bool mftPastLimit = false;  // its MFT lies past the sectors a field holds (mftStart is 0)
    uint32_t sectorsPerIndexRecord = 0;
    uint32_t sectorsPerMftRecord = 0;
    uint64_t endSector = 0;     // first sector + total sectors, whole (it may lie past 2 TiB)
    uint32_t totalSectors = 0;  // the 64-bit total at 40, held at 2^32 - 1 (engine/state/SectorLimit.h)
};

// The fields by ParseNtfsBootSector, and a total at 40 that is not 0: it gives the volume's end.
// False for anything else.
bool ReadNtfsBootVolume(const uint8_t* sector, uint64_t bootSector, NtfsBootVolume& out);

// The same volume seen from a copy of its boot sector at its last sector: the copy lies at first
// sector + total. False when the copy could not be one.
bool NtfsVolumeOfBackup(const NtfsBootVolume& copy, NtfsBootVolume& out);

}  // namespace morvick
