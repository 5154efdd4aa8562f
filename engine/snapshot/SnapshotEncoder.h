// Writes the engine's current results as the bytes of a snapshot file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Where the bytes of a snapshot go, in order.
class SnapshotOutput {
public:
    virtual ~SnapshotOutput() = default;
    // Takes count bytes; false when they could not all be written.
    virtual bool Write(const uint8_t* data, size_t count) = 0;
};

// The fields are gathered in a buffer of this many bytes and handed to the output whenever it fills.
constexpr size_t kSnapshotWriteBuffer = 64 * 1024;

// The kind character of the current scan mode: 'R' File Trace, 'A' Extensive Scan, 'D' otherwise.
char16_t SnapshotKindOfScanMode(int32_t scanMode);

// False when the current results hold a value that the format's 32-bit fields cannot hold: the end
// of a browsed found volume past the sectors they hold (engine/state/SectorLimit.h). Such results are
// not written: a snapshot with that end held at its largest would bound the volume's files there.
bool SnapshotHoldsResults();

// Writes the whole file for the current scan mode, field by field: volume-parameter block, lists,
// device index and source type. A browsed type other than FAT16, FAT32 and NTFS gives the header and
// trailer only. However large the results, no more than the buffer is held. False when the output
// refused a write; nothing is handed to it after that.
bool WriteSnapshot(SnapshotOutput& out);

// The same bytes in memory.
std::vector<uint8_t> EncodeSnapshot();
