// CVhdxDisk: reads the virtual disk of a VHDX image read-only. It checks the file identifier,
// reads the region table, the metadata table and the block allocation table (once, at open), and
// maps virtual byte offsets onto the file. Zero blocks read as zeros. Every other block reads what
// the file holds at its offset, whatever its state (not present, undefined, unmapped (trimmed) or
// one the format leaves unused), zeros where it has no offset; past the file's end it reads zeros,
// except a fully present block, whose read fails (its data is lost, not zero). A partially present
// block with a readable sector bitmap reads the sectors the bitmap marks and zeros for the rest,
// which belong to the parent: a differencing image is read from its own blocks only, the parent is
// never opened. The log and headers are not interpreted.
#pragma once

#include "engine/image/ImageOpenFailure.h"
#include "engine/image/VhdxBatLayout.h"
#include "engine/image/VhdxMetadataTable.h"
#include "engine/image/VhdxRegionTable.h"
#include "engine/io/DiskFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Payload block states of the block allocation table.
enum VhdxBlockState : uint32_t {
    kVhdxBlockNotPresent = 0,
    kVhdxBlockUndefined = 1,
    kVhdxBlockZero = 2,
    kVhdxBlockUnmapped = 3,
    kVhdxBlockFullyPresent = 6,
    kVhdxBlockPartiallyPresent = 7,
};

struct VhdxPayloadBlock {
    uint32_t state;       // entry bits 0-2
    uint64_t fileOffset;  // the entry with bits 0-19 cleared
};

class CVhdxDisk {
public:
    // More table entries than this are refused (128 MiB of table).
    static constexpr uint64_t kMaxTableEntries = uint64_t(1) << 24;

    CVhdxDisk() = default;
    virtual ~CVhdxDisk() = default;
    CVhdxDisk(const CVhdxDisk&) = delete;
    CVhdxDisk& operator=(const CVhdxDisk&) = delete;

    // 1 when the file opened and its structures were read, else 0 and OpenFailure() says why. An
    // image whose file ends before the first whole sector of every block it names as present holds
    // none of its data and is refused; one cut later is read as far as it goes. Nothing is created,
    // and an image that another program holds open for writing is read all the same.
    int Open(const std::u16string& path);
    // The same over a caller's buffer, which must outlive the reader.
    int OpenMemory(const uint8_t* data, size_t size);
    // Parses the open file: 0 good, or a VhdxParseResult.
    int Parse();
    // Closes the file; the structures stay. 1 when a file was open.
    int Close();

    // Remembers the virtual byte offset for the next Read. 0 when it lies past the disk's end.
    int Seek(uint64_t offset);
    // Reads count bytes at the offset of the last Seek (the position does not move). 1 on success.
    int Read(void* buffer, uint32_t count);
    // Reads count bytes at a virtual byte offset: one file read per run of adjacent present blocks,
    // zeros for zero blocks and for blocks without an offset. 0 for a request past the disk's end or
    // a present block whose data the file does not hold.
    int ReadAt(uint64_t offset, void* buffer, size_t count);

    uint64_t GetDiskSize() const { return m_parameters.diskSize; }
    ImageOpenFailure OpenFailure() const { return m_failure; }
    const VhdxDiskParameters& Parameters() const { return m_parameters; }
    const VhdxBatLayout& Layout() const { return m_layout; }
    const std::vector<VhdxRegion>& Regions() const { return m_regions; }
    const std::vector<VhdxMetadataItem>& MetadataItems() const { return m_items; }
    const std::vector<VhdxPayloadBlock>& PayloadBlocks() const { return m_payload; }

private:
    // Parses the open file and keeps what went wrong; closes it on failure. 1 or 0 as Open.
    int TakeParsed();
    // False when blocks are present and the file ends before a whole sector of each.
    bool HoldsData() const;
    // Empties what a parse fills.
    void ClearStructures();
    // The region tables that may be read, most trusted first: a table whose signature and checksum
    // hold alone; else each damaged table whose entries make sense. 0 when there is one, else why not.
    int ReadRegionTables(std::vector<std::vector<VhdxRegion>>& candidates);
    // The metadata and the BAT that one region table names. 0 good, or a VhdxParseResult.
    int ParseRegions(const std::vector<VhdxRegion>& regions);
    int ReadMetadataTable(const VhdxRegion& region);
    int GetDiskParameters(const VhdxRegion& region);
    int ReadBlockTable(const VhdxRegion& region);
    // A block read at its offset: the bytes the file holds there, zeros past its end or at offset 0.
    bool ReadKeptBlock(const VhdxPayloadBlock& entry, uint64_t within, size_t count, uint8_t* out);
    // A partially present block through its chunk's sector bitmap, or at its offset without one.
    bool ReadPartialBlock(uint64_t block, uint64_t within, size_t count, uint8_t* out);

    CDiskFile m_file;
    std::vector<VhdxRegion> m_regions;
    std::vector<VhdxMetadataItem> m_items;
    std::vector<VhdxPayloadBlock> m_payload;
    std::vector<uint64_t> m_bitmapEntries;  // the sector-bitmap entry of each chunk (as stored)
    VhdxDiskParameters m_parameters;
    VhdxBatLayout m_layout;
    uint64_t m_position = 0;
    std::vector<uint8_t> m_bitmap;  // scratch for a partially present block's bitmap
    ImageOpenFailure m_failure = ImageOpenFailure::kNone;
};
