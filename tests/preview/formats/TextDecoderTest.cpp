// The text reader over iconv's encodings of one text, and over hand-made bytes for the marks, the
// line ends, the buffer's edges and sequences cut short.
#include "preview/text/TextLineDecoder.h"
#include "preview/text/Utf8.h"
#include "tests/preview/formats/FormatSamples.h"

#include <gtest/gtest.h>

#include <cstring>

namespace morvick::test {
namespace {

class BytesSource : public TextByteSource {
public:
    explicit BytesSource(std::vector<uint8_t> bytes, size_t chunk = 1 << 20) : m_bytes(std::move(bytes)), m_chunk(chunk)
    {}
    size_t Read(uint8_t* buffer, size_t count) override
    {
        size_t n = std::min({count, m_chunk, m_bytes.size() - m_pos});
        if (n > 0)
            std::memcpy(buffer, m_bytes.data() + m_pos, n);
        m_pos += n;
        return n;
    }
    bool Rewind() override
    {
        m_pos = 0;
        return true;
    }
    uint64_t Length() const override { return m_bytes.size(); }

private:
    std::vector<uint8_t> m_bytes;
    size_t m_chunk;
    size_t m_pos = 0;
};

std::vector<uint8_t> Bytes(const std::string& s)
{
    return std::vector<uint8_t>(s.begin(), s.end());
}

std::string ReadAllUtf8(const std::vector<uint8_t>& bytes, TextEncoding* encoding = nullptr, size_t chunk = 1 << 20)
{
    BytesSource source(bytes, chunk);
    TextLineDecoder decoder(source);
    if (encoding != nullptr)
        *encoding = decoder.Encoding();
    return Utf8(decoder.ReadAll(u"\r\n"));
}

std::string ExpectedText()
{
    std::string lines = SampleText(kDocumentSamples, "lines.txt");
    std::string text;
    for (char c : lines)
        text += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return text.substr(0, text.size() - 2);  // the samples have no final terminator
}

TEST(TextDecoder, EveryEncodingOfTheSampleGivesTheSameText)
{
    struct Case {
        const char* name;
        TextEncoding encoding;
    } cases[] = {
        {"utf8-bom.txt", kTextUtf8},
        {"utf16le.txt", kTextUtf16LittleEndian},
        {"utf16be.txt", kTextUtf16BigEndian},
    };
    const std::string expected = ExpectedText();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<uint8_t> bytes = SampleBytes(kDocumentSamples, c.name);
        SeedFuzzer("fuzz_text_decoder", c.name, bytes);
        TextEncoding encoding = kTextAnsi;
        EXPECT_EQ(ReadAllUtf8(bytes, &encoding), expected);
        EXPECT_EQ(encoding, c.encoding);
        // Delivered by the source in odd pieces, the text is the same.
        EXPECT_EQ(ReadAllUtf8(bytes, nullptr, 7), expected);
    }
}

TEST(TextDecoder, WithoutAMarkTheBytesAreAnsiForTheCallersConverter)
{
    for (const char* name : {"ansi.txt", "german-cp1252.txt"}) {
        SCOPED_TRACE(name);
        std::vector<uint8_t> bytes = SampleBytes(kDocumentSamples, name);
        BytesSource source(bytes);
        TextLineDecoder decoder(source);  // Latin-1 here; the platform's code page on Windows
        EXPECT_EQ(decoder.Encoding(), kTextAnsi);
        EXPECT_EQ(Utf8(decoder.ReadAll(u"|")), "First line|Grüße aus Köln, café|");
    }
    // Plain ASCII stays ANSI too.
    TextEncoding encoding = kTextUtf8;
    EXPECT_EQ(ReadAllUtf8(Bytes("plain\nascii"), &encoding), "plain\r\nascii");
    EXPECT_EQ(encoding, kTextAnsi);
}

TEST(TextDecoder, WithoutAMarkUtf8TextIsUtf8)
{
    for (const char* name : {"utf8.txt", "german-utf8.txt"}) {
        SCOPED_TRACE(name);
        std::vector<uint8_t> bytes = SampleBytes(kDocumentSamples, name);
        SeedFuzzer("fuzz_text_decoder", name, bytes);
        TextEncoding encoding = kTextAnsi;
        std::string expected(bytes.begin(), bytes.end());
        EXPECT_EQ(ReadAllUtf8(bytes, &encoding), expected);
        EXPECT_EQ(encoding, kTextUtf8);
        EXPECT_EQ(ReadAllUtf8(bytes, nullptr, 3), expected);
        // Rewinding skips no mark.
        BytesSource source(bytes);
        TextLineDecoder decoder(source);
        std::u16string line;
        decoder.ReadAll(u"\n");
        ASSERT_TRUE(decoder.Rewind());
        ASSERT_TRUE(decoder.ReadLine(line));
        EXPECT_EQ(line, u"First line");
        EXPECT_EQ(decoder.LengthInChars(), bytes.size());
    }
    // Far beyond the first buffer: a sequence across two buffers is UTF-8; one byte that is not
    // UTF-8, or a sequence cut by the end, makes the whole file ANSI.
    std::string head(TextLineDecoder::kBufferSize - 1, 'a');
    TextEncoding encoding = kTextAnsi;
    EXPECT_EQ(ReadAllUtf8(Bytes(head + "\xC3\xA9"), &encoding), head + "é");
    EXPECT_EQ(encoding, kTextUtf8);
    std::string tail = "\xC3\xA9" + std::string(3000, 'b');
    EXPECT_EQ(ReadAllUtf8(Bytes(tail + "\xE9"), &encoding), "\xC3\x83\xC2\xA9" + std::string(3000, 'b') + "é");
    EXPECT_EQ(encoding, kTextAnsi);
    ReadAllUtf8(Bytes(tail + "\xE2\x82"), &encoding);
    EXPECT_EQ(encoding, kTextAnsi);
    // Overlong forms and encoded surrogates are not UTF-8.
    ReadAllUtf8(Bytes("a\xC0\xAF"), &encoding);
    EXPECT_EQ(encoding, kTextAnsi);
    ReadAllUtf8(Bytes("a\xED\xA0\x80"), &encoding);
    EXPECT_EQ(encoding, kTextAnsi);
}

TEST(TextDecoder, MarksAndSequences)
{
    // The mark is not part of the text; a UTF-16 file counts half its bytes.
    std::vector<uint8_t> le = {0xFF, 0xFE, 'A', 0, 0x0D, 0, 0x0A, 0, 'B', 0};
    EXPECT_EQ(ReadAllUtf8(le), "A\r\nB");
    BytesSource source(le);
    EXPECT_EQ(TextLineDecoder(source).LengthInChars(), 5u);
    // EF BB without BF: ANSI from the first byte.
    TextEncoding encoding = kTextUtf8;
    EXPECT_EQ(ReadAllUtf8({0xEF, 0xBB, 'x'}, &encoding), "\xC3\xAF\xC2\xBBx");
    EXPECT_EQ(encoding, kTextAnsi);
    // Two- and three-byte sequences; a four-byte lead and stray continuations give U+FFFD each.
    EXPECT_EQ(ReadAllUtf8({0xEF, 0xBB, 0xBF, 0xC3, 0xA9, 0xE2, 0x82, 0xAC}), "é€");
    EXPECT_EQ(ReadAllUtf8({0xEF, 0xBB, 0xBF, 0xF0, 'a'}),
        "\xEF\xBF\xBD"
        "a");
    // A sequence or a UTF-16 unit cut by the end is dropped.
    EXPECT_EQ(ReadAllUtf8({0xEF, 0xBB, 0xBF, 'a', 0xE2, 0x82}), "a");
    EXPECT_EQ(ReadAllUtf8({0xFE, 0xFF, 0, 'a', 0}), "a");
    // An empty file, and a mark alone, give an empty text.
    EXPECT_EQ(ReadAllUtf8({}), "");
    EXPECT_EQ(ReadAllUtf8({0xFF, 0xFE}), "");
}

TEST(TextDecoder, CharactersAboveTheBasicPlaneComeAsSurrogatePairs)
{
    // "Hi" and a laughing face, then a CJK character of the second plane, with and without a mark,
    // delivered whole and in pieces that cut the sequences.
    const std::string text = "Hi \xF0\x9F\x98\x80\r\n\xF0\xA0\x80\x80!";
    for (const std::string& mark : {std::string("\xEF\xBB\xBF"), std::string()}) {
        SCOPED_TRACE(mark.size());
        for (size_t chunk : {size_t(1) << 20, size_t(2), size_t(5)}) {
            BytesSource source(Bytes(mark + text), chunk);
            TextLineDecoder decoder(source);
            EXPECT_EQ(decoder.Encoding(), kTextUtf8);
            std::u16string line;
            ASSERT_TRUE(decoder.ReadLine(line));
            EXPECT_EQ(line, u"Hi \U0001F600");
            ASSERT_TRUE(decoder.ReadLine(line));
            EXPECT_EQ(line, u"\U00020000!");
            EXPECT_FALSE(decoder.ReadLine(line));
        }
    }
    // Malformed: beyond U+10FFFF, overlong, or broken off by a byte that starts the next character
    // (which stays). U+FFFD for each byte of the sequence; one cut by the end is dropped.
    const std::string bom = "\xEF\xBB\xBF";
    EXPECT_EQ(ReadAllUtf8(Bytes(bom + "\xF4\x90\x80\x80x")), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBDx");
    EXPECT_EQ(ReadAllUtf8(Bytes(bom + "\xF0\x80\x80\x80")), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(ReadAllUtf8(Bytes(bom + "\xF0\x9F\r\n\xC3\xA9")), "\xEF\xBF\xBD\xEF\xBF\xBD\r\n\xC3\xA9");
    EXPECT_EQ(ReadAllUtf8(Bytes(bom + "\xF0\x9F\xF0\x9F\x98\x80"), nullptr, 5), "\xEF\xBF\xBD\xEF\xBF\xBD\xF0\x9F\x98\x80");
    EXPECT_EQ(ReadAllUtf8(Bytes(bom + "a\xF0\x9F\x98")), "a");
}

TEST(TextDecoder, LineEnds)
{
    std::vector<uint8_t> bytes = SampleBytes(kDocumentSamples, "mixed-ends.txt");
    BytesSource source(bytes);
    TextLineDecoder decoder(source);
    std::vector<std::string> lines;
    std::u16string line;
    while (decoder.ReadLine(line))
        lines.push_back(Utf8(line));
    // CR, LF and CR LF end one line each; CR CR leaves an empty line; the final LF an empty one.
    EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "three", "four", "", "six", ""}));
    // A text that ends with a terminator ends with the separator.
    EXPECT_EQ(ReadAllUtf8(Bytes("a\nb\n")), "a\r\nb\r\n");
    EXPECT_EQ(ReadAllUtf8(Bytes("\n")), "\r\n");
}

TEST(TextDecoder, LinesLongerThanTheBufferAndRewinding)
{
    std::vector<uint8_t> bytes = SampleBytes(kDocumentSamples, "long-line.txt");
    BytesSource source(bytes);
    TextLineDecoder decoder(source);
    std::u16string line;
    ASSERT_TRUE(decoder.ReadLine(line));
    EXPECT_EQ(line, std::u16string(3000, u'x'));
    ASSERT_TRUE(decoder.ReadLine(line));
    EXPECT_EQ(line, u"end");
    EXPECT_FALSE(decoder.ReadLine(line));
    // Back to the start, past the mark of a marked text.
    ASSERT_TRUE(decoder.Rewind());
    ASSERT_TRUE(decoder.ReadLine(line));
    EXPECT_EQ(line.size(), 3000u);
    std::vector<uint8_t> marked = SampleBytes(kDocumentSamples, "utf16be.txt");
    BytesSource markedSource(marked);
    TextLineDecoder markedDecoder(markedSource);
    markedDecoder.ReadAll(u"\n");
    ASSERT_TRUE(markedDecoder.Rewind());
    ASSERT_TRUE(markedDecoder.ReadLine(line));
    EXPECT_EQ(line, u"First line");
}

TEST(Utf8Names, SequencesSurrogatesAndInvalidBytes)
{
    EXPECT_EQ(Utf8ToUtf16("a\xC3\xA9\xE6\x97\xA5"), u"aé日");
    EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x98\x80"), u"\U0001F600");
    // Overlong forms, surrogates, cut sequences and stray bytes: one U+FFFD per bad byte.
    EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");
    EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(Utf8ToUtf16("a\xE6\x97"), u"a\uFFFD\uFFFD");
    EXPECT_FALSE(IsValidUtf8("\xFF"));
    EXPECT_FALSE(IsValidUtf8("a\xE6\x97"));
    EXPECT_TRUE(IsValidUtf8("plain"));
    EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x98\x80"));
}

}  // namespace
}  // namespace morvick::test
