// Smaller pieces of the wizard: the progress dialog's percentage, Cancel and owner, the file dialog's
// walk over a multiple selection, the page exchange in the frame, the sector boxes' numbers, and the
// document's image names.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/Ex_StyleApp.h"
#include "app/Ex_StyleDoc.h"
#include "app/dialogs/FileNameDialog.h"
#include "app/dialogs/ProgressDialog.h"
#include "app/pages/SecondView_HDD.h"
#include "preview/win/imaging/CxImage.h"
#include "tests/app/AppTestSupport.h"

namespace morvick::test {
namespace {

TEST(ProgressDialog, PercentTextFollowsThePositionInTheRange)
{
    EXPECT_EQ(CProgressDialog::PercentText(0, 0, 100), L"0%");
    EXPECT_EQ(CProgressDialog::PercentText(37, 0, 100), L"37%");
    EXPECT_EQ(CProgressDialog::PercentText(100, 0, 100), L"100%");
    EXPECT_EQ(CProgressDialog::PercentText(150, 0, 100), L"50%");  // past the end, modulo 100
    EXPECT_EQ(CProgressDialog::PercentText(30, 20, 40), L"50%");
    EXPECT_EQ(CProgressDialog::PercentText(5, 7, 7), L"0%");  // an empty range
}

TEST(ProgressDialog, CancelOnlyRaisesTheFlagAndTheOwnerIsEnabledAgainAfterwards)
{
    HostWindow owner;
    {
        CProgressDialog progress;
        ASSERT_TRUE(progress.Create(&owner));
        EXPECT_FALSE(owner.IsWindowEnabled());
        progress.SetRange(0, 200);
        progress.SetPos(100);
        EXPECT_EQ(progress.GetDlgItem(1082)->GetSafeHwnd() != nullptr, true);
        CString percent;
        progress.GetDlgItem(1082)->GetWindowText(percent);
        EXPECT_EQ(percent, L"50%");
        progress.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        EXPECT_TRUE(progress.CheckCancelButton());
        EXPECT_TRUE(::IsWindow(progress.GetSafeHwnd())) << "the job decides when to stop";
        // The position can also come as a message.
        progress.SendMessage(CProgressDialog::kSetPositionMessage, 150, 0);
        progress.GetDlgItem(1082)->GetWindowText(percent);
        EXPECT_EQ(percent, L"75%");
    }
    EXPECT_TRUE(owner.IsWindowEnabled());

    // An owner that was disabled before stays so.
    owner.EnableWindow(FALSE);
    {
        CProgressDialog progress;
        ASSERT_TRUE(progress.Create(&owner));
        progress.DestroyWindow();
    }
    EXPECT_FALSE(owner.IsWindowEnabled());
    owner.EnableWindow(TRUE);
}

TEST(FileNameDialog, TheWalkOverAMultipleSelectionJoinsEachNameToTheFolder)
{
    CFileNameDialog dialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT, L"All\0*.*\0\0", nullptr);
    EXPECT_TRUE(dialog.m_ofn.Flags & OFN_EXPLORER);
    const wchar_t several[] = L"C:\\images\0one.vhd\0two.vhdx\0\0";
    std::memcpy(dialog.m_ofn.lpstrFile, several, sizeof(several));
    size_t position = 0;
    EXPECT_EQ(dialog.GetNextPathName(position), L"C:\\images\\one.vhd");
    ASSERT_NE(position, 0u);
    EXPECT_EQ(dialog.GetNextPathName(position), L"C:\\images\\two.vhdx");
    EXPECT_EQ(position, 0u);

    const wchar_t root[] = L"C:\\\0a.vhd\0b.vhd\0\0";
    std::memcpy(dialog.m_ofn.lpstrFile, root, sizeof(root));
    position = 0;
    EXPECT_EQ(dialog.GetNextPathName(position), L"C:\\a.vhd");  // no second backslash

    const wchar_t single[] = L"C:\\images\\only.vhd\0\0";
    std::memcpy(dialog.m_ofn.lpstrFile, single, sizeof(single));
    position = 0;
    EXPECT_EQ(dialog.GetNextPathName(position), L"C:\\images\\only.vhd");
    EXPECT_EQ(position, 0u);
    // The record's sizes before Windows 2000 and since, as a program of this width passes them.
    const bool wide = sizeof(void*) == 8;
    EXPECT_EQ(CFileNameDialog::RecordSizeFor(4), wide ? 136u : 76u);
    EXPECT_EQ(CFileNameDialog::RecordSizeFor(6), wide ? 152u : 88u);
}

class PlainView : public CView {
public:
    void OnDraw(CDC*) override {}
    int m_nShowMessages = 0;  // WM_SHOWWINDOW received

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SHOWWINDOW)
            ++m_nShowMessages;
        return CView::WindowProc(message, wParam, lParam);
    }
};

TEST(SwitchView, TheShownPageCarriesTheFirstPaneIdAndThePreviousOneTakesItsId)
{
    CFrameWnd* frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, L"frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 600, 400)));
    PlainView* first = new PlainView;
    PlainView* results = new PlainView;
    ASSERT_TRUE(first->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), frame, AFX_IDW_PANE_FIRST,
        nullptr));
    ASSERT_TRUE(results->Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 0, 0), frame, 0xE904, nullptr));
    frame->SetActiveView(first);
    frame->RecalcLayout();

    CEx_StyleApp::ExchangeFrameView(frame, first, results);
    EXPECT_EQ(results->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
    EXPECT_EQ(first->GetDlgCtrlID(), 0xE904);
    EXPECT_TRUE(results->IsWindowVisible() || !frame->IsWindowVisible());
    EXPECT_FALSE(first->IsWindowVisible());
    EXPECT_EQ(frame->GetActiveView(), results);
    CRect client, shown;
    frame->GetClientRect(&client);
    results->GetWindowRect(&shown);
    EXPECT_EQ(shown.Width(), client.Width()) << "laid out in the frame";

    // The same page again changes nothing: it is not hidden and shown again (a hidden window
    // loses the keyboard focus).
    const int shows = results->m_nShowMessages;
    CEx_StyleApp::ExchangeFrameView(frame, results, results);
    EXPECT_EQ(results->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
    EXPECT_EQ(results->m_nShowMessages, shows);
    EXPECT_TRUE(results->GetStyle() & WS_VISIBLE);
    frame->DestroyWindow();
}

TEST(SectorBoxes, OnlyWholeNonNegativeNumbersOfThirtyTwoBitsAreSectors)
{
    uint32_t value = 0;
    EXPECT_TRUE(CSecondView_HDD::ParseSectorNumber(L" 2048 ", value));
    EXPECT_EQ(value, 2048u);
    EXPECT_TRUE(CSecondView_HDD::ParseSectorNumber(L"4294967295", value));
    EXPECT_EQ(value, 4294967295u);
    for (const wchar_t* bad : {L"", L"abc", L"-5", L"12a", L"4294967296", L"1 2", L"+7"})
        EXPECT_FALSE(CSecondView_HDD::ParseSectorNumber(bad, value));
}

// A small uncompressed bitmap of width x 1 pixels.
void WriteBitmap(const CString& path, int width)
{
    const DWORD row = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + row;
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = 1;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = row;
    std::vector<BYTE> pixels(row, 0x80);
    HANDLE f = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(f, &file, sizeof(file), &written, nullptr);
    WriteFile(f, &info, sizeof(info), &written, nullptr);
    WriteFile(f, pixels.data(), row, &written, nullptr);
    CloseHandle(f);
}

TEST(Document, ThePreviewsServicesAreTheOnesReachedThroughTheDocument)
{
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    CString folder;
    folder.Format(L"%smorvick-doc-%lu", temp, GetCurrentProcessId());
    CreateDirectoryW(folder, nullptr);
    WriteBitmap(folder + L"\\B.BMP", 7);
    WriteBitmap(folder + L"\\a.bmp", 3);
    HANDLE notes = CreateFileW(folder + L"\\notes.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(notes);

    // The application's document, held as such: the picture folder is listed lower-cased and
    // sorted, and a picture of it is decoded.
    CEx_StyleDoc* document = new CEx_StyleDoc;
    document->LoadImageFolder(folder);
    ASSERT_EQ(document->m_ImageNames.GetSize(), 2);
    EXPECT_EQ(document->m_ImageNames[0], L"a.bmp");
    EXPECT_EQ(document->m_ImageNames[1], L"b.bmp");
    EXPECT_EQ(document->m_strFolder, folder);
    document->LoadImageAt(1);
    ASSERT_NE(document->m_pCurrentImage, nullptr);
    ASSERT_TRUE(document->m_pCurrentImage->IsValid());
    EXPECT_EQ(document->m_pCurrentImage->GetWidth(), 7u);
    EXPECT_EQ(document->m_nCurrentImage, 1);
    document->LoadImageAt(5);
    EXPECT_EQ(document->m_pCurrentImage, nullptr);

    // A file that is no database is refused and leaves no database open.
    EXPECT_EQ(document->OpenAccessDatabase(folder + L"\\notes.txt"), 0);
    EXPECT_EQ(document->m_pDatabase, nullptr);

    document->DeleteFolderFiles(folder);
    EXPECT_EQ(GetFileAttributesW(folder + L"\\notes.txt"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesW(folder + L"\\a.bmp"), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(GetFileAttributesW(folder), INVALID_FILE_ATTRIBUTES) << "the folder itself stays";
    EXPECT_EQ(document->m_ImageNames.GetSize(), 0);
    delete document;
    RemoveDirectoryW(folder);
}

}  // namespace
}  // namespace morvick::test
