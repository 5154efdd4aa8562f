// ImageMagick's Photoshop documents (grey, RGB, RGB with alpha, CMYK, indexed and Lab; 8 and 16
// bits; raw and run-length) read and compared with ImageMagick's own decoding of each file.
#include "preview/decoders/PsdReader.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/preview/decoders/SampleFiles.h"

#include <gtest/gtest.h>

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

TEST(PsdSamples, TruncatedDocumentsGiveNoPictureAndDamagedOnesDoNoHarm) {
  auto broken = ReadSampleList(kScript, "broken.txt");
  ASSERT_EQ(broken.size(), 44u);
  for (const SampleEntry& s : broken) {
    SCOPED_TRACE(s.name);
    std::vector<uint8_t> bytes = ReadSample(kScript, s.name);
    PsdReader reader;
    int rc = reader.Read(bytes.data(), bytes.size());
    if (s.where == "truncated") {
      EXPECT_FALSE(rc == kPsdOk && reader.HasImage()) << "code " << rc;
    } else if (rc == kPsdOk && reader.HasImage()) {
      EXPECT_EQ(reader.Image().Width(), 64u);
    }
  }
}

}  // namespace
}  // namespace morvick::test
