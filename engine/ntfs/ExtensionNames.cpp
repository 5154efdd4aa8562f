#include "engine/ntfs/ExtensionNames.h"

#include "engine/ntfs/FoundMftRecord.h"
#include "engine/ntfs/MftWalk.h"
#include "engine/ntfs/NtfsEntryLists.h"
#include "engine/state/EngineState.h"
#include "engine/volume/EngineSectorSource.h"

#include <algorithm>
#include <cstddef>
#include <type_traits>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace {

// Waiting records and extension records remembered at most, each: a disk of nothing but such records
// must not fill the memory.
constexpr size_t kMaxRemembered = size_t(1) << 20;
// Extension records looked at for one base record on each side of it, among those that name its
// number (a hostile disk may hold any number of them), and read for its name, best first.
constexpr ptrdiff_t kLookedAtEachSide = 32;
constexpr size_t kMaxTriedNames = 8;

struct KeptName {
    uint32_t sector;
    morvick::MftRecordHeader header;
};

std::unordered_map<uint32_t, morvick::MftRecordHeader> g_waiting;  // by the base record's sector
std::vector<KeptName> g_kept;

uint64_t Distance(uint32_t a, uint32_t b)
{
    return a > b ? a - b : b - a;
}

// Where the extension record lies when the MFT runs on unbroken from the base record to it.
bool AtItsPlace(uint32_t baseSector, const morvick::MftRecordHeader& base, const KeptName& kept)
{
    if (!base.numbered || !kept.header.numbered)
        return false;
    const int64_t expected = int64_t{baseSector} +
        int64_t{morvick::MftRecordSectorsOf(base)} * (int64_t{kept.header.number} - int64_t{base.number});
    return expected == int64_t{kept.sector};
}

// The name of the base record at `sector`, from the extension records that name it, best first.
bool FindName(uint32_t sector, const morvick::MftRecordHeader& base, morvick::NtfsFileName& name)
{
    // g_kept is in the order of base record and sector: those naming this number, nearest first.
    const auto first = std::lower_bound(g_kept.begin(), g_kept.end(), base.number,
        [](const KeptName& k, uint32_t number) { return k.header.baseRecord < number; });
    const auto last = std::upper_bound(first, g_kept.end(), base.number,
        [](uint32_t number, const KeptName& k) { return number < k.header.baseRecord; });
    const auto at = std::lower_bound(first, last, sector, [](const KeptName& k, uint32_t s) { return k.sector < s; });
    std::vector<const KeptName*> candidates;
    for (auto it = at - std::min(kLookedAtEachSide, at - first); it != at + std::min(kLookedAtEachSide, last - at);
         ++it) {
        if (morvick::IsExtensionRecordOf(it->header, base.number, base))
            candidates.push_back(&*it);
    }
    std::sort(candidates.begin(), candidates.end(), [&](const KeptName* a, const KeptName* b) {
        const bool aPlaced = AtItsPlace(sector, base, *a);
        const bool bPlaced = AtItsPlace(sector, base, *b);
        if (aPlaced != bPlaced)
            return aPlaced;
        return Distance(a->sector, sector) < Distance(b->sector, sector);
    });
    if (candidates.size() > kMaxTriedNames)
        candidates.resize(kMaxTriedNames);
    morvick::EngineSectorSource disk;
    uint8_t record[morvick::kLargestMftRecordSize];
    for (const KeptName* k : candidates) {
        morvick::MftRecordHeader header;
        const uint32_t sectors = morvick::MftRecordSectorsOf(k->header);
        if (morvick::ReadMftRecordAt(disk, k->sector, sectors, record) &&
            morvick::ReadExtensionFileName(record, size_t{sectors} * kSectorSize, header, name) &&
            morvick::IsExtensionRecordOf(header, base.number, base))
            return true;
    }
    return false;
}

// Names a waiting record from its base record and an extension record. False when it stays unnamed.
template <class T>
bool NameRecord(T& r, const morvick::MftRecordHeader& base)
{
    morvick::NtfsFileName name;
    if (!FindName(r.sector, base, name))
        return false;
    morvick::EngineSectorSource disk;
    uint8_t record[morvick::kLargestMftRecordSize];
    morvick::FoundMftRecord found;
    const uint32_t sectors = morvick::MftRecordSectorsOf(base);
    if (!morvick::ReadMftRecordAt(disk, r.sector, sectors, record) ||
        !morvick::DecodeFoundMftRecordNamed(record, size_t{sectors} * kSectorSize, name, found))
        return false;
    found.recordSectors = sectors;
    return found.folder == std::is_same<T, FoundNtfsRecord>::value && SetFoundRecordFields(r, found);
}

// Keeps a waiting record that no extension record named: a file that keeps its data under the name
// made from its number, a folder with its other fields, to be named once its volume's MFT is known
// (DecodeNamelessFoundMftRecord). `base` is its header. False when it is neither.
template <class T>
bool KeepNameless(T& r, const morvick::MftRecordHeader& base)
{
    morvick::EngineSectorSource disk;
    uint8_t record[morvick::kLargestMftRecordSize];
    morvick::FoundMftRecord found;
    const uint32_t sectors = morvick::MftRecordSectorsOf(base);
    if (!morvick::ReadMftRecordAt(disk, r.sector, sectors, record) ||
        !morvick::DecodeNamelessFoundMftRecord(record, size_t{sectors} * kSectorSize, found))
        return false;
    found.recordSectors = sectors;
    return found.folder == std::is_same<T, FoundNtfsRecord>::value && SetFoundRecordFields(r, found);
}

// Names the waiting records of a list; those left unnamed and not kept (KeepNameless) are taken out.
// Returns how many were.
template <class T>
uint32_t NameWaitingRecords(RecordList<T>& list, uint32_t& named)
{
    std::unordered_set<T*> unnamed;
    for (T* r = list.head; r; r = r->next) {
        auto it = g_waiting.find(r->sector);
        if (it == g_waiting.end())
            continue;
        if (NameRecord(*r, it->second))
            ++named;
        // Kept, not taken out: a file whose name lies where the search did not look (past 2 TiB, past
        // the range searched) is named when its volume is browsed, and one without any keeps its data.
        else if (!KeepNameless(*r, it->second))
            unnamed.insert(r);
    }
    if (unnamed.empty())
        return 0;
    RecordList<T> kept;
    for (T* r = list.head; r;) {
        T* next = r->next;
        if (unnamed.count(r))
            FreeRecord(r);
        else
            AppendRecord(kept, r);
        r = next;
    }
    list = kept;
    return static_cast<uint32_t>(unnamed.size());
}

}  // namespace

bool AwaitFoundExtensionName(uint32_t sector, const morvick::MftRecordHeader& header)
{
    if (g_waiting.size() >= kMaxRemembered)
        return false;
    g_waiting[sector] = header;
    return true;
}

void KeepFoundExtensionName(uint32_t sector, const morvick::MftRecordHeader& header)
{
    if (g_kept.size() < kMaxRemembered)
        g_kept.push_back({sector, header});
}

ExtensionNameOutcome GiveExtensionNames()
{
    ExtensionNameOutcome outcome;
    if (!g_waiting.empty()) {
        std::sort(g_kept.begin(), g_kept.end(), [](const KeptName& a, const KeptName& b) {
            return a.header.baseRecord != b.header.baseRecord ? a.header.baseRecord < b.header.baseRecord
                                                              : a.sector < b.sector;
        });
        outcome.foldersDropped = NameWaitingRecords(g_FoundNtfsRecords, outcome.named);
        outcome.filesDropped = NameWaitingRecords(g_NtfsFileRecords, outcome.named);
    }
    ForgetExtensionNames();
    return outcome;
}

void ForgetExtensionNames()
{
    g_waiting = {};
    g_kept = {};
}
