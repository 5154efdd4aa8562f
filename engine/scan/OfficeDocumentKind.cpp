#include "engine/scan/OfficeDocumentKind.h"

#include "engine/image/SectorReader.h"
#include "engine/save/SaveTarget.h"
#include "engine/save/SectorCopy.h"

#include <vector>

std::u16string OfficeKindFromAppName(const std::string& appName)
{
    if (appName.find("PowerPoint") != std::string::npos)
        return u".ppt";
    if (appName.find("Excel") != std::string::npos)
        return u".xls";
    if (appName.find("Word") != std::string::npos)
        return u".doc";
    return u".pub";
}

std::u16string DetectOfficeDocumentKind(uint32_t sector)
{
    std::vector<uint8_t> copy(size_t(kOfficeDocumentCopySectors) * kSectorSize, 0);
    // What lies past the end of the disk or can't be read stays zero.
    ReadSectorsOrZeros(ReadSourceSectors, sector, kOfficeDocumentCopySectors, copy.data(), 0);
    std::string appName;
    if (!ReadDocumentAppName(copy.data(), copy.size(), appName))
        appName.clear();
    return OfficeKindFromAppName(appName);
}
