#include "preview/win/documents/TextConverterDriver.h"

#include <cstdio>
#include <cstring>

namespace {

const char kName[] = "zavozar";
const char kApplication[] = "ZAVOZAR";
const wchar_t kSharedFolder[] = L"C:\\Program Files\\Common Files\\Microsoft Shared\\Textconv";
constexpr size_t kBlock = 1024;
constexpr size_t kMaxArgument = 259;
constexpr DWORD kRegisterFlags = 8;
constexpr int kReadChunk = 512;

typedef long(PASCAL* RtfCallback)(long, long);
typedef short(PASCAL* InitConverterFn)(HANDLE, char*);
typedef void(PASCAL* UninitConverterFn)();
typedef HGLOBAL(PASCAL* RegisterAppFn)(unsigned long, void*);
typedef short(PASCAL* ForeignToRtfFn)(HANDLE, void*, HANDLE, HANDLE, HANDLE, RtfCallback);
typedef short(PASCAL* RtfToForeignFn)(HANDLE, void*, HANDLE, HANDLE, RtfCallback);
typedef short(PASCAL* IsFormatCorrectFn)(HANDLE, HANDLE);
typedef long(PASCAL* FetchErrorFn)(long, char*, long);
typedef void(PASCAL* NamesFn)(HANDLE, HANDLE, HANDLE);

// The files and the buffer of the step running now; the converters' callbacks carry no pointer
// of their own, and one conversion runs at a time (on the user-interface thread).
struct Transfer {
    HANDLE file = INVALID_HANDLE_VALUE;
    HGLOBAL buffer = NULL;
};
Transfer g_transfer;

HGLOBAL GlobalString(const char* text)
{
    size_t n = std::strlen(text) + 1;
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, n);
    if (h != NULL) {
        void* p = ::GlobalLock(h);
        std::memcpy(p, text, n);
        ::GlobalUnlock(h);
    }
    return h;
}

HGLOBAL ZeroBlock()
{
    return ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, kBlock);
}

// The strings of a name list, each ended by a zero, the list by an empty one; never past the end
// of the block.
std::vector<std::string> NameList(HGLOBAL block)
{
    std::vector<std::string> names;
    const char* p = static_cast<const char*>(::GlobalLock(block));
    if (p == NULL)
        return names;
    size_t size = ::GlobalSize(block);
    size_t pos = 0;
    while (pos < size && p[pos] != '\0') {
        size_t end = pos;
        while (end < size && p[end] != '\0')
            ++end;
        if (end == size)
            break;  // no terminator inside the block: not a name
        names.emplace_back(p + pos, end - pos);
        pos = end + 1;
    }
    ::GlobalUnlock(block);
    return names;
}

bool EndsWithNoCase(const std::string& name, const char* suffix)
{
    size_t n = std::strlen(suffix);
    return name.size() >= n && _stricmp(name.c_str() + name.size() - n, suffix) == 0;
}

std::string Narrow(const std::wstring& text)
{
    int n = ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, NULL, 0, NULL, NULL);
    std::string out(n > 0 ? n : 1, '\0');
    if (n > 0)
        ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, &out[0], n, NULL, NULL);
    out.resize(std::strlen(out.c_str()));
    return out;
}

long PASCAL WriteToTemporary(long bytes, long)
{
    if (bytes <= 0)
        return 1;
    const void* data = ::GlobalLock(g_transfer.buffer);
    if (data == NULL)
        return -1;
    SIZE_T available = ::GlobalSize(g_transfer.buffer);
    DWORD count = static_cast<DWORD>(static_cast<SIZE_T>(bytes) < available ? bytes : available);
    DWORD written = 0;
    BOOL ok = ::WriteFile(g_transfer.file, data, count, &written, NULL);
    ::GlobalUnlock(g_transfer.buffer);
    if (!ok) {
        std::fprintf(stderr, "%s: error: cannot write: %lx\n", kName, ::GetLastError());
        return -1;
    }
    if (written != static_cast<DWORD>(bytes)) {
        std::fprintf(stderr, "%s: error: %d of %d bytes written\n", kName, static_cast<int>(written),
            static_cast<int>(bytes));
        return -1;
    }
    return 1;
}

long PASCAL ReadFromTemporary(long, long)
{
    if (::GlobalSize(g_transfer.buffer) < static_cast<SIZE_T>(kReadChunk) &&
        ::GlobalReAlloc(g_transfer.buffer, kReadChunk, GMEM_MOVEABLE | GMEM_ZEROINIT) == NULL)
        return -1;
    void* data = ::GlobalLock(g_transfer.buffer);
    if (data == NULL)
        return -1;
    DWORD read = 0;
    BOOL ok = ::ReadFile(g_transfer.file, data, kReadChunk, &read, NULL);
    ::GlobalUnlock(g_transfer.buffer);
    if (!ok) {
        std::fprintf(stderr, "%s: error: cannot read file: %lx\n", kName, ::GetLastError());
        return -1;
    }
    return static_cast<long>(read);
}

}  // namespace

struct CTextConverterDriver::Loaded {
    HMODULE module = NULL;
    std::string file;
    InitConverterFn init = NULL;
    UninitConverterFn uninit = NULL;
    RegisterAppFn registerApp = NULL;
    ForeignToRtfFn foreignToRtf = NULL;
    RtfToForeignFn rtfToForeign = NULL;
    IsFormatCorrectFn isFormatCorrect = NULL;
    FetchErrorFn fetchError = NULL;
    NamesFn readNames = NULL;
    NamesFn writeNames = NULL;
};

CTextConverterDriver::CTextConverterDriver() {}

CTextConverterDriver::~CTextConverterDriver() {}

std::wstring CTextConverterDriver::ConverterFolder()
{
    wchar_t buffer[MAX_PATH] = {};
    DWORD n = ::GetEnvironmentVariableW(L"ZAVOZAR_DIR", buffer, MAX_PATH);
    if (n > 0 && n < MAX_PATH)
        return buffer;
    return kSharedFolder;
}

bool CTextConverterDriver::Load(const std::string& file, Loaded& converter)
{
    converter = Loaded();
    converter.file = file;
    std::wstring wideFile(file.begin(), file.end());
    int n = ::MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, NULL, 0);
    if (n > 0) {
        wideFile.assign(n, L'\0');
        ::MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, &wideFile[0], n);
        wideFile.resize(n - 1);
    }
    converter.module = ::LoadLibraryW((m_folder + L"/" + wideFile).c_str());
    // "LoadLibrary failed" is reported at a verbosity of 2 or more only, which this program never sets.
    if (converter.module == NULL)
        return false;
    auto resolve = [&](const char* name) { return ::GetProcAddress(converter.module, name); };
    converter.init = reinterpret_cast<InitConverterFn>(resolve("InitConverter32"));
    converter.uninit = reinterpret_cast<UninitConverterFn>(resolve("UninitConverter"));
    converter.registerApp = reinterpret_cast<RegisterAppFn>(resolve("RegisterApp"));
    converter.foreignToRtf = reinterpret_cast<ForeignToRtfFn>(resolve("ForeignToRtf32"));
    converter.rtfToForeign = reinterpret_cast<RtfToForeignFn>(resolve("RtfToForeign32"));
    converter.isFormatCorrect = reinterpret_cast<IsFormatCorrectFn>(resolve("IsFormatCorrect32"));
    converter.fetchError = reinterpret_cast<FetchErrorFn>(resolve("CchFetchLpszError"));
    converter.readNames = reinterpret_cast<NamesFn>(resolve("GetReadNames"));
    converter.writeNames = reinterpret_cast<NamesFn>(resolve("GetWriteNames"));
    if (converter.init == NULL) {
        std::fprintf(stderr, "%s: error: InitConverter32 could not be resolved\n", kName);
        ::FreeLibrary(converter.module);
        converter.module = NULL;
        return false;
    }
    char application[sizeof kApplication];
    std::memcpy(application, kApplication, sizeof kApplication);
    short result = converter.init(NULL, application);
    if (result != 1) {
        ReportConverterError(converter, result, "");
        ::FreeLibrary(converter.module);
        converter.module = NULL;
        return false;
    }
    return true;
}

void CTextConverterDriver::Unload(Loaded& converter)
{
    if (converter.module == NULL)
        return;
    if (converter.uninit != NULL)
        converter.uninit();
    ::FreeLibrary(converter.module);
    converter.module = NULL;
}

void CTextConverterDriver::AppendNames(const std::string& file, HGLOBAL classes, HGLOBAL descriptions,
    HGLOBAL extensions, int kind)
{
    std::vector<std::string> c = NameList(classes), d = NameList(descriptions), e = NameList(extensions);
    for (size_t i = 0; i < c.size() && i < d.size() && i < e.size(); ++i) {
        Record r;
        r.file = file;
        r.className = c[i].substr(0, kMaxArgument);
        r.description = d[i].substr(0, kMaxArgument);
        r.extensions = e[i].substr(0, kMaxArgument);
        r.kind = kind;
        m_records.push_back(r);
    }
}

int CTextConverterDriver::Discover()
{
    m_records.clear();
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW((m_folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "%s: error: FindFirstFile failed with error %lx\n", kName, ::GetLastError());
        return 1;
    }
    do {
        std::string name = Narrow(found.cFileName);
        if (name.size() <= 5 || !(EndsWithNoCase(name, ".cnv") || EndsWithNoCase(name, ".wpc")))
            continue;
        Loaded converter;
        if (!Load(name, converter))
            continue;
        for (int kind = 0; kind < 2; ++kind) {
            NamesFn names = kind == 0 ? converter.readNames : converter.writeNames;
            if (names == NULL)
                continue;
            HGLOBAL blocks[3] = {ZeroBlock(), ZeroBlock(), ZeroBlock()};
            if (blocks[0] == NULL || blocks[1] == NULL || blocks[2] == NULL) {
                for (HGLOBAL b : blocks)
                    if (b != NULL)
                        ::GlobalFree(b);
                std::fprintf(stderr, "%s: error: out of memory\n", kName);
                Unload(converter);
                ::FindClose(search);
                return 1;
            }
            names(blocks[0], blocks[1], blocks[2]);
            AppendNames(name, blocks[0], blocks[1], blocks[2], kind);
            for (HGLOBAL b : blocks)
                ::GlobalFree(b);
        }
        Unload(converter);
    } while (::FindNextFileW(search, &found));
    DWORD error = ::GetLastError();
    if (error != ERROR_NO_MORE_FILES)
        std::fprintf(stderr, "%s: error: FindNextFile returned %lx\n", kName, error);
    ::FindClose(search);
    return 0;
}

void CTextConverterDriver::ReportConverterError(const Loaded& converter, int code, const char* path)
{
    if (converter.fetchError != NULL) {
        char text[512] = {};
        if (converter.fetchError(code, text, sizeof text - 1) > 0) {
            text[sizeof text - 1] = '\0';
            std::fprintf(stderr, "%s: converter error %d: %s\n", kName, code, text);
            return;
        }
    }
    switch (code) {
    case -1:
        std::fprintf(stderr, "%s: error: converter could not open '%s'\n", kName, path);
        break;
    case -2:
        std::fprintf(stderr, "%s: error: read error\n", kName);
        break;
    case -4:
        std::fprintf(stderr, "%s: error: write error\n", kName);
        break;
    case -5:
        std::fprintf(stderr, "%s: error: %s: invalid input file\n", kName, path);
        break;
    case -8:
        std::fprintf(stderr, "%s: error: converter ran out of memory\n", kName);
        break;
    case -13:
        std::fprintf(stderr, "%s: error: converter cannot create '%s'\n", kName, path);
        break;
    case -14:
        std::fprintf(stderr, "%s: error: converter did not recognise input file '%s'\n", kName, path);
        break;
    default:
        std::fprintf(stderr, "%s: error: converter returned error %x\n", kName, code);
        break;
    }
}

int CTextConverterDriver::Import(const char* inputPath, const char* importClass)
{
    const Record* record = NULL;
    for (const Record& r : m_records)
        if (r.kind == 0 && _stricmp(r.className.c_str(), importClass) == 0) {
            record = &r;
            break;
        }
    if (record == NULL) {
        std::fprintf(stderr, "%s: error: Import class %s not found\n", kName, importClass);
        return 1;
    }
    Loaded converter;
    if (!Load(record->file, converter))
        return 1;
    if (converter.registerApp != NULL) {
        HGLOBAL preferences = converter.registerApp(kRegisterFlags, NULL);
        if (preferences != NULL)
            ::GlobalFree(preferences);
    }
    if (converter.foreignToRtf == NULL) {
        std::fprintf(stderr, "%s: error: ForeignToRtf could not be resolved\n", kName);
        Unload(converter);
        return 1;
    }
    HGLOBAL file = GlobalString(inputPath), className = GlobalString(record->className.c_str());
    HGLOBAL subset = GlobalString("");
    g_transfer.buffer = ZeroBlock();
    short result = -8;
    if (file != NULL && className != NULL && subset != NULL && g_transfer.buffer != NULL)
        result = converter.foreignToRtf(file, NULL, g_transfer.buffer, className, subset, WriteToTemporary);
    for (HGLOBAL h : {file, className, subset, g_transfer.buffer})
        if (h != NULL)
            ::GlobalFree(h);
    g_transfer.buffer = NULL;
    if (result != 0)
        ReportConverterError(converter, result, inputPath);
    Unload(converter);
    return result != 0 ? 1 : 0;
}

int CTextConverterDriver::Export(const char* outputPath, const char* exportClass)
{
    const Record* record = NULL;
    for (const Record& r : m_records)
        if (r.kind == 1 && _stricmp(r.className.c_str(), exportClass) == 0) {
            record = &r;
            break;
        }
    if (record == NULL) {
        std::fprintf(stderr, "Export class %s not found\n", exportClass);
        return 1;
    }
    Loaded converter;
    if (!Load(record->file, converter))
        return 1;
    if (converter.rtfToForeign == NULL) {
        std::fprintf(stderr, "%s: RtfToForeign could not be resolved\n", kName);
        Unload(converter);
        return 1;
    }
    HGLOBAL file = GlobalString(outputPath), className = GlobalString(record->className.c_str());
    g_transfer.buffer = ZeroBlock();
    short result = -8;
    if (file != NULL && className != NULL && g_transfer.buffer != NULL)
        result = converter.rtfToForeign(file, NULL, g_transfer.buffer, className, ReadFromTemporary);
    for (HGLOBAL h : {file, className, g_transfer.buffer})
        if (h != NULL)
            ::GlobalFree(h);
    g_transfer.buffer = NULL;
    if (result != 0)
        ReportConverterError(converter, result, outputPath);
    Unload(converter);
    return result != 0 ? 1 : 0;
}

int CTextConverterDriver::Convert(const char* importClass, const char* exportClass, const char* inputPath,
    const char* outputPath)
{
    // The run state: classes (the export class is "RTF" unless given) and the two file names.
    if (importClass == NULL || inputPath == NULL || outputPath == NULL)
        return 2;
    std::string exportName = exportClass != NULL ? exportClass : "RTF";
    for (const char* text : {importClass, exportName.c_str(), inputPath, outputPath})
        if (std::strlen(text) > kMaxArgument || text[0] == '\0')
            return 2;
    m_folder = ConverterFolder();
    if (Discover() != 0)
        return 1;
    std::string output = outputPath;
    bool absolute = output[0] == '/' || output[0] == '\\' || (output.size() > 1 && output[1] == ':');
    if (!absolute) {
        char current[MAX_PATH] = {};
        DWORD n = ::GetCurrentDirectoryA(MAX_PATH, current);
        if (n == 0 || n >= MAX_PATH || n + 1 + output.size() > kMaxArgument)
            return 2;
        output = std::string(current) + "\\" + output;
    }
    if (_stricmp(importClass, exportName.c_str()) == 0) {
        std::fprintf(stderr, "%s: error: Nothing to do; import and export class are the same\n", kName);
        return 1;
    }
    wchar_t folder[MAX_PATH] = {}, temporary[MAX_PATH] = {};
    DWORD n = ::GetTempPathW(MAX_PATH, folder);
    if (n == 0 || n >= MAX_PATH) {
        std::fprintf(stderr, "%s: error: GetTempPath returned %lx\n", kName, ::GetLastError());
        return 1;
    }
    // The system picks a name nothing holds yet and creates the file: no other file of the folder,
    // nor another running conversion's, is ever written or deleted here.
    if (::GetTempFileNameW(folder, L"cnv", 0, temporary) == 0) {
        std::fprintf(stderr, "%s: error: GetTempFileName returned %lx\n", kName, ::GetLastError());
        return 1;
    }
    g_transfer.file = ::CreateFileW(temporary, GENERIC_WRITE, 0, NULL, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (g_transfer.file == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "%s: error: cannot open temporary file %lx\n", kName, ::GetLastError());
        ::DeleteFileW(temporary);
        return 1;
    }
    int imported = Import(inputPath, importClass);
    ::CloseHandle(g_transfer.file);
    g_transfer.file = INVALID_HANDLE_VALUE;
    int exported = 1;
    if (imported == 0) {
        g_transfer.file =
            ::CreateFileW(temporary, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
        if (g_transfer.file == INVALID_HANDLE_VALUE) {
            std::fprintf(stderr, "%s: error: cannot open temporary file %lx\n", kName, ::GetLastError());
            ::DeleteFileW(temporary);
            return 1;
        }
        exported = Export(output.c_str(), exportName.c_str());
        ::CloseHandle(g_transfer.file);
        g_transfer.file = INVALID_HANDLE_VALUE;
    }
    ::DeleteFileW(temporary);
    // A failed step may have left part of the output behind: only a complete run counts.
    return imported == 0 && exported == 0 ? 0 : 1;
}
