// The application name of compound documents: read from documents laid out here and (on Windows)
// written by the platform, the kind File Trace gives them, and damaged or cut-short documents.
#include "engine/scan/CompoundAppName.h"
#include "engine/scan/OfficeDocumentKind.h"
#include "engine/util/Endian.h"
#include "tests/engine/trace/CompoundSamples.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

namespace {

std::string AppName(const CompoundBytes& doc, bool* found = nullptr)
{
    std::string name = "unchanged";
    const bool ok = ReadCompoundAppName(doc.data(), doc.size(), name);
    if (found)
        *found = ok;
    return ok ? name : std::string();
}

// The document as File Trace copies it: padded with zeros (or cut) to the copied size.
CompoundBytes AsCopied(CompoundBytes doc)
{
    doc.resize(size_t(kOfficeDocumentCopySectors) * 512, 0);
    return doc;
}

#ifdef _WIN32
std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::set<std::filesystem::path> FilesIn(const std::filesystem::path& folder)
{
    std::set<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        files.insert(entry.path());
    return files;
}
#endif

} // namespace

TEST(CompoundAppName, ReadsTheNameFromSmallAndLargeSummaryStreams)
{
    CompoundSampleOptions o;
    EXPECT_EQ(AppName(BuildCompoundDocument(o)), "Microsoft Excel");
    EXPECT_EQ(AppName(AsCopied(BuildCompoundDocument(o))), "Microsoft Excel");
    o.appName = "Microsoft Office PowerPoint";
    o.largeSummary = true;
    EXPECT_EQ(AppName(BuildCompoundDocument(o)), "Microsoft Office PowerPoint");
    o.largeSummary = false;
    o.unicodeCodePage = true;
    o.appName = "Microsoft Office Word";
    EXPECT_EQ(AppName(BuildCompoundDocument(o)), "Microsoft Office Word");
}

TEST(CompoundAppName, TakesTheRootsSummaryNotAnEmbeddedObjectsOne)
{
    CompoundSampleOptions o;
    o.appName = "Microsoft Publisher";
    o.embeddedAppName = "Microsoft Excel";
    EXPECT_EQ(AppName(BuildCompoundDocument(o)), "Microsoft Publisher");
}

TEST(CompoundAppName, DamagedOrCutShortDocumentsGiveNoName)
{
    const CompoundBytes good = BuildCompoundDocument({});
    bool found = true;

    CompoundBytes cut(good.begin(), good.begin() + 1024);               // no directory
    AppName(cut, &found);
    EXPECT_FALSE(found);

    CompoundBytes loop = good;                                            // directory chain to itself
    WriteLittleEndian32(loop.data() + kCompoundFatOffset + 4, 1);
    AppName(loop, &found);
    EXPECT_FALSE(found);

    CompoundBytes outside = good;                                         // directory past the end
    WriteLittleEndian32(outside.data() + 0x30, 70000);
    AppName(outside, &found);
    EXPECT_FALSE(found);

    CompoundBytes size = good;                                            // summary larger than its stream
    WriteLittleEndian32(size.data() + kCompoundDirectoryOffset + 128 + 0x78, 4000);
    AppName(size, &found);
    EXPECT_FALSE(found);

    CompoundBytes tree = good;                                            // sibling ids that loop
    WriteLittleEndian32(tree.data() + kCompoundDirectoryOffset + 128 + 0x48, 1);
    WriteLittleEndian32(tree.data() + kCompoundDirectoryOffset + 128 + 0x44, 0);
    EXPECT_EQ(AppName(tree), "Microsoft Excel");

    CompoundBytes shift = good;                                           // no such sector size
    shift[0x1E] = 30;
    AppName(shift, &found);
    EXPECT_FALSE(found);

    std::string name;
    EXPECT_FALSE(ReadCompoundAppName(nullptr, 4096, name));
    CompoundBytes zeros(4096, 0);
    AppName(zeros, &found);
    EXPECT_FALSE(found);
}

TEST(CompoundAppName, KindsFollowTheApplicationName)
{
    EXPECT_EQ(OfficeKindFromAppName("Microsoft Office PowerPoint"), u".ppt");
    EXPECT_EQ(OfficeKindFromAppName("Microsoft Excel"), u".xls");
    EXPECT_EQ(OfficeKindFromAppName("Microsoft Word 8.0"), u".doc");
    EXPECT_EQ(OfficeKindFromAppName("Microsoft Publisher"), u".pub");
    EXPECT_EQ(OfficeKindFromAppName(""), u".pub");
    // Through the program's own reading of the copy: the platform on Windows, the reader elsewhere.
    std::string name;
    const CompoundBytes excel = AsCopied(BuildCompoundDocument({}));
    ASSERT_TRUE(ReadDocumentAppName(excel.data(), excel.size(), name));
    EXPECT_EQ(OfficeKindFromAppName(name), u".xls");
    const CompoundBytes broken(size_t(kOfficeDocumentCopySectors) * 512, 0);
    EXPECT_FALSE(ReadDocumentAppName(broken.data(), broken.size(), name));
}

#ifdef _WIN32
// The copy the platform opens has a name of its own and is gone afterwards; a file of the temporary
// folder with the name the copy once had is left alone.
TEST(CompoundAppName, ThePlatformsCopyIsUniqueAndRemoved)
{
    const std::filesystem::path temp = std::filesystem::temp_directory_path();
    const std::filesystem::path other = temp / "0001";
    const bool existed = std::filesystem::exists(other);
    if (!existed)
        std::ofstream(other, std::ios::binary) << "keep";
    const std::string before = ReadAll(other);
    const std::set<std::filesystem::path> files = FilesIn(temp);
    std::string name;
    const CompoundBytes excel = AsCopied(BuildCompoundDocument({}));
    ASSERT_TRUE(ReadDocumentAppName(excel.data(), excel.size(), name));
    EXPECT_EQ(name, "Microsoft Excel");
    EXPECT_EQ(ReadAll(other), before);
    EXPECT_EQ(FilesIn(temp), files);
    if (!existed)
        std::filesystem::remove(other);
}

TEST(CompoundAppName, ReadsDocumentsThePlatformWrites)
{
    for (const std::string app : {"Microsoft Excel", "Microsoft Office PowerPoint", "Microsoft Office Word"}) {
        const CompoundBytes doc = PlatformCompoundDocument(app);
        ASSERT_FALSE(doc.empty()) << app;
        EXPECT_EQ(AppName(doc), app);
        EXPECT_EQ(AppName(AsCopied(doc)), app);
    }
}
#endif
