#include "tests/engine/trace/CompoundSamples.h"

#include <cstring>

#ifdef _WIN32
#include <windows.h>
#include <objbase.h>
#include <propidl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#endif

namespace {

constexpr uint32_t kFree = 0xFFFFFFFF;
constexpr uint32_t kEnd = 0xFFFFFFFE;
constexpr uint32_t kFatSector = 0xFFFFFFFD;

void Put16(CompoundBytes& b, size_t at, uint16_t v)
{
    if (b.size() < at + 2)
        b.resize(at + 2);
    b[at] = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
}

void Put32(CompoundBytes& b, size_t at, uint32_t v)
{
    Put16(b, at, uint16_t(v));
    Put16(b, at + 2, uint16_t(v >> 16));
}

void Align4(CompoundBytes& b)
{
    b.resize((b.size() + 3) / 4 * 4, 0);
}

CompoundBytes SummaryStream(const CompoundSampleOptions& o, const std::string& appName)
{
    CompoundBytes s;
    Put16(s, 0, 0xFFFE);
    Put16(s, 2, 0);
    Put32(s, 4, 0x00020006);
    Put32(s, 24, 1);
    static const uint8_t kFormat[16] = {0xE0, 0x85, 0x9F, 0xF2, 0xF9, 0x4F, 0x68, 0x10,
                                        0xAB, 0x91, 0x08, 0x00, 0x2B, 0x27, 0xB3, 0xD9};
    s.insert(s.end(), kFormat, kFormat + 16);
    Put32(s, 44, 48);
    const size_t section = 48;
    const uint32_t count = o.largeSummary ? 3 : 2;
    const size_t values = section + 8 + count * 8;
    s.resize(values, 0);
    // Code page.
    Put32(s, section + 8, 1);
    Put32(s, section + 12, uint32_t(s.size() - section));
    Put32(s, s.size(), 2);
    Put16(s, s.size(), o.unicodeCodePage ? 1200 : 1252);
    Align4(s);
    // Application name.
    Put32(s, section + 16, 18);
    Put32(s, section + 20, uint32_t(s.size() - section));
    Put32(s, s.size(), 30);
    if (o.unicodeCodePage) {
        Put32(s, s.size(), uint32_t(appName.size() + 1) * 2);
        for (char c : appName)
            Put16(s, s.size(), uint8_t(c));
        Put16(s, s.size(), 0);
    } else {
        Put32(s, s.size(), uint32_t(appName.size() + 1));
        s.insert(s.end(), appName.begin(), appName.end());
        s.push_back(0);
    }
    Align4(s);
    if (o.largeSummary) {
        // Comments long enough to take the stream past the small-stream cutoff.
        Put32(s, section + 24, 6);
        Put32(s, section + 28, uint32_t(s.size() - section));
        Put32(s, s.size(), 30);
        Put32(s, s.size(), 5001);
        s.insert(s.end(), 5000, 'c');
        s.push_back(0);
        Align4(s);
    }
    Put32(s, section, uint32_t(s.size() - section));
    Put32(s, section + 4, count);
    return s;
}

void PutEntry(CompoundBytes& dir, size_t id, const std::u16string& name, uint8_t type, uint32_t left, uint32_t right,
    uint32_t child, uint32_t start, uint32_t size)
{
    const size_t at = id * 128;
    for (size_t i = 0; i < name.size(); ++i)
        Put16(dir, at + 2 * i, name[i]);
    Put16(dir, at + 0x40, uint16_t((name.size() + 1) * 2));
    dir[at + 0x42] = type;
    dir[at + 0x43] = 1;
    Put32(dir, at + 0x44, left);
    Put32(dir, at + 0x48, right);
    Put32(dir, at + 0x4C, child);
    Put32(dir, at + 0x74, start);
    Put32(dir, at + 0x78, size);
}

} // namespace

CompoundBytes BuildCompoundDocument(const CompoundSampleOptions& o)
{
    const CompoundBytes summary = SummaryStream(o, o.appName);
    const CompoundBytes embedded = o.embeddedAppName.empty() ? CompoundBytes() : SummaryStream(CompoundSampleOptions{}, o.embeddedAppName);
    // Sectors: 0 table, 1 directory, 2 small table, then the small-stream container, then a large
    // summary stream.
    CompoundBytes mini;                     // the root's stream of 64-byte pieces
    std::vector<uint32_t> miniTable;
    auto addMini = [&](const CompoundBytes& stream) {
        const uint32_t first = uint32_t(mini.size() / 64);
        const size_t pieces = (stream.size() + 63) / 64;
        for (size_t i = 0; i < pieces; ++i)
            miniTable.push_back(i + 1 < pieces ? first + uint32_t(i) + 1 : kEnd);
        mini.insert(mini.end(), stream.begin(), stream.end());
        mini.resize((mini.size() + 63) / 64 * 64, 0);
        return first;
    };
    uint32_t summaryStart = o.largeSummary ? 0 : addMini(summary);
    const uint32_t embeddedStart = embedded.empty() ? 0 : addMini(embedded);
    const uint32_t miniSectors = uint32_t((mini.size() + 511) / 512);
    const uint32_t miniFirst = 3;
    const uint32_t largeFirst = miniFirst + miniSectors;
    const uint32_t largeSectors = o.largeSummary ? uint32_t((summary.size() + 511) / 512) : 0;
    if (o.largeSummary)
        summaryStart = largeFirst;

    const uint32_t sectors = largeFirst + largeSectors;
    CompoundBytes doc(512 * (1 + sectors), 0);
    static const uint8_t kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    std::memcpy(doc.data(), kSignature, 8);
    Put16(doc, 0x18, 0x3E);
    Put16(doc, 0x1A, 3);
    Put16(doc, 0x1C, 0xFFFE);
    Put16(doc, 0x1E, 9);
    Put16(doc, 0x20, 6);
    Put32(doc, 0x2C, 1);
    Put32(doc, 0x30, 1);
    Put32(doc, 0x38, 4096);
    Put32(doc, 0x3C, 2);
    Put32(doc, 0x40, 1);
    Put32(doc, 0x44, kEnd);
    for (size_t i = 0; i < 109; ++i)
        Put32(doc, 0x4C + 4 * i, i == 0 ? 0 : kFree);

    std::vector<uint32_t> table(128, kFree);
    table[0] = kFatSector;
    table[1] = kEnd;
    table[2] = kEnd;
    for (uint32_t i = 0; i < miniSectors; ++i)
        table[miniFirst + i] = i + 1 < miniSectors ? miniFirst + i + 1 : kEnd;
    for (uint32_t i = 0; i < largeSectors; ++i)
        table[largeFirst + i] = i + 1 < largeSectors ? largeFirst + i + 1 : kEnd;
    for (size_t i = 0; i < 128; ++i)
        Put32(doc, kCompoundFatOffset + 4 * i, table[i]);
    for (size_t i = 0; i < 128; ++i)
        Put32(doc, 512 * 3 + 4 * i, i < miniTable.size() ? miniTable[i] : kFree);

    CompoundBytes dir(512, 0);
    for (size_t id = 0; id < 4; ++id) {
        Put32(dir, id * 128 + 0x44, kFree);
        Put32(dir, id * 128 + 0x48, kFree);
        Put32(dir, id * 128 + 0x4C, kFree);
    }
    PutEntry(dir, 0, u"Root Entry", 5, kFree, kFree, 1, mini.empty() ? kEnd : miniFirst, uint32_t(mini.size()));
    const uint32_t sibling = embedded.empty() ? kFree : 2;
    PutEntry(dir, 1, u"\005SummaryInformation", 2, kFree, sibling, kFree, summaryStart, uint32_t(summary.size()));
    if (!embedded.empty()) {
        PutEntry(dir, 2, u"ObjectPool", 1, kFree, kFree, 3, 0, 0);
        PutEntry(dir, 3, u"\005SummaryInformation", 2, kFree, kFree, kFree, embeddedStart, uint32_t(embedded.size()));
    }
    std::memcpy(doc.data() + kCompoundDirectoryOffset, dir.data(), 512);
    if (!mini.empty())
        std::memcpy(doc.data() + 512 * (1 + miniFirst), mini.data(), mini.size());
    if (o.largeSummary)
        std::memcpy(doc.data() + 512 * (1 + largeFirst), summary.data(), summary.size());
    return doc;
}

#ifdef _WIN32
CompoundBytes PlatformCompoundDocument(const std::string& appName)
{
    wchar_t folder[MAX_PATH + 1] = {};
    wchar_t path[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, folder);
    if (!GetTempFileNameW(folder, L"mvt", 0, path))
        return {};
    const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    IStorage* storage = nullptr;
    bool written = false;
    if (SUCCEEDED(StgCreateDocfile(path, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, &storage))) {
        IPropertySetStorage* sets = nullptr;
        if (SUCCEEDED(storage->QueryInterface(IID_IPropertySetStorage, reinterpret_cast<void**>(&sets)))) {
            IPropertyStorage* props = nullptr;
            if (SUCCEEDED(sets->Create(FMTID_SummaryInformation, nullptr, PROPSETFLAG_ANSI,
                    STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, &props))) {
                PROPSPEC spec;
                spec.ulKind = PRSPEC_PROPID;
                spec.propid = 18;
                PROPVARIANT value;
                PropVariantInit(&value);
                value.vt = VT_LPSTR;
                value.pszVal = const_cast<char*>(appName.c_str());
                written = SUCCEEDED(props->WriteMultiple(1, &spec, &value, 2)) && SUCCEEDED(props->Commit(STGC_DEFAULT));
                props->Release();
            }
            sets->Release();
        }
        storage->Commit(STGC_DEFAULT);
        storage->Release();
    }
    if (SUCCEEDED(com))
        CoUninitialize();
    CompoundBytes bytes;
    if (written) {
        std::ifstream in(std::filesystem::path(path), std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    DeleteFileW(path);
    return bytes;
}
#endif
