#include "engine/scan/OfficeDocumentKind.h"

#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <propidl.h>

#include <string>

namespace {

constexpr PROPID kAppNameProperty = 18;   // PIDSI_APPNAME

// Writes the bytes to a new file of unique name in the temporary folder; its path, or empty. A fixed
// name would open a file another program or a second run left there, or one planted in its place.
std::wstring WriteTemporaryCopy(const uint8_t* data, size_t size)
{
    wchar_t folder[MAX_PATH + 1] = {};
    wchar_t path[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH, folder);
    if (length == 0 || length > MAX_PATH || !GetTempFileNameW(folder, L"mvk", 0, path))
        return std::wstring();
    // The empty file that GetTempFileNameW has just made, opened as the entry it is: a link put in
    // its place would not be followed.
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
        FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        DeleteFileW(path);
        return std::wstring();
    }
    DWORD written = 0;
    const bool ok = WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr) && written == size;
    CloseHandle(file);
    if (!ok) {
        DeleteFileW(path);
        return std::wstring();
    }
    return path;
}

bool ReadSummaryAppName(IPropertySetStorage* sets, std::string& appName)
{
    IPropertyStorage* properties = nullptr;
    if (FAILED(sets->Open(FMTID_SummaryInformation, STGM_READ | STGM_SHARE_EXCLUSIVE, &properties)))
        return false;
    PROPSPEC spec;
    spec.ulKind = PRSPEC_PROPID;
    spec.propid = kAppNameProperty;
    PROPVARIANT value;
    PropVariantInit(&value);
    bool found = false;
    if (properties->ReadMultiple(1, &spec, &value) == S_OK && value.vt == VT_LPSTR && value.pszVal) {
        appName = value.pszVal;
        found = true;
    }
    PropVariantClear(&value);
    properties->Release();
    return found;
}

} // namespace

bool ReadDocumentAppName(const uint8_t* data, size_t size, std::string& appName)
{
    appName.clear();
    const std::wstring path = WriteTemporaryCopy(data, size);
    if (path.empty())
        return false;
    const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    bool found = false;
    IStorage* storage = nullptr;
    if (SUCCEEDED(StgOpenStorage(path.c_str(), nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, nullptr, 0, &storage))) {
        IPropertySetStorage* sets = nullptr;
        if (SUCCEEDED(storage->QueryInterface(IID_IPropertySetStorage, reinterpret_cast<void**>(&sets)))) {
            found = ReadSummaryAppName(sets, appName);
            sets->Release();
        }
        storage->Release();
    }
    if (SUCCEEDED(com))
        CoUninitialize();
    DeleteFileW(path.c_str());
    return found;
}
