#include "engine/save/CompressedCopy.h"

#include "engine/image/SectorSize.h"
#include "engine/save/Lznt1.h"
#include "engine/save/SaveState.h"

#include <algorithm>
#include <cstring>

namespace {

// Walks the runs cluster by cluster in virtual-cluster order.
class RunCursor {
public:
    explicit RunCursor(const std::vector<ClusterRun>& runs) : m_runs(runs) {}

    // The next cluster: false past the last run; `sparse` for a hole.
    bool Next(uint64_t& lcn, bool& sparse)
    {
        while (m_run < m_runs.size() && m_offset >= m_runs[m_run].length) {
            ++m_run;
            m_offset = 0;
        }
        if (m_run >= m_runs.size())
            return false;
        const ClusterRun& r = m_runs[m_run];
        sparse = r.sparse;
        lcn = r.lcn + m_offset;
        ++m_offset;
        return true;
    }

private:
    const std::vector<ClusterRun>& m_runs;
    size_t m_run = 0;
    uint64_t m_offset = 0;
};

}  // namespace

CopyOutcome CopyCompressedRuns(COutputFile& file, const std::vector<ClusterRun>& runs, uint64_t size,
    const CompressedLayout& layout, const SectorReadFunction& read, uint32_t retries,
    const CopyProgressFunction& progress)
{
    CopyOutcome out;
    const uint32_t spc = layout.sectorsPerCluster;
    const size_t clusterBytes = static_cast<size_t>(spc) * kSectorSize;
    const size_t unitBytes = clusterBytes * layout.unitClusters;
    std::vector<uint8_t> stored(unitBytes), expanded(unitBytes);
    std::vector<uint64_t> lcns;
    RunCursor cursor(runs);
    bool runsEnded = false;

    while (out.written < size) {
        if (SaveInterrupted()) {
            out.stopped = true;
            return out;
        }
        // The unit's clusters on disk (a unit is compressed when it has fewer than all of them).
        lcns.clear();
        uint32_t clusters = 0;
        for (; clusters < layout.unitClusters; ++clusters) {
            uint64_t lcn = 0;
            bool sparse = false;
            if (!cursor.Next(lcn, sparse)) {
                runsEnded = true;
                break;
            }
            if (!sparse)
                lcns.push_back(lcn);
        }
        for (size_t i = 0; i < lcns.size(); ++i) {
            out.unreadableSectors += ReadSectorsOrZeros(read, layout.clusterBase + lcns[i] * spc, spc,
                stored.data() + i * clusterBytes, retries);
        }
        const uint8_t* data = expanded.data();
        if (lcns.empty()) {
            std::memset(expanded.data(), 0, unitBytes);
        } else if (lcns.size() == layout.unitClusters) {
            data = stored.data();
        } else {
            size_t produced = 0;
            std::memset(expanded.data(), 0, unitBytes);
            if (!DecompressLznt1(stored.data(), lcns.size() * clusterBytes, expanded.data(), unitBytes, produced))
                out.undecodable = true;
        }
        const uint64_t bytes = std::min<uint64_t>(unitBytes, size - out.written);
        if (!file.Write(data, static_cast<size_t>(bytes))) {
            out.writeFailed = true;
            return out;
        }
        out.written += bytes;
        if (progress)
            progress(out.written);
        if (runsEnded && out.written < size) {
            out.missingData = true;
            std::memset(expanded.data(), 0, unitBytes);
            while (out.written < size) {
                const uint64_t zeros = std::min<uint64_t>(unitBytes, size - out.written);
                if (!file.Write(expanded.data(), static_cast<size_t>(zeros))) {
                    out.writeFailed = true;
                    return out;
                }
                out.written += zeros;
            }
        }
    }
    return out;
}
