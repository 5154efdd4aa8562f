#include "engine/save/FileSavers.h"

#include "engine/image/SectorSize.h"
#include "engine/ntfs/AttributeList.h"
#include "engine/ntfs/MftRecord.h"
#include "engine/ntfs/MftWalk.h"
#include "engine/ntfs/NtfsEntryLists.h"
#include "engine/ntfs/RunList.h"
#include "engine/save/ClustersInUse.h"
#include "engine/save/CompressedCopy.h"
#include "engine/save/SaveState.h"
#include "engine/save/SaveTarget.h"
#include "engine/state/EngineState.h"
#include "engine/state/RecoverySettings.h"
#include "engine/state/VolumeEnd.h"
#include "engine/volume/EngineSectorSource.h"

#include <algorithm>
#include <set>

namespace {

using morvick::DataRun;
using morvick::MftAttribute;

constexpr uint16_t kAttributeCompressed = 0x0001;
constexpr uint16_t kAttributeEncrypted = 0x4000;
// Extension records read for one file's data at most.
constexpr size_t kMaxExtensionRecords = 512;

// One piece of a file's unnamed $DATA: the whole attribute when resident, or the runs of one
// record's part of it.
struct DataPiece {
    bool resident = false;
    std::vector<uint8_t> value;  // resident data
    uint16_t flags = 0;
    uint64_t lowestVcn = 0;
    uint64_t highestVcn = 0;
    uint64_t realSize = 0;
    uint64_t initializedSize = 0;
    uint8_t compressionUnit = 0;  // log2 of the clusters per compression unit
    bool runsComplete = true;     // the run list decoded to its end
    std::vector<DataRun> runs;
};

// Record `number` through the MFT's runs, each sector where its run puts it: a record may lie split
// across two runs.
bool ReadNumberedRecord(uint32_t number, uint8_t* record)
{
    morvick::EngineSectorSource disk;
    return morvick::ReadMftRecord(disk, g_MftRunTable, number, record);
}

// True when a record read for file `fileNumber` is that file's own: its base record, which names
// that number where it keeps one (or lies at that number's place in the MFT where it keeps none), or
// one of its extension records. A record that keeps a number other than its place is no record of
// this MFT. Where the file's number is not known (kAnyRecordNumber), the record is taken as found.
bool RecordOfFile(const uint8_t* record, uint32_t fileNumber, bool mapped, uint32_t mappedNumber)
{
    morvick::MftRecordHeader h;
    if (!morvick::ParseMftRecordHeader(record, CurrentMftRecordBytes(), h) ||
        (h.numbered && mapped && h.number != mappedNumber))
        return false;
    if (fileNumber == kAnyRecordNumber)
        return true;
    if (h.extension)
        return h.baseRecordHigh == 0 && h.baseRecord == fileNumber;
    if (h.numbered)
        return h.number == fileNumber;
    return mapped && mappedNumber == fileNumber;
}

// The record's unnamed $DATA, if it has one.
bool FindDataPiece(const uint8_t* record, DataPiece& piece)
{
    for (const MftAttribute& a : morvick::ListMftAttributes(record, CurrentMftRecordBytes())) {
        if (a.type != morvick::kAttrData || a.nameLength != 0)
            continue;
        const uint8_t* at = record + a.offset;
        piece.flags = a.flags;
        piece.resident = !a.nonResident;
        if (piece.resident) {
            piece.value.assign(at + a.valueOffset, at + a.valueOffset + a.valueLength);
            piece.realSize = piece.initializedSize = a.valueLength;
            return true;
        }
        piece.lowestVcn = a.lowestVcn;
        piece.highestVcn = a.highestVcn;
        piece.realSize = a.realSize;
        piece.initializedSize = a.initializedSize;
        piece.compressionUnit = a.compressionUnit;
        // A run past the volume's end is damage; the image's end bounds nothing (a cut image would
        // lose what it holds of a file, a disk larger than its volume give clusters past the volume).
        piece.runsComplete = morvick::DecodeRunList(at + a.runListOffset, a.length - a.runListOffset, piece.runs,
            ChosenVolumeClusters(morvick::EngineSectorSource()));
        return true;
    }
    return false;
}

// The first piece of the record's unnamed $DATA. A base record that keeps none (its attribute list
// places it in an extension record) gives way to the extension record that holds it: an Extensive
// Scan lists a file by its base record.
bool FindFirstDataPiece(std::vector<uint8_t>& record, DataPiece& piece)
{
    if (FindDataPiece(record.data(), piece))
        return true;
    morvick::MftRecordHeader header;
    std::vector<uint8_t> extension(CurrentMftRecordBytes());
    uint64_t sector = 0;
    if (!morvick::ParseMftRecordHeader(record.data(), record.size(), header) || header.extension || !header.numbered ||
        !ReadFirstDataExtension(record.data(), header, header.number, sector, extension.data()) ||
        !FindDataPiece(extension.data(), piece))
        return false;
    record = std::move(extension);
    return true;
}

// False when the extension record names another base record than `base` (a record of a deleted file
// that was freed and used again since for another file's pieces); true where `base` keeps no number.
bool PartOfFile(const uint8_t* extension, const uint8_t* base)
{
    morvick::MftRecordHeader e, b;
    return morvick::ParseMftRecordHeader(extension, CurrentMftRecordBytes(), e) &&
        morvick::ParseMftRecordHeader(base, CurrentMftRecordBytes(), b) &&
        (!b.numbered || morvick::IsExtensionRecordOf(e, b.number, b));
}

// The pieces of $DATA that the base record's attribute list places in other records, after the
// first piece, in the order of their first virtual cluster.
void GatherExtensionPieces(const uint8_t* record, std::vector<DataPiece>& pieces)
{
    morvick::MftRecordHeader header;
    if (!morvick::ParseMftRecordHeader(record, CurrentMftRecordBytes(), header))
        return;
    const uint32_t base = header.baseRecord;
    std::vector<uint8_t> baseRecord(CurrentMftRecordBytes());
    const uint8_t* list = record;
    if (base != 0) {
        if (!ReadNumberedRecord(base, baseRecord.data()) || !RecordOfFile(baseRecord.data(), base, true, base))
            return;
        list = baseRecord.data();
    }
    // A list that outgrew its record lies in clusters of its own and is read from there too: taken
    // from the record alone, it gave no pieces, and the file was saved cut short where its first ended.
    std::vector<uint32_t> numbers;
    for (const morvick::AttributeListEntry& e : ReadAttributeListEntries(list))
        numbers.push_back(e.record);
    std::set<uint32_t> seen;
    std::vector<uint8_t> extension(CurrentMftRecordBytes());
    for (uint32_t number : numbers) {
        if (seen.size() >= kMaxExtensionRecords || !seen.insert(number).second)
            continue;
        DataPiece piece;
        if (ReadNumberedRecord(number, extension.data()) && PartOfFile(extension.data(), list) &&
            FindDataPiece(extension.data(), piece) && !piece.resident && piece.lowestVcn > pieces.front().highestVcn)
            pieces.push_back(std::move(piece));
    }
    std::sort(pieces.begin() + 1, pieces.end(),
        [](const DataPiece& a, const DataPiece& b) { return a.lowestVcn < b.lowestVcn; });
}

// The runs of all pieces in virtual-cluster order; `complete` is false when a piece is missing (the
// runs then stop there). False when the run list of a piece it reaches is damaged.
bool FlattenRuns(const std::vector<DataPiece>& pieces, std::vector<ClusterRun>& runs, bool& complete)
{
    uint64_t nextVcn = 0;
    complete = true;
    for (const DataPiece& piece : pieces) {
        if (piece.lowestVcn != nextVcn) {
            complete = false;
            break;
        }
        if (!piece.runsComplete)
            return false;
        for (const DataRun& run : piece.runs)
            runs.push_back({run.length, run.lcn, run.sparse});
        nextVcn = piece.highestVcn + 1;
    }
    return true;
}

// The bytes the runs span, sparse runs included (at most UINT64_MAX).
uint64_t RunBytes(const std::vector<ClusterRun>& runs, uint64_t clusterBytes)
{
    uint64_t clusters = 0;
    for (const ClusterRun& run : runs)
        clusters = run.length > UINT64_MAX - clusters ? UINT64_MAX : clusters + run.length;
    return clusters > UINT64_MAX / clusterBytes ? UINT64_MAX : clusters * clusterBytes;
}

// The sectors of the data up to `validBytes`, its initialized size; `complete` is false when the runs
// end early.
std::vector<SectorExtent> ValidDataExtents(const std::vector<ClusterRun>& runs, uint64_t validBytes, bool& complete)
{
    const VolumeParameterBlock& b = g_VolumeParams;
    const uint64_t spc = b.sectorsPerCluster;
    const uint64_t wantedSectors = (validBytes + kSectorSize - 1) / kSectorSize;
    std::vector<SectorExtent> extents;
    uint64_t sectors = 0;
    for (const ClusterRun& run : runs) {
        if (sectors >= wantedSectors)
            break;
        uint64_t count = std::min(run.length * spc, wantedSectors - sectors);
        AppendSectorExtent(extents, run.sparse ? 0 : b.clusterBase + run.lcn * spc, count, run.sparse);
        sectors += count;
    }
    complete = complete && sectors >= wantedSectors;
    return extents;
}

// The data up to its initialized size, then zeros up to its real size, not the clusters' bytes from
// there on, which were never written as this file's: not even the rest of the sector it ends in.
CopyOutcome CopyValidData(COutputFile& file, const std::vector<ClusterRun>& runs, uint64_t realSize,
    uint64_t initialized, bool& complete, const CopyProgressFunction& progress)
{
    const uint64_t valid = std::min(initialized, realSize);
    CopyOutcome outcome = CopySectorExtents(file, ValidDataExtents(runs, valid, complete), valid, ReadSourceSectors,
        g_wReadRetries, progress);
    if (outcome.written < valid || outcome.stopped || outcome.writeFailed || realSize == valid)
        return outcome;
    const uint64_t rest = realSize - valid;
    const std::vector<SectorExtent> zeros{{0, (rest + kSectorSize - 1) / kSectorSize, true}};
    const CopyOutcome tail =
        CopySectorExtents(file, zeros, rest, ReadSourceSectors, g_wReadRetries, [&](uint64_t written) {
            if (progress)
                progress(valid + written);
        });
    outcome.written += tail.written;
    outcome.stopped = tail.stopped;
    outcome.writeFailed = tail.writeFailed;
    return outcome;
}

// A deleted file's runs over its first `bytes`, with the clusters that the volume's bitmap gives to a
// file now turned into sparse runs (zeros), whole compression units of `unit` clusters where it is
// compressed; `taken` tells whether there were any. False when none of its clusters are its own.
// Where the bitmap cannot be read the runs stay as they are and the report says so.
bool SparseOutTakenClusters(std::vector<ClusterRun>& runs, uint64_t bytes, uint64_t clusterBytes, uint64_t unit,
    bool& taken)
{
    const uint64_t clusters = bytes / clusterBytes + (bytes % clusterBytes != 0 ? 1 : 0);
    morvick::VolumeBitmap* bitmap = SavedVolumeBitmap();
    morvick::EngineSectorSource disk;
    const ClustersTaken counted = SparseOutClustersInUse(runs, clusters, unit, [&](uint64_t lcn) {
        return bitmap != nullptr ? bitmap->Use(disk, lcn) : morvick::ClusterUse::kUnknown;
    });
    if (counted.unknown)
        g_SaveReport.clusterUseUnknown = true;
    taken = counted.taken > 0;
    return counted.own > 0 || counted.taken == 0;
}

}  // namespace

int SaveNtfsFile(const std::u16string& folder, const char16_t* name, uint32_t recordSector, uint32_t recordNumber,
    uint64_t size, int counting, uint32_t deleted)
{
    (void)size;  // the record's own sizes decide what is written
    std::u16string path;
    if (!PrepareSaveTarget(folder, name, counting != 0, deleted ? DeletedState::kDeleted : DeletedState::kLive, path))
        return 0;
    if (g_VolumeParams.sectorsPerCluster == 0)
        return 0;
    // Of the MFT's record size, not 1,024 bytes always: a record of 4,096 bytes failed its fix-ups.
    std::vector<uint8_t> record(CurrentMftRecordBytes());
    std::vector<DataPiece> pieces(1);
    // The record is read through the MFT's runs and proven the file's own, not taken as the two sectors
    // at the given sector: a split record read so is torn, and a sector of another record gave its bytes.
    bool mapped = false;
    uint32_t mappedNumber = 0;
    morvick::EngineSectorSource disk;
    if (!morvick::ReadMftRecordFrom(disk, g_MftRunTable, recordSector, record.data(), mapped, mappedNumber) ||
        !RecordOfFile(record.data(), recordNumber, mapped, mappedNumber) || !FindFirstDataPiece(record, pieces[0])) {
        if (!SkippedAsDuplicate(path, counting != 0))
            RecordNotSaved(name);
        return 0;
    }
    // A copy, not a reference into `pieces`: gathering the other pieces may move the vector's elements.
    const DataPiece first = pieces[0];
    // Encrypted data would come out as garbage, and so would compression other than LZNT1 in units
    // of at most 64 KiB: such a file is reported, not written as its clusters hold it.
    const bool compressed = !first.resident && (first.flags & kAttributeCompressed);
    if (!first.resident &&
        ((first.flags & kAttributeEncrypted) ||
            (compressed &&
                (first.compressionUnit == 0 || first.compressionUnit > 4 || g_VolumeParams.sectorsPerCluster > 8)))) {
        if (!SkippedAsDuplicate(path, counting != 0))
            RecordNotSaved(name);
        return 0;
    }
    const uint64_t clusterBytes = uint64_t{g_VolumeParams.sectorsPerCluster} * kSectorSize;
    // Data that the attribute list spreads over other records is gathered, not only the first piece:
    // the file would end, cut short, where its first record's runs do.
    if (!first.resident && first.lowestVcn == 0 && (first.highestVcn + 1) * clusterBytes < first.realSize)
        GatherExtensionPieces(record.data(), pieces);

    std::vector<ClusterRun> runs;
    bool complete = true;
    uint64_t dataSize = first.resident ? first.value.size() : first.realSize;
    bool sizeBeyondRuns = false;
    if (!first.resident) {
        // A run list that cannot be decoded is not saved from the runs read before the damage: its
        // sizes are as untrustworthy as its runs, and the zeros up to them could fill the target disk.
        if (!FlattenRuns(pieces, runs, complete)) {
            if (!SkippedAsDuplicate(path, counting != 0))
                RecordNotSaved(name);
            return 0;
        }
        // No more than the runs hold: a damaged real size would otherwise be made up with zeros
        // until the target disk is full. The file is cut there and reported as damaged.
        uint64_t runBytes = RunBytes(runs, clusterBytes);
        // Sparse runs are bounded as well, by the volume's clusters: a damaged sparse run of billions
        // of clusters would otherwise be written out as zeros until the target disk is full.
        const uint64_t volumeClusters = ChosenVolumeClusters(morvick::EngineSectorSource());
        if (volumeClusters != 0 && volumeClusters <= UINT64_MAX / clusterBytes)
            runBytes = std::min(runBytes, volumeClusters * clusterBytes);
        if (dataSize > runBytes) {
            dataSize = runBytes;
            sizeBeyondRuns = true;
        }
    }
    // A deleted file's clusters that the volume gives to a file now hold that file's bytes, not its
    // own: they are written as zeros, and a file with none of its own left is not written. A live
    // file's clusters are its own.
    bool clustersTaken = false;
    if (deleted && !first.resident &&
        !SparseOutTakenClusters(runs, compressed ? dataSize : std::min(dataSize, first.initializedSize), clusterBytes,
            compressed ? uint64_t{1} << first.compressionUnit : 1, clustersTaken)) {
        if (!SkippedAsDuplicate(path, counting != 0)) {
            RecordNotSaved(name);
            ++g_SaveReport.reusedClusterFiles;
        }
        return 0;
    }

    COutputFile file;
    if (!CreateSaveFile(file, folder, path, name, counting != 0))
        return 0;
    CopyOutcome outcome;
    if (first.resident) {
        if (!first.value.empty() && !file.Write(first.value.data(), first.value.size()))
            outcome.writeFailed = true;
        else
            outcome.written = first.value.size();
    } else {
        auto progress = [&](uint64_t written) {
            if (counting)
                ReportSaveProgress(written, dataSize);
        };
        if (compressed) {
            // Expanded, not copied as stored: the compressed clusters as they lie are no use as the file.
            CompressedLayout layout;
            layout.clusterBase = g_VolumeParams.clusterBase;
            layout.sectorsPerCluster = g_VolumeParams.sectorsPerCluster;
            layout.unitClusters = 1u << first.compressionUnit;
            outcome = CopyCompressedRuns(file, runs, dataSize, layout, ReadSourceSectors, g_wReadRetries, progress);
        } else {
            outcome = CopyValidData(file, runs, dataSize, first.initializedSize, complete, progress);
        }
        outcome.missingData = outcome.missingData || !complete || sizeBeyondRuns;
        outcome.clustersTaken = clustersTaken;
    }
    // Through the handle that wrote the file: no second look-up of its name.
    RestoreNtfsFileTimes(file, g_qwSaveFileTime);
    return FinishSaveFile(file, path, name, outcome) ? 1 : 0;
}
