#include "toolkit/common/PropExchange.h"

#include <gtest/gtest.h>

TEST(PropValue, SizesAndComparisons)
{
  EXPECT_EQ(2u, TKPGetPropValueSize(TKPVT_I2));
  EXPECT_EQ(1u, TKPGetPropValueSize(TKPVT_UI1));
  EXPECT_EQ(16u, TKPGetPropValueSize(TKPVT_RECT));
  EXPECT_EQ(8u, TKPGetPropValueSize(TKPVT_SIZE));
  EXPECT_EQ(0u, TKPGetPropValueSize(TKPVT_STRING));
  EXPECT_EQ(0u, TKPGetPropValueSize(55));

  int a = 5, b = 5, c = 6;
  EXPECT_TRUE(TKPIsSamePropValue(TKPVT_I4, &a, &b));
  EXPECT_FALSE(TKPIsSamePropValue(TKPVT_I4, &a, &c));
  EXPECT_TRUE(TKPIsSamePropValue(TKPVT_I4, &a, &a));
  EXPECT_FALSE(TKPIsSamePropValue(TKPVT_I4, &a, nullptr));
  // A 16-bit compare looks at two bytes only.
  short s1 = 7;
  int wide = 7 | (1 << 20);
  EXPECT_TRUE(TKPIsSamePropValue(TKPVT_I2, &s1, &wide));
  CString text = _T("Tahoma");
  EXPECT_TRUE(TKPIsSamePropValue(TKPVT_STRING, &text, _T("Tahoma")));
  EXPECT_FALSE(TKPIsSamePropValue(TKPVT_STRING, &text, _T("tahoma")));
  EXPECT_FALSE(TKPIsSamePropValue(999, &a, &b));
}

TEST(PropValue, CopyByTheSizeTable)
{
  int rect[4] = {};
  const int source[4] = {1, 2, 3, 4};
  EXPECT_TRUE(TKPCopyPropValue(TKPVT_RECT, rect, source));
  EXPECT_EQ(4, rect[3]);
  BYTE byte[4] = {9, 9, 9, 9};
  const BYTE one = 1;
  EXPECT_TRUE(TKPCopyPropValue(TKPVT_UI1, byte, &one));
  EXPECT_EQ(1, byte[0]);
  EXPECT_EQ(9, byte[1]);
  CString text;
  EXPECT_TRUE(TKPCopyPropValue(TKPVT_STRING, &text, _T("abc")));
  EXPECT_TRUE(text == _T("abc"));
  EXPECT_FALSE(TKPCopyPropValue(TKPVT_I4, rect, nullptr));
  EXPECT_FALSE(TKPCopyPropValue(999, rect, source));
}
