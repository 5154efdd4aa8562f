#include "engine/snapshot/SnapshotNtfsCheck.h"

#include "engine/image/SectorReader.h"
#include "engine/ntfs/FileNameAttribute.h"
#include "engine/ntfs/MftRecord.h"
#include "engine/ntfs/MftWalk.h"
#include "engine/ntfs/NamelessRecord.h"
#include "engine/ntfs/NtfsBootSector.h"
#include "engine/snapshot/LoadedSnapshot.h"
#include "engine/snapshot/SnapshotFormat.h"
#include "engine/snapshot/SnapshotSample.h"
#include "engine/state/SectorLimit.h"
#include "engine/state/VolumeEnd.h"
#include "engine/volume/EngineSectorSource.h"
#include "engine/volume/PartitionFileSystem.h"

namespace {

enum class Verdict { kAgrees, kDisagrees, kNone };

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

enum class Judgement { kConfirms, kContradicts, kUndecided };

// What a snapshot lists of a file, to be compared with its FILE record.
struct ListedFile {
    const char16_t* name;
    uint32_t parent;
    uint64_t creationTime;   // of its $FILE_NAME: no change to the file but a rename alters it
    const uint32_t* number;  // null: not asked
};

template <class Record>
ListedFile Listed(const Record& r, const uint32_t* number)
{
    return {r.name, r.parentRecord, (uint64_t{r.creationTimeHigh} << 32) | r.creationTimeLow, number};
}

// A fixed-up FILE record against a listed file: a base record (by its whole base reference, as $MFT's
// extension records name record 0) in use or once in use, with the file's number when it keeps one,
// its name, its parent folder and its creation time. The time tells a volume formatted afresh and
// given files of the same names and folders, whose records then lie at the same numbers and places.
// A record whose name lies only in the records its attribute list names can't be judged here.
Judgement JudgeFileRecord(const uint8_t* record, size_t length, const ListedFile& listed)
{
    morvick::MftRecordHeader header;
    if (!morvick::ParseMftRecordHeader(record, length, header) || header.flags > 3 || header.extension)
        return Judgement::kContradicts;
    if (listed.number != nullptr && header.numbered && header.number != *listed.number)
        return Judgement::kContradicts;
    morvick::NtfsFileName found;
    if (!morvick::ReadPreferredFileName(record, length, found)) {
        // A file listed in "Lost Dir" under the name made from its number has no name to compare.
        const bool nameless = header.numbered && listed.parent == kLostDirRecordNumber && listed.name != nullptr &&
            morvick::IsNamelessFileName(listed.name, header.number);
        return nameless || morvick::HasMftAttribute(record, length, morvick::kAttrAttributeList)
            ? Judgement::kUndecided
            : Judgement::kContradicts;
    }
    // A scan lists a file in "Lost Dir" where the folder record its parent reference names was taken
    // by another folder since.
    const bool same = found.name == std::u16string(listed.name != nullptr ? listed.name : u"") &&
        (found.parent == listed.parent || listed.parent == kLostDirRecordNumber) &&
        found.creationTime == listed.creationTime;
    return same ? Judgement::kConfirms : Judgement::kContradicts;
}

void Count(SampleVerdict& verdict, Judgement judgement)
{
    if (judgement == Judgement::kConfirms)
        ++verdict.confirmed;
    else if (judgement == Judgement::kContradicts)
        verdict.contradicted = true;
}

// A Quick Scan's files, each read at its number through the MFT's runs.
SampleVerdict CheckMftEntries(const LoadedSnapshot& s, const morvick::SectorRunTable& mft)
{
    SampleVerdict verdict;
    morvick::EngineSectorSource disk;
    uint8_t record[morvick::kLargestMftRecordSize];
    const size_t length = size_t{mft.recordSectors} * kSectorSize;
    for (const MftEntryRecord* e : SampleSnapshotRecords(s.mftEntries)) {
        const uint32_t number = e->recordNumber;
        Count(verdict,
            morvick::ReadMftRecord(disk, mft, number, record) ? JudgeFileRecord(record, length, Listed(*e, &number))
                                                              : Judgement::kContradicts);
        if (verdict.contradicted)
            break;
    }
    return verdict;
}

// An Extensive Scan's files, each read at the sector where the search found its record (through the
// MFT's runs where they hold it, as the save reads it).
SampleVerdict CheckFoundFileRecords(const LoadedSnapshot& s, const morvick::SectorRunTable& mft)
{
    SampleVerdict verdict;
    morvick::EngineSectorSource disk;
    uint8_t record[morvick::kLargestMftRecordSize];
    const size_t length = size_t{mft.recordSectors} * kSectorSize;
    for (const NtfsFileRecord* r : SampleSnapshotRecords(s.ntfsFiles)) {
        bool mapped = false;
        uint32_t number = 0;
        Count(verdict,
            morvick::ReadMftRecordFrom(disk, mft, r->sector, record, mapped, number)
                ? JudgeFileRecord(record, length, Listed(*r, nullptr))
                : Judgement::kContradicts);
        if (verdict.contradicted)
            break;
    }
    return verdict;
}

}  // namespace

bool HoldsNtfsVolume(const LoadedSnapshot& s, morvick::SectorRunTable& mftRuns)
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
    const SampleVerdict files = extensive ? CheckFoundFileRecords(s, mftRuns) : CheckMftEntries(s, mftRuns);
    if (files.contradicted) {
        mftRuns = morvick::SectorRunTable();
        return false;
    }
    // A volume the Extensive Scan rebuilt from its folders alone, with no MFT place and no file in
    // it, has nothing to read that the source could contradict: it loads, as an empty FAT file list does.
    const bool foldersAlone = extensive && b.mftStart == 0 && b.mftMirrorStart == 0 && s.ntfsFiles.count == 0;
    return walked || files.confirmed != 0 || foldersAlone;
}
