// ReadSectors: the engine's one sector reader. It reads 512-byte sectors of the current source:
// the chosen logical drive (g_wSourceType 2, through g_hVolume) or the opened image (through the
// current CVirtualDisk).
#pragma once

#include "engine/image/SectorSize.h"
#include "engine/state/EngineState.h"

#include <cstdint>
#include <string>

// Reads count sectors starting at sector (low and high halves) into buffer, which holds at least
// count x 512 bytes. 1 only when every byte was read, else 0. The device path is not used.
int ReadSectors(const char* devicePath, uint32_t sectorLow, uint32_t sectorHigh, uint32_t count, void* buffer);
int ReadSectors(uint64_t sector, uint32_t count, void* buffer);

// Reads `count` sectors from `sector` into `buffer` through `read` (the searches pass ReadSectors) in
// one request; when that fails, again in pieces of `piece` sectors (0 counts as 1), and a piece that
// fails sector by sector. Sectors that still cannot be read are zeroed, so that a search goes on past
// them. Returns how many those were.
using SectorRead = int (*)(uint64_t sector, uint32_t count, void* buffer);
uint32_t ReadSearchRun(SectorRead read, uint64_t sector, uint32_t count, uint32_t piece, uint8_t* buffer);

// Reads count sectors of the logical drive g_hVolume. 1 only when every byte was read.
int ReadLogicalDriveSectors(uint32_t sectorLow, uint32_t sectorHigh, uint32_t count, void* buffer);

// Opens the device path of g_wDeviceIndex read-only into g_hDevice (closing an open one first);
// kInvalidEngineHandle on failure. Physical drives open only on Windows.
EngineHandle OpenPhysicalDrive();

// The raw path of a drive-list entry: "\\.\" followed by its first two characters, a drive letter
// and a colon; empty when the entry does not start with them.
std::u16string LogicalDrivePath(const std::u16string& driveListEntry);

// Opens the logical drive of a drive-list entry for reading (others may read and write it) into
// g_hVolume, closing an open one first. 1 on success; 0 (and g_hVolume closed) otherwise.
int OpenLogicalDriveVolume(const std::u16string& driveListEntry);
