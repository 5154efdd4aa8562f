// LZNT1 streams and compressed NTFS units, built by hand.
#include "engine/save/CompressedCopy.h"
#include "engine/save/Lznt1.h"
#include "engine/save/SafeFileName.h"
#include "engine/save/SaveState.h"
#include "tests/engine/save/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// "abcabcabcabc": three literals, then a reference back 3 bytes for 9 bytes.
std::vector<uint8_t> SmallCompressedChunk()
{
    // Position 3: displacement bits 4, length bits 12; token = (3 - 1) << 12 | (9 - 3).
    const uint16_t token = static_cast<uint16_t>((2u << 12) | 6u);
    std::vector<uint8_t> data = {0x08, 'a', 'b', 'c', static_cast<uint8_t>(token), static_cast<uint8_t>(token >> 8)};
    const uint16_t header = static_cast<uint16_t>(0xB000 | (data.size() - 1));
    std::vector<uint8_t> chunk(2 + data.size());
    chunk[0] = static_cast<uint8_t>(header);
    chunk[1] = static_cast<uint8_t>(header >> 8);
    std::memcpy(chunk.data() + 2, data.data(), data.size());
    return chunk;
}

} // namespace

TEST(Lznt1, LiteralsAndBackReferences)
{
    std::vector<uint8_t> in = SmallCompressedChunk();
    in.push_back(0);
    in.push_back(0);
    uint8_t out[64] = {};
    size_t produced = 0;
    ASSERT_TRUE(DecompressLznt1(in.data(), in.size(), out, sizeof out, produced));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out), produced), "abcabcabcabc");
}

TEST(Lznt1, StoredChunkAndDamage)
{
    std::vector<uint8_t> stored(2 + 4096, 'z');   // a stored chunk of 4096 bytes
    stored[0] = 0xFF;
    stored[1] = 0x3F;
    std::vector<uint8_t> out(8192);
    size_t produced = 0;
    ASSERT_TRUE(DecompressLznt1(stored.data(), stored.size(), out.data(), out.size(), produced));
    EXPECT_EQ(produced, 4096u);

    std::vector<uint8_t> bad = SmallCompressedChunk();
    bad[6] = 0xFF;   // a reference far before the chunk's start
    bad[7] = 0xFF;
    EXPECT_FALSE(DecompressLznt1(bad.data(), bad.size(), out.data(), out.size(), produced));
    std::vector<uint8_t> cut = SmallCompressedChunk();
    cut.resize(5);   // the header promises more than there is
    EXPECT_FALSE(DecompressLznt1(cut.data(), cut.size(), out.data(), out.size(), produced));
    // Output is bounded by the caller's buffer whatever the stream says.
    std::vector<uint8_t> in = SmallCompressedChunk();
    uint8_t tiny[5];
    ASSERT_TRUE(DecompressLznt1(in.data(), in.size(), tiny, sizeof tiny, produced));
    EXPECT_EQ(produced, 5u);
}

TEST(CompressedCopy, RawSparseAndCompressedUnits)
{
    // Units of 2 clusters of 1 sector: unit 0 raw (clusters 10, 11), unit 1 a hole, unit 2
    // compressed into cluster 20 followed by a hole.
    std::vector<uint8_t> disk(64 * 512, 0);
    std::memset(&disk[10 * 512], 'R', 1024);
    std::vector<uint8_t> chunk = SmallCompressedChunk();
    std::memcpy(&disk[20 * 512], chunk.data(), chunk.size());
    auto read = [&](uint64_t sector, uint32_t count, uint8_t* buffer) {
        if ((sector + count) * 512 > disk.size())
            return false;
        std::memcpy(buffer, &disk[sector * 512], count * 512);
        return true;
    };
    std::vector<ClusterRun> runs = {{2, 10, false}, {2, 0, true}, {1, 20, false}, {1, 0, true}};
    CompressedLayout layout;
    layout.sectorsPerCluster = 1;
    layout.unitClusters = 2;
    TempFolder temp;
    std::u16string path = JoinOutputPath(temp.Path16(), u"c.bin");
    COutputFile file;
    ASSERT_TRUE(file.Create(path));
    ResetSaveState();
    CopyOutcome outcome = CopyCompressedRuns(file, runs, 3 * 1024, layout, read, 0);
    ASSERT_TRUE(file.Close());
    EXPECT_FALSE(outcome.undecodable);
    EXPECT_FALSE(outcome.missingData);
    std::string data = ReadWholeFile(FromPath16(path));
    ASSERT_EQ(data.size(), 3u * 1024);
    EXPECT_EQ(data.substr(0, 1024), std::string(1024, 'R'));
    EXPECT_EQ(data.substr(1024, 1024), std::string(1024, '\0'));
    EXPECT_EQ(data.substr(2048, 12), "abcabcabcabc");
    EXPECT_EQ(data.substr(2060), std::string(1024 - 12, '\0'));

    // Runs that end early: zeros and missing data.
    ASSERT_TRUE(file.Create(path));
    outcome = CopyCompressedRuns(file, {{2, 10, false}}, 3 * 1024, layout, read, 0);
    ASSERT_TRUE(file.Close());
    EXPECT_TRUE(outcome.missingData);
    EXPECT_EQ(ReadWholeFile(FromPath16(path)).size(), 3u * 1024);
}
