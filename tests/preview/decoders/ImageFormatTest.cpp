// The format code of a file name: by how the name ends, without case.
#include "preview/decoders/ImageFormat.h"

#include <gtest/gtest.h>

namespace morvick {
namespace {

TEST(ImageFormat, ExtensionsOfTheTable)
{
    struct {
        const char16_t* name;
        int code;
    } rows[] = {
        {u"a.bmp", 1},
        {u"a.GIF", 2},
        {u"a.jpg", 3},
        {u"a.JpEg", 3},
        {u"a.png", 4},
        {u"a.ico", 5},
        {u"a.tif", 6},
        {u"a.tiff", 6},
        {u"a.tga", 7},
        {u"a.pcx", 8},
        {u"a.wbmp", 9},
        {u"a.wmf", 10},
        {u"a.emf", 10},
        {u"a.j2k", 11},
        {u"a.jp2", 11},
        {u"a.j2c", 12},
        {u"a.jpc", 12},
        {u"a.pgx", 13},
        {u"a.pnm", 14},
        {u"a.pgm", 14},
        {u"a.ppm", 14},
        {u"a.ras", 15},
        {u"a.pbm", 0},
        {u"a.psd", 0},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ImageFormatFromFileName(row.name), row.code) << std::string(row.name, row.name + 5);
}

TEST(ImageFormat, TheEndingOfTheNameCountsWithOrWithoutADot)
{
    EXPECT_EQ(ImageFormatFromFileName(u"C:\\tmp\\photo.png.txt"), 0);
    EXPECT_EQ(ImageFormatFromFileName(u"C:\\tmp\\archive.tar.png"), 4);
    EXPECT_EQ(ImageFormatFromFileName(u"C:\\pictures.png\\readme"), 0);
    EXPECT_EQ(ImageFormatFromFileName(u"noextension"), 0);
    EXPECT_EQ(ImageFormatFromFileName(u"trailing."), 0);
    EXPECT_EQ(ImageFormatFromFileName(u"a.p\u00E9ng"), 0);
    // No dot is needed: a name that merely ends in the letters is enough.
    EXPECT_EQ(ImageFormatFromFileName(u"nodotjpg"), 3);
    EXPECT_EQ(ImageFormatFromFileName(u"SCANTIFF"), 6);
    EXPECT_EQ(ImageFormatFromFileName(u"png"), 4);
    EXPECT_EQ(ImageFormatFromFileName(u"pn"), 0);
    EXPECT_EQ(ImageFormatFromFileName(u""), 0);
    // "wbmp" is a format of its own, not the "bmp" it ends in.
    EXPECT_EQ(ImageFormatFromFileName(u"phone.WBMP"), 9);
    EXPECT_EQ(ImageFormatFromFileName(u"photo.jpeg"), 3);
}

}  // namespace
}  // namespace morvick
