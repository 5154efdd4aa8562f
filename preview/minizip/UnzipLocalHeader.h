// minizip's unzip with one function more: where the current entry's local header starts. minizip
// reads that header only when it opens the entry's data, and refuses to for any method but stored,
// deflate and bzip2; a listing reads the header itself.
#pragma once

#include <unzip.h>

#ifdef __cplusplus
extern "C" {
#endif

// The offset in the file of the current entry's local header (the archive's leading bytes
// included); UNZ_PARAMERROR without an archive, UNZ_END_OF_LIST_OF_FILE without a current entry.
int unzGetLocalHeaderOffset64(unzFile file, ZPOS64_T* offset);

#ifdef __cplusplus
}
#endif
