#include "engine/state/FatFolderIndex.h"

#include "engine/state/FoundEntryLists.h"

#include <unordered_map>

namespace {

struct Slot {
    FatFolderRecord* record;    // the first record of the cluster in the list
    FatFolderRecord* previous;  // the record before it; null at the head
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
};

Index g_index;

void Seen()
{
    g_index.head = g_FatFolders.head;
    g_index.tail = g_FatFolders.tail;
    g_index.count = g_FatFolders.count;
}

void Add(FatFolderRecord* record, FatFolderRecord* previous)
{
    if (!g_index.byCluster.try_emplace(record->firstCluster, Slot{record, previous}).second)
        g_index.repeats = true;
}

void Rebuild()
{
    g_index.byCluster.clear();
    g_index.byCluster.reserve(g_FatFolders.count);
    g_index.repeats = false;
    FatFolderRecord* previous = nullptr;
    for (FatFolderRecord* f = g_FatFolders.head; f; previous = f, f = f->next)
        Add(f, previous);
    Seen();
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
    Add(record, previous);
    Seen();
}

void MoveFatFolderToTail(FatFolderRecord* record)
{
    Sync();
    if (record == g_FatFolders.tail)
        return;
    const auto it = g_index.byCluster.find(record->firstCluster);
    if (it == g_index.byCluster.end() || it->second.record != record) {
        // A second record of its cluster, which the index does not hold: the one before it is walked to.
        FatFolderRecord* previous = nullptr;
        FatFolderRecord* f = g_FatFolders.head;
        for (; f && f != record; f = f->next)
            previous = f;
        if (!f)
            return;
        Relink(previous, record);
        Rebuild();
        return;
    }
    FatFolderRecord* previous = it->second.previous;
    FatFolderRecord* next = record->next;
    it->second.previous = g_FatFolders.tail;
    Relink(previous, record);
    // The record that followed it now follows the one before it.
    const auto after = g_index.byCluster.find(next->firstCluster);
    if (after != g_index.byCluster.end() && after->second.record == next)
        after->second.previous = previous;
    if (g_index.repeats)
        Rebuild();
    else
        Seen();
}

void ForgetFatFolderIndex()
{
    g_index = Index();
}
