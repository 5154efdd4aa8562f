// The sector tests of the Extensive Scan and the volumes that boot-sector candidates describe.
#include "engine/extensive/FatCandidates.h"
#include "engine/extensive/NtfsCandidates.h"
#include "engine/ntfs/IndexRecord.h"
#include "tests/engine/extensive/ExtensiveTestDisk.h"

#include <gtest/gtest.h>

#include <cstring>

namespace morvick::test {

TEST(FatCandidates, BootSectorVolumes)
{
    // FAT16: 4 reserved, two FATs of 32 sectors, 512 root entries, 4 sectors per cluster.
    std::vector<uint8_t> s = FatBootSector(false, 4, 4, 32, 32768);
    EXPECT_TRUE(IsFatBootCandidate(s.data()));
    FatBootVolume v;
    ASSERT_TRUE(ReadFatBootVolume(s.data(), 2048, v));
    EXPECT_EQ(v.fileSystemType, FileSystemKind::kFat16);
    EXPECT_EQ(v.clusterBase, 2048u + 4 + 64 + 32 - 8);
    EXPECT_EQ(v.rootLocation, 2048u + 4 + 64);
    EXPECT_EQ(v.firstFat, 2052u);
    EXPECT_EQ(v.secondFat, 2084u);
    // The 16-bit total counts for a small FAT16 volume.
    EXPECT_EQ(v.endSector, 2048u + 32768);

    // One FAT: the data area starts one FAT earlier and there is no second copy.
    ASSERT_TRUE(ReadFatBootVolume(FatBootSector(false, 4, 4, 32, 32768, 512, 1).data(), 2048, v));
    EXPECT_EQ(v.clusterBase, 2048u + 4 + 32 + 32 - 8);
    EXPECT_EQ(v.secondFat, 0u);

    ASSERT_TRUE(ReadFatBootVolume(FatBootSector(true, 1, 32, 532, 69632).data(), 36864, v));
    EXPECT_EQ(v.fileSystemType, FileSystemKind::kFat32);
    EXPECT_EQ(v.clusterBase, 36864u + 32 + 1064 - 2);
    EXPECT_EQ(v.rootLocation, 2u);
    EXPECT_EQ(v.backupOffset, 6u);
    EXPECT_EQ(v.endSector, 36864u + 69632);
}

TEST(FatCandidates, DamagedBootSectorsAreNotVolumes)
{
    FatBootVolume v;
    // Cluster sizes of 0 and 3 sectors.
    EXPECT_FALSE(ReadFatBootVolume(FatBootSector(false, 0, 4, 32, 32768).data(), 2048, v));
    EXPECT_FALSE(ReadFatBootVolume(FatBootSector(false, 3, 4, 32, 32768).data(), 2048, v));
    // No FAT, and a cluster base below 63.
    EXPECT_FALSE(ReadFatBootVolume(FatBootSector(false, 4, 4, 0, 32768).data(), 2048, v));
    EXPECT_FALSE(ReadFatBootVolume(FatBootSector(false, 4, 1, 1, 32768, 16).data(), 0, v));
    // Sizes that would put the cluster base past the 32-bit sector numbers.
    EXPECT_FALSE(ReadFatBootVolume(FatBootSector(true, 1, 32, 0x7FFFFFFF, 1000).data(), 0xF0000000u, v));
    std::vector<uint8_t> plain(512, 0);
    EXPECT_FALSE(IsFatBootCandidate(plain.data()));
    EXPECT_FALSE(ReadFatBootVolume(plain.data(), 2048, v));
}

TEST(FatCandidates, DirectoryFirstSectors)
{
    FatDirectoryStart d;
    ASSERT_TRUE(ReadFatDirectoryCandidate(DirectorySector(0x12345, 7).data(), 500000, d));
    EXPECT_EQ(d.cluster, 0x12345u);
    EXPECT_EQ(d.parentCluster, 7u);
    EXPECT_EQ(d.writeDate, 0x5A21);
    EXPECT_EQ(d.accessDate, 0x5A22);
    // Cluster 2 is FAT16's first data cluster: the first folder made on a volume lies there.
    ASSERT_TRUE(ReadFatDirectoryCandidate(DirectorySector(2, 0).data(), 5000, d));
    EXPECT_EQ(d.cluster, 2u);
    // Own cluster below 2, not below its sector, or all ones; a parent of all ones.
    EXPECT_FALSE(ReadFatDirectoryCandidate(DirectorySector(1, 0).data(), 5000, d));
    EXPECT_FALSE(ReadFatDirectoryCandidate(DirectorySector(0, 0).data(), 5000, d));
    EXPECT_FALSE(ReadFatDirectoryCandidate(DirectorySector(5000, 0).data(), 5000, d));
    EXPECT_FALSE(ReadFatDirectoryCandidate(DirectorySector(0xFFFFFFFF, 0).data(), 0xFFFFFFF0u, d));
    EXPECT_FALSE(ReadFatDirectoryCandidate(DirectorySector(9, 0xFFFFFFFF).data(), 5000, d));
    std::vector<uint8_t> s = DirectorySector(9, 0);
    s[34] = 'x';
    EXPECT_FALSE(ReadFatDirectoryCandidate(s.data(), 5000, d));
}

TEST(NtfsCandidates, BootSectorVolumes)
{
    std::vector<uint8_t> s = NtfsBootSector(8, 49151, 4, 1);
    EXPECT_TRUE(IsNtfsBootCandidate(s.data()));
    NtfsBootVolume v;
    ASSERT_TRUE(ReadNtfsBootVolume(s.data(), 108544, v));
    EXPECT_EQ(v.sectorsPerIndexRecord, 8u);  // one cluster of 8 sectors
    EXPECT_EQ(v.mftStart, 108544u + 32);
    EXPECT_EQ(v.mftMirrorStart, 108544u + 16);
    EXPECT_EQ(v.endSector, 108544u + 49151);
    ASSERT_TRUE(ReadNtfsBootVolume(NtfsBootSector(128, 49151, 4, 0xF4).data(), 0, v));
    EXPECT_EQ(v.sectorsPerIndexRecord, 8u);  // 2^12 bytes
    ASSERT_TRUE(ReadNtfsBootVolume(NtfsBootSector(1, 49151, 4, 0xF5).data(), 0, v));
    EXPECT_EQ(v.sectorsPerIndexRecord, 4u);

    // The copy at the volume's last sector gives the same volume.
    ASSERT_TRUE(ReadNtfsBootVolume(s.data(), 108544 + 49151, v));
    NtfsBootVolume original;
    ASSERT_TRUE(NtfsVolumeOfBackup(v, original));
    EXPECT_EQ(original.firstSector, 108544u);
    EXPECT_EQ(original.mftStart, 108544u + 32);
    EXPECT_EQ(original.endSector, 108544u + 49151);
    ASSERT_TRUE(ReadNtfsBootVolume(s.data(), 100, v));
    EXPECT_FALSE(NtfsVolumeOfBackup(v, original));
}

TEST(NtfsCandidates, DamagedBootSectorsAreNotVolumes)
{
    NtfsBootVolume v;
    EXPECT_FALSE(ReadNtfsBootVolume(NtfsBootSector(0, 49151, 4).data(), 0, v));
    EXPECT_FALSE(ReadNtfsBootVolume(NtfsBootSector(6, 49151, 4).data(), 0, v));
    EXPECT_FALSE(ReadNtfsBootVolume(NtfsBootSector(8, 0, 4).data(), 0, v));
    std::vector<uint8_t> unsigned_ = NtfsBootSector(8, 49151, 4);
    unsigned_[511] = 0;
    EXPECT_FALSE(ReadNtfsBootVolume(unsigned_.data(), 0, v));
    // An index-record byte that names no size gives the usual one (DamagedBootSectorTest).
}

TEST(NtfsCandidates, RecordSignatures)
{
    std::vector<uint8_t> s(512, 0);
    std::memcpy(s.data(), "FILE", 4);
    s[28] = 0x00;
    s[29] = 0x04;
    EXPECT_TRUE(IsMftRecordCandidate(s.data()));
    s[29] = 0x10;  // 4,096-byte records (volumes of 4,096-byte sectors) too
    EXPECT_TRUE(IsMftRecordCandidate(s.data()));
    for (uint32_t size : {0u, 512u, 1000u, 8192u, 0x10400u}) {
        s[28] = static_cast<uint8_t>(size);
        s[29] = static_cast<uint8_t>(size >> 8);
        s[30] = static_cast<uint8_t>(size >> 16);
        EXPECT_FALSE(IsMftRecordCandidate(s.data())) << size;
    }
    EXPECT_TRUE(IsIndexRecordCandidate(IndexRecordSector(0, {}).data()));
    EXPECT_FALSE(IsIndexRecordCandidate(s.data()));
}

TEST(NtfsCandidates, FolderEntriesOfAnIndexRecord)
{
    std::vector<uint8_t> s =
        IndexRecordSector(0, {{40, 30, 111, u"Docs"}, {41, 30, 112, u"a.txt", false}, {42, 30, 113, u"Zeta"}});
    s[510] = s[42];
    s[511] = s[43];
    std::vector<IndexFolderEntry> seen;
    ForEachIndexFolderEntry(s.data(), s.size(), [&](const IndexFolderEntry& e) { seen.push_back(e); });
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].fileReference, 40u);
    EXPECT_EQ(seen[0].parentReference, 30u);
    EXPECT_EQ(seen[0].creationTime, 111u);
    EXPECT_EQ(seen[0].name, u"Docs");
    EXPECT_EQ(seen[1].name, u"Zeta");

    // A name length that runs past the entries in use ends the walk; so does a zero entry length.
    std::vector<uint8_t> broken = s;
    broken[64 + 80] = 250;
    seen.clear();
    ForEachIndexFolderEntry(broken.data(), broken.size(), [&](const IndexFolderEntry& e) { seen.push_back(e); });
    EXPECT_TRUE(seen.empty());
    broken = s;
    broken[64 + 8] = 0;
    broken[64 + 9] = 0;
    seen.clear();
    ForEachIndexFolderEntry(broken.data(), broken.size(), [&](const IndexFolderEntry& e) { seen.push_back(e); });
    EXPECT_TRUE(seen.empty());
    // A record cut short.
    ForEachIndexFolderEntry(s.data(), 100, [&](const IndexFolderEntry& e) { seen.push_back(e); });
    EXPECT_TRUE(seen.empty());
}

}  // namespace morvick::test
