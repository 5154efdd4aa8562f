#include "engine/state/FatFolderIndex.h"

#include "engine/state/FoundEntryLists.h"

#include <unordered_map>
#include <vector>

namespace {

struct Slot {
    FatFolderRecord* record;    // the first record of the cluster in the list
    FatFolderRecord* previous;  // the record before it; null at the head
    size_t arrival;             // its place in Index::arrivals
};

struct Index {
    std::unordered_map<uint32_t, Slot> byCluster;
    // Some cluster has a second record (a loaded snapshot may list one twice): moving a record may
    // make another one of its cluster the first, and the index is built again after a move.
    bool repeats = false;
    // The list as the index last saw it.
    const FatFolderRecord* head = nullptr;
    const FatFolderRecord* tail = nullptr;
    uint32_t count = 0;
    // Each record as it came to the tail, appended or moved there; where a record was before its last
    // move is null. Those not null are the list's records in its order.
    std::vector<FatFolderRecord*> arrivals;
};

Index g_index;
// Changes whenever the arrivals are laid down afresh: a mark taken before stands for no place in them.
uint32_t g_generation = 0;

void Seen()
{
    g_index.head = g_FatFolders.head;
    g_index.tail = g_FatFolders.tail;
    g_index.count = g_FatFolders.count;
}

void Add(FatFolderRecord* record, FatFolderRecord* previous, size_t arrival)
{
    if (!g_index.byCluster.try_emplace(record->firstCluster, Slot{record, previous, arrival}).second)
        g_index.repeats = true;
}

// Indexes by cluster the records of the arrivals, which are the list's.
void Reindex()
{
    g_index.byCluster.clear();
    g_index.byCluster.reserve(g_FatFolders.count);
    g_index.repeats = false;
    FatFolderRecord* previous = nullptr;
    for (size_t k = 0; k < g_index.arrivals.size(); ++k) {
        if (FatFolderRecord* f = g_index.arrivals[k]) {
            Add(f, previous, k);
            previous = f;
        }
    }
    Seen();
}

// Takes the list's records as they stand now, in its order, as arrivals of a new generation.
void Rebuild()
{
    g_index.arrivals.clear();
    g_index.arrivals.reserve(g_FatFolders.count);
    for (FatFolderRecord* f = g_FatFolders.head; f; f = f->next)
        g_index.arrivals.push_back(f);
    ++g_generation;
    Reindex();
}

// Indexes the list again where it was changed elsewhere.
void Sync()
{
    if (g_index.head != g_FatFolders.head || g_index.tail != g_FatFolders.tail || g_index.count != g_FatFolders.count)
        Rebuild();
}

// Unlinks `record` (after `previous`, or the head) and appends it again at the tail.
void Relink(FatFolderRecord* previous, FatFolderRecord* record)
{
    RecordList<FatFolderRecord>& list = g_FatFolders;
    (previous ? previous->next : list.head) = record->next;
    list.tail->next = record;
    record->next = nullptr;
    list.tail = record;
}

}  // namespace

FatFolderRecord* FatFolderOfCluster(uint32_t cluster)
{
    Sync();
    const auto it = g_index.byCluster.find(cluster);
    return it != g_index.byCluster.end() ? it->second.record : nullptr;
}

void AppendIndexedFatFolder(FatFolderRecord* record)
{
    Sync();
    FatFolderRecord* previous = g_FatFolders.tail;
    AppendRecord(g_FatFolders, record);
    Add(record, previous, g_index.arrivals.size());
    g_index.arrivals.push_back(record);
    Seen();
}

void MoveFatFolderToTail(FatFolderRecord* record)
{
    Sync();
    if (record == g_FatFolders.tail)
        return;
    std::vector<FatFolderRecord*>& arrivals = g_index.arrivals;
    const auto it = g_index.byCluster.find(record->firstCluster);
    if (it == g_index.byCluster.end() || it->second.record != record) {
        // A second record of its cluster, which the index does not hold: the one before it is walked
        // to, and its arrival looked for from the latest.
        FatFolderRecord* previous = nullptr;
        FatFolderRecord* f = g_FatFolders.head;
        for (; f && f != record; f = f->next)
            previous = f;
        if (!f)
            return;
        Relink(previous, record);
        for (size_t k = arrivals.size(); k-- > 0;) {
            if (arrivals[k] == record) {
                arrivals[k] = nullptr;
                break;
            }
        }
        arrivals.push_back(record);
        Reindex();
        return;
    }
    FatFolderRecord* previous = it->second.previous;
    FatFolderRecord* next = record->next;
    it->second.previous = g_FatFolders.tail;
    arrivals[it->second.arrival] = nullptr;
    it->second.arrival = arrivals.size();
    arrivals.push_back(record);
    Relink(previous, record);
    // The record that followed it now follows the one before it.
    const auto after = g_index.byCluster.find(next->firstCluster);
    if (after != g_index.byCluster.end() && after->second.record == next)
        after->second.previous = previous;
    if (g_index.repeats)
        Reindex();
    else
        Seen();
}

FatFolderMark FatFolderTailMark()
{
    Sync();
    return FatFolderMark{g_generation, g_index.arrivals.size()};
}

FatFolderRecord* FirstFatFolderAfter(const FatFolderMark& mark)
{
    Sync();
    if (mark.generation != g_generation || mark.arrivals > g_index.arrivals.size())
        return g_FatFolders.head;
    // Those that came after the mark and moved on again since are passed over (a walk that goes on
    // from each tail it reaches passes over each once).
    for (size_t k = mark.arrivals; k < g_index.arrivals.size(); ++k) {
        if (g_index.arrivals[k])
            return g_index.arrivals[k];
    }
    return nullptr;
}

void ForgetFatFolderIndex()
{
    g_index = Index();
    ++g_generation;
}
