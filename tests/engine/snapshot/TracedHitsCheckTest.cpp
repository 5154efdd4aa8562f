// The load of a File Trace snapshot over disks built sector by sector: every hit is judged by its own
// first sector, whatever the order of the list; a hit the disk no longer begins, or one where the
// trace never searched, is listed but never saved; the whole load is refused only where more hits
// changed than held.
#include "engine/save/EngineReset.h"
#include "engine/save/FolderTreeSave.h"
#include "engine/save/SaveState.h"
#include "engine/snapshot/SnapshotFile.h"
#include "engine/state/EngineState.h"
#include "tests/engine/save/MemoryDisk.h"
#include "tests/engine/save/TempFolder.h"
#include "tests/engine/snapshot/SnapshotTestRecords.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>

namespace fs = std::filesystem;

namespace {

const uint8_t kJpeg[] = {0xFF, 0xD8, 0xFF, 0xE0};
const uint8_t kGif[] = {'G', 'I', 'F', '8', '9', 'a'};
constexpr uint32_t kStart = 100;
constexpr uint32_t kEnd = 3999;

class TracedHitsCheck : public ::testing::Test {
protected:
    void SetUp() override { ResetEngineState(); }
    void TearDown() override
    {
        disk.reset();
        ResetEngineState();
    }

    // A snapshot of a trace over sectors kStart..kEnd that found `hits` (sector, type), listed in the
    // order given and numbered so.
    std::u16string Snapshot(const std::vector<std::pair<uint32_t, const char16_t*>>& hits)
    {
        ResetEngineState();
        g_nScanMode = kScanFileTrace;
        g_VolumeParams.partitionStart = kStart;
        g_VolumeParams.partitionEnd = kEnd;
        g_VolumeParams.partitionSectors = kEnd - kStart + 1;
        AddTraceHit(u".jpg", u"JPEG Image", "ffd8ff");
        AddTraceHit(u".gif", u"GIF Image", "474946383961");
        uint32_t n = 0;
        for (const auto& [sector, type] : hits) {
            ++n;
            const bool jpeg = std::u16string(type) == u"JPEG Image";
            const std::u16string extension = jpeg ? u".jpg" : u".gif";
            const std::u16string name = std::u16string(1, static_cast<char16_t>(u'0' + n)) + extension;
            AddTracedFile(name, extension, type, sector, n);
        }
        const std::u16string path = ToPath16(temp.Path() / ("trace" + std::to_string(++m_made) + ".srzq"));
        EXPECT_TRUE(SaveSnapshotFile(path));
        ResetEngineState();
        return path;
    }

    // A disk of 6,000 sectors whose sectors begin with the bytes given.
    void Source(const std::map<uint32_t, bool>& jpegOrGif)
    {
        std::vector<uint8_t> raw(6000 * 512);
        for (const auto& [sector, jpeg] : jpegOrGif) {
            if (jpeg)
                PutBytes(raw, uint64_t{sector} * 512, kJpeg, sizeof kJpeg);
            else
                PutBytes(raw, uint64_t{sector} * 512, kGif, sizeof kGif);
        }
        disk.reset();
        disk = std::make_unique<MemoryDisk>(raw);
        ASSERT_TRUE(disk->Opened());
    }

    // The names of the loaded hits marked changed.
    static std::set<std::u16string> Changed()
    {
        std::set<std::u16string> names;
        for (const TracedFileRecord* r = g_TracedFiles.head; r; r = r->next) {
            if (r->changedOnDisk != 0)
                names.insert(r->name);
        }
        return names;
    }

    TempFolder temp;
    std::unique_ptr<MemoryDisk> disk;

private:
    int m_made = 0;
};

}  // namespace

// Listed out of the order of their sectors (as no trace lists them, but a snapshot may): each hit is
// still judged by its own sector, the one changed in the middle of the disk marked, no other.
TEST_F(TracedHitsCheck, EachHitIsJudgedByItsOwnSectorWhateverTheListsOrder)
{
    const std::u16string path = Snapshot({{3000, u"JPEG Image"}, {200, u"GIF Image"}, {1500, u"JPEG Image"},
        {900, u"GIF Image"}, {2500, u"JPEG Image"}});
    // 1500 now begins a GIF, 900 nothing: what a fresh trace would find there differs.
    Source({{3000, true}, {200, false}, {1500, false}, {2500, true}});
    RecordingObserver observer;
    ASSERT_TRUE(LoadSnapshotFile(path));
    EXPECT_TRUE(observer.messages.empty());
    ASSERT_EQ(g_TracedFiles.count, 5u);
    EXPECT_EQ(Changed(), (std::set<std::u16string>{u"3.jpg", u"4.gif"}));
    EXPECT_EQ(std::u16string(g_TracedFiles.head->name), u"1.jpg") << "the list keeps its order";
}

// The save lists the changed hits as failed, with their names, and writes the others.
TEST_F(TracedHitsCheck, AChangedHitIsCountedFailedAndNeverWritten)
{
    const std::u16string path = Snapshot({{200, u"JPEG Image"}, {300, u"JPEG Image"}, {400, u"GIF Image"}});
    Source({{200, true}, {400, false}});
    ASSERT_TRUE(LoadSnapshotFile(path));
    g_nTraceSizeClass = 1;
    ResetSaveState();
    SaveWholeVolume(temp.Path16() + u"/out");
    EXPECT_EQ(g_SaveReport.savedFiles, 2u);
    EXPECT_EQ(g_SaveReport.failedFiles, 1u);
    EXPECT_EQ(g_SaveReport.changedFiles, 1u);
    EXPECT_EQ(g_SaveReport.failedNames, (std::vector<std::u16string>{u"2.jpg"}));
    EXPECT_TRUE(fs::exists(temp.Path() / "out" / "JPEG Image" / "1.jpg"));
    EXPECT_FALSE(fs::exists(temp.Path() / "out" / "JPEG Image" / "2.jpg"));
}

// A hit outside the sectors the trace searched (the partition and the rest of its last 64-sector
// step) is none a trace of that partition finds, whatever its sector holds.
TEST_F(TracedHitsCheck, AHitWhereTheTraceNeverSearchedIsChanged)
{
    const std::u16string path = Snapshot({{kStart - 1, u"JPEG Image"}, {kStart, u"JPEG Image"},
        {kEnd + 64, u"JPEG Image"}, {kEnd + 1, u"JPEG Image"}, {kEnd + 3, u"JPEG Image"}});
    Source({{kStart - 1, true}, {kStart, true}, {kEnd + 64, true}, {kEnd + 1, true}, {kEnd + 3, true}});
    ASSERT_TRUE(LoadSnapshotFile(path));
    EXPECT_EQ(Changed(), (std::set<std::u16string>{u"1.jpg", u"3.jpg"}));
}

// As many changed as held still loads; one more changed shows another disk. A snapshot of no hit has
// nothing the disk could contradict.
TEST_F(TracedHitsCheck, TheLoadIsRefusedOnlyWhereMoreHitsChangedThanHeld)
{
    const std::u16string four =
        Snapshot({{200, u"JPEG Image"}, {300, u"JPEG Image"}, {400, u"JPEG Image"}, {500, u"JPEG Image"}});
    const std::u16string none = Snapshot({});
    struct Case {
        std::map<uint32_t, bool> sectors;
        bool loads;
    };
    const Case cases[] = {
        {{{200, true}, {300, true}}, true},
        {{{200, true}, {300, false}}, false},
        {{}, false},
    };
    for (const Case& c : cases) {
        ResetEngineState();
        Source(c.sectors);
        RecordingObserver observer;
        EXPECT_EQ(LoadSnapshotFile(four), c.loads) << c.sectors.size();
        EXPECT_EQ(g_TracedFiles.count, c.loads ? 4u : 0u);
        if (!c.loads) {
            ASSERT_EQ(observer.messages.size(), 1u);
            EXPECT_EQ(observer.messages[0].first, u"Source file and load recovery snapshot mismatch");
        }
    }
    Source({});
    EXPECT_TRUE(LoadSnapshotFile(none));
}
