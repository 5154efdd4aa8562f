#include "tests/engine/save/MemoryDisk.h"

#include "engine/image/VhdFooter.h"
#include "engine/state/EngineState.h"

#include <cstring>

namespace {

void PutBig32(uint8_t* p, uint32_t v)
{
    p[0] = static_cast<uint8_t>(v >> 24);
    p[1] = static_cast<uint8_t>(v >> 16);
    p[2] = static_cast<uint8_t>(v >> 8);
    p[3] = static_cast<uint8_t>(v);
}

void PutBig64(uint8_t* p, uint64_t v)
{
    PutBig32(p, static_cast<uint32_t>(v >> 32));
    PutBig32(p + 4, static_cast<uint32_t>(v));
}

} // namespace

MemoryDisk::MemoryDisk(const std::vector<uint8_t>& raw) : m_image(raw)
{
    uint8_t footer[512] = {};
    std::memcpy(footer, "conectix", 8);
    PutBig32(footer + 8, 2);             // features
    PutBig32(footer + 12, 0x00010000);   // version
    PutBig64(footer + 16, ~0ULL);        // no dynamic header
    PutBig64(footer + 40, raw.size());
    PutBig64(footer + 48, raw.size());
    footer[56] = 0x04;                    // a geometry that is large enough
    footer[58] = 16;
    footer[59] = 63;
    PutBig32(footer + 60, 2);             // fixed
    PutBig32(footer + 64, ComputeVhdFooterChecksum(footer));
    m_image.insert(m_image.end(), footer, footer + sizeof footer);
    m_disk.Create(CVirtualDisk::kVhd);
    m_opened = m_disk.OpenMemory(m_image.data(), m_image.size()) == 1;
    SetCurrentVirtualDisk(&m_disk);
    g_wSourceType = kSourceDisk;
}

MemoryDisk::~MemoryDisk()
{
    SetCurrentVirtualDisk(nullptr);
}

void PutBytes(std::vector<uint8_t>& raw, uint64_t offset, const void* data, size_t size)
{
    if (raw.size() < offset + size)
        raw.resize(offset + size);
    std::memcpy(raw.data() + offset, data, size);
}

void Put16(std::vector<uint8_t>& raw, uint64_t offset, uint16_t v)
{
    uint8_t b[2] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8)};
    PutBytes(raw, offset, b, 2);
}

void Put32(std::vector<uint8_t>& raw, uint64_t offset, uint32_t v)
{
    uint8_t b[4] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
        static_cast<uint8_t>(v >> 24)};
    PutBytes(raw, offset, b, 4);
}
