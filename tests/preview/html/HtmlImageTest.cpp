// The picture list: one fetch per URL and kind, at most 11 at once, the placeholder for what
// cannot be had, and a page that closes while fetches hang.
#include "tests/preview/html/HtmlTestSupport.h"

#include <gtest/gtest.h>

namespace morvick::test {
namespace {

TEST(HtmlImages, EachUrlIsFetchedOncePerKind)
{
    auto source = std::make_shared<FakeSource>();
    source->Put(L"u1", "PIC 10 20");
    RecordingHost host;
    FakeDecoder decoder;
    CHtmlImageList list(&host, &decoder, source);
    EXPECT_EQ(list.Add(L"u1", 0), 0);
    EXPECT_EQ(list.Add(L"u1", 0), 0);
    EXPECT_EQ(list.Add(L"u1", 1), 1);
    EXPECT_EQ(list.Add(L"broken", 0), 2);
    EXPECT_EQ(list.Find(L"u1", 1), 1);
    EXPECT_EQ(list.Find(L"u2", 0), -1);
    WaitForPictures(list);
    ASSERT_EQ(list.FinishedCount(), 3);
    EXPECT_EQ(source->Fetches(L"u1"), 2);
    EXPECT_EQ(source->Fetches(L"broken"), 1);
    {
        std::lock_guard<std::mutex> lock(host.mutex);
        ASSERT_EQ(host.loaded.size(), 3u);
        EXPECT_EQ(host.loaded.back(), L"3/3");
    }
    CHtmlImage* image = list.GetAt(0);
    ASSERT_EQ(image->Decode(0), 1);
    EXPECT_EQ(image->NaturalWidth(), 10);
    EXPECT_FALSE(static_cast<const FakeBitmap*>(image->Bitmap())->IsPlaceholder());
    // What cannot be fetched or decoded is the white 60 x 40 placeholder, and counts as finished.
    CHtmlImage* broken = list.GetAt(2);
    ASSERT_EQ(broken->Decode(0), 1);
    EXPECT_EQ(broken->NaturalWidth(), 60);
    EXPECT_EQ(broken->NaturalHeight(), 40);
    EXPECT_TRUE(static_cast<const FakeBitmap*>(broken->Bitmap())->IsPlaceholder());
    // Freed bitmaps decode again from the kept bytes, without another fetch.
    list.FreeBitmaps();
    EXPECT_EQ(image->Bitmap(), nullptr);
    EXPECT_EQ(image->Decode(0), 1);
    EXPECT_EQ(source->Fetches(L"u1"), 2);
    EXPECT_EQ(list.GetAt(3), nullptr);
    EXPECT_EQ(list.GetAt(-1), nullptr);
}

TEST(HtmlImages, SizesAreCompletedFromTheNaturalSize)
{
    auto source = std::make_shared<FakeSource>();
    source->Put(L"p", "PIC 200 50");
    FakeDecoder decoder;
    CHtmlImageList list(nullptr, &decoder, source);
    list.Add(L"p", 0);
    CHtmlImage* image = list.GetAt(0);
    ASSERT_EQ(image->Decode(1), 1);  // waits for the fetch
    int w = 100, h = 0;
    image->ScaleSize(&w, &h);
    EXPECT_EQ(h, 25);
    w = 0;
    h = 100;
    image->ScaleSize(&w, &h);
    EXPECT_EQ(w, 400);
    w = 0;
    h = 0;
    image->ScaleSize(&w, &h);
    EXPECT_EQ(w, 200);
    EXPECT_EQ(h, 50);
    w = 7;
    h = 9;
    image->ScaleSize(&w, &h);
    EXPECT_EQ(w, 7);
    EXPECT_EQ(h, 9);
}

TEST(HtmlImages, AtMostElevenFetchesRunAtOnce)
{
    auto source = std::make_shared<FakeSource>();
    source->BlockAll(true);
    RecordingHost host;
    FakeDecoder decoder;
    CHtmlImageList list(&host, &decoder, source);
    for (int i = 0; i < 30; ++i)
        list.Add(L"img" + std::to_wstring(i), 0);
    ASSERT_TRUE(source->WaitRunning(kHtmlMaxFetches));
    EXPECT_EQ(list.RunningFetches(), kHtmlMaxFetches);
    EXPECT_LE(list.PoolThreads(), kHtmlMaxFetches);
    // Not yet fetched: no picture, and painting does not wait.
    EXPECT_EQ(list.GetAt(0)->Decode(0), 0);
    source->Release();
    WaitForPictures(list);
    ASSERT_EQ(list.FinishedCount(), 30);
    EXPECT_EQ(source->MaxRunning(), kHtmlMaxFetches);
}

TEST(HtmlImages, ClosingAPageDoesNotWaitForAHangingFetch)
{
    auto source = std::make_shared<FakeSource>();
    source->BlockAll(true);
    RecordingHost host;
    {
        FixedMeasurer measurer;
        FakeDecoder decoder;
        auto page = std::make_unique<CHtmlPage>(&host, 0, &measurer, &decoder, source);
        page->Load(L"<img src=a.gif><img src=b.gif><body background=c.gif>", L"Arial", 10, 0, L"file://C:\\p.html");
        ASSERT_TRUE(source->WaitRunning(3));
        page.reset();
        // The fetches are released only after this: a close that waited for them would have
        // returned only once they gave up.
        EXPECT_EQ(source->Finished(), 0) << "closing the page waited for its fetches";
    }
    // The hung fetches finish later, into nothing: no report reaches the host.
    source->Release();
    ASSERT_TRUE(source->WaitIdle());
    std::lock_guard<std::mutex> lock(host.mutex);
    EXPECT_TRUE(host.loaded.empty());
}

TEST(HtmlImages, ArrivalsLayThePageOutAgainLessOftenOnLargePages)
{
    for (int done = 1; done <= 7; ++done)
        EXPECT_TRUE(HtmlImageArrivalNeedsLayout(done, 7)) << done;
    int layouts = 0;
    for (int done = 1; done <= 50; ++done)
        layouts += HtmlImageArrivalNeedsLayout(done, 50);
    EXPECT_EQ(layouts, 5);
    EXPECT_TRUE(HtmlImageArrivalNeedsLayout(50, 50));
    EXPECT_FALSE(HtmlImageArrivalNeedsLayout(51, 1000));
    EXPECT_TRUE(HtmlImageArrivalNeedsLayout(100, 1000));
    EXPECT_TRUE(HtmlImageArrivalNeedsLayout(10, 10));
    EXPECT_TRUE(HtmlImageArrivalNeedsLayout(3, 10));
}

}  // namespace
}  // namespace morvick::test
