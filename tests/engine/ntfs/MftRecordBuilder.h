// Hand-made MFT records: a FILE header, attributes added one by one, the end marker, and the
// update-sequence protection of the sector ends, as NTFS writes them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace morvick::test {

class MftRecordBuilder {
public:
    explicit MftRecordBuilder(uint16_t flags = 1);

    MftRecordBuilder& FileName(const std::u16string& name, uint32_t parent, uint8_t nameSpace,
                               uint64_t creation = 1, uint64_t change = 2);
    MftRecordBuilder& ResidentData(const std::vector<uint8_t>& value, const std::u16string& name = u"");
    MftRecordBuilder& NonResident(uint32_t type, const std::vector<uint8_t>& runs, uint64_t realSize,
                                  uint64_t lowestVcn = 0, const std::u16string& name = u"");
    // A resident attribute list: entries {type, start VCN, record}.
    struct ListEntry {
        uint32_t type;
        uint64_t startVcn;
        uint32_t record;
    };
    MftRecordBuilder& AttributeList(const std::vector<ListEntry>& entries);
    MftRecordBuilder& IndexRoot(uint32_t firstEntryParent, bool empty = false);
    // An extension record of `base`, whose sequence number was `sequence` when it was made.
    MftRecordBuilder& BaseRecord(uint32_t base, uint16_t sequence = 0);
    // The record's own number (kept at 44) and sequence number.
    MftRecordBuilder& Numbered(uint32_t number, uint16_t sequence);

    // The finished record, its sector ends protected (the saved words hold the true bytes).
    std::vector<uint8_t> Build() const;

    // Offset of the last attribute added.
    uint32_t LastAttribute() const { return m_last; }

private:
    MftRecordBuilder& Resident(uint32_t type, const std::vector<uint8_t>& value, const std::u16string& name);

    std::vector<uint8_t> m_bytes;
    uint32_t m_next;
    uint32_t m_last = 0;
};

}  // namespace morvick::test
