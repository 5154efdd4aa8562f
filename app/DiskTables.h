// The wizard's table of the disks its device tree lists: the opened image is the one "Virtual Hard
// Disk" entry, with its total sectors (the size its container gives, for a VHD too) and its name.
#pragma once

#include <cstdint>

constexpr int kMaxVirtualDisks = 10;

extern int32_t g_nVirtualDiskCount;
extern uint32_t g_TotalSectors[kMaxVirtualDisks];
extern char g_DiskNames[kMaxVirtualDisks][512];

// Makes the opened image the one entry of the table: the count becomes 1; a VHD's geometry (never
// more cylinders than the disk holds) goes to the engine's geometry tables and its size in sectors to
// the total (a VHDX has no geometry: its tables are set to 0); the name is "Virtual Hard Disk".
// Returns the entry's index (0).
int AddVirtualDiskEntry();

// Makes the whole disk of an entry the chosen range of the volume-parameter block, as one NTFS range
// from sector 0 that the user may narrow (the Extensive Scan's first choice).
void ChooseWholeDisk(int diskIndex);

// The total sectors of a disk entry, VHD or VHDX: the facade's size in sectors, whole (past 32 bits
// too); 0 for an index outside the table.
uint64_t DiskTotalSectors(int diskIndex);
