// The size of what is ticked on the results page: counted whenever a box of the tree or of the
// list changes and written into the page's size label, the files below a ticked folder included.
#include <gtest/gtest.h>

#include <vector>

#include "app/lists/ResultListCtrl.h"
#include "app/WizardState.h"
#include "app/pages/FileSystemView.h"
#include "app/pages/FirstView_HDD.h"
#include "app/pages/SecondView_HDD.h"
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

// A page as it draws itself (background, header band and what lies on them, no child windows), in
// the given client rectangle.
std::vector<uint32_t> PagePicture(CWizardPage& page, const CRect& client)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = client.Width();
    info.bmiHeader.biHeight = -client.Height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr)
        return {};
    CClientDC screen(&page);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    HGDIOBJ old = SelectObject(dc.GetSafeHdc(), bitmap);
    page.DrawPage(&dc, client);
    GdiFlush();
    const uint32_t* pixels = static_cast<const uint32_t*>(bits);
    std::vector<uint32_t> picture(pixels, pixels + client.Width() * client.Height());
    SelectObject(dc.GetSafeHdc(), old);
    DeleteObject(bitmap);
    return picture;
}

TEST(SelectedSize, TheResultsPageDrawsNoModeSummaryAndTheLabelKeepsItsPlace)
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
    CRect client;
    ResultsPage().GetClientRect(&client);
    ASSERT_FALSE(client.IsRectEmpty());
    CWizardPage* summaryPages[] = {&DrivePage(), &PartitionPage(), &FileSystemPage()};
    g_strSelectedModeText.Empty();
    const std::vector<uint32_t> plainResults = PagePicture(ResultsPage(), client);
    std::vector<std::vector<uint32_t>> plainSummaryPages;
    for (CWizardPage* page : summaryPages)
        plainSummaryPages.push_back(PagePicture(*page, client));
    CWnd* label = ResultsPage().GetDlgItem(IDC_RESULT_LABEL);
    CRect place;
    label->GetWindowRect(&place);
    ResultsPage().ScreenToClient(&place);
    EXPECT_LE(place.left, client.left + 25) << "the label leaves room for a summary the page does not draw";
    EXPECT_GT(place.Width(), 0);

    // The summaries the scans set, the longest ones naming the drive type, and one wider still, as a
    // wider font draws them; each set while another page was shown, as the scans set them.
    const CString summaries[] = {wizard::ModeOnlyText(kScanQuick), wizard::ModeAndDriveText(kScanExtensive, false),
        wizard::ModeAndDriveText(kScanFileTrace, true), wizard::TreeModeText(kScanQuick, false),
        wizard::ModeAndDriveText(kScanExtensive, false) + L" of a wider font"};
    for (const CString& summary : summaries) {
        SCOPED_TRACE(::testing::Message() << "summary " << (&summary - summaries));
        App().SwitchView(CEx_StyleApp::kPartitionPage);
        g_strSelectedModeText = summary;
        App().SwitchView(CEx_StyleApp::kResultsPage);
        PumpPending();
        EXPECT_TRUE(PagePicture(ResultsPage(), client) == plainResults) << "the results page drew the summary";
        CRect shown;
        label->GetWindowRect(&shown);
        ResultsPage().ScreenToClient(&shown);
        EXPECT_EQ(shown.left, place.left) << "the label moved with a summary the page does not draw";
        EXPECT_EQ(shown.Width(), place.Width());
        // The pages the summary belongs to still draw it.
        for (size_t i = 0; i < plainSummaryPages.size(); ++i)
            EXPECT_FALSE(PagePicture(*summaryPages[i], client) == plainSummaryPages[i]) << "page " << i;
    }
}

}  // namespace
}  // namespace morvick::test
