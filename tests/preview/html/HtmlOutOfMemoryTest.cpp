// A page whose memory runs out while it stores its boxes: the box is dropped, the page goes on,
// and its host is told (the viewer beeps). The test program's own operator new (the allocation
// meter) refuses the request, also under the address sanitizer.
#include "tests/preview/html/HtmlTestSupport.h"
#include "tests/support/AllocationMeter.h"

#include <gtest/gtest.h>

namespace morvick::test {
namespace {

TEST(HtmlPage, ABoxThatCannotBeStoredIsDroppedAndTheHostIsTold)
{
    TestPage t;
    t.Load(L"one two");
    int items = 0;
    t.page.GetStats(&items, nullptr, nullptr, nullptr);
    HtmlBoxList list;  // empty: storing its first box needs memory
    std::unique_ptr<CHtmlBox> box = t.page.CreateBreakBox(10, 0, 0, 0);
    {
        AllocationMeter meter;
        meter.RefuseNext();
        EXPECT_FALSE(t.page.AppendBox(list, std::move(box)));
        EXPECT_EQ(meter.Refused(), 1);
    }
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(t.host.outOfMemory, 1);
    int after = 0;
    t.page.GetStats(&after, nullptr, nullptr, nullptr);
    EXPECT_EQ(after, items);
    // With memory again, the next box is stored.
    EXPECT_TRUE(t.page.AppendBox(list, t.page.CreateBreakBox(10, 0, 0, 0)));
    EXPECT_EQ(list.size(), 1u);
    t.page.GetStats(&after, nullptr, nullptr, nullptr);
    EXPECT_EQ(after, items + 1);
}

}  // namespace
}  // namespace morvick::test
