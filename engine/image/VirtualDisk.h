// CVirtualDisk: the facade over the container reader of the opened image, VHD (type 1) or VHDX
// (type 2). Every sector of an image reaches the engine through it (see ReadSectors).
#pragma once

#include "engine/image/ImageOpenFailure.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// The program's message for an image that cannot be opened.
extern const char16_t kCannotOpenImageText[];

class CVhdDisk;
class CVhdxDisk;

class CVirtualDisk {
public:
    enum Type : uint32_t { kNone = 0, kVhd = 1, kVhdx = 2 };

    CVirtualDisk();
    ~CVirtualDisk();
    CVirtualDisk(const CVirtualDisk&) = delete;
    CVirtualDisk& operator=(const CVirtualDisk&) = delete;

    // Sets the type and replaces the reader of that type by a new one; returns it, or null for a
    // type other than 1 and 2.
    void* Create(uint32_t type);
    // Opens the image with the current reader: 1 on success, 0 on failure or without a reader, and
    // OpenFailure() then says why.
    int Open(const std::u16string& path);
    // Opens a caller's buffer as the image (tests and fuzzers); the buffer must outlive the reader.
    int OpenMemory(const uint8_t* data, size_t size);
    // Remembers a virtual byte offset for Read: 1, or 0 past the disk's end or without a reader.
    int Seek(uint64_t offset);
    // Reads count bytes at the offset of the last Seek: 1 on success, 0 on failure.
    int Read(void* buffer, uint32_t count);
    // Reads count bytes at a virtual byte offset in one call (no shared position).
    int ReadAt(uint64_t offset, void* buffer, size_t count);
    // Closes the reader's file: 1 when one was open, else 0.
    int Close();

    // Geometry of a VHD image (0 for VHDX, which has none).
    int32_t GetCylinders();
    int32_t GetHeads();
    int32_t GetSectorsPerTrack();
    // The size of the virtual disk in bytes, for both kinds (0 without an open image).
    uint64_t GetDiskSize() const;
    // The size of the virtual disk's logical sectors, in which its partition table counts: a VHDX's
    // own (512 or 4,096 bytes), 512 for a VHD and without an image. ReadSectors reads 512-byte
    // sectors of either.
    uint32_t GetLogicalSectorSize() const;

    uint32_t GetType() const { return m_type; }
    ImageOpenFailure OpenFailure() const;
    CVhdDisk* VhdReader() const { return m_vhd.get(); }
    CVhdxDisk* VhdxReader() const { return m_vhdx.get(); }

private:
    uint32_t m_type = kNone;
    std::unique_ptr<CVhdDisk> m_vhd;
    std::unique_ptr<CVhdxDisk> m_vhdx;
    int32_t m_cylinders = 0;
    int32_t m_heads = 0;
};

// The reader an image's name asks for, as the start page chooses it: kVhd for a name ending in
// ".vhd", kVhdx for ".vhdx" (either case), else kNone.
uint32_t VirtualDiskTypeOfPath(const std::u16string& path);

// The facade that ReadSectors reads images through (the main frame's; null when none).
void SetCurrentVirtualDisk(CVirtualDisk* disk);
CVirtualDisk* GetCurrentVirtualDisk();
