#include "engine/ntfs/NamelessRecord.h"

#include "engine/ntfs/MftRecord.h"
#include "engine/state/FoundRecords.h"
#include "engine/util/Endian.h"

namespace morvick {

namespace {

constexpr uint32_t kAttrStandardInformation = 0x10;

}  // namespace

std::u16string NamelessFileName(uint32_t number)
{
    std::u16string name = u"File";
    for (char c : std::to_string(number))
        name.push_back(static_cast<char16_t>(c));
    return name;
}

bool IsNamelessFileName(const std::u16string& name, uint32_t number)
{
    const std::u16string plain = NamelessFileName(number);
    if (name.compare(0, plain.size(), plain) != 0)
        return false;
    const std::u16string rest = name.substr(plain.size());
    return rest.empty() || (rest.size() > 3 && rest.compare(0, 2, u" (") == 0 && rest.back() == u')');
}

NtfsFileName NamelessFileNameOf(const uint8_t* record, size_t length, uint32_t number)
{
    NtfsFileName name;
    name.name = NamelessFileName(number);
    name.parent = kLostDirRecordNumber;
    for (const MftAttribute& a : ListMftAttributes(record, length)) {
        // Its creation time at 0 and its MFT-change time at 16, as a $FILE_NAME keeps them at 8 and 24.
        if (a.type == kAttrStandardInformation && !a.nonResident && a.valueLength >= 24) {
            name.creationTime = ReadLittleEndian64(record + a.offset + a.valueOffset);
            name.changeTime = ReadLittleEndian64(record + a.offset + a.valueOffset + 16);
            break;
        }
    }
    return name;
}

}  // namespace morvick
