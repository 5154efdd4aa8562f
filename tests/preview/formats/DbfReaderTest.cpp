// The dBase reader over python3-dbf's tables of every field type and over damaged tables: the
// fields, the placing of the records (by the header when it agrees, by the first valid flag
// otherwise) and the cell texts.
#include "preview/dbase/DbfReader.h"
#include "tests/preview/formats/FormatSamples.h"

#include <gtest/gtest.h>

namespace morvick::test {
namespace {

struct Table {
    std::vector<uint8_t> bytes;
    DbfLayout layout;

    explicit Table(const std::string& name) : bytes(SampleBytes(kDbaseSamples, name))
    {
        layout = ReadDbfLayout(bytes.data(), bytes.size());
        SeedFuzzer("fuzz_dbase", name, bytes);
    }
    uint64_t Records() const { return DbfRecordCount(layout, bytes.size()); }
    std::string Cell(uint64_t record, size_t field) const
    {
        return DbfCellText(layout.fields[field].type, DbfFieldBytes(bytes.data(), bytes.size(), layout, record, field));
    }
    std::vector<std::string> Row(uint64_t record) const
    {
        std::vector<std::string> row;
        for (size_t f = 0; f < layout.fields.size(); ++f)
            row.push_back(Cell(record, f));
        return row;
    }
};

TEST(DbfTables, DbaseThreeFieldsAndCells)
{
    Table t("db3.dbf");
    ASSERT_EQ(t.layout.status, DbfStatus::kOk);
    ASSERT_EQ(t.layout.fields.size(), 5u);
    EXPECT_EQ(t.layout.fields[0].name, "NAME");
    EXPECT_EQ(t.layout.fields[0].type, 'C');
    EXPECT_EQ(t.layout.fields[0].length, 10);
    EXPECT_TRUE(t.layout.fromHeader);
    ASSERT_EQ(t.Records(), 3u);
    // Character cells keep their blanks; numbers show six places; dates get their slashes; memos
    // show their kind only.
    EXPECT_EQ(t.Row(0), (std::vector<std::string>{"Anna      ", "12.500000", "2024/01/31", "TRUE", "Memo"}));
    EXPECT_EQ(t.Row(1), (std::vector<std::string>{"Bob       ", "-3.000000", "    /  /  ", "FALSE", "Memo"}));
    EXPECT_EQ(t.Cell(2, 3), "FALSE");  // "?" (unknown) is not true
}

TEST(DbfTables, FoxProAndVisualFoxProTypes)
{
    Table fox("fox.dbf");
    ASSERT_EQ(fox.layout.status, DbfStatus::kOk);
    ASSERT_EQ(fox.Records(), 2u);
    EXPECT_EQ(fox.Row(0), (std::vector<std::string>{"alpha   ", "1.250000", "Picture", "General"}));
    EXPECT_EQ(fox.Cell(1, 1), "-0.500000");

    // Visual FoxPro keeps 263 bytes of backlink before the records: the header places them.
    Table vfp("vfp.dbf");
    ASSERT_EQ(vfp.layout.status, DbfStatus::kOk);
    EXPECT_TRUE(vfp.layout.fromHeader);
    ASSERT_EQ(vfp.Records(), 2u);
    // Currency is a 64-bit count of ten-thousandths: the whole amount, fraction included.
    EXPECT_EQ(vfp.Cell(0, 0), "1234567.8901");
    EXPECT_EQ(vfp.Cell(1, 0), "-0.0001");
    EXPECT_EQ(DbfCurrencyValue(DbfFieldBytes(vfp.bytes.data(), vfp.bytes.size(), vfp.layout, 0, 0)), 12345678901LL);
    EXPECT_EQ(vfp.Cell(0, 1), "42");
    EXPECT_EQ(vfp.Cell(1, 1), "-7");
    EXPECT_EQ(vfp.Cell(0, 2), "");  // date-time
    EXPECT_EQ(vfp.Cell(0, 4), "one   ");
}

TEST(DbfTables, RecordsArePlacedByTheHeaderWhenItAgreesAndRunToTheEnd)
{
    // The first record is deleted: its data holds blanks, so searching for the first valid flag
    // would start inside it.
    Table deleted("deleted-first.dbf");
    ASSERT_EQ(deleted.layout.status, DbfStatus::kOk);
    ASSERT_EQ(deleted.Records(), 3u);
    EXPECT_EQ(deleted.Row(0), (std::vector<std::string>{"gone  ", "1.000000"}));
    EXPECT_EQ(deleted.Row(1), (std::vector<std::string>{"kept  ", "2.000000"}));

    // Without an agreeing header, the records start after the first blank from the terminator on.
    std::vector<uint8_t> bytes = deleted.bytes;
    bytes[10] ^= 0x40;  // the record length no longer agrees
    DbfLayout scanned = ReadDbfLayout(bytes.data(), bytes.size());
    ASSERT_EQ(scanned.status, DbfStatus::kOk);
    EXPECT_FALSE(scanned.fromHeader);
    EXPECT_EQ(DbfCellText('C', DbfFieldBytes(bytes.data(), bytes.size(), scanned, 0, 0)), "    1 ");

    // A header whose record count was never rewritten: the rows run to the end of the file.
    Table stale("stale-count.dbf");
    ASSERT_EQ(stale.layout.status, DbfStatus::kOk);
    EXPECT_TRUE(stale.layout.fromHeader);
    Table intact("db3.dbf");
    ASSERT_EQ(stale.Records(), 3u);
    for (uint64_t r = 0; r < 3; ++r)
        EXPECT_EQ(stale.Row(r), intact.Row(r)) << r;

    Table empty("empty.dbf");
    ASSERT_EQ(empty.layout.status, DbfStatus::kOk);
    EXPECT_EQ(empty.Records(), 0u);
    Table many("many.dbf");
    EXPECT_EQ(many.Records(), 12000u);
    EXPECT_EQ(many.Cell(11999, 0), "11999.000000");
}

TEST(DbfTables, DamagedTablesFailOrShowWhatIsThere)
{
    Table truncated("truncated-db3.dbf");
    ASSERT_EQ(truncated.layout.status, DbfStatus::kOk);
    // The second record is cut: it shows what the file still holds.
    ASSERT_EQ(truncated.Records(), 2u);
    EXPECT_EQ(truncated.Cell(1, 0), "Bob       ");
    EXPECT_EQ(truncated.Cell(1, 4), "Memo");

    EXPECT_EQ(Table("no-terminator.dbf").layout.status, DbfStatus::kDescriptorsPastEnd);
    Table cut("descriptors-cut.dbf");
    EXPECT_EQ(cut.layout.status, DbfStatus::kDescriptorsPastEnd);
    EXPECT_EQ(cut.layout.fields.size(), 1u);
    Table tooMany("too-many-fields.dbf");
    EXPECT_EQ(tooMany.layout.status, DbfStatus::kTooManyFields);
    EXPECT_EQ(tooMany.layout.fields.size(), kDbfMaxFields);
    EXPECT_EQ(Table("tiny.dbf").layout.status, DbfStatus::kTooShort);

    // No fields: the first slot is the terminator.
    std::vector<uint8_t> noFields(40, 0);
    noFields[32] = 0x0D;
    EXPECT_EQ(ReadDbfLayout(noFields.data(), noFields.size()).status, DbfStatus::kNoFields);
    // A terminator and nothing after it, without an agreeing header: no record data.
    std::vector<uint8_t> bare(32 + 32 + 1, 0);
    bare[32] = 'A';
    bare[43] = 'C';
    bare[48] = 1;
    bare[64] = 0x0D;
    EXPECT_EQ(ReadDbfLayout(bare.data(), bare.size()).status, DbfStatus::kNoRecordData);
}

TEST(DbfTables, FieldNamesAreBoundedToElevenBytes)
{
    std::vector<uint8_t> bytes(32 + 32 + 1 + 1 + 2, 0);
    for (int i = 0; i < 11; ++i)
        bytes[32 + i] = 'N';
    bytes[43] = 'C';  // the type letter right after the name, no zero between
    bytes[48] = 2;
    bytes[64] = 0x0D;
    bytes[65] = ' ';
    bytes[66] = 'o';
    bytes[67] = 'k';
    DbfLayout layout = ReadDbfLayout(bytes.data(), bytes.size());
    ASSERT_EQ(layout.status, DbfStatus::kOk);
    EXPECT_EQ(layout.fields[0].name, "NNNNNNNNNNN");
    EXPECT_EQ(DbfCellText('C', DbfFieldBytes(bytes.data(), bytes.size(), layout, 0, 0)), "ok");
}

TEST(DbfCells, TextsByType)
{
    EXPECT_EQ(DbfCellText('N', "   12.5"), "12.500000");
    EXPECT_EQ(DbfCellText('F', ""), "0.000000");
    EXPECT_EQ(DbfCellText('D', "20240131"), "2024/01/31");
    EXPECT_EQ(DbfCellText('D', ""), "//");
    EXPECT_EQ(DbfCellText('I', std::string("\xFE\xFF\xFF\xFF", 4)), "-2");
    EXPECT_EQ(DbfCellText('I', std::string("\x05", 1)), "5");  // a short field reads as zero-filled
    EXPECT_EQ(DbfCellText('C', std::string("ab\0cd", 5)), "ab");
    EXPECT_EQ(DbfCellText('M', "0000000001"), "Memo");
    EXPECT_EQ(DbfCellText('G', ""), "General");
    EXPECT_EQ(DbfCellText('P', ""), "Picture");
    EXPECT_EQ(DbfCellText('T', "anything"), "");
    EXPECT_EQ(DbfCellText('Q', "x"), "Q");
    EXPECT_EQ(DbfCellText('Y', std::string(8, '\xFF')), "-0.0001");
    EXPECT_EQ(DbfCellText('Y', std::string("\x00\x00\x00\x00\x00\x00\x00\x80", 8)), "-922337203685477.5808");
    // Logical words, in either case and with blanks, in English and (code page 1251) Russian.
    for (const char* yes : {"T", "y", " yes ", "True", "\xE4\xE0", "\xC8\xD1\xD2\xC8\xCD\xC0"})
        EXPECT_EQ(DbfCellText('L', yes), "TRUE") << yes;
    for (const char* no : {"F", "?", "N", "", "truthy"})
        EXPECT_EQ(DbfCellText('L', no), "FALSE") << no;
}

}  // namespace
}  // namespace morvick::test
