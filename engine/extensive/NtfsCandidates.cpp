#include "engine/extensive/NtfsCandidates.h"

#include "engine/extensive/FatCandidates.h"
#include "engine/util/Endian.h"

#include <algorithm>
#include <cstring>

namespace morvick {

namespace {
constexpr uint64_t kNoSector = 0xFFFFFFFFu;

uint32_t ClampToSector(uint64_t value)
{
    return value > kNoSector ? static_cast<uint32_t>(kNoSector) : static_cast<uint32_t>(value);
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
    return s[510] == 0x55 && s[511] == 0xAA && std::memcmp(s + 3, "NTFS", 4) == 0;
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
    NtfsBootVolume v;
    if (ReadLittleEndian16(s + 11) != 512)
        return false;
    v.sectorsPerCluster = s[13];
    if (!IsClusterSizeInSectors(v.sectorsPerCluster))
        return false;
    const int8_t indexSize = static_cast<int8_t>(s[68]);
    if (indexSize < 0) {
        if (indexSize < -16 || indexSize > -9)
            return false;
        v.sectorsPerIndexRecord = (1u << -indexSize) / 512;
    } else {
        if (indexSize == 0)
            return false;
        v.sectorsPerIndexRecord = static_cast<uint32_t>(indexSize) * v.sectorsPerCluster;
        if (v.sectorsPerIndexRecord > 128)
            return false;
    }
    v.totalSectors = ReadLittleEndian32(s + 40);
    if (v.totalSectors == 0 || boot > kNoSector)
        return false;
    v.firstSector = static_cast<uint32_t>(boot);
    v.mftStart = ClampToSector(boot + uint64_t{ReadLittleEndian32(s + 48)} * v.sectorsPerCluster);
    v.mftMirrorStart = ClampToSector(boot + uint64_t{ReadLittleEndian32(s + 56)} * v.sectorsPerCluster);
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

void ForEachIndexFolderEntry(const uint8_t* record, size_t length, const std::function<void(const IndexFolderEntry&)>& sink)
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
