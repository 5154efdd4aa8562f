// CVhdDisk: reads the virtual disk of a VHD image (fixed, dynamic or differencing) read-only. A
// differencing image is read from its own blocks only: its parent is never opened, and sectors the
// image does not hold read as zeros, as do the blocks of a dynamic image that were never written.
#pragma once

#include "engine/image/VhdImage.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CVhdDisk {
public:
    CVhdDisk() = default;
    virtual ~CVhdDisk() = default;
    CVhdDisk(const CVhdDisk&) = delete;
    CVhdDisk& operator=(const CVhdDisk&) = delete;

    // 1 when the file opened and its structures were read, else 0 and OpenFailure() says why.
    int Open(const std::u16string& path);
    // The same over a caller's buffer, which must outlive the reader.
    int OpenMemory(const uint8_t* data, size_t size);
    // Closes the file; the structures stay. 1 when a file was open.
    int Close();

    // Remembers the virtual byte offset for the next Read. 0 when it lies past the disk's end.
    int Seek(uint64_t offset);
    // Reads count bytes at the offset of the last Seek (the position does not move). 1 on success.
    int Read(void* buffer, uint32_t count);
    // Reads count bytes at a virtual byte offset: one file read per block piece, zeros for what
    // the image does not hold. 0 for a request past the disk's end or a block that cannot be read.
    int ReadAt(uint64_t offset, void* buffer, size_t count);

    uint32_t GetCylinders() const { return m_cylinders; }
    uint32_t GetHeads() const { return m_heads; }
    uint32_t GetSectorsPerTrack() const { return m_sectorsPerTrack; }
    uint64_t GetOriginalSize() const { return m_originalSize; }
    // The size of the virtual disk (the footer's current size).
    uint64_t GetDiskSize() const { return m_diskSize; }
    uint32_t GetDiskType() const { return m_diskType; }
    uint32_t GetBlockSize() const { return m_blockSize; }
    const std::vector<uint64_t>& BlockOffsets() const { return m_blockOffsets; }
    ImageOpenFailure OpenFailure() const { return m_image.Failure(); }

private:
    int TakeParameters();
    bool IsBlockMapped() const { return m_diskType == kVhdDynamic || m_diskType == kVhdDifferencing; }
    bool ReadBlockPiece(uint64_t block, uint64_t within, size_t count, uint8_t* out);

    std::vector<uint64_t> m_blockOffsets;
    CVhdImage m_image;
    uint32_t m_diskType = 0;
    uint64_t m_position = 0;
    uint32_t m_blockSize = 0;
    uint32_t m_bitmapBytes = 0;
    uint32_t m_cylinders = 0;
    uint32_t m_heads = 0;
    uint32_t m_sectorsPerTrack = 0;
    uint64_t m_originalSize = 0;
    uint64_t m_diskSize = 0;
    std::vector<uint8_t> m_bitmap;  // scratch for a differencing block's sector bitmap
};
