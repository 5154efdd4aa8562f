// morvick-bench find IMAGE --name PATTERN [--partition N] --out DIR
// Runs the Quick Scan on partition N (default 0) and saves every file whose name matches PATTERN
// (the Find dialog's wildcards, without regard to case), in list order, as the Find dialog's "Save
// Selected File" saves its ticked hits: each file by itself, all into DIR. Prints the JSON line of
// `scan` with "mode":"find"; "saved_files" counts the hits written whole.
#include "BenchCommand.h"
#include "BenchSession.h"

#include "engine/save/FolderTreeSave.h"
#include "engine/save/MatchWildcard.h"
#include "engine/save/SaveState.h"
#include "engine/state/EngineState.h"
#include "engine/util/Utf.h"

#include <cstdio>

namespace {

int Usage()
{
    std::fprintf(stderr, "usage: morvick-bench find IMAGE --name PATTERN [--partition N] --out DIR\n");
    return 2;
}

bool Matches(const char16_t* name, const std::u16string& wanted)
{
    return MatchWildcard(UpperCaseName(name ? name : u""), wanted);
}

// The row keys of the matching files, as the Find dialog lists them: the first record of a key.
std::vector<uint32_t> MatchingKeys(const std::u16string& pattern)
{
    const std::u16string wanted = UpperCaseName(pattern);
    std::vector<uint32_t> keys;
    if (g_VolumeParams.browsedFileSystemType == FileSystemKind::kNtfs) {
        for (const MftEntryRecord* r = g_MftEntries.head; r; r = r->next) {
            if (Matches(r->name, wanted))
                keys.push_back(r->dataRecordSector);
        }
    } else {
        for (const FatEntryRecord* r = g_FatEntries.head; r; r = r->next) {
            if (Matches(r->name, wanted))
                keys.push_back(r->ordinal);
        }
    }
    return keys;
}

int RunFind(const std::vector<std::string>& args)
{
    if (args.empty())
        return Usage();
    std::string pattern, partition = "0", out;
    for (size_t i = 1; i < args.size(); i += 2) {
        if (i + 1 >= args.size())
            return Usage();
        if (args[i] == "--name")
            pattern = args[i + 1];
        else if (args[i] == "--partition")
            partition = args[i + 1];
        else if (args[i] == "--out")
            out = args[i + 1];
        else
            return Usage();
    }
    if (pattern.empty() || out.empty() || partition == "all")
        return Usage();
    BenchTotals totals;
    totals.mode = "find";
    auto prepare = [&] { return MakeBenchOutFolder(out); };
    return RunBenchPartitionScans(args[0], partition, totals, prepare, [&](uint32_t index) {
        BenchStop never;
        if (!QuickScanBenchPartition(index, never))
            return false;
        CountFoundEntries(totals);
        g_strSavePath = Utf8ToUtf16(out);
        SaveSelection hits;
        hits.fileKeys = MatchingKeys(Utf8ToUtf16(pattern));
        SaveCheckedTreeItems(hits);
        return true;
    });
}

BenchCommandRegistration find("find", "find IMAGE --name PATTERN [--partition N] --out DIR", RunFind);

}  // namespace
