#include "engine/save/Lznt1.h"

#include <cstring>

namespace {

constexpr size_t kChunkBytes = 4096;

// Expands one compressed chunk's data into at most kChunkBytes of out.
bool ExpandChunk(const uint8_t* in, size_t inSize, uint8_t* out, size_t outLimit, size_t& produced)
{
    size_t i = 0, pos = 0;
    while (i < inSize && pos < outLimit) {
        uint8_t flags = in[i++];
        for (int bit = 0; bit < 8 && i < inSize && pos < outLimit; ++bit, flags >>= 1) {
            if ((flags & 1) == 0) {
                out[pos++] = in[i++];
                continue;
            }
            if (i + 2 > inSize || pos == 0)
                return false;
            const uint16_t token = static_cast<uint16_t>(in[i] | (in[i + 1] << 8));
            i += 2;
            // The split between displacement and length moves with the position in the chunk.
            unsigned displacementBits = 4;
            for (size_t p = pos - 1; p >= 0x10; p >>= 1)
                ++displacementBits;
            const unsigned lengthBits = 16 - displacementBits;
            const size_t displacement = (token >> lengthBits) + 1u;
            size_t length = (token & ((1u << lengthBits) - 1)) + 3u;
            if (displacement > pos)
                return false;
            if (length > outLimit - pos)
                length = outLimit - pos;
            for (size_t k = 0; k < length; ++k, ++pos)
                out[pos] = out[pos - displacement];
        }
    }
    produced = pos;
    return true;
}

} // namespace

bool DecompressLznt1(const uint8_t* in, size_t inSize, uint8_t* out, size_t outSize, size_t& produced)
{
    produced = 0;
    size_t i = 0;
    while (i + 2 <= inSize && produced < outSize) {
        const uint16_t header = static_cast<uint16_t>(in[i] | (in[i + 1] << 8));
        if (header == 0)
            return true;
        const size_t dataSize = (header & 0x0FFFu) + 1u;
        i += 2;
        if (dataSize > inSize - i)
            return false;
        const size_t limit = outSize - produced < kChunkBytes ? outSize - produced : kChunkBytes;
        size_t chunkProduced = 0;
        if (header & 0x8000u) {
            if (!ExpandChunk(in + i, dataSize, out + produced, limit, chunkProduced))
                return false;
        } else {
            chunkProduced = dataSize < limit ? dataSize : limit;
            std::memcpy(out + produced, in + i, chunkProduced);
        }
        // A chunk that expands to less than 4,096 bytes is followed by zeros (only the last one may).
        if (chunkProduced < limit && i + dataSize + 2 <= inSize && (in[i + dataSize] | in[i + dataSize + 1]) != 0) {
            std::memset(out + produced + chunkProduced, 0, limit - chunkProduced);
            chunkProduced = limit;
        }
        produced += chunkProduced;
        i += dataSize;
    }
    return true;
}
