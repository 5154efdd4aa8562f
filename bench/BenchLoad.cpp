// morvick-bench load SNAPSHOT --image IMAGE [--out DIR]
// Opens the image and loads the snapshot as the program does; with --out it saves everything the
// snapshot lists into DIR. Prints the same JSON line as scan, with "mode":"snapshot"; the files that
// the disk no longer holds as the snapshot lists them are told on standard error.
#include "BenchCommand.h"
#include "BenchSession.h"

#include "engine/save/FolderTreeSave.h"
#include "engine/save/SaveState.h"
#include "engine/snapshot/SnapshotFile.h"
#include "engine/state/EngineState.h"
#include "engine/util/Utf.h"

#include <cstdio>

namespace {

// The files of the loaded lists marked changed on the disk since the snapshot.
unsigned long long ChangedFiles()
{
    unsigned long long changed = 0;
    for (const FatEntryRecord* r = g_FatEntries.head; r; r = r->next)
        changed += r->changedOnDisk != 0;
    for (const MftEntryRecord* r = g_MftEntries.head; r; r = r->next)
        changed += r->changedOnDisk != 0;
    for (const NtfsFileRecord* r = g_NtfsFileRecords.head; r; r = r->next)
        changed += r->changedOnDisk != 0;
    for (const TracedFileRecord* r = g_TracedFiles.head; r; r = r->next)
        changed += r->changedOnDisk != 0;
    return changed;
}

int RunLoad(const std::vector<std::string>& args)
{
    if ((args.size() != 3 && args.size() != 5) || args[1] != "--image" || (args.size() == 5 && args[3] != "--out")) {
        std::fprintf(stderr, "usage: morvick-bench load SNAPSHOT --image IMAGE [--out DIR]\n");
        return 2;
    }
    const std::string out = args.size() == 5 ? args[4] : std::string();
    const double started = BenchClock();
    BenchImage opened(args[2]);
    if (!opened.Opened())
        return 1;
    ResetSaveState();
    if (!LoadSnapshotFile(Utf8ToUtf16(args[0])) || !MakeBenchOutFolder(out))
        return 1;
    if (const unsigned long long changed = ChangedFiles()) {
        std::fprintf(stderr, "%llu files are no longer on the disk as the recovery snapshot lists them: not saved\n",
            changed);
    }
    BenchTotals totals;
    totals.mode = "snapshot";
    totals.partitions = 1;
    CountFoundEntries(totals);
    if (!out.empty())
        SaveWholeVolume(Utf8ToUtf16(out));
    totals.seconds = BenchClock() - started;
    PrintBenchTotals(totals);
    return 0;
}

BenchCommandRegistration load("load", "load SNAPSHOT --image IMAGE [--out DIR]", RunLoad);

} // namespace
