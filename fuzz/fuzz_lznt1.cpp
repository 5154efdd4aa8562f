// Compressed NTFS data comes straight from the image: the expander must stay inside its buffers
// whatever the chunk headers and back-references say.
#include "engine/save/Lznt1.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<uint8_t> out(65536);
    size_t produced = 0;
    DecompressLznt1(data, size, out.data(), out.size(), produced);
    if (produced > out.size())
        __builtin_trap();
    return 0;
}
