// The image layer under Windows: every sample of the image table (TIFF, icons and RLE bitmaps
// through WIC) against ImageMagick's decoding, truncated copies refused; Photoshop samples into
// bitmaps; metafiles played into pictures.
#include "preview/decoders/ImageFormat.h"
#include "preview/win/host/PreviewDocument.h"
#include "preview/win/imaging/CxImage.h"
#include "preview/win/imaging/PsdDecoder.h"
#include "tests/preview/decoders/SampleFiles.h"
#include "tests/preview/win/PreviewHarness.h"

#include <gtest/gtest.h>

namespace morvick::test {
namespace {

const char kImages[] = "make-image-samples.sh";
const char kPsds[] = "make-psd-samples.sh";

TEST(ImageLayer, EverySampleMatchesImageMagick) {
  auto samples = ReadSampleList(kImages, "samples.txt");
  ASSERT_GE(samples.size(), 30u);
  for (const SampleEntry& s : samples) {
    SCOPED_TRACE(s.name);
    std::wstring path = SamplePath(kImages, s.name);
    CxImage image(path.c_str(), CPreviewDocument::GetImageTypeFromFileName(path.c_str()));
    if (!image.IsValid()) {
      ADD_FAILURE() << "not decoded";
      continue;
    }
    PictureDifference d = CompareWithRgb(image.Pixels(), ReadSample(kImages, s.name + ".rgb"), s.width, s.height);
    EXPECT_GE(d.worst, 0);
    EXPECT_LE(d.worst, s.tolerance) << "at " << d.x << "," << d.y;
  }
}

TEST(ImageLayer, TruncatedSamplesAreRefused) {
  for (const SampleEntry& s : ReadSampleList(kImages, "broken.txt")) {
    if (s.where != "truncated") continue;
    SCOPED_TRACE(s.name);
    std::wstring path = SamplePath(kImages, s.name);
    CxImage image(path.c_str(), CPreviewDocument::GetImageTypeFromFileName(path.c_str()));
    EXPECT_FALSE(image.IsValid());
    EXPECT_EQ(image.GetWidth(), 0u);
  }
  CxImage missing(TempFile(L"no-such-file.png").c_str(), 4);
  EXPECT_FALSE(missing.IsValid());
}

TEST(ImageLayer, DamagedSamplesDecodeOrFailWithoutHarm) {
  for (const SampleEntry& s : ReadSampleList(kImages, "broken.txt")) {
    if (s.where != "damaged") continue;
    SCOPED_TRACE(s.name);
    std::wstring path = SamplePath(kImages, s.name);
    CxImage image(path.c_str(), CPreviewDocument::GetImageTypeFromFileName(path.c_str()));
    if (image.IsValid()) {
      EXPECT_EQ(image.GetWidth(), 64u);
      EXPECT_EQ(image.GetHeight(), 48u);
    }
  }
}

TEST(ImageLayer, PhotoshopSamplesBecomeBottomUpBitmaps) {
  for (const SampleEntry& s : ReadSampleList(kPsds, "samples.txt")) {
    SCOPED_TRACE(s.name);
    CPSDDecoder decoder;
    ASSERT_EQ(decoder.Load(SamplePath(kPsds, s.name).c_str()), 0);
    ASSERT_TRUE(decoder.HasBitmap());
    HBITMAP bitmap = decoder.GetBitmap();
    DIBSECTION dib;
    ASSERT_EQ(GetObjectW(bitmap, sizeof dib, &dib), static_cast<int>(sizeof dib));
    EXPECT_EQ(dib.dsBmih.biBitCount, 24);
    EXPECT_GT(dib.dsBmih.biHeight, 0);
    EXPECT_EQ(dib.dsBm.bmWidth, 64);
    // The top-left pixel (the red quarter) is the first of the last row of the bits.
    const uint8_t* topLeft = static_cast<const uint8_t*>(dib.dsBm.bmBits) + 47 * dib.dsBm.bmWidthBytes;
    std::vector<uint8_t> oracle = ReadSample(kPsds, s.name + ".rgb");
    EXPECT_NEAR(topLeft[2], oracle[0], s.tolerance);
    EXPECT_NEAR(topLeft[1], oracle[1], s.tolerance);
    EXPECT_NEAR(topLeft[0], oracle[2], s.tolerance);
    DeleteObject(bitmap);
  }
  CPSDDecoder none;
  EXPECT_EQ(none.Load(TempFile(L"no-such-file.psd").c_str()), -1);
}

TEST(ImageLayer, MetafilesArePlayedIntoPictures) {
  std::wstring path = TempFile(L"picture.emf");
  RECT frame = {0, 0, 2000, 1000};  // 20 x 10 mm
  HDC emf = CreateEnhMetaFileW(NULL, path.c_str(), &frame, NULL);
  ASSERT_NE(emf, nullptr);
  HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
  RECT r = {0, 0, 40, 20};
  FillRect(emf, &r, brush);
  DeleteObject(brush);
  DeleteEnhMetaFile(CloseEnhMetaFile(emf));
  CxImage image(path.c_str(), kImageMetafile);
  ASSERT_TRUE(image.IsValid());
  EXPECT_EQ(image.Pixels().At(2, 2), (Rgb{0, 0, 255}));
  // Truncated: refused.
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
  SetFilePointer(h, 60, NULL, FILE_BEGIN);
  SetEndOfFile(h);
  CloseHandle(h);
  CxImage cut(path.c_str(), kImageMetafile);
  EXPECT_FALSE(cut.IsValid());
}

// The document names the image type of a file by its extension, whatever its case; a name
// without an extension, or with another one, is no image.
TEST(PreviewDocument, ImageTypesAreKnownByTheirExtensionInAnyCase) {
  EXPECT_EQ(CPreviewDocument::GetImageTypeFromFileName(L"PHOTO.JPG"), 3);
  EXPECT_EQ(CPreviewDocument::GetImageTypeFromFileName(L"C:\\Scans\\Page.TIFF"), 6);
  EXPECT_EQ(CPreviewDocument::GetImageTypeFromFileName(L"scan.tif"), 6);
  EXPECT_EQ(CPreviewDocument::GetImageTypeFromFileName(L"nodotjpg"), 0);
  EXPECT_EQ(CPreviewDocument::GetImageTypeFromFileName(L"notes.txt"), 0);
}

}  // namespace
}  // namespace morvick::test
