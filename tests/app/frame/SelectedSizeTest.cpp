// The size of what is ticked on the results page: counted whenever a box of the tree or of the
// list changes and written into the page's size label, the files below a ticked folder included.
#include <gtest/gtest.h>

#include "app/lists/ResultListCtrl.h"
#include "app/WizardState.h"
#include "app/pages/ThirdView_HDD.h"
#include "engine/state/EngineState.h"
#include "resource.h"
#include "tests/app/frame/FrameTestSupport.h"

namespace morvick::test {
namespace {

constexpr uint32_t kMiB = 1024 * 1024;

CString SizeLabel()
{
    CString text;
    ResultsPage().GetDlgItem(IDC_RESULT_LABEL)->GetWindowText(text);
    return text;
}

HTREEITEM Child(CTreeCtrl& tree, HTREEITEM parent, const wchar_t* text)
{
    for (HTREEITEM item = tree.GetChildItem(parent); item != nullptr; item = tree.GetNextSiblingItem(item)) {
        if (tree.GetItemText(item) == text)
            return item;
    }
    return nullptr;
}

// A click on the item's check box, found by hit-testing along its row.
void ClickBox(CResultTreeCtrl& tree, HTREEITEM item)
{
    tree.EnsureVisible(item);
    CRect label;
    ASSERT_TRUE(tree.GetItemRect(item, &label, TRUE));
    for (int x = 0; x < label.left; ++x) {
        UINT flags = 0;
        const CPoint point(x, label.CenterPoint().y);
        if (tree.HitTest(point, &flags) == item && (flags & TVHT_ONITEMSTATEICON)) {
            tree.ClickAt(point);
            return;
        }
    }
    FAIL() << "no check box on the row";
}

int ListRow(CResultListCtrl& list, const wchar_t* name)
{
    for (int row = 0; row < list.GetItemCount(); ++row) {
        if (list.GetItemText(row, 0) == name)
            return row;
    }
    return -1;
}

TEST(SelectedSize, EachChangeOfABoxShowsTheTickedFilesSizeInMegabytes)
{
    struct Restore {
        ~Restore() { LeaveFatResults(); }
    } restore;
    // The top folder: one file of 1 MB and folder A; A: 2 MB and folder B; B: 3.5 MB.
    ASSERT_NO_FATAL_FAILURE(ShowFatResults({{u"A", 100, 0}, {u"B", 101, 100}},
        {{u"top.bin", 0, kMiB}, {u"a.bin", 100, 2 * kMiB}, {u"b.bin", 101, 3 * kMiB + kMiB / 2}}));
    CResultTreeCtrl& tree = ResultsPage().Tree();
    CResultListCtrl& list = ResultsPage().List();
    PumpPending();
    HTREEITEM root = tree.GetRootItem(), a = Child(tree, root, L"A");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(tree.SelectedBytes(), 0u);

    // Folder A ticked by its box: its file and those of B below it, 5.5 MB.
    ASSERT_NO_FATAL_FAILURE(ClickBox(tree, a));
    ASSERT_EQ(tree.GetCheck(a), 1);
    EXPECT_EQ(SizeLabel(), L"Selected Size : 5 MB");
    // The top folder's file ticked in the list: 6.5 MB.
    const int top = ListRow(list, L"top.bin");
    ASSERT_GE(top, 0);
    list.ToggleRowCheck(top);
    EXPECT_EQ(SizeLabel(), L"Selected Size : 6 MB");
    EXPECT_EQ(tree.SelectedBytes(), uint64_t{6} * kMiB + kMiB / 2);
    // A cleared again: the top file alone.
    ASSERT_NO_FATAL_FAILURE(ClickBox(tree, a));
    EXPECT_EQ(SizeLabel(), L"Selected Size : 1 MB");
    // The top item, partly ticked, cleared: nothing; then ticked: everything, counted once.
    ASSERT_NO_FATAL_FAILURE(ClickBox(tree, root));
    EXPECT_EQ(SizeLabel(), L"Selected Size : 0 MB");
    ASSERT_NO_FATAL_FAILURE(ClickBox(tree, root));
    ASSERT_EQ(tree.GetCheck(root), 1);
    EXPECT_EQ(tree.SelectedBytes(), uint64_t{6} * kMiB + kMiB / 2);
    EXPECT_EQ(SizeLabel(), L"Selected Size : 6 MB");

    // The label is where a user reads it: shown in the page's bottom strip, wide enough for its
    // text, clear of the Back and Save buttons.
    CWnd* label = ResultsPage().GetDlgItem(IDC_RESULT_LABEL);
    CRect page, shown, back, save;
    ResultsPage().GetClientRect(&page);
    label->GetWindowRect(&shown);
    ResultsPage().ScreenToClient(&shown);
    ResultsPage().GetDlgItem(ID_PAGE_BACK)->GetWindowRect(&back);
    ResultsPage().ScreenToClient(&back);
    ResultsPage().GetDlgItem(ID_PAGE_NEXT)->GetWindowRect(&save);
    ResultsPage().ScreenToClient(&save);
    EXPECT_TRUE(label->IsWindowVisible());
    EXPECT_GE(shown.top, page.bottom - 50);
    EXPECT_LE(shown.bottom, page.bottom);
    EXPECT_LE(shown.right, back.left);
    EXPECT_LE(shown.right, save.left);
    CClientDC dc(label);
    CFont* old = dc.SelectObject(label->GetFont());
    const CSize text = dc.GetTextExtent(L"Selected Size : 9999999 MB");
    dc.SelectObject(old);
    EXPECT_GE(shown.Width(), text.cx);
    EXPECT_GE(shown.Height(), text.cy);

    // New results start with nothing ticked: the label no longer tells the last results' size.
    ResultsPage().ShowScanResults(kScanQuick);
    PumpPending();
    EXPECT_EQ(tree.SelectedBytes(), 0u);
    EXPECT_TRUE(SizeLabel().IsEmpty());
    TakeMessages();
}

// The mode summary's right edge as the page draws it (its font: Arial, 16 pixels).
int SummaryRight(CWnd& page)
{
    CFont font;
    font.CreateFont(16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
        DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
    CRect client, text(0, 0, 0, 0);
    page.GetClientRect(&client);
    CClientDC dc(&page);
    CFont* old = dc.SelectObject(&font);
    dc.DrawText(g_strSelectedModeText, &text, DT_CALCRECT | DT_LEFT | DT_TOP | DT_NOPREFIX);
    dc.SelectObject(old);
    return client.left + 25 + text.Width();
}

TEST(SelectedSize, TheLabelLeavesEveryModeSummaryWhole)
{
    struct Restore {
        CString text = g_strSelectedModeText;
        ~Restore()
        {
            g_strSelectedModeText = text;
            LeaveFatResults();
        }
    } restore;
    ASSERT_NO_FATAL_FAILURE(ShowFatResults({}, {{u"top.bin", 0, kMiB}}));
    // The summaries the results page shows, the longest ones naming the drive type, and one wider
    // still, as a wider font draws them; each set while another page was shown, as the scans set them.
    const CString summaries[] = {wizard::ModeOnlyText(kScanQuick), wizard::ModeAndDriveText(kScanExtensive, false),
        wizard::ModeAndDriveText(kScanFileTrace, true), wizard::TreeModeText(kScanQuick, false),
        wizard::ModeAndDriveText(kScanExtensive, false) + L" of a wider font"};
    for (const CString& summary : summaries) {
        SCOPED_TRACE(::testing::Message() << "summary " << (&summary - summaries));
        App().SwitchView(CEx_StyleApp::kPartitionPage);
        g_strSelectedModeText = summary;
        App().SwitchView(CEx_StyleApp::kResultsPage);
        PumpPending();
        CWnd* label = ResultsPage().GetDlgItem(IDC_RESULT_LABEL);
        CRect shown;
        label->GetWindowRect(&shown);
        ResultsPage().ScreenToClient(&shown);
        EXPECT_GT(shown.left, SummaryRight(ResultsPage())) << "the label covers the summary's end";
        EXPECT_GT(shown.Width(), 0);
    }
}

}  // namespace
}  // namespace morvick::test
