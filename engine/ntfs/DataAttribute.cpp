#include "engine/ntfs/DataAttribute.h"

#include "engine/ntfs/MftRecord.h"

namespace morvick {

DataAttributeKind FindDataAttribute(const uint8_t* record, size_t length, uint32_t& offset)
{
    for (const MftAttribute& a : ListMftAttributes(record, length)) {
        if (a.type != kAttrData || a.nameLength != 0)
            continue;
        offset = a.offset;
        return a.nonResident ? DataAttributeKind::NonResident : DataAttributeKind::Resident;
    }
    return DataAttributeKind::None;
}

bool GetMftRecordDataSize(const uint8_t* record, size_t length, uint64_t& size)
{
    for (const MftAttribute& a : ListMftAttributes(record, length)) {
        if (a.type != kAttrData || a.nameLength != 0)
            continue;
        size = a.nonResident ? a.realSize : a.valueLength;
        return true;
    }
    return false;
}

bool DecodeAttributeRuns(const uint8_t* record, size_t length, uint32_t attributeOffset,
                         std::vector<DataRun>& runs, uint64_t volumeClusters)
{
    runs.clear();
    for (const MftAttribute& a : ListMftAttributes(record, length)) {
        if (a.offset != attributeOffset)
            continue;
        if (!a.nonResident)
            return false;
        return DecodeRunList(record + a.offset + a.runListOffset, a.length - a.runListOffset, runs, volumeClusters);
    }
    return false;
}

}  // namespace morvick
