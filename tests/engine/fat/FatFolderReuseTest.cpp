// A folder made in the cluster of a deleted one, as the folder list sees the two entries: one record
// per cluster, which the live entry makes its own; a damaged disk whose live entry would make the
// folder its own ancestor; and a list set aside or loaded, in which each folder is still found by its
// cluster.
#include "engine/fat/FatEntryLists.h"
#include "engine/listing/ResultListing.h"
#include "engine/save/EngineReset.h"
#include "engine/snapshot/LoadedSnapshot.h"
#include "engine/snapshot/ScratchScan.h"
#include "engine/state/EngineState.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class FatFolderReuse : public ::testing::Test {
protected:
    void SetUp() override { ResetEngineState(); }
    void TearDown() override { ResetEngineState(); }
};

// The folders' names in list order.
std::vector<std::u16string> FolderOrder()
{
    std::vector<std::u16string> names;
    for (const FatFolderRecord* f = g_FatFolders.head; f; f = f->next)
        names.push_back(f->name);
    return names;
}

// The names of the folder rows of a listed folder.
std::vector<std::u16string> ListedFolders(uint32_t cluster)
{
    std::vector<std::u16string> names;
    for (const ResultRow& row : ListFatFolder(cluster)) {
        if (row.kind == ResultRowKind::kFolder)
            names.push_back(row.name);
    }
    return names;
}

}  // namespace

TEST_F(FatFolderReuse, TheLiveEntryGivesTheRecordItsNamePlaceAndDates)
{
    AppendFatFolder(u"xLD", 10, 0, 0x1111, 0x2222, 0, 1);
    AppendFatFolder(u"KEEP", 20, 0, 0x3333, 0x3333, 0, 0);
    AppendFatFolder(u"LIVE", 10, 20, 0x4444, 0x5555, 0, 0);
    ASSERT_EQ(g_FatFolders.count, 2u);
    EXPECT_EQ(g_nFatFolderCount, 2u);
    // Found where the live entry is: after the folder that holds it.
    EXPECT_EQ(FolderOrder(), (std::vector<std::u16string>{u"KEEP", u"LIVE"}));
    const FatFolderRecord* live = g_FatFolders.tail;
    EXPECT_EQ(live->firstCluster, 10u);
    EXPECT_EQ(live->parentCluster, 20u);
    EXPECT_EQ(live->writeDate, 0x4444);
    EXPECT_EQ(live->accessDate, 0x5555);
    EXPECT_EQ(live->deleted, 0u);
    EXPECT_EQ(ListedFolders(0), std::vector<std::u16string>{u"KEEP"});
    EXPECT_EQ(ListedFolders(20), std::vector<std::u16string>{u"LIVE"});

    // A deleted entry of a live folder's cluster changes nothing.
    AppendFatFolder(u"xONE", 10, 0, 0x6666, 0x6666, 0, 1);
    EXPECT_EQ(FolderOrder(), (std::vector<std::u16string>{u"KEEP", u"LIVE"}));
    EXPECT_EQ(live->parentCluster, 20u);
    EXPECT_EQ(live->writeDate, 0x4444);
    EXPECT_EQ(live->deleted, 0u);
}

// Only a damaged disk gives a live entry inside the deleted folder's own subtree (or in its own
// directory): the record keeps its parent, so it stays reachable from the root and no walk of the
// tree goes round in a circle.
TEST_F(FatFolderReuse, AParentInsideItsOwnSubtreeIsNotTaken)
{
    AppendFatFolder(u"xLD", 10, 0, 0, 0, 0, 1);
    AppendFatFolder(u"A", 11, 10, 0, 0, 0, 0);
    AppendFatFolder(u"B", 12, 11, 0, 0, 0, 0);
    AppendFatFolder(u"LOOP", 10, 12, 0x4444, 0, 0, 0);
    ASSERT_EQ(g_FatFolders.count, 3u);
    const FatFolderRecord* revived = g_FatFolders.tail;
    EXPECT_EQ(std::u16string(revived->name), u"LOOP");
    EXPECT_EQ(revived->parentCluster, 0u);
    EXPECT_EQ(revived->deleted, 0u);
    EXPECT_EQ(revived->writeDate, 0x4444);
    EXPECT_EQ(ListedFolders(0), std::vector<std::u16string>{u"LOOP"});
    EXPECT_EQ(ListedFolders(10), std::vector<std::u16string>{u"A"});
    EXPECT_EQ(ListedFolders(11), std::vector<std::u16string>{u"B"});

    // Its own directory as its parent.
    AppendFatFolder(u"xSELF", 30, 12, 0, 0, 0, 1);
    AppendFatFolder(u"SELF", 30, 30, 0, 0, 0, 0);
    EXPECT_EQ(g_FatFolders.tail->parentCluster, 12u);
    EXPECT_EQ(ListedFolders(12), std::vector<std::u16string>{u"SELF"});
}

// A deleted entry that proves a deleted folder its own takes that record's name, parent and dates, in
// its place in the list; a live folder's record, which a live entry made its own, keeps them.
TEST_F(FatFolderReuse, AProvenDeletedEntryRenamesOnlyADeletedRecord)
{
    AppendFatFolder(u"KEEP", 20, 0, 0, 0, 0, 0);
    AppendFatFolder(u"xOLD", 10, 0, 0x1111, 0x1111, 0, 1);
    AppendFatFolder(u"LIVE", 30, 0, 0x3333, 0x3333, 0, 0);
    morvick::FatFoundEntry later;
    later.name = u"Later";
    later.folder = later.deleted = true;
    later.firstCluster = 10;
    later.parentCluster = 20;
    later.writeDate = 0x4444;
    later.accessDate = 0x5555;
    RenameDeletedFatFolder(later);
    later.firstCluster = 30;
    RenameDeletedFatFolder(later);

    EXPECT_EQ(FolderOrder(), (std::vector<std::u16string>{u"KEEP", u"Later", u"LIVE"}));
    const FatFolderRecord* renamed = g_FatFolders.head->next;
    EXPECT_EQ(renamed->parentCluster, 20u);
    EXPECT_EQ(renamed->writeDate, 0x4444);
    EXPECT_EQ(renamed->accessDate, 0x5555);
    EXPECT_EQ(renamed->deleted, 1u);
    EXPECT_EQ(ListedFolders(20), std::vector<std::u16string>{u"Later"});
    EXPECT_EQ(g_FatFolders.tail->parentCluster, 0u);
    EXPECT_EQ(g_FatFolders.tail->deleted, 0u);
}

// The folders a scan found, set aside while a snapshot's volume is read again, are each found by their
// cluster once they are back: a live entry revives the record of its cluster, in place of a second
// record beside it. A loaded snapshot may list a cluster twice: a live entry revives the first record
// of it in the list, then the second, as a walk from the head would find them.
TEST_F(FatFolderReuse, AListSetAsideOrLoadedIsFoundByClusterAgain)
{
    AppendFatFolder(u"xA", 10, 0, 0, 0, 0, 1);
    AppendFatFolder(u"xB", 11, 0, 0, 0, 0, 1);
    AppendFatFolder(u"xC", 12, 0, 0, 0, 0, 1);
    {
        ScratchScan scratch(g_VolumeParams, kScanQuick);
        AppendFatFolder(u"OTHER", 11, 0, 0, 0, 0, 0);
        AppendFatFolder(u"MORE", 13, 0, 0, 0, 0, 1);
        ASSERT_EQ(FolderOrder(), (std::vector<std::u16string>{u"OTHER", u"MORE"}));
    }
    AppendFatFolder(u"B", 11, 0, 0, 0, 0, 0);
    AppendFatFolder(u"A", 10, 0, 0, 0, 0, 0);
    EXPECT_EQ(FolderOrder(), (std::vector<std::u16string>{u"xC", u"B", u"A"}));

    LoadedSnapshot loaded;
    for (const char16_t* name : {u"xFIRST", u"xKEEP", u"xSECOND"}) {
        FatFolderRecord* r = NewNamedRecord<FatFolderRecord>(name, [name](FatFolderRecord& f) {
            f.firstCluster = std::u16string(name) == u"xKEEP" ? 21 : 20;
            f.deleted = 1;
        });
        ASSERT_NE(r, nullptr);
        AppendRecord(loaded.fatFolders, r);
    }
    loaded.Commit();
    AppendFatFolder(u"FIRST", 20, 0, 0, 0, 0, 0);
    EXPECT_EQ(FolderOrder(), (std::vector<std::u16string>{u"xKEEP", u"xSECOND", u"FIRST"}));
    AppendFatFolder(u"SECOND", 20, 0, 0, 0, 0, 0);
    EXPECT_EQ(FolderOrder(), (std::vector<std::u16string>{u"xKEEP", u"FIRST", u"SECOND"}));
    AppendFatFolder(u"KEEP", 21, 0, 0, 0, 0, 0);
    EXPECT_EQ(FolderOrder(), (std::vector<std::u16string>{u"FIRST", u"SECOND", u"KEEP"}));
    EXPECT_EQ(std::u16string(g_FatFolders.tail->name), u"KEEP");
}
