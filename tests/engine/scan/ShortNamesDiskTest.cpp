// Names a folder cannot hold or that need the OEM code page (make-short-names-disk.sh, FAT16): in
// both scans every file of NAMES/ is listed and saved byte for byte, short names decoded in the OEM
// code page (0x05 read as 0xE5), a long name a folder cannot hold replaced by its sound short name,
// and a name with nothing sound listed as it is and saved made safe. A snapshot whose short names
// were read in another code page still loads.
#include "engine/save/SafeFileName.h"
#include "engine/save/SaveState.h"
#include "engine/snapshot/SnapshotFile.h"
#include "engine/state/EngineState.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/SavedFiles.h"
#include "tests/engine/scan/BothScansDisk.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace fs = std::filesystem;

namespace morvick::test {

namespace {

static auto* const g_disk =
    ::testing::AddGlobalTestEnvironment(new DiskFixtureEnvironment({"make-short-names-disk.sh"}));

const char* const kScript = "make-short-names-disk.sh";

// The files of NAMES/ by their listed names.
std::map<std::u16string, const FatEntryRecord*> ListedFiles()
{
    std::map<std::u16string, const FatEntryRecord*> files;
    for (const FatEntryRecord* r = g_FatEntries.head; r; r = r->next)
        files[r->name] = r;
    return files;
}

// The one listed name of `length` characters that ends with `tail`; the test fails without one.
std::u16string NameEndingWith(const std::map<std::u16string, const FatEntryRecord*>& files, size_t length,
    const std::u16string& tail)
{
    std::u16string found;
    for (const auto& [name, record] : files) {
        if (name.size() == length && name.compare(length - tail.size(), tail.size(), tail) == 0) {
            EXPECT_TRUE(found.empty()) << "two names end with " << fs::path(tail).u8string();
            found = name;
        }
    }
    EXPECT_FALSE(found.empty()) << "no name ends with " << fs::path(tail).u8string();
    return found;
}

using ShortNames = BothScansDisk;

TEST_P(ShortNames, EveryFileIsListedAndSavedUnderANameItCanHave)
{
    ASSERT_FALSE(FixtureFolder(kScript).empty());
    Scan(FixtureFile(kScript, "names.vhd"), 0);
    const std::map<std::u16string, const FatEntryRecord*> files = ListedFiles();
    ASSERT_EQ(files.size(), 10u);

    // 0xE5, stored as 0x05 at the start of a name, is the character it is inside one.
    const std::u16string orz = NameEndingWith(files, 7, u"RZ.TXT"), morz = u"M" + orz;
    ASSERT_EQ(orz.size(), 7u);
    EXPECT_GE(orz[0], 0x80) << "0x05 is read as 0xE5, a character of the OEM code page";
    std::map<std::u16string, std::string> expected = {{u"M\u00C4RZ.TXT", "marz"}, {orz, "orz"}, {morz, "morz"},
        {u"A_B.TXT", "ab"}, {u"___UP.TXT", "up"}, {u"X_Y_Z_.TXT", "xyz"}, {u"CTL_NAME.TXT", "ctl"},
        {u"q?long.txt", "qlong"}, {u"BAD\u0007NAME.TXT", "bad"}, {u"PLAIN.TXT", "plain"}};
    for (const auto& [name, key] : expected)
        EXPECT_EQ(files.count(name), 1u) << fs::path(name).u8string() << " (" << key << ") is not listed";

    const fs::path out = SaveAll("out");
    EXPECT_EQ(g_SaveReport.savedFiles, 10u);
    EXPECT_EQ(g_SaveReport.failedFiles + g_SaveReport.damagedFiles, 0u);
    const std::map<std::string, fs::path> saved = FilesBelow(out / "NAMES", false);
    EXPECT_EQ(saved.size(), 10u);
    for (const auto& [name, key] : expected) {
        // The names a folder can hold as they are; "q_long.txt" and "BAD_NAME.TXT" made safe.
        const fs::path path = out / "NAMES" / fs::path(MakeSafeFileName(name));
        EXPECT_TRUE(ReadWholeFile(path) == ReadWholeFile(FixtureFile(kScript, "files/" + key + ".bin")))
            << path.u8string();
    }
    EXPECT_TRUE(fs::exists(out / "NAMES" / "q_long.txt"));
    EXPECT_TRUE(fs::exists(out / "NAMES" / "BAD_NAME.TXT"));
}

using ShortNamesSnapshot = ScannedDisk;

TEST_F(ShortNamesSnapshot, ASnapshotWhoseShortNamesCameFromAnotherCodePageLoads)
{
    ASSERT_FALSE(FixtureFolder(kScript).empty());
    Scan(ScanKind::kQuick, FixtureFile(kScript, "names.vhd"), 0);
    const fs::path snapshot = temp.Path() / "names.srzq";
    ASSERT_TRUE(SaveSnapshotFile(ToPath16(snapshot)));
    // "MÄRZ.TXT" as a computer with another OEM code page reads it: "M" U+008E "RZ.TXT".
    std::string bytes = ReadWholeFile(snapshot);
    const std::string name("M\0\xC4\0R\0Z\0", 8);
    const size_t at = bytes.find(name);
    ASSERT_NE(at, std::string::npos);
    bytes[at + 2] = '\x8E';
    WriteWholeFile(snapshot, bytes);

    FreeFoundEntryLists();
    g_VolumeParams = VolumeParameterBlock();
    ASSERT_TRUE(LoadSnapshotFile(ToPath16(snapshot)));
    EXPECT_EQ(ListedFiles().count(u"M\u008ERZ.TXT"), 1u);
}

INSTANTIATE_TEST_SUITE_P(Scans, ShortNames, ::testing::Values(ScanKind::kQuick, ScanKind::kExtensive), ScanKindName);

}  // namespace

}  // namespace morvick::test
