// morvick-bench scan IMAGE --mode quick [--partition N|all] [--out DIR] [--snapshot FILE] [--stop-after N]
// Finds the partitions as the wizard does and runs the Quick Scan on partition N (the index that
// `partitions` prints) or on every partition in turn. With --out it saves every found file and
// folder, existing and deleted, with the default recovery settings, into DIR/pN/; with --snapshot it
// writes the snapshot of the last partition scanned; with --stop-after each partition's scan is
// stopped at that pause point, as the window's Stop stops it (see BenchStop). Prints one JSON line of
// totals.
#include "BenchCommand.h"
#include "BenchScanExtensive.h"
#include "BenchScanTrace.h"
#include "BenchSession.h"

#include "engine/listing/ResultListing.h"
#include "engine/save/FolderTreeSave.h"
#include "engine/save/SafeFileName.h"
#include "engine/save/SaveState.h"
#include "engine/snapshot/SnapshotFile.h"
#include "engine/state/EngineState.h"
#include "engine/util/Utf.h"

#include <cstdio>
#include <cstdlib>

namespace {

int Usage()
{
    std::fprintf(stderr,
        "usage: morvick-bench scan IMAGE --mode quick [--partition N|all] [--out DIR] [--snapshot FILE] "
        "[--stop-after N]\n"
        "       morvick-bench scan IMAGE --mode extensive [--out DIR] [--snapshot FILE] [--stop-after N]\n"
        "       morvick-bench scan IMAGE --mode trace [--partition N|all] [--types LIST] [--out DIR] "
        "[--snapshot FILE] [--stop-after N]\n");
    return 2;
}

int RunScan(const std::vector<std::string>& args)
{
    if (args.empty())
        return Usage();
    if (BenchScanMode(args) == "trace")
        return RunScanTrace(args);
    std::string image = args[0], mode, partition = "all", out, snapshot;
    uint64_t stopAt = 0;
    for (size_t i = 1; i < args.size(); i += 2) {
        if (i + 1 >= args.size())
            return Usage();
        const std::string& key = args[i];
        const std::string& value = args[i + 1];
        if (key == "--mode")
            mode = value;
        else if (key == "--partition")
            partition = value;
        else if (key == "--out")
            out = value;
        else if (key == "--snapshot")
            snapshot = value;
        else if (key != "--stop-after")
            return Usage();
        else if (!BenchStop::Parse(value, stopAt))
            return Usage();
    }
    BenchStop stop(stopAt);
    if (mode == "extensive" && partition == "all")
        return RunExtensiveBenchScan(image, out, snapshot, stop);
    if (mode != "quick")
        return Usage();

    BenchTotals totals;
    auto prepare = [&] { return MakeBenchOutFolder(out); };
    return RunBenchPartitionScans(image, partition, totals, prepare, [&](uint32_t index) {
        if (!QuickScanBenchPartition(index, stop))
            return false;
        CountFoundEntries(totals);
        if (!out.empty())
            SaveWholeVolume(JoinOutputPath(Utf8ToUtf16(out), u"p" + DecimalText(index)));
        return snapshot.empty() || SaveSnapshotFile(Utf8ToUtf16(snapshot));
    }, &stop);
}

BenchCommandRegistration scan("scan",
    "scan IMAGE --mode quick [--partition N|all] [--out DIR] [--snapshot FILE] [--stop-after N]\n"
    "  morvick-bench scan IMAGE --mode extensive [--out DIR] [--snapshot FILE] [--stop-after N]\n"
    "  morvick-bench scan IMAGE --mode trace [--partition N|all] [--types LIST] [--out DIR] [--snapshot FILE] "
    "[--stop-after N]",
    RunScan);

}  // namespace
