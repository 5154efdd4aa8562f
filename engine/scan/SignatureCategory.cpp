#include "engine/scan/SignatureCategory.h"

#include "engine/util/AnsiText.h"

std::u16string SignatureCategoryFolder(char category)
{
    static const char16_t* const folders[] = {
        u"Archive Files", u"Document Files", u"Database Files", u"E-mail Files", u"Graphics Files",
        u"Sound Files",   u"Media Files",    u"Internet Files", u"CAD Files",    u"Other Files",
    };
    if (category >= '0' && category <= '9')
        return folders[category - '0'];
    return AnsiToUtf16(std::string(1, category));
}
