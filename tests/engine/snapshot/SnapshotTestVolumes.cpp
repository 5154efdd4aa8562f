#include "tests/engine/snapshot/SnapshotTestVolumes.h"

#include "engine/image/SectorSize.h"
#include "engine/state/EngineState.h"
#include "tests/engine/ntfs/MftRecordBuilder.h"
#include "tests/engine/save/MemoryDisk.h"
#include "tests/engine/snapshot/SnapshotTestRecords.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <string>

namespace {

constexpr uint32_t kSectorsPerFat = 16;
constexpr uint32_t kMftCluster = 16;
// $MFT's clusters: room for 128 records at the smallest cluster size.
constexpr uint32_t kMftClusters = 128;
constexpr uint8_t kLowerCaseNameAndExtension = 0x18;
constexpr uint8_t kFolderAttribute = 0x10;

std::vector<uint8_t> FileRecord(const std::u16string& name, uint32_t parent, uint32_t number)
{
    std::vector<uint8_t> record =
        morvick::test::MftRecordBuilder().FileName(name, parent, 1, kTestFileCreationTime, kTestFileChangeTime).Build();
    Put32(record, 44, number);  // a record's own number, before its update-sequence array
    return record;
}

}  // namespace

std::vector<uint8_t> MakeFatVolume(FileSystemKind kind, uint32_t start, uint32_t sectorsPerCluster,
    const std::vector<FatTestFile>& files)
{
    const bool fat32 = kind == FileSystemKind::kFat32;
    VolumeParameterBlock& b = g_VolumeParams;
    b.chosenFileSystemType = kind;
    b.browsedFileSystemType = kind;
    b.partitionStart = start;
    b.sectorsPerCluster = sectorsPerCluster;
    b.reservedSectors = fat32 ? 32 : 1;
    b.sectorsPerFat = kSectorsPerFat;
    b.rootDirectorySectors = fat32 ? 0 : 32;
    b.firstFat = start + b.reservedSectors;
    b.secondFat = b.firstFat + kSectorsPerFat;
    const uint32_t rootFolder = b.secondFat + kSectorsPerFat;
    b.rootLocation = fat32 ? 2 : rootFolder;
    b.clusterBase = rootFolder + b.rootDirectorySectors - 2 * sectorsPerCluster;

    std::vector<uint8_t> raw((b.firstFat + 1) * kSectorSize, 0);
    const uint64_t boot = uint64_t{start} * kSectorSize;
    Put16(raw, boot + 11, kSectorSize);
    raw[boot + 13] = static_cast<uint8_t>(sectorsPerCluster);
    Put16(raw, boot + 14, static_cast<uint16_t>(b.reservedSectors));
    raw[boot + 16] = 2;
    if (fat32) {
        Put32(raw, boot + 36, kSectorsPerFat);
        Put32(raw, boot + 44, 2);
    } else {
        Put16(raw, boot + 17, static_cast<uint16_t>(b.rootDirectorySectors * 16));
        Put16(raw, boot + 22, kSectorsPerFat);
    }
    Put16(raw, boot + 510, 0xAA55);
    const uint64_t fat = uint64_t{b.firstFat} * kSectorSize;
    raw[fat] = 0xF8;
    raw[fat + 1] = 0xFF;

    // Each folder's chain ends in its first cluster (FAT32's root too), and each folder but the root
    // is named in the root and begins with its "." and ".." entries, unless the files given begin it.
    auto endChain = [&](uint32_t cluster) {
        const uint64_t at = fat + uint64_t{cluster} * (fat32 ? 4 : 2);
        for (uint32_t i = 0; i < (fat32 ? 4u : 2u); ++i)
            raw[at + i] = static_cast<uint8_t>(i == 3 ? 0x0F : 0xFF);
    };
    std::vector<FatTestFile> entries;
    std::map<uint32_t, bool> folders;  // folder cluster: begun by the files given
    for (const FatTestFile& f : files) {
        if (f.folder != 0)
            folders.emplace(f.folder, std::memcmp(f.shortName, ".          ", 11) == 0);
    }
    std::vector<std::string> folderNames;  // "D" and the cluster, blank-padded: kept while `entries` is
    for (const auto& [cluster, begun] : folders)
        folderNames.push_back(("D" + std::to_string(cluster) + std::string(10, ' ')).substr(0, 11));
    size_t named = 0;
    for (const auto& [cluster, begun] : folders) {
        entries.push_back({0, folderNames[named++].c_str(), cluster, 0});
        if (!begun) {
            entries.push_back({cluster, ".          ", cluster, 0});
            entries.push_back({cluster, "..         ", 0, 0});
        }
    }
    if (fat32)
        endChain(2);
    for (const auto& [cluster, begun] : folders)
        endChain(cluster);
    entries.insert(entries.end(), files.begin(), files.end());
    std::map<uint32_t, uint32_t> used;  // entries written per folder
    for (const FatTestFile& f : entries) {
        const uint64_t folder = f.folder == 0 && !fat32
            ? rootFolder
            : uint64_t{b.clusterBase} + uint64_t{f.folder == 0 ? 2 : f.folder} * sectorsPerCluster;
        const bool isFolder = f.shortName[0] == '.' || (f.folder == 0 && folders.count(f.cluster) != 0 &&
                                                           f.shortName[0] == 'D' && f.size == 0);
        uint8_t entry[32] = {};
        std::memcpy(entry, f.shortName, 11);
        entry[11] = isFolder ? kFolderAttribute : 0;
        entry[12] = kLowerCaseNameAndExtension;
        entry[18] = static_cast<uint8_t>(kTestFileAccessDate);
        entry[19] = static_cast<uint8_t>(kTestFileAccessDate >> 8);
        entry[20] = static_cast<uint8_t>(f.cluster >> 16);
        entry[21] = static_cast<uint8_t>(f.cluster >> 24);
        const uint16_t writeDate = f.writeDate != 0 ? f.writeDate : kTestFileWriteDate;
        entry[24] = static_cast<uint8_t>(writeDate);
        entry[25] = static_cast<uint8_t>(writeDate >> 8);
        entry[26] = static_cast<uint8_t>(f.cluster);
        entry[27] = static_cast<uint8_t>(f.cluster >> 8);
        for (int i = 0; i < 4; ++i)
            entry[28 + i] = static_cast<uint8_t>(f.size >> (8 * i));
        PutBytes(raw, folder * kSectorSize + 32u * used[f.folder]++, entry, sizeof entry);
    }
    // The image holds every folder's sectors whole (FAT16's root area too), as the scans read them.
    uint64_t end = fat32 ? 0 : uint64_t{rootFolder} + b.rootDirectorySectors;
    for (uint32_t cluster : {fat32 ? 2u : 0u, folders.empty() ? 0u : folders.rbegin()->first})
        end = std::max(end, uint64_t{b.clusterBase} + (uint64_t{cluster} + 1) * sectorsPerCluster);
    raw.resize(std::max<size_t>(raw.size(), static_cast<size_t>(end) * kSectorSize));
    raw.resize((raw.size() + kSectorSize - 1) / kSectorSize * kSectorSize);  // whole sectors only
    return raw;
}

std::vector<uint8_t> MakeNtfsVolume(uint32_t start, uint32_t sectorsPerCluster, const std::vector<NtfsTestFile>& files)
{
    VolumeParameterBlock& b = g_VolumeParams;
    b.chosenFileSystemType = FileSystemKind::kNtfs;
    b.browsedFileSystemType = FileSystemKind::kNtfs;
    b.partitionStart = start;
    b.sectorsPerCluster = sectorsPerCluster;
    b.clusterBase = start;
    b.mftStart = start + kMftCluster * sectorsPerCluster;
    b.mftMirrorStart = 0;
    b.sectorsPerMftRecord = 2;

    const std::vector<uint8_t> record = morvick::test::MftRecordBuilder()
                                            .FileName(u"$MFT", 5, 3)
                                            .NonResident(0x80, {0x11, kMftClusters, kMftCluster, 0x00},
                                                uint64_t{kMftClusters} * sectorsPerCluster * kSectorSize)
                                            .Build();
    std::vector<uint8_t> raw;
    PutBytes(raw, uint64_t{b.mftStart} * kSectorSize, record.data(), record.size());
    for (const NtfsTestFile& f : files) {
        const std::vector<uint8_t> file = FileRecord(f.name, f.parent, f.number);
        PutBytes(raw, (uint64_t{b.mftStart} + 2ull * f.number) * kSectorSize, file.data(), file.size());
    }
    // The image holds the MFT's clusters whole: a run past its end is damage to the scans.
    const size_t mftEnd = (size_t{b.mftStart} + size_t{kMftClusters} * sectorsPerCluster) * kSectorSize;
    if (raw.size() < mftEnd)
        raw.resize(mftEnd);
    return raw;
}

void PutNtfsFileRecord(std::vector<uint8_t>& raw, uint32_t sector, const std::u16string& name, uint32_t parent)
{
    const std::vector<uint8_t> file = FileRecord(name, parent, 0);
    PutBytes(raw, uint64_t{sector} * kSectorSize, file.data(), file.size());
}

void PutNtfsBootSector(std::vector<uint8_t>& raw, uint32_t sector, uint32_t sectorsPerCluster, uint64_t totalSectors)
{
    uint8_t boot[kSectorSize] = {};
    std::memcpy(boot + 3, "NTFS    ", 8);
    boot[11] = 0x00;
    boot[12] = 0x02;
    boot[13] = static_cast<uint8_t>(sectorsPerCluster);
    for (int i = 0; i < 8; ++i) {
        boot[40 + i] = static_cast<uint8_t>(totalSectors >> (8 * i));
        boot[48 + i] = static_cast<uint8_t>(uint64_t{kMftCluster} >> (8 * i));
    }
    boot[68] = 1;
    boot[510] = 0x55;
    boot[511] = 0xAA;
    PutBytes(raw, uint64_t{sector} * kSectorSize, boot, sizeof boot);
}
