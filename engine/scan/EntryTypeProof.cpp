#include "engine/scan/EntryTypeProof.h"

#include "engine/ScanObserver.h"
#include "engine/fat/FatDirectoryEntry.h"
#include "engine/image/SectorSize.h"
#include "engine/scan/CameraFileKinds.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace {

struct TypeSignature {
    const char* extension;  // with its dot, lower case
    const char* hex;
};

// Generated from res/signatures/signatures.txt.
constexpr TypeSignature kTableTypes[] = {
#include "FileTypeSignatures.inc"
};

constexpr size_t kCameraKinds = static_cast<size_t>(CameraFileKind::kRaf) + 1;

// A type of the proof: a camera kind, or the table's signatures of one short extension.
struct Type {
    std::string extension;  // the short extension, upper case (table types only)
    CameraFileKind kind = CameraFileKind::kNone;
    std::vector<std::vector<uint8_t>> signatures;
};

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// The camera kinds first, at the index of their kind; then the table's extensions that no camera kind
// names, grouped by the short extension they are written under (".docx" as "DOC", with ".doc").
const std::vector<Type>& Types()
{
    static const std::vector<Type> types = [] {
        std::vector<Type> list(kCameraKinds);
        for (size_t k = 0; k < kCameraKinds; ++k)
            list[k].kind = static_cast<CameraFileKind>(k);
        for (const TypeSignature& t : kTableTypes) {
            const std::string extension = Upper(std::string(t.extension).substr(1, 3));
            if (CameraFileKindOf(extension) != CameraFileKind::kNone)
                continue;
            std::vector<uint8_t> bytes;
            for (const char* p = t.hex; p[0] != 0 && p[1] != 0; p += 2)
                bytes.push_back(static_cast<uint8_t>(std::stoi(std::string(p, 2), nullptr, 16)));
            auto it = std::find_if(list.begin() + kCameraKinds, list.end(),
                [&](const Type& x) { return x.extension == extension; });
            if (it == list.end())
                it = list.insert(list.end(), Type{extension, CameraFileKind::kNone, {}});
            if (!bytes.empty() && bytes.size() <= kSectorSize)
                it->signatures.push_back(std::move(bytes));
        }
        return list;
    }();
    return types;
}

// The index of the type of a short entry's extension; 0 (no camera kind) where none is known.
size_t TypeOf(const uint8_t* e)
{
    std::string extension;
    for (size_t i = 8; i < 11 && e[i] != ' '; ++i)
        extension += static_cast<char>(e[i]);
    if (extension.empty())
        return 0;
    const CameraFileKind kind = CameraFileKindOf(extension);
    if (kind != CameraFileKind::kNone)
        return static_cast<size_t>(kind);
    const std::vector<Type>& types = Types();
    extension = Upper(extension);
    const auto it = std::find_if(types.begin() + kCameraKinds, types.end(),
        [&](const Type& t) { return t.extension == extension && !t.signatures.empty(); });
    return it != types.end() ? static_cast<size_t>(it - types.begin()) : 0;
}

bool BeginsAs(const Type& type, const uint8_t* sector)
{
    if (type.kind != CameraFileKind::kNone)
        return BeginsAsCameraFile(type.kind, sector, kSectorSize);
    return std::any_of(type.signatures.begin(), type.signatures.end(),
        [&](const std::vector<uint8_t>& s) { return std::equal(s.begin(), s.end(), sector); });
}

bool IsDotEntry(const uint8_t* e)
{
    return e[0] == '.' && (e[11] & morvick::kFatAttrDirectory) != 0;
}

}  // namespace

void NoteNamedClusters(const EntryTypeVolume& volume, const uint8_t* entries, size_t size, ClusterNameCounts& names)
{
    for (size_t off = 0; off + morvick::kFatDirectoryEntrySize <= size; off += morvick::kFatDirectoryEntrySize) {
        const uint8_t* e = entries + off;
        if (e[0] == 0)
            break;
        if (e[11] == morvick::kFatAttrLongName || IsDotEntry(e))
            continue;
        names.Note(morvick::DecodeFatShortEntry(e, volume.fat32).firstCluster);
    }
}

std::vector<TypedFile> TypedFilesOf(const EntryTypeVolume& volume, const uint8_t* entries, size_t size)
{
    const uint64_t bytesPerCluster = uint64_t{volume.sectorsPerCluster} * kSectorSize;
    std::vector<TypedFile> files;
    if (bytesPerCluster == 0)
        return files;
    for (size_t off = 0; off + morvick::kFatDirectoryEntrySize <= size; off += morvick::kFatDirectoryEntrySize) {
        const uint8_t* e = entries + off;
        if (e[0] == 0)
            break;
        if (e[11] == morvick::kFatAttrLongName || (e[11] & morvick::kFatAttrDirectory) != 0)
            continue;
        const morvick::FatShortEntry entry = morvick::DecodeFatShortEntry(e, volume.fat32);
        if (entry.size == 0 || entry.firstCluster < 2 || entry.firstCluster - 2 >= volume.clusterCount)
            continue;
        // Its clusters from the first on, as many as its size takes, within the volume.
        const uint64_t clusters = (uint64_t{entry.size} + bytesPerCluster - 1) / bytesPerCluster;
        if (uint64_t{entry.firstCluster - 2} + clusters > volume.clusterCount)
            continue;
        const size_t type = TypeOf(e);
        if (type != 0)
            files.push_back({entry.firstCluster, static_cast<uint16_t>(type)});
    }
    return files;
}

bool FilesBeginWithTheirTypes(morvick::SectorSource& disk, const EntryTypeVolume& volume,
    const std::vector<TypedFile>& files, const std::function<bool(uint32_t cluster)>& isFree,
    const ClusterNameCounts& names)
{
    std::vector<const TypedFile*> counted;
    for (const TypedFile& file : files) {
        // This cluster's own entry is the one that names it.
        if (names.Count(file.cluster) == 1 && isFree(file.cluster))
            counted.push_back(&file);
    }
    const std::vector<Type>& types = Types();
    size_t begin = 0;
    size_t read = 0;
    // Until more than half begin with their headers, or so many do not that no more can.
    while (read < counted.size() && begin * 2 <= counted.size() && (begin + counted.size() - read) * 2 > counted.size()) {
        const TypedFile& file = *counted[read++];
        uint8_t sector[kSectorSize];
        const bool readable =
            disk.ReadSectors(volume.clusterBase + uint64_t{file.cluster} * volume.sectorsPerCluster, 1, sector);
        // Each file's first sector read is a step of its own, as every cluster the search reads.
        CurrentScanObserver().OnPausePoint();
        if (readable && file.type < types.size() && BeginsAs(types[file.type], sector))
            ++begin;
    }
    return begin != 0 && begin * 2 > counted.size();
}
