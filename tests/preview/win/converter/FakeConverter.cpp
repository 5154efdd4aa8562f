// A text converter for the converter driver's tests, with the converters' published entry points.
// Variants by FAKE_CONVERTER_KIND: 0 imports "MSWord8" and exports "MSWord6RTFExp" (every entry
// point), 1 only imports "ImportOnly", 2 has no InitConverter32, 3 fills its name list with no
// terminator anywhere in the block, 4 is 0 whose export fails with a write error after writing the
// first half of the output.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

typedef long(PASCAL* RtfCallback)(long, long);

namespace {

std::string Text(HANDLE h)
{
    const char* p = static_cast<const char*>(::GlobalLock(h));
    std::string s = p != NULL ? p : "";
    ::GlobalUnlock(h);
    return s;
}

void FillList(HANDLE block, const char* first)
{
    char* p = static_cast<char*>(::GlobalLock(block));
    if (p == NULL)
        return;
    size_t size = ::GlobalSize(block);
#if FAKE_CONVERTER_KIND == 3
    std::memset(p, 'A', size);
    (void)first;
#else
    std::memset(p, 0, size);
    std::strncpy(p, first, size - 2);
#endif
    ::GlobalUnlock(block);
}

}  // namespace

extern "C" {

#if FAKE_CONVERTER_KIND != 2
short PASCAL InitConverter32(HANDLE, char* module)
{
    return module != NULL && std::strcmp(module, "ZAVOZAR") == 0 ? 1 : 0;
}
#endif

void PASCAL UninitConverter() {}

HGLOBAL PASCAL RegisterApp(unsigned long, void*)
{
    return ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 16);
}

void PASCAL GetReadNames(HANDLE classes, HANDLE descriptions, HANDLE extensions)
{
    FillList(classes, FAKE_CONVERTER_KIND == 1 ? "ImportOnly" : "MSWord8");
    FillList(descriptions, "Fake document");
    FillList(extensions, "doc");
}

#if FAKE_CONVERTER_KIND != 1
void PASCAL GetWriteNames(HANDLE classes, HANDLE descriptions, HANDLE extensions)
{
    FillList(classes, "MSWord6RTFExp");
    FillList(descriptions, "Fake RTF");
    FillList(extensions, "rtf");
}
#endif

short PASCAL ForeignToRtf32(HANDLE file, void*, HANDLE buffer, HANDLE, HANDLE, RtfCallback write)
{
    std::string path = Text(file);
    FILE* in = std::fopen(path.c_str(), "rb");
    if (in == NULL)
        return -1;
    char head[64] = {};
    size_t n = std::fread(head, 1, sizeof head - 1, in);
    std::fclose(in);
    char rtf[256];
    int length = std::snprintf(rtf, sizeof rtf, "{\\rtf1\\ansi Converted by the text converter: %u bytes.\\par}",
        static_cast<unsigned>(n));
    // Two pieces, as a converter hands over its output.
    int first = length / 2;
    for (int part = 0; part < 2; ++part) {
        const char* from = rtf + (part == 0 ? 0 : first);
        int count = part == 0 ? first : length - first;
        char* p = static_cast<char*>(::GlobalLock(buffer));
        std::memcpy(p, from, count);
        ::GlobalUnlock(buffer);
        if (write(count, part == 0 ? 50 : 100) < 0)
            return -4;
    }
    return 0;
}

#if FAKE_CONVERTER_KIND != 1
short PASCAL RtfToForeign32(HANDLE file, void*, HANDLE buffer, HANDLE, RtfCallback read)
{
    std::string out;
    for (;;) {
        long n = read(0, 0);
        if (n < 0)
            return -2;
        if (n == 0)
            break;
        const char* p = static_cast<const char*>(::GlobalLock(buffer));
        out.append(p, static_cast<size_t>(n));
        ::GlobalUnlock(buffer);
    }
    FILE* f = std::fopen(Text(file).c_str(), "wb");
    if (f == NULL)
        return -13;
#if FAKE_CONVERTER_KIND == 4
    std::fwrite(out.data(), 1, out.size() / 2, f);
    std::fclose(f);
    return -4;
#else
    std::fwrite(out.data(), 1, out.size(), f);
    std::fclose(f);
    return 0;
#endif
}
#endif

long PASCAL CchFetchLpszError(long code, char* text, long size)
{
    return std::snprintf(text, static_cast<size_t>(size), "fake converter error %ld", code);
}

}  // extern "C"
