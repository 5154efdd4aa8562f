// Listing a cabinet through the platform's cabinet library (FDI), loaded by name for one listing:
// each file the library announces is recorded and skipped, so nothing is written.
#pragma once

#include "classlib/core/AfxCore.h"
#include "classlib/core/TypedLists.h"

class CCabEntry : public CObject {
public:
    CCabEntry(const CString& name, const CString& folder, DWORD size, const FILETIME& time, WORD attributes);

    CString m_strName;    // without its folder
    CString m_strFolder;  // up to and including the last "\", empty at the root
    DWORD m_dwSize;
    FILETIME m_time;
    WORD m_wAttributes;
};

// The entries of the last listing, the last one announced first.
CObList& CabEntries();
void DeleteCabEntries();

// Lists the cabinet into CabEntries(). FALSE when Cabinet.dll or an entry point is missing, the
// library cannot be set up, or the file is no cabinet or cannot be read.
BOOL ListCabinet(const CString& strPath);
