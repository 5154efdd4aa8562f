// Where an archive's bytes come from: reads at an offset, and the size. The listings read through
// it only, so that they work on a file, on a file handle or on bytes in memory alike.
#pragma once

#include <cstddef>
#include <cstdint>

namespace morvick {

class ArchiveSource {
public:
    virtual ~ArchiveSource() = default;
    // Up to count bytes at offset; the count read (0 past the end or on an error).
    virtual size_t ReadAt(uint64_t offset, void* buffer, size_t count) = 0;
    virtual uint64_t Size() const = 0;
};

class MemoryArchiveSource : public ArchiveSource {
public:
    MemoryArchiveSource(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    size_t ReadAt(uint64_t offset, void* buffer, size_t count) override;
    uint64_t Size() const override { return m_size; }

private:
    const uint8_t* m_data;
    size_t m_size;
};

}  // namespace morvick
