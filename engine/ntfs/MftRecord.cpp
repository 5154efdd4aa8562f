#include "engine/ntfs/MftRecord.h"

#include "engine/volume/BufferBounds.h"
#include "engine/util/Endian.h"
#include "engine/volume/SectorSource.h"

#include <cstring>

namespace morvick {

bool ApplyMultiSectorFixups(uint8_t* record, size_t length)
{
    if (length < kSectorSize || length % kSectorSize != 0)
        return false;
    const size_t offset = ReadLittleEndian16(record + 4);
    const size_t count = ReadLittleEndian16(record + 6);
    const size_t sectors = length / kSectorSize;
    // The array: the update sequence number, then one saved word per sector. It must lie inside the
    // first sector, before that sector's own end.
    if (count != sectors + 1 || offset < 8 || !FitsIn(kSectorSize - 2, offset, count * 2))
        return false;
    // Each sector's end must hold the update sequence number before it is put back: a record torn
    // by an interrupted write (one sector new, one old) would otherwise be read as if whole.
    const uint8_t usn0 = record[offset];
    const uint8_t usn1 = record[offset + 1];
    for (size_t i = 0; i < sectors; ++i) {
        const size_t end = i * kSectorSize + kSectorSize - 2;
        if (record[end] != usn0 || record[end + 1] != usn1)
            return false;
    }
    for (size_t i = 0; i < sectors; ++i) {
        const size_t end = i * kSectorSize + kSectorSize - 2;
        record[end] = record[offset + 2 + 2 * i];
        record[end + 1] = record[offset + 3 + 2 * i];
    }
    return true;
}

bool ParseMftRecordHeader(const uint8_t* record, size_t length, MftRecordHeader& out)
{
    if (length < 48 || std::memcmp(record, "FILE", 4) != 0)
        return false;
    const uint16_t first = ReadLittleEndian16(record + 20);
    if (first < 24 || first >= length)
        return false;
    out.firstAttribute = first;
    out.flags = ReadLittleEndian16(record + 22);
    out.sequence = ReadLittleEndian16(record + 16);
    out.extension = ReadLittleEndian64(record + 32) != 0;
    out.baseRecord = ReadLittleEndian32(record + 32);
    out.baseRecordHigh = ReadLittleEndian16(record + 36);
    out.baseSequence = ReadLittleEndian16(record + 38);
    out.numbered = ReadLittleEndian16(record + 4) >= 48;
    out.number = out.numbered ? ReadLittleEndian32(record + 44) : 0;
    out.allocatedSize = ReadLittleEndian32(record + 28);
    return true;
}

uint32_t MftRecordSectorsOf(const MftRecordHeader& header)
{
    return IsMftRecordSize(header.allocatedSize) ? header.allocatedSize / kSectorSize : kSectorsPerMftRecord;
}

bool ReferenceNamesRecord(uint16_t referenced, uint16_t sequence, bool inUse)
{
    // A freed record's sequence number skips 0 when it wraps.
    const uint16_t before = sequence > 1 ? static_cast<uint16_t>(sequence - 1) : 0xFFFF;
    return referenced == sequence || (!inUse && referenced == before);
}

bool IsExtensionRecordOf(const MftRecordHeader& extension, uint32_t baseNumber, const MftRecordHeader& base)
{
    if (!extension.extension || extension.baseRecord != baseNumber || extension.baseRecordHigh != 0)
        return false;
    // The number before the base's only for a base not in use: else a reused record takes a deleted file's name.
    return ReferenceNamesRecord(extension.baseSequence, base.sequence, (base.flags & 1) != 0);
}

std::vector<MftAttribute> ListMftAttributes(const uint8_t* record, size_t length)
{
    std::vector<MftAttribute> list;
    MftRecordHeader header;
    if (!ParseMftRecordHeader(record, length, header))
        return list;
    size_t off = header.firstAttribute;
    while (FitsIn(length, off, 8)) {
        const uint32_t type = ReadLittleEndian32(record + off);
        if (type == 0 || type == 0xFFFFFFFFu)
            break;
        MftAttribute a;
        a.type = type;
        a.offset = static_cast<uint32_t>(off);
        a.length = ReadLittleEndian32(record + off + 4);
        if (a.length < 24 || !FitsIn(length, off, a.length))
            break;
        const uint8_t* p = record + off;
        a.nonResident = p[8] != 0;
        a.nameLength = p[9];
        a.nameOffset = ReadLittleEndian16(p + 10);
        a.flags = ReadLittleEndian16(p + 12);
        if (a.nameLength != 0 && !FitsIn(a.length, a.nameOffset, a.nameLength * 2u))
            break;
        if (!a.nonResident) {
            a.valueLength = ReadLittleEndian32(p + 16);
            a.valueOffset = ReadLittleEndian16(p + 20);
            if (!FitsIn(a.length, a.valueOffset, a.valueLength))
                break;
        } else {
            if (a.length < 64)
                break;
            a.lowestVcn = ReadLittleEndian64(p + 16);
            a.highestVcn = ReadLittleEndian64(p + 24);
            a.runListOffset = ReadLittleEndian16(p + 32);
            a.compressionUnit = p[34];
            a.realSize = ReadLittleEndian64(p + 48);
            a.initializedSize = ReadLittleEndian64(p + 56);
            if (a.runListOffset < 64 || a.runListOffset >= a.length)
                break;
        }
        list.push_back(a);
        off += a.length;
    }
    return list;
}

bool HasMftAttribute(const uint8_t* record, size_t length, uint32_t type)
{
    for (const MftAttribute& a : ListMftAttributes(record, length)) {
        if (a.type == type)
            return true;
    }
    return false;
}

bool MftAttributeNameIs(const uint8_t* record, const MftAttribute& attribute, const char* name)
{
    const size_t n = std::strlen(name);
    if (attribute.nameLength != n)
        return false;
    const uint8_t* p = record + attribute.offset + attribute.nameOffset;
    for (size_t i = 0; i < n; ++i) {
        if (ReadLittleEndian16(p + 2 * i) != static_cast<uint8_t>(name[i]))
            return false;
    }
    return true;
}

}  // namespace morvick
