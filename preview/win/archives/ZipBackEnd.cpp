#include "preview/win/archives/ZipBackEnd.h"

#include "preview/archives/HandleArchiveSource.h"
#include "preview/archives/ZipDirectory.h"
#include "preview/win/archives/DosFileTime.h"

#include <cstring>
#include <memory>

DWORD g_dwZipLastResult = ZR_OK;

namespace {

constexpr int kKindZip = 1;

FILETIME ToFileTime(uint64_t value)
{
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(value);
    ft.dwHighDateTime = static_cast<DWORD>(value >> 32);
    return ft;
}

// A "UT" time as it is (UTC); any other time is the entry's MS-DOS time, made UTC from local time.
FILETIME EntryTime(const morvick::ZipEntryFacts& facts, uint64_t value, uint8_t utcBit)
{
    return (facts.utcTimes & utcBit) != 0 ? ToFileTime(value) : DosTimeToUtcFileTime(facts.dosDate, facts.dosTime);
}

DWORD Finish(DWORD result)
{
    g_dwZipLastResult = result;
    return result;
}

}  // namespace

struct ZipArchive {
    int kind = kKindZip;
    std::unique_ptr<morvick::HandleArchiveSource> source;
    morvick::ZipDirectory directory;
};

HZIP ZipOpenArchive(LPCWSTR lpszName, DWORD, DWORD dwSourceKind)
{
    if (lpszName == NULL || dwSourceKind != ZIP_SOURCE_FILENAME) {
        Finish(ZR_ARGUMENT);
        return NULL;
    }
    HANDLE file =
        ::CreateFileW(lpszName, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        Finish(ZR_ARGUMENT);
        return NULL;
    }
    std::unique_ptr<ZipArchive> archive(new ZipArchive);
    archive->source.reset(new morvick::HandleArchiveSource(file));
    if (!archive->directory.Open(*archive->source)) {
        Finish(ZR_ARGUMENT);
        return NULL;
    }
    Finish(ZR_OK);
    return archive.release();
}

DWORD ZipGetEntry(HZIP hZip, int nIndex, ZipEntryInfo* pEntry)
{
    if (hZip == NULL || pEntry == NULL)
        return Finish(ZR_ARGUMENT);
    if (hZip->kind != kKindZip)
        return Finish(ZR_HANDLE_KIND);
    std::memset(pEntry, 0, sizeof *pEntry);
    morvick::ZipEntryFacts facts;
    DWORD result = hZip->directory.GetEntry(nIndex, facts);
    pEntry->index = facts.index;
    if (result == ZR_ARGUMENT || result == ZR_DIRECTORY_END || nIndex == -1)
        return Finish(result);
    // The name: UTF-16 when the archive gives it, else from the ANSI code page; 259 characters at most.
    std::wstring name;
    if (!facts.unicodeName.empty()) {
        name.assign(facts.unicodeName.begin(), facts.unicodeName.end());
    } else if (!facts.storedName.empty()) {
        int n = ::MultiByteToWideChar(CP_ACP, 0, facts.storedName.data(), static_cast<int>(facts.storedName.size()),
            NULL, 0);
        name.assign(n > 0 ? n : 0, L'\0');
        if (n > 0)
            ::MultiByteToWideChar(CP_ACP, 0, facts.storedName.data(), static_cast<int>(facts.storedName.size()),
                &name[0], n);
    }
    size_t length = name.size() < MAX_PATH - 1 ? name.size() : MAX_PATH - 1;
    std::memcpy(pEntry->name, name.data(), length * sizeof(WCHAR));
    pEntry->attributes = facts.attributes;
    pEntry->accessTime = EntryTime(facts, facts.accessTime, morvick::kZipAccessUtc);
    pEntry->creationTime = EntryTime(facts, facts.creationTime, morvick::kZipCreationUtc);
    pEntry->modificationTime = EntryTime(facts, facts.modificationTime, morvick::kZipModificationUtc);
    pEntry->compressedSize = facts.compressedSize;
    pEntry->uncompressedSize = facts.uncompressedSize;
    return Finish(result);
}

DWORD ZipCloseArchive(HZIP hZip)
{
    if (hZip == NULL)
        return Finish(ZR_ARGUMENT);
    if (hZip->kind != kKindZip)
        return Finish(ZR_HANDLE_KIND);
    delete hZip;
    return Finish(ZR_OK);
}
