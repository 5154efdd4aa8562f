#include "engine/snapshot/SnapshotFatCheck.h"

#include "engine/extensive/FoundVolumeScan.h"
#include "engine/fat/FatBootSector.h"
#include "engine/fat/FatEntryLists.h"
#include "engine/image/SectorReader.h"
#include "engine/listing/ResultListing.h"
#include "engine/scan/QuickScan.h"
#include "engine/snapshot/LoadedSnapshot.h"
#include "engine/snapshot/ScratchScan.h"
#include "engine/snapshot/SnapshotCodePageVote.h"
#include "engine/snapshot/SnapshotFileMatch.h"
#include "engine/snapshot/SnapshotFormat.h"
#include "engine/snapshot/SnapshotRefilledClusters.h"
#include "engine/snapshot/SnapshotShortName.h"
#include "engine/state/EngineState.h"
#include "engine/util/OemText.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace {

// FAT32 keeps a copy of its boot sector this many sectors after the first.
constexpr uint32_t kFat32BootCopy = 6;
// FAT32's usual root cluster, which a volume rebuilt without its boot sector takes.
constexpr uint32_t kUsualRootCluster = 2;
constexpr uint64_t kSectorLimit = 0x100000000ull;
// The FAT16 root of a volume found without its size: the usual 512 entries.
constexpr uint32_t kUsualFat16RootSectors = 32;
// A FAT16 root holds at most 65,535 entries of 32 bytes.
constexpr uint32_t kMostRootSectors = (65535 * 32 + kSectorSize - 1) / kSectorSize;

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

// Where the root lies, which the snapshot does not keep: FAT32's root cluster of an agreeing boot
// sector, else the usual 2; FAT16's fixed root area before the data, of the size the block gives, or
// (a volume an Extensive Scan rebuilt without its root's size) after the last FAT found, where the
// found-volume scan put it, and without a FAT (one too small for FAT16 is left out) the usual 512
// entries before the data.
uint32_t RootLocation(const VolumeParameterBlock& b, uint32_t rootCluster)
{
    if (b.browsedFileSystemType == FileSystemKind::kFat32)
        return rootCluster;
    const uint64_t dataStart = uint64_t{b.clusterBase} + 2ull * b.sectorsPerCluster;
    const uint32_t rootSectors = b.rootDirectorySectors != 0 ? b.rootDirectorySectors : kUsualFat16RootSectors;
    uint64_t root = 0;
    if (b.rootDirectorySectors == 0 && b.sectorsPerFat != 0 && (b.secondFat != 0 || b.firstFat != 0))
        root = uint64_t{b.secondFat != 0 ? b.secondFat : b.firstFat} + b.sectorsPerFat;
    else if (dataStart >= rootSectors)
        root = dataStart - rootSectors;
    return root < kSectorLimit ? static_cast<uint32_t>(root) : 0;
}

// An Extensive Scan's folders as the found-volume scan had them before it read any: the found
// directories in their order, named by their clusters and not deleted (the snapshot keeps them as
// their parents' entries named them later), then "Lost Dir" and the lost folders of their missing
// parents, made again as the scan made them.
void FoundFoldersBeforeReading(const RecordList<FatFolderRecord>& folders)
{
    for (const FatFolderRecord* f = folders.head; f && f->firstCluster != kLostDirCluster; f = f->next) {
        AppendNewFatFolder(u"Dir" + DecimalText(f->firstCluster), f->firstCluster, f->parentCluster, f->writeDate,
            f->accessDate, 0, 0);
    }
    AddOrphanFatFolders();
}

// The keys under which the files read now are looked up. The access date is left out of both:
// reading a card changes it.
// A live file's: its folder, first cluster, size and write date, and its name up to its first character
// above 0x7F, which another OEM code page may read otherwise (SameShortName).
std::u16string LiveKey(const FatEntryRecord& r)
{
    std::u16string key;
    key.reserve(16);
    key += u'L';
    for (uint32_t value : {r.parentCluster, r.firstCluster, r.size}) {
        key += static_cast<char16_t>(value & 0xFFFF);
        key += static_cast<char16_t>(value >> 16);
    }
    key += static_cast<char16_t>(r.writeDate);
    for (const char16_t* c = r.name ? r.name : u""; *c && *c < 0x80; ++c)
        key += *c;
    return key;
}

// A deleted file's, wherever the scan lists it now: its first cluster, size and write date, and the
// digits and signs (0x20 to 0x3F) of its name from its second character on. The deleted mark took a
// short name's first byte, and with it may have taken the lead byte of a double-byte character whose
// second byte then reads as a letter; no code page reads a byte of 0x20 to 0x3F as part of another
// character.
std::u16string DeletedKey(const FatEntryRecord& r)
{
    std::u16string key;
    key.reserve(16);
    key += u'D';
    for (uint32_t value : {r.firstCluster, r.size}) {
        key += static_cast<char16_t>(value & 0xFFFF);
        key += static_cast<char16_t>(value >> 16);
    }
    key += static_cast<char16_t>(r.writeDate);
    const char16_t* c = r.name && *r.name ? r.name + 1 : u"";
    for (; *c; ++c) {
        if (*c >= 0x20 && *c <= 0x3F)
            key += *c;
    }
    return key;
}

std::u16string FoundKey(const FatEntryRecord& found)
{
    return found.deleted != 0 ? DeletedKey(found) : LiveKey(found);
}

// A listed live file may be found live, or deleted since; a listed deleted file only deleted.
std::vector<std::u16string> ListedKeys(const FatEntryRecord& listed)
{
    if (listed.deleted != 0)
        return {DeletedKey(listed)};
    return {LiveKey(listed), DeletedKey(listed)};
}

// Deleted since the snapshot: the disk shows deleted a file the snapshot lists live.
bool DeletedSince(const FatEntryRecord& listed, const FatEntryRecord& found)
{
    return listed.deleted == 0 && found.deleted != 0;
}

// The name found on the disk now against the listed one. A long name is UTF-16 on the disk and reads
// the same everywhere: compared exactly. A short name, read as its bytes, must read as the listed one
// through the snapshot's code page alone (where the file was deleted since, with any first byte,
// which the deleted mark took).
bool SameName(const FatEntryRecord& listed, const FatEntryRecord& found, uint32_t codePage)
{
    const std::u16string_view f = found.name ? found.name : u"", l = listed.name ? listed.name : u"";
    if (found.shortName == 0)
        return f == l;
    return SameShortName(l, f, DeletedSince(listed, found), codePage);
}

// The same file: a live file in its folder, live or deleted since; a file the disk shows deleted is
// the same wherever the scan lists it now (its folder, or "Lost Dir" where the folder's clusters went
// with it): a deleted entry keeps its first cluster, size, date and name, and its bytes are saved from
// that cluster as a scan saves them. A live file is never taken from another folder.
bool SameFile(const FatEntryRecord& listed, const FatEntryRecord& found, uint32_t codePage)
{
    const bool placed = found.deleted != 0 || (listed.deleted == 0 && listed.parentCluster == found.parentCluster);
    return placed && listed.firstCluster == found.firstCluster && listed.size == found.size &&
        listed.writeDate == found.writeDate && SameName(listed, found, codePage);
}

// A file deleted since is listed deleted, as a scan lists it now: saved as a deleted file, from its
// first cluster and the free ones after it, not along a chain the delete freed.
void TakeDeletedState(FatEntryRecord& listed, const FatEntryRecord& found)
{
    if (DeletedSince(listed, found))
        listed.deleted = 1;
}

// Every file of the snapshot against the volume read again as its scan read it, into scratch lists:
// the Quick Scan's FAT pass, or the found-volume scan's reading of the snapshot's folders. A file
// not found there as SameFile takes it is marked changed, and so is one deleted since whose first
// cluster an entry written since names (MarkRefilledFiles). (The snapshot keeps a FAT file's write date
// without its time of day: a file written over on the same day with the same size at the same
// cluster cannot be told.)
SnapshotFileCounts CheckFatFiles(LoadedSnapshot& s, uint32_t rootCluster)
{
    const bool extensive = s.kind == kSnapshotKindExtensive;
    VolumeParameterBlock block = s.block;
    block.rootLocation = RootLocation(block, rootCluster);
    ScratchScan scratch(block, extensive ? kScanExtensive : kScanQuick);
    {
        // Short names kept as their bytes, read again in the snapshot's code page by SameShortName.
        OemBytesReading bytes;
        if (extensive) {
            FoundFoldersBeforeReading(s.fatFolders);
            ReadFoundFatDirectories(scratch.Finished());
        } else {
            QuickScanFat(scratch.Finished());
        }
    }
    const uint32_t codePage = SnapshotCodePage(s.fatEntries, g_FatEntries);
    const auto same = [codePage](const FatEntryRecord& l, const FatEntryRecord& f) { return SameFile(l, f, codePage); };
    std::vector<SnapshotFilePair> found;
    const auto take = [&found](FatEntryRecord& listed, const FatEntryRecord& now) {
        found.push_back({&listed, &now, DeletedSince(listed, now)});
        TakeDeletedState(listed, now);
    };
    SnapshotFileCounts counts = MarkChangedFiles(s.fatEntries, g_FatEntries, FoundKey, ListedKeys, same, take);
    MarkRefilledFiles(found, g_FatEntries, g_FatFolders, s.fatFolders, same, counts);
    return counts;
}

}  // namespace

bool HoldsFatVolume(LoadedSnapshot& s)
{
    const VolumeParameterBlock& b = s.block;
    // A root larger than any FAT16 root is no scan's (a damaged or made-up file): read as the block
    // says, its list of sectors alone would fill the memory.
    if (b.rootDirectorySectors > kMostRootSectors)
        return false;
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
    return !FilesShowAnotherVolume(CheckFatFiles(s, boot.rootCluster), vouched);
}
