// Where a volume ends, as the engine knows it. Nothing of a volume is read past its end, wherever the
// image ends: a cut image still gives what it holds inside the volume (the sectors it lost read as
// unreadable ones), and a disk larger than its volume gives nothing beyond the volume.
#pragma once

#include "engine/state/VolumeParameterBlock.h"
#include "engine/volume/SectorSource.h"

#include <cstdint>

// The sector after the block's volume: the end of the volume found by the Extensive Scan (its
// volume end, which only the choice of a found volume sets; a Quick Scan and the load of a snapshot
// of any other scan clear it), else the end of the chosen partition or range; 0 when neither is known.
uint64_t VolumeEndSector(const VolumeParameterBlock& block);

// The same for the chosen volume (g_VolumeParams), and where neither is known the end of `disk`
// (0 when that is unknown too).
uint64_t ChosenVolumeEndSector(const morvick::SectorSource& disk);

// The chosen volume's clusters from cluster 0 up to that end; 0 when the end is unknown.
uint64_t ChosenVolumeClusters(const morvick::SectorSource& disk);

// The block's volume's clusters from cluster 0 up to the sector `end`; 0 when `end` is 0 or not past
// the cluster base.
uint64_t VolumeClustersUpTo(const VolumeParameterBlock& block, uint64_t end);
