#include "engine/ntfs/FoundMftRecord.h"

#include "engine/ntfs/DataAttribute.h"
#include "engine/ntfs/FileNameAttribute.h"
#include "engine/ntfs/FolderIndex.h"
#include "engine/ntfs/MftRecord.h"
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
}  // namespace

bool DecodeFoundMftRecord(const uint8_t* record, size_t length, FoundMftRecord& out)
{
    MftRecordHeader header;
    if (!ParseMftRecordHeader(record, length, header) || header.flags > 3)
        return false;
    // An extension record holds more attributes of the file in its base record; it is not a file, and
    // taken for one it would list that file a second time.
    if (header.baseRecord != 0)
        return false;
    NtfsFileName name;
    if (!ReadPreferredFileName(record, length, name))
        return false;
    FoundMftRecord r;
    r.folder = (header.flags & 2) != 0;
    r.deleted = (header.flags & 1) == 0;
    r.name = name.name;
    r.parent = name.parent;
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
    }
    out = r;
    return true;
}

}  // namespace morvick
