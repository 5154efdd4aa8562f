// The deleted-folder search keeps up with the folder list while it lists what it found: a folder
// record that a live entry took moves to the list's tail, also the last one the search had walked,
// and the folders added after that one are still known to it: none is listed twice.
#include "engine/fat/FatEntryLists.h"
#include "engine/save/EngineReset.h"
#include "engine/scan/FreedFolderClusters.h"
#include "engine/state/EngineState.h"
#include "engine/volume/EngineSectorSource.h"
#include "tests/engine/scan/SmallFatVolume.h"

#include <gtest/gtest.h>

namespace morvick::test {

TEST(FreedFolderClusters, AFolderAddedAfterTheRecordThatALiveEntryTookIsStillKnown)
{
    ResetEngineState();
    SmallFatVolume volume;
    // Cluster 10 begins a deleted folder that no record names yet: "." and ".." (the root), then two
    // deleted files.
    const uint32_t start = SmallFatVolume::FirstSector(10);
    volume.PutEntry(start, 0, ".          ", 0x10, 10, 0);
    volume.PutEntry(start, 1, "..         ", 0x10, 0, 0);
    for (size_t slot = 2; slot < 4; ++slot) {
        volume.PutEntry(start, slot, "\xE5OTE0000TXT", 0x20, static_cast<uint16_t>(40 + slot), 100);
        PutLittleEndian16(volume.raw, uint64_t{start} * 512 + slot * 32 + 24, ((2023 - 1980) << 9) | (6 << 5) | 9);
    }
    volume.Open(0);
    // The deleted folder D at cluster 20, the one record when the search first walks the list.
    ASSERT_NE(AppendNewFatFolder(u"D", 20, 0, 0, 0, 0, 1), nullptr);
    {
        EngineSectorSource disk;
        FreedFolderClusters freed(disk, AddFatDirectoryEntry, [] { return false; });
        EXPECT_FALSE(freed.AttachToTheirFolders());
        // Then D's subfolder at cluster 10 is listed, and a live entry takes D's cluster: D moves to
        // the tail, after the subfolder.
        ASSERT_NE(AppendNewFatFolder(u"Sub", 10, 20, 0, 0, 0, 1), nullptr);
        AppendFatFolder(u"Live", 20, 0, 0, 0, 0, 0);
        ASSERT_EQ(g_FatFolders.tail->firstCluster, 20u);
        // Cluster 10 begins a folder that a record names now: not listed again as a lost one.
        while (freed.ParkNext()) {
        }
    }
    size_t at10 = 0;
    for (const FatFolderRecord* f = g_FatFolders.head; f; f = f->next)
        at10 += f->firstCluster == 10;
    EXPECT_EQ(at10, 1u);
    ResetEngineState();
}

}  // namespace morvick::test
