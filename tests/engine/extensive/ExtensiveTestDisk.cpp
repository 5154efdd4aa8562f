#include "tests/engine/extensive/ExtensiveTestDisk.h"

#include <cstring>

namespace morvick::test {

namespace {
void Put16(uint8_t* p, uint16_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
void Put32(uint8_t* p, uint32_t v)
{
    Put16(p, static_cast<uint16_t>(v));
    Put16(p + 2, static_cast<uint16_t>(v >> 16));
}
void Put64(uint8_t* p, uint64_t v)
{
    Put32(p, static_cast<uint32_t>(v));
    Put32(p + 4, static_cast<uint32_t>(v >> 32));
}
}  // namespace

std::vector<uint8_t> FatBootSector(bool fat32, uint8_t spc, uint16_t reserved, uint32_t spf, uint32_t total,
    uint16_t rootEntries, uint8_t fats)
{
    std::vector<uint8_t> s(512, 0);
    s[0] = 0xEB;
    Put16(&s[11], 512);
    s[13] = spc;
    Put16(&s[14], reserved);
    s[16] = fats;
    s[21] = 0xF8;
    if (fat32) {
        Put32(&s[32], total);
        Put32(&s[36], spf);
        Put32(&s[44], 2);
        Put16(&s[50], 6);
        std::memcpy(&s[82], "FAT32   ", 8);
    } else {
        Put16(&s[17], rootEntries);
        if (total < 65536)
            Put16(&s[19], static_cast<uint16_t>(total));
        else
            Put32(&s[32], total);
        Put16(&s[22], static_cast<uint16_t>(spf));
        std::memcpy(&s[54], "FAT16   ", 8);
    }
    s[510] = 0x55;
    s[511] = 0xAA;
    return s;
}

std::vector<uint8_t> DirectorySector(uint32_t cluster, uint32_t parent)
{
    std::vector<uint8_t> s(512, 0);
    std::memcpy(&s[0], ".          ", 11);
    s[11] = 0x10;
    Put16(&s[20], static_cast<uint16_t>(cluster >> 16));
    Put16(&s[26], static_cast<uint16_t>(cluster));
    Put16(&s[24], 0x5A21);
    Put16(&s[18], 0x5A22);
    std::memcpy(&s[32], "..         ", 11);
    s[43] = 0x10;
    Put16(&s[52], static_cast<uint16_t>(parent >> 16));
    Put16(&s[58], static_cast<uint16_t>(parent));
    return s;
}

std::vector<uint8_t> NtfsBootSector(uint8_t spc, uint32_t total, uint32_t mftCluster, uint8_t indexByte)
{
    std::vector<uint8_t> s(512, 0);
    std::memcpy(&s[3], "NTFS    ", 8);
    Put16(&s[11], 512);
    s[13] = spc;
    s[21] = 0xF8;
    Put32(&s[40], total);
    Put32(&s[48], mftCluster);
    Put32(&s[56], 2);
    s[64] = 0xF6;
    s[68] = indexByte;
    s[510] = 0x55;
    s[511] = 0xAA;
    return s;
}

std::vector<uint8_t> IndexRecordSector(uint32_t vcn, const std::vector<IndexEntrySpec>& entries)
{
    std::vector<uint8_t> s(512, 0);
    std::memcpy(&s[0], "INDX", 4);
    Put16(&s[4], 40);     // update sequence at 40
    Put16(&s[6], 2);      // its number and one sector
    Put64(&s[16], vcn);
    const uint32_t first = 64;
    Put32(&s[24], first - 24);
    Put32(&s[32], 512 - 24);
    uint32_t at = first;
    for (const IndexEntrySpec& e : entries) {
        const uint32_t length = (82 + 2 * static_cast<uint32_t>(e.name.size()) + 7) & ~7u;
        if (at + length + 16 > 508)
            break;
        uint8_t* p = &s[at];
        Put64(p, e.reference | (uint64_t{1} << 48));
        Put16(p + 8, static_cast<uint16_t>(length));
        Put16(p + 10, static_cast<uint16_t>(66 + 2 * e.name.size()));
        Put64(p + 16, e.parent | (uint64_t{1} << 48));
        Put64(p + 24, e.creationTime);
        Put32(p + 72, e.folder ? 0x10000000u : 0x20u);
        p[80] = static_cast<uint8_t>(e.name.size());
        p[81] = 1;
        for (size_t i = 0; i < e.name.size(); ++i)
            Put16(p + 82 + 2 * i, e.name[i]);
        at += length;
    }
    Put16(&s[at + 8], 16);
    Put16(&s[at + 12], 2);   // the last entry
    at += 16;
    Put32(&s[28], at - 24);
    // Update sequence protection: the true last bytes go into the array, the number onto the sector.
    const uint16_t usn = 0x0007;
    Put16(&s[40], usn);
    s[42] = s[510];
    s[43] = s[511];
    Put16(&s[510], usn);
    return s;
}

void PutSector(std::vector<uint8_t>& raw, uint64_t sector, const std::vector<uint8_t>& bytes)
{
    if (raw.size() < (sector + 1) * 512)
        raw.resize((sector + 1) * 512);
    std::memcpy(&raw[sector * 512], bytes.data(), 512);
}

void PutMftRecord(std::vector<uint8_t>& raw, uint64_t sector, const std::vector<uint8_t>& record)
{
    if (raw.size() < sector * 512 + record.size())
        raw.resize(sector * 512 + record.size());
    std::memcpy(&raw[sector * 512], record.data(), record.size());
    Put32(&raw[sector * 512 + 28], 1024);  // allocated size
}

}  // namespace morvick::test
