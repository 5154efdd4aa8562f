#include "engine/scan/CompoundAppName.h"

#include "engine/util/Endian.h"

#include <cstring>
#include <vector>

namespace {

constexpr uint8_t kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
constexpr uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr uint32_t kNoStream = 0xFFFFFFFF;
constexpr size_t kHeaderTableEntries = 109;
constexpr size_t kDirectoryEntryBytes = 128;
// The summary-information property set F29F85E0-4FF9-1068-AB91-08002B27B3D9 as stored.
constexpr uint8_t kSummaryFormat[16] = {0xE0, 0x85, 0x9F, 0xF2, 0xF9, 0x4F, 0x68, 0x10,
                                        0xAB, 0x91, 0x08, 0x00, 0x2B, 0x27, 0xB3, 0xD9};
constexpr uint32_t kAppNameProperty = 18;
constexpr uint32_t kCodePageProperty = 1;
constexpr uint32_t kTypeLpstr = 30;
constexpr uint32_t kUnicodeCodePage = 1200;
constexpr char16_t kSummaryStreamName[] = u"\005SummaryInformation";

using Bytes = std::vector<uint8_t>;

class CompoundFile {
public:
    CompoundFile(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    bool Open()
    {
        if (m_size < 512 || std::memcmp(m_data, kSignature, 8) != 0 || ReadLittleEndian16(m_data + 0x1C) != 0xFFFE)
            return false;
        const uint16_t shift = ReadLittleEndian16(m_data + 0x1E);
        const uint16_t miniShift = ReadLittleEndian16(m_data + 0x20);
        if ((shift != 9 && shift != 12) || miniShift != 6)
            return false;
        m_sectorBytes = size_t(1) << shift;
        m_sectorCount = m_size / m_sectorBytes > 0 ? m_size / m_sectorBytes - 1 : 0;
        m_miniCutoff = ReadLittleEndian32(m_data + 0x38);
        Bytes miniTable;
        if (!ReadSectorTable() || !ReadChain(ReadLittleEndian32(m_data + 0x30), m_directory)
            || !ReadChain(ReadLittleEndian32(m_data + 0x3C), miniTable))
            return false;
        for (size_t i = 0; i + 4 <= miniTable.size(); i += 4)
            m_miniTable.push_back(ReadLittleEndian32(miniTable.data() + i));
        return true;
    }

    // The stream of the root storage named name; false when it is missing or can't be read whole.
    bool ReadRootStream(const char16_t* name, Bytes& stream)
    {
        const size_t entries = m_directory.size() / kDirectoryEntryBytes;
        if (entries == 0 || Entry(0)[0x42] != 5)
            return false;
        if (!ReadLargeStream(0, m_miniStream))
            m_miniStream.clear();
        // The root's children form a tree through the left and right sibling ids; each id is
        // visited once, so a damaged tree can't loop.
        std::vector<bool> seen(entries, false);
        std::vector<uint32_t> pending{ReadLittleEndian32(Entry(0) + 0x4C)};
        while (!pending.empty()) {
            const uint32_t id = pending.back();
            pending.pop_back();
            if (id >= entries || seen[id])
                continue;
            seen[id] = true;
            const uint8_t* entry = Entry(id);
            pending.push_back(ReadLittleEndian32(entry + 0x44));
            pending.push_back(ReadLittleEndian32(entry + 0x48));
            if (entry[0x42] == 2 && HasName(entry, name))
                return ReadStream(id, stream);
        }
        return false;
    }

private:
    const uint8_t* Entry(size_t id) const { return m_directory.data() + id * kDirectoryEntryBytes; }

    static bool HasName(const uint8_t* entry, const char16_t* name)
    {
        const size_t bytes = ReadLittleEndian16(entry + 0x40);
        size_t length = 0;
        while (name[length])
            ++length;
        if (bytes != 2 * (length + 1) || bytes > 64)
            return false;
        for (size_t i = 0; i < length; ++i) {
            if (ReadLittleEndian16(entry + 2 * i) != name[i])
                return false;
        }
        return true;
    }

    // The sector table from the sector numbers in the header and in the chain of table-list sectors.
    bool ReadSectorTable()
    {
        std::vector<uint32_t> tableSectors;
        for (size_t i = 0; i < kHeaderTableEntries; ++i)
            tableSectors.push_back(ReadLittleEndian32(m_data + 0x4C + 4 * i));
        uint32_t listSector = ReadLittleEndian32(m_data + 0x44);
        const size_t perSector = m_sectorBytes / 4;
        // Only the entries of sectors that lie in the bytes given can be of use.
        const size_t needed = (m_sectorCount + perSector - 1) / perSector;
        for (size_t steps = 0; listSector < m_sectorCount && tableSectors.size() < needed; ++steps) {
            if (steps >= m_sectorCount)
                return false;
            const uint8_t* p = SectorData(listSector);
            for (size_t i = 0; i + 1 < perSector; ++i)
                tableSectors.push_back(ReadLittleEndian32(p + 4 * i));
            listSector = ReadLittleEndian32(p + 4 * (perSector - 1));
        }
        for (size_t i = 0; i < tableSectors.size() && i < needed; ++i) {
            const uint32_t s = tableSectors[i];
            if (s >= m_sectorCount)
                break;
            const uint8_t* p = SectorData(s);
            for (size_t k = 0; k < perSector; ++k)
                m_table.push_back(ReadLittleEndian32(p + 4 * k));
        }
        return !m_table.empty();
    }

    const uint8_t* SectorData(uint32_t sector) const { return m_data + (size_t(sector) + 1) * m_sectorBytes; }

    // The bytes of the whole sector chain from first; an empty chain gives no bytes.
    bool ReadChain(uint32_t first, Bytes& out) const
    {
        out.clear();
        if (first == kNoStream)
            return true;
        uint32_t sector = first;
        for (size_t steps = 0; sector != kEndOfChain; ++steps) {
            if (sector >= m_sectorCount || sector >= m_table.size() || steps >= m_sectorCount)
                return false;
            const uint8_t* p = SectorData(sector);
            out.insert(out.end(), p, p + m_sectorBytes);
            sector = m_table[sector];
        }
        return true;
    }

    // A stream of whole sectors: its chain, cut to the size in its directory entry.
    bool ReadLargeStream(size_t id, Bytes& stream) const
    {
        const uint8_t* entry = Entry(id);
        const uint32_t size = ReadLittleEndian32(entry + 0x78);
        if (!ReadChain(ReadLittleEndian32(entry + 0x74), stream) || stream.size() < size)
            return false;
        stream.resize(size);
        return true;
    }

    bool ReadStream(size_t id, Bytes& stream) const
    {
        const uint8_t* entry = Entry(id);
        const uint32_t size = ReadLittleEndian32(entry + 0x78);
        if (size >= m_miniCutoff)
            return ReadLargeStream(id, stream);
        // A small stream lives in 64-byte pieces of the root's stream, chained by the small table.
        constexpr size_t kMiniBytes = 64;
        stream.clear();
        uint32_t piece = ReadLittleEndian32(entry + 0x74);
        const size_t pieces = m_miniStream.size() / kMiniBytes;
        for (size_t steps = 0; stream.size() < size; ++steps) {
            if (piece >= pieces || piece >= m_miniTable.size() || steps >= pieces)
                return false;
            const uint8_t* p = m_miniStream.data() + size_t(piece) * kMiniBytes;
            stream.insert(stream.end(), p, p + kMiniBytes);
            piece = m_miniTable[piece];
        }
        stream.resize(size);
        return true;
    }

    const uint8_t* m_data;
    size_t m_size;
    size_t m_sectorBytes = 512;
    size_t m_sectorCount = 0;
    uint32_t m_miniCutoff = 4096;
    std::vector<uint32_t> m_table;
    std::vector<uint32_t> m_miniTable;
    Bytes m_directory;
    Bytes m_miniStream;
};

bool FitsIn(const Bytes& bytes, size_t offset, size_t length)
{
    return offset <= bytes.size() && length <= bytes.size() - offset;
}

// The value of property id in the section at offset: its type and where its value starts.
bool FindProperty(const Bytes& set, size_t section, uint32_t id, uint32_t& type, size_t& value)
{
    if (!FitsIn(set, section, 8))
        return false;
    const uint32_t count = ReadLittleEndian32(set.data() + section + 4);
    for (uint32_t i = 0; i < count; ++i) {
        const size_t pair = section + 8 + size_t(i) * 8;
        if (!FitsIn(set, pair, 8))
            return false;
        if (ReadLittleEndian32(set.data() + pair) != id)
            continue;
        const size_t at = section + ReadLittleEndian32(set.data() + pair + 4);
        if (at < section || !FitsIn(set, at, 4))
            return false;
        type = ReadLittleEndian32(set.data() + at) & 0xFFFF;
        value = at + 4;
        return true;
    }
    return false;
}

bool ReadAppNameProperty(const Bytes& set, std::string& appName)
{
    if (!FitsIn(set, 0, 28) || ReadLittleEndian16(set.data()) != 0xFFFE)
        return false;
    const uint32_t sets = ReadLittleEndian32(set.data() + 24);
    for (uint32_t i = 0; i < sets; ++i) {
        const size_t entry = 28 + size_t(i) * 20;
        if (!FitsIn(set, entry, 20))
            return false;
        if (std::memcmp(set.data() + entry, kSummaryFormat, 16) != 0)
            continue;
        const size_t section = ReadLittleEndian32(set.data() + entry + 16);
        uint32_t type = 0;
        size_t value = 0;
        bool unicode = false;
        if (FindProperty(set, section, kCodePageProperty, type, value) && FitsIn(set, value, 2))
            unicode = ReadLittleEndian16(set.data() + value) == kUnicodeCodePage;
        if (!FindProperty(set, section, kAppNameProperty, type, value) || type != kTypeLpstr || !FitsIn(set, value, 4))
            return false;
        const size_t length = ReadLittleEndian32(set.data() + value);
        if (!FitsIn(set, value + 4, length))
            return false;
        const uint8_t* text = set.data() + value + 4;
        appName.clear();
        // Under the Unicode code page the text is UTF-16; the names told apart are plain ASCII.
        const size_t step = unicode ? 2 : 1;
        for (size_t k = 0; k + step <= length; k += step) {
            const uint16_t c = unicode ? ReadLittleEndian16(text + k) : text[k];
            if (c == 0)
                break;
            appName.push_back(!unicode || c < 0x80 ? static_cast<char>(c) : '?');
        }
        return true;
    }
    return false;
}

} // namespace

bool ReadCompoundAppName(const uint8_t* data, size_t size, std::string& appName)
{
    appName.clear();
    if (!data)
        return false;
    CompoundFile file(data, size);
    Bytes summary;
    if (!file.Open() || !file.ReadRootStream(kSummaryStreamName, summary))
        return false;
    return ReadAppNameProperty(summary, appName);
}
