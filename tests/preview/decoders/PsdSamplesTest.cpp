// ImageMagick's Photoshop documents (grey, RGB, RGB with alpha, CMYK, indexed and Lab; 8 and 16
// bits; raw and run-length) read and compared with ImageMagick's own decoding of each file.
#include "preview/decoders/PsdReader.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/preview/decoders/SampleFiles.h"

#include <gtest/gtest.h>

#include <set>

namespace morvick::test {
namespace {

const char kScript[] = "make-psd-samples.sh";

TEST(PsdSamples, EveryModeDepthAndCompressionMatchesImageMagick) {
  auto samples = ReadSampleList(kScript, "samples.txt");
  ASSERT_EQ(samples.size(), 22u);
  const std::string seeds = FuzzSeedFolder("fuzz_psd");
  for (const SampleEntry& s : samples) {
    SCOPED_TRACE(s.name);
    std::vector<uint8_t> bytes = ReadSample(kScript, s.name);
    ASSERT_FALSE(bytes.empty());
    PsdReader reader;
    int rc = reader.Read(bytes.data(), bytes.size());
    if (rc != kPsdOk || !reader.HasImage()) {
      ADD_FAILURE() << "code " << rc;
      continue;
    }
    EXPECT_EQ(reader.Header().width, 64);
    EXPECT_EQ(reader.Header().height, 48);
    PictureDifference d = CompareWithRgb(reader.Image(), ReadSample(kScript, s.name + ".rgb"), s.width, s.height);
    EXPECT_GE(d.worst, 0);
    EXPECT_LE(d.worst, s.tolerance) << "at " << d.x << "," << d.y;
    if (!seeds.empty()) WriteFileBytes(seeds + "/" + s.name, bytes.data(), bytes.size());
  }
}

TEST(PsdSamples, TruncatedDocumentsAndDamagedOnesDoNoHarm) {
  auto broken = ReadSampleList(kScript, "broken.txt");
  ASSERT_EQ(broken.size(), 44u);
  for (const SampleEntry& s : broken) {
    SCOPED_TRACE(s.name);
    std::vector<uint8_t> bytes = ReadSample(kScript, s.name);
    PsdReader reader;
    int rc = reader.Read(bytes.data(), bytes.size());
    // Cut at 60 %: raw data is incomplete and gives no picture; run-length data gives what was
    // decoded, but for the 8-bit and indexed documents, whose cut lies before their first pixel
    // (in the table of row byte counts or in the layers' copy in front of it).
    bool runLength = s.name.find("-rle") != std::string::npos;
    static const std::set<std::string> cutBeforeThePicture = {"truncated-indexed-rle.psd", "truncated-grey8-rle.psd",
        "truncated-rgb8-rle.psd", "truncated-rgba8-rle.psd", "truncated-cmyk8-rle.psd"};
    if (s.where == "truncated" && (!runLength || cutBeforeThePicture.count(s.name) != 0)) {
      EXPECT_FALSE(rc == kPsdOk && reader.HasImage()) << "code " << rc;
    } else if (s.where == "truncated") {
      ASSERT_EQ(rc, kPsdOk);
      ASSERT_TRUE(reader.HasImage());
      EXPECT_EQ(reader.Image().Height(), 48u);
    } else if (rc == kPsdOk && reader.HasImage()) {
      EXPECT_EQ(reader.Image().Width(), 64u);
    }
  }
}

// A grey run-length document without the last rows of its picture: the rows that are there match
// ImageMagick's reading of the whole document, the rest of the picture is 254.
TEST(PsdSamples, RunLengthDataCutShortGivesThePictureDecodedSoFar) {
  const struct {
    const char* name;
    size_t cut;  // several rows' worth of run-length data
  } cases[] = {{"grey8-rle.psd", 100}, {"grey16-rle.psd", 1000}};
  for (const auto& c : cases) {
    const std::string name = c.name;
    SCOPED_TRACE(name);
    std::vector<uint8_t> bytes = ReadSample(kScript, name);
    ASSERT_GT(bytes.size(), c.cut);
    bytes.resize(bytes.size() - c.cut);
    PsdReader reader;
    ASSERT_EQ(reader.Read(bytes.data(), bytes.size()), kPsdOk);
    ASSERT_TRUE(reader.HasImage());
    const std::vector<uint8_t> oracle = ReadSample(kScript, name + ".rgb");
    ASSERT_EQ(oracle.size(), 64u * 48u * 3u);
    for (uint32_t x = 0; x < 64; ++x) {
      Rgb top = reader.Image().At(x, 0);
      EXPECT_NEAR(top.r, oracle[x * 3], 1) << x;
      EXPECT_EQ(reader.Image().At(x, 47), (Rgb{254, 254, 254})) << x;
    }
  }
}

}  // namespace
}  // namespace morvick::test
