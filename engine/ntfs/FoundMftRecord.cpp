#include "engine/ntfs/FoundMftRecord.h"

#include "engine/ntfs/DataAttribute.h"
#include "engine/ntfs/FileNameAttribute.h"
#include "engine/ntfs/FolderIndex.h"
#include "engine/ntfs/MftRecord.h"
#include "engine/ntfs/NamelessRecord.h"
#include "engine/volume/BufferBounds.h"

namespace morvick {

namespace {
bool EqualsIgnoringAsciiCase(const std::u16string& a, const char* b)
{
    size_t i = 0;
    for (; i < a.size() && b[i] != 0; ++i) {
        char16_t x = a[i];
        char16_t y = static_cast<unsigned char>(b[i]);
        if (x >= u'a' && x <= u'z')
            x = static_cast<char16_t>(x - 32);
        if (y >= u'a' && y <= u'z')
            y = static_cast<char16_t>(y - 32);
        if (x != y)
            return false;
    }
    return i == a.size() && b[i] == 0;
}

// A base record that the engine lists: a FILE record with flags up to 3 that is no extension record.
// An extension record holds more attributes of the file in its base record; it is not a file, and
// taken for one it would list that file a second time.
bool ParseBaseRecord(const uint8_t* record, size_t length, MftRecordHeader& header)
{
    return ParseMftRecordHeader(record, length, header) && header.flags <= 3 && !header.extension;
}

void Decode(const uint8_t* record, size_t length, const MftRecordHeader& header, const NtfsFileName& name,
    FoundMftRecord& out)
{
    FoundMftRecord r;
    r.folder = (header.flags & 2) != 0;
    r.deleted = (header.flags & 1) == 0;
    r.name = name.name;
    r.parent = name.parent;
    r.parentHigh = name.parentHigh;
    r.parentSequence = name.parentSequence;
    r.sequence = header.sequence;
    r.creationTime = name.creationTime;
    r.changeTime = name.changeTime;
    if (r.folder) {
        if (EqualsIgnoringAsciiCase(r.name, "."))
            r.ownNumber = 5;
        else if (EqualsIgnoringAsciiCase(r.name, "$Extend"))
            r.ownNumber = 11;
        else
            r.ownNumber = GetIndexRootParent(record, length);
        r.indexAllocationCluster = GetIndexAllocationStart(record, length);
    } else {
        uint64_t size = 0;
        if (GetMftRecordDataSize(record, length, size))
            r.size = size;
        else
            r.dataElsewhere = HasMftAttribute(record, length, kAttrAttributeList);
    }
    out = r;
}
}  // namespace

bool DecodeFoundMftRecord(const uint8_t* record, size_t length, FoundMftRecord& out)
{
    MftRecordHeader header;
    NtfsFileName name;
    if (!ParseBaseRecord(record, length, header) || !ReadPreferredFileName(record, length, name))
        return false;
    Decode(record, length, header, name, out);
    return true;
}

bool AwaitsExtensionFileName(const uint8_t* record, size_t length)
{
    MftRecordHeader header;
    NtfsFileName name;
    return ParseBaseRecord(record, length, header) && !ReadPreferredFileName(record, length, name) &&
        HasMftAttribute(record, length, kAttrAttributeList);
}

bool DecodeFoundMftRecordNamed(const uint8_t* record, size_t length, const NtfsFileName& name, FoundMftRecord& out)
{
    MftRecordHeader header;
    if (!AwaitsExtensionFileName(record, length) || !ParseBaseRecord(record, length, header))
        return false;
    Decode(record, length, header, name, out);
    return true;
}

bool DecodeNamelessFoundMftRecord(const uint8_t* record, size_t length, FoundMftRecord& out)
{
    MftRecordHeader header;
    NtfsFileName name;
    if (!ParseBaseRecord(record, length, header) || !header.numbered || ReadPreferredFileName(record, length, name))
        return false;
    const bool folder = (header.flags & 2) != 0;
    if (folder && !HasMftAttribute(record, length, kAttrAttributeList))
        return false;
    FoundMftRecord r;
    Decode(record, length, header, folder ? NtfsFileName() : NamelessFileNameOf(record, length, header.number), r);
    if (!folder && r.size == 0 && !r.dataElsewhere)
        return false;
    r.nameless = true;
    out = r;
    return true;
}

bool ReadExtensionFileName(const uint8_t* record, size_t length, MftRecordHeader& header, NtfsFileName& out)
{
    return ParseMftRecordHeader(record, length, header) && header.extension && header.flags <= 3 &&
        ReadPreferredFileName(record, length, out);
}

}  // namespace morvick
