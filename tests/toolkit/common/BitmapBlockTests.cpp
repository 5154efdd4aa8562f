#include "toolkit/common/BitmapBlock.h"

#include "ArchiveFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

TKPBitmapBlock MakeBlock(int width, int height, int bits)
{
  TKPBitmapBlock block;
  const std::int32_t header[3] = {40, width, height};
  std::memcpy(block.header, header, sizeof(header));
  block.header[12] = 1;  // planes
  block.header[14] = static_cast<std::uint8_t>(bits);
  block.pixels.resize(static_cast<size_t>(width) * height * 4);
  for (size_t i = 0; i < block.pixels.size(); ++i)
    block.pixels[i] = static_cast<std::uint8_t>(i * 13);
  return block;
}

std::vector<BYTE> Write(const std::vector<TKPBitmapBlock>& blocks, LONG tail)
{
  StoredBytes out;
  for (const TKPBitmapBlock& b : blocks)
    TKPWriteBitmapBlock(out.Archive(), b);
  out.Archive() << tail;
  return out.Finish();
}

}  // namespace

TEST(BitmapBlock, RoundTripWithCountsBeforeHeaderAndPixels)
{
  const TKPBitmapBlock color = MakeBlock(16, 15, 32), mask = MakeBlock(16, 15, 1);
  const std::vector<BYTE> bytes = Write({color, TKPBitmapBlock(), mask}, 77);
  WriteFuzzSeed(bytes, "bitmap_blocks");
  // 52-byte header count, header, pixel count 0xFFFF + 32 bits (960 < 0xFFFF: 16 bits), pixels.
  EXPECT_EQ(52, bytes[0]);
  EXPECT_EQ(0, bytes[1]);
  EXPECT_EQ(16 * 15 * 4, bytes[54] | bytes[55] << 8);

  LoadedBytes in(bytes);
  TKPBitmapBlock a, b, c;
  TKPReadBitmapBlock(in.Archive(), a);
  TKPReadBitmapBlock(in.Archive(), b);
  TKPReadBitmapBlock(in.Archive(), c);
  EXPECT_EQ(16, a.Width());
  EXPECT_EQ(15, a.Height());
  EXPECT_EQ(32, a.BitCount());
  EXPECT_EQ(color.pixels, a.pixels);
  EXPECT_TRUE(b.IsEmpty());
  EXPECT_EQ(1, c.BitCount());
  LONG tail = 0;
  in.Archive() >> tail;
  EXPECT_EQ(77, tail);
}

namespace {

// A block written by hand: header count, header bytes, pixel count, pixel bytes.
void RawBlock(CArchive& ar, UINT headerCount, const TKPBitmapBlock& model, UINT pixelCount)
{
  ar.WriteCount(headerCount);
  std::vector<BYTE> header(headerCount, 0);
  std::memcpy(header.data(), model.header, std::min<size_t>(headerCount, sizeof(model.header)));
  ar.Write(header.data(), headerCount);
  ar.WriteCount(pixelCount);
  std::vector<BYTE> pixels(pixelCount, 0xAB);
  ar.Write(pixels.data(), pixelCount);
}

}  // namespace

TEST(BitmapBlock, DamagedBlocksReadEmptyAndKeepTheStreamInStep)
{
  const TKPBitmapBlock model = MakeBlock(4, 4, 32);
  TKPBitmapBlock eightBit = MakeBlock(4, 4, 8);
  TKPBitmapBlock negative = MakeBlock(4, 4, 32);
  const std::int32_t minusFour = -4;
  std::memcpy(negative.header + 4, &minusFour, 4);
  TKPBitmapBlock huge = MakeBlock(4, 4, 32);
  const std::int32_t big = 100000;
  std::memcpy(huge.header + 4, &big, 4);
  std::memcpy(huge.header + 8, &big, 4);

  StoredBytes out;
  RawBlock(out.Archive(), 39, model, 64);   // header too short
  RawBlock(out.Archive(), 60, model, 64);   // header too long
  RawBlock(out.Archive(), 52, model, 63);   // pixels short of width x height x 4
  RawBlock(out.Archive(), 52, model, 65);   // and beyond it
  RawBlock(out.Archive(), 52, eightBit, 64);  // a colour table that would not fit
  RawBlock(out.Archive(), 52, negative, 64);
  RawBlock(out.Archive(), 52, huge, 64);
  RawBlock(out.Archive(), 40, model, 64);   // a bare info header is fine
  out.Archive() << static_cast<LONG>(1234);
  LoadedBytes in(out.Finish());

  for (int i = 0; i < 7; ++i) {
    TKPBitmapBlock block;
    TKPReadBitmapBlock(in.Archive(), block);
    EXPECT_TRUE(block.IsEmpty()) << i;
  }
  TKPBitmapBlock good;
  TKPReadBitmapBlock(in.Archive(), good);
  EXPECT_FALSE(good.IsEmpty());
  EXPECT_EQ(64u, good.pixels.size());
  LONG tail = 0;
  in.Archive() >> tail;
  EXPECT_EQ(1234, tail);
}

TEST(BitmapBlock, StreamEndingInsideABlockThrows)
{
  std::vector<BYTE> bytes = Write({MakeBlock(8, 8, 32)}, 0);
  bytes.resize(100);
  LoadedBytes in(bytes);
  TKPBitmapBlock block;
  bool thrown = false;
  try {
    TKPReadBitmapBlock(in.Archive(), block);
  } catch (CArchiveException* e) {
    thrown = e->m_cause == CArchiveException::endOfFile;
    e->Delete();
  }
  EXPECT_TRUE(thrown);
}
