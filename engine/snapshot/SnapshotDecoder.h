// Reads the bytes of a snapshot file. Every count, length and field is checked against what the
// file holds before it is used; nothing is trusted.
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
};

// Decodes a whole file into out (which must be fresh). On any status but kOk, out holds nothing
// that anyone should use (its destructor frees it).
SnapshotStatus DecodeSnapshot(const uint8_t* data, size_t size, LoadedSnapshot& out);
