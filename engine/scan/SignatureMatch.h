// The File Trace comparison: does a sector begin with one of the chosen signatures?
#pragma once

#include "engine/state/FoundRecords.h"

#include <cstddef>
#include <cstdint>

// Only this many leading bytes of a sector take part in the comparison.
constexpr size_t kTraceComparedBytes = 15;

// The first signature of the list starting at first whose text, ignoring case, equals the
// hexadecimal text of the sector's first n bytes, n being the signature's length; null when none
// does. A signature whose length is 0, more than kTraceComparedBytes or more than size never
// matches, nor does one without text.
const TraceHitRecord* MatchTraceSignature(const uint8_t* sector, size_t size, const TraceHitRecord* first);
