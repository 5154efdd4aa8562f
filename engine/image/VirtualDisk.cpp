#include "engine/image/VirtualDisk.h"

#include "engine/image/SectorSize.h"
#include "engine/image/VhdDisk.h"
#include "engine/image/VhdxDisk.h"

#include <atomic>
#include <new>

const char16_t kCannotOpenImageText[] =
    u"This file is highly corrupted or it is invalid file type.  Please select another file to recover.";

namespace {

std::atomic<CVirtualDisk*> g_currentDisk{nullptr};

}  // namespace

void SetCurrentVirtualDisk(CVirtualDisk* disk)
{
    g_currentDisk.store(disk);
}

CVirtualDisk* GetCurrentVirtualDisk()
{
    return g_currentDisk.load();
}

CVirtualDisk::CVirtualDisk() = default;

CVirtualDisk::~CVirtualDisk()
{
    if (m_vhdx)
        m_vhdx->Close();
    m_vhdx.reset();
    if (m_vhd)
        m_vhd->Close();
    m_vhd.reset();
}

void* CVirtualDisk::Create(uint32_t type)
{
    if (type == kVhd) {
        m_type = kVhd;
        if (m_vhd)
            m_vhd->Close();
        m_vhd.reset(new (std::nothrow) CVhdDisk());
        return m_vhd.get();
    }
    if (type == kVhdx) {
        m_type = kVhdx;
        if (m_vhdx)
            m_vhdx->Close();
        m_vhdx.reset(new (std::nothrow) CVhdxDisk());
        return m_vhdx.get();
    }
    return nullptr;
}

int CVirtualDisk::Open(const std::u16string& path)
{
    if (m_type == kVhd && m_vhd)
        return m_vhd->Open(path);
    if (m_type == kVhdx && m_vhdx)
        return m_vhdx->Open(path);
    return 0;
}

ImageOpenFailure CVirtualDisk::OpenFailure() const
{
    if (m_type == kVhd && m_vhd)
        return m_vhd->OpenFailure();
    if (m_type == kVhdx && m_vhdx)
        return m_vhdx->OpenFailure();
    return ImageOpenFailure::kUnknownKind;
}

uint32_t VirtualDiskTypeOfPath(const std::u16string& path)
{
    const size_t dot = path.rfind(u'.');
    if (dot == std::u16string::npos)
        return CVirtualDisk::kNone;
    std::u16string extension = path.substr(dot + 1);
    for (char16_t& c : extension) {
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c - u'A' + u'a');
    }
    if (extension == u"vhd")
        return CVirtualDisk::kVhd;
    if (extension == u"vhdx")
        return CVirtualDisk::kVhdx;
    return CVirtualDisk::kNone;
}

int CVirtualDisk::OpenMemory(const uint8_t* data, size_t size)
{
    if (m_type == kVhd && m_vhd)
        return m_vhd->OpenMemory(data, size);
    if (m_type == kVhdx && m_vhdx)
        return m_vhdx->OpenMemory(data, size);
    return 0;
}

int CVirtualDisk::Seek(uint64_t offset)
{
    if (m_type == kVhd && m_vhd)
        return m_vhd->Seek(offset);
    if (m_type == kVhdx && m_vhdx)
        return m_vhdx->Seek(offset);
    return 0;
}

int CVirtualDisk::Read(void* buffer, uint32_t count)
{
    try {
        if (m_type == kVhd && m_vhd)
            return m_vhd->Read(buffer, count);
        if (m_type == kVhdx && m_vhdx)
            return m_vhdx->Read(buffer, count);
    } catch (const std::bad_alloc&) {
    }
    return 0;
}

int CVirtualDisk::ReadAt(uint64_t offset, void* buffer, size_t count)
{
    try {
        if (m_type == kVhd && m_vhd)
            return m_vhd->ReadAt(offset, buffer, count);
        if (m_type == kVhdx && m_vhdx)
            return m_vhdx->ReadAt(offset, buffer, count);
    } catch (const std::bad_alloc&) {
    }
    return 0;
}

int CVirtualDisk::Close()
{
    if (m_type == kVhd && m_vhd)
        return m_vhd->Close();
    if (m_type == kVhdx && m_vhdx)
        return m_vhdx->Close();
    return 0;
}

int32_t CVirtualDisk::GetCylinders()
{
    if (m_type == kVhd && m_vhd)
        m_cylinders = static_cast<int32_t>(m_vhd->GetCylinders());
    return m_cylinders;
}

int32_t CVirtualDisk::GetHeads()
{
    if (m_type == kVhd && m_vhd)
        m_heads = static_cast<int32_t>(m_vhd->GetHeads());
    return m_heads;
}

int32_t CVirtualDisk::GetSectorsPerTrack()
{
    if (m_type == kVhd && m_vhd)
        return static_cast<int32_t>(m_vhd->GetSectorsPerTrack());
    return 0;
}

uint64_t CVirtualDisk::GetDiskSize() const
{
    // A VHD's size too, not 0: reads and searches are bounded by it and would otherwise run past it.
    if (m_type == kVhd && m_vhd)
        return m_vhd->GetDiskSize();
    if (m_type == kVhdx && m_vhdx)
        return m_vhdx->GetDiskSize();
    return 0;
}

uint32_t CVirtualDisk::GetLogicalSectorSize() const
{
    if (m_type == kVhdx && m_vhdx && m_vhdx->Parameters().logicalSectorSize != 0)
        return m_vhdx->Parameters().logicalSectorSize;
    return kSectorSize;
}
