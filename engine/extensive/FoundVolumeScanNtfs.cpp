#include "engine/extensive/FoundVolumeScan.h"

#include "engine/ScanObserver.h"
#include "engine/extensive/ExtensiveScanState.h"
#include "engine/listing/ResultListing.h"
#include "engine/ntfs/DataAttribute.h"
#include "engine/ntfs/FolderSequences.h"
#include "engine/ntfs/MftRecordFacts.h"
#include "engine/ntfs/MftRecord.h"
#include "engine/ntfs/MftWalk.h"
#include "engine/ntfs/NtfsEntryLists.h"
#include "engine/ntfs/NtfsFolderLoops.h"
#include "engine/scan/QuickScan.h"
#include "engine/state/EngineState.h"
#include "engine/state/FoundRecordReferences.h"
#include "engine/state/SectorLimit.h"
#include "engine/volume/EngineSectorSource.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <set>
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
    const size_t length = CurrentMftRecordBytes();
    for (const auto& [number, sector] : morvick::SplitMftRecords(g_MftRunTable)) {
        uint8_t raw[morvick::kLargestMftRecordSize];
        uint8_t record[morvick::kLargestMftRecordSize];
        morvick::MftRecordHeader header;
        if (!FitsSectorField(sector) || FoundAt(g_NtfsFileRecords, sector) || FoundAt(g_FoundNtfsRecords, sector) ||
            !morvick::ReadMftRecordSectors(disk, g_MftRunTable, number, raw))
            continue;
        // The search's reader takes the record as it lies; its header is judged on a fixed-up copy.
        std::memcpy(record, raw, length);
        if (!morvick::ApplyMultiSectorFixups(record, length) ||
            !morvick::ParseMftRecordHeader(record, length, header) || header.extension)
            continue;
        const uint32_t folders = g_FoundNtfsRecords.count;
        if (ProcessFoundMftRecordBytes(static_cast<uint32_t>(sector), raw, length) &&
            g_FoundNtfsRecords.count != folders) {
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

}  // namespace

bool ReadFoundFileSizeFromExtension(uint32_t recordSector, uint64_t& size)
{
    morvick::EngineSectorSource disk;
    const size_t length = CurrentMftRecordBytes();
    uint8_t record[morvick::kLargestMftRecordSize];
    uint8_t extension[morvick::kLargestMftRecordSize];
    morvick::MftRecordHeader header;
    uint64_t sector = 0;
    bool mapped = false;
    uint32_t number = 0;
    return morvick::ReadMftRecordFrom(disk, g_MftRunTable, recordSector, record, mapped, number) &&
        morvick::ParseMftRecordHeader(record, length, header) && header.numbered &&
        (!mapped || header.number == number) &&
        ReadFirstDataExtension(record, header, header.number, sector, extension) &&
        morvick::GetMftRecordDataSize(extension, length, size);
}

namespace {

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
        if (reference && reference->dataElsewhere && ReadFoundFileSizeFromExtension(r->sector, size))
            SetRecordSize(*r, size);
    }
}

bool Nameless(uint32_t sector)
{
    const FoundRecordReference* reference = FoundRecordReferenceAt(sector);
    return reference && reference->nameless;
}

// Names a record of the volume that the search found without a name, from the extension records that
// its attribute list names, read through the MFT's runs as the Quick Scan reads them: the search did
// not meet them where they lie past the sectors it reads (engine/state/SectorLimit.h) or past its range.
// Only a record at its own place in the MFT: another of its number (an old copy) is another file's.
template <class T>
void NameFromMft(T& r)
{
    morvick::EngineSectorSource disk;
    const size_t length = CurrentMftRecordBytes();
    uint8_t record[morvick::kLargestMftRecordSize];
    morvick::MftRecordHeader header;
    bool mapped = false;
    uint32_t number = 0;
    MftRecordFacts facts;
    morvick::FoundMftRecord found;
    if (!morvick::ReadMftRecordFrom(disk, g_MftRunTable, r.sector, record, mapped, number) ||
        !morvick::ParseMftRecordHeader(record, length, header))
        return;
    if (mapped && header.numbered && header.number == number &&
        ReadListedRecordFacts(record, header, number, r.sector, facts) && facts.named &&
        morvick::DecodeFoundMftRecordNamed(record, length, facts.name, found)) {
        // A folder's number is its place in the MFT, as read: its index root may name none.
        found.ownNumber = number;
        SetFoundRecordFields(r, found);
        return;
    }
    // A record split across the MFT's runs is read after the search, and waits for its name with none
    // given yet: it is given what the search gives a record that finds none.
    if (r.name[0] == 0 && morvick::DecodeNamelessFoundMftRecord(record, length, found))
        SetFoundRecordFields(r, found);
}

// The volume's records that the search found without a name, named where their MFT holds one.
void NameNamelessRecords(uint16_t volume, const ScanFinishedWord& finished)
{
    if (g_MftRunTable.start.empty())
        return;
    for (FoundNtfsRecord* r = g_FoundNtfsRecords.head; r && !ScanStopped(finished); r = r->next) {
        if (r->analysisMark == volume && Nameless(r->sector))
            NameFromMft(*r);
    }
    for (NtfsFileRecord* r = g_NtfsFileRecords.head; r && !ScanStopped(finished); r = r->next) {
        if (InsideVolume(r) && Nameless(r->sector))
            NameFromMft(*r);
    }
}

// The nameless files of the volume that still have none, each under a name no other of them has in
// "Lost Dir": a second record of the same number (an old copy elsewhere in the volume) gets " (2)".
void KeepNamelessNamesApart(const ScanFinishedWord& finished)
{
    std::set<std::u16string> taken;
    for (NtfsFileRecord* r = g_NtfsFileRecords.head; r && !ScanStopped(finished); r = r->next) {
        if (!InsideVolume(r) || !Nameless(r->sector) || r->parentRecord != kLostDirRecordNumber)
            continue;
        const std::u16string name(r->name);
        std::u16string unique = name;
        for (uint32_t n = 2; !taken.insert(unique).second; ++n)
            unique = name + u" (" + DecimalText(n) + u")";
        if (unique != name) {
            if (char16_t* copy = CopyRecordName(unique)) {
                std::free(r->name);
                r->name = copy;
            }
        }
    }
}

// The files and folders of the volume that the Quick Scan would list but whose records lie past the
// sectors the search reads (engine/state/SectorLimit.h): read through the MFT's runs, only to be
// counted, as the Quick Scan counts those it leaves out.
uint64_t CountListedPastLimit(const ScanFinishedWord& finished)
{
    morvick::EngineSectorSource disk;
    uint8_t record[morvick::kLargestMftRecordSize];
    const uint32_t recordSectors = CurrentMftRecordSectors();
    const uint64_t records = g_MftRunTable.TotalSectors() / recordSectors;
    const uint64_t diskEnd = disk.SectorCount();
    uint64_t runFirst = 0;  // the MFT's sector at which the run below begins, counted across the runs
    uint64_t count = 0;
    for (size_t run = 0; run < g_MftRunTable.start.size() && !ScanStopped(finished); ++run) {
        const uint64_t start = g_MftRunTable.start[run];
        const uint64_t length = g_MftRunTable.length[run];
        // The records that begin in this run, past the limit: a sparse run (start 0) holds none.
        uint64_t first = (runFirst + recordSectors - 1) / recordSectors;
        // From the first past the limit to the disk's end, not each record of the run looked at: a
        // damaged record 0 whose run claims billions of clusters took seconds, and minutes past it.
        if (FitsSectorField(start))
            first = std::max(first, (runFirst + (kLastHeldSector + 1 - start) + recordSectors - 1) / recordSectors);
        for (uint64_t n = first; start != 0 && n < records && n <= 0xFFFFFFFFu && !ScanStopped(finished); ++n) {
            const uint64_t offset = n * recordSectors - runFirst;
            if (offset >= length || (diskEnd != 0 && start + offset >= diskEnd))
                break;
            morvick::MftRecordHeader header;
            MftRecordFacts facts;
            if (!FitsSectorField(start + offset) &&
                morvick::ReadMftRecord(disk, g_MftRunTable, static_cast<uint32_t>(n), record) &&
                morvick::ParseMftRecordHeader(record, size_t{recordSectors} * kSectorSize, header) &&
                header.flags <= 3 && !header.extension &&
                ReadListedRecordFacts(record, header, static_cast<uint32_t>(n), start + offset, facts))
                ++count;
        }
        runFirst += length;
    }
    return count;
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
    // And folders whose parents loop: else they and their files hang under no folder of the tree.
    BreakNtfsFolderLoops();
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
    NameNamelessRecords(b.volumeNumber, finished);
    std::unordered_set<uint32_t> numbers;
    std::vector<std::pair<const FoundNtfsRecord*, const FoundRecordReference*>> folders;
    morvick::FolderSequences sequences;
    uint32_t walked = 0;
    for (const FoundNtfsRecord* r = g_FoundNtfsRecords.head; r && !ScanStopped(finished); r = r->next) {
        observer.OnProgress(ProgressPercent(++walked, g_FoundNtfsRecords.count));
        if (r->analysisMark != b.volumeNumber || r->recordNumber == kRootRecord || IsDot(r->name))
            continue;
        // A folder whose name was found nowhere is left out: its files and folders go to a lost folder.
        if (Nameless(r->sector))
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
    KeepNamelessNamesApart(finished);
    // What lies past the sectors the search reads is left out, and the user told how much, as the Quick
    // Scan tells it: the search met none of it, and left it out without a word.
    const uint64_t pastLimit = CountListedPastLimit(finished);
    if (pastLimit != 0 && !ScanStopped(finished))
        ShowEngineMessage(DecimalText(pastLimit) + kRecordsPastSectorLimitText, kMessageInformation);
    AddLostFoundNtfsFolders(finished);
}
