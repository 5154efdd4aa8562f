#include "engine/extensive/FoundVolumeScan.h"

#include "engine/ScanObserver.h"
#include "engine/extensive/ExtensiveScanState.h"
#include "engine/listing/ResultListing.h"
#include "engine/ntfs/DataAttribute.h"
#include "engine/ntfs/FolderSequences.h"
#include "engine/ntfs/MftRecord.h"
#include "engine/ntfs/MftWalk.h"
#include "engine/ntfs/NtfsEntryLists.h"
#include "engine/state/EngineState.h"
#include "engine/state/FoundRecordReferences.h"
#include "engine/state/SectorLimit.h"
#include "engine/volume/EngineSectorSource.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>
#include <utility>
#include <vector>

namespace {

constexpr uint32_t kRootRecord = 5;

uint64_t Join64(uint32_t low, uint32_t high)
{
    return (uint64_t{high} << 32) | low;
}

bool IsDot(const char16_t* name)
{
    return name && name[0] == u'.' && name[1] == 0;
}

template <class Record>
bool FoundAt(const RecordList<Record>& list, uint64_t sector)
{
    for (const Record* r = list.head; r; r = r->next) {
        if (r->sector == sector)
            return true;
    }
    return false;
}

// Records the search could not read whole, for they lie split across two of the MFT's runs (a run
// of an odd number of sectors, with clusters smaller than a record): read through the runs now and
// listed as the search lists records, each once however often the volume is browsed. A folder's
// number is its place in the MFT, and it joins the browsed volume.
void AddSplitMftRecords(uint16_t volume)
{
    morvick::EngineSectorSource disk;
    for (const auto& [number, sector] : morvick::SplitMftRecords(g_MftRunTable)) {
        uint8_t raw[morvick::kMftRecordSize];
        uint8_t record[morvick::kMftRecordSize];
        morvick::MftRecordHeader header;
        if (!FitsSectorField(sector) || FoundAt(g_NtfsFileRecords, sector) || FoundAt(g_FoundNtfsRecords, sector) ||
            !morvick::ReadMftRecordSectors(disk, g_MftRunTable, number, raw))
            continue;
        // The search's reader takes the record as it lies; its header is judged on a fixed-up copy.
        std::memcpy(record, raw, sizeof record);
        if (!morvick::ApplyMultiSectorFixups(record, sizeof record) ||
            !morvick::ParseMftRecordHeader(record, sizeof record, header) || header.extension)
            continue;
        const uint32_t folders = g_FoundNtfsRecords.count;
        if (ProcessFoundMftRecordBytes(static_cast<uint32_t>(sector), raw) && g_FoundNtfsRecords.count != folders) {
            g_FoundNtfsRecords.tail->recordNumber = number;
            g_FoundNtfsRecords.tail->analysisMark = volume;
        }
    }
}

bool InsideVolume(const NtfsFileRecord* r)
{
    return r->sector > g_VolumeParams.clusterBase && r->sector <= g_VolumeParams.volumeEnd;
}

// The folder a found record is listed in: by its whole parent reference, where the search kept it
// (`reference`; none for the records of a loaded snapshot, which were placed when it was written).
uint32_t ListedParent(
    const morvick::FolderSequences& sequences, const FoundRecordReference* reference, uint32_t parentRecord)
{
    // By the whole reference, not the number alone: else a folder made in a deleted one's record gets its files.
    return reference ? sequences.ListedParent(reference->parent, reference->parentHigh, reference->parentSequence)
                     : parentRecord;
}

// The size of a file whose first piece of data lies in an extension record, read there through the
// MFT's runs, as is its base record (it may lie split across two runs, as the save reads it). False
// when that record cannot be found.
bool SizeFromExtension(const NtfsFileRecord& r, uint64_t& size)
{
    morvick::EngineSectorSource disk;
    uint8_t record[morvick::kMftRecordSize];
    uint8_t extension[morvick::kMftRecordSize];
    morvick::MftRecordHeader header;
    uint64_t sector = 0;
    bool mapped = false;
    uint32_t number = 0;
    return morvick::ReadMftRecordFrom(disk, g_MftRunTable, r.sector, record, mapped, number) &&
        morvick::ParseMftRecordHeader(record, sizeof record, header) && header.numbered &&
        (!mapped || header.number == number) &&
        ReadFirstDataExtension(record, header, header.number, sector, extension) &&
        morvick::GetMftRecordDataSize(extension, sizeof extension, size);
}

// Gives the volume's files their folders by their whole parent references, and the files whose data
// begins in an extension record their sizes.
void PlaceFoundFiles(const morvick::FolderSequences& sequences, const ScanFinishedWord& finished)
{
    for (NtfsFileRecord* r = g_NtfsFileRecords.head; r && !ScanStopped(finished); r = r->next) {
        if (!InsideVolume(r))
            continue;
        const FoundRecordReference* reference = FoundRecordReferenceAt(r->sector);
        r->parentRecord = ListedParent(sequences, reference, r->parentRecord);
        uint64_t size = 0;
        // The size where the attribute list places the first piece, not 0: else the file is listed empty, unsaved.
        if (reference && reference->dataElsewhere && SizeFromExtension(*r, size))
            SetRecordSize(*r, size);
    }
}

}  // namespace

void AddLostFoundNtfsFolders(const ScanFinishedWord& finished)
{
    ScanObserver& observer = CurrentScanObserver();
    observer.OnStatus(u"Searching For Lost Data");
    observer.OnProgress(0);
    std::unordered_set<uint32_t> owned{kRootRecord};
    for (const NtfsFolderRecord* f = g_NtfsFolders.head; f; f = f->next)
        owned.insert(f->recordNumber);
    NtfsFolderRecord* walk = g_NtfsFolders.head;
    if (AppendNewNtfsFolder(u"Lost Dir", kLostDirRecordNumber, kRootRecord, 0, 0, 0, 0))
        owned.insert(kLostDirRecordNumber);
    uint32_t lost = 0;
    auto adopt = [&](uint32_t parent) {
        if (owned.insert(parent).second)
            AppendNewNtfsFolder(u"Dir" + DecimalText(lost++), parent, kLostDirRecordNumber, 0, 0, 0, 0);
    };
    uint32_t walked = 0;
    for (NtfsFolderRecord* f = walk; f && !ScanStopped(finished); f = f->next) {
        adopt(f->parentRecord);
        observer.OnProgress(ProgressPercent(++walked, g_NtfsFolders.count));
    }
    // Files of the volume whose folder was never found are gathered too, not only folders: such a file
    // would hang under no folder of the tree, and could be neither seen nor saved.
    for (const NtfsFileRecord* r = g_NtfsFileRecords.head; r && !ScanStopped(finished); r = r->next) {
        if (InsideVolume(r))
            adopt(r->parentRecord);
    }
}

void FoundVolumeScanNtfs(const ScanFinishedWord& finished)
{
    FreeNtfsEntryLists();
    ScanObserver& observer = CurrentScanObserver();
    observer.OnStatus(u"Extracting entries for the file system...");
    observer.OnProgress(0);
    const VolumeParameterBlock& b = g_VolumeParams;
    // The MFT's runs, for files whose data is described in extension records.
    if (b.mftStart == 0 || !WalkMftRecords(b.clusterBase, b.mftStart, b.sectorsPerCluster)) {
        if (b.mftMirrorStart == 0 || !WalkMftRecords(b.clusterBase, b.mftMirrorStart, b.sectorsPerCluster))
            FreeMftRunTable();
    }
    AddSplitMftRecords(b.volumeNumber);
    std::unordered_set<uint32_t> numbers;
    std::vector<std::pair<const FoundNtfsRecord*, const FoundRecordReference*>> folders;
    morvick::FolderSequences sequences;
    uint32_t walked = 0;
    for (const FoundNtfsRecord* r = g_FoundNtfsRecords.head; r && !ScanStopped(finished); r = r->next) {
        observer.OnProgress(ProgressPercent(++walked, g_FoundNtfsRecords.count));
        if (r->analysisMark != b.volumeNumber || r->recordNumber == kRootRecord || IsDot(r->name))
            continue;
        // One folder per record number: a record found twice (the MFT mirror, an old copy) would list
        // and save its files twice.
        if (!numbers.insert(r->recordNumber).second)
            continue;
        const FoundRecordReference* reference = FoundRecordReferenceAt(r->sector);
        folders.emplace_back(r, reference);
        if (reference)
            sequences.Add(r->recordNumber, reference->sequence, reference->inUse);
    }
    for (const auto& [r, reference] : folders) {
        AppendNewNtfsFolder(r->name, r->recordNumber, ListedParent(sequences, reference, r->parentRecord),
            Join64(r->creationTimeLow, r->creationTimeHigh), Join64(r->changeTimeLow, r->changeTimeHigh), 0,
            r->deleted);
    }
    PlaceFoundFiles(sequences, finished);
    AddLostFoundNtfsFolders(finished);
}
