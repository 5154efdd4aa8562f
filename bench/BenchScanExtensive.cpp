// morvick-bench scan IMAGE --mode extensive [--out DIR] [--snapshot FILE] [--stop-after N]
// Runs the Extensive Scan over the whole disk (FAT and NTFS structures alike), then the found-volume
// scan of every volume found, in the order the file-system page lists them; with --out it saves
// every file and folder of volume N into DIR/vN/; with --snapshot it writes the snapshot of the last
// volume scanned, as the window saves an Extensive Scan's; with --stop-after each found-volume scan is
// stopped at that pause point, as the file-system page's Stop stops it. Prints the JSON line of
// `scan`, with "partitions" the number of volumes found.
#include "BenchScanExtensive.h"

#include "BenchSession.h"

#include "engine/extensive/ExtensiveScan.h"
#include "engine/extensive/ExtensiveScanState.h"
#include "engine/extensive/FoundVolumeScan.h"
#include "engine/listing/ResultListing.h"
#include "engine/save/FolderTreeSave.h"
#include "engine/save/SafeFileName.h"
#include "engine/save/SaveState.h"
#include "engine/snapshot/SnapshotFile.h"
#include "engine/state/EngineState.h"
#include "engine/state/SectorLimit.h"
#include "engine/util/Utf.h"
#include "engine/volume/EngineSectorSource.h"

#include <cstdio>

int RunExtensiveBenchScan(const std::string& image, const std::string& out, const std::string& snapshot,
    BenchStop& stop)
{
    const double started = BenchClock();
    BenchImage opened(image, &stop);
    if (!opened.Opened() || !MakeBenchOutFolder(out))
        return 1;
    const uint64_t sectors = morvick::EngineSectorSource().SectorCount();
    VolumeParameterBlock& b = g_VolumeParams;
    b = VolumeParameterBlock();
    b.chosenFileSystemType = FileSystemKind::kNone;
    if (sectors != 0)
        SetPartitionRangeTo(b, 0, sectors - 1);
    g_nScanMode = kScanExtensive;
    ScanFinishedWord finished{0};
    const ExtensiveScanOutcome outcome = RunExtensiveScan(finished);
    const uint64_t unreadable = outcome.counters.unreadableSectors;
    if (unreadable != 0) {
        std::fprintf(stderr, "%llu of %u sectors could not be read and were searched as zeros\n",
            static_cast<unsigned long long>(unreadable), b.partitionSectors);
    }
    if (b.partitionSectors != 0 && unreadable >= b.partitionSectors) {
        std::fprintf(stderr, "%s: no sector of the disk can be read\n", image.c_str());
        return 1;
    }

    BenchTotals totals;
    totals.mode = "extensive";
    ResetSaveState();
    const uint16_t volumes = static_cast<uint16_t>(g_FoundPartitions.count);
    const std::u16string target = Utf8ToUtf16(out);
    for (uint16_t n = 1; n <= volumes; ++n) {
        ChooseFoundVolume(n);
        stop.Watch(finished);
        RunFoundVolumeScan(finished);
        stop.Report("volume " + std::to_string(n));
        ++totals.partitions;
        CountFoundEntries(totals);
        if (!target.empty())
            SaveWholeVolume(JoinOutputPath(target, u"v" + DecimalText(n)));
    }
    if (!snapshot.empty()) {
        if (volumes == 0) {
            std::fprintf(stderr, "%s: no volume found, no snapshot written\n", image.c_str());
            return 1;
        }
        if (!SaveSnapshotFile(Utf8ToUtf16(snapshot)))
            return 1;
    }
    totals.seconds = BenchClock() - started;
    PrintBenchTotals(totals);
    return 0;
}
