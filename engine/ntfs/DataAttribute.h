// The unnamed $DATA attribute of an MFT record: where it is, how big the file is, and its runs.
#pragma once

#include "engine/ntfs/RunList.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace morvick {

enum class DataAttributeKind { None = 0, Resident = 1, NonResident = 2 };

// The unnamed $DATA of the record; `offset` gets the attribute's offset in the record.
DataAttributeKind FindDataAttribute(const uint8_t* record, size_t length, uint32_t& offset);

// The file's size: the value length of a resident $DATA, the real size of a non-resident one. False
// when the record has no unnamed $DATA.
bool GetMftRecordDataSize(const uint8_t* record, size_t length, uint64_t& size);

// The runs of the non-resident attribute at `attributeOffset` (bounded by the attribute's own
// length). False when the attribute is resident or its run list is damaged (see DecodeRunList).
bool DecodeAttributeRuns(const uint8_t* record, size_t length, uint32_t attributeOffset,
                         std::vector<DataRun>& runs, uint64_t volumeClusters = 0);

}  // namespace morvick
