// The hits of a loaded File Trace snapshot that are compared with the source: a few, spread evenly
// over the list, so that the check costs the same small number of reads for any size of snapshot and
// still looks at its beginning, middle and end.
#pragma once

#include "engine/state/RecordList.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// How many entries of a list are compared with the source.
constexpr size_t kSampledSnapshotEntries = 64;

// At most `most` records of the list: all of a short list, else the records at evenly spaced
// positions from the first, in list order.
template <class T>
std::vector<const T*> SampleSnapshotRecords(const RecordList<T>& list, size_t most = kSampledSnapshotEntries)
{
    std::vector<const T*> sample;
    const size_t count = list.count;
    if (count == 0 || most == 0)
        return sample;
    const size_t taken = count < most ? count : most;
    sample.reserve(taken);
    size_t position = 0;
    const T* record = list.head;
    for (size_t i = 0; i < taken && record != nullptr; ++i) {
        const size_t wanted = i * count / taken;
        for (; position < wanted && record != nullptr; ++position)
            record = record->next;
        if (record != nullptr)
            sample.push_back(record);
    }
    return sample;
}
