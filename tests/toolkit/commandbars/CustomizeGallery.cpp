// Renders the customisation to PNG files under the build folder (commandbars3-customize-gallery/),
// for people to look at: the customise sheet on each of its pages beside a frame in customise mode,
// the frame with an insertion mark while a command is dragged over its toolbar, the toolbar name
// dialog and the button image editor with a picture. Nothing is compared; the test checks that
// every picture was written.
#include <gtest/gtest.h>

#include "res/commandbars-customize.h"
#include "tests/support/win/WindowCapture.h"
#include "tests/toolkit/commandbars/Bars3TestSupport.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/base/ImageManager.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/PopupBar.h"
#include "toolkit/commandbars/KeyBindings.h"
#include "toolkit/commandbars/ToolBar.h"
#include "toolkit/commandbars/customize/CustomizeDropSource.h"
#include "toolkit/commandbars/customize/CustomizeSheet.h"
#include "toolkit/commandbars/customize/CustomizeToolbarNameDialog.h"
#include "toolkit/commandbars/customize/ImageEditorDialog.h"

#include <string>

using morvick::test::CaptureScreenRectToPng;
using morvick::test::CaptureWindowToPng;
using morvick::test::GalleryFolder;
using morvick::test::PumpMessagesFor;

namespace {

const UINT kFileCommands[] = {100, 101};
const UINT kViewCommands[] = {102, 103, 104};

TEST(CustomizeGallery, SheetPagesNameDialogAndImageEditor)
{
    const std::wstring folder = GalleryFolder("commandbars3-customize");
    CBars3Frame* pFrame = new CBars3Frame;
    ASSERT_TRUE(pFrame->CreateBars3Frame(CRect(20, 20, 480, 260)));
    CTKPCommandBars* pCommandBars = pFrame->GetCommandBars();
    pCommandBars->GetKeyBindings()->LoadFromResource(IDR_BARS3_ACCEL);
    pCommandBars->AddCustomBar(L"Recovery Tools", 59392);
    pFrame->GetToolBar()->GetControl(1)->SetCustomStyle(3);
    pFrame->ShowWindow(SW_SHOWNA);
    pFrame->RecalcLayout();

    CTKPCustomizeSheet* pSheet = new CTKPCustomizeSheet(pCommandBars, pFrame);
    pSheet->GetCommandsPage()->AddCategory(L"File", kFileCommands, 2);
    pSheet->GetCommandsPage()->AddCategory(L"View", kViewCommands, 3);
    pSheet->GetCommandsPage()->AddAllCommandsCategory();
    ASSERT_TRUE(pSheet->Create(pFrame));
    pSheet->SetWindowPos(NULL, 500, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    pCommandBars->SetDragControl(pFrame->GetToolBar()->GetControl(3));

    const char* kPages[4] = {"commands", "toolbars", "keyboard", "options"};
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(pSheet->SetActivePage(i));
        if (i == 0)
            pSheet->GetCommandsPage()->GetCommandList().SetCurSel(1);
        if (i == 1) {
            pSheet->GetToolbarsPage()->GetList().SetCurSel(0);
            pSheet->GetToolbarsPage()->OnSelChange();
        }
        PumpMessagesFor(150);
        const std::wstring path =
            folder + L"\\sheet-" + std::wstring(kPages[i], kPages[i] + strlen(kPages[i])) + L".png";
        EXPECT_TRUE(CaptureWindowToPng(pSheet->GetSafeHwnd(), path));
    }

    // The frame in customise mode with the picked control framed and an insertion mark shown
    // while a command is dragged over the toolbar.
    CTKPCustomizeDropSource* pSource = pCommandBars->GetDropSource();
    CTKPControl* pCommand = pSheet->GetCommandsPage()->GetCategoryControls(1)->GetAt(0);
    CRect rcFirst = pFrame->GetToolBar()->GetControl(0)->GetRect();
    CPoint ptMark(rcFirst.right - 2, rcFirst.CenterPoint().y);
    pFrame->GetToolBar()->ClientToScreen(&ptMark);
    pSource->BeginDrag(pCommand, TRUE, CPoint(0, 0));
    pSource->DragOver(ptMark);
    PumpMessagesFor(150);
    EXPECT_TRUE(CaptureWindowToPng(pFrame->GetSafeHwnd(), folder + L"\\frame-insertion-mark.png"));
    pSource->EndDrag();

    // The customise context menu of the picked control, with the image grid open.
    {
        const LPCWSTR kIcons[4] = {IDI_INFORMATION, IDI_WARNING, IDI_ERROR, IDI_QUESTION};
        for (int i = 0; i < 9; ++i) {
            CTKPIconHandle icon;
            icon.AssignIcon((HICON)::CopyImage(::LoadIconW(NULL, kIcons[i % 4]), IMAGE_ICON, 16, 16, 0));
            pSheet->GetImageManager()->SetIcon(icon, (UINT)(i + 1), CSize(16, 16));
        }
        CTKPPopupBar* pMenu = static_cast<CTKPPopupBar*>(pSheet->PrepareCustomizeMenu());
        ASSERT_NE(nullptr, pMenu);
        pMenu->SetOwnerWnd(pSheet);
        pMenu->SetSite(pSheet);
        CRect rcPicked = pFrame->GetToolBar()->GetControl(3)->GetRect();
        CPoint ptMenu(rcPicked.left, rcPicked.bottom);
        pFrame->GetToolBar()->ClientToScreen(&ptMenu);
        pMenu->PopupAt(ptMenu.x, ptMenu.y);
        pMenu->OnIdleUpdateCmdUI(TRUE);
        CTKPControl* pGrid = pMenu->GetControls()->FindControl(ID_TKP_CUSTOMIZE_CHANGEIMAGE);
        pMenu->SetPopuped(pGrid->GetIndex());
        PumpMessagesFor(150);
        CRect rcShot, rcMenu, rcGrid;
        pFrame->GetWindowRect(&rcShot);
        pMenu->GetWindowRect(&rcMenu);
        rcShot.UnionRect(rcShot, rcMenu);
        if (pGrid->GetCommandBar() != nullptr && pGrid->GetCommandBar()->GetSafeHwnd() != NULL) {
            pGrid->GetCommandBar()->GetWindowRect(&rcGrid);
            rcShot.UnionRect(rcShot, rcGrid);
        }
        EXPECT_TRUE(CaptureScreenRectToPng(rcShot, folder + L"\\context-menu.png"));
        pMenu->SetTrackingMode(CTKPCommandBar::trackingNone, TRUE, FALSE);
    }

    // The toolbar name dialog, renaming the user toolbar.
    {
        CTKPCustomizeToolbarNameDialog dlg(pCommandBars, pCommandBars->GetToolBar(59392));
        ASSERT_TRUE(dlg.CreateModeless(pSheet));
        dlg.SetWindowPos(NULL, 40, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        EXPECT_TRUE(CaptureWindowToPng(dlg.GetSafeHwnd(), folder + L"\\toolbar-name-dialog.png"));
        dlg.DestroyWindow();
    }

    // The image editor with a small picture drawn and the line tool chosen.
    {
        CTKPImageEditorDialog dlg;
        ASSERT_TRUE(dlg.CreateModeless(pSheet));
        dlg.SetWindowPos(NULL, 40, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        CTKPImageEditorCanvas& canvas = dlg.GetCanvas();
        dlg.SendMessage(WM_COMMAND, ID_TKP_EDITOR_RECTANGLE);
        canvas.PressCell(CPoint(2, 2));
        canvas.DragToCell(CPoint(13, 13));
        canvas.EndStroke();
        dlg.GetPicker(IDS_TKP_COLOR_RED)->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, 0);
        dlg.SendMessage(WM_COMMAND, ID_TKP_EDITOR_FILL);
        canvas.PressCell(CPoint(7, 7));
        dlg.GetPicker(IDS_TKP_COLOR_BLUE)->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, 0);
        dlg.SendMessage(WM_COMMAND, ID_TKP_EDITOR_LINE);
        canvas.PressCell(CPoint(2, 13));
        canvas.DragToCell(CPoint(14, 1));
        canvas.EndStroke();
        dlg.UpdateToolbars();
        EXPECT_TRUE(CaptureWindowToPng(dlg.GetSafeHwnd(), folder + L"\\image-editor.png"));
        dlg.DestroyWindow();
    }

    pSheet->DestroyWindow();
    delete pSheet;
    pFrame->DestroyWindow();
}

}  // namespace
