#include "engine/save/ClustersInUse.h"

#include "engine/ntfs/NtfsEntryLists.h"
#include "engine/state/EngineState.h"
#include "engine/state/VolumeEnd.h"
#include "engine/volume/EngineSectorSource.h"

#include <algorithm>
#include <memory>

namespace {

// An interval of virtual clusters [first, end).
struct VcnRange {
    uint64_t first = 0;
    uint64_t end = 0;
};

// The runs' in-use clusters among the first `clusters`, widened to whole units and joined, in order.
std::vector<VcnRange> RangesInUse(const std::vector<ClusterRun>& runs, uint64_t clusters, uint64_t unit,
    const std::function<morvick::ClusterUse(uint64_t)>& use, ClustersTaken& counted)
{
    std::vector<VcnRange> ranges;
    uint64_t vcn = 0;
    for (const ClusterRun& run : runs) {
        if (vcn >= clusters)
            break;
        const uint64_t length = std::min(run.length, clusters - vcn);
        for (uint64_t i = 0; !run.sparse && i < length; ++i) {
            const morvick::ClusterUse u = use(run.lcn + i);
            if (u != morvick::ClusterUse::kInUse) {
                ++counted.own;
                counted.unknown = counted.unknown || u == morvick::ClusterUse::kUnknown;
                continue;
            }
            ++counted.taken;
            const uint64_t at = vcn + i;
            const uint64_t first = at - at % unit;
            const uint64_t end = first + unit;
            if (!ranges.empty() && ranges.back().end >= first)
                ranges.back().end = std::max(ranges.back().end, end);
            else
                ranges.push_back({first, end});
        }
        vcn += length;
    }
    return ranges;
}

struct SavedBitmap {
    bool read = false;
    uint64_t clusterBase = 0;
    uint32_t sectorsPerCluster = 0;
    uint64_t mftStart = 0;
    uint64_t clusters = 0;
    std::unique_ptr<morvick::VolumeBitmap> bitmap;  // null where it could not be read
};
SavedBitmap g_savedBitmap;

}  // namespace

ClustersTaken SparseOutClustersInUse(std::vector<ClusterRun>& runs, uint64_t clusters, uint64_t unit,
    const std::function<morvick::ClusterUse(uint64_t lcn)>& use)
{
    ClustersTaken counted;
    unit = std::max<uint64_t>(unit, 1);
    const std::vector<VcnRange> ranges = RangesInUse(runs, clusters, unit, use, counted);
    if (ranges.empty())
        return counted;
    std::vector<ClusterRun> out;
    auto append = [&out](uint64_t length, uint64_t lcn, bool sparse) {
        if (length == 0)
            return;
        if (sparse && !out.empty() && out.back().sparse)
            out.back().length += length;
        else
            out.push_back({length, lcn, sparse});
    };
    uint64_t vcn = 0;
    size_t next = 0;  // the first range that does not end at or before `vcn`
    for (const ClusterRun& run : runs) {
        uint64_t at = 0;  // clusters of the run placed
        while (at < run.length) {
            const uint64_t here = vcn + at;
            while (next < ranges.size() && ranges[next].end <= here)
                ++next;
            uint64_t length = run.length - at;
            bool inUse = false;
            if (next < ranges.size()) {
                if (ranges[next].first <= here) {
                    inUse = true;
                    length = std::min(length, ranges[next].end - here);
                } else {
                    length = std::min(length, ranges[next].first - here);
                }
            }
            append(length, run.sparse ? 0 : run.lcn + at, run.sparse || inUse);
            at += length;
        }
        vcn += run.length;
    }
    runs = std::move(out);
    return counted;
}

morvick::VolumeBitmap* SavedVolumeBitmap()
{
    const VolumeParameterBlock& b = g_VolumeParams;
    morvick::EngineSectorSource disk;
    const uint64_t clusters = ChosenVolumeClusters(disk);
    const uint64_t mftStart = g_MftRunTable.start.empty() ? 0 : g_MftRunTable.start.front();
    SavedBitmap& saved = g_savedBitmap;
    if (!saved.read || saved.clusterBase != b.clusterBase || saved.sectorsPerCluster != b.sectorsPerCluster ||
        saved.mftStart != mftStart || saved.clusters != clusters) {
        saved = SavedBitmap();
        saved.read = true;
        saved.clusterBase = b.clusterBase;
        saved.sectorsPerCluster = b.sectorsPerCluster;
        saved.mftStart = mftStart;
        saved.clusters = clusters;
        auto bitmap = std::make_unique<morvick::VolumeBitmap>();
        if (bitmap->Open(disk, g_MftRunTable, b.clusterBase, b.sectorsPerCluster, clusters))
            saved.bitmap = std::move(bitmap);
    }
    return saved.bitmap.get();
}

void ForgetSavedVolumeBitmap()
{
    g_savedBitmap = SavedBitmap();
}
