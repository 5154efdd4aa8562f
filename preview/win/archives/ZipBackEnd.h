// The zip back end of the archive preview: a handle-based table of contents of a zip archive
// (open, describe entry n or ask for the number of entries, close), over the portable directory
// walk, with names, attributes and times in the platform's form.
#pragma once

#include "preview/archives/ZipDirectory.h"

#include <windows.h>

// Result codes, also kept after every call in g_dwZipLastResult (those of the directory walk).
enum : DWORD {
    ZR_OK = morvick::kZipOk,
    ZR_LOCAL_HEADER = morvick::kZipLocalHeaderMismatch,  // the description holds the central directory's data
    ZR_EXTRA_FIELD = morvick::kZipExtraFieldFailed,      // the same
    ZR_DIRECTORY_END = morvick::kZipDirectoryDamaged,    // no description: the directory ends before the entry
    ZR_ARGUMENT = morvick::kZipBadArgument,
    ZR_HANDLE_KIND = morvick::kZipWrongHandle,
};

// How ZipOpenArchive is given its archive.
enum : DWORD { ZIP_SOURCE_FILENAME = 2 };

struct ZipEntryInfo {
    int index;  // for the request -1: the number of entries
    WCHAR name[MAX_PATH];
    DWORD attributes;  // FILE_ATTRIBUTE_*
    FILETIME accessTime;
    FILETIME creationTime;
    FILETIME modificationTime;
    // 64-bit, not 32: an entry of 4 GiB or more (zip64) would show its size cut to the low 32 bits.
    ULONGLONG compressedSize;
    ULONGLONG uncompressedSize;
};

struct ZipArchive;
typedef ZipArchive* HZIP;

extern DWORD g_dwZipLastResult;

// Opens the named file (read sharing) as a zip archive; NULL when it cannot be opened or is none.
HZIP ZipOpenArchive(LPCWSTR lpszName, DWORD dwLength, DWORD dwSourceKind);
// Describes entry nIndex, or gives the count for -1. The record is zeroed first.
DWORD ZipGetEntry(HZIP hZip, int nIndex, ZipEntryInfo* pEntry);
DWORD ZipCloseArchive(HZIP hZip);
