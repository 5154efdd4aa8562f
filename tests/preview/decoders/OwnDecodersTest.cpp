// Our own decoders over hand-made files: the variants ImageMagick does not write, and hostile
// headers that must fail at once.
#include "preview/decoders/OwnDecoders.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace morvick {
namespace {

std::vector<uint8_t> Bytes(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

TEST(PnmDecoder, PlainTextVariants) {
  RasterImage image;
  // Bits without separators, a comment, and a grey map of maximum 4.
  std::vector<uint8_t> pbm = Bytes("P1\n# two by two\n2 2\n0110\n");
  ASSERT_TRUE(DecodePnm(pbm.data(), pbm.size(), image));
  EXPECT_EQ(image.At(0, 0), (Rgb{255, 255, 255}));
  EXPECT_EQ(image.At(1, 0), (Rgb{0, 0, 0}));
  std::vector<uint8_t> pgm = Bytes("P2 2 1 4 0 4");
  ASSERT_TRUE(DecodePnm(pgm.data(), pgm.size(), image));
  EXPECT_EQ(image.At(1, 0), (Rgb{255, 255, 255}));
  std::vector<uint8_t> ppm = Bytes("P3 1 1 65535 65535 0 32768");
  ASSERT_TRUE(DecodePnm(ppm.data(), ppm.size(), image));
  EXPECT_EQ(image.At(0, 0), (Rgb{255, 0, 128}));
  // Values above the maximum are taken as the maximum; too few values fail.
  std::vector<uint8_t> over = Bytes("P2 1 1 10 99");
  ASSERT_TRUE(DecodePnm(over.data(), over.size(), image));
  EXPECT_EQ(image.At(0, 0), (Rgb{255, 255, 255}));
  std::vector<uint8_t> shortData = Bytes("P3 2 2 255 1 2 3");
  EXPECT_FALSE(DecodePnm(shortData.data(), shortData.size(), image));
  EXPECT_FALSE(image.IsValid());
}

TEST(PnmDecoder, HostileHeaders) {
  RasterImage image;
  for (const char* text : {"P6 40000 40000 255\n", "P5 0 10 255\n", "P6 10 10 0\n", "P6 10 10 70000\n",
                           "P7 1 1 255\n", "P6 1 1", "P6 99999999999 1 255\n", "P4 1 1\n"}) {
    std::vector<uint8_t> b = Bytes(text);
    EXPECT_FALSE(DecodePnm(b.data(), b.size(), image)) << text;
  }
}

TEST(PgxDecoder, ByteOrderAndSign) {
  RasterImage image;
  std::vector<uint8_t> le = Bytes("PG LM +12 2 1\n");
  le.insert(le.end(), {0xFF, 0x0F, 0x00, 0x00});
  ASSERT_TRUE(DecodePgx(le.data(), le.size(), image));
  EXPECT_EQ(image.At(0, 0), (Rgb{255, 255, 255}));
  EXPECT_EQ(image.At(1, 0), (Rgb{0, 0, 0}));
  // Signed 8-bit: -128 is black, 0 is mid grey, 127 white.
  std::vector<uint8_t> sgn = Bytes("PG ML -8 3 1\n");
  sgn.insert(sgn.end(), {0x80, 0x00, 0x7F});
  ASSERT_TRUE(DecodePgx(sgn.data(), sgn.size(), image));
  EXPECT_EQ(image.At(0, 0).r, 0);
  EXPECT_EQ(image.At(1, 0).r, 128);
  EXPECT_EQ(image.At(2, 0).r, 255);
  for (const char* text : {"PG XX +8 1 1\n", "PG ML +0 1 1\n", "PG ML +33 1 1\n", "PG ML +8 40000 40000\n",
                           "PG ML +8 2 2\nab", "PG ML +8 1 1 junk\nx"}) {
    std::vector<uint8_t> b = Bytes(text);
    EXPECT_FALSE(DecodePgx(b.data(), b.size(), image)) << text;
  }
}

TEST(WbmpDecoder, MultiByteSizesAndShortData) {
  RasterImage image;
  // Width 130 in two bytes (0x81 0x02), height 1: 17 bytes of row.
  std::vector<uint8_t> w = {0, 0, 0x81, 0x02, 0x01};
  w.resize(w.size() + 17, 0x00);
  w[5] = 0x80;
  ASSERT_TRUE(DecodeWbmp(w.data(), w.size(), image));
  EXPECT_EQ(image.Width(), 130u);
  EXPECT_EQ(image.At(0, 0), (Rgb{255, 255, 255}));
  EXPECT_EQ(image.At(1, 0), (Rgb{0, 0, 0}));
  w.pop_back();
  EXPECT_FALSE(DecodeWbmp(w.data(), w.size(), image));
  std::vector<uint8_t> type1 = {1, 0, 1, 1, 0};
  EXPECT_FALSE(DecodeWbmp(type1.data(), type1.size(), image));
  std::vector<uint8_t> endless = {0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01};
  EXPECT_FALSE(DecodeWbmp(endless.data(), endless.size(), image));
}

void PutBig(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 3; i >= 0; --i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

std::vector<uint8_t> SunHeader(uint32_t w, uint32_t h, uint32_t depth, uint32_t type, uint32_t mapLength) {
  std::vector<uint8_t> out;
  for (uint32_t v : {0x59A66A95u, w, h, depth, 0u, type, mapLength ? 1u : 0u, mapLength}) PutBig(out, v);
  return out;
}

TEST(SunRasterDecoder, RunLengthEscapesAndColourOrder) {
  RasterImage image;
  // 8-bit grey, type 2: 0x80 0x00 is one 0x80, 0x80 2 9 three 9s; rows of 4 are even already.
  std::vector<uint8_t> rle = SunHeader(4, 1, 8, 2, 0);
  rle.insert(rle.end(), {0x80, 0x00, 0x80, 0x02, 0x09});
  ASSERT_TRUE(DecodeSunRaster(rle.data(), rle.size(), image));
  EXPECT_EQ(image.At(0, 0).r, 0x80);
  EXPECT_EQ(image.At(3, 0).r, 9);
  // 24-bit: blue first in the standard type, red first in type 3; rows padded to even length.
  std::vector<uint8_t> bgr = SunHeader(1, 2, 24, 1, 0);
  bgr.insert(bgr.end(), {1, 2, 3, 0, 4, 5, 6, 0});
  ASSERT_TRUE(DecodeSunRaster(bgr.data(), bgr.size(), image));
  EXPECT_EQ(image.At(0, 0), (Rgb{3, 2, 1}));
  EXPECT_EQ(image.At(0, 1), (Rgb{6, 5, 4}));
  std::vector<uint8_t> rgb = SunHeader(1, 1, 24, 3, 0);
  rgb.insert(rgb.end(), {1, 2, 3, 0});
  ASSERT_TRUE(DecodeSunRaster(rgb.data(), rgb.size(), image));
  EXPECT_EQ(image.At(0, 0), (Rgb{1, 2, 3}));
  // Indexes beyond a short colour map take its last colour.
  std::vector<uint8_t> mapped = SunHeader(2, 1, 8, 1, 6);
  mapped.insert(mapped.end(), {10, 11, 20, 21, 30, 31, 0, 7});
  ASSERT_TRUE(DecodeSunRaster(mapped.data(), mapped.size(), image));
  EXPECT_EQ(image.At(1, 0), (Rgb{11, 21, 31}));
}

TEST(SunRasterDecoder, HostileHeaders) {
  RasterImage image;
  std::vector<std::vector<uint8_t>> files = {
      SunHeader(40000, 40000, 24, 1, 0), SunHeader(10, 10, 7, 1, 0), SunHeader(10, 10, 8, 9, 0),
      SunHeader(10, 10, 8, 1, 0xFFFFFFF0u), SunHeader(2, 2, 8, 1, 769), SunHeader(100, 100, 24, 2, 0),
  };
  files.back().insert(files.back().end(), {0x80, 0xFF, 0x01});
  for (const auto& f : files) EXPECT_FALSE(DecodeSunRaster(f.data(), f.size(), image));
}

std::vector<uint8_t> PcxHeader(uint8_t bpp, uint8_t planes, uint16_t w, uint16_t h, uint16_t bytesPerLine, uint8_t encoding = 1) {
  std::vector<uint8_t> out(128, 0);
  out[0] = 0x0A;
  out[1] = 5;
  out[2] = encoding;
  out[3] = bpp;
  out[8] = static_cast<uint8_t>((w - 1) & 0xFF);
  out[9] = static_cast<uint8_t>((w - 1) >> 8);
  out[10] = static_cast<uint8_t>((h - 1) & 0xFF);
  out[11] = static_cast<uint8_t>((h - 1) >> 8);
  out[65] = planes;
  out[66] = static_cast<uint8_t>(bytesPerLine & 0xFF);
  out[67] = static_cast<uint8_t>(bytesPerLine >> 8);
  return out;
}

TEST(PcxDecoder, SixteenColoursInPlanesAndRunsAcrossLines) {
  RasterImage image;
  // 1 bit in 4 planes: pixel 0 has bits in planes 0 and 2 (colour 5), pixel 1 none.
  std::vector<uint8_t> ega = PcxHeader(1, 4, 2, 1, 2, 0);
  ega[16 + 15] = 11;
  ega[16 + 16] = 12;
  ega[16 + 17] = 13;
  ega.insert(ega.end(), {0x80, 0, 0, 0, 0x80, 0, 0, 0});
  ASSERT_TRUE(DecodePcx(ega.data(), ega.size(), image));
  EXPECT_EQ(image.At(0, 0), (Rgb{11, 12, 13}));
  EXPECT_EQ(image.At(1, 0), (Rgb{ega[16], ega[17], ega[18]}));
  // 8-bit grey without a palette; one run covering both lines.
  std::vector<uint8_t> grey = PcxHeader(8, 1, 2, 2, 2);
  grey[1] = 3;  // before version 5 there is no palette at the end
  grey.insert(grey.end(), {0xC4, 77});
  ASSERT_TRUE(DecodePcx(grey.data(), grey.size(), image));
  EXPECT_EQ(image.At(1, 1), (Rgb{77, 77, 77}));
  grey.pop_back();
  EXPECT_FALSE(DecodePcx(grey.data(), grey.size(), image));
}

TEST(PcxDecoder, HostileHeaders) {
  RasterImage image;
  std::vector<std::vector<uint8_t>> files = {
      PcxHeader(8, 1, 40000, 40000, 40000), PcxHeader(8, 1, 100, 1, 10), PcxHeader(3, 1, 2, 2, 2),
      PcxHeader(8, 2, 2, 2, 2), PcxHeader(8, 1, 2, 2, 0),
  };
  files.push_back(PcxHeader(8, 3, 3000, 3000, 3000));
  files.back().insert(files.back().end(), {0xFF, 0});
  for (const auto& f : files) EXPECT_FALSE(DecodePcx(f.data(), f.size(), image));
}

}  // namespace
}  // namespace morvick
