#include "engine/scan/LostNtfsFolders.h"

#include "engine/ScanObserver.h"
#include "engine/listing/ResultListing.h"
#include "engine/ntfs/NtfsEntryLists.h"
#include "engine/ntfs/NtfsFolderLoops.h"
#include "engine/state/EngineState.h"

#include <unordered_set>

const char16_t kLostDataStep1Text[] = u"Searching for Lost Data ( Step 1/2 )...";
const char16_t kLostDataStep2Text[] = u"Searching for Lost Data ( Step 2/2 )...";

namespace {

class LostFolderMaker {
public:
    LostFolderMaker()
    {
        for (const NtfsFolderRecord* r = g_NtfsFolders.head; r; r = r->next)
            m_known.insert(r->recordNumber);
    }
    // A lost folder for the parent unless it is the root or a known folder.
    void Adopt(uint32_t parent)
    {
        if (parent == kNtfsRootRecordNumber || m_known.count(parent))
            return;
        AppendNtfsFolder(u"Dir" + DecimalText(m_next++), parent, kLostDirRecordNumber, 0, 0, 0, 0);
        m_known.insert(parent);
    }

private:
    std::unordered_set<uint32_t> m_known;
    uint64_t m_next = 0;
};

void Progress(uint64_t done, uint64_t total)
{
    uint64_t percent = total ? done * 100 / total : 0;
    CurrentScanObserver().OnProgress(static_cast<int>(percent > 99 ? 99 : percent));
}

} // namespace

void AddLostNtfsFolders(ScanFinishedWord& finished)
{
    ScanObserver& observer = CurrentScanObserver();
    observer.OnStatus(kLostDataStep1Text);
    observer.OnProgress(0);
    AppendNtfsFolder(u"Lost Dir", kLostDirRecordNumber, kNtfsRootRecordNumber, 0, 0, 0, 0);
    LostFolderMaker maker;
    // Folders appended on the way join the walk; they hang under "Lost Dir", which is known.
    uint64_t looked = 0;
    for (const NtfsFolderRecord* r = g_NtfsFolders.head; r; r = r->next) {
        maker.Adopt(r->parentRecord);
        Progress(++looked, g_nFatFolderCount);
    }
    observer.OnStatus(kLostDataStep2Text);
    looked = 0;
    for (const MftEntryRecord* r = g_MftEntries.head; r; r = r->next) {
        maker.Adopt(r->parentRecord);
        Progress(++looked, g_nFatFileCount);
    }
    // Folders whose parents loop hang under "Lost Dir" too, not under no folder of the tree: unseen,
    // they and their files were counted but never saved.
    BreakNtfsFolderLoops();
    finished = 0;
}
