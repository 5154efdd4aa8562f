#include "engine/snapshot/SnapshotTraceCheck.h"

#include "engine/scan/FileTrace.h"
#include "engine/scan/OfficeDocumentKind.h"
#include "engine/scan/TraceSectors.h"
#include "engine/scan/TraceSignatureIndex.h"
#include "engine/snapshot/LoadedSnapshot.h"
#include "engine/volume/EngineSectorSource.h"
#include "engine/volume/ReadAheadSectorSource.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Sectors read at a time: the hits of a card lie close together, and one read of 1 MiB costs little
// more than a read of one sector.
constexpr uint32_t kReadAheadSectors = 2048;

std::u16string Text(const char16_t* text)
{
    return text != nullptr ? std::u16string(text) : std::u16string();
}

// Where the trace that made the snapshot searched: a hit elsewhere is none it could have found.
bool InTracedRange(const VolumeParameterBlock& b, uint32_t sector)
{
    return sector >= b.partitionStart &&
        uint64_t{sector} - b.partitionStart < TracedSectorCount(b.partitionStart, b.partitionEnd);
}

// Whether the disk still shows the hit as a fresh trace would list it: its sector begins with a
// signature of the hit's type and gives the hit's extension. A compound document's kind is read from
// the document again, as the trace reads it: "Word Document" is the type of every compound kind, so a
// Word document written over a traced spreadsheet still begins with a signature of its type.
bool ShowsTracedFile(const TracedFileRecord& r, const TraceHitRecord* match, const TraceSignatureIndex& signatures)
{
    return match != nullptr && Text(match->description) == Text(r.typeName) &&
        TracedExtension(*match, r.sector, signatures, DetectOfficeDocumentKind) == Text(r.extension);
}

}  // namespace

bool HoldsTracedFiles(LoadedSnapshot& s)
{
    const TraceSignatureIndex signatures(s.traceHits.head);
    std::vector<TracedFileRecord*> files;
    files.reserve(s.tracedFiles.count);
    for (TracedFileRecord* r = s.tracedFiles.head; r; r = r->next)
        files.push_back(r);
    std::stable_sort(files.begin(), files.end(),
        [](const TracedFileRecord* a, const TracedFileRecord* b) { return a->sector < b->sector; });
    morvick::EngineSectorSource source;
    morvick::ReadAheadSectorSource disk(source, kReadAheadSectors);
    uint8_t sector[kSectorSize];
    uint32_t held = 0;
    uint32_t changed = 0;
    for (TracedFileRecord* r : files) {
        const TraceHitRecord* match = InTracedRange(s.block, r->sector) && disk.ReadSectors(r->sector, 1, sector)
            ? signatures.Match(sector, sizeof sector)
            : nullptr;
        if (ShowsTracedFile(*r, match, signatures)) {
            ++held;
        } else {
            // Listed but never saved, rather than saved as listed: its sector now begins another file, or
            // another kind of document.
            r->changedOnDisk = 1;
            ++changed;
        }
    }
    return changed <= held;
}
