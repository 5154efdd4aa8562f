// Recovery snapshots loaded over disks that hold what they list no longer, or not all of it
// (make-changed-cards.sh, make-changed-ntfs.sh, make-later-cards.sh, make-later-ntfs.sh), for each
// scan's snapshot: the Quick Scan's and the Extensive Scan's. No file is saved under a snapshot's
// name with bytes the disk no longer holds for it: over another card whose files a sample could not
// tell apart the load is refused; over the same volume after a file was deleted and another written
// in its place, the snapshot loads, the changed file is counted failed with its reason (also where
// the new name differs only in a character above U+007F), and every other file is saved with the
// bytes it was written with. Files deleted since are the same files: saved as a scan saves them. A
// short name read under another OEM code page is the same name. Over the same card after more photos
// took the clusters of deleted ones, those are reported damaged, as they always were.
#include "engine/save/SaveState.h"
#include "engine/state/EngineState.h"
#include "engine/util/OemText.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/SavedFiles.h"
#include "tests/engine/snapshot/LaterCardSnapshot.h"
#include "tests/engine/snapshot/SnapshotTestRecords.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <tuple>

namespace fs = std::filesystem;
using morvick::test::DiskFixtureEnvironment;
using morvick::test::FixtureFile;
using morvick::test::FixtureFolder;

static auto* const g_disks = ::testing::AddGlobalTestEnvironment(new DiskFixtureEnvironment(
    {"make-changed-cards.sh", "make-changed-ntfs.sh", "make-later-cards.sh", "make-later-ntfs.sh",
        "make-short-names-disk.sh"}));

namespace {

const char* const kCards = "make-changed-cards.sh";
const char* const kNtfs = "make-changed-ntfs.sh";
const char* const kLater = "make-later-cards.sh";
const char* const kShortNames = "make-short-names-disk.sh";
const char* const kLaterNtfs = "make-later-ntfs.sh";

class ChangedSinceSnapshot : public LaterCardSnapshot {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(FixtureFolder(kCards).empty()) << "the cards were not built";
        ASSERT_FALSE(FixtureFolder(kNtfs).empty()) << "the NTFS disks were not built";
        ASSERT_FALSE(FixtureFolder(kLater).empty()) << "the later cards were not built";
        ASSERT_FALSE(FixtureFolder(kShortNames).empty()) << "the short names disk was not built";
        LaterCardSnapshot::SetUp();
    }

    // Over the volume later, `changed` of the files the snapshot lists are failed with their reason
    // and the files of `written` (as they were written into the folder `folder`) that the snapshot
    // lists unchanged are saved with those bytes.
    void ExpectChangedFailed(const char* fixture, const std::string& before, const std::string& after,
        const std::set<std::string>& changed, const char* folder)
    {
        ASSERT_NO_FATAL_FAILURE(Snapshot(fixture, before));
        const std::map<std::string, fs::path> saved = LoadAndSave(fixture, after);
        EXPECT_EQ(g_SaveReport.failedFiles, changed.size());
        EXPECT_EQ(g_SaveReport.changedFiles, changed.size());
        EXPECT_EQ(FailedNames(), changed);
        EXPECT_EQ(g_SaveReport.damagedFiles, 0u);
        size_t compared = 0;
        for (const auto& entry : fs::directory_iterator(fs::u8path(FixtureFile(fixture, folder)))) {
            const std::string name = entry.path().filename().u8string();
            const auto it = saved.find(morvick::test::ComparablePath(fs::path("Reports") / entry.path().filename(), false));
            if (changed.count(name) != 0) {
                EXPECT_TRUE(it == saved.end()) << name << " was saved";
                continue;
            }
            if (it == saved.end())
                continue;  // a file the smaller volumes do not hold
            EXPECT_EQ(ReadWholeFile(it->second), ReadWholeFile(entry.path())) << name;
            ++compared;
        }
        EXPECT_EQ(compared + changed.size(), listedReports) << "every other report saved";
    }

    size_t listedReports = 0;  // of the fixture's files, those the volume held
};

}  // namespace

// Cards of one camera formatted alike, numbered on: card A held IMG_0001-0200, card B IMG_0201-0400,
// each in DCIM/100PHOTO, deleted. A's snapshot over B is refused; over A it loads.
TEST_P(ChangedSinceSnapshot, CardsNumberedOnAreToldApart)
{
    for (const char* kind : {"32", "16"}) {
        SCOPED_TRACE(kind);
        ASSERT_NO_FATAL_FAILURE(Snapshot(kCards, std::string("numbered-a") + kind + ".vhd"));
        ExpectRefused(kCards, std::string("numbered-b") + kind + ".vhd");
        LoadAndSave(kCards, std::string("numbered-a") + kind + ".vhd");
        EXPECT_EQ(g_SaveReport.savedFiles, 200u);
        EXPECT_EQ(g_SaveReport.failedFiles + g_SaveReport.damagedFiles, 0u);
    }
}

// The same names and clusters of other sizes, and the same names, clusters and sizes of other dates.
TEST_P(ChangedSinceSnapshot, CardsOfOtherSizesOrDatesAreToldApart)
{
    ASSERT_NO_FATAL_FAILURE(Snapshot(kCards, "sized-a.vhd"));
    ExpectRefused(kCards, "sized-b.vhd");
    ASSERT_NO_FATAL_FAILURE(Snapshot(kCards, "dated-a.vhd"));
    ExpectRefused(kCards, "dated-b.vhd");
}

// A file deleted and a new one written in its folder slot (FAT) or its MFT record (NTFS).
TEST_P(ChangedSinceSnapshot, AFileWrittenInAListedFilesPlaceIsFailedWithItsReason)
{
    listedReports = 100;
    ExpectChangedFailed(kCards, "later16-a.vhd", "later16-b.vhd", {"Report 003.txt"}, "later-files");
    ExpectChangedFailed(kCards, "later32-a.vhd", "later32-b.vhd", {"Report 003.txt"}, "later-files");
    listedReports = 60;
    ExpectChangedFailed(kNtfs, "live-a.vhd", "live-b.vhd", {"Report 005.txt"}, "files");
    // A deleted file, listed deleted, whose record a new file took.
    listedReports = 100;
    ExpectChangedFailed(kNtfs, "deleted-a.vhd", "deleted-b.vhd", {"Report 004.txt"}, "files");
    listedReports = 1000;
    ExpectChangedFailed(
        kNtfs, "thousand-a.vhd", "thousand-b.vhd", {"Report 100.txt", "Report 500.txt", "Report 900.txt"}, "files");
}

// More photos taken since, nothing deleted: they took the clusters of the deleted photos, whose
// entries stay as they were. The snapshot loads; those photos are saved as damaged, the others whole.
TEST_P(ChangedSinceSnapshot, PhotosWhoseClustersWereTakenAreReportedDamaged)
{
    ASSERT_NO_FATAL_FAILURE(Snapshot(kCards, "taken-a.vhd"));
    const std::map<std::string, fs::path> saved = LoadAndSave(kCards, "taken-b.vhd");
    EXPECT_EQ(g_SaveReport.savedFiles, 80u);
    EXPECT_EQ(g_SaveReport.damagedFiles, 20u);
    EXPECT_EQ(g_SaveReport.failedFiles, 0u);
    EXPECT_EQ(SavedWhole(saved, FixtureFile(kCards, "taken-files"), fs::path("DCIM") / "100PHOTO").size(), 80u);
}

// In the morning "Briefe/Brief an Müller.txt" and "资料/会议记录.txt"; later the same day each deleted and
// a file of its size written into its entry and clusters, named "Brief an Möller.txt" and
// "项目计划.txt": long names, which differ from the old ones only in characters above U+007F. And
// "Brief 09.txt" deleted since, its long name kept: saved as a deleted file.
TEST_P(ChangedSinceSnapshot, FilesWrittenInPlaceUnderNamesDifferingAboveAsciiAreFailed)
{
    const std::set<std::string> changed = {"Brief an Müller.txt", "会议记录.txt"};
    for (const char* kind : {"16", "32"}) {
        SCOPED_TRACE(kind);
        const std::string image = std::string("names") + kind;
        ASSERT_NO_FATAL_FAILURE(Snapshot(kLater, image + "-a.vhd"));
        const std::map<std::string, fs::path> saved = LoadAndSave(kLater, image + "-b.vhd");
        EXPECT_EQ(g_SaveReport.savedFiles, 17u);
        EXPECT_EQ(g_SaveReport.failedFiles, 2u);
        EXPECT_EQ(g_SaveReport.changedFiles, 2u);
        EXPECT_EQ(FailedNames(), changed);
        size_t same = 0;
        for (const auto& entry : fs::directory_iterator(fs::u8path(FixtureFile(kLater, "names-files")))) {
            const std::string name = entry.path().filename().u8string();
            const fs::path folder = fs::u8path(name.rfind("Brief", 0) == 0 ? "Briefe" : "资料");
            const auto it = saved.find(morvick::test::ComparablePath(folder / entry.path().filename(), false));
            if (it != saved.end())
                same += ReadWholeFile(it->second) == ReadWholeFile(entry.path()) ? 1 : 0;
            if (changed.count(name) != 0 || name == "Brief an Möller.txt" || name == "项目计划.txt") {
                EXPECT_TRUE(it == saved.end()) << name << " was saved";
            }
        }
        EXPECT_EQ(same, 17u) << "every other file saved whole";
    }
}

// Ten photos listed live in the morning; six of them deleted since, nothing written (FAT16, FAT32 and
// NTFS). The snapshot loads, and each photo is saved with its own bytes, the deleted ones as a scan
// saves deleted files: a save of deleted files only writes those six, one of live files only the other
// four.
TEST_P(ChangedSinceSnapshot, PhotosDeletedSinceAreSavedAsAScanSavesThem)
{
    const std::pair<const char*, std::string> disks[] = {
        {kLater, "deleted16"}, {kLater, "deleted32"}, {kLaterNtfs, "deleted"}};
    const fs::path photos = fs::path("DCIM") / "100PHOTO";
    const std::set<std::string> deleted = {
        "IMG_0001.JPG", "IMG_0002.JPG", "IMG_0003.JPG", "IMG_0004.JPG", "IMG_0005.JPG", "IMG_0006.JPG"};
    const std::set<std::string> live = {"IMG_0007.JPG", "IMG_0008.JPG", "IMG_0009.JPG", "IMG_0010.JPG"};
    for (const auto& [fixture, image] : disks) {
        SCOPED_TRACE(image);
        ASSERT_FALSE(FixtureFolder(kLaterNtfs).empty()) << "the NTFS volume was not built";
        ASSERT_NO_FATAL_FAILURE(Snapshot(fixture, image + "-a.vhd"));
        const std::map<std::string, fs::path> saved = LoadAndSave(fixture, image + "-b.vhd");
        EXPECT_EQ(g_SaveReport.savedFiles, listed) << "every file listed saved (NTFS lists its own files too)";
        EXPECT_EQ(g_SaveReport.failedFiles + g_SaveReport.damagedFiles + g_SaveReport.changedFiles, 0u);
        const std::string written = FixtureFile(fixture, "photos");
        EXPECT_EQ(SavedWhole(saved, written, photos).size(), 10u);
        EXPECT_EQ(SavedWhole(LoadAndSave(fixture, image + "-b.vhd", kDeletedOnly), written, photos), deleted);
        EXPECT_EQ(SavedWhole(LoadAndSave(fixture, image + "-b.vhd", kDeletedExclude), written, photos), live);
    }
}

// Short names with a byte above 0x7F (MÄRZ.TXT: 0x8E), listed by a computer of another OEM code page: a
// single-byte one (866: 0x8E a Cyrillic letter), and a double-byte one (932: 0x8E and the "R" after it
// one character). Over its own image, on a computer of 437, the snapshot loads and saves every file. A
// reading that no code page gives (0x8E and "R" as a character none has for them) is another name:
// that file is counted changed.
TEST_P(ChangedSinceSnapshot, ShortNamesReadUnderAnotherCodePageAreTheSameNames)
{
    const std::tuple<std::u16string, uint32_t, bool, uint32_t> readings[] = {{u"M\u041ERZ.TXT", 866, false, 0},
        {u"M\u5C71Z.TXT", 932, false, 0}, {u"M\u9F8EZ.TXT", 437, true, 1}};
    for (const auto& [reading, page, rename, changed] : readings) {
        SCOPED_TRACE(std::to_string(page) + (rename ? ", renamed" : ""));
        bool listedSo = false;
        {
            // The snapshot's computer, put back on every way out.
            struct Computer {
                explicit Computer(uint32_t codePage) { SetOemCodePage(codePage); }
                ~Computer() { SetOemCodePage(0); }
            } computer(page);
            ASSERT_NO_FATAL_FAILURE(Snapshot(kShortNames, "names.vhd", [&](FatEntryRecord& r) {
                if (rename && std::u16string(r.name) == u"M\u00C4RZ.TXT") {
                    std::free(r.name);
                    r.name = CopyRecordName(reading);
                }
                listedSo = listedSo || std::u16string(r.name) == reading;
            }));
        }
        ASSERT_TRUE(listedSo) << "MÄRZ.TXT was listed so";
        LoadAndSave(kShortNames, "names.vhd");
        EXPECT_EQ(g_SaveReport.changedFiles, changed);
        EXPECT_EQ(g_SaveReport.savedFiles + changed, listed);
    }
}

INSTANTIATE_TEST_SUITE_P(BothScans, ChangedSinceSnapshot, ::testing::Values("quick", "extensive"),
    [](const ::testing::TestParamInfo<const char*>& info) { return std::string(info.param); });
