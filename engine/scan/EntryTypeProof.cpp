#include "engine/scan/EntryTypeProof.h"

#include "engine/fat/FatDirectoryEntry.h"
#include "engine/image/SectorSize.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

namespace {

struct TypeSignature {
    const char* extension;  // with its dot, lower case
    const char* hex;
};

// Generated from res/signatures/signatures.txt.
constexpr TypeSignature kTypes[] = {
#include "FileTypeSignatures.inc"
};

// The files looked at in one cluster: enough to tell, and a bounded number of reads.
constexpr size_t kMaxLookedAt = 16;

std::vector<uint8_t> HexBytes(const char* hex)
{
    std::vector<uint8_t> bytes;
    for (const char* p = hex; p[0] != 0 && p[1] != 0; p += 2)
        bytes.push_back(static_cast<uint8_t>(std::stoi(std::string(p, 2), nullptr, 16)));
    return bytes;
}

// The extension of a short entry as ".jpg"; empty where it has none.
std::string ExtensionOf(const uint8_t* e)
{
    std::string extension;
    for (size_t i = 8; i < 11 && e[i] != ' '; ++i)
        extension += static_cast<char>(std::tolower(e[i]));
    return extension.empty() ? extension : "." + extension;
}

}  // namespace

bool EntriesNameTheirFiles(morvick::SectorSource& disk, const EntryTypeVolume& volume, const uint8_t* entries,
    size_t size)
{
    static const std::vector<std::pair<std::string, std::vector<uint8_t>>> types = [] {
        std::vector<std::pair<std::string, std::vector<uint8_t>>> list;
        for (const TypeSignature& t : kTypes)
            list.emplace_back(t.extension, HexBytes(t.hex));
        return list;
    }();
    size_t lookedAt = 0;
    size_t begin = 0;
    for (size_t off = 0; off + morvick::kFatDirectoryEntrySize <= size && lookedAt < kMaxLookedAt;
         off += morvick::kFatDirectoryEntrySize) {
        const uint8_t* e = entries + off;
        if (e[0] == 0)
            break;
        if (e[11] == morvick::kFatAttrLongName || (e[11] & morvick::kFatAttrDirectory) != 0)
            continue;
        const morvick::FatShortEntry entry = morvick::DecodeFatShortEntry(e, volume.fat32);
        if (entry.size == 0 || entry.firstCluster < 2 || entry.firstCluster - 2 >= volume.clusterCount)
            continue;
        const std::string extension = ExtensionOf(e);
        bool typed = false;
        for (const auto& [ext, signature] : types)
            typed = typed || ext == extension;
        if (!typed)
            continue;
        ++lookedAt;
        uint8_t sector[kSectorSize];
        if (!disk.ReadSectors(volume.clusterBase + uint64_t{entry.firstCluster} * volume.sectorsPerCluster, 1, sector))
            continue;
        for (const auto& [ext, signature] : types) {
            if (ext == extension && !signature.empty() && signature.size() <= sizeof sector &&
                std::equal(signature.begin(), signature.end(), sector)) {
                ++begin;
                break;
            }
        }
    }
    return begin != 0 && begin * 4 >= lookedAt * 3;
}
