// LZNT1, the compression of NTFS compressed files: a stream of chunks, each of which expands to at
// most 4,096 bytes.
#pragma once

#include <cstddef>
#include <cstdint>

// Expands `in` into `out` (at most `outSize` bytes); `produced` gets the bytes written. The stream
// ends at a zero chunk header or at the end of the input. False when a chunk is damaged (a length
// past the input, a reference before the start of its chunk); what was expanded before stays.
bool DecompressLznt1(const uint8_t* in, size_t inSize, uint8_t* out, size_t outSize, size_t& produced);
