// A page whose memory runs out while it stores its boxes: the box is dropped, the page goes on,
// and its host is told (the viewer beeps). The allocator of this test program can be told to fail
// its next request; under the address sanitizer, which keeps an allocator of its own, the test is
// skipped.
#include "tests/preview/html/HtmlTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define MORVICK_FAILING_ALLOCATOR 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MORVICK_FAILING_ALLOCATOR 0
#endif
#endif
#ifndef MORVICK_FAILING_ALLOCATOR
#define MORVICK_FAILING_ALLOCATOR 1
#endif

namespace {
// Set: the next allocation of this thread fails.
thread_local bool g_failNextAllocation = false;
}  // namespace

#if MORVICK_FAILING_ALLOCATOR
void* operator new(std::size_t size)
{
    if (g_failNextAllocation) {
        g_failNextAllocation = false;
        throw std::bad_alloc();
    }
    if (void* p = std::malloc(size != 0 ? size : 1))
        return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size)
{
    return ::operator new(size);
}
void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete[](void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept
{
    std::free(p);
}
#endif

namespace morvick::test {
namespace {

TEST(HtmlPage, ABoxThatCannotBeStoredIsDroppedAndTheHostIsTold)
{
    if (!MORVICK_FAILING_ALLOCATOR)
        GTEST_SKIP() << "the address sanitizer's allocator cannot be made to fail";
    TestPage t;
    t.Load(L"one two");
    int items = 0;
    t.page.GetStats(&items, nullptr, nullptr, nullptr);
    HtmlBoxList list;  // empty: storing its first box needs memory
    std::unique_ptr<CHtmlBox> box = t.page.CreateBreakBox(10, 0, 0, 0);
    g_failNextAllocation = true;
    EXPECT_FALSE(t.page.AppendBox(list, std::move(box)));
    g_failNextAllocation = false;
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
