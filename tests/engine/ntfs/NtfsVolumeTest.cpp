// An NTFS volume made by mkntfs and filled through ntfs-3g, read record by record through the
// engine's MFT walk and compared with sleuthkit's fls and icat.
#include "engine/ntfs/DataAttribute.h"
#include "engine/ntfs/FolderIndex.h"
#include "engine/ntfs/FoundMftRecord.h"
#include "engine/ntfs/IndexRecord.h"
#include "engine/ntfs/MftRecord.h"
#include "engine/ntfs/MftWalk.h"
#include "engine/ntfs/NtfsBootSector.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/Oracles.h"
#include "tests/engine/diskfixtures/PatchedSectorSource.h"
#include "tests/engine/diskfixtures/RawFileSectorSource.h"
#include "engine/util/Utf.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>

namespace morvick::test {

static auto* const g_disks =
    ::testing::AddGlobalTestEnvironment(new DiskFixtureEnvironment({"make-mbr-disk.sh", "make-aligned-containers.sh"}));

namespace {

const char* const kDisk = "make-mbr-disk.sh";
const char* const kPart = "part3";

class NtfsVolumeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_disk.reset(new RawFileSectorSource(FixtureFile(kDisk, "disk.raw")));
        ASSERT_TRUE(m_disk->IsOpen());
        m_base = std::stoull(ReadTextFile(FixtureFile(kDisk, std::string(kPart) + ".start")));
        uint8_t sector[kSectorSize];
        ASSERT_TRUE(m_disk->ReadSectors(m_base, 1, sector));
        ASSERT_TRUE(ParseNtfsBootSector(sector, sizeof sector, m_boot));
        m_mftStart = m_base + m_boot.mftCluster * m_boot.sectorsPerCluster;
        ASSERT_TRUE(WalkMftRecords(*m_disk, m_base, m_mftStart, m_boot.sectorsPerCluster, m_boot.sectorsPerMftRecord,
            VolumeClusters(), m_mft));
        for (const FlsEntry& f : ReadFls(FixtureFile(kDisk, std::string(kPart) + ".fls"))) {
            if (f.path.empty() || f.path[0] == '$' || f.type == "V/V" || f.type == "v/v")
                continue;
            m_fls.push_back(f);
        }
        ASSERT_GT(m_fls.size(), 300u);
    }

    // Every record of the MFT that decodes to an entry, by number.
    std::map<uint32_t, FoundMftRecord> ReadAllRecords()
    {
        std::map<uint32_t, FoundMftRecord> records;
        const uint32_t count = static_cast<uint32_t>(m_mft.TotalSectors() / kSectorsPerMftRecord);
        for (uint32_t n = 0; n < count; ++n) {
            uint8_t record[kMftRecordSize];
            FoundMftRecord found;
            if (ReadMftRecord(*m_disk, m_mft, n, record) && DecodeFoundMftRecord(record, sizeof record, found))
                records[n] = found;
        }
        return records;
    }

    static std::string PathOf(const std::map<uint32_t, FoundMftRecord>& records, uint32_t n)
    {
        std::string path;
        for (int depth = 0; depth < 64 && n != 5; ++depth) {
            auto it = records.find(n);
            if (it == records.end())
                return "?/" + path;
            path = Utf16ToUtf8(it->second.name) + (path.empty() ? "" : "/" + path);
            n = it->second.parent;
        }
        return path;
    }

    // The volume's clusters, as its boot sector counts its sectors.
    uint64_t VolumeClusters() const { return m_boot.totalSectors / m_boot.sectorsPerCluster; }

    std::unique_ptr<RawFileSectorSource> m_disk;
    uint64_t m_base = 0;
    NtfsBootSector m_boot;
    uint64_t m_mftStart = 0;
    SectorRunTable m_mft;
    std::vector<FlsEntry> m_fls;
};

}  // namespace

TEST_F(NtfsVolumeTest, RecordsAgreeWithFls)
{
    const std::map<uint32_t, FoundMftRecord> records = ReadAllRecords();
    std::map<uint64_t, std::set<std::string>> pathsOfInode;
    for (const FlsEntry& f : m_fls)
        pathsOfInode[f.inode].insert(f.path);

    for (const FlsEntry& f : m_fls) {
        SCOPED_TRACE(f.path);
        auto it = records.find(static_cast<uint32_t>(f.inode));
        ASSERT_NE(it, records.end()) << "record " << f.inode << " not read";
        const FoundMftRecord& r = it->second;
        EXPECT_EQ(r.folder, f.type.back() == 'd');
        EXPECT_EQ(r.deleted, f.deleted);
        EXPECT_EQ(pathsOfInode[f.inode].count(PathOf(records, static_cast<uint32_t>(f.inode))), 1u)
            << PathOf(records, static_cast<uint32_t>(f.inode));
        if (!r.folder && f.address.find("-128-") != std::string::npos) {
            EXPECT_EQ(r.size, f.size);
        }
        if (r.folder && !r.deleted) {
            // The index root's first entry names the folder itself, unless the entries all moved to
            // the index allocation.
            EXPECT_TRUE(r.ownNumber == f.inode || (r.ownNumber == 0 && r.indexAllocationCluster != 0));
        }
    }
    // Nothing beyond the system files that fls does not list.
    for (const auto& [n, r] : records) {
        if (n >= 24) {
            EXPECT_EQ(pathsOfInode.count(n), 1u) << "record " << n << " " << Utf16ToUtf8(r.name);
        }
    }
}

TEST_F(NtfsVolumeTest, DataRunsReadWhatIcatReads)
{
    size_t compared = 0;
    size_t fragmented = 0;
    for (const FlsEntry& f : m_fls) {
        const std::vector<uint8_t> expected =
            ReadBinaryFile(FixtureFile(kDisk, std::string(kPart) + ".icat/" + f.address));
        if (f.deleted || f.type != "r/r" || expected.empty())
            continue;
        SCOPED_TRACE(f.path);
        uint8_t record[kMftRecordSize];
        ASSERT_TRUE(ReadMftRecord(*m_disk, m_mft, static_cast<uint32_t>(f.inode), record));
        uint32_t offset = 0;
        std::vector<uint8_t> bytes;
        const DataAttributeKind kind = FindDataAttribute(record, sizeof record, offset);
        ASSERT_NE(kind, DataAttributeKind::None);
        const std::vector<MftAttribute> attributes = ListMftAttributes(record, sizeof record);
        if (kind == DataAttributeKind::Resident) {
            for (const MftAttribute& a : attributes) {
                if (a.offset == offset)
                    bytes.assign(record + a.offset + a.valueOffset, record + a.offset + a.valueOffset + a.valueLength);
            }
        } else {
            std::vector<DataRun> runs;
            ASSERT_TRUE(DecodeAttributeRuns(record, sizeof record, offset, runs,
                m_boot.totalSectors / m_boot.sectorsPerCluster));
            fragmented += runs.size() > 1;
            for (const DataRun& run : runs) {
                std::vector<uint8_t> chunk(static_cast<size_t>(run.length * m_boot.sectorsPerCluster * kSectorSize));
                if (!run.sparse) {
                    ASSERT_TRUE(m_disk->ReadSectors(m_base + run.lcn * m_boot.sectorsPerCluster,
                        static_cast<uint32_t>(run.length * m_boot.sectorsPerCluster), chunk.data()));
                }
                bytes.insert(bytes.end(), chunk.begin(), chunk.end());
            }
            uint64_t size = 0;
            ASSERT_TRUE(GetMftRecordDataSize(record, sizeof record, size));
            bytes.resize(static_cast<size_t>(size));
        }
        EXPECT_TRUE(bytes == expected);
        ++compared;
    }
    EXPECT_GE(compared, 10u);
    EXPECT_GE(fragmented, 1u) << "the fixture's fragmented file came out in one piece";
}

TEST_F(NtfsVolumeTest, IndexRecordsOfALargeFolderNameTheirOwner)
{
    uint64_t many = 0;
    for (const FlsEntry& f : m_fls) {
        if (f.path == "many")
            many = f.inode;
    }
    ASSERT_NE(many, 0u);
    uint8_t record[kMftRecordSize];
    ASSERT_TRUE(ReadMftRecord(*m_disk, m_mft, static_cast<uint32_t>(many), record));
    const uint64_t cluster = GetIndexAllocationStart(record, sizeof record);
    ASSERT_NE(cluster, 0u);
    std::vector<uint8_t> indx(kMaxIndexRecordSize);
    const uint64_t sector = m_base + cluster * m_boot.sectorsPerCluster;
    ASSERT_TRUE(m_disk->ReadSectors(sector, 1, indx.data()));
    const uint32_t size = IndexRecordSize(indx.data(), kSectorSize);
    ASSERT_EQ(size, 4096u);
    ASSERT_TRUE(m_disk->ReadSectors(sector, size / kSectorSize, indx.data()));
    IndexRecordInfo info;
    ASSERT_TRUE(ParseIndexRecord(indx.data(), size, info));
    EXPECT_EQ(info.owner, many);
    EXPECT_EQ(info.vcn, 0u);
    EXPECT_EQ(info.sectors, 8);
}

TEST_F(NtfsVolumeTest, DamagedRecordsOnDiskAreRefused)
{
    uint64_t tiny = 0;
    for (const FlsEntry& f : m_fls) {
        if (f.path == "tiny.txt")
            tiny = f.inode;
    }
    ASSERT_NE(tiny, 0u);
    uint64_t sector = 0;
    ASSERT_TRUE(MapRecordToSector(m_mft, static_cast<uint32_t>(tiny), sector));
    uint8_t record[kMftRecordSize];
    {
        PatchedSectorSource disk(*m_disk);
        disk.Patch(sector + 1)[510] ^= 0x5A;  // a torn second sector
        EXPECT_FALSE(ReadMftRecordAt(disk, sector, kSectorsPerMftRecord, record));
        EXPECT_FALSE(ReadMftRecord(disk, m_mft, static_cast<uint32_t>(tiny), record));
    }
    {
        PatchedSectorSource disk(*m_disk);
        disk.Patch(m_mftStart + 1)[510] ^= 0x5A;  // record 0 itself
        SectorRunTable mft;
        EXPECT_FALSE(WalkMftRecords(disk, m_base, m_mftStart, m_boot.sectorsPerCluster, m_boot.sectorsPerMftRecord,
            VolumeClusters(), mft));
    }
    ASSERT_TRUE(ReadMftRecordAt(*m_disk, sector, kSectorsPerMftRecord, record));
}

}  // namespace morvick::test
