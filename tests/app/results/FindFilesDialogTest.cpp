// The Find dialog on a real window over the tests' volume: the words under the hits tell a search
// that ran to its end from one the user stopped, and Stop answered No lets the same search go on.
#include <gtest/gtest.h>

#include "app/dialogs/FindFilesDlg.h"
#include "engine/save/EngineReset.h"
#include "resource.h"
#include "tests/app/results/ResultsTestSupport.h"

namespace morvick::test {
namespace {

std::wstring Text(CWnd& dialog, int id)
{
    CString text;
    dialog.GetDlgItemText(id, text);
    return std::wstring(text.GetString());
}

// The dialog, made modeless over the result panes of the tests' FAT volume.
class FindDialog {
public:
    FindDialog() : dialog(panes.tree, &panes.host)
    {
        created = dialog.Create(IDD_FIND_FILES, &panes.host) != FALSE;
        if (created)
            dialog.SetDlgItemText(IDC_FIND_PATTERN, L"*.txt");
    }
    ~FindDialog()
    {
        CFindFilesDlg::HoldNewSearchesForTests(false);
        CFindFilesDlg::SetStopQuestion(nullptr);
        if (created)
            dialog.DestroyWindow();
    }

    // Until the search has ended and the dialog has taken its last hits.
    bool WaitForTheEnd()
    {
        return PumpUntil([&] { return !dialog.IsSearching() && dialog.GetDlgItem(IDOK)->IsWindowEnabled(); });
    }

    ResultPanes panes;
    CFindFilesDlg dialog;
    bool created = false;
};

TEST(FindDialog, OnlyASearchThatRanToItsEndSaysHowManyFilesItFound)
{
    FillTestVolume(TestVolume::kFat32);
    {
        // To its end: every text file of the volume, and the words say so.
        FindDialog find;
        ASSERT_TRUE(find.created);
        find.dialog.StartSearch();
        ASSERT_TRUE(find.WaitForTheEnd());
        const int all = find.dialog.Hits().GetItemCount();
        EXPECT_GE(all, 3);
        const std::wstring said = L"There were " + std::to_wstring(all) + L" files found.";
        EXPECT_EQ(Text(find.dialog, IDC_FIND_STATUS), said);

        // Stop answered No: the same search goes on to the same end.
        CFindFilesDlg::HoldNewSearchesForTests(true);
        CFindFilesDlg::SetStopQuestion([] { return false; });
        find.dialog.StartSearch();
        ASSERT_TRUE(find.dialog.IsSearching());
        find.dialog.AskToStop();
        ASSERT_TRUE(find.WaitForTheEnd());
        EXPECT_EQ(find.dialog.Hits().GetItemCount(), all);
        EXPECT_EQ(Text(find.dialog, IDC_FIND_STATUS), said);

        // Stop answered Yes: nothing claims the search was complete.
        CFindFilesDlg::SetStopQuestion([] { return true; });
        find.dialog.StartSearch();
        ASSERT_TRUE(find.dialog.IsSearching());
        find.dialog.AskToStop();
        ASSERT_TRUE(find.WaitForTheEnd());
        EXPECT_EQ(Text(find.dialog, IDC_FIND_STATUS), L"") << "a stopped search reads as finished";
        EXPECT_TRUE(find.dialog.GetDlgItem(IDOK)->IsWindowEnabled());
        EXPECT_FALSE(find.dialog.GetDlgItem(IDC_FIND_STOP)->IsWindowEnabled());
        EXPECT_TRUE(find.dialog.Hits().IsWindowEnabled());
    }
    TakeMessages();
    ResetEngineState();
}

}  // namespace
}  // namespace morvick::test
