#include "engine/snapshot/SnapshotFatCheck.h"

#include "engine/fat/FatBootSector.h"
#include "engine/fat/FatDirectoryParser.h"
#include "engine/fat/FatDirectoryStart.h"
#include "engine/fat/FatEntryLists.h"
#include "engine/image/SectorReader.h"
#include "engine/snapshot/LoadedSnapshot.h"
#include "engine/snapshot/SnapshotFormat.h"
#include "engine/snapshot/SnapshotSample.h"
#include "engine/volume/EngineSectorSource.h"

#include <algorithm>
#include <map>
#include <set>
#include <vector>

namespace {

// FAT32 keeps a copy of its boot sector this many sectors after the first.
constexpr uint32_t kFat32BootCopy = 6;
// FAT32's usual root cluster, which a volume rebuilt without its boot sector takes.
constexpr uint32_t kUsualRootCluster = 2;
// The FAT16 root of a volume found without its boot sector: the usual 512 entries.
constexpr uint32_t kUsualFat16RootSectors = 32;
// A FAT folder holds at most 65,536 entries of 32 bytes: a longer chain is damage.
constexpr size_t kMaxFolderSectors = 65536 * 32 / kSectorSize;
// Folder sectors read at a time, at most: the search mostly ends within a folder's first clusters.
constexpr uint32_t kFolderReadSectors = 8;
constexpr uint64_t kSectorLimit = 0x100000000ull;

enum class Verdict { kAgrees, kDisagrees, kNone };

// What the boot sectors where the volume starts say of it, and the FAT32 root cluster they name.
struct BootFacts {
    Verdict verdict = Verdict::kNone;
    uint32_t rootCluster = kUsualRootCluster;
};

Verdict CompareFatBoot(const VolumeParameterBlock& b, uint32_t volumeStart, uint32_t at, uint32_t& rootCluster)
{
    uint8_t sector[kSectorSize];
    morvick::FatBootSector boot;
    if (!ReadSectors(at, 1, sector) ||
        !morvick::ParseFatBootSector(sector, sizeof sector, b.browsedFileSystemType, boot))
        return Verdict::kNone;
    const morvick::FatLayout layout = morvick::MakeFatLayout(boot, volumeStart);
    const bool agrees = boot.sectorsPerCluster == b.sectorsPerCluster && boot.reservedSectors == b.reservedSectors &&
        boot.sectorsPerFat == b.sectorsPerFat && boot.rootDirectorySectors == b.rootDirectorySectors &&
        layout.firstFat == b.firstFat && layout.clusterBase == b.clusterBase;
    if (!agrees)
        return Verdict::kDisagrees;
    rootCluster = boot.rootCluster;
    return Verdict::kAgrees;
}

BootFacts JudgeFatBoot(const VolumeParameterBlock& b)
{
    BootFacts facts;
    // The reserved sectors end where the volume's first FAT starts, which is the block's second FAT
    // where the second FAT is the active one (MakeFatLayout).
    const uint32_t firstFat = b.firstFat, secondFat = b.secondFat;  // the block is packed: no references into it
    const uint32_t fat = secondFat != 0 ? std::min(firstFat, secondFat) : firstFat;
    if (b.reservedSectors == 0 || b.reservedSectors > fat)
        return facts;
    const uint32_t start = fat - b.reservedSectors;
    const bool fat32 = b.browsedFileSystemType == FileSystemKind::kFat32;
    for (uint32_t at : {start, fat32 ? start + kFat32BootCopy : start}) {
        const Verdict verdict = CompareFatBoot(b, start, at, facts.rootCluster);
        if (verdict == Verdict::kAgrees) {
            facts.verdict = verdict;
            return facts;
        }
        if (verdict == Verdict::kDisagrees)
            facts.verdict = verdict;
    }
    return facts;
}

bool FatBeginsAt(uint32_t sector)
{
    uint8_t fat[kSectorSize];
    return ReadSectors(sector, 1, fat) == 1 && fat[0] >= 0xF0 && fat[1] == 0xFF;
}

void AppendRange(std::vector<uint64_t>& sectors, uint64_t first, uint32_t count)
{
    for (uint32_t i = 0; i < count && first + i < kSectorLimit; ++i)
        sectors.push_back(first + i);
}

// The sectors of a folder as the scans read them: FAT16's root in its fixed place; any other folder
// its chain in the FATs, or only its first cluster where they give none. Empty when the
// folder's place is not known.
std::vector<uint64_t> FolderSectors(const VolumeParameterBlock& b, morvick::SectorSource& disk, uint32_t folder,
    uint32_t rootCluster)
{
    std::vector<uint64_t> sectors;
    const bool fat32 = b.browsedFileSystemType == FileSystemKind::kFat32;
    const uint32_t spc = b.sectorsPerCluster;
    if (folder == 0 && !fat32) {
        const uint64_t dataStart = uint64_t{b.clusterBase} + 2ull * spc;
        if (b.rootDirectorySectors != 0 && dataStart >= b.rootDirectorySectors)
            AppendRange(sectors, dataStart - b.rootDirectorySectors, b.rootDirectorySectors);
        else if (b.rootDirectorySectors == 0 && b.secondFat != 0 && b.sectorsPerFat != 0)
            AppendRange(sectors, uint64_t{b.secondFat} + b.sectorsPerFat, kUsualFat16RootSectors);
        return sectors;
    }
    const uint32_t first = folder == 0 ? rootCluster : folder;
    const std::vector<uint32_t> clusters = FolderClusterChain(disk, b, first, kMaxFolderSectors / spc);
    if (clusters.empty() && first >= 2) {
        AppendRange(sectors, b.clusterBase + uint64_t{first} * spc, spc);
        return sectors;
    }
    for (uint32_t c : clusters) {
        const uint64_t start = b.clusterBase + uint64_t{c} * spc;
        if (start + spc > kSectorLimit || sectors.size() >= kMaxFolderSectors)
            break;
        AppendRange(sectors, start, spc);
    }
    return sectors;
}

// Hands the folder's sectors to `visit` one by one with their index, read into `buffer`
// (kFolderReadSectors sectors) in runs of consecutive sectors and passing over those that cannot be
// read as the scans do, while `visit` returns true.
template <class Visit>
void ReadFolder(const std::vector<uint64_t>& sectors, std::vector<uint8_t>& buffer, Visit visit)
{
    for (size_t at = 0; at < sectors.size();) {
        uint32_t count = 1;
        while (count < kFolderReadSectors && at + count < sectors.size() && sectors[at + count] == sectors[at] + count)
            ++count;
        const bool whole = ReadSectors(sectors[at], count, buffer.data()) != 0;
        for (uint32_t i = 0; i < count; ++i) {
            uint8_t* sector = buffer.data() + size_t{i} * kSectorSize;
            if (!whole && !ReadSectors(sectors[at] + i, 1, sector))
                continue;
            if (!visit(sector, at + i))
                return;
        }
        at += count;
    }
}

// Windows clears the high word of a FAT32 entry's first cluster when it deletes the file: a deleted
// entry whose high word is 0 keeps only the low 16 bits to compare.
bool SameCluster(uint32_t found, bool deleted, uint32_t listed)
{
    return found == listed || (deleted && found <= 0xFFFF && found == (listed & 0xFFFF));
}

bool SameCharacters(const std::u16string& found, size_t from, const char16_t* listed)
{
    size_t i = from;
    for (; i < found.size() && *listed != 0; ++i, ++listed) {
        if (found[i] != *listed && (found[i] < 0x80 || *listed < 0x80))
            return false;
    }
    return i == found.size() && *listed == 0;
}

// A file deleted since the snapshot lost the first character of its short name (0xE5, read as
// "x"): with no long name, as cameras write them, only the rest of the name can be compared.
// A short name's characters above 0x7F come from the OEM code page, which may differ between
// the computer that made the snapshot and this one (and read each byte as itself before): they
// match any such character.
bool SameName(const morvick::FatFoundEntry& entry, const FatEntryRecord& file)
{
    const char16_t* name = file.name != nullptr ? file.name : u"";
    if (SameCharacters(entry.name, 0, name))
        return true;
    return entry.deleted && name[0] != 0 && entry.name.size() > 1 && SameCharacters(entry.name, 1, name + 1);
}

// Whether the entry is the listed file: its name and first cluster, and the size of a file listed
// deleted, whose entry nothing writes any more. A live file may have been written since the
// snapshot: its size tells nothing.
bool IsListedFile(const morvick::FatFoundEntry& entry, const FatEntryRecord& file)
{
    return !entry.folder && SameCluster(entry.firstCluster, entry.deleted, file.firstCluster) &&
        (file.deleted == 0 || entry.size == file.size) && SameName(entry, file);
}

// The sampled files of one folder: which of them were found, and the entries met under the name of
// one not found yet with another first cluster or size (a few for each).
class FolderFiles {
public:
    explicit FolderFiles(const std::vector<const FatEntryRecord*>& files)
        : m_files(files), m_found(files.size(), false), m_clashCount(files.size(), 0)
    {}

    size_t Missing() const { return m_missing; }

    void Met(const morvick::FatFoundEntry& entry)
    {
        if (entry.folder)
            return;
        for (size_t i = 0; i < m_files.size(); ++i) {
            if (m_found[i] || !SameName(entry, *m_files[i]))
                continue;
            if (IsListedFile(entry, *m_files[i])) {
                m_found[i] = true;
                --m_missing;
            } else if (m_clashCount[i] < kMaxClashesPerFile) {
                ++m_clashCount[i];
                m_clashes.emplace_back(i, entry);
            }
        }
    }

    // The entries that bear the name of a file not found, after the search.
    std::vector<morvick::FatFoundEntry> Clashes() const
    {
        std::vector<morvick::FatFoundEntry> clashes;
        for (const auto& [file, entry] : m_clashes) {
            if (!m_found[file])
                clashes.push_back(entry);
        }
        return clashes;
    }

private:
    static constexpr uint8_t kMaxClashesPerFile = 4;
    const std::vector<const FatEntryRecord*>& m_files;
    std::vector<bool> m_found;
    std::vector<uint8_t> m_clashCount;
    size_t m_missing = m_files.size();
    std::vector<std::pair<size_t, morvick::FatFoundEntry>> m_clashes;
};

// What the search of one folder's sectors showed.
struct FolderFacts {
    bool ended = false;         // the folder's end was met in them
    bool startsFolder = false;  // the scans read them: the root, or a first sector that starts a folder
};

// Looks for the files in their folder's sectors, parsed as the scans parse them: up to the folder's
// end, or until every file is found.
class FolderSearch {
public:
    explicit FolderSearch(bool fat32) : m_fat32(fat32) {}

    FolderFacts Search(const std::vector<uint64_t>& sectors, uint32_t folder, FolderFiles& files)
    {
        FolderFacts facts;
        facts.startsFolder = folder == 0;
        morvick::FatDirectoryParser parser(m_fat32, folder, false,
            [&files](const morvick::FatFoundEntry& entry) { files.Met(entry); });
        ReadFolder(sectors, m_buffer, [&](const uint8_t* sector, size_t index) {
            if (index == 0 && folder != 0)
                facts.startsFolder = morvick::IsFatDirectoryStart(sector, kSectorSize);
            parser.Feed(sector, kSectorSize);
            return files.Missing() != 0 && !parser.Ended();
        });
        facts.ended = parser.Ended();
        return facts;
    }

private:
    bool m_fat32;
    std::vector<uint8_t> m_buffer = std::vector<uint8_t>(size_t{kFolderReadSectors} * kSectorSize);
};

// An entry met in a folder under the name of a sampled file that was not found there.
struct Clash {
    uint32_t folder;
    morvick::FatFoundEntry entry;
};

// True when each clashing entry is a file the snapshot lists in that folder: the folder held two
// entries of one name (a file deleted and made again, or deleted twice), and the scan listed both.
// One that the snapshot does not list was never read by the scan that made it.
bool SnapshotListsEach(const LoadedSnapshot& s, const std::vector<Clash>& clashes)
{
    std::map<uint32_t, std::vector<size_t>> byFolder;
    for (size_t i = 0; i < clashes.size(); ++i)
        byFolder[clashes[i].folder].push_back(i);
    std::vector<bool> listed(clashes.size(), false);
    size_t left = clashes.size();
    for (const FatEntryRecord* e = s.fatEntries.head; e && left != 0; e = e->next) {
        const auto folder = byFolder.find(e->parentCluster);
        if (folder == byFolder.end())
            continue;
        for (size_t i : folder->second) {
            if (!listed[i] && IsListedFile(clashes[i].entry, *e)) {
                listed[i] = true;
                --left;
            }
        }
    }
    return left == 0;
}

// Each sampled file must be in its folder's sectors as the snapshot lists it. A file missing from a
// folder read to its end contradicts the snapshot; so does, in any folder, an entry of a missing
// file's name with another first cluster or size that the snapshot does not list: another volume's
// file of that name, as on a card of the same camera formatted alike. The folders are read once
// each, and only as far as needed.
SampleVerdict CheckFatFiles(const LoadedSnapshot& s, uint32_t rootCluster)
{
    SampleVerdict verdict;
    // The folders the scan made under "Lost Dir" for the parents that free clusters of entries name:
    // their files may come from those clusters, which no chain of theirs reaches.
    std::set<uint32_t> lostFolders;
    for (const FatFolderRecord* f = s.fatFolders.head; f; f = f->next) {
        if (f->parentCluster == kLostDirCluster)
            lostFolders.insert(f->firstCluster);
    }
    // The files right under "Lost Dir" come from clusters that no folder is known for: no folder's
    // sectors tell anything of them.
    std::map<uint32_t, std::vector<const FatEntryRecord*>> byFolder;
    for (const FatEntryRecord* e : SampleSnapshotRecords(s.fatEntries)) {
        if (e->parentCluster != kLostDirCluster)
            byFolder[e->parentCluster].push_back(e);
    }
    const VolumeParameterBlock& b = s.block;
    const bool fat32 = b.browsedFileSystemType == FileSystemKind::kFat32;
    morvick::EngineSectorSource disk;
    FolderSearch search(fat32);
    std::vector<Clash> clashes;
    for (const auto& [folder, sampled] : byFolder) {
        const std::vector<uint64_t> sectors = FolderSectors(b, disk, folder, rootCluster);
        if (sectors.empty())
            continue;
        FolderFiles files(sampled);
        const FolderFacts facts = search.Search(sectors, folder, files);
        verdict.confirmed += static_cast<uint32_t>(sampled.size() - files.Missing());
        // A folder whose chain ends before the folder does (a deleted folder's freed chain) has the
        // rest of its files in clusters nothing links to it: not finding them there tells nothing.
        if (files.Missing() != 0 && facts.ended && lostFolders.count(folder) == 0) {
            verdict.contradicted = true;
            return verdict;
        }
        // Sectors that no scan parsed as the folder's (no folder starts there) list nothing the
        // snapshot must hold.
        if (!facts.startsFolder)
            continue;
        for (const morvick::FatFoundEntry& entry : files.Clashes())
            clashes.push_back({folder, entry});
    }
    // Not only files missing from whole folders: a card formatted alike passed, its photos saved under these names.
    verdict.contradicted = !SnapshotListsEach(s, clashes);
    return verdict;
}

}  // namespace

bool HoldsFatVolume(const LoadedSnapshot& s)
{
    const VolumeParameterBlock& b = s.block;
    const BootFacts boot = JudgeFatBoot(b);
    // A boot sector that says otherwise belongs to another volume, unless an Extensive Scan rebuilt
    // the volume from its FAT and folders past a damaged one.
    if (boot.verdict == Verdict::kDisagrees && s.kind != kSnapshotKindExtensive)
        return false;
    bool vouched = boot.verdict == Verdict::kAgrees;
    if (!vouched && b.firstFat != 0) {
        if (FatBeginsAt(b.firstFat))
            vouched = true;
        else if (boot.verdict == Verdict::kDisagrees)
            return false;
        // Neither boot sector nor FAT where the volume starts: the Quick Scan rebuilt the volume from
        // its folders, and put its first FAT where the usual reserved sectors end whether or not one
        // is there. Its files alone tell it, as for the Extensive Scan's rebuilt volume.
    }
    const SampleVerdict files = CheckFatFiles(s, boot.rootCluster);
    return !files.contradicted && (vouched || files.confirmed != 0 || s.fatEntries.count == 0);
}
