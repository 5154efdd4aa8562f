#include "engine/ntfs/RunList.h"

namespace morvick {

bool DecodeRunList(const uint8_t* bytes, size_t size, std::vector<DataRun>& runs, uint64_t volumeClusters)
{
    runs.clear();
    int64_t base = 0;
    size_t pos = 0;
    while (pos < size) {
        const uint8_t header = bytes[pos];
        if (header == 0)
            return true;
        const size_t lengthBytes = header & 0x0F;
        const size_t offsetBytes = header >> 4;
        // Fields of up to 8 bytes are read whole, not cut to their low 4 (a cut delta sends every later
        // run elsewhere); wider ones, a run of no length or one past the volume is damage, not data.
        if (lengthBytes == 0 || lengthBytes > 8 || offsetBytes > 8)
            return false;
        if (1 + lengthBytes + offsetBytes > size - pos)
            return false;
        const uint8_t* p = bytes + pos + 1;
        uint64_t length = 0;
        for (size_t i = 0; i < lengthBytes; ++i)
            length |= static_cast<uint64_t>(p[i]) << (8 * i);
        if (length == 0)
            return false;
        DataRun run;
        run.length = length;
        if (offsetBytes == 0) {
            run.sparse = true;
        } else {
            uint64_t raw = 0;
            for (size_t i = 0; i < offsetBytes; ++i)
                raw |= static_cast<uint64_t>(p[lengthBytes + i]) << (8 * i);
            // Sign-extend the delta from its width; the first run's too (a start below cluster 0 is
            // damage), and a sparse run leaves the base where it was.
            if (offsetBytes < 8 && (p[lengthBytes + offsetBytes - 1] & 0x80) != 0)
                raw |= ~0ull << (8 * offsetBytes);
            const int64_t delta = static_cast<int64_t>(raw);
            if ((delta > 0 && base > INT64_MAX - delta) || base + delta < 0)
                return false;
            base += delta;
            run.lcn = static_cast<uint64_t>(base);
            if (volumeClusters != 0 && (run.lcn >= volumeClusters || run.length > volumeClusters - run.lcn))
                return false;
        }
        runs.push_back(run);
        pos += 1 + lengthBytes + offsetBytes;
    }
    return true;
}

uint64_t SectorRunTable::TotalSectors() const
{
    uint64_t total = 0;
    for (uint64_t l : length)
        total += l;
    return total;
}

bool AppendRunsToTable(const std::vector<DataRun>& runs, uint64_t base, uint32_t sectorsPerCluster,
                       SectorRunTable& table)
{
    for (const DataRun& r : runs) {
        if (r.length > UINT64_MAX / sectorsPerCluster)
            return false;
        uint64_t start = 0;
        if (!r.sparse) {
            if (r.lcn > (UINT64_MAX - base) / sectorsPerCluster)
                return false;
            start = base + r.lcn * sectorsPerCluster;
        }
        table.start.push_back(start);
        table.length.push_back(r.length * sectorsPerCluster);
    }
    return true;
}

bool MapRelativeSector(const SectorRunTable& table, uint64_t relative, uint64_t& sector)
{
    uint64_t before = 0;
    for (size_t i = 0; i < table.length.size(); ++i) {
        const uint64_t len = table.length[i];
        if (relative - before < len) {
            if (table.start[i] == 0)
                return false;
            sector = table.start[i] + (relative - before);
            return true;
        }
        before += len;
    }
    return false;
}

}  // namespace morvick
