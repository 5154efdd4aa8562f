// Reads the bytes of a snapshot file, in order, through a window of a few hundred KiB: a snapshot of
// any size the writer makes loads without being held in memory whole. Every count, length and field
// is checked against what the file holds before it is used; nothing is trusted.
#pragma once

#include "engine/snapshot/LoadedSnapshot.h"

#include <cstddef>
#include <cstdint>

enum class SnapshotStatus {
    kOk,
    kInvalidKind,      // the first character is not 'D', 'A' or 'R'
    kWrongMagic,
    kWrongVersion,
    kDamaged,          // truncated, a length or count that does not fit, or a field out of range
    kUnreadable,       // the input failed a read of bytes that it holds
};

// Where the bytes come from: a file, or bytes in memory.
class SnapshotInput {
public:
    virtual ~SnapshotInput() = default;
    // The number of bytes the input holds.
    virtual uint64_t Size() const = 0;
    // Reads count bytes at offset (within Size()); true only when every byte was read.
    virtual bool Read(uint8_t* buffer, uint64_t offset, size_t count) = 0;
};

// Decodes a whole input into out (which must be fresh). On any status but kOk, out holds nothing
// that anyone should use (its destructor frees it).
SnapshotStatus DecodeSnapshot(SnapshotInput& input, LoadedSnapshot& out);
// The same for bytes in memory.
SnapshotStatus DecodeSnapshot(const uint8_t* data, size_t size, LoadedSnapshot& out);
