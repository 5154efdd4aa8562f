#include "engine/snapshot/SnapshotTraceCheck.h"

#include "engine/image/SectorReader.h"
#include "engine/scan/TraceSignatureIndex.h"
#include "engine/snapshot/LoadedSnapshot.h"
#include "engine/snapshot/SnapshotSample.h"

#include <string>

namespace {

std::u16string Text(const char16_t* text)
{
    return text != nullptr ? std::u16string(text) : std::u16string();
}

}  // namespace

bool HoldsTracedFiles(const LoadedSnapshot& s)
{
    const TraceSignatureIndex signatures(s.traceHits.head);
    uint8_t sector[kSectorSize];
    for (const TracedFileRecord* file : SampleSnapshotRecords(s.tracedFiles)) {
        const TraceHitRecord* match =
            ReadSectors(file->sector, 1, sector) == 1 ? signatures.Match(sector, sizeof sector) : nullptr;
        if (match == nullptr || Text(match->description) != Text(file->typeName))
            return false;
    }
    return true;
}
