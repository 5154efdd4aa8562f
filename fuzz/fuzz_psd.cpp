// A recovered .psd file is hostile: the reader must stay inside the file and its caps whatever the
// header, the resources and the run-length data say, and a picture it makes must be whole.
#include "preview/decoders/PsdReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    morvick::PsdReader reader;
    int rc = reader.Read(data, size);
    if (reader.HasImage()) {
        if (rc != morvick::kPsdOk || reader.Image().Width() != static_cast<uint32_t>(reader.Header().width) ||
            reader.Image().Height() != static_cast<uint32_t>(reader.Header().height))
            __builtin_trap();
    }
    return 0;
}
