// A read buffer that starts on a page boundary: the kernel copies file data out of its cache into
// such a buffer several times faster than into one that does not.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class PageAlignedBuffer {
public:
    static constexpr size_t kPageSize = 4096;

    explicit PageAlignedBuffer(size_t size) : m_storage(size + kPageSize)
    {
        const size_t misalignment = reinterpret_cast<uintptr_t>(m_storage.data()) % kPageSize;
        m_data = m_storage.data() + (kPageSize - misalignment) % kPageSize;
    }

    uint8_t* data() { return m_data; }

private:
    std::vector<uint8_t> m_storage;
    uint8_t* m_data;
};
