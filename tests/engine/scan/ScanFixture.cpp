#include "tests/engine/scan/ScanFixture.h"

#include "engine/extensive/ExtensiveScan.h"
#include "engine/extensive/ExtensiveScanState.h"
#include "engine/extensive/FoundVolumeScan.h"
#include "engine/io/DiskFile.h"
#include "engine/save/EngineReset.h"
#include "engine/scan/QuickScan.h"
#include "engine/state/EngineState.h"
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
    g_VolumeParams.partitionStart = p.startSector;
    g_VolumeParams.partitionSectors = p.sectorCount;
    g_VolumeParams.partitionEnd = p.startSector + p.sectorCount - 1;
    g_VolumeParams.partitionIndex = static_cast<uint16_t>(index);
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

bool ExtensiveScanPartition(uint32_t index)
{
    if (!ChooseFixturePartition(index))
        return false;
    const uint32_t start = g_VolumeParams.partitionStart;
    const uint32_t sectors = g_VolumeParams.partitionSectors;
    g_nScanMode = kScanExtensive;
    ScanFinishedWord finished{0};
    if (RunExtensiveScan(finished).search != ExtensiveSearchResult::kCompleted)
        return false;
    uint16_t number = 0, position = 0;
    for (const FoundPartitionRecord* r = g_FoundPartitions.head; r; r = r->next) {
        ++position;
        if (r->clusterBase >= start && r->clusterBase < start + sectors)
            number = position;
    }
    if (number == 0 || !ChooseFoundVolume(number))
        return false;
    finished = 0;
    RunFoundVolumeScan(finished);
    return true;
}
