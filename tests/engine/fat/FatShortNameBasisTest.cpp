// The short names FAT writers make for long names, and others that none makes.
#include "engine/fat/FatShortNameBasis.h"

#include <gtest/gtest.h>

#include <string>

namespace {

bool MayComeFrom(const char* name11, const std::u16string& longName)
{
    return morvick::ShortNameMayComeFrom(reinterpret_cast<const uint8_t*>(name11), longName);
}

}  // namespace

TEST(FatShortNameBasis, TheShortNamesWritersMakeFitAndOthersDoNot)
{
    struct Case {
        const char* name11;
        const char16_t* longName;
        bool fits;
    };
    const Case cases[] = {
        {"README  TXT", u"Readme.txt", true},    // the same name in capitals
        {"NOTE06~4TXT", u"note 064.txt", true},  // a numeric tail, blanks left out
        {"MEETIN~1TXT", u"Meeting notes 032.txt", true},
        {"HOLIDA~1JPE", u"Holiday photo 2024.jpeg", true},    // the extension cut to 3
        {"ME4F2A~1TXT", u"Meeting notes 032.txt", true},      // the hashed form
        {"BASHRC     ", u".bashrc", true},                    // a leading dot left out
        {"A_B~1   TXT", u"a+b.txt", true},                    // a character a short name cannot hold
        {"\x82T~1    TXT", u"\u00e9t\u00e9 2024.txt", true},  // a letter outside ASCII
        {"LONGFILE   ", u"longfilename", true},               // cut without a tail
        {"MISC0001JPG", u"Meeting notes 032.txt", false},
        {"MEETIN~1JPG", u"Meeting notes 032.txt", false},  // another extension
        {"MEETIN~1   ", u"Meeting notes 032.txt", false},  // no extension
        {"NOTE06~4TXT", u"notes 064", false},
        {"MEXYZW~1TXT", u"Meeting notes 032.txt", false},  // neither the basis nor a hash
        {"README  TXT", u"Readme2.txt", false},            // short of the basis without a tail
    };
    for (const Case& c : cases)
        EXPECT_EQ(MayComeFrom(c.name11, c.longName), c.fits) << c.name11;
}
