#include "engine/scan/CameraFileKinds.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

struct KindByExtension {
    const char* extension;  // the short extension, upper case
    CameraFileKind kind;
};

constexpr KindByExtension kKinds[] = {
    {"JPG", CameraFileKind::kJpeg},
    {"JPE", CameraFileKind::kJpeg},  // .jpeg
    {"THM", CameraFileKind::kJpeg},  // a video's thumbnail, written beside it
    {"PNG", CameraFileKind::kPng},
    {"HEI", CameraFileKind::kHeif},  // .heic, .heif
    {"HIF", CameraFileKind::kHeif},
    {"MP4", CameraFileKind::kIsoVideo},
    {"MOV", CameraFileKind::kIsoVideo},
    {"M4V", CameraFileKind::kIsoVideo},
    {"3GP", CameraFileKind::kIsoVideo},
    {"3G2", CameraFileKind::kIsoVideo},
    {"CR3", CameraFileKind::kCr3},
    {"CR2", CameraFileKind::kCr2},
    {"TIF", CameraFileKind::kTiff},  // .tiff too
    {"NEF", CameraFileKind::kTiff},
    {"NRW", CameraFileKind::kTiff},
    {"ARW", CameraFileKind::kTiff},
    {"SRF", CameraFileKind::kTiff},
    {"SR2", CameraFileKind::kTiff},
    {"DNG", CameraFileKind::kTiff},
    {"PEF", CameraFileKind::kTiff},
    {"SRW", CameraFileKind::kTiff},
    {"3FR", CameraFileKind::kTiff},
    {"ERF", CameraFileKind::kTiff},
    {"KDC", CameraFileKind::kTiff},
    {"DCR", CameraFileKind::kTiff},
    {"MOS", CameraFileKind::kTiff},
    {"IIQ", CameraFileKind::kTiff},
    {"MEF", CameraFileKind::kTiff},
    {"GPR", CameraFileKind::kTiff},
    {"ORF", CameraFileKind::kOrf},
    {"RW2", CameraFileKind::kPanasonicRaw},
    {"RWL", CameraFileKind::kPanasonicRaw},
    {"RAF", CameraFileKind::kRaf},
};

// The major brands of the "ftyp" box that each ISO media kind is written with.
constexpr const char* kHeifBrands[] = {"heic", "heix", "heim", "heis", "hevc", "hevx", "hevm", "hevs", "mif1", "msf1"};
constexpr const char* kVideoBrands[] = {"isom", "iso2", "iso3", "iso4", "iso5", "iso6", "mp41", "mp42", "avc1", "qt  ",
    "M4V ", "M4VH", "M4VP", "3gp4", "3gp5", "3gp6", "3gp7", "3ge6", "3g2a", "3g2b", "3g2c", "mmp4", "MSNV", "XAVC",
    "dash"};
constexpr const char* kCr3Brands[] = {"crx "};

bool Begins(const uint8_t* head, size_t size, const char* bytes, size_t count)
{
    return size >= count && std::memcmp(head, bytes, count) == 0;
}

template <size_t N>
bool FtypOf(const uint8_t* head, size_t size, const char* const (&brands)[N])
{
    if (size < 12 || std::memcmp(head + 4, "ftyp", 4) != 0)
        return false;
    return std::any_of(std::begin(brands), std::end(brands),
        [head](const char* brand) { return std::memcmp(head + 8, brand, 4) == 0; });
}

bool Tiff(const uint8_t* head, size_t size)
{
    return Begins(head, size, "II*\0", 4) || Begins(head, size, "MM\0*", 4);
}

}  // namespace

CameraFileKind CameraFileKindOf(const std::string& shortExtension)
{
    if (shortExtension.empty() || shortExtension.size() > 3)
        return CameraFileKind::kNone;
    std::string upper = shortExtension;
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (const KindByExtension& k : kKinds) {
        if (upper == k.extension)
            return k.kind;
    }
    return CameraFileKind::kNone;
}

bool BeginsAsCameraFile(CameraFileKind kind, const uint8_t* head, size_t size)
{
    switch (kind) {
    case CameraFileKind::kJpeg:
        return Begins(head, size, "\xFF\xD8\xFF", 3);
    case CameraFileKind::kPng:
        return Begins(head, size, "\x89PNG\r\n\x1A\n", 8);
    case CameraFileKind::kHeif:
        return FtypOf(head, size, kHeifBrands);
    case CameraFileKind::kIsoVideo:
        return FtypOf(head, size, kVideoBrands);
    case CameraFileKind::kCr3:
        return FtypOf(head, size, kCr3Brands);
    case CameraFileKind::kTiff:
        return Tiff(head, size);
    case CameraFileKind::kCr2:
        return Tiff(head, size) && size >= 10 && head[8] == 'C' && head[9] == 'R';
    case CameraFileKind::kOrf:
        return Begins(head, size, "IIRO", 4) || Begins(head, size, "IIRS", 4) || Begins(head, size, "MMOR", 4);
    case CameraFileKind::kPanasonicRaw:
        return Begins(head, size, "IIU\0", 4);
    case CameraFileKind::kRaf:
        return Begins(head, size, "FUJIFILMCCD-RAW", 15);
    case CameraFileKind::kNone:
        break;
    }
    return false;
}
