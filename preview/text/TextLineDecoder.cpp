#include "preview/text/TextLineDecoder.h"

#include "preview/text/Utf8.h"

namespace morvick {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool IsTerminator(char16_t c)
{
    return c == u'\r' || c == u'\n';
}

}  // namespace

std::u16string Latin1ToUtf16(const std::string& bytes)
{
    std::u16string out;
    out.reserve(bytes.size());
    for (unsigned char c : bytes)
        out.push_back(static_cast<char16_t>(c));
    return out;
}

TextLineDecoder::TextLineDecoder(TextByteSource& source, AnsiLineConverter converter)
    : m_source(source), m_converter(converter != nullptr ? converter : Latin1ToUtf16)
{
    DetectEncoding();
}

void TextLineDecoder::ResetPosition()
{
    m_pending.clear();
    m_pendingNext = 0;
    m_position = 0;
    m_count = 0;
    m_endOfFile = false;
    m_firstLine = true;
    m_pushedBack = false;
}

void TextLineDecoder::DetectEncoding()
{
    uint8_t b0 = 0, b1 = 0, b2 = 0;
    bool two = ReadByte(b0) && ReadByte(b1);
    if (two && b0 == 0xFF && b1 == 0xFE) {
        m_encoding = kTextUtf16LittleEndian;
        m_markLength = 2;
        return;
    }
    if (two && b0 == 0xFE && b1 == 0xFF) {
        m_encoding = kTextUtf16BigEndian;
        m_markLength = 2;
        return;
    }
    if (two && b0 == 0xEF && b1 == 0xBB && ReadByte(b2) && b2 == 0xBF) {
        m_encoding = kTextUtf8;
        m_markLength = 3;
        return;
    }
    // No mark: the bytes read so far are text, UTF-8 when all of it is UTF-8 with at least one
    // letter beyond ASCII (text in a code page rarely is), else ANSI. Read as ANSI, most text
    // written today (UTF-8 without a mark) showed every accented letter as two wrong ones.
    m_encoding = IsUnmarkedUtf8() ? kTextUtf8 : kTextAnsi;
    m_markLength = 0;
    m_source.Rewind();
    ResetPosition();
}

bool TextLineDecoder::IsUnmarkedUtf8()
{
    if (!m_source.Rewind())
        return false;
    Utf8Check check;
    for (;;) {
        size_t n = m_source.Read(m_buffer, kBufferSize);
        if (n == 0 || n > kBufferSize)
            break;
        check.Add(m_buffer, n);
        if (check.Broken())
            return false;  // no need to read on
    }
    return check.Valid() && check.HasMultiByte();
}

bool TextLineDecoder::Rewind()
{
    if (!m_source.Rewind())
        return false;
    ResetPosition();
    // Past the mark again: read from byte 0, the mark came back as text at the start of the first line.
    uint8_t skipped = 0;
    for (size_t i = 0; i < m_markLength; ++i)
        ReadByte(skipped);
    m_firstLine = true;
    return true;
}

uint64_t TextLineDecoder::LengthInChars() const
{
    uint64_t length = m_source.Length();
    return m_encoding == kTextUtf16BigEndian || m_encoding == kTextUtf16LittleEndian ? length / 2 : length;
}

bool TextLineDecoder::ReadByte(uint8_t& value)
{
    if (m_endOfFile)
        return false;
    if (m_position >= m_count) {
        m_count = m_source.Read(m_buffer, kBufferSize);
        m_position = 0;
        if (m_count == 0 || m_count > kBufferSize) {
            m_count = 0;
            m_endOfFile = true;
            value = 0;
            return false;
        }
    }
    value = m_buffer[m_position++];
    return true;
}

void TextLineDecoder::UnreadByte()
{
    // Right after a byte was read it is still in the buffer, at least at its first place.
    if (m_position > 0)
        --m_position;
}

bool TextLineDecoder::ReadFourByteSequence(uint8_t lead, char16_t& value)
{
    char bytes[4] = {static_cast<char>(lead)};
    size_t count = 1;
    uint8_t next = 0;
    while (count < 4) {
        if (!ReadByte(next))
            return false;  // cut short by the end: dropped, as every sequence is
        if ((next & 0xC0) != 0x80) {
            UnreadByte();  // no part of this sequence: it starts the next character
            break;
        }
        bytes[count++] = static_cast<char>(next);
    }
    m_pending = Utf8ToUtf16(bytes, count);
    m_pendingNext = 0;
    return TakePending(value);
}

bool TextLineDecoder::TakePending(char16_t& value)
{
    if (m_pendingNext >= m_pending.size())
        return false;
    value = m_pending[m_pendingNext++];
    return true;
}

bool TextLineDecoder::ReadChar(char16_t& value)
{
    uint8_t c = 0, c2 = 0, c3 = 0;
    switch (m_encoding) {
    case kTextUtf8: {
        if (TakePending(value))
            return true;
        if (!ReadByte(c))
            return false;
        if ((c & 0x80) == 0) {
            value = c;
            return true;
        }
        int ones = 0;
        while (ones < 8 && (c & (0x80 >> ones)) != 0)
            ++ones;
        if (ones == 2) {
            if (!ReadByte(c2))
                return false;
            value = static_cast<char16_t>(((c & 0x1F) << 6) | (c2 & 0x3F));
            return true;
        }
        if (ones == 3) {
            if (!ReadByte(c2) || !ReadByte(c3))
                return false;
            value = static_cast<char16_t>(((c & 0x0F) << 12) | ((c2 & 0x3F) << 6) | (c3 & 0x3F));
            return true;
        }
        // A character above U+FFFF comes as its surrogate pair, not as four U+FFFD: emoji and rare
        // CJK characters are common in the texts recovered today.
        if (ones == 4)
            return ReadFourByteSequence(c, value);
        // A stray continuation byte or a lead byte of a longer sequence.
        value = kReplacement;
        return true;
    }
    case kTextUtf16BigEndian:
    case kTextUtf16LittleEndian:
        if (!ReadByte(c) || !ReadByte(c2))
            return false;
        value = m_encoding == kTextUtf16BigEndian ? static_cast<char16_t>((c << 8) | c2)
                                                  : static_cast<char16_t>(c | (c2 << 8));
        return true;
    case kTextAnsi:
    default:
        if (!ReadByte(c))
            return false;
        value = c;
        return true;
    }
}

bool TextLineDecoder::NextChar(char16_t& value)
{
    if (m_pushedBack) {
        m_pushedBack = false;
        value = m_encoding == kTextAnsi ? static_cast<char16_t>(m_pushedChar & 0xFF) : m_pushedChar;
        return true;
    }
    return ReadChar(value);
}

bool TextLineDecoder::ReadLine(std::u16string& line)
{
    line.clear();
    if (m_endOfFile && !m_pushedBack)
        return false;
    std::string ansi;
    auto keep = [&](char16_t c) {
        if (m_encoding == kTextAnsi)
            ansi.push_back(static_cast<char>(c & 0xFF));
        else
            line.push_back(c);
    };

    char16_t c = 0;
    bool have = NextChar(c);
    if (m_firstLine) {
        m_firstLine = false;
    } else if (have && c == u'\r') {
        // The terminator that ended the previous line: CR, CR LF or LF.
        have = NextChar(c);
        if (have && c == u'\n')
            have = NextChar(c);
    } else if (have && c == u'\n') {
        have = NextChar(c);
    }
    while (have && !IsTerminator(c)) {
        keep(c);
        have = NextChar(c);
    }
    if (have) {
        // The terminator stays for the next line to skip.
        m_pushedBack = true;
        m_pushedChar = c;
    }
    if (m_encoding == kTextAnsi && !ansi.empty())
        line = m_converter(ansi);
    return true;
}

std::u16string TextLineDecoder::ReadAll(const std::u16string& separator)
{
    std::u16string text;
    uint64_t expected = LengthInChars() + 2;
    if (expected < (uint64_t(1) << 26))
        text.reserve(static_cast<size_t>(expected));
    std::u16string line;
    bool first = true;
    while (ReadLine(line)) {
        if (!first)
            text += separator;
        first = false;
        text += line;
    }
    return text;
}

}  // namespace morvick
