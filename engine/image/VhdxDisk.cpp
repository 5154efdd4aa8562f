#include "engine/image/VhdxDisk.h"

#include "engine/image/SectorBitmap.h"
#include "engine/image/SectorSize.h"
#include "engine/util/Endian.h"

#include <cstring>
#include <new>

namespace {

constexpr uint64_t kBatEntryOffsetMask = ~uint64_t(0xFFFFF);
constexpr uint32_t kSectorBitmapPresent = 6;

const VhdxRegion* FindRegion(const std::vector<VhdxRegion>& regions, const char16_t* name)
{
    for (const VhdxRegion& region : regions) {
        if (region.name == name)
            return &region;
    }
    return nullptr;
}

}  // namespace

int CVhdxDisk::Open(const std::u16string& path)
{
    // Shared for writing as well: an image that another program holds open (its virtual machine
    // running) is still read; this reader never writes. Only an existing file is opened: creating
    // one would leave an empty file behind at a mistyped path.
    if (!m_file.OpenRead(path, true)) {
        m_failure = ImageOpenFailure::kUnreadableFile;
        return 0;
    }
    return TakeParsed();
}

int CVhdxDisk::OpenMemory(const uint8_t* data, size_t size)
{
    m_file.OpenMemory(data, size);
    return TakeParsed();
}

int CVhdxDisk::TakeParsed()
{
    const int result = Parse();
    m_failure = result == kVhdxOk       ? ImageOpenFailure::kNone
        : result == kVhdxWrongSignature ? ImageOpenFailure::kNoVhdxIdentifier
                                        : ImageOpenFailure::kDamagedStructures;
    if (result == kVhdxOk && !HoldsData())
        m_failure = ImageOpenFailure::kEndsBeforeData;
    if (m_failure != ImageOpenFailure::kNone) {
        m_file.Close();
        return 0;
    }
    return 1;
}

bool CVhdxDisk::HoldsData() const
{
    const uint64_t fileSize = m_file.GetSize();
    bool present = false;
    for (const VhdxPayloadBlock& block : m_payload) {
        if (block.state != kVhdxBlockFullyPresent && block.state != kVhdxBlockPartiallyPresent)
            continue;
        if (block.fileOffset != 0 && block.fileOffset + kSectorSize <= fileSize)  // a whole sector of its data
            return true;
        present = true;
    }
    return !present;
}

int CVhdxDisk::Close()
{
    return m_file.Close();
}

int CVhdxDisk::Parse()
{
    ClearStructures();
    try {
        uint8_t identifier[8];
        if (!m_file.ReadAt(identifier, 0, sizeof identifier) || std::memcmp(identifier, "vhdxfile", 8) != 0)
            return kVhdxWrongSignature;
        std::vector<std::vector<VhdxRegion>> candidates;
        int result = ReadRegionTables(candidates);
        for (const std::vector<VhdxRegion>& regions : candidates) {
            ClearStructures();
            result = ParseRegions(regions);
            if (result == kVhdxOk)
                break;
        }
        if (result != kVhdxOk)
            ClearStructures();
        return result;
    } catch (const std::bad_alloc&) {
        ClearStructures();
        return kVhdxRejected;
    }
}

void CVhdxDisk::ClearStructures()
{
    m_regions.clear();
    m_items.clear();
    m_payload.clear();
    m_bitmapEntries.clear();
    m_parameters = VhdxDiskParameters();
    m_layout = VhdxBatLayout();
    m_position = 0;
}

int CVhdxDisk::ParseRegions(const std::vector<VhdxRegion>& regions)
{
    m_regions = regions;
    const VhdxRegion* metadata = FindRegion(m_regions, u"MetaData_Guid");
    const VhdxRegion* bat = FindRegion(m_regions, u"Bat Guid");
    if (!metadata || !bat)
        return kVhdxRejected;
    int result = ReadMetadataTable(*metadata);
    if (result < 0)
        return result;
    result = GetDiskParameters(*metadata);
    if (result < 0)
        return result;
    return ReadBlockTable(*bat);
}

int CVhdxDisk::ReadRegionTables(std::vector<std::vector<VhdxRegion>>& candidates)
{
    // A table whose signature and checksum hold decides, the first one before its copy. When neither
    // holds, a damaged table is still read when its entries make sense in this file: first the
    // table, then the copy, each tried as far as the metadata and the BAT it names.
    std::vector<uint8_t> raw[2];
    const uint64_t offsets[2] = {kVhdxRegionTableOffset, kVhdxRegionTableCopyOffset};
    int result = kVhdxRejected;
    for (int i = 0; i < 2; ++i) {
        raw[i].resize(kVhdxRegionTableSize);
        if (!m_file.ReadAt(raw[i].data(), offsets[i], raw[i].size())) {
            raw[i].clear();
            continue;
        }
        VhdxRegionTable table;
        result = ParseVhdxRegionTable(raw[i].data(), raw[i].size(), m_file.GetSize(), table);
        if (result == kVhdxOk)
            candidates.push_back(table.regions);
        if (table.intact)
            return result;
    }
    for (const std::vector<uint8_t>& bytes : raw) {
        if (bytes.empty())
            continue;
        VhdxRegionTable table;
        const int fields = ParseVhdxRegionTable(bytes.data(), bytes.size(), m_file.GetSize(), table, true);
        if (fields == kVhdxOk)
            candidates.push_back(table.regions);
        else if (candidates.empty())
            result = fields;
    }
    return candidates.empty() ? result : kVhdxOk;
}

int CVhdxDisk::ReadMetadataTable(const VhdxRegion& region)
{
    // No more than the table's 64 KiB, nor more than the region holds: its length sizes the buffer.
    const size_t size = region.length < kVhdxMetadataTableSize ? region.length : kVhdxMetadataTableSize;
    std::vector<uint8_t> raw(size);
    if (size == 0 || !m_file.ReadAt(raw.data(), region.fileOffset, size))
        return kVhdxRejected;
    return ParseVhdxMetadataTable(raw.data(), raw.size(), region.length, m_items);
}

int CVhdxDisk::GetDiskParameters(const VhdxRegion& region)
{
    bool haveBlockSize = false, haveDiskSize = false, haveLogical = false;
    for (const VhdxMetadataItem& item : m_items) {
        uint8_t value[8] = {};
        const size_t needed = (item.name == u"File Parameter" || item.name == u"Virtual Disk Size") ? 8
            : (item.name == u"Parent Locator")                                                      ? 0
                                                                                                    : 4;
        if (needed == 0)
            continue;
        if (item.length < needed || !m_file.ReadAt(value, region.fileOffset + item.offset, needed))
            return kVhdxRejected;
        if (item.name == u"File Parameter" && !haveBlockSize) {
            m_parameters.blockSize = ReadLittleEndian32(value);
            const uint32_t flags = ReadLittleEndian32(value + 4);
            m_parameters.leaveBlocksAllocated = (flags & 1) != 0;
            m_parameters.hasParent = (flags & 2) != 0;
            haveBlockSize = true;
        } else if (item.name == u"Virtual Disk Size" && !haveDiskSize) {
            m_parameters.diskSize = ReadLittleEndian64(value);
            haveDiskSize = true;
        } else if (item.name == u"Logical Sector Size" && !haveLogical) {
            m_parameters.logicalSectorSize = ReadLittleEndian32(value);
            haveLogical = true;
        } else if (item.name == u"Physical Sector Size") {
            m_parameters.physicalSectorSize = ReadLittleEndian32(value);
        }
    }
    // Sizes out of the format's range would size the table and every block read from damage.
    if (!haveBlockSize || !haveDiskSize || !haveLogical || !AreVhdxDiskParametersValid(m_parameters))
        return kVhdxRejected;
    return kVhdxOk;
}

int CVhdxDisk::ReadBlockTable(const VhdxRegion& region)
{
    if (!ComputeVhdxBatLayout(m_parameters.diskSize, m_parameters.blockSize, m_parameters.logicalSectorSize, m_layout))
        return kVhdxRejected;
    // A differencing image also needs the sector-bitmap entry after the last (partial) chunk.
    uint64_t entries = m_layout.totalEntries;
    const uint64_t inRegion = region.length / 8;
    // Within its region and the bound: a damaged size would read other structures as entries.
    if (entries > inRegion || entries > kMaxTableEntries)
        return kVhdxRejected;
    if (m_parameters.hasParent) {
        const uint64_t withBitmaps = m_layout.bitmapBlocks * (m_layout.chunkRatio + 1);
        entries = withBitmaps < inRegion ? withBitmaps : inRegion;
    }
    m_payload.reserve(static_cast<size_t>(m_layout.dataBlocks));
    m_bitmapEntries.reserve(static_cast<size_t>(m_layout.bitmapBlocks));
    std::vector<uint8_t> raw(static_cast<size_t>(entries * 8 < (1u << 20) ? entries * 8 : (1u << 20)));
    uint64_t index = 0;
    while (index < entries) {
        const uint64_t batch = (entries - index) < raw.size() / 8 ? (entries - index) : raw.size() / 8;
        if (!m_file.ReadAt(raw.data(), region.fileOffset + index * 8, static_cast<size_t>(batch * 8)))
            return kVhdxRejected;
        for (uint64_t k = 0; k < batch; ++k, ++index) {
            const uint64_t entry = ReadLittleEndian64(&raw[static_cast<size_t>(k * 8)]);
            if (index % (m_layout.chunkRatio + 1) == m_layout.chunkRatio)
                m_bitmapEntries.push_back(entry);
            else if (m_payload.size() < m_layout.dataBlocks)
                m_payload.push_back({static_cast<uint32_t>(entry & 7), entry & kBatEntryOffsetMask});
        }
    }
    return kVhdxOk;
}

int CVhdxDisk::Seek(uint64_t offset)
{
    m_position = offset;
    return offset <= m_parameters.diskSize ? 1 : 0;
}

int CVhdxDisk::Read(void* buffer, uint32_t count)
{
    return ReadAt(m_position, buffer, count);
}

int CVhdxDisk::ReadAt(uint64_t offset, void* buffer, size_t count)
{
    const uint64_t size = m_parameters.diskSize;
    if (!m_file.IsOpen() || offset > size || count > size - offset)
        return 0;
    auto* out = static_cast<uint8_t*>(buffer);
    const uint64_t blockSize = m_parameters.blockSize;
    while (count > 0) {
        uint64_t block = offset / blockSize;
        const uint64_t within = offset % blockSize;
        if (block >= m_payload.size())
            return 0;
        const VhdxPayloadBlock& entry = m_payload[static_cast<size_t>(block)];
        uint64_t span = blockSize - within;
        if (span > count)
            span = count;
        switch (entry.state) {
        case kVhdxBlockZero:  // zeros by definition, whatever its space in the file still holds
            std::memset(out, 0, static_cast<size_t>(span));
            break;
        case kVhdxBlockFullyPresent: {
            if (entry.fileOffset == 0) {  // no data anywhere: zeros, never the file's first bytes
                std::memset(out, 0, static_cast<size_t>(span));
                break;
            }
            // Take in the following blocks while they lie right after this one in the file.
            while (span < count && block + 1 < m_payload.size()) {
                const VhdxPayloadBlock& next = m_payload[static_cast<size_t>(block + 1)];
                if (next.state != kVhdxBlockFullyPresent ||
                    next.fileOffset != m_payload[static_cast<size_t>(block)].fileOffset + blockSize)
                    break;
                ++block;
                span += count - span < blockSize ? count - span : blockSize;
            }
            if (!m_file.ReadAt(out, entry.fileOffset + within, static_cast<size_t>(span)))
                return 0;
            break;
        }
        case kVhdxBlockPartiallyPresent:
            if (!ReadPartialBlock(block, within, static_cast<size_t>(span), out))
                return 0;
            break;
        default:
            // Not present, undefined, unmapped, and the states the format leaves unused: a block the
            // guest trimmed or left undefined often keeps its space and its old data (the files the
            // user deleted), and a damaged entry may have lost its state but not its offset. Read
            // from the file, as far as the offset leads into it.
            if (!ReadKeptBlock(entry, within, static_cast<size_t>(span), out))
                return 0;
            break;
        }
        out += span;
        offset += span;
        count -= static_cast<size_t>(span);
    }
    return 1;
}

bool CVhdxDisk::ReadKeptBlock(const VhdxPayloadBlock& entry, uint64_t within, size_t count, uint8_t* out)
{
    // Offset 0 reads zeros, not the file's first bytes: such a block has no data kept anywhere.
    const uint64_t fileSize = m_file.GetSize();
    const uint64_t start = entry.fileOffset + within;
    size_t kept = 0;
    if (entry.fileOffset != 0 && start < fileSize)
        kept = fileSize - start < count ? static_cast<size_t>(fileSize - start) : count;
    if (kept > 0 && !m_file.ReadAt(out, start, kept))
        return false;
    std::memset(out + kept, 0, count - kept);
    return true;
}

bool CVhdxDisk::ReadPartialBlock(uint64_t block, uint64_t within, size_t count, uint8_t* out)
{
    // Without a sector bitmap that can be read, the block reads at its offset as the others do.
    const VhdxPayloadBlock& entry = m_payload[static_cast<size_t>(block)];
    const uint64_t chunk = block / m_layout.chunkRatio;
    if (entry.fileOffset == 0 || chunk >= m_bitmapEntries.size())
        return ReadKeptBlock(entry, within, count, out);
    const uint64_t bitmapEntry = m_bitmapEntries[static_cast<size_t>(chunk)];
    if ((bitmapEntry & 7) != kSectorBitmapPresent || (bitmapEntry & kBatEntryOffsetMask) == 0)
        return ReadKeptBlock(entry, within, count, out);
    const uint32_t sectorSize = m_parameters.logicalSectorSize;
    const uint64_t sectorsPerBlock = m_parameters.blockSize / sectorSize;
    const uint64_t firstSector = (block % m_layout.chunkRatio) * sectorsPerBlock + within / sectorSize;
    const uint64_t lastSector = (block % m_layout.chunkRatio) * sectorsPerBlock + (within + count - 1) / sectorSize;
    const uint64_t firstByte = firstSector / 8;
    const size_t bytes = static_cast<size_t>(lastSector / 8 - firstByte + 1);
    m_bitmap.resize(bytes);
    if (!m_file.ReadAt(m_bitmap.data(), (bitmapEntry & kBatEntryOffsetMask) + firstByte, bytes))
        return ReadKeptBlock(entry, within, count, out);
    // Bit 0 of the first byte read stands for sector firstByte x 8 of the chunk, which lies
    // skip bytes into this block (block sizes hold a multiple of 8 sectors).
    const uint64_t skip = (firstByte * 8 - (block % m_layout.chunkRatio) * sectorsPerBlock) * sectorSize;
    // Sectors the bitmap does not mark belong to the parent, which is never opened: they read as
    // zeros, not as the stale bytes this block's space holds there, which would pass for its data.
    return ReadWithSectorBitmap(m_file, entry.fileOffset + skip, within - skip, count, out, m_bitmap.data(), bytes,
        kBitmapLeastSignificantFirst, sectorSize);
}
