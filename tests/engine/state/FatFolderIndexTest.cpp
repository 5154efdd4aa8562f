// The FAT folder list's index by first cluster: records moved to the tail in any order, each as often
// as asked, leave the list whole and each found by its cluster; records appended around the index, and
// a list freed, are followed. A walk that goes on from where the tail stood meets every record that
// came to the tail since, appended or moved, whichever records moved.
#include "engine/state/EngineState.h"
#include "engine/state/FatFolderIndex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
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

// The clusters from `from` to the tail, walked no further than the count.
std::vector<uint32_t> ClustersFrom(const FatFolderRecord* from)
{
    std::vector<uint32_t> clusters;
    for (const FatFolderRecord* f = from; f && clusters.size() <= g_FatFolders.count; f = f->next)
        clusters.push_back(f->firstCluster);
    return clusters;
}

void AppendFolder(uint32_t cluster)
{
    FatFolderRecord* record = NewFolder(cluster);
    ASSERT_NE(record, nullptr);
    AppendIndexedFatFolder(record);
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

// The last record a walk met moved after records were added behind it, the head, a record just added,
// one moved a moment before, the tail: from a mark taken at any time, the list from the first record
// that came to the tail since holds those appended or moved there since, and no other.
TEST_F(FatFolderIndexTest, AWalkFromAMarkMeetsEveryRecordThatCameToTheTailSince)
{
    // X walked last; A and B added; a live entry takes X, which moves after them; C added.
    AppendFolder(2);
    const FatFolderMark walked = FatFolderTailMark();
    AppendFolder(3);
    AppendFolder(4);
    MoveFatFolderToTail(FatFolderOfCluster(2));
    AppendFolder(5);
    EXPECT_EQ(ClustersFrom(FirstFatFolderAfter(walked)), (std::vector<uint32_t>{3, 4, 2, 5}));
    EXPECT_EQ(FirstFatFolderAfter(FatFolderTailMark()), nullptr);
    EXPECT_EQ(ClustersFrom(FirstFatFolderAfter(FatFolderMark())), (std::vector<uint32_t>{3, 4, 2, 5}));

    // Each record's last coming to the tail, and the arrivals counted when each mark was taken.
    std::map<uint32_t, uint32_t> came = {{3, 0}, {4, 1}, {2, 2}, {5, 3}};
    std::vector<uint32_t> order = {3, 4, 2, 5};
    uint32_t arrivals = 4;
    std::vector<std::pair<FatFolderMark, uint32_t>> marks;
    uint32_t pick = 7;
    for (uint32_t step = 0; step < 400; ++step) {
        marks.emplace_back(FatFolderTailMark(), arrivals);
        pick = pick * 1103515245u + 12345u;
        const uint32_t kind = (pick >> 16) % 5;
        uint32_t cluster = 0;
        switch (kind) {
        case 0: AppendFolder(cluster = 100 + step); break;
        case 1: cluster = order.front(); break;
        case 2: cluster = order.back(); break;
        case 3: cluster = order[order.size() - 1 - std::min<size_t>(1 + (pick >> 8) % 3, order.size() - 1)]; break;
        default: cluster = order[(pick >> 4) % order.size()];
        }
        if (kind != 0) {
            // A record moved to the tail where it stands already comes to it no more.
            MoveFatFolderToTail(FatFolderOfCluster(cluster));
            if (cluster == order.back())
                continue;
            order.erase(std::find(order.begin(), order.end(), cluster));
        }
        order.push_back(cluster);
        came[cluster] = arrivals++;
        if (step % 20 != 19)
            continue;
        ASSERT_EQ(ClusterOrder(), order) << "step " << step;
        for (const auto& [mark, before] : marks) {
            std::vector<uint32_t> since;
            for (uint32_t c : order)
                if (came[c] >= before)
                    since.push_back(c);
            ASSERT_EQ(ClustersFrom(FirstFatFolderAfter(mark)), since) << "step " << step << ", mark " << before;
        }
    }
}

// A mark of a list that was freed, set aside and put back, or added to by AppendRecord since stands for
// no place in the list now: a walk from it takes the list from its head. A second record of a cluster
// moved to the tail is met after a mark too.
TEST_F(FatFolderIndexTest, AMarkOfAListChangedElsewhereLeadsToItsHead)
{
    AppendFolder(5);
    AppendFolder(6);
    const FatFolderMark freed = FatFolderTailMark();
    FreeFoundEntryLists();
    for (uint32_t cluster : {7u, 8u, 9u})
        AppendFolder(cluster);
    EXPECT_EQ(ClustersFrom(FirstFatFolderAfter(freed)), (std::vector<uint32_t>{7, 8, 9}));

    // Set aside for a scratch scan of its own list, then put back.
    const FatFolderMark aside = FatFolderTailMark();
    const RecordList<FatFolderRecord> kept = g_FatFolders;
    g_FatFolders = RecordList<FatFolderRecord>();
    EXPECT_EQ(FirstFatFolderAfter(aside), nullptr);
    AppendFolder(40);
    const FatFolderMark scratch = FatFolderTailMark();
    FreeFoundEntryLists();
    g_FatFolders = kept;
    EXPECT_EQ(ClustersFrom(FirstFatFolderAfter(aside)), (std::vector<uint32_t>{7, 8, 9}));
    EXPECT_EQ(ClustersFrom(FirstFatFolderAfter(scratch)), (std::vector<uint32_t>{7, 8, 9}));

    // A second record of cluster 8 appended around the index.
    const FatFolderMark before = FatFolderTailMark();
    FatFolderRecord* first = FatFolderOfCluster(8);
    FatFolderRecord* second = NewFolder(8);
    ASSERT_NE(second, nullptr);
    AppendRecord(g_FatFolders, second);
    EXPECT_EQ(ClustersFrom(FirstFatFolderAfter(before)), (std::vector<uint32_t>{7, 8, 9, 8}));
    const FatFolderMark repeated = FatFolderTailMark();
    MoveFatFolderToTail(FatFolderOfCluster(7));
    const FatFolderMark seven = FatFolderTailMark();
    MoveFatFolderToTail(first);
    EXPECT_EQ(ClustersFrom(FirstFatFolderAfter(repeated)), (std::vector<uint32_t>{7, 8}));
    EXPECT_EQ(FatFolderOfCluster(8), second);
    // The first record of cluster 8 is its second now, which the index does not hold.
    MoveFatFolderToTail(FatFolderOfCluster(9));
    const FatFolderMark moved = FatFolderTailMark();
    MoveFatFolderToTail(first);
    EXPECT_EQ(ClusterOrder(), (std::vector<uint32_t>{8, 7, 9, 8}));
    EXPECT_EQ(FirstFatFolderAfter(moved), first);
    EXPECT_EQ(ClustersFrom(FirstFatFolderAfter(repeated)), (std::vector<uint32_t>{7, 9, 8}));
    EXPECT_EQ(ClustersFrom(FirstFatFolderAfter(seven)), (std::vector<uint32_t>{9, 8}));
    EXPECT_EQ(FatFolderOfCluster(8), second);
}
