// The FAT folder list's index by first cluster: records moved to the tail in any order, each as often
// as asked, leave the list whole and each found by its cluster; records appended around the index, and
// a list freed, are followed.
#include "engine/state/EngineState.h"
#include "engine/state/FatFolderIndex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

class FatFolderIndexTest : public ::testing::Test {
protected:
    void SetUp() override { FreeFoundEntryLists(); }
    void TearDown() override { FreeFoundEntryLists(); }
};

FatFolderRecord* NewFolder(uint32_t cluster)
{
    return NewNamedRecord<FatFolderRecord>(u"F", [cluster](FatFolderRecord& f) { f.firstCluster = cluster; });
}

// The clusters in list order, walked no further than one record past the count (a list that goes
// round in a circle); empty unless the walk ends at the list's tail.
std::vector<uint32_t> ClusterOrder()
{
    std::vector<uint32_t> clusters;
    const FatFolderRecord* last = nullptr;
    for (const FatFolderRecord* f = g_FatFolders.head; f && clusters.size() <= g_FatFolders.count; f = f->next) {
        clusters.push_back(f->firstCluster);
        last = f;
    }
    return last == g_FatFolders.tail && (!last || !last->next) ? clusters : std::vector<uint32_t>{};
}

}  // namespace

// The head, the tail, the record after one just moved, one moved a moment before and any other: each
// goes to the tail, the rest keep their order, and every cluster leads to its own record.
TEST_F(FatFolderIndexTest, RecordsMovedInAnyOrderKeepTheListWholeAndFound)
{
    std::vector<uint32_t> expected;
    for (uint32_t cluster = 2; cluster < 32; ++cluster) {
        FatFolderRecord* record = NewFolder(cluster);
        ASSERT_NE(record, nullptr);
        AppendIndexedFatFolder(record);
        expected.push_back(cluster);
    }
    uint32_t pick = 11;
    uint32_t moved = expected.front();
    for (int step = 0; step < 300; ++step) {
        const size_t at = std::find(expected.begin(), expected.end(), moved) - expected.begin();
        uint32_t cluster;
        switch (step % 6) {
        case 0: cluster = expected.front(); break;
        case 1: cluster = expected.back(); break;
        case 2: cluster = expected[std::min(at + 1, expected.size() - 1)]; break;  // after the last moved
        case 3: cluster = moved; break;  // no longer at the tail where a record was added after it
        default: cluster = expected[(pick = pick * 1103515245u + 12345u) % expected.size()];
        }
        FatFolderRecord* record = FatFolderOfCluster(cluster);
        ASSERT_NE(record, nullptr) << "step " << step;
        ASSERT_EQ(record->firstCluster, cluster);
        MoveFatFolderToTail(record);
        expected.erase(std::find(expected.begin(), expected.end(), cluster));
        expected.push_back(cluster);
        moved = cluster;
        if (step % 7 == 0) {
            FatFolderRecord* added = NewFolder(100 + step);
            ASSERT_NE(added, nullptr);
            AppendIndexedFatFolder(added);
            expected.push_back(100 + step);
        }
        ASSERT_EQ(ClusterOrder(), expected) << "step " << step;
    }
    for (uint32_t cluster : expected) {
        const FatFolderRecord* record = FatFolderOfCluster(cluster);
        ASSERT_NE(record, nullptr);
        EXPECT_EQ(record->firstCluster, cluster);
    }
    EXPECT_EQ(FatFolderOfCluster(99), nullptr);
}

// Records appended to the list by AppendRecord (as a test or a load may) are found, and so are those
// appended after them; a freed list leaves nothing to find.
TEST_F(FatFolderIndexTest, RecordsAppendedAroundTheIndexAreFoundAndAFreedListHasNone)
{
    AppendIndexedFatFolder(NewFolder(5));
    AppendRecord(g_FatFolders, NewFolder(6));
    AppendIndexedFatFolder(NewFolder(7));
    for (uint32_t cluster : {5u, 6u, 7u}) {
        const FatFolderRecord* record = FatFolderOfCluster(cluster);
        ASSERT_NE(record, nullptr);
        EXPECT_EQ(record->firstCluster, cluster);
    }
    MoveFatFolderToTail(FatFolderOfCluster(6));
    EXPECT_EQ(ClusterOrder(), (std::vector<uint32_t>{5, 7, 6}));
    FreeFoundEntryLists();
    EXPECT_EQ(FatFolderOfCluster(5), nullptr);
    AppendIndexedFatFolder(NewFolder(6));
    EXPECT_EQ(ClusterOrder(), std::vector<uint32_t>{6});
    EXPECT_EQ(FatFolderOfCluster(6), g_FatFolders.head);
}
