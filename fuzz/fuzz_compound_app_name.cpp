// The compound-document reader over arbitrary bytes: the copy File Trace makes of a document hit
// may hold anything.
#include "engine/scan/CompoundAppName.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string name;
    if (ReadCompoundAppName(data, size, name) && name.size() > size)
        __builtin_trap();
    return 0;
}
