#include "engine/scan/VolumeParameters.h"

#include "engine/ScanObserver.h"
#include "engine/image/SectorReader.h"
#include "engine/state/EngineState.h"
#include "engine/util/Endian.h"

#include <cstring>
#include <vector>

const char16_t kCalculatingParametersText[] = u"Please wait, calculating partition parameters";

namespace {

struct Sector {
    uint8_t bytes[kSectorSize];
};

bool Read(uint32_t sector, Sector& out)
{
    return ReadSectors(sector, 1, out.bytes) == 1;
}

bool HasBootSignature(const Sector& s)
{
    return s.bytes[510] == 0x55 && s.bytes[511] == 0xAA;
}

bool IsClusterSize(uint32_t spc)
{
    return spc >= 1 && spc <= 128 && IsPowerOfTwo(spc);
}

// The FAT fields of a boot sector; false when they cannot describe a volume (they would divide by
// zero or place the FATs nowhere).
struct FatFields {
    uint32_t sectorsPerCluster = 0;
    uint32_t reservedSectors = 0;
    uint32_t sectorsPerFat = 0;
    uint32_t numberOfFats = 2;
    uint32_t rootEntries = 0;
    uint32_t rootCluster = 0;
};

bool TakeFatFields(const Sector& s, FileSystemKind type, FatFields& f)
{
    f.sectorsPerCluster = s.bytes[13];
    f.reservedSectors = ReadLittleEndian16(s.bytes + 14);
    // One or two FATs; anything else is read as the usual two.
    f.numberOfFats = (s.bytes[16] == 1) ? 1 : 2;
    if (type == FileSystemKind::kFat32) {
        f.sectorsPerFat = ReadLittleEndian32(s.bytes + 36);
        f.rootCluster = ReadLittleEndian32(s.bytes + 44);
    } else {
        f.rootEntries = ReadLittleEndian16(s.bytes + 17);
        f.sectorsPerFat = ReadLittleEndian16(s.bytes + 22);
    }
    return IsClusterSize(f.sectorsPerCluster) && f.reservedSectors >= 1 && f.sectorsPerFat >= 1;
}

// The last FAT must start with the media byte 0xF8.
bool FatStartsWithMediaByte(uint32_t start, const FatFields& f)
{
    Sector fat;
    return Read(start + f.reservedSectors + (f.numberOfFats - 1) * f.sectorsPerFat, fat) && fat.bytes[0] == 0xF8;
}

int ReadFatParameters(FileSystemKind type, uint32_t start)
{
    Sector boot;
    FatFields f;
    bool usable = Read(start, boot) && HasBootSignature(boot) && TakeFatFields(boot, type, f)
        && FatStartsWithMediaByte(start, f);
    if (!usable && type == FileSystemKind::kFat32) {
        // FAT32 keeps a copy of its boot sector 6 sectors in.
        usable = Read(start + 6, boot) && HasBootSignature(boot) && TakeFatFields(boot, type, f)
            && FatStartsWithMediaByte(start, f);
    }
    if (!usable)
        return 0;
    VolumeParameterBlock& b = g_VolumeParams;
    const uint32_t rootDirectorySectors = type == FileSystemKind::kFat32 ? 0 : f.rootEntries / 16;
    const uint32_t fatsEnd = start + f.reservedSectors + f.numberOfFats * f.sectorsPerFat;
    b.sectorsPerFat = f.sectorsPerFat;
    b.sectorsPerCluster = f.sectorsPerCluster;
    b.reservedSectors = f.reservedSectors;
    b.rootDirectorySectors = rootDirectorySectors;
    b.rootLocation = type == FileSystemKind::kFat32 ? f.rootCluster : fatsEnd;
    b.firstFat = start + f.reservedSectors;
    b.secondFat = f.numberOfFats == 2 ? b.firstFat + f.sectorsPerFat : b.firstFat;
    // Cluster 2 is the first data cluster; sector arithmetic is modulo 2^32 like the block's fields.
    b.clusterBase = fatsEnd + rootDirectorySectors - 2 * f.sectorsPerCluster;
    return 1;
}

// NTFS: the boot sector at the start or its copy at the partition end, whichever holds what is
// needed; each step may switch to the other copy once.
class NtfsBootCopies {
public:
    NtfsBootCopies(uint32_t start, uint32_t end) : m_start(start), m_end(end) {}

    bool LoadFirst()
    {
        m_current = m_start;
        if (Read(m_current, m_boot) && HasBootSignature(m_boot))
            return true;
        m_current = m_end;
        return Read(m_current, m_boot) && HasBootSignature(m_boot);
    }
    // Takes the other copy when it carries the boot signature; otherwise keeps the current one.
    bool SwitchCopy()
    {
        uint32_t other = m_current == m_end ? m_start : m_end;
        Sector boot;
        if (!Read(other, boot) || !HasBootSignature(boot))
            return false;
        m_current = other;
        m_boot = boot;
        return true;
    }
    const Sector& Boot() const { return m_boot; }

private:
    uint32_t m_start, m_end, m_current = 0;
    Sector m_boot;
};

bool IsFileRecordAt(uint32_t sector)
{
    Sector s;
    return Read(sector, s) && std::memcmp(s.bytes, "FILE", 4) == 0;
}

// The sector of the cluster in the 64-bit field at `offset` when it holds a FILE record, trying the
// other boot-sector copy once; 0 when neither does.
uint32_t FindMftCopy(NtfsBootCopies& copies, uint32_t start, size_t offset)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        const uint8_t* b = copies.Boot().bytes;
        uint32_t spc = b[13];
        uint64_t cluster = ReadLittleEndian64(b + offset);
        uint64_t sector = cluster * spc + start;
        if (IsClusterSize(spc) && cluster < (1ull << 32) && sector < (1ull << 32)
            && IsFileRecordAt(static_cast<uint32_t>(sector)))
            return static_cast<uint32_t>(sector);
        if (attempt == 0 && !copies.SwitchCopy())
            return 0;
    }
    return 0;
}

int ReadNtfsParameters(uint32_t start, uint32_t end)
{
    NtfsBootCopies copies(start, end);
    if (!copies.LoadFirst())
        return 0;
    if (!IsClusterSize(copies.Boot().bytes[13]) && !(copies.SwitchCopy() && IsClusterSize(copies.Boot().bytes[13])))
        return 0;
    uint32_t mft = FindMftCopy(copies, start, 48);
    uint32_t mirror = FindMftCopy(copies, start, 56);
    if (mft == 0 && mirror == 0)
        return 0;
    const uint8_t* b = copies.Boot().bytes;
    uint32_t spc = b[13];
    if (!IsClusterSize(spc))
        return 0;
    // Clusters per index record: a negative byte -n means 2^n bytes (0xF4: 4,096 bytes, 8 sectors).
    int8_t perIndex = static_cast<int8_t>(b[68]);
    uint32_t indexSectors;
    if (perIndex < 0) {
        int shift = -perIndex;
        indexSectors = shift >= 9 && shift <= 16 ? (1u << shift) / kSectorSize : 8;
    } else {
        indexSectors = static_cast<uint32_t>(perIndex) * spc;
    }
    VolumeParameterBlock& p = g_VolumeParams;
    p.sectorsPerCluster = spc;
    p.clusterBase = start;
    p.mftStart = mft;
    p.mftMirrorStart = mirror;
    p.sectorsPerMftRecord = 2;
    p.sectorsPerIndexRecord = indexSectors;
    return 1;
}

// The cluster in a "." entry: FAT32 with the high word at 20.
uint32_t DotCluster(const uint8_t* entry, bool fat32)
{
    uint32_t low = ReadLittleEndian16(entry + 26);
    return fat32 ? low | (static_cast<uint32_t>(ReadLittleEndian16(entry + 20)) << 16) : low;
}

bool IsDirectoryStart(const uint8_t* s)
{
    return std::memcmp(s, ".          ", 11) == 0 && std::memcmp(s + 32, "..         ", 11) == 0;
}

} // namespace

int ReadVolumeParameters(const ScanFinishedWord& finished)
{
    if (ScanStopped(finished))
        return 0;
    VolumeParameterBlock& b = g_VolumeParams;
    b.browsedFileSystemType = b.chosenFileSystemType;
    if (g_wSourceType == kSourceLogicalDrive)
        b.partitionStart = 0;
    switch (b.chosenFileSystemType) {
    case FileSystemKind::kFat16:
    case FileSystemKind::kFat32:
        return ReadFatParameters(b.chosenFileSystemType, b.partitionStart);
    case FileSystemKind::kNtfs:
        return ReadNtfsParameters(b.partitionStart, b.partitionEnd);
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

    // Reserved sectors: the first sector that starts like a FAT (F8 FF).
    uint32_t reserved = fat32 ? 32 : 1;
    for (uint32_t i = fat32 ? 30 : 0; i < (fat32 ? 60u : 10u) && !ScanStopped(finished); ++i) {
        Sector s;
        if (Read(start + i, s) && s.bytes[0] == 0xF8 && s.bytes[1] == 0xFF) {
            reserved = i;
            break;
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
                if (!Read(start + walked + i, one))
                    continue;
                s = one.bytes;
            }
            if (!IsDirectoryStart(s))
                continue;
            const int64_t sector = int64_t{start} + walked + i;
            const uint32_t cluster = DotCluster(s, fat32);
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
            if (k < 1 || k > 128 || !IsPowerOfTwo(static_cast<uint64_t>(k)) || s1 - k * c1 != s2 - k * c2)
                continue;
            const int64_t rootSectors = fat32 ? 0 : 32;
            const int64_t x1 = s1 - (c1 - 2) * k - start - reserved - rootSectors;
            const int64_t x2 = s2 - (c2 - 2) * k - start - reserved - rootSectors;
            if (x1 != x2 || x1 < 2)
                continue;
            const uint32_t sectorsPerFat = static_cast<uint32_t>(x1 / 2);
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
