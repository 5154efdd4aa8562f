#include "GeometryPrinters.h"

#include <gtest/gtest.h>

TEST(Geometry, NormalizeSwapsReversedEdges)
{
    CRect r(30, 40, 10, 5);
    EXPECT_TRUE(r.IsRectEmpty());
    r.NormalizeRect();
    EXPECT_EQ(CRect(10, 5, 30, 40), r);
    EXPECT_EQ(20, r.Width());
    EXPECT_EQ(35, r.Height());
    EXPECT_FALSE(r.IsRectEmpty());
}

TEST(Geometry, EmptyAndNullAreDifferent)
{
    CRect line(5, 5, 5, 20);
    EXPECT_TRUE(line.IsRectEmpty());
    EXPECT_FALSE(line.IsRectNull());
    CRect zero;
    EXPECT_TRUE(zero.IsRectEmpty());
    EXPECT_TRUE(zero.IsRectNull());
}

TEST(Geometry, IntersectionOfDisjointRectsIsEmptyAndReported)
{
    CRect a(0, 0, 10, 10), b(10, 0, 20, 10), out(1, 2, 3, 4);
    EXPECT_FALSE(out.IntersectRect(a, b));
    EXPECT_TRUE(out.IsRectNull());
    EXPECT_TRUE((a & b).IsRectEmpty());

    CRect c(5, 5, 15, 15);
    EXPECT_TRUE(out.IntersectRect(a, c));
    EXPECT_EQ(CRect(5, 5, 10, 10), out);
    a &= c;
    EXPECT_EQ(CRect(5, 5, 10, 10), a);
}

TEST(Geometry, UnionIgnoresEmptyOperands)
{
    CRect a(0, 0, 10, 10), empty(100, 100, 100, 200), out;
    EXPECT_TRUE(out.UnionRect(a, empty));
    EXPECT_EQ(a, out);
    CRect b(20, -5, 30, 5);
    EXPECT_EQ(CRect(0, -5, 30, 10), a | b);
    EXPECT_FALSE(out.UnionRect(CRect(), CRect(3, 3, 3, 3)));
}

TEST(Geometry, SubtractOnlyWhenAWholeSideIsCovered)
{
    CRect out;
    // The right half covers the full height: the left half remains.
    EXPECT_TRUE(out.SubtractRect(CRect(0, 0, 20, 10), CRect(10, -1, 30, 11)));
    EXPECT_EQ(CRect(0, 0, 10, 10), out);
    // A hole in the middle leaves the rectangle unchanged.
    EXPECT_TRUE(out.SubtractRect(CRect(0, 0, 20, 10), CRect(5, 2, 8, 4)));
    EXPECT_EQ(CRect(0, 0, 20, 10), out);
    // Covered entirely: empty.
    EXPECT_FALSE(out.SubtractRect(CRect(2, 2, 4, 4), CRect(0, 0, 10, 10)));
}

TEST(Geometry, InflateDeflateAndOffset)
{
    CRect r(10, 10, 20, 20);
    r.InflateRect(2, 3);
    EXPECT_EQ(CRect(8, 7, 22, 23), r);
    r.DeflateRect(1, 2, 3, 4);
    EXPECT_EQ(CRect(9, 9, 19, 19), r);
    r.InflateRect(CRect(1, 1, 1, 1));
    EXPECT_EQ(CRect(8, 8, 20, 20), r);
    r.OffsetRect(CPoint(-8, -8));
    EXPECT_EQ(CRect(0, 0, 12, 12), r);
    EXPECT_EQ(CRect(5, 6, 17, 18), r + CPoint(5, 6));
    EXPECT_EQ(CRect(-5, -6, 7, 6), r - CSize(5, 6));
    r.MoveToXY(100, 200);
    EXPECT_EQ(CRect(100, 200, 112, 212), r);
}

TEST(Geometry, PointsOfARect)
{
    CRect r(-10, -10, 11, 1);
    EXPECT_EQ(CPoint(0, -4), r.CenterPoint());
    r.TopLeft() = CPoint(0, 0);
    r.BottomRight() += CSize(1, 1);
    EXPECT_EQ(CRect(0, 0, 12, 2), r);
    EXPECT_TRUE(r.PtInRect(CPoint(0, 0)));
    EXPECT_FALSE(r.PtInRect(CPoint(12, 1)));   // right and bottom edges are outside
    EXPECT_EQ(CSize(12, 2), r.Size());
    EXPECT_EQ(CRect(CPoint(1, 2), CSize(3, 4)), CRect(1, 2, 4, 6));
}

TEST(Geometry, PointAndSizeArithmetic)
{
    CPoint p(3, 4);
    EXPECT_EQ(CSize(1, 2), p - CPoint(2, 2));
    EXPECT_EQ(CPoint(-3, -4), -p);
    p += CSize(1, 1);
    EXPECT_EQ(CPoint(4, 5), p);
    // Packed mouse coordinates are signed 16-bit values.
    CPoint packed((DWORD)MAKELONG(-5, 7));
    EXPECT_EQ(CPoint(-5, 7), packed);
    CSize s(2, 3);
    EXPECT_EQ(CSize(4, 6), s + s);
    EXPECT_EQ(CRect(3, 5, 5, 7), s + CRect(1, 2, 3, 4));
}

TEST(Geometry, MulDivScalesEachEdge)
{
    EXPECT_EQ(CRect(0, 5, 10, 15), CRect(0, 1, 2, 3).MulDiv(5, 1));
    EXPECT_EQ(CRect(1, 2, 3, 4), CRect(3, 6, 9, 12).MulDiv(1, 3));
}
