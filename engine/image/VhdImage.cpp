#include "engine/image/VhdImage.h"

#include "engine/image/SectorSize.h"
#include "engine/util/Endian.h"

#include <new>

int CVhdImage::Open(const std::u16string& path)
{
    if (!m_file.OpenRead(path)) {
        m_failure = ImageOpenFailure::kUnreadableFile;
        return 0;
    }
    return ReadStructures();
}

int CVhdImage::OpenMemory(const uint8_t* data, size_t size)
{
    m_file.OpenMemory(data, size);
    return ReadStructures();
}

int CVhdImage::ReadStructures()
{
    m_footer = VhdFooter();
    m_header = VhdDynamicHeader();
    m_table.clear();
    m_hasFooter = false;
    m_failure = ImageOpenFailure::kDamagedStructures;
    try {
        if (ReadFooter()) {
            if (!HoldsData()) {
                m_failure = ImageOpenFailure::kEndsBeforeData;
            } else {
                m_failure = ImageOpenFailure::kNone;
                return 1;
            }
        }
    } catch (const std::bad_alloc&) {
    }
    m_file.Close();
    return 0;
}

bool CVhdImage::HoldsData() const
{
    if (!IsBlockMapped())
        return true;
    const uint64_t fileSize = m_file.GetSize();
    bool allocated = false;
    for (uint64_t offset : BuildBlockOffsets()) {
        if (offset == 0)
            continue;
        if (offset + kVhdFooterSize <= fileSize)  // a whole sector of the block's data
            return true;
        allocated = true;
    }
    return !allocated;
}

int CVhdImage::ReadFooter()
{
    const uint64_t size = m_file.GetSize();
    if (size < kVhdFooterSize)
        return 0;
    uint8_t raw[kVhdFooterSize];
    VhdFooter trailer, copy;
    if (!m_file.ReadAt(raw, size - kVhdFooterSize, sizeof raw))
        return 0;
    ParseVhdFooter(raw, sizeof raw, trailer);
    if (m_file.ReadAt(raw, 0, sizeof raw))
        ParseVhdFooter(raw, sizeof raw, copy);
    const bool copyUsable = copy.cookieValid && (copy.diskType == kVhdDynamic || copy.diskType == kVhdDifferencing);

    // Prefer a footer whose checksum holds; the copy at the start exists only for dynamic images.
    // The copy is read too, where the trailer alone was: a cut or damaged trailer would refuse an
    // image whose copy still describes it.
    if (trailer.cookieValid && trailer.checksumValid)
        m_footer = trailer;
    else if (copyUsable && copy.checksumValid)
        m_footer = copy;
    else if (trailer.cookieValid)
        m_footer = trailer;
    else if (copyUsable)
        m_footer = copy;
    else
        return 1;  // no footer: the whole file is read as a fixed disk
    m_hasFooter = true;
    if (IsBlockMapped())
        return ReadDynamicHeader();
    return 1;
}

int CVhdImage::ReadDynamicHeader()
{
    // At the footer's data offset, else at byte 512 (not at byte 512 alone: a header the format lets
    // lie elsewhere would be missed, or a stray sector taken for it). A header whose cookie is
    // damaged is still taken when its block size and table make sense in this file, but only after
    // every header with a sound cookie.
    uint8_t raw[kVhdDynamicHeaderSize];
    const uint64_t size = m_file.GetSize();
    VhdDynamicHeader found[2];
    int count = 0;
    for (uint64_t at : {m_footer.dataOffset, uint64_t(kVhdFooterSize)}) {
        if (at < size && m_file.ReadAt(raw, at, sizeof raw) && ParseVhdDynamicHeader(raw, sizeof raw, found[count]) &&
            HeaderFieldsInRange(found[count]))
            ++count;
    }
    for (bool cookie : {true, false}) {
        for (int i = 0; i < count; ++i) {
            if (found[i].cookieValid == cookie) {
                m_header = found[i];
                return ReadBlockTable();
            }
        }
    }
    return 0;
}

uint64_t CVhdImage::TableEntries(const VhdDynamicHeader& header) const
{
    // Entries past what the disk size needs are never used; fewer leave the rest of the disk unreadable.
    const uint64_t size = m_footer.currentSize;
    const uint64_t needed = size / header.blockSize + (size % header.blockSize != 0 ? 1 : 0);
    return needed < header.maxTableEntries ? needed : header.maxTableEntries;
}

bool CVhdImage::HeaderFieldsInRange(const VhdDynamicHeader& header) const
{
    // Any whole number of sectors is read: the block and bitmap arithmetic holds for every one of them.
    if (header.blockSize % kSectorSize != 0 || header.blockSize < kMinBlockSize || header.blockSize > kMaxBlockSize)
        return false;
    const uint64_t entries = TableEntries(header);
    if (entries == 0)
        return true;
    if (entries > kMaxTableEntries)
        return false;
    const uint64_t fileSize = m_file.GetSize();
    return header.tableOffset <= fileSize && entries * 4 <= fileSize - header.tableOffset;
}

int CVhdImage::ReadBlockTable()
{
    // At the header's table offset, not at byte 1536: an image whose table lies elsewhere would read
    // its blocks from unrelated bytes.
    if (!HeaderFieldsInRange(m_header))
        return 0;
    const uint64_t entries = TableEntries(m_header);
    if (entries == 0)
        return 1;
    std::vector<uint8_t> raw(static_cast<size_t>(entries * 4));
    if (!m_file.ReadAt(raw.data(), m_header.tableOffset, raw.size()))
        return 0;
    m_table.resize(static_cast<size_t>(entries));
    for (size_t i = 0; i < m_table.size(); ++i)
        m_table[i] = ReadBigEndian32(&raw[i * 4]);
    return 1;
}

uint32_t CVhdImage::GetDiskType() const
{
    if (!m_hasFooter)
        return 5;
    switch (m_footer.diskType) {
    case 0:
        return 1;
    case 2:
        return 2;
    case 3:
        return 3;
    case 4:
        return 4;
    case 101:
        return 101;
    default:
        return 5;
    }
}

bool CVhdImage::IsBlockMapped() const
{
    const uint32_t type = GetDiskType();
    return type == kVhdDynamic || type == kVhdDifferencing;
}

uint32_t CVhdImage::GetBitmapBytes() const
{
    // Sized by the block size, not one sector: a block over 2 MiB has a longer bitmap, and taking one
    // sector would read every byte of its data from the wrong place.
    const uint32_t sectors = m_header.blockSize / 512;
    const uint32_t bytes = (sectors + 7) / 8;
    return (bytes + 511) / 512 * 512;
}

std::vector<uint64_t> CVhdImage::BuildBlockOffsets() const
{
    std::vector<uint64_t> offsets(m_table.size());
    const uint64_t bitmap = GetBitmapBytes();
    for (size_t i = 0; i < m_table.size(); ++i)
        offsets[i] = m_table[i] == 0xFFFFFFFFu ? 0 : static_cast<uint64_t>(m_table[i]) * 512 + bitmap;
    return offsets;
}

uint64_t CVhdImage::GetDiskSize() const
{
    const uint64_t fileSize = m_file.GetSize();
    if (!m_hasFooter)
        return fileSize;
    if (IsBlockMapped())
        return m_footer.currentSize;
    // A fixed disk's data ends where its footer begins: the footer is the container's own record, and
    // reading it as the disk's last sector would hand the scans bytes that no file ever held.
    const uint64_t dataBytes = fileSize - kVhdFooterSize;
    return m_footer.currentSize < dataBytes ? m_footer.currentSize : dataBytes;
}
