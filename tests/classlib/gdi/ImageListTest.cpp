#include "DibSurface.h"
#include "GdiTestResources.h"

#include <gtest/gtest.h>

namespace {
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kMagenta = RGB(255, 0, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);

// The strip resource: three 16x16 images, red, green and blue 8x8 squares on a magenta frame.
void ExpectSquareOnWhite(DibSurface& s, int x, COLORREF colour)
{
    EXPECT_EQ(64, s.Count(CRect(x + 4, 4, x + 12, 12), colour));
    EXPECT_EQ(256 - 64, s.Count(CRect(x, 0, x + 16, 16), kWhite));
}
} // namespace

TEST(ImageList, FromResourceWithMaskColour)
{
    CImageList images;
    ASSERT_TRUE(images.Create(IDB_TEST_STRIP, 16, 1, kMagenta));
    EXPECT_EQ(3, images.GetImageCount());
    int cx = 0, cy = 0;
    images.GetIconSize(&cx, &cy);
    EXPECT_EQ(16, cx);
    EXPECT_EQ(16, cy);

    DibSurface s(48, 16);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(images.Draw(&s.dc(), i, CPoint(16 * i, 0), ILD_TRANSPARENT));
    ExpectSquareOnWhite(s, 0, kRed);
    ExpectSquareOnWhite(s, 16, kGreen);
    ExpectSquareOnWhite(s, 32, kBlue);
    EXPECT_EQ(0, s.Count(kMagenta));
}

TEST(ImageList, AddBitmapWithMaskColourRemoveAndReplace)
{
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 4));
    CBitmap strip;
    ASSERT_TRUE(strip.LoadBitmap(IDB_TEST_STRIP));
    EXPECT_EQ(0, images.Add(&strip, kMagenta));
    EXPECT_EQ(3, images.GetImageCount());

    EXPECT_TRUE(images.Remove(0));
    EXPECT_EQ(2, images.GetImageCount());
    DibSurface s(16, 16);
    images.Draw(&s.dc(), 0, CPoint(0, 0), ILD_TRANSPARENT);
    ExpectSquareOnWhite(s, 0, kGreen);

    // An icon made from image 1 (blue) replaces image 0.
    HICON icon = images.ExtractIcon(1);
    ASSERT_NE(nullptr, icon);
    EXPECT_EQ(0, images.Replace(0, icon));
    DibSurface t(16, 16);
    images.Draw(&t.dc(), 0, CPoint(0, 0), ILD_TRANSPARENT);
    ExpectSquareOnWhite(t, 0, kBlue);
    EXPECT_EQ(2, images.Add(icon));
    ::DestroyIcon(icon);

    EXPECT_TRUE(images.Remove(-1));
    EXPECT_EQ(0, images.GetImageCount());
}

TEST(ImageList, BackgroundColourReplacesTheMask)
{
    CImageList images;
    ASSERT_TRUE(images.Create(IDB_TEST_STRIP, 16, 0, kMagenta));
    EXPECT_EQ(CLR_NONE, images.SetBkColor(RGB(0, 0, 0)));
    DibSurface s(16, 16);
    images.Draw(&s.dc(), 0, CPoint(0, 0), ILD_NORMAL);
    EXPECT_EQ(64, s.Count(kRed));
    EXPECT_EQ(256 - 64, s.Count(RGB(0, 0, 0)));
}

TEST(ImageList, CopyAndHandleMap)
{
    CImageList images;
    ASSERT_TRUE(images.Create(IDB_TEST_STRIP, 16, 0, kMagenta));
    EXPECT_EQ(&images, CImageList::FromHandle(images.m_hImageList));
    EXPECT_EQ(&images, CImageList::FromHandlePermanent(images.m_hImageList));

    CImageList copy;
    ASSERT_TRUE(copy.Create(&images));
    EXPECT_EQ(3, copy.GetImageCount());
    EXPECT_NE(images.m_hImageList, copy.m_hImageList);

    HIMAGELIST raw = copy.Detach();
    EXPECT_EQ(nullptr, CImageList::FromHandlePermanent(raw));
    CImageList* temp = CImageList::FromHandle(raw);
    ASSERT_NE(nullptr, temp);
    EXPECT_EQ(3, temp->GetImageCount());
    AfxDeleteTempGdiMaps();
    EXPECT_EQ(3, ImageList_GetImageCount(raw));   // the temporary did not destroy it
    ImageList_Destroy(raw);
}

TEST(ImageList, EmptyListFailsQuietly)
{
    CImageList none;
    CBitmap bitmap;
    EXPECT_EQ(0, none.GetImageCount());
    EXPECT_EQ(-1, none.Add(&bitmap, kMagenta));
    EXPECT_EQ(-1, none.Add((HICON) nullptr));
    EXPECT_FALSE(none.Remove(0));
    EXPECT_FALSE(none.Draw(nullptr, 0, CPoint(0, 0), ILD_NORMAL));
    CImageList* nothing = nullptr;
    EXPECT_EQ(nullptr, nothing->GetSafeHandle());
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 4));
    EXPECT_EQ(-1, images.Add(&bitmap, kMagenta));   // a bitmap wrapper without a bitmap
}
