#include "engine/scan/TraceSectors.h"

namespace {

bool IsWordExtension(const std::u16string& extension)
{
    static const char16_t kWord[] = u".doc";
    if (extension.size() != 4)
        return false;
    for (size_t i = 0; i < 4; ++i) {
        const char16_t c = extension[i] >= u'A' && extension[i] <= u'Z' ? extension[i] + 32 : extension[i];
        if (c != kWord[i])
            return false;
    }
    return true;
}

std::u16string DecimalText(uint32_t value)
{
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

bool AppendTracedFile(RecordList<TracedFileRecord>& hits, const std::u16string& extension,
    const TraceHitRecord& signature, uint32_t sector, uint32_t hitNumber)
{
    TracedFileRecord* record = NewRecord<TracedFileRecord>();
    if (!record)
        return false;
    record->name = CopyRecordName(DecimalText(hitNumber) + extension);
    record->extension = CopyRecordName(extension);
    record->typeName = CopyRecordName(signature.description ? signature.description : u"");
    if (!record->name || !record->extension || !record->typeName) {
        FreeRecord(record);
        return false;
    }
    record->sector = sector;
    record->hitNumber = hitNumber;
    AppendRecord(hits, record);
    return true;
}

} // namespace

std::u16string TracedExtension(const TraceHitRecord& signature, uint32_t sector,
    const TraceSignatureIndex& signatures, const OfficeKindReader& readKind)
{
    const std::u16string own = signature.extension ? signature.extension : u"";
    if (!readKind || !IsWordExtension(own))
        return own;
    const std::u16string kind = readKind(sector);
    return !kind.empty() && signatures.FindExtension(kind.c_str()) ? kind : own;
}

bool TraceSectors(const uint8_t* buffer, size_t count, size_t sectorSize, uint32_t firstSector,
    const RecordList<TraceHitRecord>& signatures, const OfficeKindReader& readKind, uint32_t& hitNumber,
    RecordList<TracedFileRecord>& hits)
{
    return TraceSectors(buffer, count, sectorSize, firstSector, TraceSignatureIndex(signatures.head), readKind,
        hitNumber, hits);
}

SectorTrace TraceSector(const uint8_t* bytes, size_t sectorSize, uint32_t sector, const TraceSignatureIndex& signatures,
    const OfficeKindReader& readKind, uint32_t& hitNumber, RecordList<TracedFileRecord>& hits)
{
    const TraceHitRecord* signature = signatures.Match(bytes, sectorSize);
    if (!signature)
        return SectorTrace::kNoHit;
    const std::u16string extension = TracedExtension(*signature, sector, signatures, readKind);
    if (!AppendTracedFile(hits, extension, *signature, sector, hitNumber + 1))
        return SectorTrace::kOutOfMemory;
    ++hitNumber;
    return SectorTrace::kHit;
}

bool TraceSectors(const uint8_t* buffer, size_t count, size_t sectorSize, uint32_t firstSector,
    const TraceSignatureIndex& signatures, const OfficeKindReader& readKind, uint32_t& hitNumber,
    RecordList<TracedFileRecord>& hits)
{
    if (!buffer || sectorSize == 0)
        return true;
    for (size_t i = 0; i < count; ++i) {
        const uint32_t sector = firstSector + static_cast<uint32_t>(i);
        if (TraceSector(buffer + i * sectorSize, sectorSize, sector, signatures, readKind, hitNumber, hits) ==
            SectorTrace::kOutOfMemory)
            return false;
    }
    return true;
}
