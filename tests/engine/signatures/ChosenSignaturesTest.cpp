// Turning the ticked types of the File Types dialog into the list of chosen signatures.
#include "engine/scan/ChosenSignatures.h"
#include "engine/scan/SignatureTable.h"
#include "engine/state/FoundEntryLists.h"
#include "tests/engine/signatures/SignatureTestFiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

namespace {

SignatureRecord Record(const std::string& extension, const std::string& lengthText, const std::string& signatureHex,
    const std::string& secondValueHex = "00")
{
    SignatureRecord r;
    r.category = '9';
    r.extension = extension;
    r.description = "Type " + extension;
    r.lengthText = lengthText;
    r.signatureHex = signatureHex;
    r.secondValueHex = secondValueHex;
    return r;
}

std::vector<std::u16string> Extensions(const RecordList<TraceHitRecord>& list)
{
    std::vector<std::u16string> out;
    for (const TraceHitRecord* r = list.head; r; r = r->next)
        out.push_back(r->extension);
    return out;
}

class ChosenSignatures : public ::testing::Test {
protected:
    void TearDown() override { FreeRecordList(g_TraceHits); }
};

} // namespace

TEST_F(ChosenSignatures, TickedTypesFromTheGeneratedTableBecomeTraceHits)
{
    const SignatureTable table = LoadSignatureTableFile(std::filesystem::path(MORVICK_RAW_DAT).u16string());
    ASSERT_EQ(table.status, SignatureTableStatus::kWhole);
    ASSERT_TRUE(AppendChosenSignatures(g_TraceHits, table.records, {u"Graphics Files", u".gif", u".jpg"}));
    EXPECT_EQ(Extensions(g_TraceHits), (std::vector<std::u16string>{u".gif", u".gif", u".jpg"}));
    ASSERT_EQ(g_TraceHits.count, 3u);

    const TraceHitRecord* jpeg = g_TraceHits.tail;
    EXPECT_EQ(std::u16string(jpeg->description), u"JPEG Image");
    EXPECT_EQ(jpeg->signatureLength, 3u);
    EXPECT_STREQ(jpeg->signature, "FFD8FF");
    EXPECT_EQ(jpeg->secondValue, 0u);
    EXPECT_EQ(jpeg->next, nullptr);
    EXPECT_STREQ(g_TraceHits.head->signature, "474946383961");
    EXPECT_EQ(g_TraceHits.head->signatureLength, 6u);
}

TEST_F(ChosenSignatures, OrderFollowsTheTreeThenTheFileAndEmptyExtensionsAreNeverChosen)
{
    const std::vector<SignatureRecord> records = {
        Record(".b", "1", "01"), Record("", "1", "02"), Record(".a", "1", "03"), Record(".b", "1", "04"),
    };
    ASSERT_TRUE(AppendChosenSignatures(g_TraceHits, records, {u".a", u"", u".b", u".c"}));
    ASSERT_EQ(g_TraceHits.count, 3u);
    const TraceHitRecord* r = g_TraceHits.head;
    EXPECT_STREQ(r->signature, "03");
    EXPECT_STREQ(r->next->signature, "01");
    EXPECT_STREQ(r->next->next->signature, "04");

    // Appending adds to what the list already holds.
    ASSERT_TRUE(AppendChosenSignatures(g_TraceHits, records, {u".a"}));
    EXPECT_EQ(g_TraceHits.count, 4u);
    EXPECT_STREQ(g_TraceHits.tail->signature, "03");
}

TEST_F(ChosenSignatures, NumbersAreReadFromTheirLeadingDecimalDigits)
{
    struct Case {
        const char* text;
        uint32_t value;
    };
    const Case cases[] = {
        {"15", 15}, {"1A2B", 1}, {"FF", 0}, {"", 0}, {" 7", 7}, {"+8", 8}, {"-3", 0},
        {"2147483647", 2147483647u}, {"99999999999999999999", 2147483647u}, {"0012", 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(LeadingDecimalValue(c.text), c.value);
    }

    ASSERT_TRUE(AppendChosenSignature(g_TraceHits, Record(".x", "4", "00010203", "1A2B")));
    EXPECT_EQ(g_TraceHits.head->signatureLength, 4u);
    EXPECT_EQ(g_TraceHits.head->secondValue, 1u);
}

TEST_F(ChosenSignatures, EightBitTextsBecomeWideText)
{
    SignatureRecord r = Record(".abc", "1", "41");
    r.description = "Plain text";
    ASSERT_TRUE(AppendChosenSignature(g_TraceHits, r));
    EXPECT_EQ(std::u16string(g_TraceHits.head->extension), u".abc");
    EXPECT_EQ(std::u16string(g_TraceHits.head->description), u"Plain text");
}
