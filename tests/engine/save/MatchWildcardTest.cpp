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

TEST(MatchWildcard, FiltersFoldTheCaseOfEveryScript)
{
    // Greek and Cyrillic names found whatever the case of the name and of the pattern, with and
    // without wildcards; a name in another script is not.
    const std::u16string greek = u"\u0395\u03bb\u03bb\u03b7\u03bd\u03b9\u03ba\u03ac.doc";  // Ελληνικά.doc
    EXPECT_TRUE(PassesFileFilters(greek, {u"\u03b5\u03bb\u03bb\u03b7\u03bd\u03b9\u03ba\u03ac.doc"}));  // ελληνικά.doc
    EXPECT_TRUE(PassesFileFilters(greek, {u"\u0395\u039b\u039b\u0397\u039d\u0399\u039a*"}));  // ΕΛΛΗΝΙΚ*
    EXPECT_FALSE(PassesFileFilters(greek, {u"\u0415\u041b*"}));  // ЕЛ*, Cyrillic letters that look alike
    const std::u16string russian = u"\u041e\u0442\u0447\u0451\u0442 \u0437\u0430 \u043c\u0430\u0439.txt";  // Отчёт за май.txt
    EXPECT_TRUE(PassesFileFilters(russian, {u"\u041e\u0422\u0427\u0401\u0422*.TXT"}));  // ОТЧЁТ*.TXT
    EXPECT_TRUE(PassesFileFilters(russian, {u"\u0437\u0430 \u041c\u0410\u0419"}));  // за МАЙ
    EXPECT_FALSE(PassesFileFilters(russian, {u"\u0438\u044e\u043d\u044c*"}));  // июнь*

    // The capitals are the system's: the accented Greek letters (the final sigma stays), the
    // Cyrillic letters outside the Russian alphabet, Latin beyond Latin-1; signs, digits and
    // letters without a capital of their own stay.
    EXPECT_EQ(UpperCaseName(u"\u03c2\u03ac\u03ad\u03ae\u03af\u03cc\u03cd\u03ce\u03ca\u03cb"),
        u"\u03c2\u0386\u0388\u0389\u038a\u038c\u038e\u038f\u03aa\u03ab");
    EXPECT_EQ(UpperCaseName(u"\u0451\u0454\u0456\u0457\u045e\u0491\u04d9"), u"\u0401\u0404\u0406\u0407\u040e\u0490\u04d8");
    EXPECT_EQ(UpperCaseName(u"\u00e9\u00fe\u00ff\u0101\u0142\u0151\u017e"), u"\u00c9\u00de\u0178\u0100\u0141\u0150\u017d");
    EXPECT_EQ(UpperCaseName(u"a1_\u00f7\u00df\u0138-Z"), u"A1_\u00f7\u00df\u0138-Z");
}

TEST(HexText, BytesAndSwappedWords)
{
    const uint8_t bytes[] = {0x1F, 0xA0};
    EXPECT_EQ(BytesToHexString(bytes, 2), "1fa0");
    EXPECT_EQ(BytesToHexString(bytes, 0), "");
    EXPECT_EQ(SwapHexWordBytes("abcd"), "cdab");
    EXPECT_EQ(SwapHexWordBytes("ab"), "");
}
