// CRarReader lists a RAR archive through unrar.dll (ours, next to the program), loaded by name for
// one listing: all four of its entry points must be there.
#pragma once

#include "classlib/core/CString.h"
#include "preview/modules/unrar/RarListApi.h"

#include <vector>

struct RarEntry {
    CString name;
    ULONGLONG flags;
    ULONGLONG packedSize;
    ULONGLONG unpackedSize;
    ULONGLONG time;  // low 32 bits: the header's MS-DOS date and time
    ULONGLONG attributes;
};

class CRarReader {
public:
    CRarReader();
    ~CRarReader();

    // Reads every header of the archive. FALSE when unrar.dll or one of its entry points is
    // missing, or the archive cannot be opened for listing; TRUE also when no header could be read.
    BOOL ReadEntries(const CString& strPath);

    int GetEntryCount() const { return static_cast<int>(m_entries.size()); }
    // Throws std::out_of_range for an index outside 0 to count - 1.
    const RarEntry& GetEntry(int nIndex) const;
    const CString& GetErrorText() const { return m_strError; }

    // A folder: all three dictionary bits of the flags.
    // A folder by its bits 0xE0: the exact values 32992 and 32960 left the column empty for entries with other flags.
    static BOOL IsDirectory(ULONGLONG flags) { return (flags & 0xE0) == 0xE0; }

private:
    CString m_strError;
    CString m_strPath;
    HMODULE m_hModule;
    std::vector<RarEntry> m_entries;
    RarOpenArchiveExFn m_pOpen;
    RarCloseArchiveFn m_pClose;
    RarProcessFileFn m_pProcess;
    RarReadHeaderExFn m_pReadHeader;
};
