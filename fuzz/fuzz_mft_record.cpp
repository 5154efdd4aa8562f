// One MFT FILE record (or INDX record) of the fuzzer's bytes, as long as its header's allocated size
// at 28 says (1,024, 2,048 or 4,096 bytes; else 1,024): fix-ups, the attribute walk, names, data
// sizes, run lists, attribute lists and folder indexes; and the same bytes as a tiny volume for the
// MFT walk, of records of that size or of the size its boot sector gives, and its record 6 as the
// volume's cluster bitmap. Nothing may read outside the record or loop.
#include "engine/ntfs/AttributeList.h"
#include "engine/ntfs/DataAttribute.h"
#include "engine/ntfs/FileNameAttribute.h"
#include "engine/ntfs/FolderIndex.h"
#include "engine/ntfs/FoundMftRecord.h"
#include "engine/ntfs/IndexRecord.h"
#include "engine/ntfs/MftRecord.h"
#include "engine/ntfs/MftWalk.h"
#include "engine/ntfs/NtfsBootSector.h"
#include "engine/ntfs/VolumeBitmap.h"
#include "engine/volume/MemorySectorSource.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (1u << 20))
        return 0;
    uint32_t recordSectors = morvick::kSectorsPerMftRecord;
    morvick::MftRecordHeader first;
    if (morvick::ParseMftRecordHeader(data, size, first))
        recordSectors = morvick::MftRecordSectorsOf(first);
    std::vector<uint8_t> record(size_t{recordSectors} * kSectorSize, 0);
    std::memcpy(record.data(), data, std::min(size, record.size()));
    morvick::ApplyMultiSectorFixups(record.data(), record.size());
    const uint8_t* r = record.data();
    const size_t n = record.size();

    for (const morvick::MftAttribute& a : morvick::ListMftAttributes(r, n)) {
        if (a.offset + static_cast<uint64_t>(a.length) > n)
            std::abort();
        if (a.nonResident) {
            std::vector<morvick::DataRun> runs;
            morvick::DecodeAttributeRuns(r, n, a.offset, runs, 1u << 20);
        }
    }
    morvick::NtfsFileName name;
    morvick::ReadPreferredFileName(r, n, name);
    uint64_t dataSize = 0;
    morvick::GetMftRecordDataSize(r, n, dataSize);
    uint32_t offset = 0;
    morvick::FindDataAttribute(r, n, offset);
    {
        // The record's own bytes stand for the disk a non-resident list is read from.
        morvick::MemorySectorSource disk(r, n);
        morvick::NtfsClusterMap volume;
        volume.sectorsPerCluster = 1;
        volume.clusters = n / kSectorSize;
        morvick::ReadAttributeList(disk, r, n, volume);
    }
    morvick::GetIndexRootParent(r, n);
    morvick::GetIndexAllocationStart(r, n);
    morvick::FoundMftRecord found;
    const bool decoded = morvick::DecodeFoundMftRecord(r, n, found);
    // A record that waits for a name from an extension record has none of its own, and takes any.
    if (morvick::AwaitsExtensionFileName(r, n) &&
        (decoded || !morvick::DecodeFoundMftRecordNamed(r, n, name, found) || found.name != name.name))
        std::abort();
    // An extension record's name is never a file's own.
    morvick::MftRecordHeader header;
    if (morvick::ReadExtensionFileName(r, n, header, name) && (decoded || !header.extension))
        std::abort();

    // The raw bytes as a run list, an attribute list and an INDX record.
    std::vector<morvick::DataRun> runs;
    morvick::DecodeRunList(data, size, runs);
    morvick::ParseAttributeList(data, size);
    const uint32_t indexSize = morvick::IndexRecordSize(data, size);
    if (indexSize != 0 && indexSize <= size) {
        std::vector<uint8_t> indx(data, data + indexSize);
        morvick::IndexRecordInfo info;
        morvick::ParseIndexRecord(indx.data(), indx.size(), info);
    }

    // The bytes as a small volume whose MFT starts at sector 0 or where its boot sector says.
    std::vector<uint8_t> bytes(data, data + size);
    bytes.resize((size + 511) / 512 * 512 + 1024, 0);
    morvick::MemorySectorSource disk(std::move(bytes));
    // The record's attribute list read from that volume: never more than its bound.
    morvick::NtfsClusterMap volume;
    volume.sectorsPerCluster = 1;
    volume.clusters = disk.SectorCount();
    std::vector<uint8_t> list;
    if (morvick::ReadAttributeListValue(disk, r, n, volume, list) && list.size() > morvick::kMaxAttributeListBytes)
        std::abort();
    morvick::ReadAttributeList(disk, r, n, volume);
    morvick::SectorRunTable mft;
    uint8_t rec[morvick::kLargestMftRecordSize];
    if (morvick::WalkMftRecords(disk, 0, 0, 1, recordSectors, disk.SectorCount(), mft)) {
        for (uint32_t i = 0; i < 8; ++i)
            morvick::ReadMftRecord(disk, mft, i, rec);
        morvick::SplitMftRecords(mft);
        // Its record 6 as the volume's bitmap: no cluster past the volume is ever in use or free.
        morvick::VolumeBitmap bitmap;
        const uint64_t clusters = disk.SectorCount();
        if (bitmap.Open(disk, mft, 0, 1, clusters)) {
            for (uint64_t c = 0; c < std::min<uint64_t>(clusters, 8192); ++c)
                bitmap.Use(disk, c);
            if (bitmap.Use(disk, clusters) != morvick::ClusterUse::kUnknown)
                std::abort();
        }
    }
    morvick::NtfsBootSector boot;
    if (morvick::ParseNtfsBootSector(data, size, boot)) {
        if (boot.sectorsPerIndexRecord < 1 || boot.sectorsPerIndexRecord > 128 ||
            !morvick::IsMftRecordSize(uint64_t{boot.sectorsPerMftRecord} * kSectorSize) ||
            boot.sectorsPerCluster % (boot.bytesPerSector / kSectorSize) != 0)
            std::abort();
        if (morvick::WalkMftRecords(disk, 0, boot.mftCluster * boot.sectorsPerCluster, boot.sectorsPerCluster,
                boot.sectorsPerMftRecord, disk.SectorCount() / boot.sectorsPerCluster, mft)) {
            for (uint32_t i = 0; i < 8; ++i)
                morvick::ReadMftRecord(disk, mft, i, rec);
        }
    }
    return 0;
}
