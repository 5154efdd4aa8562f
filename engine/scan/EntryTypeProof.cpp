#include "engine/scan/EntryTypeProof.h"

#include "engine/ScanObserver.h"
#include "engine/fat/FatDirectoryEntry.h"
#include "engine/image/SectorSize.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace {

struct TypeSignature {
    const char* extension;  // with its dot, lower case
    const char* hex;
};

// Generated from res/signatures/signatures.txt.
constexpr TypeSignature kTypes[] = {
#include "FileTypeSignatures.inc"
};

constexpr size_t kMaxFiles = 16;

struct Type {
    std::string extension;
    std::vector<std::vector<uint8_t>> signatures;
};

// The table's extensions, each with its signatures.
const std::vector<Type>& Types()
{
    static const std::vector<Type> types = [] {
        std::vector<Type> list;
        for (const TypeSignature& t : kTypes) {
            std::vector<uint8_t> bytes;
            for (const char* p = t.hex; p[0] != 0 && p[1] != 0; p += 2)
                bytes.push_back(static_cast<uint8_t>(std::stoi(std::string(p, 2), nullptr, 16)));
            auto it = std::find_if(list.begin(), list.end(), [&](const Type& x) { return x.extension == t.extension; });
            if (it == list.end())
                it = list.insert(list.end(), Type{t.extension, {}});
            if (!bytes.empty() && bytes.size() <= kSectorSize)
                it->signatures.push_back(std::move(bytes));
        }
        return list;
    }();
    return types;
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

std::vector<TypedFile> TypedFilesOf(const EntryTypeVolume& volume, const uint8_t* entries, size_t size)
{
    const std::vector<Type>& types = Types();
    std::vector<TypedFile> files;
    for (size_t off = 0; off + morvick::kFatDirectoryEntrySize <= size && files.size() < kMaxFiles;
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
        const auto type =
            std::find_if(types.begin(), types.end(), [&](const Type& t) { return t.extension == extension; });
        if (type != types.end() && !type->signatures.empty())
            files.push_back({entry.firstCluster, static_cast<uint16_t>(type - types.begin())});
    }
    return files;
}

bool FilesBeginWithTheirTypes(morvick::SectorSource& disk, const EntryTypeVolume& volume,
    const std::vector<TypedFile>& files)
{
    const std::vector<Type>& types = Types();
    size_t begin = 0;
    for (const TypedFile& file : files) {
        uint8_t sector[kSectorSize];
        const bool read = disk.ReadSectors(volume.clusterBase + uint64_t{file.cluster} * volume.sectorsPerCluster, 1, sector);
        // Each file's first sector read is a step of its own, as every cluster the search reads.
        CurrentScanObserver().OnPausePoint();
        if (!read)
            continue;
        const auto& signatures = types[file.type].signatures;
        begin += std::any_of(signatures.begin(), signatures.end(),
            [&](const std::vector<uint8_t>& s) { return std::equal(s.begin(), s.end(), sector); });
    }
    return begin != 0 && begin * 4 >= files.size() * 3;
}
