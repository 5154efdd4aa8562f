// The File Trace test of a run of sectors read from the partition: each sector that begins with a
// chosen signature becomes a traced file named by its running hit number and its extension.
#pragma once

#include "engine/scan/TraceSignatureIndex.h"
#include "engine/state/RecordList.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

// The kind of a compound document found at a sector: ".ppt", ".xls", ".doc" or ".pub".
using OfficeKindReader = std::function<std::u16string(uint32_t sector)>;

// What the test of one sector gave.
enum class SectorTrace {
    kNoHit,
    kHit,          // a traced file was appended
    kOutOfMemory,  // after the out-of-memory report; nothing was appended
};

// The extension a trace gives a hit of `signature` at `sector`: the signature's own, but for a ".doc"
// signature the kind that readKind reports (the application named in the compound document tells
// Word, Excel, PowerPoint and Publisher files apart) when that kind is the extension of a signature
// of `signatures` too, ignoring case. Office Open XML documents are ZIP archives and keep theirs.
std::u16string TracedExtension(const TraceHitRecord& signature, uint32_t sector, const TraceSignatureIndex& signatures,
    const OfficeKindReader& readKind);

// Tests the sectorSize bytes at `bytes`, sector `sector`, as TraceSectors tests each of its sectors.
SectorTrace TraceSector(const uint8_t* bytes, size_t sectorSize, uint32_t sector, const TraceSignatureIndex& signatures,
    const OfficeKindReader& readKind, uint32_t& hitNumber, RecordList<TracedFileRecord>& hits);

// Tests count sectors of sectorSize bytes at buffer in order, the first being sector firstSector,
// against the chosen signatures (the first that matches wins). A hit raises hitNumber and appends a
// TracedFileRecord: name hitNumber followed by the extension, the extension, the signature's
// description, the sector and the hit number; the extension is TracedExtension's (without readKind,
// the signature's own). False after the out-of-memory report; the hits before it stay.
bool TraceSectors(const uint8_t* buffer, size_t count, size_t sectorSize, uint32_t firstSector,
    const TraceSignatureIndex& signatures, const OfficeKindReader& readKind, uint32_t& hitNumber,
    RecordList<TracedFileRecord>& hits);
// The same with the list indexed for this call only.
bool TraceSectors(const uint8_t* buffer, size_t count, size_t sectorSize, uint32_t firstSector,
    const RecordList<TraceHitRecord>& signatures, const OfficeKindReader& readKind, uint32_t& hitNumber,
    RecordList<TracedFileRecord>& hits);
