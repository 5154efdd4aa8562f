// unrar.dll: lists RAR archives through the portable header reader. An archive handle holds the
// open file and the reader; RARReadHeaderEx describes the next file, RARProcessFile skips it (the
// reader has already moved past its data).
#include "preview/archives/HandleArchiveSource.h"
#include "preview/archives/RarReader.h"
#include "preview/modules/unrar/RarListApi.h"

#include <cstring>
#include <ctime>
#include <memory>
#include <string>

namespace {

struct Archive {
    std::unique_ptr<morvick::HandleArchiveSource> source;
    std::unique_ptr<morvick::RarReader> reader;
    std::wstring name;
};

std::wstring Widen(const std::string& bytes, UINT codePage)
{
    if (bytes.empty())
        return std::wstring();
    int n = ::MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), NULL, 0);
    std::wstring out(n > 0 ? n : 0, L'\0');
    if (n > 0)
        ::MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), &out[0], n);
    return out;
}

template <size_t N>
void CopyWide(wchar_t (&target)[N], const std::wstring& text)
{
    size_t n = text.size() < N - 1 ? text.size() : N - 1;
    std::memcpy(target, text.data(), n * sizeof(wchar_t));
    target[n] = L'\0';
}

template <size_t N>
void CopyNarrow(char (&target)[N], const std::wstring& text)
{
    target[0] = '\0';
    if (!text.empty()) {
        int n = ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), target,
            static_cast<int>(N - 1), NULL, NULL);
        target[n > 0 ? n : 0] = '\0';
    }
}

// The local MS-DOS time of a UTC file time; 0 when there is none or it lies outside 1980-2107.
unsigned int DosTimeOf(uint64_t fileTime)
{
    const int64_t kTicksPerSecond = 10000000, kUnixEpochSeconds = 11644473600;
    if (fileTime == 0)
        return 0;
    // The C library's offset for the entry's own date, as the list turns it back: today's offset
    // (FileTimeToLocalFileTime) put a time across a daylight-saving change an hour off.
    __time64_t seconds = static_cast<int64_t>(fileTime / kTicksPerSecond) - kUnixEpochSeconds;
    struct tm local = {};
    if (seconds < 0 || _localtime64_s(&local, &seconds) != 0 || local.tm_year < 80 || local.tm_year > 207)
        return 0;
    unsigned int date = ((local.tm_year - 80) << 9) | ((local.tm_mon + 1) << 5) | local.tm_mday;
    unsigned int time = (local.tm_hour << 11) | (local.tm_min << 5) | (local.tm_sec / 2);
    return (date << 16) | time;
}

}  // namespace

extern "C" {

HANDLE PASCAL RAROpenArchiveEx(RarOpenData* data)
{
    if (data == NULL)
        return NULL;
    data->OpenResult = kRarListCannotOpen;
    if (data->OpenMode != 0) {
        data->OpenResult = kRarListNotSupported;
        return NULL;
    }
    std::wstring name = data->ArcNameW != NULL ? std::wstring(data->ArcNameW)
        : data->ArcName != NULL                ? Widen(data->ArcName, CP_ACP)
                                               : std::wstring();
    if (name.empty())
        return NULL;
    HANDLE file = ::CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
        FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return NULL;
    std::unique_ptr<Archive> archive(new Archive);
    archive->source.reset(new morvick::HandleArchiveSource(file));
    archive->reader.reset(new morvick::RarReader(*archive->source));
    archive->name = name;
    switch (archive->reader->Open()) {
    case morvick::RarReader::kOk:
        data->OpenResult = kRarListOk;
        return archive.release();
    case morvick::RarReader::kEncryptedHeaders:
        data->OpenResult = kRarListEncrypted;
        return NULL;
    case morvick::RarReader::kNotRar:
        data->OpenResult = kRarListBadArchive;
        return NULL;
    default:
        data->OpenResult = kRarListBadData;
        return NULL;
    }
}

int PASCAL RARCloseArchive(HANDLE archive)
{
    delete static_cast<Archive*>(archive);
    return kRarListOk;
}

int PASCAL RARReadHeaderEx(HANDLE handle, RarHeaderData* header)
{
    Archive* archive = static_cast<Archive*>(handle);
    if (archive == NULL || header == NULL)
        return kRarListBadData;
    morvick::RarEntryFacts entry;
    switch (archive->reader->Next(entry)) {
    case morvick::RarReader::kOk:
        break;
    case morvick::RarReader::kEnd:
        return kRarListEndArchive;
    case morvick::RarReader::kEncryptedHeaders:
        return kRarListEncrypted;
    default:
        return kRarListBadData;
    }
    // Everything but the caller's comment buffer is filled in anew.
    char* commentBuffer = header->CmtBuf;
    unsigned int commentSize = header->CmtBufSize;
    std::memset(header, 0, sizeof *header);
    header->CmtBuf = commentBuffer;
    header->CmtBufSize = commentSize;
    std::wstring name;
    if (!entry.unicodeName.empty())
        name.assign(entry.unicodeName.begin(), entry.unicodeName.end());
    else
        name = Widen(entry.storedName, entry.oemName ? CP_OEMCP : CP_ACP);
    CopyWide(header->ArcNameW, archive->name);
    CopyNarrow(header->ArcName, archive->name);
    CopyWide(header->FileNameW, name);
    CopyNarrow(header->FileName, name);
    header->Flags = entry.flags;
    header->PackSize = static_cast<unsigned int>(entry.packedSize);
    header->PackSizeHigh = static_cast<unsigned int>(entry.packedSize >> 32);
    header->UnpSize = static_cast<unsigned int>(entry.unpackedSize);
    header->UnpSizeHigh = static_cast<unsigned int>(entry.unpackedSize >> 32);
    header->HostOS = entry.hostOs;
    header->FileTime = entry.hasDosTime ? entry.dosTime : DosTimeOf(entry.fileTime);
    header->FileAttr = entry.attributes;
    return kRarListOk;
}

int PASCAL RARProcessFile(HANDLE handle, int operation, char*, char*)
{
    if (handle == NULL)
        return kRarListBadData;
    return operation == kRarSkip ? kRarListOk : kRarListNotSupported;
}

}  // extern "C"
