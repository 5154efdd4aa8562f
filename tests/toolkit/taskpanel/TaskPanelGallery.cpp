// Pictures of the task panel in each theme, as a person sees it on screen, under
// build/windows/taskpanel-gallery: an open group with a hot link, a link focused by keyboard and a
// hosted control, a closed group, a special group with a caption icon, and an item being dragged
// over another. Nothing is compared; the test checks that every picture was written.
#include <gtest/gtest.h>

#include <string>

#include "TaskPanelTestSupport.h"
#include "tests/support/win/WindowCapture.h"
#include "toolkit/base/ColorManager.h"

using namespace tptest;

namespace {

// A panel of four groups: "Tasks" open with a hot link, "Places" closed, "Recovery" special with an
// icon in its caption, a drag going on over its items and a hosted edit control, "Details" open with
// a text line.
void BuildScene(CTKPTaskPanel* pPanel, HWND* phEdit)
{
    FillSamplePanel(pPanel);
    pPanel->SetAllowDrag(tkpTaskDragInherit);
    pPanel->LockRedraw(TRUE);
    CTKPTaskPanelGroup* pRecovery = AddGroup(nullptr, _T("Recovery"), 4);
    pRecovery->SetSpecialGroup(TRUE);
    pRecovery->SetIconIndex(1002);
    pPanel->SetCaptionIconSize(CSize(16, 16));
    AddItem(pRecovery, _T("Save the checked files"), tkpTaskItemTypeLink, 41, 1002);
    AddItem(pRecovery, _T("Save a snapshot"), tkpTaskItemTypeLink, 42, 1003);
    CTKPTaskPanelGroupItem* pControl = AddItem(pRecovery, _T(""), tkpTaskItemTypeControl, 43);
    pPanel->GetGroups()->InsertAt(2, pRecovery);
    pPanel->GetAt(1)->SetExpanded(FALSE);
    pPanel->LockRedraw(FALSE);
    *phEdit = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"C:\\Recovered files", WS_CHILD | ES_AUTOHSCROLL, 0, 0, 100,
        22, pPanel->GetSafeHwnd(), nullptr, nullptr, nullptr);
    ::SendMessageW(*phEdit, WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT), 0);
    pControl->SetControlHandle(*phEdit);
    pPanel->GetAt(0)->GetAt(1)->SetDragText(_T("save"));
    FinishAnimation(pPanel);
}

// An item of "Tasks" dragged over the second link of "Recovery"; "Open" hot under the mouse and
// "Print" reached by the keyboard.
void ShowDragAndHot(CTKPTaskPanel* pPanel)
{
    pPanel->SetFocusedItem(pPanel->GetAt(0)->GetAt(2), TRUE);
    CTKPTaskPanelGroupItem* pDragged = pPanel->GetAt(0)->GetAt(1);
    COleDataSource* pSource = new COleDataSource;
    pDragged->PrepareDrag(*pSource, TRUE);
    COleDataObject data;
    data.Attach(pSource->GetDataObject(), FALSE);
    const CRect rcTarget = pPanel->GetAt(2)->GetAt(1)->GetHitTestRect();
    pPanel->OnItemDragOver(&data, 0, CPoint(rcTarget.left + 4, rcTarget.top + 2));
    data.Release();
    pSource->InternalRelease();

    CTKPTaskPanelGroupItem* pHot = pPanel->GetAt(0)->GetAt(0);
    CPoint pt = CentreOf(pHot);
    pPanel->ClientToScreen(&pt);
    ::SetCursorPos(pt.x, pt.y);
    const CPoint client = CentreOf(pHot);
    pPanel->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
}

}  // namespace

TEST(TaskPanelGallery, EveryThemeWithOpenAndClosedGroupsAndADragUnderWay)
{
    const std::wstring folder = morvick::test::GalleryFolder("taskpanel");
    Host::Get().Activate();
    int written = 0, expected = 0;
    // Each theme as the desktop shows it, and those that follow the Windows XP scheme in blue too.
    for (int scheme : {0, 1}) {
        GetColorManager()->SetSelectedScheme(scheme == 0 ? 4 : scheme);
        GetColorManager()->RefreshColors();
        for (int theme = 0; theme <= 12; ++theme) {
            if (scheme == 1 && theme != 1 && theme != 2 && theme != 5 && theme != 6 && theme != 8 && theme != 11)
                continue;
            PanelWindow panel(250, 560, 10, 10);
            panel->SetTheme(theme);
            HWND hEdit = nullptr;
            BuildScene(panel.Get(), &hEdit);
            ShowDragAndHot(panel.Get());
            wchar_t name[64];
            swprintf(name, 64, L"\\theme%02d%ls.png", theme, scheme ? L"-blue" : L"");
            ++expected;
            written += morvick::test::CaptureWindowToPng(panel->GetSafeHwnd(), folder + name) ? 1 : 0;
            panel->OnItemDragOver(nullptr, 0, CPoint(-1, -1));
            ::DestroyWindow(hEdit);
        }
    }
    GetColorManager()->SetSelectedScheme(4);
    GetColorManager()->RefreshColors();

    // One group open at a time, its items scrolled, with the scroll buttons in the client area
    // (theme 2) and in the captions (theme 7).
    for (int theme : {2, 7}) {
        PanelWindow panel(250, 300, 10, 10);
        panel->SetTheme(theme);
        panel->SetBehaviour(tkpTaskPanelBehaviourToolbox);
        FillSamplePanel(panel.Get());
        CTKPTaskPanelGroup* pMany = AddGroup(panel.Get(), _T("Found file types"));
        for (int i = 0; i < 14; ++i) {
            CString s;
            s.Format(_T("Type %d"), i + 1);
            AddItem(pMany, s, tkpTaskItemTypeLink, 100 + i, 1001 + i % 4);
        }
        panel->GetGroups()->Move(pMany, 1);
        pMany->SetExpanded(TRUE);
        FinishAnimation(panel.Get());
        pMany->ScrollItems(2);
        wchar_t name[64];
        swprintf(name, 64, L"\\one-open-group-theme%02d.png", theme);
        ++expected;
        written += morvick::test::CaptureWindowToPng(panel->GetSafeHwnd(), folder + name) ? 1 : 0;
    }

    // Images above their captions, as groups open one at a time lay their items out, one item hot
    // with its image highlighted.
    {
        PanelWindow panel(250, 300, 10, 10);
        panel->SetTheme(2);
        panel->SetBehaviour(tkpTaskPanelBehaviourList);
        FillSamplePanel(panel.Get());
        panel->GetAt(0)->SetExpanded(TRUE);
        FinishAnimation(panel.Get());
        const CPoint pt = CentreOf(panel->GetAt(0)->GetAt(1));
        panel->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
        ++expected;
        written +=
            morvick::test::CaptureWindowToPng(panel->GetSafeHwnd(), folder + L"\\images-above-captions.png") ? 1 : 0;
    }
    EXPECT_EQ(expected, written);
}
