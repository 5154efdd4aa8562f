#include "engine/snapshot/SnapshotNtfsCheck.h"

#include "engine/extensive/FoundVolumeScan.h"
#include "engine/image/SectorReader.h"
#include "engine/ntfs/FoundMftRecord.h"
#include "engine/ntfs/MftRecord.h"
#include "engine/ntfs/MftRecordFacts.h"
#include "engine/ntfs/MftWalk.h"
#include "engine/ntfs/NtfsBootSector.h"
#include "engine/ntfs/NtfsEntryLists.h"
#include "engine/scan/QuickScan.h"
#include "engine/snapshot/LoadedSnapshot.h"
#include "engine/snapshot/ScratchScan.h"
#include "engine/snapshot/SnapshotFileMatch.h"
#include "engine/snapshot/SnapshotFormat.h"
#include "engine/state/EngineState.h"
#include "engine/state/SectorLimit.h"
#include "engine/state/VolumeEnd.h"
#include "engine/volume/EngineSectorSource.h"
#include "engine/volume/PartitionFileSystem.h"
#include "engine/volume/ReadAheadSectorSource.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Sectors read at a time where the files' records are read at their sectors: as many as the Quick
// Scan reads of the MFT at a time.
constexpr uint32_t kReadAheadSectors = 2048;

uint64_t JoinHalves(uint32_t low, uint32_t high)
{
    return (uint64_t{high} << 32) | low;
}

bool SameText(const char16_t* a, const char16_t* b)
{
    a = a != nullptr ? a : u"";
    b = b != nullptr ? b : u"";
    for (; *a != 0 && *a == *b; ++a, ++b) {}
    return *a == *b;
}

bool SameText(const char16_t* a, const std::u16string& b)
{
    return SameText(a, b.c_str());
}

enum class Verdict { kAgrees, kDisagrees, kNone };

// The deleted state found against the listed one: the same, or deleted since (a file listed live whose
// record the disk now shows deleted, otherwise as listed, is the same file).
bool SameOrDeletedSince(uint32_t listedDeleted, bool foundDeleted)
{
    return (listedDeleted != 0) == foundDeleted || foundDeleted;
}

// The sector `clusters` clusters into the volume, when it has a 32-bit number.
bool ClusterAt(const VolumeParameterBlock& b, uint64_t clusters, uint64_t& sector)
{
    const uint64_t spc = b.sectorsPerCluster;
    if (clusters > kLastHeldSector || !FitsSectorField(b.clusterBase + clusters * spc))
        return false;
    sector = b.clusterBase + clusters * spc;
    return true;
}

// An NTFS boot sector at `at` against the block. A Quick Scan's volume lies inside its partition;
// an Extensive Scan's ends where the boot sector said (at its copy). The copy at the end (`copy`)
// must lie where its own count puts it.
//
// The volume's counted sectors are what must fit the partition, not its boot copy after them: the
// partition search records a volume it finds with its boot sector's count, and the copy follows
// that partition's last sector. Ends are compared whole, or as the block's fields hold them: a
// partition crossing 2 TiB keeps its end past them (PartitionLastSector), a found volume's end and a
// count are held at the last sector.
Verdict CompareNtfsBoot(const VolumeParameterBlock& b, uint64_t at, bool extensive, bool copy)
{
    uint8_t sector[kSectorSize];
    morvick::NtfsBootSector boot;
    if (ReadSectors(at, 1, sector) != 1 || !morvick::HasNtfsSearchText(sector, sizeof sector) ||
        !morvick::ParseNtfsBootSector(sector, sizeof sector, boot))
        return Verdict::kNone;
    auto placed = [&b](uint64_t clusters, uint32_t expected) {
        uint64_t sector = 0;
        return expected == 0 || (ClusterAt(b, clusters, sector) && sector == expected);
    };
    const uint64_t end = b.clusterBase + boot.totalSectors;
    const uint64_t heldEnd = b.clusterBase + HeldSector(boot.totalSectors);
    bool sized = boot.totalSectors != 0 && (!copy || end == at);
    if (extensive)
        sized = sized && (b.volumeEnd == 0 || HeldSector(heldEnd) == b.volumeEnd);
    else
        sized = sized && (PartitionLastSector(b) == 0 || heldEnd - 1 <= PartitionLastSector(b));
    const bool agrees = boot.sectorsPerCluster == b.sectorsPerCluster && placed(boot.mftCluster, b.mftStart) &&
        placed(boot.mftMirrorCluster, b.mftMirrorStart) && sized;
    return agrees ? Verdict::kAgrees : Verdict::kDisagrees;
}

// The boot sector at the volume's start or its copy at the end: one that agrees is enough. A Quick
// Scan's copy lies at its partition's last sector, or just after it when the partition search found
// the volume.
Verdict JudgeNtfsBoot(const VolumeParameterBlock& b, bool extensive)
{
    const Verdict first = CompareNtfsBoot(b, b.clusterBase, extensive, false);
    // Whole ends, not the 32-bit end fields: a partition crossing 2 TiB had its copy looked for at its
    // cut end, and a snapshot of it was refused over its own image.
    const uint64_t end = extensive ? WholeVolumeEnd(b) : PartitionLastSector(b);
    if (first == Verdict::kAgrees || end == 0 || end <= b.clusterBase)
        return first;
    const int places = extensive ? 1 : 2;
    for (int i = 0; i < places; ++i) {
        const Verdict copy = CompareNtfsBoot(b, end + i, extensive, true);
        if (copy != Verdict::kNone)
            return copy;
    }
    return first;
}

// The MFT's runs from record 0 at the MFT or its mirror. Record 0 describes the MFT itself: its
// first run must begin where the snapshot's MFT does.
bool WalkSnapshotMft(const VolumeParameterBlock& b, morvick::SectorRunTable& mftRuns)
{
    morvick::EngineSectorSource disk;
    const uint32_t recordSectors = morvick::UsableSectorsPerMftRecord(b.sectorsPerMftRecord);
    for (uint32_t at : {b.mftStart, b.mftMirrorStart}) {
        if (at == 0 ||
            !morvick::WalkMftRecords(disk, b.clusterBase, at, b.sectorsPerCluster, recordSectors,
                VolumeClustersUpTo(b, VolumeEndSector(b)), mftRuns))
            continue;
        if (b.mftStart == 0 || (!mftRuns.start.empty() && mftRuns.start[0] == b.mftStart))
            return true;
    }
    mftRuns = morvick::EmptyMftRunTable(recordSectors);
    return false;
}

// A Quick Scan's files against the volume's MFT read again by the Quick Scan's own NTFS pass, into
// scratch lists: each listed file must be there at its record number with its name, parent folder (or
// the folder its parent reference names, where the pass placed it in "Lost Dir": a scan stopped before
// placing its files lists them so), creation and MFT-change times, size, deleted state (or deleted
// since: then listed deleted, as the scan lists it now) and the sector of the record that holds its data.
SnapshotFileCounts CheckMftEntries(LoadedSnapshot& s)
{
    ScratchScan scratch(s.block, kScanQuick);
    NtfsReferencedParents moved;
    QuickScanNtfs(scratch.Finished(), &moved);
    auto number = [](const MftEntryRecord& r) { return r.recordNumber; };
    auto placed = [&moved](const MftEntryRecord& listed, const MftEntryRecord& found) {
        if (listed.parentRecord == found.parentRecord)
            return true;
        const auto it = moved.find(found.recordNumber);
        return it != moved.end() && it->second == listed.parentRecord;
    };
    auto same = [&placed](const MftEntryRecord& listed, const MftEntryRecord& found) {
        return listed.recordNumber == found.recordNumber && placed(listed, found) &&
            listed.creationTimeLow == found.creationTimeLow && listed.creationTimeHigh == found.creationTimeHigh &&
            listed.changeTimeLow == found.changeTimeLow && listed.changeTimeHigh == found.changeTimeHigh &&
            listed.sizeLow == found.sizeLow && listed.sizeHigh == found.sizeHigh &&
            SameOrDeletedSince(listed.deleted, found.deleted != 0) &&
            listed.dataRecordSector == found.dataRecordSector && SameText(listed.name, found.name);
    };
    auto take = [](MftEntryRecord& listed, const MftEntryRecord& found) {
        listed.deleted |= found.deleted != 0 ? 1 : 0;
    };
    return MarkChangedFiles(s.mftEntries, g_MftEntries, number, same, take);
}

enum class Judgement { kConfirms, kContradicts, kUndecided };

// A record that the search found without a name of its own (its attribute list places it in an
// extension record), named as the found-volume scan names it: from its extension records read
// through the MFT's runs, where the record lies at its own place in the MFT.
bool DecodeNamedFromMft(const uint8_t* record, const morvick::MftRecordHeader& header, bool mapped, uint32_t number,
    uint64_t sector, morvick::FoundMftRecord& found)
{
    MftRecordFacts facts;
    return mapped && header.numbered && header.number == number &&
        ReadListedRecordFacts(record, header, number, sector, facts) && facts.named &&
        morvick::DecodeFoundMftRecordNamed(record, CurrentMftRecordBytes(), facts.name, found);
}

// A nameless file's name, kept apart from others of its number by " (2)", " (3)" ...
bool SameNamelessName(const char16_t* listed, const std::u16string& found)
{
    const std::u16string name(listed != nullptr ? listed : u"");
    if (name.compare(0, found.size(), found) != 0)
        return false;
    const std::u16string rest = name.substr(found.size());
    if (rest.empty())
        return true;
    if (rest.size() < 4 || rest.compare(0, 2, u" (") != 0 || rest.back() != u')')
        return false;
    for (size_t i = 2; i + 1 < rest.size(); ++i) {
        if (rest[i] < u'0' || rest[i] > u'9')
            return false;
    }
    return true;
}

// The file record at a listed file's sector (through the MFT's runs where they hold it, as the save
// reads it), decoded as the Extensive search and the found-volume scan decode a file, against what
// the snapshot lists: its name, parent folder (or "Lost Dir", where the scan gathered it), creation
// and MFT-change times, size and deleted state (a file deleted since is then listed deleted). A record
// whose name lies only in an extension record that the MFT cannot give is judged by its deleted state
// alone, and confirms nothing.
Judgement JudgeFoundFile(morvick::SectorSource& disk, const morvick::SectorRunTable& mft, NtfsFileRecord& listed)
{
    const size_t length = CurrentMftRecordBytes();
    uint8_t record[morvick::kLargestMftRecordSize];
    bool mapped = false;
    uint32_t number = 0;
    morvick::MftRecordHeader header;
    if (!morvick::ReadMftRecordFrom(disk, mft, listed.sector, record, mapped, number) ||
        !morvick::ParseMftRecordHeader(record, length, header) || header.flags > 3 || header.extension)
        return Judgement::kContradicts;
    morvick::FoundMftRecord found;
    if (!morvick::DecodeFoundMftRecord(record, length, found) &&
        !DecodeNamedFromMft(record, header, mapped, number, listed.sector, found) &&
        !morvick::DecodeNamelessFoundMftRecord(record, length, found)) {
        const bool deleted = (header.flags & 1) == 0;
        return morvick::AwaitsExtensionFileName(record, length) && deleted == (listed.deleted != 0)
            ? Judgement::kUndecided
            : Judgement::kContradicts;
    }
    if (found.folder)
        return Judgement::kContradicts;
    if (found.dataElsewhere && !ReadFoundFileSizeFromExtension(listed.sector, found.size))
        found.size = 0;
    const bool sameName = found.nameless ? SameNamelessName(listed.name, found.name) : SameText(listed.name, found.name);
    const bool same = sameName && (listed.parentRecord == found.parent || listed.parentRecord == kLostDirRecordNumber) &&
        JoinHalves(listed.creationTimeLow, listed.creationTimeHigh) == found.creationTime &&
        JoinHalves(listed.changeTimeLow, listed.changeTimeHigh) == found.changeTime &&
        JoinHalves(listed.sizeLow, listed.sizeHigh) == found.size && SameOrDeletedSince(listed.deleted, found.deleted);
    if (!same)
        return Judgement::kContradicts;
    listed.deleted |= found.deleted ? 1 : 0;
    return Judgement::kConfirms;
}

// An Extensive Scan's files, each judged at its sector (JudgeFoundFile), in the order of their
// sectors and read in large pieces. The MFT's runs and the snapshot's block stand for the engine's
// while they are read: extension records are found through them.
SnapshotFileCounts CheckFoundFileRecords(LoadedSnapshot& s, const morvick::SectorRunTable& mft)
{
    ScratchScan scratch(s.block, kScanExtensive);
    g_MftRunTable = mft;
    std::vector<NtfsFileRecord*> files;
    files.reserve(s.ntfsFiles.count);
    for (NtfsFileRecord* r = s.ntfsFiles.head; r; r = r->next)
        files.push_back(r);
    std::stable_sort(files.begin(), files.end(),
        [](const NtfsFileRecord* a, const NtfsFileRecord* b) { return a->sector < b->sector; });
    morvick::EngineSectorSource source;
    morvick::ReadAheadSectorSource disk(source, kReadAheadSectors);
    SnapshotFileCounts counts;
    for (NtfsFileRecord* r : files) {
        const Judgement judgement = JudgeFoundFile(disk, mft, *r);
        if (judgement == Judgement::kConfirms) {
            ++counts.confirmed;
        } else if (judgement == Judgement::kContradicts) {
            r->changedOnDisk = 1;
            ++counts.changed;
        }
    }
    return counts;
}

}  // namespace

bool HoldsNtfsVolume(LoadedSnapshot& s, morvick::SectorRunTable& mftRuns)
{
    const VolumeParameterBlock& b = s.block;
    const bool extensive = s.kind == kSnapshotKindExtensive;
    // A boot sector that says otherwise belongs to another volume, unless an Extensive Scan found
    // this one past it.
    if (JudgeNtfsBoot(b, extensive) == Verdict::kDisagrees && !extensive)
        return false;
    const bool walked = WalkSnapshotMft(b, mftRuns);
    if (!walked && !extensive)
        return false;
    const SnapshotFileCounts files = extensive ? CheckFoundFileRecords(s, mftRuns) : CheckMftEntries(s);
    // A volume the Extensive Scan rebuilt from its folders alone, with no MFT place and no file in
    // it, has nothing to read that the source could contradict: it loads, as an empty FAT file list does.
    const bool foldersAlone = extensive && b.mftStart == 0 && b.mftMirrorStart == 0 && s.ntfsFiles.count == 0;
    if (FilesShowAnotherVolume(files, walked) || (!walked && files.confirmed == 0 && !foldersAlone)) {
        mftRuns = morvick::SectorRunTable();
        return false;
    }
    return true;
}
