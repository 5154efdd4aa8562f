// The interface of our unrar.dll, as the archive preview calls it: open an archive for listing,
// read one header after the other, skip each file, close. The records are this library's own.
#pragma once

#include <windows.h>

enum RarListResult : unsigned int {
    kRarListOk = 0,
    kRarListEndArchive = 10,    // no further header
    kRarListBadArchive = 13,    // no RAR archive
    kRarListBadData = 12,       // a damaged header
    kRarListCannotOpen = 15,    // the file cannot be opened
    kRarListEncrypted = 24,     // the headers are encrypted: nothing can be listed
    kRarListNotSupported = 16,  // an open mode other than listing
};

enum RarListOperation : int { kRarSkip = 0 };

struct RarOpenData {
    char* ArcName;            // the archive's name in the ANSI code page
    wchar_t* ArcNameW;        // or in UTF-16 (used when given)
    unsigned int OpenMode;    // 0: list
    unsigned int OpenResult;  // RarListResult
    char* CmtBuf;             // archive comments are not read
    unsigned int CmtBufSize;
    unsigned int CmtSize;
    unsigned int CmtState;
    unsigned int Flags;
    unsigned int Reserved[32];
};

struct RarHeaderData {
    char ArcName[1024];
    wchar_t ArcNameW[1024];
    char FileName[1024];      // the entry's name in the ANSI code page ('?' where it has no sign)
    wchar_t FileNameW[1024];  // the entry's name in UTF-16
    unsigned int Flags;       // file header flags; 0xE0 all set: a folder
    unsigned int PackSize;
    unsigned int PackSizeHigh;
    unsigned int UnpSize;
    unsigned int UnpSizeHigh;
    unsigned int HostOS;
    unsigned int FileCRC;
    unsigned int FileTime;  // MS-DOS date (high 16 bits) and time (low 16 bits), local time
    unsigned int UnpVer;
    unsigned int Method;
    unsigned int FileAttr;  // the platform's file attributes
    char* CmtBuf;
    unsigned int CmtBufSize;
    unsigned int CmtSize;
    unsigned int CmtState;
    unsigned int Reserved[1024];
};

typedef HANDLE(PASCAL* RarOpenArchiveExFn)(RarOpenData* data);
typedef int(PASCAL* RarCloseArchiveFn)(HANDLE archive);
typedef int(PASCAL* RarReadHeaderExFn)(HANDLE archive, RarHeaderData* header);
typedef int(PASCAL* RarProcessFileFn)(HANDLE archive, int operation, char* destPath, char* destName);
