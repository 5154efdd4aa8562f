#include "tests/e2e/DriveSpeed.h"

#include <gtest/gtest.h>

namespace morvick::e2e::drive {
namespace {

const std::wstring kSearching = L"Please wait, Searching for Data...";

TEST(TreeWaitClock, TimesTheTreeFromTheScansEndWhileTheBarStaysUp)
{
    // The bar is up from the scan's start to the tree's end; the status tells the two apart.
    TreeWaitClock clock;
    EXPECT_FALSE(clock.See(0.0, 1, L"", false));
    EXPECT_FALSE(clock.See(0.5, 2, kSearching, false));
    EXPECT_FALSE(clock.See(2.0, 2, kSearching, false));
    EXPECT_FALSE(clock.See(2.5, 2, L"Please wait creating tree", false));
    EXPECT_FALSE(clock.See(5.0, 2, L"Please wait creating tree", false));
    EXPECT_FALSE(clock.See(5.2, 4, L"", false)) << "the results page without its tree yet";
    EXPECT_TRUE(clock.See(5.5, 4, L"", true));
    EXPECT_DOUBLE_EQ(clock.Seconds(), 3.0);
    // Later looks change nothing.
    EXPECT_TRUE(clock.See(9.0, 4, L"", true));
    EXPECT_DOUBLE_EQ(clock.Seconds(), 3.0);

    // Every form of the tree's status marks the scan's end (NTFS, the steps of a found volume).
    for (const wchar_t* status : {L"Please wait creating tree...", L"Please wait creating tree ( Step 5/5 )..."}) {
        TreeWaitClock other;
        other.See(1.0, 2, kSearching, false);
        other.See(1.25, 2, status, false);
        EXPECT_TRUE(other.See(2.0, 4, L"", true));
        EXPECT_DOUBLE_EQ(other.Seconds(), 0.75) << status;
    }
}

TEST(TreeWaitClock, ATreeMadeBetweenTwoLooksCountsFromTheLastLookAtTheScan)
{
    TreeWaitClock clock;
    clock.See(1.0, 2, kSearching, false);
    clock.See(1.5, 2, kSearching, false);
    EXPECT_TRUE(clock.See(1.75, 4, L"", true));
    EXPECT_DOUBLE_EQ(clock.Seconds(), 0.25);

    TreeWaitClock unseen;
    EXPECT_DOUBLE_EQ(unseen.Seconds(), 0.0);
    EXPECT_TRUE(unseen.See(3.0, 4, L"", true)) << "no scan seen: no wait measured";
    EXPECT_DOUBLE_EQ(unseen.Seconds(), 0.0);
}

}  // namespace
}  // namespace morvick::e2e::drive
