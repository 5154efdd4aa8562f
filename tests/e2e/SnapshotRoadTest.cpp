// A recovery snapshot loaded through the start page's Load command over the wrong image: the Quick
// Scan's snapshot of an NTFS volume, over the same disk whose volume was formatted afresh at the same
// place and size with other files, is refused with the program's message and shows nothing; over
// the image it was made from it loads.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>

#include "engine/scan/QuickScan.h"
#include "engine/snapshot/SnapshotFile.h"
#include "engine/state/EngineState.h"
#include "tests/e2e/ResultSteps.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/Oracles.h"
#include "tests/engine/diskfixtures/RecordingObserver.h"  // OpenEngineImage

namespace fs = std::filesystem;

namespace morvick::e2e {
namespace {

const char kSnapshotDisks[] = "make-snapshot-disks.sh";

[[maybe_unused]] auto* const kDisks =
    ::testing::AddGlobalTestEnvironment(new morvick::test::DiskFixtureEnvironment({kSnapshotDisks}));

std::wstring SnapshotDisk(const char* name)
{
    return WindowsPath(morvick::test::FixtureFolder(kSnapshotDisks) + "/" + name);
}

uint32_t PartitionValue(const std::string& name)
{
    return static_cast<uint32_t>(
        std::stoul(morvick::test::ReadTextFile(morvick::test::FixtureFile(kSnapshotDisks, name))));
}

// The snapshot of the Quick Scan of the NTFS partition of the first disk, made by the engine.
fs::path MakeNtfsSnapshot()
{
    const fs::path path(SnapshotDisk("ntfs.srzq"));
    auto disk = morvick::test::OpenEngineImage(morvick::test::FixtureFile(kSnapshotDisks, "first.vhd"));
    EXPECT_TRUE(disk);
    if (!disk)
        return {};
    VolumeParameterBlock& b = g_VolumeParams;
    b = VolumeParameterBlock();
    b.chosenFileSystemType = FileSystemKind::kNtfs;
    b.partitionStart = PartitionValue("part2.start");
    b.partitionSectors = PartitionValue("part2.sectors");
    b.partitionEnd = b.partitionStart + b.partitionSectors - 1;
    g_nScanMode = kScanQuick;
    ScanFinishedWord finished{0};
    EXPECT_EQ(RunQuickScan(finished), QuickScanResult::kCompleted);
    EXPECT_GT(g_MftEntries.count, 10u);
    EXPECT_TRUE(SaveSnapshotFile(path.u16string()));
    disk.reset();
    morvick::test::CloseEngineImage();
    return path;
}

TEST(SnapshotRoad, TheLoadCommandRefusesAnotherVolumeAtTheSamePlace)
{
    const fs::path snapshot = MakeNtfsSnapshot();
    ASSERT_FALSE(snapshot.empty());
    MorvickDriver driver;
    ASSERT_TRUE(StartProgram(driver));
    ASSERT_NE(driver.WaitForFrame(), nullptr);
    ASSERT_TRUE(driver.WaitForPage(0));

    ASSERT_NO_FATAL_FAILURE(LoadSnapshotOver(driver, snapshot.wstring(), SnapshotDisk("other.vhd")));
    LoggedMessage message;
    ASSERT_TRUE(driver.WaitForMessage(0, message)) << "the other volume was not refused";
    EXPECT_EQ(message.kind, "plain");
    EXPECT_EQ(message.text, "Source file and load recovery snapshot mismatch");
    ASSERT_TRUE(driver.AnswerMessage(IDOK));
    EXPECT_TRUE(driver.WaitForPage(0));
    EXPECT_TRUE(driver.NoMessageBox());

    // Over its own image the same snapshot loads and shows the volume's folders.
    ASSERT_NO_FATAL_FAILURE(LoadSnapshotOver(driver, snapshot.wstring(), SnapshotDisk("first.vhd")));
    ASSERT_TRUE(driver.WaitForPage(4));
    EXPECT_TRUE(WaitForTree(driver, kResultTree, 3));
    EXPECT_EQ(driver.MessageCount(), 1u) << "no message but the first refusal";
    driver.Kill();
}

// The Load command takes the chosen path as the save takes it: in the case the user chose, with
// ".srzq" appended unless it ends with it in any case. A snapshot named in capitals loads; one under
// another extension is looked for with ".srzq" after it, and the path looked for is named as chosen.
TEST(SnapshotRoad, TheLoadCommandTakesThePathAsTheSaveDoes)
{
    const fs::path snapshot = MakeNtfsSnapshot();
    ASSERT_FALSE(snapshot.empty());
    const fs::path capitals = snapshot.parent_path() / L"Ntfs COPY.SRZQ";
    const fs::path otherExtension = snapshot.parent_path() / L"Ntfs Copy.bak";
    ASSERT_TRUE(CopyFileW(snapshot.c_str(), capitals.c_str(), FALSE));
    ASSERT_TRUE(CopyFileW(snapshot.c_str(), otherExtension.c_str(), FALSE));
    struct RemovedAtEnd {
        const fs::path& a;
        const fs::path& b;
        ~RemovedAtEnd()
        {
            DeleteFileW(a.c_str());
            DeleteFileW(b.c_str());
        }
    } removedAtEnd{capitals, otherExtension};
    MorvickDriver driver;
    ASSERT_TRUE(StartProgram(driver));
    ASSERT_NE(driver.WaitForFrame(), nullptr);
    ASSERT_TRUE(driver.WaitForPage(0));

    ASSERT_TRUE(driver.SendCommand(kLoadSnapshotCommand));
    ASSERT_TRUE(driver.AnswerFileDialog(L"Open", otherExtension.wstring()));
    LoggedMessage message;
    ASSERT_TRUE(driver.WaitForMessage(0, message)) << "the path with \".srzq\" appended was not looked for";
    const std::wstring lookedFor = otherExtension.wstring() + L".srzq";
    EXPECT_EQ(message.kind, "3");
    EXPECT_EQ(message.text, Utf8(lookedFor) + " does not exists.");
    ASSERT_TRUE(driver.AnswerMessage(IDOK));
    EXPECT_TRUE(driver.WaitForPage(0));

    ASSERT_NO_FATAL_FAILURE(LoadSnapshotOver(driver, capitals.wstring(), SnapshotDisk("first.vhd")));
    ASSERT_TRUE(driver.WaitForPage(4));
    EXPECT_TRUE(WaitForTree(driver, kResultTree, 3));
    EXPECT_EQ(driver.MessageCount(), 1u) << "no message but the missing file's";
    driver.Kill();
}

}  // namespace
}  // namespace morvick::e2e
