#include "engine/image/VhdxGuids.h"

#include "engine/util/HexDigit.h"

#include <cstring>

namespace {

struct GuidTable {
    VhdxGuid guids[kVhdxGuidCount];
    GuidTable()
    {
        guids[kVhdxBatRegion] = VhdxGuidFromText("2DC27766-F623-4200-9D64-115E9BFD4A08");
        guids[kVhdxMetadataRegion] = VhdxGuidFromText("8B7CA206-4790-4B9A-B8FE-575F050F886E");
        guids[kVhdxFileParameters] = VhdxGuidFromText("CAA16737-FA36-4D43-B3B6-33F0AA44E76B");
        guids[kVhdxVirtualDiskSize] = VhdxGuidFromText("2FA54224-CD1B-4876-B211-5DBED83BF4B8");
        guids[kVhdxPage83Data] = VhdxGuidFromText("BECA12AB-B2E6-4523-93EF-C309E000C746");
        guids[kVhdxLogicalSectorSize] = VhdxGuidFromText("8141BF1D-A96F-4709-BA47-F233A8FAAB5F");
        guids[kVhdxPhysicalSectorSize] = VhdxGuidFromText("CDA348C7-445D-4471-9CC9-E9885251C556");
        guids[kVhdxParentLocator] = VhdxGuidFromText("A8D35F2D-B30B-454D-ABF7-D3D84834AB0C");
    }
};

} // namespace

VhdxGuid VhdxGuidFromText(const char* text)
{
    // Text order of the 16 bytes; the first three groups are stored byte-reversed.
    static const int kStoredIndex[16] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
    VhdxGuid guid = {};
    int byte = 0;
    for (size_t i = 0; text[i] && byte < 16; ++i) {
        if (text[i] == '-')
            continue;
        if (!text[i + 1])
            break;
        guid.bytes[kStoredIndex[byte++]] = static_cast<uint8_t>(HexDigitValue(text[i]) * 16 + HexDigitValue(text[i + 1]));
        ++i;
    }
    return guid;
}

const VhdxGuid* VhdxGuidTable()
{
    static const GuidTable table;
    return table.guids;
}

std::u16string GetVhdxItemName(const uint8_t* identifier)
{
    static const char16_t* const kNames[kVhdxGuidCount] = {
        u"Bat Guid",           u"MetaData_Guid",       u"File Parameter",       u"Virtual Disk Size",
        u"Page83",             u"Logical Sector Size", u"Physical Sector Size", u"Parent Locator",
    };
    const VhdxGuid* table = VhdxGuidTable();
    for (int i = 0; i < kVhdxGuidCount; ++i) {
        if (std::memcmp(table[i].bytes, identifier, 16) == 0)
            return kNames[i];
    }
    return u"Invalid Item Id";
}
