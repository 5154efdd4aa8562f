// CVhdImage: the file of a VHD image and its raw structures: the footer, the dynamic header and the
// block allocation table. CVhdDisk reads the virtual disk through it.
#pragma once

#include "engine/image/ImageOpenFailure.h"
#include "engine/image/VhdDynamicHeader.h"
#include "engine/image/VhdFooter.h"
#include "engine/io/DiskFile.h"

#include <cstdint>
#include <string>
#include <vector>

class CVhdImage {
public:
    // Block sizes outside [kMinBlockSize, kMaxBlockSize] or not a whole number of sectors are refused.
    static constexpr uint32_t kMinBlockSize = 512;
    static constexpr uint32_t kMaxBlockSize = 256u << 20;
    // More table entries than this are refused (the format's 2 TiB limit needs 4 Mi entries of
    // 512 KiB blocks).
    static constexpr uint32_t kMaxTableEntries = 1u << 23;

    CVhdImage() = default;
    virtual ~CVhdImage() = default;

    // Opens the file read-only and reads every structure. 1 on success, else 0 and Failure() says
    // why. A dynamic or differencing image whose file ends before the first whole sector of every
    // block it allocates holds none of its data and is refused; one cut later is read as far as it
    // goes.
    int Open(const std::u16string& path);
    // The same over a caller's buffer, which must outlive the object.
    int OpenMemory(const uint8_t* data, size_t size);
    int Close() { return m_file.Close(); }

    // Finds the footer: the trailer when its cookie is right, else the copy at the start of a dynamic
    // image (also when the file is cut before a whole trailer). A file with neither is read as a fixed disk over all its bytes. Dynamic and
    // differencing images go on to the dynamic header. 1 on success, else 0.
    int ReadFooter();
    // Reads the dynamic header at the footer's data offset (at byte 512 when no header is there) and
    // then the table. A header counts when its block size is valid and its table lies inside the
    // file; one with a damaged cookie only when no header with a sound cookie counts. 1 on success,
    // else 0.
    int ReadDynamicHeader();
    // Reads the table entries (big-endian values as stored) in one read. 1 on success, else 0.
    int ReadBlockTable();

    // The reader's type code of the footer's disk type: 0 gives 1, 2, 3, 4 and 101 themselves,
    // anything else 5. A file without a footer gives 5.
    uint32_t GetDiskType() const;
    bool IsBlockMapped() const;
    uint32_t GetMaxTableEntries() const { return static_cast<uint32_t>(m_table.size()); }
    // Per table entry, the file offset of the block's data (after its sector bitmap); 0 for a block
    // that is not allocated.
    std::vector<uint64_t> BuildBlockOffsets() const;

    bool HasFooter() const { return m_hasFooter; }
    ImageOpenFailure Failure() const { return m_failure; }
    const VhdFooter& Footer() const { return m_footer; }
    const VhdDynamicHeader& DynamicHeader() const { return m_header; }
    const std::vector<uint32_t>& Table() const { return m_table; }
    // Bytes of the sector bitmap in front of each block's data (a whole number of sectors).
    uint32_t GetBitmapBytes() const;
    // The size of the virtual disk in bytes.
    uint64_t GetDiskSize() const;
    CDiskFile& File() { return m_file; }

private:
    int ReadStructures();
    // The table entries that the header's disk needs, at most its max table entries.
    uint64_t TableEntries(const VhdDynamicHeader& header) const;
    // The header's block size is valid and its table lies inside the file.
    bool HeaderFieldsInRange(const VhdDynamicHeader& header) const;
    // False when the image allocates blocks and the file ends before a whole sector of each.
    bool HoldsData() const;

    CDiskFile m_file;
    VhdFooter m_footer;
    VhdDynamicHeader m_header;
    std::vector<uint32_t> m_table;
    bool m_hasFooter = false;
    ImageOpenFailure m_failure = ImageOpenFailure::kNone;
};
