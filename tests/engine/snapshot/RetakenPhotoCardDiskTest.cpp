// A File Trace snapshot of a camera card (FAT32, 300 JPEGs made by ImageMagick, copied in by mtools)
// loaded over the same card after three photos were deleted and a text file written over their
// clusters: the hits whose sectors the text took are listed but never saved, each other hit is saved
// with its photo's bytes, and the hits that load as held are where photorec and a fresh trace find
// JPEGs now.
#include "engine/save/FolderTreeSave.h"
#include "engine/save/SaveState.h"
#include "engine/snapshot/SnapshotFile.h"
#include "engine/state/EngineState.h"
#include "engine/util/Utf.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/snapshot/SnapshotTestRecords.h"
#include "tests/engine/trace/TracedCardTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <vector>

namespace fs = std::filesystem;
using morvick::test::DiskFixtureEnvironment;
using morvick::test::FixtureFile;
using morvick::test::FixtureFolder;

static auto* const g_disks =
    ::testing::AddGlobalTestEnvironment(new DiskFixtureEnvironment({"make-retaken-photo-card.sh"}));

namespace {

const char* const kCard = "make-retaken-photo-card.sh";

struct Photo {
    uint32_t sector;
    std::string name;
};

// The photos of the card before, in the order of their sectors (as the trace numbers them).
std::vector<Photo> ReadStarts()
{
    std::vector<Photo> photos;
    std::istringstream in(ReadWholeFile(FixtureFile(kCard, "starts.txt")));
    Photo p;
    while (in >> p.sector >> p.name)
        photos.push_back(p);
    return photos;
}

std::vector<uint32_t> ReadNumbers(const char* file)
{
    std::vector<uint32_t> sectors;
    std::istringstream in(ReadWholeFile(FixtureFile(kCard, file)));
    for (uint32_t s; in >> s;)
        sectors.push_back(s);
    return sectors;
}

// The first `count` bytes of a file (fewer where it is shorter).
std::string FirstBytes(const fs::path& path, size_t count)
{
    std::string bytes(count, '\0');
    std::ifstream in(path, std::ios::binary);
    in.read(bytes.data(), static_cast<std::streamsize>(count));
    bytes.resize(static_cast<size_t>(in.gcount()));
    return bytes;
}

class RetakenPhotoCard : public TracedCardTest {
protected:
    RetakenPhotoCard() : TracedCardTest(kCard) {}

    // The File Trace of the card's partition for JPEGs.
    void Trace(const char* image) { TraceImage(image, {u".jpg"}, nullptr); }

    // The trace of the card before, saved as a snapshot.
    std::u16string SnapshotBefore()
    {
        Trace("before.vhd");
        EXPECT_EQ(g_TracedFiles.count, 300u);
        return SaveTraceSnapshot();
    }
};

}  // namespace

TEST_F(RetakenPhotoCard, HitsWhoseSectorsANewFileTookAreFailedWithTheReason)
{
    const std::vector<Photo> photos = ReadStarts();
    ASSERT_EQ(photos.size(), 300u);
    const std::u16string path = SnapshotBefore();
    std::set<std::string> taken;
    {
        std::istringstream in(ReadWholeFile(FixtureFile(kCard, "taken.txt")));
        for (std::string name; in >> name;)
            taken.insert(name);
    }
    ASSERT_EQ(taken.size(), 3u);

    ASSERT_NO_FATAL_FAILURE(Open("after.vhd"));
    RecordingObserver observer;
    ASSERT_TRUE(LoadSnapshotFile(path));
    EXPECT_TRUE(observer.messages.empty());
    ASSERT_EQ(g_TracedFiles.count, 300u);
    std::vector<uint32_t> held;
    size_t n = 0;
    for (const TracedFileRecord* r = g_TracedFiles.head; r; r = r->next, ++n) {
        ASSERT_EQ(r->sector, photos[n].sector);
        EXPECT_EQ(r->changedOnDisk != 0, taken.count(photos[n].name) != 0) << photos[n].name;
        if (r->changedOnDisk == 0)
            held.push_back(r->sector);
    }
    EXPECT_EQ(held, ReadNumbers("photorec.txt")) << "held where photorec finds the JPEGs now";

    // Each hit saved holds its photo; the three are failed, by name, as changed on the disk.
    g_nTraceSizeClass = 1;
    ResetSaveState();
    const fs::path out = m_temp.Path() / "out";
    SaveWholeVolume(ToPath16(out));
    EXPECT_EQ(g_SaveReport.savedFiles, 297u);
    EXPECT_EQ(g_SaveReport.failedFiles, 3u);
    EXPECT_EQ(g_SaveReport.changedFiles, 3u);
    EXPECT_EQ(g_SaveReport.failedNames, (std::vector<std::u16string>{u"2.jpg", u"3.jpg", u"4.jpg"}));
    n = 0;
    for (const TracedFileRecord* r = g_TracedFiles.head; r; r = r->next, ++n) {
        const fs::path saved = out / "JPEG Image" / FromPath16(r->name);
        if (r->changedOnDisk != 0) {
            EXPECT_FALSE(fs::exists(saved)) << saved;
            continue;
        }
        const std::string photo = ReadWholeFile(FixtureFile(kCard, "photos/" + photos[n].name));
        EXPECT_EQ(FirstBytes(saved, photo.size()), photo) << saved << " does not hold " << photos[n].name;
    }

    // A fresh trace of the card now finds the hits that held, and no other.
    Trace("after.vhd");
    std::vector<uint32_t> fresh;
    for (const TracedFileRecord* r = g_TracedFiles.head; r; r = r->next)
        fresh.push_back(r->sector);
    EXPECT_EQ(fresh, held);
}

TEST_F(RetakenPhotoCard, OverItsOwnCardEveryHitHolds)
{
    const std::u16string path = SnapshotBefore();
    ASSERT_NO_FATAL_FAILURE(Open("before.vhd"));
    RecordingObserver observer;
    ASSERT_TRUE(LoadSnapshotFile(path));
    EXPECT_TRUE(observer.messages.empty());
    ASSERT_EQ(g_TracedFiles.count, 300u);
    for (const TracedFileRecord* r = g_TracedFiles.head; r; r = r->next)
        EXPECT_EQ(r->changedOnDisk, 0u) << r->sector;
}
