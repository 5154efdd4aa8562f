#include "engine/ntfs/FileNameAttribute.h"

#include "engine/ntfs/MftRecord.h"
#include "engine/volume/BufferBounds.h"
#include "engine/util/Endian.h"

namespace morvick {

bool DecodeFileNameValue(const uint8_t* value, size_t size, NtfsFileName& out)
{
    if (size < 66)
        return false;
    const size_t chars = value[64];
    if (!FitsIn(size, 66, chars * 2))
        return false;
    out.parent = ReadLittleEndian32(value);
    out.parentHigh = ReadLittleEndian16(value + 4);
    out.parentSequence = ReadLittleEndian16(value + 6);
    out.creationTime = ReadLittleEndian64(value + 8);
    out.changeTime = ReadLittleEndian64(value + 24);
    out.attributes = ReadLittleEndian32(value + 56);
    out.nameSpace = value[65];
    out.name.clear();
    for (size_t i = 0; i < chars; ++i)
        out.name.push_back(static_cast<char16_t>(ReadLittleEndian16(value + 66 + 2 * i)));
    return true;
}

bool ReadFileNameAttribute(const uint8_t* record, size_t length, uint8_t wantedNameSpace, NtfsFileName& out)
{
    for (const MftAttribute& a : ListMftAttributes(record, length)) {
        if (a.type != kAttrFileName || a.nonResident || a.nameLength != 0)
            continue;
        NtfsFileName name;
        if (!DecodeFileNameValue(record + a.offset + a.valueOffset, a.valueLength, name))
            continue;
        const bool accepted = name.nameSpace == wantedNameSpace ||
            (wantedNameSpace == kNtfsNamespaceWin32 && name.nameSpace == kNtfsNamespacePosix);
        if (accepted) {
            out = name;
            return true;
        }
    }
    return false;
}

bool ReadPreferredFileName(const uint8_t* record, size_t length, NtfsFileName& out)
{
    return ReadPreferredFileName(std::vector<const uint8_t*>{record}, length, out);
}

bool ReadPreferredFileName(const std::vector<const uint8_t*>& records, size_t length, NtfsFileName& out)
{
    for (uint8_t nameSpace : {kNtfsNamespaceWin32, kNtfsNamespaceWin32AndDos, kNtfsNamespaceDos}) {
        for (const uint8_t* record : records) {
            if (ReadFileNameAttribute(record, length, nameSpace, out))
                return true;
        }
    }
    return false;
}

}  // namespace morvick
