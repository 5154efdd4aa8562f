// The process-wide words of the engine: source, mode, handles and disk geometry. Together with the
// volume-parameter block, the partition table, the recovery settings and the found-entry lists they
// are the state below the savers; ResetEngineWords returns all of it to the start-up values (the whole
// engine, savers and filters included, is reset by ResetEngineState in engine/save/EngineReset.h).
#pragma once

#include "engine/io/NativeFile.h"
#include "engine/state/FoundEntryLists.h"
#include "engine/state/PartitionTable.h"
#include "engine/state/RecoverySettings.h"
#include "engine/state/VolumeParameterBlock.h"

#include <cstdint>

// A platform file handle kept in the engine's words: a Win32 HANDLE in the product, a file
// descriptor elsewhere. 0 means closed, kInvalidEngineHandle a failed open.
using EngineHandle = NativeFileHandle;
constexpr EngineHandle kInvalidEngineHandle = kInvalidNativeFile;

enum ScanMode : int32_t { kScanExtensive = 0, kScanFileTrace = 1, kScanQuick = 2 };
enum SourceType : uint16_t { kSourceDisk = 1, kSourceLogicalDrive = 2, kSourceBranchHeader = 3 };
enum ImageKind : int32_t { kImageVhd = 0, kImageVhdx = 1 };

constexpr int kMaxDevices = 10;

extern int32_t g_nScanMode;
extern uint16_t g_wSourceType;
extern uint16_t g_wDeviceIndex;      // 0-9
extern EngineHandle g_hDevice;
extern EngineHandle g_hVolume;
extern int32_t g_nImageKind;
extern int32_t g_bSearchPartitions;

// Cylinders, heads and sectors per track of each disk, indexed by g_wDeviceIndex.
struct DeviceGeometryTables {
    uint32_t cylinders[kMaxDevices];
    uint32_t heads[kMaxDevices];
    uint32_t sectorsPerTrack[kMaxDevices];
};
extern DeviceGeometryTables g_DeviceGeometry;

extern VolumeParameterBlock g_VolumeParams;

// The device paths "\\.\PhysicalDrive0" to "\\.\PhysicalDrive9", indexed by g_wDeviceIndex.
extern const char g_szDevicePaths[kMaxDevices][20];
// The device path of g_wDeviceIndex (the first slot when the index is out of range).
const char* CurrentDevicePath();

// Frees every list and returns every word, table and setting to its start-up value. An open
// logical-drive handle is closed.
void ResetEngineWords();
