// A deleted file's clusters that the volume gives to a file now: they hold that file's bytes, not the
// deleted one's, and are written as zeros in its place.
#pragma once

#include "engine/ntfs/VolumeBitmap.h"
#include "engine/save/CompressedCopy.h"

#include <cstdint>
#include <functional>
#include <vector>

// The clusters of a deleted file's data, by their use now.
struct ClustersTaken {
    uint64_t own = 0;       // free (or of unknown use): still the deleted file's as far as is known
    uint64_t taken = 0;     // in use by a file now
    bool unknown = false;   // some cluster's use could not be read
};

// Turns the clusters of `runs` (in the order of the file's virtual clusters) among its first
// `clusters` that `use` gives as in use into sparse runs, so that they are written as zeros; each such
// cluster widens to the whole `unit` of virtual clusters it lies in (a compression unit, which cannot
// be expanded without all of its clusters; 1 for data stored as it is). Counts its clusters by use.
ClustersTaken SparseOutClustersInUse(std::vector<ClusterRun>& runs, uint64_t clusters, uint64_t unit,
    const std::function<morvick::ClusterUse(uint64_t lcn)>& use);

// The bitmap of the volume being saved (g_VolumeParams, g_MftRunTable), read the first time a save
// asks for it and kept until that volume or the save's state is reset (ResetSaveState); null where it
// cannot be read.
morvick::VolumeBitmap* SavedVolumeBitmap();

// Forgets the bitmap read for the volume being saved.
void ForgetSavedVolumeBitmap();
