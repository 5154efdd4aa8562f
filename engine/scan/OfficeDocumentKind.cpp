#include "engine/scan/OfficeDocumentKind.h"

#include "engine/image/SectorReader.h"

#include <cstring>
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
    constexpr uint32_t kPieceSectors = 128;
    std::vector<uint8_t> copy(size_t(kOfficeDocumentCopySectors) * kSectorSize, 0);
    // Piece by piece, so that what lies past the end of the disk or can't be read stays zero.
    for (uint32_t done = 0; done < kOfficeDocumentCopySectors; done += kPieceSectors) {
        uint8_t* piece = copy.data() + size_t(done) * kSectorSize;
        if (!ReadSectors(uint64_t(sector) + done, kPieceSectors, piece))
            std::memset(piece, 0, size_t(kPieceSectors) * kSectorSize);
    }
    std::string appName;
    if (!ReadDocumentAppName(copy.data(), copy.size(), appName))
        appName.clear();
    return OfficeKindFromAppName(appName);
}
