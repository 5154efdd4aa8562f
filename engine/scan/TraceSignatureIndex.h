// The chosen signatures indexed by their first byte, so that testing a sector costs a look at the
// few signatures that can begin with its first byte rather than a pass over the whole list.
#pragma once

#include "engine/state/FoundRecords.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

class TraceSignatureIndex {
public:
    // Indexes the list starting at first. A signature whose length is 0 or above the compared bytes,
    // or whose text is not exactly 2n hexadecimal digits, is left out: it can never match.
    explicit TraceSignatureIndex(const TraceHitRecord* first);

    // The first signature of the list that the size bytes at sector begin with (only the first
    // kTraceComparedBytes take part); null when none does.
    const TraceHitRecord* Match(const uint8_t* sector, size_t size) const;

    // The first signature of the list whose extension equals extension, ignoring case; null when none.
    const TraceHitRecord* FindExtension(const char16_t* extension) const;

    bool Empty() const { return m_usable == 0; }

private:
    struct Entry {
        const TraceHitRecord* record;
        uint8_t length;
        uint8_t bytes[15];
    };
    const TraceHitRecord* m_first;
    size_t m_usable = 0;
    std::array<std::vector<Entry>, 256> m_byFirstByte;
};
