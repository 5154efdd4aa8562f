// Where a FAT file of the chosen volume (g_VolumeParams) lies: the sectors of its clusters in file
// order, as the FAT saver copies them.
#pragma once

#include "engine/save/SectorCopy.h"
#include "engine/volume/SectorSource.h"

#include <cstdint>
#include <vector>

// The sectors of a file of `clusters` clusters from `firstCluster`: its chain in FAT 1 when that
// has the file's length, else in FAT 2, else consecutive clusters from the first. A `deleted` file,
// whose chain was freed, takes its first cluster and the clusters after it that the FAT gives as
// free instead (ReadFreeClusters: none when its first cluster is in use), where a FAT tells them;
// `cut`, when given, is set when a cluster in use lay among its clusters after the first: the free
// ones taken past it may hold another deleted file's bytes.
// Clusters outside the volume end the extents (the rest of the file is then missing): past its
// cluster count, or, for a volume whose count is unknown (found from its folders alone), past its
// end; a file is never taken to hold more clusters than its volume has. The FATs are read from
// `disk`; the walk ends when the save is stopped or the file skipped, and then there are no extents.
std::vector<SectorExtent> FatFileExtents(morvick::SectorSource& disk, uint32_t firstCluster, uint32_t clusters,
    bool deleted, bool* cut = nullptr);
