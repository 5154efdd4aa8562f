#include "engine/scan/TraceSectors.h"

#include "engine/scan/SignatureMatch.h"

namespace {

char16_t Lower(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool SameExtension(const std::u16string& a, const char16_t* b)
{
    size_t i = 0;
    for (; b && b[i]; ++i) {
        if (i >= a.size() || Lower(a[i]) != Lower(b[i]))
            return false;
    }
    return b && i == a.size();
}

bool IsChosenExtension(const RecordList<TraceHitRecord>& signatures, const std::u16string& extension)
{
    for (const TraceHitRecord* s = signatures.head; s; s = s->next) {
        if (SameExtension(extension, s->extension))
            return true;
    }
    return false;
}

// A compound-document hit: the application named in the document tells Word, Excel, PowerPoint
// and Publisher files apart. Office Open XML documents are ZIP archives and keep their extension.
std::u16string HitExtension(const TraceHitRecord& signature, uint32_t sector,
    const RecordList<TraceHitRecord>& signatures, const OfficeKindReader& readKind)
{
    const std::u16string own = signature.extension ? signature.extension : u"";
    if (!readKind || !SameExtension(u".doc", signature.extension))
        return own;
    const std::u16string kind = readKind(sector);
    return !kind.empty() && IsChosenExtension(signatures, kind) ? kind : own;
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

bool TraceSectors(const uint8_t* buffer, size_t count, size_t sectorSize, uint32_t firstSector,
    const RecordList<TraceHitRecord>& signatures, const OfficeKindReader& readKind, uint32_t& hitNumber,
    RecordList<TracedFileRecord>& hits)
{
    if (!buffer || sectorSize == 0)
        return true;
    for (size_t i = 0; i < count; ++i) {
        const uint32_t sector = firstSector + static_cast<uint32_t>(i);
        const TraceHitRecord* signature = MatchTraceSignature(buffer + i * sectorSize, sectorSize, signatures.head);
        if (!signature)
            continue;
        const std::u16string extension = HitExtension(*signature, sector, signatures, readKind);
        if (!AppendTracedFile(hits, extension, *signature, sector, hitNumber + 1))
            return false;
        ++hitNumber;
    }
    return true;
}
