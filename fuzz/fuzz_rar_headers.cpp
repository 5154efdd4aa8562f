// Recovered RAR archives are hostile: the header walk must end, keep names bounded and never read
// outside the archive.
#include "preview/archives/RarReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    morvick::MemoryArchiveSource source(data, size);
    morvick::RarReader reader(source);
    if (reader.Open() != morvick::RarReader::kOk)
        return 0;
    morvick::RarEntryFacts entry;
    // Every header is at least five bytes long: the walk cannot return more entries than that.
    size_t entries = 0;
    while (reader.Next(entry) == morvick::RarReader::kOk) {
        if (entry.storedName.size() > morvick::kRarMaxNameBytes || entry.unicodeName.size() > morvick::kRarMaxNameBytes)
            __builtin_trap();
        if (++entries > size / 5)
            __builtin_trap();
    }
    return 0;
}
