// CDiskFile: an image file opened read-only, read at 64-bit offsets. It knows nothing of container
// formats. Besides a file on disk it can read a caller's byte buffer (fuzzers, parser tests).
// Reads are exact: a read that cannot deliver every byte asked for fails.
#pragma once

#include "engine/io/NativeFile.h"

#include <cstddef>
#include <cstdint>
#include <string>

class CDiskFile {
public:
    enum SeekOrigin { kFromStart = 0, kFromCurrent = 1, kFromEnd = 2 };
    enum SeekDirection { kBackward = 0, kForward = 1 };

    CDiskFile() = default;
    virtual ~CDiskFile();
    CDiskFile(const CDiskFile&) = delete;
    CDiskFile& operator=(const CDiskFile&) = delete;

    // Opens an existing file for reading. Others may read it too, and with shareWrite also write it
    // (a VHDX that the program it belongs to holds open). 1 on success, else 0; the file is never
    // created and never written.
    int OpenRead(const std::u16string& path, bool shareWrite = false);
    // Reads from a caller's buffer, which must outlive the object. Always 1.
    int OpenMemory(const uint8_t* data, size_t size);
    // 1 when a file was closed, 0 when nothing was open.
    int Close();
    bool IsOpen() const { return m_kind != kClosed; }

    // Moves the position: origin kFromStart to amount, kFromCurrent and kFromEnd to the current
    // position or the file size plus (kForward) or minus (kBackward) amount. A target before the
    // start fails and leaves the position alone. Returns the new position, or -1 on failure.
    int64_t Seek(uint64_t amount, int origin, int direction);
    // 1 on success, 0 when the target is not reachable.
    int SeekTo(uint64_t offset);
    int SeekFromEnd(uint64_t amount);

    // Reads count bytes at the position and advances it. 1 only when every byte was read.
    int Read(void* buffer, size_t count);
    // Reads count bytes at offset; the position ends after them on success. 1 only when every byte
    // was read.
    int ReadAt(void* buffer, uint64_t offset, size_t count);

    uint64_t GetPosition() const { return m_position; }
    // The file size in bytes (0 when closed).
    uint64_t GetSize() const { return m_size; }

private:
    enum Kind { kClosed, kNative, kMemory };

    Kind m_kind = kClosed;
    NativeFileHandle m_handle = kInvalidNativeFile;
    const uint8_t* m_data = nullptr;
    uint64_t m_size = 0;
    uint64_t m_position = 0;
};
