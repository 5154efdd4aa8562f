#include "engine/scan/VolumeParameters.h"

#include "engine/ScanObserver.h"
#include "engine/fat/FatBootSector.h"
#include "engine/fat/FatDirectoryStart.h"
#include "engine/image/SectorReader.h"
#include "engine/ntfs/NtfsBootSector.h"
#include "engine/state/EngineState.h"
#include "engine/state/SectorLimit.h"
#include "engine/volume/BootRecord.h"
#include "engine/volume/ClusterSize.h"
#include "engine/volume/EngineSectorSource.h"

#include <algorithm>
#include <cstring>
#include <vector>

const char16_t kCalculatingParametersText[] = u"Please wait, calculating partition parameters";
int32_t g_nVolumePastSectorLimit = 0;

namespace {

struct Sector {
    uint8_t bytes[kSectorSize];
};

bool Read(uint64_t sector, Sector& out)
{
    return ReadSectors(sector, 1, out.bytes) == 1;
}

// The boot sector at `at` describes the volume that starts at `start` when it decodes and its last
// FAT on the disk starts with the media byte 0xF8.
bool ReadUsableFatBoot(FileSystemKind kind, uint64_t at, uint32_t start, morvick::FatBootSector& boot,
    morvick::FatLayout& layout)
{
    Sector s, fat;
    if (!Read(at, s) || !morvick::ParseFatBootSector(s.bytes, sizeof s.bytes, kind, boot))
        return false;
    layout = morvick::MakeFatLayout(boot, start);
    // The layout puts the active FAT first: where that is the disk's second, the disk's first (stale,
    // and not the one checked) is the layout's second.
    const uint64_t lastFat = std::max(layout.firstFat, layout.secondFat);
    return Read(lastFat, fat) && fat.bytes[0] == 0xF8;
}

// True when a partition other than the one at `start` lies, at least in part, in the sectors from
// `from` up to `to`: one of the table walked, or any entry of the MBR at sector 0 (an extended
// partition or a type the engine does not read too).
bool OtherPartitionIn(uint32_t start, uint64_t from, uint64_t to)
{
    const auto overlaps = [&](uint64_t first, uint64_t count) {
        return first != start && count != 0 && first < to && first + count > from;
    };
    for (uint32_t i = 0; i < g_nPartitionCount; ++i) {
        if (overlaps(g_PartitionTable[i].startSector, g_PartitionTable[i].sectorCount))
            return true;
    }
    Sector mbr;
    if (!Read(0, mbr))
        return false;
    const morvick::BootRecord record = morvick::ParseBootRecord(mbr.bytes, sizeof mbr.bytes);
    // In the disk's own sectors, as the walk reads the table.
    const uint64_t units = morvick::EngineSectorSource().LogicalSectorSize() / kSectorSize;
    for (const morvick::BootRecordEntry& e : record.entries) {
        if (record.hasSignature && e.type != 0 && overlaps(e.firstSector * units, e.sectorCount * units))
            return true;
    }
    return false;
}

// The sectors of the FAT volume at `start` by its boot sector, where they reach past the chosen
// partition's end and may be read there: its FAT has an entry for every cluster they hold, the image
// holds them, and no other partition lies past the partition's end before they end. 0 otherwise.
uint64_t FatVolumeSectorsPastPartition(const morvick::FatBootSector& boot, const morvick::FatLayout& layout,
    uint32_t start)
{
    const VolumeParameterBlock& b = g_VolumeParams;
    const uint64_t partitionEnd = uint64_t{start} + b.partitionSectors;
    // Its end may lie past the sectors the block's fields hold (engine/state/SectorLimit.h): it is kept
    // held there and worked out whole, as the end of any partition crossing 2 TiB is.
    const uint64_t end = start + boot.totalSectors;
    if (b.partitionSectors == 0 || boot.totalSectors <= b.partitionSectors || end <= layout.dataStart)
        return 0;
    const uint64_t clusters = (end - layout.dataStart) / boot.sectorsPerCluster;
    const bool fatAgrees = morvick::FatDataClusterCount(boot.fileSystem, boot.sectorsPerFat, boot.sectorsPerCluster,
                               layout.dataStart, end) == clusters;
    if (!fatAgrees || morvick::EngineSectorSource().SectorCount() < end || OtherPartitionIn(start, partitionEnd, end))
        return 0;
    return boot.totalSectors;
}

int ReadFatParameters(FileSystemKind type, uint32_t start)
{
    morvick::FatBootSector boot;
    morvick::FatLayout layout;
    // FAT32 keeps a copy of its boot sector 6 of its own sectors in: 6 512-byte sectors, or as many of
    // the copy's larger ones, not 6 always (on a volume of 4,096-byte sectors that is inside a FAT).
    bool usable = ReadUsableFatBoot(type, start, start, boot, layout);
    for (uint32_t units = 1; !usable && type == FileSystemKind::kFat32 && units <= 8; units *= 2) {
        usable = ReadUsableFatBoot(type, uint64_t{start} + 6 * units, start, boot, layout) &&
            boot.bytesPerSector == units * kSectorSize;
    }
    if (!usable)
        return 0;
    // The block's sector fields are 32-bit: a volume whose FATs or root lie past what they hold is left
    // out (with its reason), not kept with those sectors cut to 32 bits, where other sectors lie.
    if (!FitsSectorField(layout.firstFat) || !FitsSectorField(layout.secondFat) ||
        !FitsSectorField(layout.rootDirectory) || !FitsSectorField(layout.clusterBase)) {
        g_nVolumePastSectorLimit = 1;
        return 0;
    }
    VolumeParameterBlock& b = g_VolumeParams;
    b.sectorsPerFat = boot.sectorsPerFat;
    b.sectorsPerCluster = boot.sectorsPerCluster;
    b.reservedSectors = boot.reservedSectors;
    b.rootDirectorySectors = boot.rootDirectorySectors;
    b.rootLocation = type == FileSystemKind::kFat32 ? boot.rootCluster : static_cast<uint32_t>(layout.rootDirectory);
    b.firstFat = static_cast<uint32_t>(layout.firstFat);
    // A volume with one FAT names it as both: a second FAT a FAT's length on would be the root or
    // file data, and the saver's second try would follow chains through it.
    b.secondFat = static_cast<uint32_t>(layout.secondFat != 0 ? layout.secondFat : layout.firstFat);
    b.clusterBase = static_cast<uint32_t>(layout.clusterBase);
    // The file system's own size where it is longer than its partition entry (a wrong resize, a
    // rewritten table) and holds up, not the entry's: the files at its end would be cut.
    if (const uint64_t sectors = FatVolumeSectorsPastPartition(boot, layout, start))
        SetPartitionRange(b, start, static_cast<uint32_t>(sectors));
    return 1;
}

// NTFS: the boot sector at the start or its copy at the partition end, whichever holds what is
// needed; each step may switch to the other copy once.
class NtfsBootCopies {
public:
    NtfsBootCopies(uint64_t start, uint64_t end) : m_start(start), m_end(end) {}

    bool LoadFirst() { return Load(m_start) || Load(m_end); }
    // Takes the other copy when it carries the boot signature; otherwise keeps the current one.
    bool SwitchCopy() { return Load(m_current == m_end ? m_start : m_end); }
    // The current copy's fields; false when they are unusable.
    bool Decode(morvick::NtfsBootSector& out) const
    {
        return morvick::ParseNtfsBootSector(m_boot.bytes, sizeof m_boot.bytes, out);
    }

private:
    bool Load(uint64_t sector)
    {
        Sector s;
        if (!Read(sector, s) || !morvick::HasBootSignature(s.bytes, sizeof s.bytes))
            return false;
        m_boot = s;
        m_current = sector;
        return true;
    }

    uint64_t m_start, m_end, m_current = 0;
    Sector m_boot;
};

// The reconstruction fixes its line on the first directory it meets, so it takes only sectors whose
// first two entries are exactly "." and "..", blank-padded: a sector of file data that merely begins
// ". " is no directory, and taking it first would leave no partner for any true one.
bool IsExactDirectoryStart(const uint8_t* s)
{
    return std::memcmp(s, ".          ", 11) == 0 && std::memcmp(s + 32, "..         ", 11) == 0;
}

bool IsFileRecordAt(uint64_t sector)
{
    Sector s;
    return Read(sector, s) && std::memcmp(s.bytes, "FILE", 4) == 0;
}

enum class MftCopy { kMft, kMirror };

// The sector of the MFT (or its mirror) when it holds a FILE record, trying the other boot-sector
// copy once; 0 when neither does. `pastLimit` is set when a copy that holds one lies past the sectors
// the block holds.
uint32_t FindMftCopy(NtfsBootCopies& copies, uint32_t start, MftCopy which, bool& pastLimit)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        morvick::NtfsBootSector boot;
        if (copies.Decode(boot)) {
            const uint64_t cluster = which == MftCopy::kMft ? boot.mftCluster : boot.mftMirrorCluster;
            const uint64_t sector = cluster * boot.sectorsPerCluster + start;
            if (cluster < (1ull << 32) && IsFileRecordAt(sector)) {
                if (FitsSectorField(sector))
                    return static_cast<uint32_t>(sector);
                pastLimit = true;
            }
        }
        if (attempt == 0 && !copies.SwitchCopy())
            return 0;
    }
    return 0;
}

int ReadNtfsParameters(uint32_t start, uint64_t end)
{
    NtfsBootCopies copies(start, end);
    morvick::NtfsBootSector boot;
    if (!copies.LoadFirst() || !(copies.Decode(boot) || (copies.SwitchCopy() && copies.Decode(boot))))
        return 0;
    bool pastLimit = false;
    const uint32_t mft = FindMftCopy(copies, start, MftCopy::kMft, pastLimit);
    const uint32_t mirror = FindMftCopy(copies, start, MftCopy::kMirror, pastLimit);
    if (mft == 0 && mirror == 0)
        g_nVolumePastSectorLimit = pastLimit ? 1 : 0;
    if ((mft == 0 && mirror == 0) || !copies.Decode(boot))
        return 0;
    VolumeParameterBlock& p = g_VolumeParams;
    p.sectorsPerCluster = boot.sectorsPerCluster;
    p.clusterBase = start;
    p.mftStart = mft;
    p.mftMirrorStart = mirror;
    // The boot sector's record size, not 2 sectors always: records of 4,096 bytes failed their fix-ups.
    p.sectorsPerMftRecord = boot.sectorsPerMftRecord;
    p.sectorsPerIndexRecord = boot.sectorsPerIndexRecord;
    return 1;
}

}  // namespace

int ReadVolumeParameters(const ScanFinishedWord& finished)
{
    if (ScanStopped(finished))
        return 0;
    VolumeParameterBlock& b = g_VolumeParams;
    g_nVolumePastSectorLimit = 0;
    b.browsedFileSystemType = b.chosenFileSystemType;
    // The chosen partition is browsed, no found volume: an earlier Extensive Scan's volume end would
    // bound this volume's clusters by another volume's end.
    b.volumeEnd = 0;
    b.volumeNumber = 0;
    if (g_wSourceType == kSourceLogicalDrive)
        b.partitionStart = 0;
    switch (b.chosenFileSystemType) {
    case FileSystemKind::kFat16:
    case FileSystemKind::kFat32:
        return ReadFatParameters(b.chosenFileSystemType, b.partitionStart);
    case FileSystemKind::kNtfs:
        // The copy at the partition's last sector, worked out in 64 bits: the end field holds no end
        // past the sectors it holds, and its cut end named a sector inside another volume.
        return ReadNtfsParameters(b.partitionStart, PartitionLastSector(b));
    default:
        return 1;
    }
}

int ReconstructFatParameters(const ScanFinishedWord& finished)
{
    VolumeParameterBlock& b = g_VolumeParams;
    const FileSystemKind type = b.chosenFileSystemType;
    if (type != FileSystemKind::kFat16 && type != FileSystemKind::kFat32)
        return 0;
    ScanObserver& observer = CurrentScanObserver();
    observer.OnStatus(kCalculatingParametersText);
    const uint32_t start = b.partitionStart;
    const bool fat32 = type == FileSystemKind::kFat32;

    // Reserved sectors: the first sector that starts like a FAT (F8 FF). Where none of those sectors
    // does, the same counts of a volume's larger sectors (1,024 to 4,096 bytes), not the default
    // alone: on such a volume the FATs were looked for an eighth of the way in, and files stored in
    // pieces were saved with other clusters' bytes.
    uint32_t reserved = fat32 ? 32 : 1;
    bool found = false;
    for (uint32_t units = 1; units <= 8 && !found; units *= 2) {
        for (uint32_t i = (fat32 ? 30 : 0) * units; i < (fat32 ? 60u : 10u) * units && !ScanStopped(finished);
             i += units) {
            Sector s;
            if (Read(uint64_t{start} + i, s) && s.bytes[0] == 0xF8 && s.bytes[1] == 0xFF) {
                reserved = i;
                found = true;
                break;
            }
        }
    }
    const uint32_t total = b.partitionSectors;
    if (total == 0)
        return 0;

    bool haveFirst = false;
    int64_t s1 = 0, c1 = 0;
    constexpr uint32_t kChunk = 64;
    std::vector<uint8_t> chunk(kChunk * kSectorSize);
    for (uint32_t walked = 0; walked < total;) {
        if (ScanStopped(finished))
            return 0;
        uint32_t count = total - walked < kChunk ? total - walked : kChunk;
        bool chunkRead = ReadSectors(uint64_t{start} + walked, count, chunk.data()) == 1;
        for (uint32_t i = 0; i < count; ++i) {
            const uint8_t* s = chunk.data() + i * kSectorSize;
            Sector one;
            if (!chunkRead) {
                // A bad chunk: its sectors one by one; an unreadable one is no directory.
                if (!Read(uint64_t{start} + walked + i, one))
                    continue;
                s = one.bytes;
            }
            morvick::FatDirectoryStart directory;
            if (!IsExactDirectoryStart(s) || !morvick::ReadFatDirectoryStart(s, kSectorSize, fat32, directory))
                continue;
            const int64_t sector = int64_t{start} + walked + i;
            const uint32_t cluster = directory.cluster;
            const uint32_t allOnes = fat32 ? 0xFFFFFFFFu : 0xFFFFu;
            if (cluster == allOnes)
                continue;
            if (!haveFirst) {
                if (cluster > 1) {
                    haveFirst = true;
                    s1 = sector;
                    c1 = cluster;
                }
                continue;
            }
            const int64_t s2 = sector, c2 = cluster;
            if (c2 == c1 || (s2 - s1) % (c2 - c1) != 0 || !(c2 < s2) || !(c2 < s1))
                continue;
            const int64_t k = (s2 - s1) / (c2 - c1);
            if (!IsClusterSizeInSectors(static_cast<uint64_t>(k)) || s1 - k * c1 != s2 - k * c2)
                continue;
            const int64_t rootSectors = fat32 ? 0 : 32;
            const int64_t x1 = s1 - (c1 - 2) * k - start - reserved - rootSectors;
            const int64_t x2 = s2 - (c2 - 2) * k - start - reserved - rootSectors;
            // Two FATs of at least one sector each: a pair that leaves less is no volume, and would
            // give FATs of no sectors.
            if (x1 != x2 || x1 < 2 || s1 - k * c1 < 0)
                continue;
            const uint32_t sectorsPerFat = static_cast<uint32_t>(x1 / 2);
            const uint64_t rootEnd = uint64_t{start} + reserved + 2ull * sectorsPerFat;
            // Left out (with its reason), not kept with sectors cut to the block's 32 bits.
            if (!FitsSectorField(rootEnd) || !FitsSectorField(static_cast<uint64_t>(s1 - k * c1))) {
                g_nVolumePastSectorLimit = 1;
                return 0;
            }
            b.clusterBase = static_cast<uint32_t>(s1 - k * c1);
            b.sectorsPerCluster = static_cast<uint32_t>(k);
            b.sectorsPerFat = sectorsPerFat;
            b.reservedSectors = reserved;
            b.firstFat = start + reserved;
            b.secondFat = b.firstFat + sectorsPerFat;
            b.rootDirectorySectors = fat32 ? 0 : 32;
            b.rootLocation = fat32 ? 2 : b.secondFat + sectorsPerFat;
            return 1;
        }
        uint32_t before = walked;
        walked += count;
        if (walked / 500 != before / 500) {
            uint64_t percent = uint64_t{walked} * 100 / total;
            observer.OnProgress(static_cast<int>(percent > 99 ? 99 : percent));
        }
    }
    return 0;
}
