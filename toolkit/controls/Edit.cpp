#include "toolkit/controls/Edit.h"

#include "res/toolkit-controls.h"
#include "toolkit/base/MemDC.h"
#include "toolkit/base/ResourceManager.h"
#include "toolkit/controls/ControlColors.h"
#include "toolkit/controls/ControlMenu.h"

IMPLEMENT_DYNAMIC(CTKEdit, CEdit)

BEGIN_MESSAGE_MAP(CTKEdit, CEdit)
ON_WM_PAINT()
ON_WM_CONTEXTMENU()
ON_WM_INITMENUPOPUP()
ON_COMMAND(ID_TKEDIT_UNDO, OnEditUndo)
ON_COMMAND(ID_TKEDIT_CUT, OnEditCut)
ON_COMMAND(ID_TKEDIT_COPY, OnEditCopy)
ON_COMMAND(ID_TKEDIT_PASTE, OnEditPaste)
ON_COMMAND(ID_TKEDIT_CLEAR, OnEditClear)
ON_COMMAND(ID_TKEDIT_SELECT_ALL, OnEditSelectAll)
ON_UPDATE_COMMAND_UI(ID_TKEDIT_UNDO, OnUpdateEditUndo)
ON_UPDATE_COMMAND_UI(ID_TKEDIT_CUT, OnUpdateNeedsSelection)
ON_UPDATE_COMMAND_UI(ID_TKEDIT_COPY, OnUpdateNeedsSelection)
ON_UPDATE_COMMAND_UI(ID_TKEDIT_CLEAR, OnUpdateNeedsSelection)
ON_UPDATE_COMMAND_UI(ID_TKEDIT_PASTE, OnUpdateEditPaste)
ON_UPDATE_COMMAND_UI(ID_TKEDIT_SELECT_ALL, OnUpdateEditSelectAll)
END_MESSAGE_MAP()

BOOL CTKEdit::HasSelection()
{
    int nStart = 0, nEnd = 0;
    GetSel(nStart, nEnd);
    return nStart != nEnd;
}

BOOL CTKEdit::CanPaste()
{
    return (GetStyle() & ES_READONLY) == 0 &&
        (::IsClipboardFormatAvailable(CF_UNICODETEXT) || ::IsClipboardFormatAvailable(CF_TEXT));
}

void CTKEdit::OnEditUndo()
{
    SendMessage(EM_UNDO);
}
void CTKEdit::OnEditCut()
{
    SendMessage(WM_CUT);
}
void CTKEdit::OnEditCopy()
{
    SendMessage(WM_COPY);
}
void CTKEdit::OnEditPaste()
{
    SendMessage(WM_PASTE);
}
void CTKEdit::OnEditClear()
{
    SendMessage(WM_CLEAR);
}

void CTKEdit::OnEditSelectAll()
{
    SendMessage(EM_SETSEL, 0, -1);
    SendMessage(EM_SCROLLCARET);
}

void CTKEdit::OnUpdateEditUndo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanUndo());
}
void CTKEdit::OnUpdateNeedsSelection(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(HasSelection());
}
void CTKEdit::OnUpdateEditPaste(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanPaste());
}
void CTKEdit::OnUpdateEditSelectAll(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetWindowTextLength() > 0);
}

namespace {
const int kEditMenu = 1;  // the edit's popup in the toolkit's menu
}

void CTKEdit::OnContextMenu(CWnd*, CPoint point)
{
    // From the keyboard: just inside the top-left corner.
    if (point.x == -1 && point.y == -1) {
        CRect rc;
        GetClientRect(&rc);
        ClientToScreen(&rc);
        point = rc.TopLeft() + CPoint(5, 5);
    }
    CMenu menu;
    if (!GetResourceManager()->LoadMenu(&menu, IDR_TKCONTROL_MENUS))
        return;
    if (CMenu* pPopup = menu.GetSubMenu(kEditMenu))
        TKTrackControlMenu(pPopup, TPM_RIGHTBUTTON, point.x, point.y, this, IDR_TKEDIT_MENU_ICONS);
    menu.DestroyMenu();
}

void CTKEdit::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    CEdit::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
    if (!bSysMenu)
        AfxUpdateMenuItems(this, AfxGetMenuHandle(pPopupMenu), TRUE);
}

void CTKEdit::OnPaint()
{
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    const COLORREF clrBack = tkcolor::Get(IsWindowEnabled() ? tkcolor::Window : tkcolor::Face);
    CTKMemDC memDC(&dc, rcClient, CTKPColorGradient(clrBack));
    DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(memDC.GetSafeHdc()), 0);
}
