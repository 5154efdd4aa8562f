// CFileFind: walks the files of a folder that match a pattern.
//
//     CFileFind finder;
//     BOOL bMore = finder.FindFile(L"C:\\data\\*.*");
//     while (bMore) {
//         bMore = finder.FindNextFile();   // moves to the next match; FALSE when it is the last
//         ... finder.GetFilePath(), finder.IsDirectory(), finder.IsDots() ...
//     }
#pragma once

#include "classlib/core/AfxCore.h"

#include <windows.h>

class CFileFind : public CObject {
    DECLARE_DYNAMIC(CFileFind)
public:
    CFileFind();
    virtual ~CFileFind();

    // Starts a search (all files of the current folder for NULL); FALSE when nothing matches.
    virtual BOOL FindFile(LPCTSTR pstrName = nullptr, DWORD dwUnused = 0);
    // Makes the next match current; the answer tells whether another one follows.
    virtual BOOL FindNextFile();
    void Close();

    // About the current match; valid after the first FindNextFile.
    virtual CString GetFileName() const;
    virtual CString GetFilePath() const;
    virtual CString GetFileTitle() const;
    virtual CString GetRoot() const;
    ULONGLONG GetLength() const;
    BOOL GetCreationTime(FILETIME* pTimeStamp) const;
    BOOL GetLastAccessTime(FILETIME* pTimeStamp) const;
    BOOL GetLastWriteTime(FILETIME* pTimeStamp) const;
    virtual BOOL MatchesMask(DWORD dwMask) const;
    virtual BOOL IsDots() const;
    BOOL IsReadOnly() const { return MatchesMask(FILE_ATTRIBUTE_READONLY); }
    BOOL IsDirectory() const { return MatchesMask(FILE_ATTRIBUTE_DIRECTORY); }
    BOOL IsCompressed() const { return MatchesMask(FILE_ATTRIBUTE_COMPRESSED); }
    BOOL IsSystem() const { return MatchesMask(FILE_ATTRIBUTE_SYSTEM); }
    BOOL IsHidden() const { return MatchesMask(FILE_ATTRIBUTE_HIDDEN); }
    BOOL IsTemporary() const { return MatchesMask(FILE_ATTRIBUTE_TEMPORARY); }
    BOOL IsNormal() const { return MatchesMask(FILE_ATTRIBUTE_NORMAL); }
    BOOL IsArchived() const { return MatchesMask(FILE_ATTRIBUTE_ARCHIVE); }

protected:
    WIN32_FIND_DATA* m_pFoundInfo;
    WIN32_FIND_DATA* m_pNextInfo;
    HANDLE m_hContext;
    CString m_strRoot;
    TCHAR m_chDirSeparator;

private:
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;
};
