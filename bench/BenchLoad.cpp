// morvick-bench load SNAPSHOT --image IMAGE --out DIR
// Opens the image, loads the snapshot as the program does and saves everything it lists into DIR.
// Prints the same JSON line as scan, with "mode":"snapshot".
#include "BenchCommand.h"
#include "BenchSession.h"

#include "engine/save/FolderTreeSave.h"
#include "engine/save/SaveState.h"
#include "engine/snapshot/SnapshotFile.h"
#include "engine/util/Utf.h"

#include <cstdio>

namespace {

int RunLoad(const std::vector<std::string>& args)
{
    if (args.size() != 5 || args[1] != "--image" || args[3] != "--out") {
        std::fprintf(stderr, "usage: morvick-bench load SNAPSHOT --image IMAGE --out DIR\n");
        return 2;
    }
    const double started = BenchClock();
    BenchImage opened(args[2]);
    if (!opened.Opened())
        return 1;
    ResetSaveState();
    if (!LoadSnapshotFile(Utf8ToUtf16(args[0])) || !MakeBenchOutFolder(args[4]))
        return 1;
    BenchTotals totals;
    totals.mode = "snapshot";
    totals.partitions = 1;
    CountFoundEntries(totals);
    SaveWholeVolume(Utf8ToUtf16(args[4]));
    totals.seconds = BenchClock() - started;
    PrintBenchTotals(totals);
    return 0;
}

BenchCommandRegistration load("load", "load SNAPSHOT --image IMAGE --out DIR", RunLoad);

} // namespace
