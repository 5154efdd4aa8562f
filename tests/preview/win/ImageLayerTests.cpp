// The image layer under Windows: every sample of the image table (TIFF, icons and RLE bitmaps
// through WIC) against ImageMagick's decoding, truncated copies refused; Photoshop samples into
// bitmaps; metafiles played into pictures.
#include "preview/decoders/ImageFormat.h"
#include "preview/win/host/PreviewDocument.h"
#include "preview/win/host/PreviewFile.h"
#include "preview/win/imaging/CxImage.h"
#include "preview/win/imaging/PsdDecoder.h"
#include "tests/preview/decoders/SampleFiles.h"
#include "tests/preview/win/PreviewHarness.h"

#include <gtest/gtest.h>

namespace morvick::test {
namespace {

const char kImages[] = "make-image-samples.sh";
const char kPsds[] = "make-psd-samples.sh";

TEST(ImageLayer, EverySampleMatchesImageMagick)
{
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

TEST(ImageLayer, TruncatedSamplesAreRefused)
{
    for (const SampleEntry& s : ReadSampleList(kImages, "broken.txt")) {
        if (s.where != "truncated")
            continue;
        SCOPED_TRACE(s.name);
        std::wstring path = SamplePath(kImages, s.name);
        CxImage image(path.c_str(), CPreviewDocument::GetImageTypeFromFileName(path.c_str()));
        EXPECT_FALSE(image.IsValid());
        EXPECT_EQ(image.GetWidth(), 0u);
    }
    CxImage missing(TempFile(L"no-such-file.png").c_str(), 4);
    EXPECT_FALSE(missing.IsValid());
}

TEST(ImageLayer, DamagedSamplesDecodeOrFailWithoutHarm)
{
    for (const SampleEntry& s : ReadSampleList(kImages, "broken.txt")) {
        if (s.where != "damaged")
            continue;
        SCOPED_TRACE(s.name);
        std::wstring path = SamplePath(kImages, s.name);
        CxImage image(path.c_str(), CPreviewDocument::GetImageTypeFromFileName(path.c_str()));
        if (image.IsValid()) {
            EXPECT_EQ(image.GetWidth(), 64u);
            EXPECT_EQ(image.GetHeight(), 48u);
        }
    }
}

TEST(ImageLayer, PhotoshopSamplesBecomeBottomUpBitmaps)
{
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

TEST(ImageLayer, MetafilesArePlayedIntoPictures)
{
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

// The document names the image type of a file by how its name ends, whatever its case and with or
// without a dot; another ending is no image.
TEST(PreviewDocument, ImageTypesAreKnownByTheEndingOfTheNameInAnyCase)
{
    EXPECT_EQ(CPreviewDocument::GetImageTypeFromFileName(L"PHOTO.JPG"), 3);
    EXPECT_EQ(CPreviewDocument::GetImageTypeFromFileName(L"C:\\Scans\\Page.TIFF"), 6);
    EXPECT_EQ(CPreviewDocument::GetImageTypeFromFileName(L"scan.tif"), 6);
    EXPECT_EQ(CPreviewDocument::GetImageTypeFromFileName(L"nodotjpg"), 3);
    EXPECT_EQ(CPreviewDocument::GetImageTypeFromFileName(L"notes.txt"), 0);
}

// The thumbnail list reports every change of its items: the picture already current is kept, not
// decoded again; another index (or one past the end) replaces it.
TEST(PreviewDocument, TheCurrentPictureIsDecodedOnlyWhenTheIndexChanges)
{
    std::wstring folder = TempFile(L"current-picture");
    CreateDirectoryW(folder.c_str(), NULL);
    ASSERT_TRUE(WriteBytes(folder + L"\\a.bmp", BmpBytes(30, 20, RGB(255, 0, 0))));
    ASSERT_TRUE(WriteBytes(folder + L"\\b.bmp", BmpBytes(40, 10, RGB(0, 0, 255))));
    CTestPreviewDoc* doc = new CTestPreviewDoc;
    doc->LoadImageFolder(folder.c_str());
    ASSERT_EQ(doc->m_ImageNames.GetSize(), 2);
    doc->LoadImageAt(0);
    ASSERT_NE(doc->m_pCurrentImage, nullptr);
    CxImage* first = doc->m_pCurrentImage;
    // With the file gone, a second decode would fail: the same index keeps the picture it has.
    ASSERT_TRUE(DeleteFileW((folder + L"\\a.bmp").c_str()));
    doc->LoadImageAt(0);
    EXPECT_EQ(doc->m_pCurrentImage, first);
    EXPECT_TRUE(doc->m_pCurrentImage->IsValid());
    EXPECT_EQ(doc->m_pCurrentImage->GetWidth(), 30u);
    doc->LoadImageAt(1);
    ASSERT_NE(doc->m_pCurrentImage, nullptr);
    EXPECT_EQ(doc->m_pCurrentImage->GetWidth(), 40u);
    EXPECT_EQ(doc->m_nCurrentImage, 1);
    doc->LoadImageAt(2);
    EXPECT_EQ(doc->m_pCurrentImage, nullptr);
    doc->DeleteFolderFiles(folder.c_str());
    EXPECT_EQ(doc->m_nCurrentImage, -1);
    delete doc;
    EXPECT_TRUE(RemoveDirectoryW(folder.c_str()));
}

// Emptying the picture folder tries each delete a second time when the first one fails; files the
// second try cannot delete either stay, and the rest go. An empty folder is no failure.
int g_deleteCalls = 0;
BOOL WINAPI DeleteOnlyOnSecondTry(LPCWSTR path)
{
    ++g_deleteCalls;
    return g_deleteCalls % 2 == 0 ? DeleteFileW(path) : FALSE;
}

TEST(PreviewDocument, EmptyingTheFolderTriesEachDeleteTwice)
{
    std::wstring folder = TempFile(L"delete-twice");
    CreateDirectoryW(folder.c_str(), NULL);
    ASSERT_TRUE(WriteBytes(folder + L"\\a.bmp", BmpBytes(4, 4, RGB(0, 0, 0))));
    ASSERT_TRUE(WriteBytes(folder + L"\\notes.txt", {'x'}));
    CreateDirectoryW((folder + L"\\sub").c_str(), NULL);
    CTestPreviewDoc* doc = new CTestPreviewDoc;
    g_deleteCalls = 0;
    SetPreviewFileDeleter(DeleteOnlyOnSecondTry);
    doc->DeleteFolderFiles(folder.c_str());
    SetPreviewFileDeleter(NULL);
    EXPECT_EQ(g_deleteCalls, 4);
    EXPECT_EQ(GetFileAttributesW((folder + L"\\a.bmp").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesW((folder + L"\\notes.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(GetFileAttributesW((folder + L"\\sub").c_str()), INVALID_FILE_ATTRIBUTES) << "folders stay";
    doc->DeleteFolderFiles(folder.c_str());  // nothing left to delete
    EXPECT_EQ(doc->m_ImageNames.GetSize(), 0);
    delete doc;
    RemoveDirectoryW((folder + L"\\sub").c_str());
    EXPECT_TRUE(RemoveDirectoryW(folder.c_str()));
}

}  // namespace
}  // namespace morvick::test
