#include "engine/state/EngineState.h"

#include "engine/io/NativeFile.h"

int32_t g_nScanMode = kScanQuick;
uint16_t g_wSourceType = kSourceBranchHeader;
uint16_t g_wDeviceIndex = 0;
EngineHandle g_hDevice = 0;
EngineHandle g_hVolume = 0;
int32_t g_nImageKind = kImageVhd;
int32_t g_bSearchPartitions = 0;
DeviceGeometryTables g_DeviceGeometry = {};
VolumeParameterBlock g_VolumeParams = {};

const char g_szDevicePaths[kMaxDevices][20] = {
    "\\\\.\\PhysicalDrive0", "\\\\.\\PhysicalDrive1", "\\\\.\\PhysicalDrive2", "\\\\.\\PhysicalDrive3",
    "\\\\.\\PhysicalDrive4", "\\\\.\\PhysicalDrive5", "\\\\.\\PhysicalDrive6", "\\\\.\\PhysicalDrive7",
    "\\\\.\\PhysicalDrive8", "\\\\.\\PhysicalDrive9",
};

const char* CurrentDevicePath()
{
    return g_szDevicePaths[g_wDeviceIndex < kMaxDevices ? g_wDeviceIndex : 0];
}

void ResetEngineWords()
{
    FreeFoundEntryLists();
    FreeScanRecordLists();
    FreeTraceTypeList();
    FreeTracedFileList();
    FreeClusterChain();
    ClearPartitionTable();
    ResetRecoverySettings();
    if (g_hVolume != 0 && g_hVolume != kInvalidEngineHandle)
        CloseNativeFile(g_hVolume);
    if (g_hDevice != 0 && g_hDevice != kInvalidEngineHandle)
        CloseNativeFile(g_hDevice);
    g_nScanMode = kScanQuick;
    g_wSourceType = kSourceBranchHeader;
    g_wDeviceIndex = 0;
    g_hDevice = 0;
    g_hVolume = 0;
    g_nImageKind = kImageVhd;
    g_bSearchPartitions = 0;
    g_DeviceGeometry = {};
    g_VolumeParams = {};
}
