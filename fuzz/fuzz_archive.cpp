// Loads arbitrary bytes through CArchive as a small object graph: any input must end in a
// CArchiveException (or a memory exception) or a complete load, with nothing read out of bounds
// and nothing leaked.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "fuzz/ArchiveFuzzGraph.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (1u << 20))
        return 0;
    // An exact-size copy, so that reading one byte too far is caught.
    BYTE* copy = static_cast<BYTE*>(std::malloc(size + 1));
    if (copy == NULL)
        return 0;
    if (size > 0)
        std::memcpy(copy, data, size);
    FuzzArchiveSample(copy, (UINT)size);
    std::free(copy);
    return 0;
}
