#include "engine/extensive/NtfsCandidates.h"

#include "engine/image/SectorSize.h"
#include "engine/ntfs/NtfsBootSector.h"
#include "engine/util/Endian.h"
#include "engine/volume/BootRecord.h"
#include "engine/volume/PartitionFileSystem.h"

#include <algorithm>
#include <cstring>

namespace morvick {

namespace {
constexpr uint64_t kNoSector = 0xFFFFFFFFu;

uint32_t ClampToSector(uint64_t value)
{
    return value > kNoSector ? static_cast<uint32_t>(kNoSector) : static_cast<uint32_t>(value);
}

// first + clusters x spc, or no sector when that lies past the 32-bit sector numbers.
uint32_t ClusterSector(uint64_t first, uint64_t cluster, uint32_t sectorsPerCluster)
{
    return cluster > kNoSector ? static_cast<uint32_t>(kNoSector) : ClampToSector(first + cluster * sectorsPerCluster);
}

// Index entry layout: file reference at 0, entry length at 8, key length at 10, flags at 12, the
// $FILE_NAME key from 16 (parent at +0, creation time at +8, flags at +56, name length at +64, name
// at +66).
constexpr size_t kEntryHeader = 16;
constexpr size_t kNameOffset = 82;
constexpr uint16_t kLastEntry = 2;
}  // namespace

bool IsNtfsBootCandidate(const uint8_t* s)
{
    return HasBootSignature(s, kSectorSize) && HasNtfsSearchText(s, kSectorSize);
}

bool IsMftRecordCandidate(const uint8_t* s)
{
    return std::memcmp(s, "FILE", 4) == 0 && ReadLittleEndian16(s + 28) == 1024;
}

bool IsIndexRecordCandidate(const uint8_t* s)
{
    return std::memcmp(s, "INDX", 4) == 0;
}

bool ReadNtfsBootVolume(const uint8_t* s, uint64_t boot, NtfsBootVolume& out)
{
    NtfsBootSector b;
    if (!ParseNtfsBootSector(s, kSectorSize, b) || b.totalSectors == 0 || boot > kNoSector)
        return false;
    NtfsBootVolume v;
    v.sectorsPerCluster = b.sectorsPerCluster;
    v.sectorsPerIndexRecord = b.sectorsPerIndexRecord;
    v.totalSectors = ClampToSector(b.totalSectors);
    v.firstSector = static_cast<uint32_t>(boot);
    v.mftStart = ClusterSector(boot, b.mftCluster, b.sectorsPerCluster);
    v.mftMirrorStart = ClusterSector(boot, b.mftMirrorCluster, b.sectorsPerCluster);
    v.endSector = ClampToSector(boot + v.totalSectors);
    out = v;
    return true;
}

bool NtfsVolumeOfBackup(const NtfsBootVolume& copy, NtfsBootVolume& out)
{
    if (copy.firstSector < copy.totalSectors)
        return false;
    const uint32_t first = copy.firstSector - copy.totalSectors;
    NtfsBootVolume v = copy;
    v.firstSector = first;
    v.mftStart = first + (copy.mftStart - copy.firstSector);
    v.mftMirrorStart = first + (copy.mftMirrorStart - copy.firstSector);
    v.endSector = copy.firstSector;
    out = v;
    return true;
}

void ForEachIndexFolderEntry(const uint8_t* record, size_t length,
    const std::function<void(const IndexFolderEntry&)>& sink)
{
    if (length < 32)
        return;
    const uint64_t entries = 24ull + ReadLittleEndian32(record + 24);
    const uint64_t end = std::min<uint64_t>(length, 24ull + ReadLittleEndian32(record + 28));
    uint64_t at = entries;
    while (at + kEntryHeader <= end) {
        const uint8_t* e = record + at;
        const uint16_t entryLength = ReadLittleEndian16(e + 8);
        const uint16_t flags = ReadLittleEndian16(e + 12);
        if ((flags & kLastEntry) != 0 || entryLength < kEntryHeader)
            return;
        if (at + kNameOffset > end)
            return;
        const uint8_t nameLength = e[80];
        if (nameLength == 0)
            return;
        if (at + kNameOffset + 2ull * nameLength > end)
            return;
        if ((ReadLittleEndian16(e + 74) & 0x1000) != 0) {
            IndexFolderEntry entry;
            entry.fileReference = ReadLittleEndian32(e);
            entry.parentReference = ReadLittleEndian32(e + 16);
            entry.creationTime = ReadLittleEndian64(e + 24);
            entry.name.resize(nameLength);
            for (size_t i = 0; i < nameLength; ++i)
                entry.name[i] = static_cast<char16_t>(ReadLittleEndian16(e + kNameOffset + 2 * i));
            sink(entry);
        }
        at += entryLength;
    }
}

}  // namespace morvick
