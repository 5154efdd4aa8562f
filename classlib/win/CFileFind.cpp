#include "classlib/win/CFileFind.h"

#include <vector>

IMPLEMENT_DYNAMIC(CFileFind, CObject)

CFileFind::CFileFind()
    : m_pFoundInfo(nullptr), m_pNextInfo(nullptr), m_hContext(nullptr), m_chDirSeparator('\\')
{
}

CFileFind::~CFileFind()
{
    Close();
}

void CFileFind::Close()
{
    delete m_pFoundInfo;
    m_pFoundInfo = nullptr;
    delete m_pNextInfo;
    m_pNextInfo = nullptr;
    if (m_hContext != nullptr && m_hContext != INVALID_HANDLE_VALUE)
        ::FindClose(m_hContext);
    m_hContext = nullptr;
    m_strRoot.Empty();
}

BOOL CFileFind::FindFile(LPCTSTR pstrName, DWORD)
{
    Close();
    if (pstrName == nullptr)
        pstrName = L"*.*";
    m_pNextInfo = new WIN32_FIND_DATA();
    m_hContext = ::FindFirstFile(pstrName, m_pNextInfo);
    if (m_hContext == INVALID_HANDLE_VALUE) {
        DWORD dwError = ::GetLastError();
        Close();
        ::SetLastError(dwError);
        return FALSE;
    }

    // The root is the full path of the pattern up to its last separator.
    DWORD needed = ::GetFullPathName(pstrName, 0, nullptr, nullptr);
    if (needed == 0) {
        Close();
        ::SetLastError(ERROR_INVALID_NAME);
        return FALSE;
    }
    std::vector<TCHAR> full((size_t)needed + 1, 0);
    ::GetFullPathName(pstrName, needed + 1, full.data(), nullptr);
    LPTSTR pstrBack = wcsrchr(full.data(), '\\');
    LPTSTR pstrFront = wcsrchr(full.data(), '/');
    LPTSTR pstrLast = pstrBack > pstrFront ? pstrBack : pstrFront;
    if (pstrLast != nullptr)
        *pstrLast = 0;
    m_strRoot = full.data();
    return TRUE;
}

BOOL CFileFind::FindNextFile()
{
    if (m_hContext == nullptr || m_hContext == INVALID_HANDLE_VALUE || m_pNextInfo == nullptr)
        return FALSE;
    if (m_pFoundInfo == nullptr)
        m_pFoundInfo = new WIN32_FIND_DATA();
    WIN32_FIND_DATA* pTemp = m_pFoundInfo;
    m_pFoundInfo = m_pNextInfo;
    m_pNextInfo = pTemp;
    return ::FindNextFile(m_hContext, m_pNextInfo);
}

CString CFileFind::GetFileName() const
{
    return m_pFoundInfo != nullptr ? CString(m_pFoundInfo->cFileName) : CString();
}

CString CFileFind::GetFilePath() const
{
    if (m_pFoundInfo == nullptr)
        return CString();
    CString result = m_strRoot;
    int length = result.GetLength();
    if (length == 0 || (result[length - 1] != '\\' && result[length - 1] != '/'))
        result += m_chDirSeparator;
    result += GetFileName();
    return result;
}

CString CFileFind::GetFileTitle() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot > 0 ? name.Left(dot) : name;
}

CString CFileFind::GetRoot() const
{
    return m_pFoundInfo != nullptr ? m_strRoot : CString();
}

ULONGLONG CFileFind::GetLength() const
{
    if (m_pFoundInfo == nullptr)
        return 0;
    return ((ULONGLONG)m_pFoundInfo->nFileSizeHigh << 32) | m_pFoundInfo->nFileSizeLow;
}

BOOL CFileFind::GetCreationTime(FILETIME* pTimeStamp) const
{
    if (m_pFoundInfo == nullptr || pTimeStamp == nullptr)
        return FALSE;
    *pTimeStamp = m_pFoundInfo->ftCreationTime;
    return TRUE;
}

BOOL CFileFind::GetLastAccessTime(FILETIME* pTimeStamp) const
{
    if (m_pFoundInfo == nullptr || pTimeStamp == nullptr)
        return FALSE;
    *pTimeStamp = m_pFoundInfo->ftLastAccessTime;
    return TRUE;
}

BOOL CFileFind::GetLastWriteTime(FILETIME* pTimeStamp) const
{
    if (m_pFoundInfo == nullptr || pTimeStamp == nullptr)
        return FALSE;
    *pTimeStamp = m_pFoundInfo->ftLastWriteTime;
    return TRUE;
}

BOOL CFileFind::MatchesMask(DWORD dwMask) const
{
    return m_pFoundInfo != nullptr && (m_pFoundInfo->dwFileAttributes & dwMask) != 0;
}

BOOL CFileFind::IsDots() const
{
    if (m_pFoundInfo == nullptr || !IsDirectory())
        return FALSE;
    LPCTSTR name = m_pFoundInfo->cFileName;
    return (name[0] == '.' && name[1] == 0) || (name[0] == '.' && name[1] == '.' && name[2] == 0);
}
