// Every format of the image table decoded from ImageMagick's samples and compared pixel by pixel
// with ImageMagick's own decoding of the same file; truncated copies fail, damaged ones are
// decoded or refused without harm.
#include "preview/decoders/ImageDecoder.h"
#include "preview/decoders/ImageFormat.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/preview/decoders/SampleFiles.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace morvick::test {
namespace {

const char kScript[] = "make-image-samples.sh";
::testing::Environment* const g_env =
    ::testing::AddGlobalTestEnvironment(new DiskFixtureEnvironment({kScript, "make-psd-samples.sh"}));

// The fuzzer of our own decoder of a sample, which takes it as a seed.
std::string FuzzerOf(int format) {
  switch (format) {
    case kImagePcx: return "fuzz_pcx";
    case kImagePnm: return "fuzz_pnm";
    case kImagePgx: return "fuzz_pgx";
    case kImageWbmp: return "fuzz_wbmp";
    case kImageSunRaster: return "fuzz_sun_raster";
    case kImageBmp: case kImageGif: case kImageJpeg: case kImageTga: return "fuzz_complete_data";
    default: return "";
  }
}

TEST(ImageSamples, EveryFormatMatchesImageMagick) {
  auto samples = ReadSampleList(kScript, "samples.txt");
  ASSERT_GE(samples.size(), 30u);
  for (const SampleEntry& s : samples) {
    SCOPED_TRACE(s.name);
    std::vector<uint8_t> bytes = ReadSample(kScript, s.name);
    ASSERT_FALSE(bytes.empty());
    const std::string fuzzer = FuzzerOf(ImageFormatFromExtension(ExtensionOf(s.name)));
    if (!fuzzer.empty()) {
      const std::string seeds = FuzzSeedFolder(fuzzer);
      if (!seeds.empty()) WriteFileBytes(seeds + "/" + s.name, bytes.data(), bytes.size());
    }
    RasterImage image;
    DecodeOutcome outcome = DecodeImage(bytes.data(), bytes.size(), ImageFormatFromExtension(ExtensionOf(s.name)), image);
    if (s.where == "windows") {
      // Left to the platform: natively no picture comes out.
      EXPECT_NE(outcome, DecodeOutcome::kDecoded);
      continue;
    }
    if (outcome != DecodeOutcome::kDecoded) {
      ADD_FAILURE() << "not decoded";
      continue;
    }
    PictureDifference d = CompareWithRgb(image, ReadSample(kScript, s.name + ".rgb"), s.width, s.height);
    EXPECT_GE(d.worst, 0) << "size " << image.Width() << "x" << image.Height();
    EXPECT_LE(d.worst, s.tolerance) << "at " << d.x << "," << d.y;
  }
}

TEST(ImageSamples, TruncatedFilesFailAndDamagedOnesDoNoHarm) {
  auto broken = ReadSampleList(kScript, "broken.txt");
  ASSERT_GE(broken.size(), 60u);
  for (const SampleEntry& s : broken) {
    SCOPED_TRACE(s.name);
    std::vector<uint8_t> bytes = ReadSample(kScript, s.name);
    RasterImage image;
    DecodeOutcome outcome = DecodeImage(bytes.data(), bytes.size(), ImageFormatFromExtension(ExtensionOf(s.name)), image);
    if (s.where == "truncated") {
      EXPECT_NE(outcome, DecodeOutcome::kDecoded);
      EXPECT_FALSE(image.IsValid());
    } else if (outcome == DecodeOutcome::kDecoded) {
      EXPECT_EQ(image.Width(), 64u);
      EXPECT_EQ(image.Height(), 48u);
    }
  }
}

TEST(ImageSamples, AMislabelledFileIsDecodedByItsContent) {
  // A recovered PNG saved under ".bmp" still shows: stb_image looks at the bytes.
  std::vector<uint8_t> bytes = ReadSample(kScript, "rgb.png");
  RasterImage image;
  EXPECT_EQ(DecodeImage(bytes.data(), bytes.size(), kImageBmp, image), DecodeOutcome::kDecoded);
  // Our own decoders do not guess: a PNG named ".pcx" is refused.
  EXPECT_EQ(DecodeImage(bytes.data(), bytes.size(), kImagePcx, image), DecodeOutcome::kFailed);
}

}  // namespace
}  // namespace morvick::test
