#include "engine/save/HexText.h"
#include "engine/save/MatchWildcard.h"

#include <gtest/gtest.h>

TEST(MatchWildcard, SpecialPatterns)
{
    EXPECT_FALSE(MatchWildcard(u"", u"*"));
    EXPECT_FALSE(MatchWildcard(u"a", u""));
    EXPECT_TRUE(MatchWildcard(u"NODOT", u"*"));
    EXPECT_TRUE(MatchWildcard(u"A.B", u"*.*"));
    EXPECT_FALSE(MatchWildcard(u"NODOT", u"*.*"));
}

TEST(MatchWildcard, PlainPatternMatchesAnywhere)
{
    EXPECT_TRUE(MatchWildcard(u"X.DOC", u"DOC"));
    EXPECT_FALSE(MatchWildcard(u"D.TXT", u"DOC"));
    EXPECT_FALSE(MatchWildcard(u"DO", u"DOC"));
}

TEST(MatchWildcard, StarAndQuestionMark)
{
    EXPECT_TRUE(MatchWildcard(u"X.DOC", u"*.DOC"));
    EXPECT_FALSE(MatchWildcard(u"X.TXT", u"*.DOC"));
    EXPECT_FALSE(MatchWildcard(u"X.DOCX", u"*.DOC"));
    EXPECT_TRUE(MatchWildcard(u"REPORT1.TXT", u"REPORT?.*"));
    EXPECT_FALSE(MatchWildcard(u"REPORT.TXT", u"REPORT?.*"));
    EXPECT_TRUE(MatchWildcard(u"ABC", u"A*"));
    EXPECT_TRUE(MatchWildcard(u"A", u"A***"));
    EXPECT_TRUE(MatchWildcard(u"AXBXC", u"A*B*C"));
    EXPECT_FALSE(MatchWildcard(u"AXBXD", u"A*B*C"));
    // No exponential blow-up on long names.
    EXPECT_FALSE(MatchWildcard(std::u16string(2000, u'A'), u"*A*A*A*A*A*A*A*B"));
}

TEST(MatchWildcard, FiltersUpperCaseBothSidesAndOnlyApplyWhenSet)
{
    EXPECT_TRUE(PassesFileFilters(u"x.txt", {}));
    EXPECT_TRUE(PassesFileFilters(u"x.doc", {u"*.DOC"}));
    EXPECT_FALSE(PassesFileFilters(u"x.txt", {u"*.DOC"}));
    EXPECT_TRUE(PassesFileFilters(u"x.txt", {u"*.doc", u"*.TxT"}));
    EXPECT_TRUE(PassesFileFilters(u"\u00e9t\u00e9.txt", {u"\u00c9T\u00c9*"}));
}

TEST(HexText, BytesAndSwappedWords)
{
    const uint8_t bytes[] = {0x1F, 0xA0};
    EXPECT_EQ(BytesToHexString(bytes, 2), "1fa0");
    EXPECT_EQ(BytesToHexString(bytes, 0), "");
    EXPECT_EQ(SwapHexWordBytes("abcd"), "cdab");
    EXPECT_EQ(SwapHexWordBytes("ab"), "");
}
