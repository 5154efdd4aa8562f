#include "BenchSession.h"

#include "engine/io/OutputFolder.h"
#include "engine/save/EngineReset.h"
#include "engine/save/SaveState.h"
#include "engine/scan/QuickScan.h"
#include "engine/state/EngineState.h"
#include "engine/state/SectorLimit.h"
#include "engine/util/Utf.h"
#include "engine/volume/PartitionDiscovery.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

bool BenchObserver::OnMessage(const std::u16string& text, MessageKind kind)
{
    std::fprintf(stderr, "%s\n", Utf16ToUtf8(text).c_str());
    return kind == kMessageQuestion;
}

void BenchObserver::OnPausePoint()
{
    if (stop != nullptr)
        stop->OnPausePoint();
}

bool OpenBenchImage(const std::string& path8, CVirtualDisk& disk)
{
    // The reader by the name, as the start page chooses it.
    const std::u16string path = Utf8ToUtf16(path8);
    const uint32_t type = VirtualDiskTypeOfPath(path);
    ResetEngineState();
    if (type == CVirtualDisk::kNone || !disk.Create(type) || !disk.Open(path)) {
        const ImageOpenFailure why = type == CVirtualDisk::kNone ? ImageOpenFailure::kUnknownKind : disk.OpenFailure();
        std::fprintf(stderr, "%s\n%s: %s\n", Utf16ToUtf8(kCannotOpenImageText).c_str(), path8.c_str(),
            ImageOpenFailureText(why));
        return false;
    }
    SetCurrentVirtualDisk(&disk);
    g_wSourceType = kSourceDisk;
    g_wDeviceIndex = 0;
    g_nImageKind = type == CVirtualDisk::kVhdx ? kImageVhdx : kImageVhd;
    g_DeviceGeometry.cylinders[0] = static_cast<uint32_t>(disk.GetCylinders());
    g_DeviceGeometry.heads[0] = static_cast<uint32_t>(disk.GetHeads());
    g_DeviceGeometry.sectorsPerTrack[0] = static_cast<uint32_t>(disk.GetSectorsPerTrack());
    return true;
}

BenchImage::BenchImage(const std::string& path, BenchStop* stop) : m_previous(SetScanObserver(&m_observer))
{
    m_observer.stop = stop;
    m_opened = OpenBenchImage(path, m_disk);
}

BenchImage::~BenchImage()
{
    if (m_opened)
        SetCurrentVirtualDisk(nullptr);
    SetScanObserver(m_previous);
}

void FindBenchPartitions()
{
    for (uint32_t mbr : {0u, 61u, 62u}) {
        if (WalkPartitionTable(mbr) != 0)
            break;
    }
    SearchPartitions(false, 0, nullptr);
}

std::string BenchScanMode(const std::vector<std::string>& args)
{
    for (size_t i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == "--mode")
            return args[i + 1];
    }
    return std::string();
}

void ChooseBenchPartition(uint32_t index)
{
    const PartitionTableEntry& p = g_PartitionTable[index];
    VolumeParameterBlock& b = g_VolumeParams;
    b = VolumeParameterBlock();
    b.chosenFileSystemType = p.fileSystemType;
    SetPartitionRange(b, p.startSector, p.sectorCount);
    b.partitionIndex = static_cast<uint16_t>(index);
}

bool ParseBenchPartitions(const std::string& text, std::vector<uint32_t>& chosen)
{
    chosen.clear();
    if (text == "all") {
        for (uint32_t i = 0; i < g_nPartitionCount; ++i)
            chosen.push_back(i);
        return true;
    }
    char* end = nullptr;
    const unsigned long n = std::strtoul(text.c_str(), &end, 10);
    if (text.empty() || !end || *end || n >= g_nPartitionCount) {
        std::fprintf(stderr, "no partition %s\n", text.c_str());
        return false;
    }
    chosen.push_back(static_cast<uint32_t>(n));
    return true;
}

int RunBenchPartitionScans(const std::string& image, const std::string& partition, BenchTotals& totals,
    const std::function<bool()>& prepare, const std::function<bool(uint32_t index)>& scanPartition, BenchStop* stop)
{
    const double started = BenchClock();
    BenchImage opened(image, stop);
    if (!opened.Opened())
        return 1;
    FindBenchPartitions();
    std::vector<uint32_t> chosen;
    int status = ParseBenchPartitions(partition, chosen) ? 0 : 1;
    if (status == 0 && prepare && !prepare())
        status = 1;
    if (status == 0) {
        ResetSaveState();
        for (uint32_t index : chosen) {
            ChooseBenchPartition(index);
            ++totals.partitions;
            if (!scanPartition(index))
                status = 1;
        }
        totals.seconds = BenchClock() - started;
        PrintBenchTotals(totals);
    }
    return status;
}

bool MakeBenchOutFolder(const std::string& out)
{
    if (out.empty() || CreateOutputFolder(Utf8ToUtf16(out)))
        return true;
    std::fprintf(stderr, "the folder %s can't be made (is its parent folder there?): nothing is saved\n", out.c_str());
    return false;
}

bool QuickScanBenchPartition(uint32_t index, BenchStop& stop)
{
    g_nScanMode = kScanQuick;
    ScanFinishedWord finished{0};
    stop.Watch(finished);
    const QuickScanResult result = RunQuickScan(finished);
    stop.Report(BenchPartitionName(index));
    if (result != QuickScanResult::kNoParameters)
        return true;
    std::fprintf(stderr, "partition %u: %s\n", index, Utf16ToUtf8(NoParametersText()).c_str());
    return false;
}

std::string BenchPartitionName(uint32_t index)
{
    return "partition " + std::to_string(index);
}

void CountFoundEntries(BenchTotals& t)
{
    if (g_nScanMode == kScanFileTrace) {
        t.files += g_TracedFiles.count;
        return;
    }
    if (g_VolumeParams.browsedFileSystemType == FileSystemKind::kNtfs) {
        t.folders += g_NtfsFolders.count;
        if (g_nScanMode == kScanExtensive) {
            for (const NtfsFileRecord* r = g_NtfsFileRecords.head; r; r = r->next) {
                if (r->sector > g_VolumeParams.clusterBase && r->sector <= g_VolumeParams.volumeEnd) {
                    ++t.files;
                    t.deletedFiles += r->deleted != 0;
                }
            }
            return;
        }
        t.files += g_MftEntries.count;
        for (const MftEntryRecord* r = g_MftEntries.head; r; r = r->next)
            t.deletedFiles += r->deleted != 0;
        return;
    }
    t.folders += g_FatFolders.count;
    t.files += g_FatEntries.count;
    for (const FatEntryRecord* r = g_FatEntries.head; r; r = r->next)
        t.deletedFiles += r->deleted != 0;
}

void PrintBenchTotals(const BenchTotals& t)
{
    const SaveReport& r = g_SaveReport;
    if (!r.cutPaths.empty()) {
        std::fprintf(stderr, "%zu damaged files are deleted files partly taken by a file in use: their bytes past "
                             "that point may be another file's\n",
            r.cutPaths.size());
    }
    // Damaged files apart from those saved whole: a file cut short or with zeros for unreadable sectors
    // is not counted saved.
    std::printf("{\"mode\":\"%s\",\"partitions\":%u,\"folders\":%llu,\"files\":%llu,\"deleted_files\":%llu,"
                "\"saved_files\":%u,\"damaged_files\":%u,\"saved_bytes\":%llu,\"failed_files\":%u,"
                "\"seconds\":%.3f}\n",
        t.mode, t.partitions, t.folders, t.files, t.deletedFiles, r.savedFiles, r.damagedFiles,
        static_cast<unsigned long long>(r.savedBytes), r.failedFiles, t.seconds);
    std::fflush(stdout);
}

double BenchClock()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}
