#include "preview/dbase/DbfReader.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace morvick {

namespace {

constexpr uint8_t kTerminator = 0x0D;
constexpr uint8_t kValidFlag = 0x20;
// Visual FoxPro keeps 263 bytes of database backlink between the descriptors and the records.
constexpr uint32_t kBacklinkSize = 263;

uint32_t Little(const uint8_t* p, size_t n)
{
    uint32_t v = 0;
    for (size_t i = 0; i < n; ++i)
        v |= static_cast<uint32_t>(p[i]) << (8 * i);
    return v;
}

// Upper case in the ANSI code pages of the tables (ASCII, and the lower-case letters 0xE0 to
// 0xFE of code pages 1251 and 1252 but 0xF7).
unsigned char AnsiUpper(unsigned char c)
{
    if (c >= 'a' && c <= 'z')
        return static_cast<unsigned char>(c - 32);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return static_cast<unsigned char>(c - 32);
    return c;
}

bool IsBlank(unsigned char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// The text of the bytes as a zero-terminated string would hold it.
std::string UpToZero(const std::string& bytes)
{
    size_t zero = bytes.find('\0');
    return zero == std::string::npos ? bytes : bytes.substr(0, zero);
}

int32_t SignedLittle32(const std::string& bytes)
{
    uint8_t b[4] = {};
    std::memcpy(b, bytes.data(), bytes.size() < 4 ? bytes.size() : 4);
    return static_cast<int32_t>(Little(b, 4));
}

// Places the records by the header when its lengths agree with the descriptors.
void UseHeaderWhenConsistent(const uint8_t* data, size_t size, size_t terminator, DbfLayout& layout)
{
    uint32_t headerLength = Little(data + 8, 2);
    uint32_t recordLength = Little(data + 10, 2);
    uint32_t descriptorsEnd = static_cast<uint32_t>(terminator) + 1;
    bool lengthAgrees = headerLength == descriptorsEnd || headerLength == descriptorsEnd + kBacklinkSize;
    if (!lengthAgrees || recordLength != layout.recordStride || headerLength > size)
        return;
    layout.fromHeader = true;
    layout.dataStart = static_cast<uint64_t>(headerLength) + 1;
}

}  // namespace

DbfLayout ReadDbfLayout(const uint8_t* data, size_t size)
{
    DbfLayout layout;
    if (data == nullptr || size <= kDbfDescriptorSize) {
        layout.status = DbfStatus::kTooShort;
        return layout;
    }
    size_t pos = kDbfDescriptorSize;
    bool terminated = false;
    while (pos < size) {
        if (data[pos] == kTerminator) {
            terminated = true;
            break;
        }
        if (layout.fields.size() == kDbfMaxFields) {
            layout.status = DbfStatus::kTooManyFields;
            return layout;
        }
        if (size - pos < kDbfDescriptorSize) {
            layout.status = DbfStatus::kDescriptorsPastEnd;
            return layout;
        }
        DbfField field;
        const uint8_t* slot = data + pos;
        size_t nameLength = 0;
        while (nameLength < kDbfNameSize && slot[nameLength] != 0)
            ++nameLength;
        field.name.assign(reinterpret_cast<const char*>(slot), nameLength);
        field.type = static_cast<char>(slot[11]);
        field.length = slot[16];
        layout.fields.push_back(field);
        pos += kDbfDescriptorSize;
    }
    if (!terminated) {
        layout.status = DbfStatus::kDescriptorsPastEnd;
        return layout;
    }
    if (layout.fields.empty()) {
        layout.status = DbfStatus::kNoFields;
        return layout;
    }
    uint32_t stride = 1;
    for (const DbfField& f : layout.fields)
        stride += f.length;
    layout.recordStride = stride;

    // Placed by the header's lengths when they agree: a scan for a space would start inside a deleted first record.
    UseHeaderWhenConsistent(data, size, pos, layout);
    if (!layout.fromHeader) {
        // The first valid record's flag, searched from the terminator on.
        size_t flag = pos;
        while (flag < size && data[flag] != kValidFlag)
            ++flag;
        layout.dataStart = static_cast<uint64_t>(flag) + 1;
    }
    // A table placed by its header may hold no records at all.
    layout.status = !layout.fromHeader && layout.dataStart > size ? DbfStatus::kNoRecordData : DbfStatus::kOk;
    return layout;
}

uint64_t DbfRecordCount(const DbfLayout& layout, size_t size)
{
    if (layout.status != DbfStatus::kOk || layout.recordStride == 0 || layout.dataStart >= size)
        return 0;
    // Records whose data starts before the end of the file: the header's record count is not read,
    // since a program that stopped before rewriting its header leaves it stale.
    return (size - layout.dataStart + layout.recordStride - 1) / layout.recordStride;
}

std::string DbfFieldBytes(const uint8_t* data, size_t size, const DbfLayout& layout, uint64_t record, size_t field)
{
    if (field >= layout.fields.size())
        return std::string();
    uint64_t pos = layout.dataStart + record * layout.recordStride;
    for (size_t i = 0; i < field; ++i)
        pos += layout.fields[i].length;
    if (pos >= size)
        return std::string();
    uint64_t length = layout.fields[field].length;
    if (length > size - pos)
        length = size - pos;
    return std::string(reinterpret_cast<const char*>(data + pos), static_cast<size_t>(length));
}

int64_t DbfCurrencyValue(const std::string& bytes)
{
    uint8_t b[8] = {};
    std::memcpy(b, bytes.data(), bytes.size() < 8 ? bytes.size() : 8);
    uint64_t v = 0;
    for (int i = 7; i >= 0; --i)
        v = (v << 8) | b[i];
    return static_cast<int64_t>(v);
}

bool DbfLogicalIsTrue(const std::string& bytes)
{
    std::string text = UpToZero(bytes);
    size_t first = 0, last = text.size();
    while (first < last && IsBlank(static_cast<unsigned char>(text[first])))
        ++first;
    while (last > first && IsBlank(static_cast<unsigned char>(text[last - 1])))
        --last;
    std::string word;
    for (size_t i = first; i < last; ++i)
        word.push_back(static_cast<char>(AnsiUpper(static_cast<unsigned char>(text[i]))));
    static const char* const kTrue[] = {"T", "Y", "YES", "TRUE", "\xC4\xC0", "\xC8\xD1\xD2\xC8\xCD\xC0"};
    for (const char* t : kTrue)
        if (word == t)
            return true;
    return false;
}

std::string DbfCellText(char type, const std::string& bytes)
{
    std::string text = UpToZero(bytes);
    char buffer[64];
    switch (type) {
    case 'N':
    case 'F': {
        double value = std::strtod(text.c_str(), nullptr);
        int n = std::snprintf(nullptr, 0, "%f", value);
        std::string out(n > 0 ? static_cast<size_t>(n) : 0, '\0');
        std::snprintf(&out[0], out.size() + 1, "%f", value);
        return out;
    }
    case 'C':
    case 'B':
        return text;
    case 'Y': {
        int64_t value = DbfCurrencyValue(bytes);
        uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
        std::snprintf(buffer, sizeof buffer, "%s%" PRIu64 ".%04u", value < 0 ? "-" : "", magnitude / 10000,
            static_cast<unsigned>(magnitude % 10000));
        return buffer;
    }
    case 'I':
        std::snprintf(buffer, sizeof buffer, "%ld", static_cast<long>(SignedLittle32(bytes)));
        return buffer;
    case 'D':
        // YYYYMMDD as YYYY/MM/DD (a shorter text gets its slashes at its end).
        text.insert(text.size() < 4 ? text.size() : 4, 1, '/');
        text.insert(text.size() < 7 ? text.size() : 7, 1, '/');
        return text;
    case 'T':
        return std::string();
    case 'L':
        return DbfLogicalIsTrue(bytes) ? "TRUE" : "FALSE";
    case 'M':
        return "Memo";
    case 'G':
        return "General";
    case 'P':
        return "Picture";
    default:
        return std::string(1, type);
    }
}

}  // namespace morvick
