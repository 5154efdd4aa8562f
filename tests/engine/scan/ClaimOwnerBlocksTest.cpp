// Whether a file of another folder, written at a time or later, begins its claim between two
// clusters: the answer the blocks of claims and their table give is the one a walk over every claim
// gives, for claims of equal first clusters, ranges at and past the ends, and ranges inside one
// block; and a question looks at a bounded number of claims and summaries however wide its range.
#include "engine/scan/ClaimOwnerBlocks.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

namespace {

bool Walk(const ClaimOwnerBlocks::Claims& claims, uint32_t a, uint32_t b, uint64_t owner, uint32_t made)
{
    for (const auto& [first, who] : claims) {
        if (first > a && first < b && who.first != owner && who.second >= made)
            return true;
    }
    return false;
}

// Claims of `count` random first clusters below `span` (many equal), of `owners` folders, written at
// times below `times` (many equal); asked `questions` random ranges, owners and times, among them
// ranges of one cluster between, ranges that begin before the first claim and end past the last.
void ExpectAsAWalk(uint32_t seed, size_t count, uint32_t span, uint64_t owners, uint32_t times, int questions)
{
    std::mt19937 random(seed);
    ClaimOwnerBlocks::Claims claims;
    for (size_t i = 0; i < count; ++i)
        claims.emplace(random() % span, std::make_pair(uint64_t{1} + random() % owners, random() % times));
    ClaimOwnerBlocks blocks;
    blocks.Build(claims);
    for (int q = 0; q < questions; ++q) {
        uint32_t a = random() % (span + 20);
        uint32_t b = 0;
        switch (q % 4) {
        case 0: b = a + 1; break;                   // nothing lies strictly between
        case 1: b = a + 2 + random() % 200; break;  // within a few blocks
        case 2: b = span + 10 + random() % 10; break;  // past the last claim
        default: b = random() % (span + 20);           // anything, b before a too
        }
        if (q % 16 == 3)
            a = 0;  // from before the first claim
        const uint64_t owner = random() % (owners + 1);  // 0: a folder with no claims
        const uint32_t made = q % 8 == 5 ? 0 : random() % (times + 1);
        ASSERT_EQ(blocks.OtherBetween(a, b, owner, made), Walk(claims, a, b, owner, made))
            << "seed " << seed << ": " << a << ".." << b << " owner " << owner << " made " << made;
    }
}

}  // namespace

TEST(ClaimOwnerBlocks, AnswersAsAWalkOverEveryClaimDoesForRandomClaims)
{
    // Counts around a block's 64 and its powers of two, sparse and dense first clusters, one owner
    // and many, times that tie often and seldom.
    ExpectAsAWalk(1, 1, 10, 2, 5, 400);
    ExpectAsAWalk(2, 63, 100, 2, 5, 2000);
    ExpectAsAWalk(3, 64, 64, 3, 3, 2000);
    ExpectAsAWalk(4, 65, 1000, 2, 100, 2000);
    ExpectAsAWalk(5, 129, 50, 2, 4, 2000);
    ExpectAsAWalk(6, 1000, 3000, 4, 50, 4000);
    ExpectAsAWalk(7, 4100, 20000, 3, 1000, 4000);
    ExpectAsAWalk(8, 4100, 300, 2, 10, 4000);   // many claims of each first cluster
    ExpectAsAWalk(9, 9000, 100000, 20, 100000, 4000);
}

TEST(ClaimOwnerBlocks, EdgesOfTheRangeAndOfTheClaims)
{
    ClaimOwnerBlocks none;
    none.Build({});
    EXPECT_FALSE(none.OtherBetween(0, UINT32_MAX, 1, 0)) << "no claims";
    EXPECT_FALSE(none.OtherBetween(5, 3, 1, 0));

    // Claims of two folders from one first cluster: the other folder's is found whichever folder asks.
    ClaimOwnerBlocks::Claims claims;
    claims.emplace(10, std::make_pair(uint64_t{1}, 100u));
    claims.emplace(10, std::make_pair(uint64_t{2}, 50u));
    for (uint32_t c = 11; c < 1000; ++c)
        claims.emplace(c, std::make_pair(uint64_t{1}, 10u));
    ClaimOwnerBlocks blocks;
    blocks.Build(claims);
    EXPECT_TRUE(blocks.OtherBetween(9, 11, 1, 50));
    EXPECT_FALSE(blocks.OtherBetween(9, 11, 1, 51)) << "folder 2's file was written before";
    EXPECT_TRUE(blocks.OtherBetween(9, 11, 2, 100));
    EXPECT_FALSE(blocks.OtherBetween(10, 11, 2, 0)) << "nothing lies between a cluster and the next";
    EXPECT_FALSE(blocks.OtherBetween(9, 10, 2, 0)) << "a claim at b is not between";
    EXPECT_FALSE(blocks.OtherBetween(10, 5000, 2, 11)) << "a claim at a is not between";
    EXPECT_TRUE(blocks.OtherBetween(10, 5000, 2, 10)) << "past the last claim";
    EXPECT_FALSE(blocks.OtherBetween(998, 5000, 1, 0));
    EXPECT_FALSE(blocks.OtherBetween(999, UINT32_MAX, 2, 0)) << "from the last claim on";
}

// However wide the range, a question looks at no more than the claims of its two end blocks and two
// summaries of the table: a search that asks it for every cluster grows with what it reads.
TEST(ClaimOwnerBlocks, AQuestionCostsTheSameForAnyRange)
{
    // 200,000 files of one folder between its clusters, written before the folder's next entries:
    // every question looks at the whole range and finds nothing.
    ClaimOwnerBlocks::Claims claims;
    for (uint32_t c = 0; c < 200000; ++c)
        claims.emplace(2 * c + 1, std::make_pair(uint64_t{c % 3 == 0 ? 2u : 1u}, c % 1000));
    ClaimOwnerBlocks blocks;
    blocks.Build(claims);
    for (uint32_t width = 1; width < 400000; width = width * 2 + 7) {
        for (uint32_t a : {0u, 1u, 77u, 1000u}) {
            EXPECT_FALSE(blocks.OtherBetween(a, a + width, 1, 1000)) << width;
            EXPECT_LE(blocks.LastQuestionSteps(), 2 * 63 + 2u) << a << ".." << a + width;
        }
    }
    // Two summaries for whole blocks, however many.
    EXPECT_FALSE(blocks.OtherBetween(2 * 64 * 10, 2 * 64 * 3000 + 1, 1, 1000));
    EXPECT_EQ(blocks.LastQuestionSteps(), 2u);
}
