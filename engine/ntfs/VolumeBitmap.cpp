#include "engine/ntfs/VolumeBitmap.h"

#include "engine/image/SectorSize.h"
#include "engine/ntfs/DataAttribute.h"
#include "engine/ntfs/FileNameAttribute.h"
#include "engine/ntfs/MftRecord.h"
#include "engine/ntfs/MftWalk.h"

#include <algorithm>

namespace morvick {

namespace {

constexpr uint32_t kBitmapRecord = 6;

}  // namespace

bool VolumeBitmap::Open(SectorSource& disk, const SectorRunTable& mft, uint64_t clusterBase,
    uint32_t sectorsPerCluster, uint64_t volumeClusters)
{
    *this = VolumeBitmap();
    if (volumeClusters == 0 || sectorsPerCluster == 0 || mft.recordSectors == 0 ||
        uint64_t{mft.recordSectors} * kSectorSize > kLargestMftRecordSize)
        return false;
    std::vector<uint8_t> record(size_t{mft.recordSectors} * kSectorSize);
    MftRecordHeader header;
    NtfsFileName name;
    if (!ReadMftRecord(disk, mft, kBitmapRecord, record.data()) ||
        !ParseMftRecordHeader(record.data(), record.size(), header) || !(header.flags & 1) || header.extension ||
        (header.numbered && header.number != kBitmapRecord) ||
        !ReadPreferredFileName(record.data(), record.size(), name) || name.name != u"$Bitmap")
        return false;
    for (const MftAttribute& a : ListMftAttributes(record.data(), record.size())) {
        if (a.type != kAttrData || a.nameLength != 0)
            continue;
        if (!a.nonResident) {
            const uint8_t* at = record.data() + a.offset + a.valueOffset;
            value_.assign(at, at + a.valueLength);
            resident_ = true;
            clusters_ = std::min<uint64_t>(volumeClusters, uint64_t{a.valueLength} * 8);
        } else {
            // Only the first piece is read: a bitmap in pieces of several records answers for its first
            // piece's clusters, the rest is unknown.
            std::vector<DataRun> runs;
            if (a.lowestVcn != 0 || !DecodeAttributeRuns(record.data(), record.size(), a.offset, runs, volumeClusters) ||
                !AppendRunsToTable(runs, clusterBase, sectorsPerCluster, runs_))
                return false;
            // The bytes both written and inside the runs, never more than the volume's clusters need.
            const uint64_t needed = (volumeClusters + 7) / 8;
            const uint64_t runBytes = std::min(runs_.TotalSectors(), needed / kSectorSize + 1) * kSectorSize;
            const uint64_t bytes = std::min({a.realSize, a.initializedSize, runBytes});
            clusters_ = bytes >= needed ? volumeClusters : bytes * 8;
        }
        open_ = clusters_ != 0;
        return open_;
    }
    return false;
}

ClusterUse VolumeBitmap::Use(SectorSource& disk, uint64_t cluster)
{
    if (!open_ || cluster >= clusters_)
        return ClusterUse::kUnknown;
    const uint64_t byte = cluster / 8;
    const uint8_t bit = static_cast<uint8_t>(1u << (cluster % 8));
    if (resident_)
        return (value_[byte] & bit) ? ClusterUse::kInUse : ClusterUse::kFree;
    const uint64_t relative = byte / kSectorSize;
    auto found = sectors_.find(relative);
    if (found == sectors_.end()) {
        std::vector<uint8_t> sector(kSectorSize);
        uint64_t at = 0;
        if (!MapRelativeSector(runs_, relative, at) || !disk.ReadSectors(at, 1, sector.data()))
            sector.clear();
        found = sectors_.emplace(relative, std::move(sector)).first;
    }
    if (found->second.empty())
        return ClusterUse::kUnknown;
    return (found->second[byte % kSectorSize] & bit) ? ClusterUse::kInUse : ClusterUse::kFree;
}

}  // namespace morvick
