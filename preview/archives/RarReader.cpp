#include "preview/archives/RarReader.h"

#include "preview/archives/FileTimes.h"
#include "preview/text/Utf8.h"

#include <zlib.h>

#include <cstring>
#include <vector>

namespace morvick {

namespace {

const uint8_t kSignature4[] = {0x52, 0x61, 0x72, 0x21, 0x1A, 0x07, 0x00};
const uint8_t kSignature5[] = {0x52, 0x61, 0x72, 0x21, 0x1A, 0x07, 0x01, 0x00};

// Format 4 block types and flags.
constexpr uint8_t kMainHeader4 = 0x73;
constexpr uint8_t kFileHeader4 = 0x74;
constexpr uint8_t kEndHeader4 = 0x7B;
constexpr uint16_t kMainEncryptedHeaders4 = 0x0080;
constexpr size_t kBlockHeader4 = 7;
constexpr size_t kFileFields4 = 32;  // block header and file fields up to the name

// Format 5 header types and flags.
constexpr uint64_t kMainHeader5 = 1;
constexpr uint64_t kFileHeader5 = 2;
constexpr uint64_t kEncryptionHeader5 = 4;
constexpr uint64_t kEndHeader5 = 5;
constexpr uint64_t kHasExtra5 = 0x01;
constexpr uint64_t kHasData5 = 0x02;
constexpr uint64_t kSplitBefore5 = 0x08;
constexpr uint64_t kSplitAfter5 = 0x10;
constexpr uint64_t kFileIsFolder5 = 0x01;
constexpr uint64_t kFileHasTime5 = 0x02;
constexpr uint64_t kFileHasCrc5 = 0x04;
constexpr uint64_t kExtraEncryption5 = 1;
constexpr uint64_t kExtraTime5 = 3;
constexpr size_t kMaxHeader5 = 2 * 1024 * 1024;

constexpr uint8_t kHostUnix4 = 3;
constexpr uint64_t kHostUnix5 = 1;

uint16_t Little16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t Little32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
        (static_cast<uint32_t>(p[3]) << 24);
}

uint64_t Little64(const uint8_t* p)
{
    return Little32(p) | (static_cast<uint64_t>(Little32(p + 4)) << 32);
}

uint32_t Crc32(const uint8_t* data, size_t size)
{
    return static_cast<uint32_t>(crc32(0, data, static_cast<uInt>(size)));
}

// Windows attributes of a Unix mode: a folder, or an archived file, read-only without owner write.
uint32_t UnixModeToAttributes(uint32_t mode)
{
    uint32_t attributes = (mode & 0xF000) == 0x4000 ? 0x10 : 0x20;
    if ((mode & 0x80) == 0)
        attributes |= 0x01;
    return attributes;
}

// Variable-length integers of format 5: seven bits per byte, low bits first, the high bit set
// when another byte follows.
class FieldReader {
public:
    FieldReader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    bool Vint(uint64_t& value)
    {
        value = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            if (m_pos >= m_size)
                return false;
            uint8_t b = m_data[m_pos++];
            value |= static_cast<uint64_t>(b & 0x7F) << shift;
            if ((b & 0x80) == 0)
                return true;
        }
        return false;
    }
    bool Bytes(size_t n, const uint8_t*& at)
    {
        if (m_size - m_pos < n)
            return false;
        at = m_data + m_pos;
        m_pos += n;
        return true;
    }
    size_t Position() const { return m_pos; }
    size_t Remaining() const { return m_size - m_pos; }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

}  // namespace

std::u16string DecodeRar4UnicodeName(const std::string& narrow, const uint8_t* encoded, size_t size)
{
    std::u16string name;
    if (size == 0)
        return name;
    const size_t maxLength = kRarMaxNameBytes;
    uint8_t highByte = encoded[0];
    size_t pos = 1;
    unsigned flags = 0;
    int flagBits = 0;
    while (pos < size && name.size() < maxLength) {
        if (flagBits == 0) {
            flags = encoded[pos++];
            flagBits = 8;
        }
        switch ((flags >> 6) & 3) {
        case 0:
            if (pos >= size)
                return name;
            name.push_back(encoded[pos++]);
            break;
        case 1:
            if (pos >= size)
                return name;
            name.push_back(static_cast<char16_t>(encoded[pos++] | (highByte << 8)));
            break;
        case 2:
            if (size - pos < 2)
                return name;
            name.push_back(static_cast<char16_t>(encoded[pos] | (encoded[pos + 1] << 8)));
            pos += 2;
            break;
        case 3: {
            if (pos >= size)
                return name;
            unsigned length = encoded[pos++];
            if ((length & 0x80) != 0) {
                if (pos >= size)
                    return name;
                uint8_t correction = encoded[pos++];
                for (length = (length & 0x7F) + 2; length > 0 && name.size() < maxLength; --length) {
                    size_t at = name.size();
                    uint8_t c = at < narrow.size() ? static_cast<uint8_t>(narrow[at]) : 0;
                    name.push_back(static_cast<char16_t>((static_cast<uint8_t>(c + correction)) | (highByte << 8)));
                }
            } else {
                for (length += 2; length > 0 && name.size() < maxLength; --length) {
                    size_t at = name.size();
                    name.push_back(at < narrow.size() ? static_cast<uint8_t>(narrow[at]) : 0);
                }
            }
            break;
        }
        }
        flags = (flags << 2) & 0xFF;
        flagBits -= 2;
    }
    return name;
}

RarReader::Status RarReader::Open()
{
    uint8_t head[8] = {};
    size_t n = m_source.ReadAt(0, head, sizeof head);
    if (n >= sizeof kSignature5 && std::memcmp(head, kSignature5, sizeof kSignature5) == 0) {
        m_format = 5;
        m_position = sizeof kSignature5;
        return OpenFormat5();
    }
    if (n >= sizeof kSignature4 && std::memcmp(head, kSignature4, sizeof kSignature4) == 0) {
        m_format = 4;
        m_position = sizeof kSignature4;
        return OpenFormat4();
    }
    return kNotRar;
}

RarReader::Status RarReader::OpenFormat4()
{
    uint8_t header[13] = {};
    if (m_source.ReadAt(m_position, header, sizeof header) != sizeof header)
        return kBadData;
    uint16_t size = Little16(header + 5);
    if (header[2] != kMainHeader4 || size < sizeof header)
        return kBadData;
    std::vector<uint8_t> whole(size);
    if (m_source.ReadAt(m_position, whole.data(), size) != size)
        return kBadData;
    if ((Crc32(whole.data() + 2, size - 2) & 0xFFFF) != Little16(whole.data()))
        return kBadData;
    if ((Little16(whole.data() + 3) & kMainEncryptedHeaders4) != 0)
        return kEncryptedHeaders;
    m_position += size;
    return kOk;
}

RarReader::Status RarReader::Next(RarEntryFacts& entry)
{
    entry = RarEntryFacts();
    if (m_ended)
        return kEnd;
    Status status = m_format == 5 ? Next5(entry) : m_format == 4 ? Next4(entry) : kEnd;
    if (status != kOk)
        m_ended = true;
    return status;
}

RarReader::Status RarReader::Next4(RarEntryFacts& entry)
{
    const uint64_t archiveSize = m_source.Size();
    for (;;) {
        if (m_position >= archiveSize)
            return kEnd;
        uint8_t block[kBlockHeader4 + 4] = {};
        size_t n = m_source.ReadAt(m_position, block, sizeof block);
        if (n < kBlockHeader4)
            return kBadData;
        uint8_t type = block[2];
        uint16_t flags = Little16(block + 3);
        uint16_t size = Little16(block + 5);
        if (size < kBlockHeader4)
            return kBadData;
        std::vector<uint8_t> header(size);
        if (m_source.ReadAt(m_position, header.data(), size) != size)
            return kBadData;
        if ((Crc32(header.data() + 2, size - 2) & 0xFFFF) != Little16(header.data()))
            return kBadData;
        if (type == kEndHeader4)
            return kEnd;
        uint64_t dataSize = 0;
        if ((flags & kRarLongBlock) != 0) {
            if (size < kBlockHeader4 + 4)
                return kBadData;
            dataSize = Little32(header.data() + 7);
        }
        if (type == kFileHeader4) {
            Status status = DescribeFile4(header.data(), size, entry);
            if (status != kOk)
                return status;
            dataSize = entry.packedSize;
        }
        m_position += size;
        m_position += dataSize;  // cannot wrap: both are below 2^33 + 2^32
        if (type == kFileHeader4)
            return kOk;
    }
}

RarReader::Status RarReader::DescribeFile4(const uint8_t* header, size_t size, RarEntryFacts& entry)
{
    if (size < kFileFields4)
        return kBadData;
    uint16_t flags = Little16(header + 3);
    size_t nameAt = kFileFields4;
    entry.flags = flags;
    entry.packedSize = Little32(header + 7);
    entry.unpackedSize = Little32(header + 11);
    entry.hostOs = header[15];
    entry.dosTime = Little32(header + 20);
    entry.hasDosTime = true;
    uint16_t nameSize = Little16(header + 26);
    uint32_t attributes = Little32(header + 28);
    if ((flags & kRarLargeSizes) != 0) {
        if (size < kFileFields4 + 8)
            return kBadData;
        entry.packedSize |= static_cast<uint64_t>(Little32(header + 32)) << 32;
        entry.unpackedSize |= static_cast<uint64_t>(Little32(header + 36)) << 32;
        nameAt += 8;
    }
    if (nameSize > size - nameAt)
        return kBadData;
    const uint8_t* name = header + nameAt;
    size_t narrowLength = nameSize;
    if ((flags & kRarUnicodeName) != 0) {
        const void* zero = std::memchr(name, 0, nameSize);
        if (zero == nullptr) {
            entry.storedName.assign(reinterpret_cast<const char*>(name),
                nameSize < kRarMaxNameBytes ? nameSize : kRarMaxNameBytes);
            entry.unicodeName = Utf8ToUtf16(entry.storedName);
            narrowLength = 0;
        } else {
            narrowLength = static_cast<const uint8_t*>(zero) - name;
            size_t kept = narrowLength < kRarMaxNameBytes ? narrowLength : kRarMaxNameBytes;
            entry.storedName.assign(reinterpret_cast<const char*>(name), kept);
            entry.unicodeName =
                DecodeRar4UnicodeName(entry.storedName, name + narrowLength + 1, nameSize - narrowLength - 1);
        }
    } else {
        entry.storedName.assign(reinterpret_cast<const char*>(name),
            nameSize < kRarMaxNameBytes ? nameSize : kRarMaxNameBytes);
    }
    entry.directory = (flags & kRarDictionaryMask) == kRarDictionaryMask;
    if (entry.hostOs == kHostUnix4) {
        entry.attributes = UnixModeToAttributes(attributes);
        if (entry.unicodeName.empty() && IsValidUtf8(entry.storedName))
            entry.unicodeName = Utf8ToUtf16(entry.storedName);
    } else {
        entry.attributes = attributes;
        entry.oemName = entry.hostOs <= 2;
    }
    if (entry.directory)
        entry.attributes |= 0x10;
    return kOk;
}

RarReader::Status RarReader::ReadHeader5(Header5& header)
{
    const uint64_t archiveSize = m_source.Size();
    if (m_position >= archiveSize)
        return kEnd;
    uint8_t prefix[4 + 3] = {};
    size_t n = m_source.ReadAt(m_position, prefix, sizeof prefix);
    if (n < 5)
        return kBadData;
    FieldReader sizeReader(prefix + 4, n - 4);
    uint64_t headerSize = 0;
    if (!sizeReader.Vint(headerSize) || headerSize == 0 || headerSize > kMaxHeader5)
        return kBadData;
    size_t sizeBytes = sizeReader.Position();
    size_t total = 4 + sizeBytes + static_cast<size_t>(headerSize);
    if (total > archiveSize - m_position)
        return kBadData;
    header.block.resize(total);
    if (m_source.ReadAt(m_position, header.block.data(), total) != total)
        return kBadData;
    if (Crc32(header.block.data() + 4, total - 4) != Little32(header.block.data()))
        return kBadData;
    const uint8_t* data = header.block.data() + 4 + sizeBytes;
    FieldReader reader(data, static_cast<size_t>(headerSize));
    uint64_t extraSize = 0;
    header.dataSize = 0;
    if (!reader.Vint(header.type) || !reader.Vint(header.flags))
        return kBadData;
    if ((header.flags & kHasExtra5) != 0 && !reader.Vint(extraSize))
        return kBadData;
    if ((header.flags & kHasData5) != 0 && !reader.Vint(header.dataSize))
        return kBadData;
    if (extraSize > reader.Remaining())
        return kBadData;
    uint64_t next = m_position + total;
    if (header.dataSize > UINT64_MAX - next)
        return kBadData;
    m_position = next + header.dataSize;
    header.fieldsSize = reader.Remaining() - static_cast<size_t>(extraSize);
    header.fields = data + reader.Position();
    header.extra = header.fields + header.fieldsSize;
    header.extraSize = static_cast<size_t>(extraSize);
    return kOk;
}

RarReader::Status RarReader::OpenFormat5()
{
    // The main header comes first; an encryption header there means the headers are encrypted.
    Header5 header;
    Status status = ReadHeader5(header);
    if (status != kOk)
        return status == kEnd ? kBadData : status;
    if (header.type == kEncryptionHeader5)
        return kEncryptedHeaders;
    return header.type == kMainHeader5 ? kOk : kBadData;
}

RarReader::Status RarReader::Next5(RarEntryFacts& entry)
{
    for (;;) {
        Header5 header;
        Status status = ReadHeader5(header);
        if (status != kOk)
            return status;
        if (header.type == kEncryptionHeader5)
            return kEncryptedHeaders;
        if (header.type == kEndHeader5)
            return kEnd;
        if (header.type != kFileHeader5)
            continue;
        status = DescribeFile5(header.fields, header.fieldsSize, header.extra, header.extraSize, header.flags, entry);
        if (status != kOk)
            return status;
        entry.packedSize = header.dataSize;
        return kOk;
    }
}

RarReader::Status RarReader::DescribeFile5(const uint8_t* fields, size_t size, const uint8_t* extra, size_t extraSize,
    uint64_t headerFlags, RarEntryFacts& entry)
{
    FieldReader reader(fields, size);
    uint64_t fileFlags = 0, unpackedSize = 0, attributes = 0, compression = 0, hostOs = 0, nameLength = 0;
    const uint8_t* at = nullptr;
    if (!reader.Vint(fileFlags) || !reader.Vint(unpackedSize) || !reader.Vint(attributes))
        return kBadData;
    if ((fileFlags & kFileHasTime5) != 0) {
        if (!reader.Bytes(4, at))
            return kBadData;
        UnixTimeToFileTime(Little32(at), entry.fileTime);
    }
    if ((fileFlags & kFileHasCrc5) != 0 && !reader.Bytes(4, at))
        return kBadData;
    if (!reader.Vint(compression) || !reader.Vint(hostOs) || !reader.Vint(nameLength))
        return kBadData;
    if (nameLength > reader.Remaining() || !reader.Bytes(static_cast<size_t>(nameLength), at))
        return kBadData;
    size_t kept = nameLength < kRarMaxNameBytes ? static_cast<size_t>(nameLength) : kRarMaxNameBytes;
    entry.storedName.assign(reinterpret_cast<const char*>(at), kept);
    entry.unicodeName = Utf8ToUtf16(entry.storedName);
    entry.unpackedSize = unpackedSize;
    entry.hostOs = static_cast<uint8_t>(hostOs > 0xFF ? 0xFF : hostOs);
    entry.directory = (fileFlags & kFileIsFolder5) != 0;

    uint32_t flags = kRarLongBlock;
    if (entry.directory) {
        flags |= kRarDictionaryMask;
    } else {
        uint64_t dictionary = ((compression >> 10) & 0x0F) + 1;
        flags |= static_cast<uint32_t>((dictionary > 6 ? 6 : dictionary) << 5);
    }
    if ((compression & 0x40) != 0)
        flags |= kRarSolid;
    if ((headerFlags & kSplitBefore5) != 0)
        flags |= kRarSplitBefore;
    if ((headerFlags & kSplitAfter5) != 0)
        flags |= kRarSplitAfter;

    // The extra area: records of size, type and data.
    FieldReader records(extra, extraSize);
    while (records.Remaining() > 0) {
        uint64_t recordSize = 0, recordType = 0;
        if (!records.Vint(recordSize) || recordSize == 0 || recordSize > records.Remaining())
            break;
        const uint8_t* record = nullptr;
        records.Bytes(static_cast<size_t>(recordSize), record);
        FieldReader body(record, static_cast<size_t>(recordSize));
        if (!body.Vint(recordType))
            continue;
        if (recordType == kExtraEncryption5) {
            flags |= kRarEncrypted;
        } else if (recordType == kExtraTime5) {
            uint64_t timeFlags = 0;
            const uint8_t* t = nullptr;
            if (!body.Vint(timeFlags) || (timeFlags & 0x2) == 0)
                continue;
            if ((timeFlags & 0x1) != 0) {
                if (body.Bytes(4, t))
                    UnixTimeToFileTime(Little32(t), entry.fileTime);
            } else if (body.Bytes(8, t)) {
                uint64_t fileTime = Little64(t);
                if (fileTime <= static_cast<uint64_t>(INT64_MAX))
                    entry.fileTime = fileTime;
            }
        }
    }
    entry.flags = flags;
    uint32_t low = static_cast<uint32_t>(attributes);
    entry.attributes = hostOs == kHostUnix5 ? UnixModeToAttributes(low) : low;
    if (entry.directory)
        entry.attributes |= 0x10;
    return kOk;
}

}  // namespace morvick
