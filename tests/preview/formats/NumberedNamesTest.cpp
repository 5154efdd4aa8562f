// The order of numbered file names: slides exported as Slide1 to Slide12 come in the order of their
// numbers.
#include "preview/text/NumberedNames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace morvick::test {
namespace {

std::vector<std::u16string> Sorted(std::vector<std::u16string> names)
{
    std::sort(names.begin(), names.end(), NumberedNameLess);
    return names;
}

TEST(NumberedNames, NumbersAreComparedAsNumbers)
{
    std::vector<std::u16string> slides;
    for (int n = 1; n <= 12; ++n) {
        std::string name = "slide" + std::to_string(n) + ".gif";
        slides.emplace_back(name.begin(), name.end());
    }
    std::vector<std::u16string> shuffled(slides.rbegin(), slides.rend());
    std::rotate(shuffled.begin(), shuffled.begin() + 5, shuffled.end());
    EXPECT_EQ(Sorted(shuffled), slides);
    // Past what 64 bits hold; text around and between the numbers; a name that ends first.
    EXPECT_EQ(Sorted({u"p100000000000000000000000", u"p99999999999999999999999", u"p2"}),
        (std::vector<std::u16string>{u"p2", u"p99999999999999999999999", u"p100000000000000000000000"}));
    EXPECT_EQ(Sorted({u"v2b", u"v10a", u"v2a", u"v", u"v2", u"b.bmp", u"a.bmp"}),
        (std::vector<std::u16string>{u"a.bmp", u"b.bmp", u"v", u"v2", u"v2a", u"v2b", u"v10a"}));
}

TEST(NumberedNames, LeadingZerosBreakTiesOnly)
{
    // 7 before 007 before 8; distinct names never tie.
    EXPECT_EQ(Sorted({u"img8", u"img007", u"img7", u"img07"}),
        (std::vector<std::u16string>{u"img7", u"img07", u"img007", u"img8"}));
    EXPECT_TRUE(NumberedNameLess(u"a01b002", u"a001b02"));
    EXPECT_FALSE(NumberedNameLess(u"a001b02", u"a01b002"));
    EXPECT_FALSE(NumberedNameLess(u"slide1.gif", u"slide1.gif"));
    EXPECT_TRUE(NumberedNameLess(u"0", u"00"));
    EXPECT_FALSE(NumberedNameLess(u"00", u"0"));
}

}  // namespace
}  // namespace morvick::test
