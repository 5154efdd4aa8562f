// Bounds checks for on-disk structures: every offset and length taken from an image is tested
// against the buffer with these before it is used.
#pragma once

#include <cstddef>

namespace morvick {

// True when [offset, offset + length) lies inside a buffer of `size` bytes, without overflow.
inline bool FitsIn(size_t size, size_t offset, size_t length)
{
    return offset <= size && length <= size - offset;
}

}  // namespace morvick
