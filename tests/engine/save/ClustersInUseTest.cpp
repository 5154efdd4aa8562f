// A deleted file's runs with the clusters that files hold now turned into zeros: only those clusters,
// whole compression units of a compressed file, none past the file's data, and the counts by use.
#include "engine/save/ClustersInUse.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using morvick::ClusterUse;

std::function<ClusterUse(uint64_t)> InUse(const std::set<uint64_t>& used, const std::set<uint64_t>& unknown = {})
{
    return [used, unknown](uint64_t lcn) {
        if (unknown.count(lcn))
            return ClusterUse::kUnknown;
        return used.count(lcn) ? ClusterUse::kInUse : ClusterUse::kFree;
    };
}

bool Same(const std::vector<ClusterRun>& a, const std::vector<ClusterRun>& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].length != b[i].length || a[i].sparse != b[i].sparse || (!a[i].sparse && a[i].lcn != b[i].lcn))
            return false;
    }
    return true;
}

}  // namespace

TEST(ClustersInUse, OnlyTheClustersInUseBecomeZeros)
{
    std::vector<ClusterRun> runs = {{4, 100, false}, {2, 0, true}, {3, 200, false}};
    const ClustersTaken counted = SparseOutClustersInUse(runs, 9, 1, InUse({101, 102, 200}));
    EXPECT_TRUE(Same(runs, {{1, 100, false}, {2, 0, true}, {1, 103, false}, {3, 0, true}, {2, 201, false}}));
    EXPECT_EQ(counted.own, 4u);
    EXPECT_EQ(counted.taken, 3u);
    EXPECT_FALSE(counted.unknown);
}

TEST(ClustersInUse, ClustersPastTheDataAreNotAskedAbout)
{
    std::vector<ClusterRun> runs = {{4, 100, false}};
    const ClustersTaken counted = SparseOutClustersInUse(runs, 2, 1, InUse({102, 103}, {101}));
    EXPECT_TRUE(Same(runs, {{4, 100, false}}));
    EXPECT_EQ(counted.own, 2u);
    EXPECT_EQ(counted.taken, 0u);
    EXPECT_TRUE(counted.unknown);
}

TEST(ClustersInUse, ACompressionUnitWithAClusterInUseBecomesZerosWhole)
{
    // Units of 4 clusters: the first stored in 2 clusters and 2 of hole, the second raw.
    std::vector<ClusterRun> runs = {{2, 50, false}, {2, 0, true}, {4, 60, false}};
    const ClustersTaken counted = SparseOutClustersInUse(runs, 8, 4, InUse({51}));
    EXPECT_TRUE(Same(runs, {{4, 0, true}, {4, 60, false}}));
    EXPECT_EQ(counted.own, 5u);
    EXPECT_EQ(counted.taken, 1u);
    std::vector<ClusterRun> all = {{3, 10, false}};
    const ClustersTaken none = SparseOutClustersInUse(all, 3, 1, InUse({10, 11, 12}));
    EXPECT_EQ(none.own, 0u);
    EXPECT_EQ(none.taken, 3u);
}
