// A snapshot read into lists of its own. Nothing of the engine's state changes until Commit, so a
// damaged file leaves the current results as they were.
#pragma once

#include "engine/state/RecordList.h"
#include "engine/state/VolumeParameterBlock.h"

#include <cstdint>

struct LoadedSnapshot {
    LoadedSnapshot() = default;
    ~LoadedSnapshot();
    LoadedSnapshot(const LoadedSnapshot&) = delete;
    LoadedSnapshot& operator=(const LoadedSnapshot&) = delete;

    char16_t kind = 0;
    int32_t scanMode = 0;
    VolumeParameterBlock block = {};   // rootLocation is not stored in the file
    RecordList<FatFolderRecord> fatFolders;
    RecordList<FatEntryRecord> fatEntries;
    RecordList<NtfsFolderRecord> ntfsFolders;
    RecordList<MftEntryRecord> mftEntries;        // Quick Scan of NTFS
    RecordList<NtfsFileRecord> ntfsFiles;         // Extensive Scan of NTFS
    RecordList<TraceHitRecord> traceHits;
    RecordList<TracedFileRecord> tracedFiles;
    uint16_t deviceIndex = 0;
    uint16_t sourceType = 0;

    // Frees every found-entry list of the engine and moves these lists in; sets the scan mode, the
    // volume-parameter block (keeping its root location), the device index, the source type and
    // the file count. This object is left empty.
    void Commit();
};
