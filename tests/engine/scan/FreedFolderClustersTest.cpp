// The deleted-folder search keeps up with the folder list while it lists what it found: a folder
// record that a live entry took moves to the list's tail, also the last one the search had walked,
// and the folders added before or after it moved are still known to it: none is listed twice.
#include "engine/fat/FatEntryLists.h"
#include "engine/save/EngineReset.h"
#include "engine/scan/FreedFolderClusters.h"
#include "engine/state/EngineState.h"
#include "engine/volume/EngineSectorSource.h"
#include "tests/engine/scan/SmallFatVolume.h"

#include <gtest/gtest.h>

#include <functional>

namespace morvick::test {

namespace {

// `cluster` begins a deleted folder that no record names yet: "." and ".." (the root), then two
// deleted files.
void PutLostFolder(SmallFatVolume& volume, uint16_t cluster)
{
    const uint32_t start = SmallFatVolume::FirstSector(cluster);
    volume.PutEntry(start, 0, ".          ", 0x10, cluster, 0);
    volume.PutEntry(start, 1, "..         ", 0x10, 0, 0);
    for (size_t slot = 2; slot < 4; ++slot) {
        volume.PutEntry(start, slot, "\xE5OTE0000TXT", 0x20, static_cast<uint16_t>(cluster + 30 + slot), 100);
        PutLittleEndian16(volume.raw, uint64_t{start} * 512 + slot * 32 + 24, ((2023 - 1980) << 9) | (6 << 5) | 9);
    }
}

// How many folder records the list holds of `cluster`.
size_t RecordsOf(uint32_t cluster)
{
    size_t records = 0;
    for (const FatFolderRecord* f = g_FatFolders.head; f; f = f->next)
        records += f->firstCluster == cluster;
    return records;
}

// The deleted folder D at cluster 20 is the one record when the search first walks the list; then
// `changes` change the list, and the search lists all that is left.
void SearchAround(const std::function<void()>& changes)
{
    ASSERT_NE(AppendNewFatFolder(u"D", 20, 0, 0, 0, 0, 1), nullptr);
    EngineSectorSource disk;
    FreedFolderClusters freed(disk, AddFatDirectoryEntry, [] { return false; });
    EXPECT_FALSE(freed.AttachToTheirFolders());
    changes();
    while (freed.ParkNext()) {
    }
}

}  // namespace

TEST(FreedFolderClusters, AFolderAddedAfterTheRecordThatALiveEntryTookIsStillKnown)
{
    ResetEngineState();
    SmallFatVolume volume;
    PutLostFolder(volume, 10);
    volume.Open(0);
    SearchAround([] {
        // D's subfolder at cluster 10 is listed, and a live entry takes D's cluster: D moves to the
        // tail, after the subfolder.
        ASSERT_NE(AppendNewFatFolder(u"Sub", 10, 20, 0, 0, 0, 1), nullptr);
        AppendFatFolder(u"Live", 20, 0, 0, 0, 0, 0);
        ASSERT_EQ(g_FatFolders.tail->firstCluster, 20u);
    });
    // Cluster 10 begins a folder that a record names now: not listed again as a lost one.
    EXPECT_EQ(RecordsOf(10), 1u);
    ResetEngineState();
}

// The search walked D last; A and B were added after it, a live entry took D (A, B, D) and C was added
// after it: the search's next walk takes in A and B too, not C alone.
TEST(FreedFolderClusters, FoldersAddedBeforeTheLastWalkedRecordMovedAreStillKnown)
{
    ResetEngineState();
    SmallFatVolume volume;
    PutLostFolder(volume, 10);
    PutLostFolder(volume, 11);
    volume.Open(0);
    SearchAround([] {
        ASSERT_NE(AppendNewFatFolder(u"A", 10, 20, 0, 0, 0, 1), nullptr);
        ASSERT_NE(AppendNewFatFolder(u"B", 11, 20, 0, 0, 0, 1), nullptr);
        AppendFatFolder(u"Live", 20, 0, 0, 0, 0, 0);
        ASSERT_NE(AppendNewFatFolder(u"C", 30, 0, 0, 0, 0, 1), nullptr);
        ASSERT_EQ(g_FatFolders.tail->firstCluster, 30u);
    });
    // Clusters 10 and 11 begin folders that records name now: neither is listed again.
    EXPECT_EQ(RecordsOf(10), 1u);
    EXPECT_EQ(RecordsOf(11), 1u);
    ResetEngineState();
}

}  // namespace morvick::test
