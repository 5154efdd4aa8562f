#include "engine/scan/SignatureTable.h"

#include "engine/io/NativeFile.h"
#include "engine/save/HexText.h"

const char16_t kSignatureTableFileName[] = u"Raw.dat";

namespace {

// Reads forward through one record, refusing anything past the end.
class RecordCursor {
public:
    RecordCursor(const uint8_t* data, size_t size, size_t offset) : m_data(data), m_size(size), m_pos(offset) {}

    size_t Position() const { return m_pos; }

    bool Skip(size_t count)
    {
        if (count > m_size - m_pos)
            return false;
        m_pos += count;
        return true;
    }

    bool Byte(char& value)
    {
        if (m_size - m_pos < 1)
            return false;
        value = static_cast<char>(m_data[m_pos++]);
        return true;
    }

    // One length-prefixed field: where its bytes start and how many there are.
    bool Field(const uint8_t*& bytes, size_t& length)
    {
        if (m_size - m_pos < 2)
            return false;
        length = static_cast<size_t>(m_data[m_pos]) | static_cast<size_t>(m_data[m_pos + 1]) << 8;
        m_pos += 2;
        if (length > m_size - m_pos)
            return false;
        bytes = m_data + m_pos;
        m_pos += length;
        return true;
    }

    bool Text(std::string& text)
    {
        const uint8_t* bytes = nullptr;
        size_t length = 0;
        if (!Field(bytes, length))
            return false;
        text.assign(reinterpret_cast<const char*>(bytes), length);
        return true;
    }

    bool Hex(std::string& text)
    {
        const uint8_t* bytes = nullptr;
        size_t length = 0;
        if (!Field(bytes, length))
            return false;
        text = BytesToHexString(bytes, length, true);
        return true;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos;
};

bool ReadRecord(RecordCursor& cursor, SignatureRecord& record)
{
    return cursor.Skip(2) && cursor.Byte(record.category) && cursor.Text(record.extension)
        && cursor.Text(record.description) && cursor.Text(record.lengthText) && cursor.Hex(record.signatureHex)
        && cursor.Hex(record.secondValueHex);
}

} // namespace

SignatureTable ParseSignatureTable(const uint8_t* data, size_t size)
{
    SignatureTable table;
    if (!data)
        size = 0;
    size_t offset = 0;
    while (offset < size) {
        RecordCursor cursor(data, size, offset);
        SignatureRecord record;
        if (!ReadRecord(cursor, record)) {
            table.status = SignatureTableStatus::kDamaged;
            table.damagedOffset = offset;
            break;
        }
        record.number = static_cast<uint32_t>(table.records.size());
        table.records.push_back(std::move(record));
        offset = cursor.Position();
    }
    return table;
}

SignatureTable LoadSignatureTableFile(const std::u16string& path)
{
    SignatureTable unreadable;
    unreadable.status = SignatureTableStatus::kUnreadable;
    const NativeFileHandle file = OpenNativeFileForReading(path);
    if (file == kInvalidNativeFile)
        return unreadable;
    uint64_t size = 0;
    std::vector<uint8_t> bytes;
    bool read = GetNativeFileSize(file, size) && size <= kMaxSignatureTableSize;
    if (read) {
        bytes.resize(static_cast<size_t>(size));
        read = size == 0 || ReadNativeFileAt(file, 0, bytes.data(), bytes.size());
    }
    CloseNativeFile(file);
    if (!read)
        return unreadable;
    return ParseSignatureTable(bytes.data(), bytes.size());
}
