#include "tests/engine/ntfs/MftRecordBuilder.h"

namespace morvick::test {

namespace {
void Put(std::vector<uint8_t>& b, size_t at, uint64_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}
}  // namespace

MftRecordBuilder::MftRecordBuilder(uint16_t flags) : m_bytes(1024, 0), m_next(56)
{
    m_bytes[0] = 'F';
    m_bytes[1] = 'I';
    m_bytes[2] = 'L';
    m_bytes[3] = 'E';
    Put(m_bytes, 4, 48, 2);    // update-sequence array at 48
    Put(m_bytes, 6, 3, 2);     // number + two sectors
    Put(m_bytes, 20, 56, 2);   // first attribute
    Put(m_bytes, 22, flags, 2);
    Put(m_bytes, 48, 0x0007, 2);  // the update sequence number
}

MftRecordBuilder& MftRecordBuilder::Resident(uint32_t type, const std::vector<uint8_t>& value, const std::u16string& name)
{
    const uint32_t nameOffset = 24;
    const uint32_t valueOffset = (nameOffset + static_cast<uint32_t>(name.size()) * 2 + 7) & ~7u;
    const uint32_t length = (valueOffset + static_cast<uint32_t>(value.size()) + 7) & ~7u;
    const uint32_t at = m_next;
    Put(m_bytes, at, type, 4);
    Put(m_bytes, at + 4, length, 4);
    m_bytes[at + 8] = 0;
    m_bytes[at + 9] = static_cast<uint8_t>(name.size());
    Put(m_bytes, at + 10, nameOffset, 2);
    Put(m_bytes, at + 16, value.size(), 4);
    Put(m_bytes, at + 20, valueOffset, 2);
    for (size_t i = 0; i < name.size(); ++i)
        Put(m_bytes, at + nameOffset + 2 * i, name[i], 2);
    for (size_t i = 0; i < value.size(); ++i)
        m_bytes[at + valueOffset + i] = value[i];
    m_last = at;
    m_next = at + length;
    return *this;
}

MftRecordBuilder& MftRecordBuilder::FileName(const std::u16string& name, uint32_t parent, uint8_t nameSpace,
                                             uint64_t creation, uint64_t change)
{
    std::vector<uint8_t> v(66 + name.size() * 2, 0);
    Put(v, 0, parent, 4);
    Put(v, 8, creation, 8);
    Put(v, 24, change, 8);
    v[64] = static_cast<uint8_t>(name.size());
    v[65] = nameSpace;
    for (size_t i = 0; i < name.size(); ++i)
        Put(v, 66 + 2 * i, name[i], 2);
    return Resident(0x30, v, u"");
}

MftRecordBuilder& MftRecordBuilder::ResidentData(const std::vector<uint8_t>& value, const std::u16string& name)
{
    return Resident(0x80, value, name);
}

MftRecordBuilder& MftRecordBuilder::NonResident(uint32_t type, const std::vector<uint8_t>& runs, uint64_t realSize,
                                                uint64_t lowestVcn, const std::u16string& name)
{
    const uint32_t nameOffset = 64;
    const uint32_t runOffset = (nameOffset + static_cast<uint32_t>(name.size()) * 2 + 7) & ~7u;
    const uint32_t length = (runOffset + static_cast<uint32_t>(runs.size()) + 7) & ~7u;
    const uint32_t at = m_next;
    Put(m_bytes, at, type, 4);
    Put(m_bytes, at + 4, length, 4);
    m_bytes[at + 8] = 1;
    m_bytes[at + 9] = static_cast<uint8_t>(name.size());
    Put(m_bytes, at + 10, nameOffset, 2);
    Put(m_bytes, at + 16, lowestVcn, 8);
    Put(m_bytes, at + 32, runOffset, 2);
    Put(m_bytes, at + 48, realSize, 8);
    for (size_t i = 0; i < name.size(); ++i)
        Put(m_bytes, at + nameOffset + 2 * i, name[i], 2);
    for (size_t i = 0; i < runs.size(); ++i)
        m_bytes[at + runOffset + i] = runs[i];
    m_last = at;
    m_next = at + length;
    return *this;
}

MftRecordBuilder& MftRecordBuilder::AttributeList(const std::vector<ListEntry>& entries)
{
    std::vector<uint8_t> v;
    for (const ListEntry& e : entries) {
        std::vector<uint8_t> entry(32, 0);
        Put(entry, 0, e.type, 4);
        Put(entry, 4, 32, 2);
        Put(entry, 8, e.startVcn, 8);
        Put(entry, 16, e.record, 4);
        v.insert(v.end(), entry.begin(), entry.end());
    }
    return Resident(0x20, v, u"");
}

MftRecordBuilder& MftRecordBuilder::IndexRoot(uint32_t firstEntryParent, bool empty)
{
    std::vector<uint8_t> v(16 + 16, 0);
    Put(v, 0, 0x30, 4);
    Put(v, 8, 4096, 4);
    Put(v, 16, 16, 4);  // entries start right after the index header
    if (empty) {
        std::vector<uint8_t> end(16, 0);
        Put(end, 8, 16, 2);
        Put(end, 12, 2, 4);
        v.insert(v.end(), end.begin(), end.end());
    } else {
        std::vector<uint8_t> entry(16 + 66 + 2, 0);
        Put(entry, 0, 70, 8);
        Put(entry, 8, entry.size(), 2);
        Put(entry, 10, 68, 2);
        Put(entry, 16, firstEntryParent, 4);
        entry[16 + 64] = 1;
        entry[16 + 66] = 'a';
        v.insert(v.end(), entry.begin(), entry.end());
    }
    return Resident(0x90, v, u"$I30");
}

MftRecordBuilder& MftRecordBuilder::BaseRecord(uint32_t base, uint16_t sequence)
{
    Put(m_bytes, 32, base, 4);
    Put(m_bytes, 38, sequence, 2);
    return *this;
}

MftRecordBuilder& MftRecordBuilder::Numbered(uint32_t number, uint16_t sequence)
{
    Put(m_bytes, 44, number, 4);
    Put(m_bytes, 16, sequence, 2);
    return *this;
}

std::vector<uint8_t> MftRecordBuilder::Build() const
{
    std::vector<uint8_t> r = m_bytes;
    Put(r, m_next, 0xFFFFFFFFu, 4);
    for (int i = 0; i < 2; ++i) {
        const size_t end = 510 + 512 * i;
        r[50 + 2 * i] = r[end];
        r[51 + 2 * i] = r[end + 1];
        r[end] = r[48];
        r[end + 1] = r[49];
    }
    return r;
}

}  // namespace morvick::test
