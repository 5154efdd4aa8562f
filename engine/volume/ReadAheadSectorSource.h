// A sector source that reads ahead: a request that its window does not hold reads the window anew
// from there, so that many small requests in the order of the disk cost few large reads.
#pragma once

#include "engine/volume/SectorSource.h"

#include <cstdint>
#include <vector>

namespace morvick {

class ReadAheadSectorSource : public SectorSource {
public:
    // Reads from `disk` in windows of `windowSectors` sectors (at least 1).
    ReadAheadSectorSource(SectorSource& disk, uint32_t windowSectors);

    // Served from the window where it spans every sector asked for; else the window is read from
    // `sector` on (up to the disk's end where it is known). Where a window cannot be read whole, the
    // requests that it spans go to the disk as they are asked, and it is not tried again for them.
    bool ReadSectors(uint64_t sector, uint32_t count, uint8_t* buffer) override;
    uint64_t SectorCount() const override { return m_disk.SectorCount(); }
    uint32_t LogicalSectorSize() const override { return m_disk.LogicalSectorSize(); }

private:
    bool Spans(uint64_t sector, uint32_t count) const;

    SectorSource& m_disk;
    uint32_t m_windowSectors;
    std::vector<uint8_t> m_window;
    uint64_t m_first = 0;
    uint32_t m_span = 0;  // sectors the window was read for
    bool m_read = false;  // and it was read whole
};

}  // namespace morvick
