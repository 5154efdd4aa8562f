// Whether the current source holds the hits of a loaded File Trace snapshot (see
// SourceHoldsSnapshotVolume).
#pragma once

struct LoadedSnapshot;

// A sample of the traced files still begins, at its sector, with the signature that made the hit:
// the first of the snapshot's signatures that the sector matches is of the file's type.
bool HoldsTracedFiles(const LoadedSnapshot& snapshot);
