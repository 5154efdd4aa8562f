// The Raw.dat that the build writes into the program's folder, read back against its source.
#include "engine/scan/SignatureTable.h"
#include "tests/engine/signatures/SignatureTestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <set>

namespace {

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

class GeneratedTable : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_bytes = new Bytes(ReadFileBytes(MORVICK_RAW_DAT));
        s_rows = new std::vector<SourceRow>(ReadSourceRows(MORVICK_SIGNATURE_SOURCE));
        s_table = new SignatureTable(LoadSignatureTableFile(std::filesystem::path(MORVICK_RAW_DAT).u16string()));
    }
    static void TearDownTestSuite()
    {
        delete s_bytes;
        delete s_rows;
        delete s_table;
    }

    static Bytes* s_bytes;
    static std::vector<SourceRow>* s_rows;
    static SignatureTable* s_table;
};

Bytes* GeneratedTable::s_bytes;
std::vector<SourceRow>* GeneratedTable::s_rows;
SignatureTable* GeneratedTable::s_table;

}  // namespace

TEST_F(GeneratedTable, EverySourceRowComesBackExactly)
{
    ASSERT_FALSE(s_rows->empty());
    ASSERT_EQ(s_table->status, SignatureTableStatus::kWhole);
    ASSERT_EQ(s_table->records.size(), s_rows->size());
    for (size_t i = 0; i < s_rows->size(); ++i) {
        const SourceRow& row = (*s_rows)[i];
        const SignatureRecord& record = s_table->records[i];
        SCOPED_TRACE(row.extension + " " + row.signatureHex);
        EXPECT_EQ(record.number, i);
        EXPECT_EQ(record.category, row.category);
        EXPECT_EQ(record.extension, row.extension);
        EXPECT_EQ(record.description, row.description);
        EXPECT_EQ(record.signatureHex, Upper(row.signatureHex));
        EXPECT_EQ(record.lengthText, std::to_string(row.signatureHex.size() / 2));
        EXPECT_EQ(record.secondValueHex, Upper(row.secondValueHex));
    }
}

TEST_F(GeneratedTable, OneRecordHasTheHandWrittenLayout)
{
    // The JPEG record: the word counts the bytes after it.
    const Bytes jpeg = {
        0x1E,
        0x00,
        '4',
        0x04,
        0x00,
        '.',
        'j',
        'p',
        'g',
        0x0A,
        0x00,
        'J',
        'P',
        'E',
        'G',
        ' ',
        'I',
        'm',
        'a',
        'g',
        'e',
        0x01,
        0x00,
        '3',
        0x03,
        0x00,
        0xFF,
        0xD8,
        0xFF,
        0x01,
        0x00,
        0x00,
    };
    ASSERT_EQ(jpeg.size(), 2u + 0x1E);
    EXPECT_NE(std::search(s_bytes->begin(), s_bytes->end(), jpeg.begin(), jpeg.end()), s_bytes->end());
}

TEST_F(GeneratedTable, HoldsTheCommonTypesInTheirFolders)
{
    const std::map<std::string, char> expected = {
        {".jpg", '4'},
        {".png", '4'},
        {".gif", '4'},
        {".bmp", '4'},
        {".tif", '4'},
        {".psd", '4'},
        {".pdf", '1'},
        {".docx", '1'},
        {".doc", '1'},
        {".xls", '1'},
        {".ppt", '1'},
        {".rtf", '1'},
        {".zip", '0'},
        {".rar", '0'},
        {".7z", '0'},
        {".gz", '0'},
        {".cab", '0'},
        {".mp3", '5'},
        {".wav", '5'},
        {".mid", '5'},
        {".avi", '6'},
        {".mp4", '6'},
        {".mov", '6'},
        {".exe", '9'},
        {".dll", '9'},
        {".html", '7'},
        {".xml", '7'},
        {".mdb", '2'},
        {".dbf", '2'},
    };
    std::map<std::string, std::set<char>> found;
    for (const SignatureRecord& record : s_table->records)
        found[record.extension].insert(record.category);
    for (const auto& [extension, category] : expected) {
        SCOPED_TRACE(extension);
        EXPECT_EQ(found[extension], std::set<char>{category});
    }
}

TEST_F(GeneratedTable, EverySignatureFitsTheComparedBytes)
{
    for (const SignatureRecord& record : s_table->records) {
        SCOPED_TRACE(record.extension);
        const size_t bytes = record.signatureHex.size() / 2;
        EXPECT_GE(bytes, 1u);
        EXPECT_LE(bytes, 15u);
        EXPECT_EQ(record.lengthText, std::to_string(bytes));
    }
}

// With every type ticked, File Trace takes the first signature that matches in the dialog's order:
// folders as they first appear, extensions within a folder as they first appear. No signature may be
// hidden behind a shorter one of another type, except where the types cannot be told apart by their
// first bytes.
TEST_F(GeneratedTable, NoTypeIsHiddenBehindAShorterSignatureOfAnother)
{
    std::vector<char> folders;
    std::map<char, std::vector<std::string>> extensions;
    for (const SignatureRecord& r : s_table->records) {
        if (std::find(folders.begin(), folders.end(), r.category) == folders.end())
            folders.push_back(r.category);
        std::vector<std::string>& list = extensions[r.category];
        if (std::find(list.begin(), list.end(), r.extension) == list.end())
            list.push_back(r.extension);
    }
    std::vector<const SignatureRecord*> order;
    for (char folder : folders)
        for (const std::string& extension : extensions[folder])
            for (const SignatureRecord& r : s_table->records)
                if (r.category == folder && r.extension == extension)
                    order.push_back(&r);

    // Types that share their first bytes: compound documents (told apart later by their
    // application name), RIFF files, programs.
    const std::map<std::string, int> alike = {
        {".doc", 1},
        {".xls", 1},
        {".ppt", 1},
        {".pub", 1},
        {".wav", 2},
        {".avi", 2},
        {".exe", 3},
        {".dll", 3},
    };
    auto sameGroup = [&](const std::string& a, const std::string& b) {
        return alike.count(a) && alike.count(b) && alike.at(a) == alike.at(b);
    };
    for (size_t later = 0; later < order.size(); ++later) {
        for (size_t earlier = 0; earlier < later; ++earlier) {
            const SignatureRecord& a = *order[earlier];
            const SignatureRecord& b = *order[later];
            if (a.extension == b.extension || sameGroup(a.extension, b.extension))
                continue;
            EXPECT_NE(b.signatureHex.compare(0, a.signatureHex.size(), a.signatureHex), 0)
                << b.extension << " " << b.signatureHex << " is hidden behind " << a.extension << " " << a.signatureHex;
        }
    }
}
