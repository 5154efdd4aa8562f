#include "preview/win/archives/RarListing.h"

#include <memory>
#include <stdexcept>
#include <string>

CRarReader::CRarReader() : m_hModule(NULL), m_pOpen(NULL), m_pClose(NULL), m_pProcess(NULL), m_pReadHeader(NULL)
{
    m_hModule = ::LoadLibraryW(L"unrar.dll");
    if (m_hModule == NULL)
        m_strError = L"Load Error: unrar.dll could not be loaded";
}

CRarReader::~CRarReader()
{
    m_entries.clear();
    if (m_hModule != NULL)
        ::FreeLibrary(m_hModule);
}

const RarEntry& CRarReader::GetEntry(int nIndex) const
{
    if (nIndex < 0 || static_cast<size_t>(nIndex) >= m_entries.size())
        throw std::out_of_range("invalid vector<T> subscript");
    return m_entries[nIndex];
}

BOOL CRarReader::ReadEntries(const CString& strPath)
{
    if (m_hModule == NULL)
        return FALSE;
    m_pOpen = reinterpret_cast<RarOpenArchiveExFn>(::GetProcAddress(m_hModule, "RAROpenArchiveEx"));
    m_pClose = reinterpret_cast<RarCloseArchiveFn>(::GetProcAddress(m_hModule, "RARCloseArchive"));
    m_pProcess = reinterpret_cast<RarProcessFileFn>(::GetProcAddress(m_hModule, "RARProcessFile"));
    m_pReadHeader = reinterpret_cast<RarReadHeaderExFn>(::GetProcAddress(m_hModule, "RARReadHeaderEx"));
    if (m_pOpen == NULL || m_pClose == NULL || m_pProcess == NULL || m_pReadHeader == NULL) {
        m_strError = L"Load Error: unrar.dll lacks an entry point";
        return FALSE;
    }
    m_strPath = strPath;
    // The narrow name for the record, and the UTF-16 one for names the code page cannot hold.
    char narrow[MAX_PATH] = {};
    ::WideCharToMultiByte(CP_ACP, 0, strPath, -1, narrow, MAX_PATH - 1, NULL, NULL);
    std::wstring wide(static_cast<LPCWSTR>(strPath));
    RarOpenData open = {};
    open.ArcName = narrow;
    open.ArcNameW = &wide[0];
    open.OpenMode = 0;
    HANDLE archive = m_pOpen(&open);
    if (archive == NULL || open.OpenResult != kRarListOk) {
        m_strError = L"Open Error: Failed to open RAR file";
        if (archive != NULL)
            m_pClose(archive);
        return FALSE;
    }
    m_entries.clear();
    std::unique_ptr<RarHeaderData> header(new RarHeaderData());
    std::unique_ptr<char[]> comment(new char[16384]);
    header->CmtBuf = comment.get();
    header->CmtBufSize = 16384;
    while (m_pReadHeader(archive, header.get()) == kRarListOk) {
        RarEntry entry;
        header->FileNameW[1023] = L'\0';
        entry.name = header->FileNameW[0] != L'\0' ? CString(header->FileNameW) : CString(header->FileName);
        entry.flags = header->Flags;
        entry.packedSize = (static_cast<ULONGLONG>(header->PackSizeHigh) << 32) | header->PackSize;
        entry.unpackedSize = (static_cast<ULONGLONG>(header->UnpSizeHigh) << 32) | header->UnpSize;
        entry.time = header->FileTime;
        entry.attributes = header->FileAttr;
        m_entries.push_back(entry);
        if (m_pProcess(archive, kRarSkip, NULL, NULL) != kRarListOk)
            break;
    }
    m_pClose(archive);
    return TRUE;
}
