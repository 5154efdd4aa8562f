// The Photoshop reader over documents built byte by byte: the header's checks and caps, the
// resource section's accounting, run-length data, and the modes ImageMagick does not write.
#include "preview/decoders/PsdReader.h"
#include "tests/preview/decoders/PsdWriter.h"
#include "tests/support/AllocationMeter.h"

#include <gtest/gtest.h>

namespace morvick::test {
namespace {

// A 2 x 2 RGB document whose planes hold red, green and blue values 10..13, 20..23, 30..33.
PsdWriter SmallRgb() {
  PsdWriter w;
  w.imageData = {10, 11, 12, 13, 20, 21, 22, 23, 30, 31, 32, 33};
  return w;
}

int ReadCode(const PsdWriter& w, PsdReader& reader) {
  std::vector<uint8_t> bytes = w.Bytes();
  return reader.Read(bytes.data(), bytes.size());
}

// More than the reader ever holds for one picture (its planes of at most 128 MiB, then the picture):
// a request above it is refused rather than taken.
constexpr uint64_t kMeterCeiling = 160u * 1024u * 1024u;

int ReadCode(const PsdWriter& w) {
  PsdReader reader;
  return ReadCode(w, reader);
}

TEST(PsdReader, HeaderFieldsAreCheckedAndCapped) {
  PsdReader reader;
  ASSERT_EQ(ReadCode(SmallRgb(), reader), kPsdOk);
  ASSERT_TRUE(reader.HasImage());
  EXPECT_EQ(reader.Image().At(1, 0), (Rgb{11, 21, 31}));
  EXPECT_EQ(reader.Image().At(0, 1), (Rgb{12, 22, 32}));

  struct Case {
    const char* what;
    void (*change)(PsdWriter&);
  } cases[] = {
      {"signature", [](PsdWriter& w) { w.signature = "8BPX"; }},
      {"version 2", [](PsdWriter& w) { w.version = 2; }},
      {"reserved byte", [](PsdWriter& w) { w.reserved[5] = 1; }},
      {"no channels", [](PsdWriter& w) { w.channels = 0; }},
      {"57 channels", [](PsdWriter& w) { w.channels = 57; }},
      {"width 0", [](PsdWriter& w) { w.width = 0; }},
      {"width 30001", [](PsdWriter& w) { w.width = 30001; }},
      {"negative height", [](PsdWriter& w) { w.height = 0x80000000u; }},
      {"depth 7", [](PsdWriter& w) { w.depth = 7; }},
      {"mode 5", [](PsdWriter& w) { w.mode = 5; }},
      {"RGB of two channels", [](PsdWriter& w) { w.channels = 2; }},
      {"CMYK of three channels", [](PsdWriter& w) { w.mode = kPsdCmyk; }},
      {"Lab of one channel", [](PsdWriter& w) { w.mode = kPsdLab, w.channels = 1; }},
      {"16-bit indexed", [](PsdWriter& w) { w.mode = kPsdIndexed, w.channels = 1, w.depth = 16; }},
  };
  for (const Case& c : cases) {
    PsdWriter w = SmallRgb();
    c.change(w);
    EXPECT_EQ(ReadCode(w), kPsdBadHeader) << c.what;
  }
  std::vector<uint8_t> shortHeader = SmallRgb().Bytes();
  shortHeader.resize(25);
  EXPECT_EQ(reader.Read(shortHeader.data(), shortHeader.size()), kPsdBadHeader);
}

TEST(PsdReader, CompressionAndDepthWithoutAPicture) {
  PsdWriter w = SmallRgb();
  w.compression = 2;
  EXPECT_EQ(ReadCode(w), kPsdZip);
  w.compression = 3;
  EXPECT_EQ(ReadCode(w), kPsdZipPredicted);
  w.compression = 4;
  EXPECT_EQ(ReadCode(w), kPsdUnknownCompression);

  PsdWriter bitmap;
  bitmap.mode = kPsdBitmap;
  bitmap.channels = 1;
  bitmap.depth = 1;
  bitmap.imageData = {0x80, 0x40};
  EXPECT_EQ(ReadCode(bitmap), kPsdNoBitmap);
  // At 8 bits, raw or run-length, bitmap mode has nothing to convert: no picture.
  bitmap.depth = 8;
  bitmap.imageData = {0, 255, 255, 0};
  for (uint16_t compression : {0, 1}) {
    bitmap.compression = compression;
    if (compression == 1) bitmap.imageData = {0, 2, 0, 2, 1, 0, 255, 1, 255, 0};
    PsdReader reader;
    EXPECT_EQ(ReadCode(bitmap, reader), kPsdOk) << compression;
    EXPECT_FALSE(reader.HasImage()) << compression;
  }
  PsdWriter deep = SmallRgb();
  deep.depth = 32;
  EXPECT_EQ(ReadCode(deep), kPsdNoBitmap);
}

TEST(PsdReader, ResourceSectionMustAddUp) {
  PsdWriter w = SmallRgb();
  w.resources.push_back({1005, "", {0, 72, 0, 0, 0, 1, 0, 1, 0, 144, 0, 0, 0, 1, 0, 1}});
  w.resources.push_back({1046, "", {0, 7}});
  w.resources.push_back({1047, "ab", {0, 3}});
  w.resources.push_back({4000, "odd", {1, 2, 3}});  // an odd size is followed by a pad byte
  w.resources.push_back({1037, "", {0, 0, 0, 45}});
  PsdReader reader;
  ASSERT_EQ(ReadCode(w, reader), kPsdOk);
  EXPECT_TRUE(reader.HasImage());
  EXPECT_EQ(reader.PixelsPerMeterX(), 72 * 10000 / 254);
  EXPECT_EQ(reader.PixelsPerMeterY(), 144 * 10000 / 254);
  EXPECT_EQ(reader.IndexedColorCount(), 7);
  EXPECT_EQ(reader.TransparencyIndex(), 3);
  EXPECT_EQ(reader.GlobalAngle(), 45);

  PsdReader plain;
  ASSERT_EQ(ReadCode(SmallRgb(), plain), kPsdOk);
  EXPECT_EQ(plain.PixelsPerMeterX(), 3780);
  EXPECT_EQ(plain.GlobalAngle(), 30);

  // The entries take 91 bytes: a length that ends inside an entry, or after the last one.
  for (uint32_t length : {60u, 74u, 93u}) {
    PsdWriter other = w;
    other.overrideResourceLength = true;
    other.resourceLength = length;
    EXPECT_EQ(ReadCode(other), kPsdBadResources) << length;
  }

  // A data size beyond the section (up to 4 GiB) is refused at once instead of seeking back.
  PsdWriter huge = SmallRgb();
  huge.resources.push_back({4000, "", {}});
  std::vector<uint8_t> bytes = huge.Bytes();
  // The resource's size field sits 4 bytes before the section's end.
  size_t sizeField = 26 + 4 + 4 + 12 - 4;
  for (int i = 0; i < 4; ++i) bytes[sizeField + i] = 0xFF;
  PsdReader r;
  EXPECT_EQ(r.Read(bytes.data(), bytes.size()), kPsdBadResources);
  // A section longer than the file.
  PsdWriter beyond = SmallRgb();
  beyond.overrideResourceLength = true;
  beyond.resourceLength = 0x7FFFFFF0;
  EXPECT_EQ(ReadCode(beyond), kPsdBadResources);
}

TEST(PsdReader, ForeignSignaturesInTheResourceSectionAreSteppedOver) {
  PsdWriter w = SmallRgb();
  w.resources.push_back({1046, "", {0, 5}});
  std::vector<uint8_t> bytes = w.Bytes();
  // Put four foreign bytes in front of the entry and make the section 4 bytes longer.
  size_t sectionStart = 26 + 4 + 4;
  bytes.insert(bytes.begin() + sectionStart, {'X', 'Y', 'Z', 'W'});
  bytes[sectionStart - 1] += 4;
  PsdReader reader;
  EXPECT_EQ(reader.Read(bytes.data(), bytes.size()), kPsdOk);
  EXPECT_EQ(reader.IndexedColorCount(), 5);
}

TEST(PsdReader, ColourModeDataLongerThanTheFileEndsItWithoutAPicture) {
  PsdWriter w = SmallRgb();
  std::vector<uint8_t> bytes = w.Bytes();
  bytes[26] = 0x7F;  // about 2 GiB of colour mode data announced
  PsdReader reader;
  EXPECT_EQ(reader.Read(bytes.data(), bytes.size()), kPsdOk);
  EXPECT_FALSE(reader.HasImage());
  EXPECT_EQ(reader.ColorModeDataLength(), 0x7F000000);
  EXPECT_TRUE(reader.ColorModeData().empty());
}

TEST(PsdReader, FileEndingEarlyGivesNoPicture) {
  std::vector<uint8_t> bytes = SmallRgb().Bytes();
  for (size_t cut : {30u, 34u, 38u, 40u, 45u}) {
    PsdReader reader;
    EXPECT_EQ(reader.Read(bytes.data(), cut), kPsdOk) << cut;
    EXPECT_FALSE(reader.HasImage()) << cut;
  }
}

TEST(PsdReader, RunLengthData) {
  // Header byte 128 is no operation; a repeat run; a literal run.
  PsdWriter w;
  w.channels = 1;
  w.mode = kPsdGrayscale;
  w.compression = 1;
  w.imageData = {0, 3, 0, 5, /* row 0 */ 128, 0xFF, 9, /* row 1 */ 0, 200, 128, 0xFF, 7};
  PsdReader reader;
  ASSERT_EQ(ReadCode(w, reader), kPsdOk);
  ASSERT_TRUE(reader.HasImage());
  EXPECT_EQ(reader.Image().At(0, 0), (Rgb{9, 9, 9}));
  EXPECT_EQ(reader.Image().At(1, 0), (Rgb{9, 9, 9}));
  EXPECT_EQ(reader.Image().At(0, 1), (Rgb{200, 200, 200}));
  EXPECT_EQ(reader.Image().At(1, 1), (Rgb{7, 7, 7}));

  // Runs that overshoot the picture are cut; data that ends before it is full gives the picture
  // decoded so far, the rest at 254 (a literal run keeps the bytes the file still holds).
  PsdWriter over = w;
  over.imageData = {0, 2, 0, 2, 0x81, 50};
  ASSERT_EQ(ReadCode(over, reader), kPsdOk);
  EXPECT_EQ(reader.Image().At(1, 1), (Rgb{50, 50, 50}));
  PsdWriter cut = w;
  cut.imageData = {0, 2, 0, 2, 0xFF, 50, 3, 60};
  ASSERT_EQ(ReadCode(cut, reader), kPsdOk);
  ASSERT_TRUE(reader.HasImage());
  EXPECT_EQ(reader.Image().At(1, 0), (Rgb{50, 50, 50}));
  EXPECT_EQ(reader.Image().At(0, 1), (Rgb{60, 60, 60}));
  EXPECT_EQ(reader.Image().At(1, 1), (Rgb{254, 254, 254}));
  // Cut before the first pixel, inside the row byte counts or right after them (or with nothing but
  // no-operation headers): no picture, not a grey one.
  for (std::vector<uint8_t> data : std::vector<std::vector<uint8_t>>{{0, 2}, {0, 2, 0, 2}, {0, 2, 0, 2, 128, 128}}) {
    PsdWriter counts = w;
    counts.imageData = data;
    EXPECT_EQ(ReadCode(counts, reader), kPsdOk) << data.size();
    EXPECT_FALSE(reader.HasImage()) << data.size();
  }
  // One pixel decoded is a picture.
  PsdWriter one = w;
  one.imageData = {0, 2, 0, 2, 0, 77};
  ASSERT_EQ(ReadCode(one, reader), kPsdOk);
  ASSERT_TRUE(reader.HasImage());
  EXPECT_EQ(reader.Image().At(0, 0), (Rgb{77, 77, 77}));
  EXPECT_EQ(reader.Image().At(1, 0), (Rgb{254, 254, 254}));
}

TEST(PsdReader, SixteenBitRunLengthShowsTheHighBytes) {
  PsdWriter w;
  w.depth = 16;
  std::vector<uint8_t> planes;
  for (int c = 0; c < 3; ++c)
    for (int i = 0; i < 4; ++i) {
      planes.push_back(static_cast<uint8_t>(40 * c + 10 * i));
      planes.push_back(0xEE);
    }
  w.SetRleImage(planes);
  PsdReader reader;
  ASSERT_EQ(ReadCode(w, reader), kPsdOk);
  ASSERT_TRUE(reader.HasImage());
  EXPECT_EQ(reader.Image().At(0, 0), (Rgb{0, 40, 80}));
  EXPECT_EQ(reader.Image().At(1, 1), (Rgb{30, 70, 110}));
}

TEST(PsdReader, RawRgbWithAlphaShowsItsColours) {
  PsdWriter w = SmallRgb();
  w.channels = 4;
  w.imageData.insert(w.imageData.end(), {255, 255, 0, 0});
  PsdReader reader;
  ASSERT_EQ(ReadCode(w, reader), kPsdOk);
  ASSERT_TRUE(reader.HasImage());
  EXPECT_EQ(reader.Image().At(1, 1), (Rgb{13, 23, 33}));
}

TEST(PsdReader, IndexedDocuments) {
  PsdWriter w;
  w.mode = kPsdIndexed;
  w.channels = 1;
  w.colorModeData.assign(768, 0);
  w.colorModeData[5] = 100;         // red of colour 5
  w.colorModeData[256 + 5] = 150;   // green
  w.colorModeData[512 + 5] = 200;   // blue
  w.imageData = {0, 5, 5, 0};
  // Without the colour-count resource (ImageMagick writes none) the palette is used.
  PsdReader reader;
  ASSERT_EQ(ReadCode(w, reader), kPsdOk);
  ASSERT_TRUE(reader.HasImage());
  EXPECT_EQ(reader.Image().At(1, 0), (Rgb{100, 150, 200}));
  EXPECT_EQ(reader.Image().At(1, 1), (Rgb{0, 0, 0}));
  // Without a palette there is nothing to show.
  PsdWriter bare = w;
  bare.colorModeData.clear();
  EXPECT_EQ(ReadCode(bare), kPsdBadColorModeData);
}

TEST(PsdReader, DuotoneMultichannelAndLab) {
  PsdWriter duo;
  duo.mode = kPsdDuotone;
  duo.channels = 1;
  duo.colorModeData.assign(20, 1);  // duotone specification, not a palette
  duo.imageData = {0, 64, 128, 255};
  PsdReader reader;
  ASSERT_EQ(ReadCode(duo, reader), kPsdOk);
  EXPECT_EQ(reader.Image().At(1, 0), (Rgb{64, 64, 64}));

  // Multichannel of three inks: no black ink.
  PsdWriter multi = SmallRgb();
  multi.mode = kPsdMultichannel;
  multi.imageData = {255, 0, 0, 0, 255, 255, 0, 0, 255, 255, 255, 0};
  ASSERT_EQ(ReadCode(multi, reader), kPsdOk);
  EXPECT_EQ(reader.Image().At(0, 0), PsdReader::CmykToRgb(1 - 255 / 256.0, 1 - 255 / 256.0, 1 - 255 / 256.0, 0));
  EXPECT_EQ(reader.Image().At(1, 1), (Rgb{0, 0, 0}));
  // Four inks: the fourth is black.
  multi.channels = 4;
  multi.imageData.insert(multi.imageData.end(), {0, 0, 0, 0});
  ASSERT_EQ(ReadCode(multi, reader), kPsdOk);
  EXPECT_EQ(reader.Image().At(0, 0), (Rgb{0, 0, 0}));

  PsdWriter lab = SmallRgb();
  lab.mode = kPsdLab;
  lab.imageData = {255, 0, 128, 128, 128, 128, 128, 128, 128, 128, 128, 128};
  ASSERT_EQ(ReadCode(lab, reader), kPsdOk);
  // 8-bit L of 255 is 99 of 100.
  EXPECT_EQ(reader.Image().At(0, 0), PsdReader::LabToRgb(99, 0, 0));
  EXPECT_GE(reader.Image().At(0, 0).r, 250);
  EXPECT_EQ(reader.Image().At(1, 0), (Rgb{0, 0, 0}));
}

TEST(PsdReader, ColourFormulas) {
  EXPECT_EQ(PsdReader::CmykToRgb(0, 0, 0, 0), (Rgb{255, 255, 255}));
  EXPECT_EQ(PsdReader::CmykToRgb(1, 0, 0, 0), (Rgb{0, 255, 255}));
  EXPECT_EQ(PsdReader::CmykToRgb(0, 0, 0, 0.5), (Rgb{128, 128, 128}));
  EXPECT_EQ(PsdReader::LabToRgb(100, 0, 0), (Rgb{255, 255, 255}));
  // Black is black: the dark end of the curve takes off 16/116 before its slope.
  EXPECT_EQ(PsdReader::LabToRgb(0, 0, 0), (Rgb{0, 0, 0}));
  Rgb dark = PsdReader::LabToRgb(5, 0, 0);
  EXPECT_NEAR(dark.r, 16, 2);  // L 5 is Y 0.0055, sRGB 0.066
  Rgb red = PsdReader::LabToRgb(53, 80, 67);
  EXPECT_GT(red.r, 240);
  EXPECT_LT(red.g, 30);
  EXPECT_LT(red.b, 30);
}

TEST(PsdReader, HugeDeclaredPicturesAreRefusedBeforeTheirMemoryIsAskedFor) {
  // 30000 x 30000 RGB in a few bytes of run-length data: refused before anything is allocated.
  PsdWriter w;
  w.width = w.height = 30000;
  w.compression = 1;
  w.imageData.assign(64, 0x81);
  std::vector<uint8_t> bytes = w.Bytes();
  {
    PsdReader reader;
    AllocationMeter meter(kMeterCeiling);
    EXPECT_EQ(reader.Read(bytes.data(), bytes.size()), kPsdBadImageData);
    EXPECT_LT(meter.Largest(), 64u * 1024u) << "the picture's memory was asked for";
  }
  // 5000 x 5000 is allowed in size but the data ends early: the little decoded after the table of
  // row byte counts, the rest left as it was, and no more memory than the planes and the picture.
  w.width = w.height = 5000;
  w.imageData.assign(3 * 5000 * 2 + 64, 0x81);
  bytes = w.Bytes();
  PsdReader reader;
  {
    AllocationMeter meter(kMeterCeiling);
    EXPECT_EQ(reader.Read(bytes.data(), bytes.size()), kPsdOk);
    EXPECT_LE(meter.Bytes(), 2u * 3u * 5000u * 5000u + 1024u * 1024u);
  }
  ASSERT_TRUE(reader.HasImage());
  EXPECT_EQ(reader.Image().At(4999, 4999), (Rgb{254, 254, 254}));
}

}  // namespace
}  // namespace morvick::test
