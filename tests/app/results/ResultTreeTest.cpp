// The result tree's check boxes on a real tree control: what a tick does to the folders above and
// below and to the ticked files, on FAT and NTFS alike; the tree's own handling of a hit on a box;
// what a save of the ticked items writes (a save root is a ticked item with no ticked item above
// it); the File Trace tree of types; and a tree built in slices, as a scan's results are.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "engine/fat/FatEntryLists.h"
#include "engine/save/EngineReset.h"
#include "engine/state/EngineState.h"
#include "tests/app/results/ResultsTestSupport.h"

namespace morvick::test {
namespace {

class ResultTree : public ::testing::TestWithParam<TestVolume> {
protected:
    void SetUp() override { FillTestVolume(GetParam()); }
    void TearDown() override { ResetEngineState(); }

    bool Ticked(ResultPanes& panes, const CString& file)
    {
        for (uint32_t key : panes.tree.Index().AllFiles()) {
            const ResultFileInfo* info = panes.tree.Index().FileByKey(key);
            if (CString(reinterpret_cast<const wchar_t*>(info->Name())) == file)
                return panes.list.Sets().checkedEntries.count(key) != 0;
        }
        ADD_FAILURE() << "no file " << file.GetLength();
        return false;
    }
    uint32_t FileKey(ResultPanes& panes, const CString& file)
    {
        for (uint32_t key : panes.tree.Index().AllFiles()) {
            if (CString(reinterpret_cast<const wchar_t*>(panes.tree.Index().FileByKey(key)->Name())) == file)
                return key;
        }
        return 0xFFFFFFFF;
    }
};

TEST_P(ResultTree, TicksGoDownToEverythingAndUpAsCheckedOrPartlyChecked)
{
    ResultPanes panes;
    CResultTreeCtrl& tree = panes.tree;
    HTREEITEM root = tree.GetRootItem(), a = panes.Item(L"A"), a1 = panes.Item(L"A1"), b = panes.Item(L"B");
    ASSERT_NE(a1, nullptr);

    // A folder ticked: it and its file; its parent holds unticked files, so it is partly ticked.
    tree.SetCheck(a1, true);
    EXPECT_EQ(tree.GetCheck(a1), 1);
    EXPECT_TRUE(Ticked(panes, L"x.jpg"));
    EXPECT_TRUE(tree.GetItemState(a1, TVIS_BOLD) & TVIS_BOLD) << "a ticked item is bold";
    EXPECT_EQ(tree.GetCheck(a), 2);
    EXPECT_EQ(tree.GetCheck(root), 2);
    // Once the folder's files are ticked too, it is ticked whole.
    tree.SetFileChecked(FileKey(panes, L"a1.txt"), true);
    EXPECT_EQ(tree.GetCheck(a), 2);
    tree.SetFileChecked(FileKey(panes, L"a2.txt"), true);
    EXPECT_EQ(tree.GetCheck(a), 1);
    EXPECT_EQ(tree.GetCheck(root), 2) << "the root's own files and B are unticked";

    // Clearing the only ticked child of a folder whose files are ticked leaves it partly ticked;
    // clearing the files as well clears it, and the root with it.
    tree.SetCheck(a1, false);
    EXPECT_FALSE(Ticked(panes, L"x.jpg"));
    EXPECT_EQ(tree.GetCheck(a), 2);
    tree.SetFileChecked(FileKey(panes, L"a1.txt"), false);
    tree.SetFileChecked(FileKey(panes, L"a2.txt"), false);
    EXPECT_EQ(tree.GetCheck(a), 0);
    EXPECT_FALSE(tree.GetItemState(a, TVIS_BOLD) & TVIS_BOLD);
    EXPECT_EQ(tree.GetCheck(root), 0);

    // The top item ticks the whole volume; one file cleared leaves its folders partly ticked.
    tree.SetCheck(root, true);
    for (const char16_t* name : {u"r1.txt", u"r2.bin", u"a1.txt", u"a2.txt", u"x.jpg", u"b1.txt"})
        EXPECT_TRUE(Ticked(panes, reinterpret_cast<const wchar_t*>(name)));
    EXPECT_EQ(tree.GetCheck(b), 1);
    tree.SetFileChecked(FileKey(panes, L"x.jpg"), false);
    EXPECT_EQ(tree.GetCheck(a1), 0) << "a folder whose only file is cleared";
    EXPECT_EQ(tree.GetCheck(a), 2);
    EXPECT_EQ(tree.GetCheck(root), 2);
    EXPECT_EQ(tree.GetCheck(b), 1);
}

TEST_P(ResultTree, AHitOnABoxTogglesItOnceAndTheTreeFollows)
{
    ResultPanes panes;
    CResultTreeCtrl& tree = panes.tree;
    HTREEITEM a1 = panes.Item(L"A1");
    CRect label;
    ASSERT_TRUE(tree.GetItemRect(a1, &label, TRUE));
    // Without icons the box stands just left of the label.
    const CPoint box(label.left - 8, label.CenterPoint().y);
    UINT flags = 0;
    ASSERT_EQ(tree.HitTest(box, &flags), a1);
    ASSERT_TRUE(flags & TVHT_ONITEMSTATEICON);
    // The mouse itself, as a person clicks: the control's own toggling never acts on top.
    tree.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(box.x, box.y));
    tree.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(box.x, box.y));
    PumpPending();
    EXPECT_EQ(tree.GetCheck(a1), 1);
    EXPECT_EQ(tree.GetCheck(panes.Item(L"A")), 2) << "the parent follows on every file system";
    tree.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(box.x, box.y));
    tree.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(box.x, box.y));
    PumpPending();
    EXPECT_EQ(tree.GetCheck(a1), 0);
    EXPECT_EQ(tree.GetCheck(panes.Item(L"A")), 0);
    // A click on a label lists that folder.
    tree.ClickAt(label.CenterPoint());
    PumpPending();
    EXPECT_EQ(tree.ListedItem(), a1);
    EXPECT_EQ(panes.RowNames(), (std::vector<CString>{L"Parent...", L"x.jpg"}));
    // A click in the lines left of another folder's row is on no part of it: nothing changes.
    CRect row;
    ASSERT_TRUE(tree.GetItemRect(panes.Item(L"B"), &row, FALSE));
    const CPoint indent(2, row.CenterPoint().y);
    ASSERT_EQ(tree.HitTest(indent, &flags), panes.Item(L"B"));
    ASSERT_TRUE(flags & TVHT_ONITEMINDENT);
    tree.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(indent.x, indent.y));
    tree.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(indent.x, indent.y));
    PumpPending();
    EXPECT_EQ(tree.GetSelectedItem(), a1);
    EXPECT_EQ(tree.ListedItem(), a1);
    EXPECT_EQ(tree.GetCheck(panes.Item(L"B")), 0);
}

TEST_P(ResultTree, ASaveWritesTheTopmostTickedFoldersAndTheTickedFilesOutsideThem)
{
    ResultPanes panes;
    CResultTreeCtrl& tree = panes.tree;
    EXPECT_TRUE(tree.CollectSaveChoice().Empty()) << "nothing ticked, nothing to save";

    tree.SetCheck(panes.Item(L"A"), true);
    tree.SetFileChecked(FileKey(panes, L"r1.txt"), true);
    ResultSaveChoice choice = tree.CollectSaveChoice();
    EXPECT_FALSE(choice.wholeVolume);
    ASSERT_EQ(choice.selection.folderItems.size(), 1u) << "A1 is saved with A, once";
    EXPECT_EQ(TreeItemFromNumber(choice.selection.folderItems[0]), panes.Item(L"A"));
    EXPECT_EQ(choice.selection.fileKeys, (std::vector<uint32_t>{FileKey(panes, L"r1.txt")}))
        << "A's files are saved with A";

    // A ticked folder below a ticked folder whose child between them is only partly ticked is no
    // root of its own: nothing is saved twice.
    tree.UncheckItemAndChildren(tree.GetRootItem());
    tree.CheckItem(panes.Item(L"A"));
    tree.SetPartial(panes.Item(L"A1"));
    const std::vector<HTREEITEM> roots = tree.SaveRoots();
    EXPECT_EQ(roots, (std::vector<HTREEITEM>{panes.Item(L"A")}));

    // The top item ticked: the whole volume.
    tree.SetCheck(tree.GetRootItem(), true);
    choice = tree.CollectSaveChoice();
    EXPECT_TRUE(choice.wholeVolume);
    tree.UncheckItemAndChildren(tree.GetRootItem());
    EXPECT_TRUE(panes.list.Sets().checkedEntries.empty()) << "a save's end clears every tick";
    EXPECT_TRUE(tree.CollectSaveChoice().Empty());
}

TEST_P(ResultTree, PathsLeaveOutTheTopItemAndDeletedFoldersAreRed)
{
    ResultPanes panes;
    EXPECT_EQ(panes.tree.GetItemPath(panes.Item(L"A1")), L"A\\A1");
    EXPECT_EQ(panes.tree.GetItemPath(panes.tree.GetRootItem()), L"Root");
    EXPECT_EQ(panes.tree.ItemColour(panes.Item(L"B")), CResultTreeCtrl::kDeletedColour);
    EXPECT_EQ(panes.tree.ItemColour(panes.Item(L"A")), CResultTreeCtrl::kDefaultColour);
}

INSTANTIATE_TEST_SUITE_P(FileSystems, ResultTree, ::testing::Values(TestVolume::kFat32, TestVolume::kNtfs),
    [](const ::testing::TestParamInfo<TestVolume>& info) { return info.param == TestVolume::kFat32 ? "Fat" : "Ntfs"; });

TEST(TraceTree, TypesHoldTheirTracedFilesAndTicksSaveEachFileByItself)
{
    FillTestVolume(TestVolume::kTrace);
    ResultPanes panes;
    CResultTreeCtrl& tree = panes.tree;
    HTREEITEM jpeg = panes.Item(L"JPEG Image");
    ASSERT_NE(jpeg, nullptr);
    EXPECT_TRUE(tree.IsTypeFolder(jpeg));
    EXPECT_EQ(panes.RowNames(), (std::vector<CString>{L"JPEG Image", L"PNG Image"})) << "the top item lists the types";

    tree.SetCheck(jpeg, true);
    EXPECT_EQ(tree.GetCheck(tree.GetRootItem()), 2);
    EXPECT_EQ(tree.GetCheck(panes.Item(L"1.jpg")), 1);
    ResultSaveChoice choice = tree.CollectSaveChoice();
    EXPECT_FALSE(choice.wholeVolume);
    EXPECT_EQ(choice.selection.fileKeys, (std::vector<uint32_t>{1, 3}));
    // A file's box from the list: its item and its type follow.
    tree.SetFileChecked(3, false);
    EXPECT_EQ(tree.GetCheck(panes.Item(L"3.jpg")), 0);
    EXPECT_EQ(tree.GetCheck(jpeg), 2);
    tree.SetCheck(tree.GetRootItem(), true);
    EXPECT_EQ(tree.CollectSaveChoice().selection.fileKeys, (std::vector<uint32_t>{1, 2, 3}));
    ResetEngineState();
}

// Each item of a tree in pre-order: its level, its text and its colour.
std::vector<std::wstring> TreeShape(CResultTreeCtrl& tree)
{
    std::vector<std::wstring> shape;
    for (HTREEITEM item = tree.GetRootItem(); item != nullptr; item = tree.GetNextItemPreOrder(item)) {
        int level = 0;
        for (HTREEITEM parent = tree.GetParentItem(item); parent != nullptr; parent = tree.GetParentItem(parent))
            ++level;
        shape.push_back(std::to_wstring(level) + L" " + tree.GetItemText(item).GetString() + L" " +
            std::to_wstring(tree.ItemColour(item)));
    }
    return shape;
}

// A volume of many folders: ten in the root, each other one below an earlier one not far before
// it, so that the branches run up to some thirty levels deep and hold from none to many folders;
// every tenth deleted. Or as many traced files of three types.
void FillLargeVolume(bool trace)
{
    ResetEngineState();
    if (trace) {
        g_nScanMode = kScanFileTrace;
        const char16_t* types[] = {u"JPEG Image", u"PNG Image", u"Text"};
        for (uint32_t hit = 1; hit <= 500; ++hit) {
            auto* r = NewRecord<TracedFileRecord>();
            const std::string number = std::to_string(hit);
            r->name = CopyRecordName((std::u16string(number.begin(), number.end()) + u".bin").c_str());
            r->extension = CopyRecordName(u".bin");
            r->typeName = CopyRecordName(types[hit % 3]);
            r->sector = hit;
            r->hitNumber = hit;
            AppendRecord(g_TracedFiles, r);
        }
        return;
    }
    g_nScanMode = kScanQuick;
    g_VolumeParams.browsedFileSystemType = FileSystemKind::kFat32;
    for (uint32_t i = 0; i < 500; ++i) {
        const uint32_t parent = i < 10 ? 0 : 100 + i - 1 - (i * 37) % (i / 3);
        const std::u16string name = u"D" + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)) +
            std::u16string(1, static_cast<char16_t>(u'A' + (i / 26) % 26));
        AppendNewFatFolder(name, 100 + i, parent, 0, 0, 0, i % 10 == 0 ? 1 : 0);
    }
}

TEST(SlicedBuild, AResultTreeBuiltInSlicesIsTheTreeBuiltAtOnce)
{
    for (bool trace : {false, true}) {
        SCOPED_TRACE(trace ? "File Trace" : "FAT");
        FillLargeVolume(trace);
        ResultPanes panes;
        CResultTreeCtrl& tree = panes.tree;
        const std::vector<std::wstring> atOnce = TreeShape(tree);
        ASSERT_GT(atOnce.size(), 500u);
        if (!trace) {
            int deepest = 0;
            for (const std::wstring& item : atOnce)
                deepest = std::max(deepest, std::stoi(item));
            EXPECT_GE(deepest, 25) << "the volume is not the deep one it is meant to be";
        }

        // The least budget there is: each slice inserts the few items between two looks at the clock.
        tree.BeginBuild();
        EXPECT_TRUE(tree.IsBuilding());
        int slices = 0, percent = 0;
        while (!tree.ContinueBuild(0)) {
            ++slices;
            EXPECT_GE(tree.BuildPercent(), percent) << "the share built only grows";
            EXPECT_LE(tree.BuildPercent(), 99);
            percent = tree.BuildPercent();
        }
        EXPECT_GT(slices, 3);
        EXPECT_GT(percent, 50);
        EXPECT_FALSE(tree.IsBuilding());
        for (HTREEITEM item = tree.GetRootItem(); item != nullptr; item = tree.GetNextItemPreOrder(item))
            tree.Expand(item, TVE_EXPAND);
        EXPECT_EQ(TreeShape(tree), atOnce);
        EXPECT_EQ(tree.GetSelectedItem(), tree.GetRootItem()) << "the top folder is listed";
        EXPECT_EQ(tree.ListedItem(), tree.GetRootItem());
        if (!trace) {
            // Each folder record knows its item again.
            for (const FatFolderRecord* r = g_FatFolders.head; r != nullptr; r = r->next) {
                uint32_t key = 0;
                ASSERT_TRUE(tree.FolderKeyOf(TreeItemFromNumber(r->treeItem), key));
                EXPECT_EQ(key, r->firstCluster);
            }
        }
    }
    ResetEngineState();
}

}  // namespace
}  // namespace morvick::test
