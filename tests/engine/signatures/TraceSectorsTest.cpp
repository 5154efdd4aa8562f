// The File Trace test of sectors: which signature a sector matches and the traced files it gives.
#include "engine/scan/ChosenSignatures.h"
#include "engine/scan/SignatureMatch.h"
#include "engine/scan/SignatureTable.h"
#include "engine/scan/TraceSectors.h"
#include "tests/engine/signatures/SignatureTestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {

constexpr size_t kSector = 512;

class TraceSectorsTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        FreeRecordList(m_signatures);
        FreeRecordList(m_hits);
    }

    void Choose(const std::string& extension, const std::string& hex, uint32_t length = 0)
    {
        SignatureRecord r;
        r.extension = extension;
        r.description = "Type " + extension;
        r.lengthText = std::to_string(length ? length : hex.size() / 2);
        r.signatureHex = hex;
        ASSERT_TRUE(AppendChosenSignature(m_signatures, r));
    }

    // A buffer of count zeroed sectors with the given bytes at the start of sector index.
    static Bytes Sectors(size_t count, std::initializer_list<std::pair<size_t, Bytes>> starts)
    {
        Bytes buffer(count * kSector, 0);
        for (const auto& [index, bytes] : starts)
            std::memcpy(buffer.data() + index * kSector, bytes.data(), bytes.size());
        return buffer;
    }

    bool Trace(const Bytes& buffer, uint32_t first, const OfficeKindReader& readKind = nullptr)
    {
        return TraceSectors(buffer.data(), buffer.size() / kSector, kSector, first, m_signatures, readKind,
            m_hitNumber, m_hits);
    }

    std::vector<std::u16string> Names() const
    {
        std::vector<std::u16string> out;
        for (const TracedFileRecord* r = m_hits.head; r; r = r->next)
            out.push_back(r->name);
        return out;
    }

    RecordList<TraceHitRecord> m_signatures;
    RecordList<TracedFileRecord> m_hits;
    uint32_t m_hitNumber = 0;
};

const Bytes kPkOffice = {0x50, 0x4B, 0x03, 0x04, 0x14, 0x00, 0x06, 0x00};
const Bytes kCompound = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};

} // namespace

TEST_F(TraceSectorsTest, TheFirstMatchingSignatureOfTheListWinsIgnoringCase)
{
    Choose(".zip", "504b0304");
    Choose(".docx", "504B030414000600");
    const uint8_t* sector = kPkOffice.data();
    EXPECT_EQ(MatchTraceSignature(sector, kPkOffice.size(), m_signatures.head), m_signatures.head);
    EXPECT_EQ(MatchTraceSignature(sector, kPkOffice.size(), m_signatures.head->next), m_signatures.tail);
    const Bytes other = {0x50, 0x4B, 0x05, 0x06};
    EXPECT_EQ(MatchTraceSignature(other.data(), other.size(), m_signatures.head), nullptr);
}

TEST_F(TraceSectorsTest, UnusableSignaturesNeverMatch)
{
    const Bytes zeros(kSector, 0);
    Choose(".none", "", 0);                         // no bytes: would match every sector
    Choose(".long", std::string(32, '0'), 16);      // past the compared bytes
    Choose(".short", "0000", 1);                    // text longer than the length
    EXPECT_EQ(MatchTraceSignature(zeros.data(), zeros.size(), m_signatures.head), nullptr);
    Choose(".tiny", "000000", 3);
    EXPECT_EQ(MatchTraceSignature(zeros.data(), 2, m_signatures.head), nullptr);
    EXPECT_EQ(MatchTraceSignature(zeros.data(), 3, m_signatures.head), m_signatures.tail);
    Choose(".max", std::string(30, '0'), 15);
    EXPECT_EQ(MatchTraceSignature(zeros.data(), zeros.size(), m_signatures.tail), m_signatures.tail);
    EXPECT_EQ(MatchTraceSignature(nullptr, 512, m_signatures.head), nullptr);
}

TEST_F(TraceSectorsTest, HitsAreNumberedAcrossReadsAndNamedByNumberAndExtension)
{
    Choose(".jpg", "FFD8FF");
    Choose(".gif", "474946383961");
    const Bytes first = Sectors(4, {{0, {0xFF, 0xD8, 0xFF, 0xE0}}, {3, {'G', 'I', 'F', '8', '9', 'a'}}});
    const Bytes second = Sectors(2, {{1, {0xFF, 0xD8, 0xFF}}});
    ASSERT_TRUE(Trace(first, 100));
    ASSERT_TRUE(Trace(second, 104));
    EXPECT_EQ(Names(), (std::vector<std::u16string>{u"1.jpg", u"2.gif", u"3.jpg"}));
    EXPECT_EQ(m_hitNumber, 3u);
    const TracedFileRecord* gif = m_hits.head->next;
    EXPECT_EQ(gif->sector, 103u);
    EXPECT_EQ(gif->hitNumber, 2u);
    EXPECT_EQ(std::u16string(gif->extension), u".gif");
    EXPECT_EQ(std::u16string(gif->typeName), u"Type .gif");
    EXPECT_EQ(m_hits.tail->sector, 105u);
}

TEST_F(TraceSectorsTest, CompoundDocumentsTakeTheirKindWhenThatTypeIsChosen)
{
    Choose(".doc", "D0CF11E0A1B11AE1");
    Choose(".docx", "504B030414000600");
    std::vector<uint32_t> asked;
    auto excel = [&](uint32_t sector) { asked.push_back(sector); return std::u16string(u".xls"); };
    const Bytes buffer = Sectors(3, {{0, kCompound}, {2, kPkOffice}});

    ASSERT_TRUE(Trace(buffer, 50, excel));               // no Excel type chosen
    Choose(".XLS", "D0CF11E0A1B11AE1");
    ASSERT_TRUE(Trace(buffer, 50, excel));
    ASSERT_TRUE(Trace(buffer, 50));                       // nothing to read the kind with
    EXPECT_EQ(Names(), (std::vector<std::u16string>{u"1.doc", u"2.docx", u"3.xls", u"4.docx", u"5.doc", u"6.docx"}));
    EXPECT_EQ(asked, (std::vector<uint32_t>{50, 50}));    // Office Open XML hits are ZIP archives
    EXPECT_EQ(std::u16string(m_hits.head->next->next->typeName), u"Type .doc");
}

// Files made by the real tools, laid into a run of sectors; every file is found where it starts.
TEST_F(TraceSectorsTest, FindsFilesMadeByImageAndArchiveTools)
{
#ifdef _WIN32
    GTEST_SKIP() << "the sample files are made by Debian's tools";
#else
    ScratchFile folder("trace-samples");
    const std::filesystem::path dir = folder.Path();
    std::filesystem::create_directories(dir);
    const std::string d = "'" + dir.string() + "'";
    const std::string make =
        "convert -size 40x30 gradient:red-blue " + d + "/a.jpg && convert -size 20x20 plasma:fractal " + d + "/b.png"
        " && convert -size 16x16 xc:green " + d + "/c.gif"
        // ImageMagick's security policy here refuses to write PDF; a minimal document by hand.
        " && printf '%%PDF-1.4\\n1 0 obj <<>> endobj\\ntrailer <<>>\\n%%%%EOF\\n' > " + d + "/d.pdf"
        " && echo hello > " + d + "/e.txt && cd " + d + " && zip -q e.zip e.txt";
    ASSERT_EQ(std::system(make.c_str()), 0);
    std::filesystem::remove_all(dir / "e.txt");

    const SignatureTable table = LoadSignatureTableFile(std::filesystem::path(MORVICK_RAW_DAT).u16string());
    ASSERT_EQ(table.status, SignatureTableStatus::kWhole);
    ASSERT_TRUE(AppendChosenSignatures(m_signatures, table.records, {u".jpg", u".png", u".gif", u".pdf", u".zip"}));

    Bytes disk(3 * kSector, 0x20);   // a few sectors of other data first
    std::vector<std::pair<uint32_t, std::u16string>> expected;
    for (const char* name : {"a.jpg", "b.png", "c.gif", "d.pdf", "e.zip"}) {
        const Bytes file = ReadFileBytes((dir / name).string());
        ASSERT_FALSE(file.empty()) << name;
        const std::string extension = std::filesystem::path(name).extension().string();
        const std::string hitName = std::to_string(expected.size() + 1) + extension;
        expected.push_back({static_cast<uint32_t>(7 + disk.size() / kSector), std::u16string(hitName.begin(), hitName.end())});
        disk.insert(disk.end(), file.begin(), file.end());
        disk.resize((disk.size() + kSector - 1) / kSector * kSector + kSector, 0x20);
    }
    std::filesystem::remove_all(dir);

    ASSERT_TRUE(Trace(disk, 7));
    std::vector<std::pair<uint32_t, std::u16string>> found;
    for (const TracedFileRecord* r = m_hits.head; r; r = r->next)
        found.push_back({r->sector, r->name});
    EXPECT_EQ(found, expected);
#endif
}
