#include "tests/engine/scan/ScanFixture.h"

#include "engine/extensive/ExtensiveScan.h"
#include "engine/extensive/ExtensiveScanState.h"
#include "engine/extensive/FoundVolumeScan.h"
#include "engine/io/DiskFile.h"
#include "engine/save/EngineReset.h"
#include "engine/scan/QuickScan.h"
#include "engine/state/EngineState.h"
#include "engine/state/SectorLimit.h"
#include "engine/volume/PartitionDiscovery.h"

#include <cstring>
#include <filesystem>

bool OpenFixtureImage(const std::string& hostPath, CVirtualDisk& disk)
{
    ResetEngineState();
    const std::u16string path = std::filesystem::u8path(hostPath).u16string();
    CDiskFile probe;
    char id[8] = {};
    const bool vhdx = probe.OpenRead(path) && probe.ReadAt(id, 0, 8) && std::memcmp(id, "vhdxfile", 8) == 0;
    probe.Close();
    if (!disk.Create(vhdx ? CVirtualDisk::kVhdx : CVirtualDisk::kVhd) || !disk.Open(path))
        return false;
    SetCurrentVirtualDisk(&disk);
    g_wSourceType = kSourceDisk;
    return WalkPartitionTable(0) > 0;
}

bool ChooseFixturePartition(uint32_t index)
{
    if (index >= g_nPartitionCount)
        return false;
    const PartitionTableEntry p = g_PartitionTable[index];
    g_VolumeParams = VolumeParameterBlock();
    g_VolumeParams.chosenFileSystemType = p.fileSystemType;
    SetPartitionRange(g_VolumeParams, p.startSector, p.sectorCount);
    g_VolumeParams.partitionIndex = static_cast<uint16_t>(index);
    return true;
}

ExtensiveSearchResult ExtensiveScanPartition(uint32_t index, FileSystemKind type)
{
    if (!ChooseFixturePartition(index))
        return ExtensiveSearchResult::kStopped;
    g_VolumeParams.chosenFileSystemType = type;
    g_nScanMode = kScanExtensive;
    ScanFinishedWord finished{0};
    return RunExtensiveScan(finished).search;
}

bool BrowseFoundVolume(uint16_t number)
{
    if (!ChooseFoundVolume(number))
        return false;
    ScanFinishedWord finished{0};
    RunFoundVolumeScan(finished);
    return true;
}

bool QuickScanPartition(uint32_t index)
{
    if (!ChooseFixturePartition(index))
        return false;
    g_nScanMode = kScanQuick;
    ScanFinishedWord finished{0};
    return RunQuickScan(finished) == QuickScanResult::kCompleted;
}

bool ExtensiveScanAndBrowsePartition(uint32_t index)
{
    if (!ChooseFixturePartition(index))
        return false;
    const uint64_t start = g_VolumeParams.partitionStart;
    const uint64_t end = start + g_VolumeParams.partitionSectors;
    if (ExtensiveScanPartition(index, g_VolumeParams.chosenFileSystemType) != ExtensiveSearchResult::kCompleted)
        return false;
    uint16_t number = 0, position = 0;
    for (const FoundPartitionRecord* r = g_FoundPartitions.head; r; r = r->next) {
        ++position;
        if (r->clusterBase >= start && r->clusterBase < end)
            number = position;
    }
    return number != 0 && BrowseFoundVolume(number);
}
