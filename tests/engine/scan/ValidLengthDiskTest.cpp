// NTFS files whose valid data ends before their size (make-valid-length-disk.sh: live and deleted
// files of 100,000, 20,000 and 4,700 bytes with valid lengths of 40,000, 1 and 4,500, on a VHD and a
// VHDX of the same disk). Both scans save each file as tsk_recover does: its bytes up to the valid
// length and zeros from there, not the stale bytes that the clusters hold up to the end of that sector.
#include "engine/save/SaveState.h"
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
    ::testing::AddGlobalTestEnvironment(new DiskFixtureEnvironment({"make-valid-length-disk.sh"}));

const char* const kScript = "make-valid-length-disk.sh";

using ValidLengthDisk = BothScansDisk;

TEST_P(ValidLengthDisk, BytesPastTheValidLengthAreSavedAsZeros)
{
    ASSERT_FALSE(FixtureFolder(kScript).empty()) << "the disk was not built";
    const std::map<std::string, fs::path> theirs = FilesBelow(fs::u8path(FixtureFile(kScript, "valid.recover")), false);
    ASSERT_EQ(theirs.size(), 6u);
    for (const char* image : {"valid-length.vhd", "valid-length.vhdx"}) {
        SCOPED_TRACE(image);
        Scan(FixtureFile(kScript, image), 0);
        const fs::path out = SaveAll(image);
        EXPECT_EQ(g_SaveReport.failedFiles + g_SaveReport.damagedFiles, 0u);
        std::map<std::string, fs::path> ours;
        for (const auto& [key, path] : FilesBelow(out, false)) {
            if (key.find('$') == std::string::npos)
                ours.emplace(key, path);
        }
        EXPECT_EQ(ExpectSameBytes(ours, theirs), theirs.size());
        // The bytes written past the valid length are on the disk: the files as written differ there.
        EXPECT_FALSE(
            ReadWholeFile(out / "live" / "b.bin") == ReadWholeFile(FixtureFile(kScript, "written/live-b.bin")));
        EXPECT_TRUE(ReadWholeFile(out / "gone" / "b.bin") ==
            ReadWholeFile(FixtureFile(kScript, "written/gone-b.bin")).substr(0, 1) + std::string(19999, '\0'));
    }
}

INSTANTIATE_TEST_SUITE_P(Scans, ValidLengthDisk, ::testing::Values(ScanKind::kQuick, ScanKind::kExtensive),
    ScanKindName);

}  // namespace

}  // namespace morvick::test
