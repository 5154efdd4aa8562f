// Pictures of the status bar, the dialog bar, a toolbar with edit, combo-box, label and hosted
// controls (one combo box open), and a menu with the toolbar list, recent files and a grid
// selector, an edit menu with the verbs of a selected OLE item, a window menu listing the children of a multiple-document frame, in the default and
// the flat theme, under build/windows/commandbars3-gallery/ for people
// to look at. Nothing is compared; the test checks that every picture was written.
#include <gtest/gtest.h>

#include "classlib/win/CMDIFrameWnd.h"
#include "classlib/win/CCreateContext.h"
#include "classlib/win/COleDocument.h"
#include "classlib/win/CRecentFileList.h"
#include "tests/support/win/WindowCapture.h"
#include "tests/toolkit/commandbars/Bars3TestSupport.h"
#include "tests/toolkit/commandbars/OleTestObjects.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/CommandBarsTheme.h"
#include "toolkit/commandbars/ControlComboBox.h"
#include "toolkit/commandbars/ControlComboBoxList.h"
#include "toolkit/commandbars/ControlCustom.h"
#include "toolkit/commandbars/ControlEdit.h"
#include "toolkit/commandbars/ControlLabel.h"
#include "toolkit/commandbars/ControlOleItems.h"
#include "toolkit/commandbars/ControlRecentFileList.h"
#include "toolkit/commandbars/ControlSelector.h"
#include "toolkit/commandbars/ControlToolbars.h"
#include "toolkit/commandbars/ControlWindowList.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/DialogBar.h"
#include "toolkit/commandbars/MouseTracker.h"
#include "toolkit/commandbars/PopupBar.h"
#include "toolkit/commandbars/StatusBar.h"
#include "toolkit/commandbars/StatusBarPane.h"

#include <functional>
#include <string>
#include <vector>

namespace {

struct Look {
    const wchar_t* name;
    int nTheme;
};

const Look kLooks[] = {
    {L"default", CTKPCommandBarsTheme::themeDefault},
    {L"flat", CTKPCommandBarsTheme::themeFlat},
};

bool Exists(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class Bars3Gallery : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ::CoInitialize(NULL);
        CTKPPopupBar::EnableAnimation(FALSE);
    }
    void SetUp() override { m_folder = morvick::test::GalleryFolder("commandbars3"); }
    CBars3Frame* NewFrame(const Look& look, LPCTSTR lpszTitle)
    {
        CTKPCommandBarsTheme::SetTheme(look.nTheme);
        CBars3Frame* pFrame = new CBars3Frame;
        if (!pFrame->CreateBars3Frame(CRect(40, 40, 680, 420)))
            return nullptr;
        pFrame->SetWindowText(lpszTitle);
        return pFrame;
    }
    std::wstring Path(const Look& look, const wchar_t* what) const
    {
        return m_folder + L"\\" + what + L"-" + look.name + L".png";
    }
    void Capture(CWnd* pFrame, const std::wstring& path)
    {
        pFrame->ShowWindow(SW_SHOWNOACTIVATE);
        pFrame->UpdateWindow();
        RunBars3Idle(pFrame);
        EXPECT_TRUE(morvick::test::CaptureWindowToPng(pFrame->GetSafeHwnd(), path));
        EXPECT_TRUE(Exists(path));
    }
    // Opens the popup at an offset into the frame, pictures the frame with the popup, closes it.
    void CapturePopup(CWnd* pFrame, CTKPPopupBar* pPopup, CPoint ptOffset, const std::function<void()>& onOpen,
        const std::wstring& path)
    {
        CRect rcFrame;
        pFrame->GetWindowRect(&rcFrame);
        pPopup->PopupAt(rcFrame.left + ptOffset.x, rcFrame.top + ptOffset.y);
        if (onOpen)
            onOpen();
        morvick::test::PumpMessagesFor(100);
        CRect rcShot = rcFrame, rcPopup;
        pPopup->GetWindowRect(&rcPopup);
        rcShot.UnionRect(rcShot, rcPopup);
        EXPECT_TRUE(morvick::test::CaptureScreenRectToPng(rcShot, path));
        EXPECT_TRUE(Exists(path));
        pPopup->SetTrackingMode(CTKPCommandBar::trackingNone, TRUE, FALSE);
    }
    std::wstring m_folder;
};

}  // namespace

TEST_F(Bars3Gallery, StatusBarWithPanesOfEachKind)
{
    for (const Look& look : kLooks) {
        CBars3Frame* pFrame = NewFrame(look, L"Status bar");
        ASSERT_NE(pFrame, nullptr);
        CTKPStatusBar* pBar = new CTKPStatusBar;
        ASSERT_TRUE(pBar->Create(pFrame));
        pBar->SetCommandBars(pFrame->GetCommandBars());
        pBar->EnableThemedPaint(TRUE);
        pBar->AddIndicator(0, -1, 60)->SetStyle(tkpPaneStretch);
        CTKPStatusBarPane* pIcon = pBar->AddIndicator(1, -1, 90);
        pIcon->SetIconId(100);
        CTKPStatusBarPane* pColours = pBar->AddIndicator(2, -1, 50);
        pColours->SetTextColor(RGB(255, 255, 255));
        pColours->SetBackgroundColor(RGB(0, 100, 170));
        pColours->SetAlignment(DT_CENTER);
        pBar->AddIndicator(3, -1, 40);
        CTKPStatusBarPane* pRight = pBar->AddIndicator(4, -1, 80);
        pRight->SetAlignment(DT_RIGHT);
        pFrame->RecalcLayout();
        pBar->SetPaneText(0, L"Ready");
        pBar->SetPaneText(1, L"Scanning");
        pBar->SetPaneText(2, L"NTFS");
        pBar->SetPaneText(3, L"CAP");
        pBar->SetPaneStyle(3, pBar->GetPaneStyle(3) | tkpPaneDisabled);
        pBar->SetPaneText(4, L"1,204 files");
        pBar->UpdateAllPanes(TRUE, TRUE);
        Capture(pFrame, Path(look, L"statusbar"));
        // Painted by the system's control, after a pane was hidden and shown again: every part
        // shows its own pane's text.
        pBar->EnableThemedPaint(FALSE);
        pColours->SetVisible(FALSE);
        Capture(pFrame, Path(look, L"statusbar-plain-hidden"));
        pColours->SetVisible(TRUE);
        Capture(pFrame, Path(look, L"statusbar-plain"));
        pFrame->DestroyWindow();
        delete pBar;
        PumpPending();
    }
}

TEST_F(Bars3Gallery, DialogBarWithAndWithoutItsCaption)
{
    for (const Look& look : kLooks) {
        for (int nCaption = 0; nCaption < 2; ++nCaption) {
            CBars3Frame* pFrame = NewFrame(look, L"Dialog bar");
            ASSERT_NE(pFrame, nullptr);
            CTKPDialogBar* pBar = static_cast<CTKPDialogBar*>(
                pFrame->GetCommandBars()->CreateToolBar(L"Properties", tkpBarLeft, RUNTIME_CLASS(CTKPDialogBar)));
            ASSERT_NE(pBar, nullptr);
            pBar->SetCaptionVisible(nCaption == 1);
            pBar->SetDockedClientSize(CSize(170, 200));
            const HWND hList = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", NULL,
                WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 0, 0, 10, 10, pBar->m_hWnd, NULL,
                AfxGetInstanceHandle(), NULL);
            const wchar_t* items[] = {L"Name: report.doc", L"Size: 48 KB", L"Deleted: yes", L"Cluster: 1204"};
            for (const wchar_t* item : items)
                ::SendMessageW(hList, LB_ADDSTRING, 0, (LPARAM)item);
            ::SendMessageW(hList, WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT), TRUE);
            pBar->SetChild(hList);
            pFrame->RecalcLayout();
            Capture(pFrame, Path(look, nCaption == 1 ? L"dialogbar-caption" : L"dialogbar-no-caption"));
            pFrame->DestroyWindow();
            PumpPending();
        }
    }
}

TEST_F(Bars3Gallery, ToolbarWithEditComboLabelAndHostedControls)
{
    for (const Look& look : kLooks) {
        CBars3Frame* pFrame = NewFrame(look, L"Edit and combo-box controls");
        ASSERT_NE(pFrame, nullptr);
        CTKPCommandBars* pCommandBars = pFrame->GetCommandBars();
        CTKPToolBar* pBar = pCommandBars->CreateToolBar(L"Search", tkpBarTop);
        ASSERT_NE(pBar, nullptr);
        CTKPControls* pControls = pBar->GetControls();
        CTKPControlLabel* pLabel = static_cast<CTKPControlLabel*>(pControls->Add(tkpControlLabel, 120));
        pLabel->SetCaption(L"Look in:");
        pLabel->SetStyle(1);
        CTKPControlComboBox* pDrives = static_cast<CTKPControlComboBox*>(pControls->Add(tkpControlComboBox, 121));
        pDrives->SetWidth(110);
        pDrives->AddString(L"Disk 1 (C:)");
        pDrives->AddString(L"Disk 2 (D:)");
        pDrives->AddString(L"image.vhdx");
        pDrives->SetCurSel(0);
        CTKPControlEdit* pEdit = static_cast<CTKPControlEdit*>(pControls->Add(tkpControlEdit, 122));
        pEdit->SetCaption(L"&Find");
        pEdit->SetWidth(120);
        pEdit->SetEditHint(L"file name");
        pEdit->SetBeginGroup(TRUE);
        CTKPControlComboBox* pTypes = static_cast<CTKPControlComboBox*>(pControls->Add(tkpControlComboBox, 123));
        pTypes->SetDropDownListStyle(TRUE);
        pTypes->SetWidth(120);
        pTypes->SetEditIconId(100);
        pTypes->SetEditHint(L"any type");
        const wchar_t* types[] = {L"Documents", L"Pictures", L"Archives", L"Mail", L"Music"};
        for (const wchar_t* type : types)
            pTypes->AddString(type);
        CWnd button;
        ASSERT_TRUE(
            button.CreateEx(0, L"BUTTON", L"Hosted", WS_CHILD | BS_PUSHBUTTON, CRect(0, 0, 70, 22), pFrame, 150));
        button.SendMessage(WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT));
        CTKPControlCustom* pCustom = new CTKPControlCustom;
        pControls->Add(pCustom, 124);
        pCustom->SetControl(button.GetSafeHwnd());
        pCustom->SetBorders(CRect(2, 1, 2, 1));
        pCustom->SetBeginGroup(TRUE);
        pFrame->RecalcLayout();
        Capture(pFrame, Path(look, L"controls"));

        // The editable combo box open below itself, its first item selected.
        pTypes->ShowDropDown(TRUE);
        pTypes->GetListBar()->SendMessage(LB_SETCURSEL, 1);
        CRect rcShot;
        pFrame->GetWindowRect(&rcShot);
        CRect rcList;
        pTypes->GetListBar()->GetWindowRect(&rcList);
        rcShot.UnionRect(rcShot, rcList);
        morvick::test::PumpMessagesFor(100);
        const std::wstring path = Path(look, L"combo-open");
        EXPECT_TRUE(morvick::test::CaptureScreenRectToPng(rcShot, path));
        EXPECT_TRUE(Exists(path));
        pTypes->ShowDropDown(FALSE);
        CTKPMouseTracker::GetThreadTracker()->CloseAll();

        pControls->Remove(pCustom);
        button.DestroyWindow();
        pFrame->DestroyWindow();
        PumpPending();
    }
}

TEST_F(Bars3Gallery, MenuWithToolbarListRecentFilesAndSelector)
{
    CScopedRecentFileList list(4);
    list.Add(L"C:\\Images\\server.vhd");
    list.Add(L"C:\\Images\\R&D laptop.vhdx");
    for (const Look& look : kLooks) {
        CBars3Frame* pFrame = NewFrame(look, L"Special controls");
        ASSERT_NE(pFrame, nullptr);
        CTKPCommandBars* pCommandBars = pFrame->GetCommandBars();
        pCommandBars->CreateToolBar(L"Search", tkpBarTop);
        pFrame->RecalcLayout();
        Capture(pFrame, Path(look, L"menu-frame"));

        CTKPPopupBar* pPopup = CTKPPopupBar::CreatePopupBar(pCommandBars);
        CTKPControls* pControls = pPopup->GetControls();
        pControls->Add(tkpControlButton, 100)->SetCaption(L"&Open Image...");
        pControls->Add(new CTKPControlRecentFileList, 0xE110)->SetCaption(L"Recent File");
        CTKPControl* pToolbars = pControls->Add(new CTKPControlToolbars, TKP_ID_TOOLBARLIST);
        pToolbars->SetCaption(L"Toolbars");
        pToolbars->SetBeginGroup(TRUE);
        CTKPControl* pSelector = pControls->Add(new CTKPControlSelector, 130);
        pSelector->SetBeginGroup(TRUE);
        CapturePopup(
            pFrame, pPopup, CPoint(60, 70),
            [pSelector] { static_cast<CTKPControlSelector*>(pSelector)->SetSelection(3, 2); },
            Path(look, L"menu-special"));
        pPopup->InternalRelease();
        pFrame->DestroyWindow();
        PumpPending();
    }
}

TEST_F(Bars3Gallery, EditMenuWithTheVerbsOfTheSelectedOleItem)
{
    for (const Look& look : kLooks) {
        CBars3Frame* pFrame = NewFrame(look, L"OLE verbs");
        ASSERT_NE(pFrame, nullptr);
        COleDocument document;
        document.m_bAutoDelete = FALSE;
        COleClientItem* pItem = new COleClientItem(&document);
        CPictureObject* pObject = new CPictureObject;
        pItem->Attach(pObject);
        pObject->Release();
        CCreateContext context;
        context.m_pCurrentDoc = &document;
        context.m_pNewViewClass = RUNTIME_CLASS(COleTestView);
        COleTestView* pView = static_cast<COleTestView*>(pFrame->CreateView(&context));
        ASSERT_NE(pView, nullptr);
        pView->m_pSelected = pItem;
        pFrame->SetActiveView(pView);
        pFrame->RecalcLayout();
        pFrame->ShowWindow(SW_SHOWNOACTIVATE);
        pFrame->UpdateWindow();
        RunBars3Idle(pFrame);

        CTKPPopupBar* pPopup = CTKPPopupBar::CreatePopupBar(pFrame->GetCommandBars());
        CTKPControls* pControls = pPopup->GetControls();
        pControls->Add(tkpControlButton, 100)->SetCaption(L"&Undo");
        pControls->Add(tkpControlButton, 101)->SetCaption(L"&Copy");
        CTKPControl* pVerbs = pControls->Add(new CTKPControlOleItems, 0xE210);
        pVerbs->SetCaption(L"<<OLE VERBS GO HERE>>");
        pVerbs->SetBeginGroup(TRUE);
        // The verbs' popup opened beside the menu.
        CapturePopup(
            pFrame, pPopup, CPoint(60, 70),
            [pPopup, pVerbs] {
                CTKPControl* pEntry = pPopup->GetControl(pVerbs->GetIndex() + 1);
                if (pEntry != NULL && pEntry->GetCommandBar() != NULL)
                    pPopup->SetPopuped(pEntry->GetIndex(), FALSE);
            },
            Path(look, L"menu-ole-verbs"));
        pPopup->InternalRelease();
        pFrame->SetActiveView(NULL);
        pView->DestroyWindow();
        pFrame->DestroyWindow();
        PumpPending();
    }
}

TEST_F(Bars3Gallery, WindowMenuListingTheOpenChildren)
{
    for (const Look& look : kLooks) {
        CTKPCommandBarsTheme::SetTheme(look.nTheme);
        CMDIFrameWnd* pFrame = new CMDIFrameWnd;
        ASSERT_TRUE(
            pFrame->Create(NULL, L"Window list", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CRect(40, 40, 680, 420)));
        const wchar_t* titles[] = {L"server.vhd", L"R&D laptop.vhdx", L"Recovered files", L"Disk 2"};
        CMDIChildWnd* pLast = nullptr;
        std::vector<CMDIChildWnd*> children;
        for (const wchar_t* title : titles) {
            pLast = new CMDIChildWnd;
            ASSERT_TRUE(pLast->Create(NULL, title, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault,
                pFrame));
            children.push_back(pLast);
        }
        pFrame->MDIActivate(pLast);
        pFrame->ShowWindow(SW_SHOWNOACTIVATE);
        pFrame->UpdateWindow();
        PumpPending();

        CTKPPopupBar* pPopup = CTKPPopupBar::CreatePopupBar(NULL);
        pPopup->SetOwnerWnd(pFrame);
        pPopup->GetControls()->Add(tkpControlButton, 0xE130)->SetCaption(L"&Cascade");
        pPopup->GetControls()->Add(tkpControlButton, 0xE131)->SetCaption(L"Tile &Horizontally");
        pPopup->GetControls()->Add(new CTKPControlWindowList, 35000)->SetCaption(L"Windows");
        CapturePopup(pFrame, pPopup, CPoint(40, 40), nullptr, Path(look, L"menu-windows"));
        // With every child hidden the list's own entry stands in the menu.
        for (CMDIChildWnd* pChild : children)
            pChild->ShowWindow(SW_HIDE);
        CapturePopup(pFrame, pPopup, CPoint(40, 40), nullptr, Path(look, L"menu-windows-none"));
        pPopup->InternalRelease();
        pFrame->DestroyWindow();
        PumpPending();
    }
}
