// Writes the engine's current results as the bytes of a snapshot file.
#pragma once

#include <cstdint>
#include <vector>

// The kind character of the current scan mode: 'R' File Trace, 'A' Extensive Scan, 'D' otherwise.
char16_t SnapshotKindOfScanMode(int32_t scanMode);

// The whole file for the current scan mode, volume-parameter block, lists, device index and source
// type. A browsed type other than FAT16, FAT32 and NTFS gives the header and trailer only.
std::vector<uint8_t> EncodeSnapshot();
