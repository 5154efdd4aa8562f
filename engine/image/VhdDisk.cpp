#include "engine/image/VhdDisk.h"

#include "engine/image/SectorBitmap.h"

#include <cstring>
#include <new>

int CVhdDisk::Open(const std::u16string& path)
{
    return m_image.Open(path) ? TakeParameters() : 0;
}

int CVhdDisk::OpenMemory(const uint8_t* data, size_t size)
{
    return m_image.OpenMemory(data, size) ? TakeParameters() : 0;
}

int CVhdDisk::TakeParameters()
{
    try {
        m_blockOffsets = m_image.BuildBlockOffsets();
    } catch (const std::bad_alloc&) {
        m_image.Close();
        return 0;
    }
    const VhdFooter& footer = m_image.Footer();
    m_diskType = m_image.GetDiskType();
    m_blockSize = m_image.DynamicHeader().blockSize;
    m_bitmapBytes = m_image.GetBitmapBytes();
    m_cylinders = footer.cylinders;
    m_heads = footer.heads;
    m_sectorsPerTrack = footer.sectorsPerTrack;
    m_originalSize = footer.originalSize;
    m_diskSize = m_image.GetDiskSize();
    m_position = 0;
    return 1;
}

int CVhdDisk::Close()
{
    return m_image.Close();
}

int CVhdDisk::Seek(uint64_t offset)
{
    m_position = offset;
    return offset <= m_diskSize ? 1 : 0;
}

int CVhdDisk::Read(void* buffer, uint32_t count)
{
    return ReadAt(m_position, buffer, count);
}

int CVhdDisk::ReadAt(uint64_t offset, void* buffer, size_t count)
{
    if (!m_image.File().IsOpen() || offset > m_diskSize || count > m_diskSize - offset)
        return 0;
    if (count == 0)
        return 1;
    auto* out = static_cast<uint8_t*>(buffer);
    if (!IsBlockMapped())
        return m_image.File().ReadAt(out, offset, count);
    while (count > 0) {
        const uint64_t block = offset / m_blockSize;
        const uint64_t within = offset % m_blockSize;
        const uint64_t left = m_blockSize - within;
        const size_t piece = count < left ? count : static_cast<size_t>(left);
        if (!ReadBlockPiece(block, within, piece, out))
            return 0;
        out += piece;
        offset += piece;
        count -= piece;
    }
    return 1;
}

bool CVhdDisk::ReadBlockPiece(uint64_t block, uint64_t within, size_t count, uint8_t* out)
{
    if (block >= m_blockOffsets.size())
        return false;  // past the table: the image has no entry for it
    const uint64_t data = m_blockOffsets[block];
    if (data == 0) {
        std::memset(out, 0, count);
        return true;
    }
    if (m_diskType != kVhdDifferencing)
        return m_image.File().ReadAt(out, data + within, count);
    // A differencing block holds only the sectors its bitmap marks; the rest are the parent's and read
    // as zeros, not as the stale bytes the block keeps there, which are no part of this disk.
    const uint64_t firstSector = within / 512;
    const uint64_t lastSector = (within + count - 1) / 512;
    const size_t firstByte = static_cast<size_t>(firstSector / 8);
    const size_t bytes = static_cast<size_t>(lastSector / 8) - firstByte + 1;
    m_bitmap.resize(bytes);
    if (!m_image.File().ReadAt(m_bitmap.data(), data - m_bitmapBytes + firstByte, bytes))
        return false;
    const uint64_t base = static_cast<uint64_t>(firstByte) * 8 * 512;
    return ReadWithSectorBitmap(m_image.File(), data + base, within - base, count, out, m_bitmap.data(), bytes,
                                kBitmapMostSignificantFirst, 512);
}
