// Opening a fixture image as the program's source and scanning one of its partitions.
#pragma once

#include "engine/extensive/ExtensiveSearch.h"
#include "engine/image/VirtualDisk.h"
#include "engine/volume/FileSystemKind.h"

#include <cstdint>
#include <string>

// Resets the engine, opens the image (VHD or VHDX) and walks its partition table. False on failure.
bool OpenFixtureImage(const std::string& hostPath, CVirtualDisk& disk);

// Chooses entry `index` of the partition table as the partition page does. False when there is none.
bool ChooseFixturePartition(uint32_t index);

// Chooses entry `index` of the partition table as the partition page does and runs the Quick Scan.
// False when the scan did not complete.
bool QuickScanPartition(uint32_t index);

// Runs the Extensive Scan over the range of entry `index` of the partition table with `type` chosen, as
// the partition page does; the search's result.
ExtensiveSearchResult ExtensiveScanPartition(uint32_t index, FileSystemKind type);

// Chooses found volume `number` and lists it, as the file-system page does. False when there is none.
bool BrowseFoundVolume(uint16_t number);

// Runs the Extensive Scan over entry `index` of the partition table with its file-system type chosen,
// and then the found-volume scan of the volume found in it. False when the search did not complete
// or found no volume there.
bool ExtensiveScanAndBrowsePartition(uint32_t index);
