#include "engine/scan/QuickScan.h"

#include "engine/ScanObserver.h"
#include "engine/image/SectorReader.h"
#include "engine/listing/ResultListing.h"
#include "engine/ntfs/FolderSequences.h"
#include "engine/ntfs/MftRecordFacts.h"
#include "engine/ntfs/MftRecord.h"
#include "engine/ntfs/MftWalk.h"
#include "engine/ntfs/NtfsEntryLists.h"
#include "engine/scan/LostNtfsFolders.h"
#include "engine/state/EngineState.h"
#include "engine/state/SectorLimit.h"
#include "engine/volume/EngineSectorSource.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// MFT sectors read at a time.
constexpr uint32_t kChunkSectors = 2048;

// The parent field of a listed entry and the rest of its parent reference, kept until every folder
// record of the MFT has been read.
struct ParentLink {
    uint32_t* parentRecord;
    uint16_t parentHigh;
    uint16_t parentSequence;
    const MftEntryRecord* file;  // null for a folder
};

class NtfsPass {
public:
    explicit NtfsPass(const ScanFinishedWord& finished)
        : m_finished(finished), m_observer(CurrentScanObserver()), m_recordSectors(CurrentMftRecordSectors()),
          m_recordBytes(CurrentMftRecordBytes())
    {}

    void Run()
    {
        m_total = g_MftRunTable.TotalSectors();
        std::vector<uint8_t> chunk(static_cast<size_t>(kChunkSectors) * kSectorSize);
        // One stream of records across the runs, a record's number its place in it, not each run taken
        // as whole records: with clusters smaller than a record, a run of an odd number of sectors ends
        // in a record's first half, and every record after it was read from its middle and misnumbered.
        std::vector<uint8_t> record(m_recordBytes);
        uint64_t number = 0;
        uint32_t gathered = 0;  // sectors of the current record gathered so far
        uint64_t recordSector = 0;
        bool recordWhole = true;
        const uint64_t diskEnd = morvick::EngineSectorSource().SectorCount();
        for (size_t run = 0; run < g_MftRunTable.start.size() && !ScanStopped(m_finished); ++run) {
            const uint64_t start = g_MftRunTable.start[run];
            const uint64_t length = g_MftRunTable.length[run];
            for (uint64_t offset = 0; offset < length && !ScanStopped(m_finished);) {
                // Nothing past the disk's end can be read: the rest of the run is counted over at once,
                // not tried a sector at a time, which took minutes for a damaged record 0 whose run
                // claims billions of clusters of a volume that claims as many, over a small image.
                if (start != 0 && diskEnd != 0 && start + offset >= diskEnd) {
                    const uint64_t sectors = gathered + (length - offset);
                    number += sectors / m_recordSectors;
                    m_read += sectors / m_recordSectors * m_recordSectors;
                    gathered = static_cast<uint32_t>(sectors % m_recordSectors);
                    recordWhole = false;
                    if (number > 0xFFFFFFFFu)
                        return;
                    break;
                }
                const uint32_t count = static_cast<uint32_t>(std::min<uint64_t>(kChunkSectors, length - offset));
                // A sparse run (start 0) holds no records; an unreadable chunk is read sector by sector.
                const bool chunkRead = start != 0 && ReadSectors(start + offset, count, chunk.data());
                for (uint32_t i = 0; i < count && !ScanStopped(m_finished); ++i) {
                    const uint64_t sector = start + offset + i;
                    if (gathered == 0) {
                        recordSector = sector;
                        recordWhole = start != 0;
                        if (recordWhole)
                            m_observer.OnCurrentSector(sector);
                    }
                    uint8_t* into = record.data() + static_cast<size_t>(gathered) * kSectorSize;
                    if (start == 0)
                        recordWhole = false;
                    else if (chunkRead)
                        std::memcpy(into, chunk.data() + static_cast<size_t>(i) * kSectorSize, kSectorSize);
                    else if (recordWhole && !ReadSectors(sector, 1, into))
                        recordWhole = false;
                    if (++gathered < m_recordSectors)
                        continue;
                    // Record numbers are 32-bit: an MFT longer than that is damage.
                    if (number > 0xFFFFFFFFu)
                        return;
                    if (recordWhole)
                        Handle(record.data(), recordSector, static_cast<uint32_t>(number));
                    gathered = 0;
                    ++number;
                    Progress();
                }
                offset += count;
            }
        }
    }

    // Each entry goes into the folder its parent reference names, now that all are known; `moved`, where
    // given, gets each file placed elsewhere than the number the reference names.
    void PlaceEntries(NtfsReferencedParents* moved) const
    {
        // By the whole reference, not the number alone: else a folder made in a deleted one's record gets its files.
        for (const ParentLink& link : m_links) {
            const uint32_t named = *link.parentRecord;
            *link.parentRecord = m_folders.ListedParent(named, link.parentHigh, link.parentSequence);
            if (moved && link.file && *link.parentRecord != named)
                (*moved)[link.file->recordNumber] = named;
        }
    }

private:
    void Handle(uint8_t* record, uint64_t sector, uint32_t number)
    {
        morvick::MftRecordHeader header;
        if (std::memcmp(record, "FILE", 4) != 0 || !morvick::ApplyMultiSectorFixups(record, m_recordBytes) ||
            !morvick::ParseMftRecordHeader(record, m_recordBytes, header) || header.flags > 3)
            return;
        // An extension record is part of another file, whose base record lists it: listed by itself
        // it would show that file a second time, with no data of its own. A torn record (its sector
        // ends disagree) is passed over too, not read as if whole.
        if (header.extension)
            return;
        MftRecordFacts facts;
        if (!ReadListedRecordFacts(record, header, number, sector, facts))
            return;
        const morvick::NtfsFileName& n = facts.name;
        const bool folder = (header.flags & 2) != 0;
        // Left out and counted, not listed with its sector cut to 32 bits: a file or folder whose record
        // lies past the sectors the lists hold (engine/state/SectorLimit.h), where the cut sector is
        // another record's.
        if (!FitsSectorField(sector)) {
            ++m_pastLimit;
            return;
        }
        // A file whose base record lies before them is listed by it where the record that holds its data
        // lies past them: the save reads that record through the MFT's runs, as it does for the
        // Extensive Scan, which lists every file by its base record.
        const uint64_t dataSector = FitsSectorField(facts.dataSector) ? facts.dataSector : sector;
        uint32_t* parent = nullptr;
        const MftEntryRecord* file = nullptr;
        if (folder) {
            NtfsFolderRecord* f =
                AppendNtfsFolder(n.name, number, n.parent, n.creationTime, n.changeTime, 0, header.flags == 2 ? 1 : 0);
            m_folders.Add(number, header.sequence, (header.flags & 1) != 0);
            parent = f ? &f->parentRecord : nullptr;
            ++g_nFatFolderCount;
        } else {
            MftEntryRecord* e = AppendMftEntry(static_cast<uint32_t>(dataSector), n.name, number, n.parent,
                n.creationTime, n.changeTime, header.flags == 0 ? 1 : 0, facts.size);
            // A nameless file's place is "Lost Dir" already: it has no parent reference to follow.
            parent = e && !facts.nameless ? &e->parentRecord : nullptr;
            file = e;
            ++g_nFatFileCount;
        }
        if (parent)
            m_links.push_back({parent, n.parentHigh, n.parentSequence, file});
    }

    void Progress()
    {
        m_read += m_recordSectors;
        uint64_t percent = m_total ? (m_read + m_recordSectors) * 100 / m_total : 0;
        if (percent > 99)
            percent = 99;
        if (static_cast<int>(percent) != m_percent) {
            m_percent = static_cast<int>(percent);
            m_observer.OnProgress(m_percent);
        }
        if (++m_records % 20 == 0)
            m_observer.OnStatus(u"Reading Sector " + DecimalText(m_read) + u" Of " + DecimalText(m_total));
    }

    const ScanFinishedWord& m_finished;
    ScanObserver& m_observer;
    // The MFT's record size, not 1,024 bytes always: records of 4,096 bytes (a volume of 4,096-byte
    // sectors) were read in quarters, failed their fix-ups, and none was listed.
    const uint32_t m_recordSectors;
    const size_t m_recordBytes;
    morvick::FolderSequences m_folders;
    std::vector<ParentLink> m_links;
    uint64_t m_total = 0;
    uint64_t m_read = 0;
    uint64_t m_records = 0;
    int m_percent = -1;
    uint64_t m_pastLimit = 0;

public:
    // Files and folders left out for their records past the sectors the lists hold.
    uint64_t PastLimit() const { return m_pastLimit; }
};

}  // namespace

void QuickScanNtfs(ScanFinishedWord& finished, NtfsReferencedParents* moved)
{
    FreeFoundEntryLists();
    const VolumeParameterBlock& b = g_VolumeParams;
    // Record 0 at the MFT start maps the MFT; when it is missing, torn or its runs are damaged, the
    // mirror's record 0 still maps the whole MFT (a torn record 0 alone would hide every file).
    if ((b.mftStart == 0 || !WalkMftRecords(b.clusterBase, b.mftStart, b.sectorsPerCluster)) &&
        (b.mftMirrorStart == 0 || !WalkMftRecords(b.clusterBase, b.mftMirrorStart, b.sectorsPerCluster)))
        return;
    g_nFatFolderCount = 0;
    g_nFatFileCount = 0;
    NtfsPass pass(finished);
    pass.Run();
    if (ScanStopped(finished))
        return;
    pass.PlaceEntries(moved);
    if (pass.PastLimit() != 0)
        ShowEngineMessage(DecimalText(pass.PastLimit()) + kRecordsPastSectorLimitText, kMessageInformation);
    AddLostNtfsFolders(finished);
}
