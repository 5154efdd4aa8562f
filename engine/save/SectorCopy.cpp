#include "engine/save/SectorCopy.h"

#include "engine/image/SectorSize.h"
#include "engine/save/SaveState.h"

#include <algorithm>
#include <cstring>

namespace {

bool ReadWithRetries(const SectorReadFunction& read, uint64_t sector, uint32_t count, uint8_t* buffer, uint32_t retries)
{
    for (uint32_t attempt = 0; attempt <= retries; ++attempt) {
        if (read(sector, count, buffer))
            return true;
    }
    return false;
}

}  // namespace

uint64_t ReadSectorsOrZeros(const SectorReadFunction& read, uint64_t sector, uint32_t count, uint8_t* buffer,
    uint32_t retries)
{
    // Retried as the settings say, and then zeros, not what the buffer held before: those bytes belong
    // to another part of the file or to another file, and would be saved as this one's.
    if (ReadWithRetries(read, sector, count, buffer, retries))
        return 0;
    // Sector by sector: keep every sector that can be read, zeros for the rest. A single sector has
    // had its tries already.
    uint64_t unreadable = 0;
    for (uint32_t i = 0; i < count; ++i) {
        uint8_t* one = buffer + static_cast<size_t>(i) * kSectorSize;
        if (count == 1 || !ReadWithRetries(read, sector + i, 1, one, retries)) {
            std::memset(one, 0, kSectorSize);
            ++unreadable;
        }
    }
    return unreadable;
}

void AppendSectorExtent(std::vector<SectorExtent>& extents, uint64_t sector, uint64_t count, bool zeros)
{
    if (count == 0)
        return;
    if (!extents.empty()) {
        SectorExtent& last = extents.back();
        if (last.zeros && zeros) {
            last.count += count;
            return;
        }
        if (!last.zeros && !zeros && last.sector + last.count == sector) {
            last.count += count;
            return;
        }
    }
    extents.push_back({zeros ? 0 : sector, count, zeros});
}

CopyOutcome CopySectorExtents(COutputFile& file, const std::vector<SectorExtent>& extents, uint64_t size,
    const SectorReadFunction& read, uint32_t retries, const CopyProgressFunction& progress)
{
    CopyOutcome out;
    // No larger than the file: small files are the common case.
    const uint32_t bufferSectors = static_cast<uint32_t>(
        std::max<uint64_t>(1, std::min<uint64_t>(kCopyChunkSectors, (size + kSectorSize - 1) / kSectorSize)));
    std::vector<uint8_t> buffer(static_cast<size_t>(bufferSectors) * kSectorSize);
    auto emit = [&](const uint8_t* data, uint64_t bytes) {
        bytes = std::min<uint64_t>(bytes, size - out.written);
        if (bytes == 0)
            return;
        if (!file.Write(data, static_cast<size_t>(bytes))) {
            out.writeFailed = true;
            return;
        }
        out.written += bytes;
        if (progress)
            progress(out.written);
    };

    for (const SectorExtent& extent : extents) {
        for (uint64_t done = 0; done < extent.count && out.written < size && !out.writeFailed;) {
            if (SaveInterrupted()) {
                out.stopped = true;
                return out;
            }
            uint64_t wanted = (size - out.written + kSectorSize - 1) / kSectorSize;
            uint32_t count = static_cast<uint32_t>(std::min<uint64_t>({bufferSectors, extent.count - done, wanted}));
            uint8_t* data = buffer.data();
            if (extent.zeros) {
                std::memset(data, 0, static_cast<size_t>(count) * kSectorSize);
            } else {
                out.unreadableSectors += ReadSectorsOrZeros(read, extent.sector + done, count, data, retries);
            }
            emit(data, static_cast<uint64_t>(count) * kSectorSize);
            done += count;
        }
        if (out.writeFailed || out.written >= size)
            break;
    }
    if (out.written < size && !out.writeFailed) {
        out.missingData = true;
        std::memset(buffer.data(), 0, buffer.size());
        while (out.written < size && !out.writeFailed) {
            if (SaveInterrupted()) {
                out.stopped = true;
                break;
            }
            emit(buffer.data(), buffer.size());
        }
    }
    return out;
}
