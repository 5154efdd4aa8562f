// A found-entry list: singly linked heap records in the order of finding, with head, tail and count.
// Records and names are allocated with the C heap so that a failed allocation is seen where it
// happens; it goes through the observer's out-of-memory path and the allocator returns null.
#pragma once

#include "engine/state/FoundRecords.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

template <class T>
struct RecordList {
    T* head = nullptr;
    T* tail = nullptr;
    uint32_t count = 0;
};

// Allocates one zeroed block; on failure reports out of memory and returns null.
void* AllocateRecordBlock(size_t size);

// A new zeroed record, or null after the out-of-memory report.
template <class T>
T* NewRecord()
{
    return static_cast<T*>(AllocateRecordBlock(sizeof(T)));
}

// A heap copy of length UTF-16 characters plus the terminator (and one spare byte), or null after
// the out-of-memory report. A null text with length 0 gives an empty name.
char16_t* CopyRecordName(const char16_t* text, size_t length);
char16_t* CopyRecordName(const std::u16string& text);
// A heap copy of narrow text, or null after the out-of-memory report.
char* CopyRecordText(const char* text, size_t length);

template <class T>
void AppendRecord(RecordList<T>& list, T* record)
{
    record->next = nullptr;
    if (list.tail)
        list.tail->next = record;
    else
        list.head = record;
    list.tail = record;
    ++list.count;
}

// Allocates a record named by a copy of `name` and lets `fill` set its other fields; it is in no
// list. Null after the out-of-memory report.
template <class T, class Fill>
T* NewNamedRecord(const std::u16string& name, Fill&& fill);

// The same, appended at the tail of `list`. Null (nothing appended) after the out-of-memory report.
template <class T, class Fill>
T* AppendNamedRecord(RecordList<T>& list, const std::u16string& name, Fill&& fill);

// Sets a record's two FILETIMEs, each kept as low and high halves.
template <class T>
void SetRecordTimes(T& record, uint64_t creationTime, uint64_t changeTime)
{
    record.creationTimeLow = static_cast<uint32_t>(creationTime);
    record.creationTimeHigh = static_cast<uint32_t>(creationTime >> 32);
    record.changeTimeLow = static_cast<uint32_t>(changeTime);
    record.changeTimeHigh = static_cast<uint32_t>(changeTime >> 32);
}

// Sets a record's 64-bit size, kept as low and high halves.
template <class T>
void SetRecordSize(T& record, uint64_t size)
{
    record.sizeLow = static_cast<uint32_t>(size);
    record.sizeHigh = static_cast<uint32_t>(size >> 32);
}

// Frees what a record owns besides itself.
inline void FreeRecordFields(ClusterNode*) {}
inline void FreeRecordFields(SectorNode*) {}
inline void FreeRecordFields(FoundFatDirectoryRecord*) {}
inline void FreeRecordFields(FoundPartitionRecord*) {}
inline void FreeRecordFields(IndexRecordNode*) {}
inline void FreeRecordFields(FatEntryRecord* r) { std::free(r->name); }
inline void FreeRecordFields(FatFolderRecord* r) { std::free(r->name); }
inline void FreeRecordFields(NtfsFolderRecord* r) { std::free(r->name); }
inline void FreeRecordFields(MftEntryRecord* r) { std::free(r->name); }
inline void FreeRecordFields(FoundNtfsRecord* r) { std::free(r->name); }
inline void FreeRecordFields(NtfsFileRecord* r) { std::free(r->name); }
inline void FreeRecordFields(TraceHitRecord* r)
{
    std::free(r->extension);
    std::free(r->description);
    std::free(r->signature);
}
inline void FreeRecordFields(TracedFileRecord* r)
{
    std::free(r->name);
    std::free(r->extension);
    std::free(r->typeName);
}

// Frees every record of a list (its owned names first) and empties it.
template <class T>
void FreeRecordList(RecordList<T>& list)
{
    T* record = list.head;
    while (record) {
        T* next = record->next;
        FreeRecordFields(record);
        std::free(record);
        record = next;
    }
    list = RecordList<T>();
}

// Frees one record that was never appended (for appenders that fail halfway).
template <class T>
void FreeRecord(T* record)
{
    if (record) {
        FreeRecordFields(record);
        std::free(record);
    }
}

template <class T, class Fill>
T* NewNamedRecord(const std::u16string& name, Fill&& fill)
{
    T* record = NewRecord<T>();
    if (!record)
        return nullptr;
    record->name = CopyRecordName(name);
    if (!record->name) {
        FreeRecord(record);
        return nullptr;
    }
    fill(*record);
    return record;
}

template <class T, class Fill>
T* AppendNamedRecord(RecordList<T>& list, const std::u16string& name, Fill&& fill)
{
    T* record = NewNamedRecord<T>(name, fill);
    if (record)
        AppendRecord(list, record);
    return record;
}
