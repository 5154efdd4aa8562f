// Recovered zip archives are hostile: the directory walk must answer every entry, forwards and
// backwards, with names bounded and without reading outside the archive.
#include "preview/archives/ZipDirectory.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    morvick::MemoryArchiveSource source(data, size);
    morvick::ZipDirectory directory;
    if (!directory.Open(source))
        return 0;
    morvick::ZipEntryFacts facts;
    if (directory.GetEntry(-1, facts) != morvick::kZipOk || facts.index != directory.EntryCount())
        __builtin_trap();
    int32_t count = directory.EntryCount() < 256 ? directory.EntryCount() : 256;
    for (int32_t i = 0; i < count; ++i) {
        uint32_t result = directory.GetEntry(i, facts);
        if (facts.storedName.size() > morvick::kZipNameBytes)
            __builtin_trap();
        if (result == morvick::kZipDirectoryDamaged)
            break;
    }
    for (int32_t i = count - 1; i >= 0 && i >= count - 4; --i)
        directory.GetEntry(i, facts);
    return 0;
}
