// morvick-bench scan IMAGE --mode trace [--partition N|all] [--types LIST] [--out DIR] [--snapshot FILE]
//   [--stop-after N]
// Finds the partitions as the wizard does and runs File Trace on partition N or on every partition
// in turn, for the types in LIST (extensions as the signature table Raw.dat beside this program
// names them, comma-separated, the dot optional; default every type), chosen as the File Types
// dialog chooses them. With --out it saves every traced file into DIR/pN/ by its name, with the
// dialog's default size; with --snapshot it writes the File Trace snapshot of the last partition
// traced, as the window saves one; with --stop-after each partition's trace is stopped at that pause
// point, as the window's Stop stops it. Prints the JSON line of `scan` ("files": traced files);
// sectors that could not be read, and were searched as zeros, are counted on standard error.
#include "BenchScanTrace.h"
#include "BenchSession.h"

#include "engine/io/OutputFolder.h"
#include "engine/listing/ResultListing.h"
#include "engine/save/FileSavers.h"
#include "engine/save/SafeFileName.h"
#include "engine/save/SaveState.h"
#include "engine/scan/ChosenSignatures.h"
#include "engine/scan/FileTrace.h"
#include "engine/scan/OfficeDocumentKind.h"
#include "engine/scan/QuickScan.h"
#include "engine/scan/SignatureTable.h"
#include "engine/snapshot/SnapshotFile.h"
#include "engine/state/EngineState.h"
#include "engine/state/FoundEntryLists.h"
#include "engine/util/Utf.h"

#include <cstdio>
#include <filesystem>
#include <set>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

int Usage()
{
    std::fprintf(stderr,
        "usage: morvick-bench scan IMAGE --mode trace [--partition N|all] [--types LIST] [--out DIR] "
        "[--snapshot FILE] [--stop-after N]\n");
    return 2;
}

// Raw.dat in this program's folder, as the program finds its own.
std::u16string SignatureTablePath()
{
#ifdef _WIN32
    wchar_t module[MAX_PATH + 1] = {};
    const DWORD n = GetModuleFileNameW(nullptr, module, MAX_PATH);
    std::filesystem::path self(std::wstring(module, n));
#else
    char module[4096] = {};
    const ssize_t n = readlink("/proc/self/exe", module, sizeof module - 1);
    std::filesystem::path self(std::string(module, n > 0 ? static_cast<size_t>(n) : 0));
#endif
    return (self.parent_path() / kSignatureTableFileName).u16string();
}

// The File Types tree's items for the types in list (every type for an empty list), in the tree's
// order. False, with a message, for a type the table does not have.
bool TickedTypes(const std::vector<SignatureRecord>& records, const std::string& list,
    std::vector<std::u16string>& ticked)
{
    const std::vector<std::u16string> items = FileTypeItemsInTreeOrder(records);
    std::set<std::u16string> wanted;
    for (size_t at = 0; !list.empty() && at <= list.size();) {
        size_t comma = list.find(',', at);
        if (comma == std::string::npos)
            comma = list.size();
        std::string type = list.substr(at, comma - at);
        if (!type.empty() && type[0] != '.')
            type = "." + type;
        wanted.insert(Utf8ToUtf16(type));
        at = comma + 1;
    }
    for (const std::u16string& item : items) {
        if (list.empty() || wanted.erase(item))
            ticked.push_back(item);
    }
    for (const std::u16string& missing : wanted)
        std::fprintf(stderr, "no type %s in the signature table\n", Utf16ToUtf8(missing).c_str());
    return wanted.empty() && !ticked.empty();
}

void SaveTracedFiles(const std::u16string& folder)
{
    CreateOutputFolder(folder);
    g_nTickedFileCount = g_TracedFiles.count;
    for (const TracedFileRecord* r = g_TracedFiles.head; r; r = r->next)
        SaveTracedFile(folder, r->name, r->sector, 1);
}

}  // namespace

int RunScanTrace(const std::vector<std::string>& args)
{
    std::string image = args[0], partition = "all", types, out, snapshot;
    uint64_t stopAt = 0;
    for (size_t i = 1; i < args.size(); i += 2) {
        if (i + 1 >= args.size())
            return Usage();
        const std::string& key = args[i];
        const std::string& value = args[i + 1];
        if (key == "--mode" && value == "trace")
            continue;
        if (key == "--partition")
            partition = value;
        else if (key == "--types")
            types = value;
        else if (key == "--out")
            out = value;
        else if (key == "--snapshot")
            snapshot = value;
        else if (key != "--stop-after")
            return Usage();
        else if (!BenchStop::Parse(value, stopAt))
            return Usage();
    }

    const SignatureTable table = LoadSignatureTableFile(SignatureTablePath());
    std::vector<std::u16string> ticked;
    if (table.status == SignatureTableStatus::kUnreadable) {
        std::fprintf(stderr, "the signature table %s can't be read\n", Utf16ToUtf8(SignatureTablePath()).c_str());
        return 1;
    }
    if (!TickedTypes(table.records, types, ticked))
        return 2;

    BenchStop stop(stopAt);
    BenchTotals totals;
    totals.mode = "trace";
    const OfficeKindReader readKind = DetectOfficeDocumentKind;
    auto choose = [&] {
        AppendChosenSignatures(g_TraceHits, table.records, ticked);
        g_nTraceSizeClass = kDefaultTraceSizeMiB;
        return MakeBenchOutFolder(out);
    };
    const int status = RunBenchPartitionScans(image, partition, totals, choose, [&](uint32_t index) {
        g_nScanMode = kScanFileTrace;
        ScanFinishedWord finished{0};
        uint64_t unreadable = 0;
        stop.Watch(finished);
        const FileTraceResult result = RunFileTrace(finished, readKind, &unreadable);
        stop.Report(BenchPartitionName(index));
        if (result == FileTraceResult::kNoParameters) {
            std::fprintf(stderr, "partition %u: %s\n", index, Utf16ToUtf8(NoParametersText()).c_str());
            return false;
        }
        if (unreadable != 0)
            std::fprintf(stderr, "partition %u: %s\n", index, Utf16ToUtf8(UnreadableSectorsText(unreadable)).c_str());
        CountFoundEntries(totals);
        if (!out.empty())
            SaveTracedFiles(JoinOutputPath(Utf8ToUtf16(out), u"p" + DecimalText(index)));
        return snapshot.empty() || SaveSnapshotFile(Utf8ToUtf16(snapshot));
    }, &stop);
    FreeTracedFileList();
    FreeTraceTypeList();
    return status;
}
