// Whether the current source holds the hits of a loaded File Trace snapshot (see
// SourceHoldsSnapshotVolume), and which of them it no longer holds as the snapshot lists them.
#pragma once

struct LoadedSnapshot;

// Every traced file is read at its sector, in the order of the sectors and in large pieces: it is
// still the disk's where the sector lies in the range the trace searched and begins with the
// signature that made the hit, as a fresh File Trace would find it (the first of the snapshot's
// signatures that the sector matches is of the file's type), and a fresh trace would give it the
// file's extension (a compound document's kind read from the document again, as the trace reads it).
// A file not so, or whose sector cannot be read, is marked changed on the disk (`changedOnDisk`): it
// stays listed and is never saved, for its sectors now hold another file's bytes. False, the source
// holding another disk, when more of the files are changed than hold.
bool HoldsTracedFiles(LoadedSnapshot& snapshot);
