// Reads a text file of one of four encodings as UTF-16 lines: a byte-order mark selects UTF-16
// (either byte order) or UTF-8; without one the bytes are UTF-8 when all of them are UTF-8 and at
// least one sequence is longer than a byte, else ANSI text, which the caller's converter turns
// into UTF-16 one line at a time. A UTF-8 character above U+FFFF comes as its surrogate pair; a
// malformed sequence as U+FFFD. CR, LF and CR LF each end a line; the terminator is not
// part of the line. Bytes come through a small source interface in blocks of 1024.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace morvick {

enum TextEncoding {
    kTextAnsi = 0,
    kTextUtf16BigEndian = 1,
    kTextUtf16LittleEndian = 2,
    kTextUtf8 = 3,
};

// Where the bytes come from. Read returns the count read (0 at the end or on an error).
class TextByteSource {
public:
    virtual ~TextByteSource() = default;
    virtual size_t Read(uint8_t* buffer, size_t count) = 0;
    // Back to the first byte; false when the source cannot move.
    virtual bool Rewind() = 0;
    virtual uint64_t Length() const = 0;
};

// Turns the bytes of one ANSI line into UTF-16. The default maps each byte to the code point of
// the same number (Latin-1).
using AnsiLineConverter = std::u16string (*)(const std::string& bytes);
std::u16string Latin1ToUtf16(const std::string& bytes);

class TextLineDecoder {
public:
    static constexpr size_t kBufferSize = 1024;

    // Reads the byte-order mark (when there is one) from the source; without one, reads the whole
    // source once to tell UTF-8 from ANSI.
    TextLineDecoder(TextByteSource& source, AnsiLineConverter converter = Latin1ToUtf16);

    TextEncoding Encoding() const { return m_encoding; }
    bool AtEnd() const { return m_endOfFile; }

    // The next line; false at the end of the text. A text that ends with a terminator ends with
    // one empty line.
    bool ReadLine(std::u16string& line);
    // The whole text from here on, the lines joined by the separator.
    std::u16string ReadAll(const std::u16string& separator);
    // Back to the start of the text (after the mark); false when the source cannot rewind.
    bool Rewind();
    // The expected length of the text in characters: the byte count, halved for UTF-16.
    uint64_t LengthInChars() const;

private:
    // One byte, or false at the end of the data (which marks the end of the file).
    bool ReadByte(uint8_t& value);
    // One character of the encoding, or false at the end (a character cut short is dropped).
    bool ReadChar(char16_t& value);
    // Reads the rest of a sequence that the lead byte opened for four bytes and decodes it: a
    // well-formed one gives a surrogate pair, a malformed one U+FFFD for each of its bytes (a byte
    // that cannot continue it is left for the next character); the first unit is returned, the
    // rest kept for the next calls. False when the end cuts the sequence short.
    bool ReadFourByteSequence(uint8_t lead, char16_t& value);
    // The next unit decoded ahead, if any.
    bool TakePending(char16_t& value);
    // Gives back the byte just read.
    void UnreadByte();
    // One character: the pushed-back one first.
    bool NextChar(char16_t& value);
    void DetectEncoding();
    // True when the source, from its start, is UTF-8 with at least one sequence of several bytes.
    bool IsUnmarkedUtf8();
    void ResetPosition();

    TextByteSource& m_source;
    AnsiLineConverter m_converter;
    TextEncoding m_encoding = kTextAnsi;
    size_t m_markLength = 0;  // bytes of the byte-order mark
    uint8_t m_buffer[kBufferSize] = {};
    size_t m_position = 0;  // next byte of the buffer
    size_t m_count = 0;     // valid bytes in the buffer
    bool m_endOfFile = false;
    bool m_firstLine = true;
    bool m_pushedBack = false;
    char16_t m_pushedChar = 0;
    std::u16string m_pending;  // units of the last four-byte sequence not yet returned
    size_t m_pendingNext = 0;
};

}  // namespace morvick
