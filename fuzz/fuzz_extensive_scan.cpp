// The Extensive Scan over a disk made of the fuzzer's bytes: every sector through the candidate tests
// (FAT boot sectors and directories, NTFS boot sectors, FILE and INDX records), then the whole scan
// (search, analysis) and the found-volume scan of each volume found. The last byte chooses the file
// system (FAT16, FAT32 or NTFS). Nothing may crash, read outside the disk or loop.
#include "engine/save/EngineReset.h"
#include "engine/extensive/ExtensiveScan.h"
#include "engine/extensive/ExtensiveScanState.h"
#include "engine/extensive/FatCandidates.h"
#include "engine/extensive/FoundVolumeScan.h"
#include "engine/extensive/NtfsCandidates.h"
#include "engine/ntfs/IndexRecord.h"
#include "engine/image/VhdFooter.h"
#include "engine/image/VirtualDisk.h"
#include "engine/state/EngineState.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

void PutBig32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(v >> (24 - 8 * i));
}

// The sectors wrapped in a fixed VHD's footer.
std::vector<uint8_t> FixedVhd(const uint8_t* data, size_t size)
{
    std::vector<uint8_t> image(data, data + size);
    image.resize((size + 511) / 512 * 512, 0);
    uint8_t footer[512] = {};
    std::memcpy(footer, "conectix", 8);
    PutBig32(footer + 8, 2);
    PutBig32(footer + 12, 0x00010000);
    PutBig32(footer + 16, 0xFFFFFFFF);
    PutBig32(footer + 20, 0xFFFFFFFF);
    PutBig32(footer + 44, static_cast<uint32_t>(image.size()));
    PutBig32(footer + 52, static_cast<uint32_t>(image.size()));
    footer[56] = 0x04;
    footer[58] = 16;
    footer[59] = 63;
    PutBig32(footer + 60, 2);
    PutBig32(footer + 64, ComputeVhdFooterChecksum(footer));
    image.insert(image.end(), footer, footer + sizeof footer);
    return image;
}

void TestSectors(const uint8_t* data, size_t size)
{
    for (size_t at = 0; at + 512 <= size; at += 512) {
        const uint8_t* s = data + at;
        const uint64_t sector = at / 512 + 100;
        morvick::FatBootVolume fat;
        if (morvick::ReadFatBootVolume(s, sector, fat) && fat.clusterBase < 63)
            std::abort();
        morvick::FatDirectoryStart directory;
        if (morvick::ReadFatDirectoryCandidate(s, sector, directory) &&
            (directory.cluster < 2 || directory.cluster >= sector))
            std::abort();
        morvick::NtfsBootVolume ntfs, original;
        if (morvick::ReadNtfsBootVolume(s, sector, ntfs))
            morvick::NtfsVolumeOfBackup(ntfs, original);
        morvick::IsMftRecordCandidate(s);
        if (morvick::IsIndexRecordCandidate(s))
            morvick::ForEachIndexFolderEntry(data + at, size - at, [](const morvick::IndexFolderEntry&) {});
    }
}

// The count and tail agree with the nodes.
template <class T>
void CheckList(const RecordList<T>& list)
{
    uint32_t count = 0;
    const T* last = nullptr;
    for (const T* r = list.head; r; r = r->next) {
        if (r->name == nullptr)
            std::abort();
        last = r;
        ++count;
    }
    if (count != list.count || last != list.tail)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2 || size > (1u << 20))
        return 0;
    static const FileSystemKind kTypes[] = {FileSystemKind::kFat16, FileSystemKind::kFat32, FileSystemKind::kNtfs};
    const FileSystemKind type = kTypes[data[size - 1] % 3];
    TestSectors(data, size - 1);

    std::vector<uint8_t> image = FixedVhd(data, size - 1);
    ResetEngineState();
    CVirtualDisk disk;
    disk.Create(CVirtualDisk::kVhd);
    if (disk.OpenMemory(image.data(), image.size()) != 1)
        return 0;
    SetCurrentVirtualDisk(&disk);
    g_wSourceType = kSourceDisk;
    g_nScanMode = kScanExtensive;
    g_VolumeParams.chosenFileSystemType = type;
    g_VolumeParams.partitionSectors = static_cast<uint32_t>((size - 1 + 511) / 512);
    g_VolumeParams.partitionEnd = g_VolumeParams.partitionSectors - 1;
    ScanFinishedWord finished{0};
    RunExtensiveScan(finished);
    // Records taken out again after the search (left without a name) leave the lists whole.
    CheckList(g_FoundNtfsRecords);
    CheckList(g_NtfsFileRecords);
    const uint32_t volumes = g_FoundPartitions.count;
    for (uint32_t n = 1; n <= volumes && n <= 8; ++n) {
        ChooseFoundVolume(static_cast<uint16_t>(n));
        RunFoundVolumeScan(finished);
    }
    SetCurrentVirtualDisk(nullptr);
    ResetEngineState();
    ResetExtensiveScanState();
    return 0;
}
