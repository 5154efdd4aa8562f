// What the engine's 32-bit sector fields hold. The volume-parameter block, the partition table, the
// found-entry records and the snapshot keep sector numbers in 32 bits: they hold the sectors of a
// disk's first 2 TiB, 0 to kLastHeldSector. Everything the engine finds and keeps by its sector lies
// there (partitions, boot sectors, FATs, MFTs, MFT and INDX records, FAT directories, traced files):
// no search reads past it, and a structure found to lie past it is left out with a reason, never kept
// with its number cut to its low 32 bits, which names another sector. A volume that starts there is
// read whole: its clusters are reached from its cluster base in 64 bits, past 2 TiB too. An end that
// lies past kLastHeldSector (a partition's, a found volume's) is held as kLastHeldSector and worked
// out in 64 bits where it is needed (PartitionLastSector; VolumeEndSector). Counts are held at
// kLastHeldSector at most: of a volume of more sectors than that, the first kLastHeldSector are read.
#pragma once

#include "engine/state/VolumeParameterBlock.h"

#include <cstdint>

constexpr uint64_t kLastHeldSector = 0xFFFFFFFFu;

inline bool FitsSectorField(uint64_t sector)
{
    return sector <= kLastHeldSector;
}

// A sector, an end or a count as a 32-bit field holds it: itself, or kLastHeldSector past that.
inline uint32_t HeldSector(uint64_t sector)
{
    return static_cast<uint32_t>(FitsSectorField(sector) ? sector : kLastHeldSector);
}

// The last sector of the block's chosen range in 64 bits: partition start + partition sectors - 1, or
// the partition end where no sectors are given.
uint64_t PartitionLastSector(const VolumeParameterBlock& block);

// The block's volume end whole: where it is held at kLastHeldSector, the end of the found volume that
// the block browses (the found-volume list's record at its volume number, with its cluster base).
uint64_t WholeVolumeEnd(const VolumeParameterBlock& block);

// Sets the block's chosen range to `sectors` sectors from `start` (its end held; the start itself
// when there are no sectors).
void SetPartitionRange(VolumeParameterBlock& block, uint32_t start, uint32_t sectors);

// Sets the block's chosen range to the sectors from `start` to `last` (last >= start; the count and
// the end held).
void SetPartitionRangeTo(VolumeParameterBlock& block, uint32_t start, uint64_t last);
