// Opening a fixture image as the program's source and scanning one of its partitions.
#pragma once

#include "engine/image/VirtualDisk.h"

#include <cstdint>
#include <string>

// Resets the engine, opens the image (VHD or VHDX) and walks its partition table. False on failure.
bool OpenFixtureImage(const std::string& hostPath, CVirtualDisk& disk);

// Chooses entry `index` of the partition table as the partition page does. False when there is none.
bool ChooseFixturePartition(uint32_t index);

// Chooses entry `index` of the partition table as the partition page does and runs the Quick Scan.
// False when the scan did not complete.
bool QuickScanPartition(uint32_t index);

// Chooses entry `index` of the partition table as the partition page does, runs the Extensive Scan
// over it with its type chosen, chooses the found volume whose clusters start inside it and lists
// it (the found-volume scan). False when the search did not complete or found no such volume.
bool ExtensiveScanPartition(uint32_t index);
