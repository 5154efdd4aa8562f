#include "preview/win/archives/CabListing.h"

#include "preview/text/Utf8.h"
#include "preview/win/archives/DosFileTime.h"
#include "preview/win/host/AnsiPath.h"

#include <fcntl.h>
#include <fdi.h>
#include <io.h>
#include <sys/stat.h>

#include <cstring>
#include <string>

namespace {

typedef HFDI(DIAMONDAPI* FdiCreateFn)(PFNALLOC, PFNFREE, PFNOPEN, PFNREAD, PFNWRITE, PFNCLOSE, PFNSEEK, int, PERF);
typedef BOOL(DIAMONDAPI* FdiCopyFn)(HFDI, char*, char*, int, PFNFDINOTIFY, PFNFDIDECRYPT, void*);
typedef BOOL(DIAMONDAPI* FdiIsCabinetFn)(HFDI, INT_PTR, PFDICABINETINFO);
typedef BOOL(DIAMONDAPI* FdiDestroyFn)(HFDI);

constexpr int kCpu80386 = 1;
constexpr int kNoEntryPoint = 1000;
// The name the library is given for a cabinet whose path the ANSI code page cannot hold: the open
// callback opens the UTF-16 path instead.
const char kWidePathToken[] = "\x01morvick-cabinet";

struct ListingState {
    HFDI context = NULL;
    ERF error = {};
    int cancel = 0;
    HMODULE module = NULL;
    FdiCreateFn create = NULL;
    FdiCopyFn copy = NULL;
    FdiIsCabinetFn isCabinet = NULL;
    FdiDestroyFn destroy = NULL;
    std::wstring widePath;
};

ListingState* g_listing = NULL;

FNALLOC(Allocate)
{
    return ::operator new(cb, std::nothrow);
}

FNFREE(Free)
{
    ::operator delete(pv);
}

FNOPEN(OpenFile)
{
    if (g_listing != NULL && std::strcmp(pszFile, kWidePathToken) == 0)
        return _wopen(g_listing->widePath.c_str(), oflag | _O_BINARY, pmode);
    return _open(pszFile, oflag | _O_BINARY, pmode);
}

FNREAD(ReadFile)
{
    return _read(static_cast<int>(hf), pv, cb);
}

FNWRITE(WriteFile)
{
    return _write(static_cast<int>(hf), pv, cb);
}

FNCLOSE(CloseFile)
{
    return _close(static_cast<int>(hf));
}

FNSEEK(SeekFile)
{
    return _lseek(static_cast<int>(hf), dist, seektype);
}

CString NameText(const char* name, USHORT attributes)
{
    std::string bytes = name != NULL ? name : "";
    if ((attributes & _A_NAME_IS_UTF) != 0) {
        std::u16string wide = morvick::Utf8ToUtf16(bytes);
        return CString(std::wstring(wide.begin(), wide.end()).c_str());
    }
    int n = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), NULL, 0);
    std::wstring out(n > 0 ? n : 0, L'\0');
    if (n > 0)
        ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), &out[0], n);
    return CString(out.c_str());
}

FNFDINOTIFY(Notify)
{
    ListingState* state = pfdin != NULL ? static_cast<ListingState*>(pfdin->pv) : NULL;
    if (state != NULL && state->cancel != 0)
        return -1;
    if (fdint != fdintCOPY_FILE || pfdin == NULL)
        return 0;
    CString stored = NameText(pfdin->psz1, pfdin->attribs);
    int slash = stored.ReverseFind(L'\\');
    CString folder = slash >= 0 ? stored.Left(slash + 1) : CString();
    CString name = slash >= 0 ? stored.Mid(slash + 1) : stored;
    FILETIME time = DosTimeToUtcFileTime(pfdin->date, pfdin->time);
    CabEntries().AddHead(new CCabEntry(name, folder, static_cast<DWORD>(pfdin->cb), time, pfdin->attribs));
    return 0;  // skip the file: nothing is written
}

void Unload(ListingState& state)
{
    if (state.context != NULL)
        state.destroy(state.context);
    state.context = NULL;
    if (state.module != NULL)
        ::FreeLibrary(state.module);
    state.module = NULL;
}

}  // namespace

CCabEntry::CCabEntry(const CString& name, const CString& folder, DWORD size, const FILETIME& time, WORD attributes)
    : m_strName(name), m_strFolder(folder), m_dwSize(size), m_time(time), m_wAttributes(attributes)
{}

CObList& CabEntries()
{
    static CObList entries(10);
    return entries;
}

void DeleteCabEntries()
{
    CObList& entries = CabEntries();
    POSITION pos = entries.GetHeadPosition();
    while (pos != NULL)
        delete entries.GetNext(pos);
    entries.RemoveAll();
}

BOOL ListCabinet(const CString& strPath)
{
    ListingState state;
    state.module = ::LoadLibraryA("Cabinet.dll");
    if (state.module != NULL) {
        state.create = reinterpret_cast<FdiCreateFn>(::GetProcAddress(state.module, "FDICreate"));
        state.copy = reinterpret_cast<FdiCopyFn>(::GetProcAddress(state.module, "FDICopy"));
        state.isCabinet = reinterpret_cast<FdiIsCabinetFn>(::GetProcAddress(state.module, "FDIIsCabinet"));
        state.destroy = reinterpret_cast<FdiDestroyFn>(::GetProcAddress(state.module, "FDIDestroy"));
    }
    if (state.module == NULL || state.create == NULL || state.copy == NULL || state.isCabinet == NULL ||
        state.destroy == NULL) {
        state.error.erfOper = kNoEntryPoint;
        state.error.fError = TRUE;
        if (state.module != NULL)
            ::FreeLibrary(state.module);
        return FALSE;
    }
    state.context =
        state.create(Allocate, Free, OpenFile, ReadFile, WriteFile, CloseFile, SeekFile, kCpu80386, &state.error);
    if (state.context == NULL) {
        Unload(state);
        return FALSE;
    }
    if (state.error.fError || strPath.IsEmpty()) {
        Unload(state);
        return FALSE;
    }
    DeleteCabEntries();
    // The cabinet's name after the last "\" and its folder up to and including it; a path the
    // code page cannot hold, or a long one, is opened by its wide name.
    std::string narrow = AnsiPath(strPath);
    std::string name, folder;
    if (narrow.empty()) {
        state.widePath = static_cast<LPCWSTR>(strPath);
        name = kWidePathToken;
    } else {
        size_t slash = narrow.rfind('\\');
        name = slash == std::string::npos ? narrow : narrow.substr(slash + 1);
        folder = slash == std::string::npos ? std::string() : narrow.substr(0, slash + 1);
    }
    g_listing = &state;
    // A file that is no cabinet is refused before the listing (the library's listing of one is
    // not relied on to fail).
    std::string whole = folder + name;
    INT_PTR file = OpenFile(&whole[0], _O_RDONLY, 0);
    FDICABINETINFO info = {};
    BOOL cabinet = file != -1 && state.isCabinet(state.context, file, &info);
    if (file != -1)
        CloseFile(file);
    BOOL copied = cabinet && state.copy(state.context, &name[0], &folder[0], 0, Notify, NULL, &state);
    g_listing = NULL;
    Unload(state);
    return copied;
}
