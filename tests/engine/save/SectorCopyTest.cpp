// The data copy under read failures, sparse runs, short extents and the stop and skip flags.
#include "engine/save/SafeFileName.h"
#include "engine/save/SaveState.h"
#include "engine/save/SectorCopy.h"
#include "tests/engine/save/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>

namespace {

// A source whose sector n holds the byte n & 0xFF, with some sectors that fail to read.
struct FakeSource {
    std::set<uint64_t> bad;
    std::map<uint64_t, int> failuresLeft;   // sectors that fail only so many times
    int calls = 0;

    bool Read(uint64_t sector, uint32_t count, uint8_t* buffer)
    {
        ++calls;
        for (uint32_t i = 0; i < count; ++i) {
            uint64_t s = sector + i;
            if (bad.count(s))
                return false;
            auto it = failuresLeft.find(s);
            if (it != failuresLeft.end() && it->second > 0) {
                --it->second;
                return false;
            }
        }
        for (uint32_t i = 0; i < count; ++i)
            std::memset(buffer + i * 512, static_cast<int>((sector + i) & 0xFF), 512);
        return true;
    }
    SectorReadFunction Function()
    {
        return [this](uint64_t s, uint32_t c, uint8_t* b) { return Read(s, c, b); };
    }
};

std::string Expected(std::initializer_list<std::pair<int, int>> sectors)   // (byte value, count) pairs
{
    std::string s;
    for (auto [value, count] : sectors)
        s.append(static_cast<size_t>(count) * 512, static_cast<char>(value));
    return s;
}

class SectorCopy : public ::testing::Test {
protected:
    void SetUp() override { ResetSaveState(); }
    void TearDown() override { ResetSaveState(); }

    std::string Copy(const std::vector<SectorExtent>& extents, uint64_t size, FakeSource& source, CopyOutcome& outcome,
        uint32_t retries = 3)
    {
        std::u16string path = JoinOutputPath(temp.Path16(), u"out.bin");
        COutputFile file;
        EXPECT_TRUE(file.Create(path));
        outcome = CopySectorExtents(file, extents, size, source.Function(), retries);
        EXPECT_TRUE(file.Close());
        return ReadWholeFile(FromPath16(path));
    }

    TempFolder temp;
};

} // namespace

TEST_F(SectorCopy, CopiesExtentsInOrderAndCutsAtTheSize)
{
    FakeSource source;
    CopyOutcome outcome;
    std::string data = Copy({{10, 2, false}, {0, 1, true}, {3, 1, false}}, 3 * 512 + 100, source, outcome);
    EXPECT_EQ(data, Expected({{10, 1}, {11, 1}, {0, 1}}) + std::string(100, '\x03'));
    EXPECT_EQ(outcome.written, 3u * 512 + 100);
    EXPECT_EQ(outcome.unreadableSectors, 0u);
    EXPECT_FALSE(outcome.missingData);
}

TEST_F(SectorCopy, UnreadableSectorsBecomeZerosAndAreCounted)
{
    FakeSource source;
    source.bad = {21};
    CopyOutcome outcome;
    std::string data = Copy({{20, 3, false}}, 3 * 512, source, outcome);
    EXPECT_EQ(data, Expected({{20, 1}, {0, 1}, {22, 1}})) << "never the previous sector's bytes";
    EXPECT_EQ(outcome.unreadableSectors, 1u);
}

TEST_F(SectorCopy, PassingFailuresAreRetried)
{
    FakeSource source;
    source.failuresLeft[5] = 2;
    CopyOutcome outcome;
    std::string data = Copy({{5, 1, false}}, 512, source, outcome, 3);
    EXPECT_EQ(data, Expected({{5, 1}}));
    EXPECT_EQ(outcome.unreadableSectors, 0u);
    EXPECT_EQ(source.calls, 3);

    FakeSource stubborn;
    stubborn.failuresLeft[5] = 2;
    std::string zeros = Copy({{5, 1, false}}, 512, stubborn, outcome, 1);
    EXPECT_EQ(zeros, Expected({{0, 1}}));
    EXPECT_EQ(outcome.unreadableSectors, 1u);
}

TEST_F(SectorCopy, ShortExtentsAreFilledWithZerosAndReported)
{
    FakeSource source;
    CopyOutcome outcome;
    std::string data = Copy({{7, 1, false}}, 3000, source, outcome);
    EXPECT_EQ(data.size(), 3000u);
    EXPECT_EQ(data.substr(0, 512), Expected({{7, 1}}));
    EXPECT_EQ(data.substr(512), std::string(3000 - 512, '\0'));
    EXPECT_TRUE(outcome.missingData);
}

TEST_F(SectorCopy, LargeRunsAreReadInBigChunks)
{
    FakeSource source;
    CopyOutcome outcome;
    std::string data = Copy({{0, 5000, false}}, 5000 * 512, source, outcome);
    EXPECT_EQ(data.size(), 5000u * 512);
    EXPECT_EQ(source.calls, 3) << "2048 + 2048 + 904 sectors";
    EXPECT_EQ(static_cast<uint8_t>(data[4999 * 512]), (4999 & 0xFF));
}

TEST_F(SectorCopy, StopAndSkipEndTheCopy)
{
    FakeSource source;
    CopyOutcome outcome;
    g_nSaveSkip = 1;
    std::string data = Copy({{0, 10, false}}, 5120, source, outcome);
    EXPECT_TRUE(outcome.stopped);
    EXPECT_TRUE(data.empty());
    g_nSaveSkip = 0;
    g_nSaveStop = 1;
    Copy({{0, 10, false}}, 5120, source, outcome);
    EXPECT_TRUE(outcome.stopped);
}

TEST_F(SectorCopy, TouchingExtentsAreJoined)
{
    std::vector<SectorExtent> e;
    AppendSectorExtent(e, 100, 8, false);
    AppendSectorExtent(e, 108, 8, false);
    AppendSectorExtent(e, 0, 8, true);
    AppendSectorExtent(e, 0, 8, true);
    AppendSectorExtent(e, 200, 8, false);
    AppendSectorExtent(e, 300, 0, false);
    ASSERT_EQ(e.size(), 3u);
    EXPECT_EQ(e[0].count, 16u);
    EXPECT_EQ(e[1].count, 16u);
    EXPECT_TRUE(e[1].zeros);
    EXPECT_EQ(e[2].sector, 200u);
}
