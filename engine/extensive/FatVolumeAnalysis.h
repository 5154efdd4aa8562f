// The FAT analysis of the Extensive Scan: turns the boot-sector candidates and the found FAT
// directories into found volumes. On a FAT volume the directory whose first cluster is c lies at
// base + c x s (s sectors per cluster, base the sector of cluster 0): a boot sector gives base and s,
// and two directories on one such line give them without a boot sector. Directories are looked up
// by their line (s, sector - c x s) in sorted tables, never by walking the list per candidate.
#pragma once

#include "engine/scan/ScanStop.h"
#include "engine/volume/FileSystemKind.h"

#include <cstdint>

extern const char16_t kAnalyzingFoundDataText[];  // "Analyzing the data found..."

// Found directories the analysis has looked at since it started, every look counted (building the
// line tables included): the cost that must grow with the directories found, not with their square.
extern uint64_t g_qwFatAnalysisSteps;

// The analysis of a FAT search: the boot-sector pass, then AssignLeftoverFatDirectories; sets the
// boot-sector-pass word. `chosenType` FAT32 makes every volume inferred from directories FAT32.
void AnalyzeFoundFatData(FileSystemKind chosenType, const ScanFinishedWord& finished);

// Binds every directory still unbound to a volume inferred from it and a partner, or gives it up
// (partition number 0xFFFF). Sets the leftover-pass word.
void AssignLeftoverFatDirectories(FileSystemKind chosenType, const ScanFinishedWord& finished);
