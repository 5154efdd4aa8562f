// The table reader over hand-made tables: the record layout, damaged and hostile tables, the file.
#include "engine/scan/SignatureCategory.h"
#include "engine/scan/SignatureTable.h"
#include "tests/engine/signatures/SignatureTestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

Bytes Join(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

SignatureTable Parse(const Bytes& bytes)
{
    return ParseSignatureTable(bytes.data(), bytes.size());
}

const Bytes kJpeg = MakeRecord(1, '4', ".jpg", "JPEG Image", "3", {0xFF, 0xD8, 0xFF}, {0x12, 0xAB});
const Bytes kZip = MakeRecord(2, '0', ".zip", "ZIP Archive", "4", {0x50, 0x4B, 0x03, 0x04}, {});

// The offsets of the five length words of a record with these field lengths.
std::vector<size_t> LengthOffsets(size_t l1, size_t l2, size_t l3, size_t l4)
{
    return {3, 5 + l1, 7 + l1 + l2, 9 + l1 + l2 + l3, 11 + l1 + l2 + l3 + l4};
}

} // namespace

TEST(SignatureTableLayout, FieldsSitWhereTheFormatPutsThem)
{
    const Bytes bytes = {
        0x34, 0x12,                                      // record word, not used
        '7',                                             // category
        0x05, 0x00, '.', 'h', 't', 'm', 'l',             // extension
        0x04, 0x00, 'P', 'a', 'g', 'e',                  // description
        0x02, 0x00, '1', '0',                            // signature length text
        0x03, 0x00, 0x3C, 0x0a, 0xF0,                    // signature bytes
        0x01, 0x00, 0x7F,                                // second value bytes
    };
    const SignatureTable table = Parse(bytes);
    ASSERT_EQ(table.status, SignatureTableStatus::kWhole);
    ASSERT_EQ(table.records.size(), 1u);
    const SignatureRecord& r = table.records[0];
    EXPECT_EQ(r.number, 0u);
    EXPECT_EQ(r.category, '7');
    EXPECT_EQ(r.extension, ".html");
    EXPECT_EQ(r.description, "Page");
    EXPECT_EQ(r.lengthText, "10");
    EXPECT_EQ(r.signatureHex, "3C0AF0");
    EXPECT_EQ(r.secondValueHex, "7F");
}

TEST(SignatureTableLayout, RecordsFollowOneAnotherAndAreNumberedInFileOrder)
{
    const SignatureTable table = Parse(Join({kJpeg, kZip, kJpeg}));
    ASSERT_EQ(table.status, SignatureTableStatus::kWhole);
    ASSERT_EQ(table.records.size(), 3u);
    EXPECT_EQ(table.records[0].signatureHex, "FFD8FF");
    EXPECT_EQ(table.records[0].secondValueHex, "12AB");
    EXPECT_EQ(table.records[1].extension, ".zip");
    EXPECT_EQ(table.records[1].secondValueHex, "");
    EXPECT_EQ(table.records[1].category, '0');
    for (uint32_t i = 0; i < 3; ++i)
        EXPECT_EQ(table.records[i].number, i);
}

TEST(SignatureTableLayout, EmptyFieldsAndEmptyTablesAreWhole)
{
    const SignatureTable zeros = Parse(Bytes(13, 0));
    ASSERT_EQ(zeros.status, SignatureTableStatus::kWhole);
    ASSERT_EQ(zeros.records.size(), 1u);
    EXPECT_EQ(zeros.records[0].category, '\0');
    EXPECT_TRUE(zeros.records[0].extension.empty());
    EXPECT_TRUE(zeros.records[0].signatureHex.empty());

    EXPECT_EQ(Parse(Bytes()).status, SignatureTableStatus::kWhole);
    EXPECT_TRUE(Parse(Bytes()).records.empty());
    const SignatureTable none = ParseSignatureTable(nullptr, 100);
    EXPECT_EQ(none.status, SignatureTableStatus::kWhole);
    EXPECT_TRUE(none.records.empty());
}

TEST(DamagedSignatureTable, EveryTruncationKeepsTheWholeRecordsBeforeIt)
{
    const Bytes whole = Join({kJpeg, kZip});
    for (size_t cut = 0; cut < whole.size(); ++cut) {
        SCOPED_TRACE("cut at " + std::to_string(cut));
        const Bytes part(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut));
        const SignatureTable table = Parse(part);
        if (cut == 0 || cut == kJpeg.size()) {
            EXPECT_EQ(table.status, SignatureTableStatus::kWhole);
            EXPECT_EQ(table.records.size(), cut == 0 ? 0u : 1u);
            continue;
        }
        EXPECT_EQ(table.status, SignatureTableStatus::kDamaged);
        const size_t whole_records = cut < kJpeg.size() ? 0 : 1;
        EXPECT_EQ(table.records.size(), whole_records);
        EXPECT_EQ(table.damagedOffset, whole_records * kJpeg.size());
    }
}

TEST(DamagedSignatureTable, ALengthPastTheEndStopsAtThatRecord)
{
    const std::vector<size_t> offsets = LengthOffsets(4, 11, 1, 4);   // the ZIP record
    for (size_t field = 0; field < offsets.size(); ++field) {
        for (uint16_t length : {uint16_t(0xFFFF), uint16_t(0x8000), uint16_t(kZip.size())}) {
            SCOPED_TRACE("field " + std::to_string(field) + " length " + std::to_string(length));
            Bytes bad = kZip;
            bad[offsets[field]] = static_cast<uint8_t>(length);
            bad[offsets[field] + 1] = static_cast<uint8_t>(length >> 8);
            const SignatureTable table = Parse(Join({kJpeg, bad}));
            EXPECT_EQ(table.status, SignatureTableStatus::kDamaged);
            ASSERT_EQ(table.records.size(), 1u);
            EXPECT_EQ(table.records[0].extension, ".jpg");
            EXPECT_EQ(table.damagedOffset, kJpeg.size());
        }
    }
}

TEST(DamagedSignatureTable, ALengthThatEndsExactlyAtTheEndIsAccepted)
{
    // The second value of the last record swallows what follows it: still inside the buffer.
    Bytes table = Join({kJpeg, kZip});
    const size_t at = kJpeg.size() + LengthOffsets(4, 11, 1, 4)[4];
    const Bytes tail(kJpeg.begin(), kJpeg.begin() + 5);
    table.insert(table.end(), tail.begin(), tail.end());
    table[at] = static_cast<uint8_t>(tail.size());
    const SignatureTable read = Parse(table);
    EXPECT_EQ(read.status, SignatureTableStatus::kWhole);
    ASSERT_EQ(read.records.size(), 2u);
    EXPECT_EQ(read.records[1].secondValueHex, "0100340400");
}

TEST(SignatureTableFile, ReadsAFileAndRefusesWhatIsNotATable)
{
    ScratchFile file("signatures.dat");
    file.Write(Join({kZip, kJpeg}));
    const SignatureTable table = LoadSignatureTableFile(file.Path16());
    EXPECT_EQ(table.status, SignatureTableStatus::kWhole);
    ASSERT_EQ(table.records.size(), 2u);
    EXPECT_EQ(table.records[1].description, "JPEG Image");

    file.Write(Bytes());
    EXPECT_EQ(LoadSignatureTableFile(file.Path16()).status, SignatureTableStatus::kWhole);

    std::filesystem::resize_file(file.Path(), kMaxSignatureTableSize + 1);
    const SignatureTable huge = LoadSignatureTableFile(file.Path16());
    EXPECT_EQ(huge.status, SignatureTableStatus::kUnreadable);
    EXPECT_TRUE(huge.records.empty());

    ScratchFile missing("no-such-table.dat");
    EXPECT_EQ(LoadSignatureTableFile(missing.Path16()).status, SignatureTableStatus::kUnreadable);
    EXPECT_EQ(LoadSignatureTableFile(std::filesystem::temp_directory_path().u16string()).status,
        SignatureTableStatus::kUnreadable);
}

TEST(SignatureCategory, DigitsNameTheDialogsFoldersAndOtherCharactersNameThemselves)
{
    EXPECT_EQ(SignatureCategoryFolder('0'), u"Archive Files");
    EXPECT_EQ(SignatureCategoryFolder('3'), u"E-mail Files");
    EXPECT_EQ(SignatureCategoryFolder('9'), u"Other Files");
    EXPECT_EQ(SignatureCategoryFolder('X'), u"X");
}
