#include "tests/engine/scan/SmallFatVolume.h"

#include "engine/state/EngineState.h"

#include <gtest/gtest.h>

#include <cstring>

namespace morvick::test {

SmallFatVolume::SmallFatVolume() : raw(uint64_t{kSectors} * 512, 0)
{
    for (uint32_t fat : {1u, 1u + kFatSectors})
        PutLittleEndian32(raw, uint64_t{fat} * 512, 0xFFFFFFF8);
}

SmallFatVolume::~SmallFatVolume()
{
    SetCurrentVirtualDisk(nullptr);
}

void SmallFatVolume::PutEntry(uint32_t sector, size_t slot, const char* name11, uint8_t attributes, uint16_t cluster,
    uint32_t size)
{
    const uint64_t at = uint64_t{sector} * 512 + slot * 32;
    std::memcpy(&raw[at], name11, 11);
    raw[at + 11] = attributes;
    PutLittleEndian16(raw, at + 26, cluster);
    PutLittleEndian32(raw, at + 28, size);
}

void SmallFatVolume::Link(uint16_t cluster, uint16_t next)
{
    for (uint32_t fat : {1u, 1u + kFatSectors})
        PutLittleEndian16(raw, uint64_t{fat} * 512 + cluster * 2u, next);
}

void SmallFatVolume::PutFolder(uint16_t cluster, uint16_t parent, const char* first11, const char* second11,
    bool goesOn)
{
    const uint32_t sector = FirstSector(cluster);
    PutEntry(sector, 0, ".          ", 0x10, cluster, 0);
    PutEntry(sector, 1, "..         ", 0x10, parent, 0);
    PutEntry(sector, 2, first11, 0x20, static_cast<uint16_t>(cluster + 10), 100);
    // The rest of the first sector (and with `goesOn` of the second): deleted entries that list
    // nothing, so that the folder goes on.
    for (size_t slot = 3; slot < (goesOn ? 32 : 16); ++slot)
        PutEntry(sector, slot, "\xE5UNUSED    ", 0x08, 0, 0);
    PutEntry(sector + 1, 0, second11, 0x20, static_cast<uint16_t>(cluster + 20), 100);
    Link(cluster, 0xFFFF);
}

void SmallFatVolume::Open(uint32_t unreadable)
{
    VhdImageInfo info;
    m_image = MakeDynamicVhd(raw, VhdLayout{512}, &info);
    // The block's data sector past the end of the file.
    PutBigEndian32(m_image, info.tableOffset + uint64_t{unreadable} * 4, 0x00F00000);
    SetCurrentVirtualDisk(nullptr);
    m_disk.Close();
    EXPECT_NE(m_disk.Create(CVirtualDisk::kVhd), nullptr);
    EXPECT_EQ(m_disk.OpenMemory(m_image.data(), m_image.size()), 1);
    SetCurrentVirtualDisk(&m_disk);
    g_wSourceType = kSourceDisk;
    VolumeParameterBlock& b = g_VolumeParams;
    b.chosenFileSystemType = FileSystemKind::kFat16;
    b.browsedFileSystemType = FileSystemKind::kFat16;
    b.partitionSectors = kSectors;
    b.partitionEnd = kSectors - 1;
    b.sectorsPerCluster = 2;
    b.sectorsPerFat = kFatSectors;
    b.firstFat = 1;
    b.secondFat = 1 + kFatSectors;
    b.rootLocation = kRoot;
    b.rootDirectorySectors = 1;
    b.clusterBase = kClusterBase;
}

std::vector<std::string> ListedFatFileNames()
{
    std::vector<std::string> names;
    for (const FatEntryRecord* e = g_FatEntries.head; e; e = e->next)
        names.push_back(std::string(e->name, e->name + std::char_traits<char16_t>::length(e->name)));
    return names;
}

}  // namespace morvick::test
