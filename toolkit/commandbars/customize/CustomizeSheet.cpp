#include "toolkit/commandbars/customize/CustomizeSheet.h"

#include "classlib/win/CMenu.h"
#include "res/commandbars-customize.h"
#include "toolkit/base/Dib32.h"
#include "toolkit/base/ImageManager.h"
#include "toolkit/base/ResourceManager.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/ControlEdit.h"
#include "toolkit/commandbars/ControlPopup.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/PopupBar.h"
#include "toolkit/commandbars/RefHolder.h"
#include "toolkit/commandbars/customize/CustomizeImagePopup.h"
#include "toolkit/commandbars/customize/ImageEditorDialog.h"

#include <cmath>

IMPLEMENT_DYNAMIC(CTKPCustomizeSheet, CPropertySheet)

namespace {

// Display styles of a control.
enum { styleCaption = 1, styleIcon = 2, styleIconAndCaption = 3, styleImageCell = 8 };

BOOL IsButtonKind(CTKPControl* pControl)
{
    const int nType = pControl->GetType();
    return nType >= tkpControlButton && nType <= tkpControlSplitButtonPopup;
}

BOOL HasImage(CTKPControl* pControl)
{
    return pControl->GetCustomIconId() > 0 || pControl->GetIconId() > 0;
}

// A 24-bit copy of a bitmap: the image list's mask then compares colours alone.
HBITMAP CreateRgbCopy(HBITMAP hBitmap, int cx, int cy)
{
    BITMAPINFO bmi = TKPDib32Info(cx, cy);
    bmi.bmiHeader.biBitCount = 24;
    void* pBits = NULL;
    HBITMAP hCopy = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    if (hCopy == NULL)
        return NULL;
    HDC hdcSource = ::CreateCompatibleDC(NULL);
    HDC hdcCopy = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOldSource = ::SelectObject(hdcSource, hBitmap);
    HGDIOBJ hOldCopy = ::SelectObject(hdcCopy, hCopy);
    ::BitBlt(hdcCopy, 0, 0, cx, cy, hdcSource, 0, 0, SRCCOPY);
    ::SelectObject(hdcCopy, hOldCopy);
    ::SelectObject(hdcSource, hOldSource);
    ::DeleteDC(hdcCopy);
    ::DeleteDC(hdcSource);
    return hCopy;
}

// The image a control shows: its custom image id, else its image id, else its command id.
int GetShownImageId(CTKPControl* pControl)
{
    if (pControl->GetCustomIconId() > 0)
        return pControl->GetCustomIconId();
    return pControl->GetIconId();
}

}  // namespace

CTKPCustomizeSheet::CTKPCustomizeSheet(CTKPCommandBars* pCommandBars, CWnd* pParent)
    : m_pCommandBars(pCommandBars), m_pCustomizeMenu(NULL), m_pImageManager(new CTKPImageManager), m_bCustomizing(FALSE)
{
    CString strCaption;
    GetResourceManager()->LoadString(&strCaption, IDS_TKP_CUSTOMIZE);
    Construct(strCaption, pParent);
    m_pageCommands.SetSheet(this);
    m_pageToolbars.SetSheet(this);
    m_pageKeyboard.SetSheet(this);
    m_pageOptions.SetSheet(this);
    AddPage(&m_pageCommands);
    AddPage(&m_pageToolbars);
    AddPage(&m_pageKeyboard);
    AddPage(&m_pageOptions);
}

CTKPCustomizeSheet::~CTKPCustomizeSheet()
{
    EndCustomize();
    if (m_hWnd != NULL)
        DestroyWindow();
    if (m_pCustomizeMenu != NULL)
        m_pCustomizeMenu->InternalRelease();
    m_pImageManager->InternalRelease();
}

// --- Opening and closing ------------------------------------------------------------------------

void CTKPCustomizeSheet::BeginCustomize()
{
    if (m_bCustomizing || m_pCommandBars == NULL)
        return;
    m_bCustomizing = TRUE;
    m_pCommandBars->ClosePopups();
    m_pCommandBars->SetCustomizeDialog(this);
    m_pCommandBars->SetCustomizeMode(TRUE);
}

void CTKPCustomizeSheet::EndCustomize()
{
    if (!m_bCustomizing)
        return;
    m_bCustomizing = FALSE;
    m_pCommandBars->SetCustomizeMode(FALSE);
    m_pCommandBars->SetCustomizeDialog(NULL);
    m_pCommandBars->RecalcFrameLayout(FALSE);
}

INT_PTR CTKPCustomizeSheet::DoModal()
{
    BeginCustomize();
    const INT_PTR nResult = CPropertySheet::DoModal();
    EndCustomize();
    return nResult;
}

BOOL CTKPCustomizeSheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle)
{
    BeginCustomize();
    if (CPropertySheet::Create(pParentWnd, dwStyle, dwExStyle))
        return TRUE;
    EndCustomize();
    return FALSE;
}

BOOL CTKPCustomizeSheet::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_DESTROY:
        EndCustomize();
        break;
    case TKPM_CONTROLNOTIFY:
        *pResult = OnControlNotify(wParam, lParam);
        return TRUE;
    case TKPM_INITCOMMANDSPOPUP: {
        CTKPCommandBar* pPopup = reinterpret_cast<CTKPCommandBar*>(lParam);
        if (pPopup != NULL && pPopup->IsKindOf(RUNTIME_CLASS(CTKPCustomizeImagePopup)) &&
            pPopup->GetControlCount() == 0)
            FillImagePopup(pPopup);
        break;
    }
    }
    return CPropertySheet::OnWndMsg(message, wParam, lParam, pResult);
}

LRESULT CTKPCustomizeSheet::OnControlNotify(WPARAM wParam, LPARAM lParam)
{
    const UINT nID = (UINT)wParam;
    NMTKPCONTROL* pNM = reinterpret_cast<NMTKPCONTROL*>(lParam);
    if (nID >= ID_TKP_CUSTOMIZE_RESET && nID <= ID_TKP_CUSTOMIZE_BEGINGROUP) {
        if (pNM == NULL || pNM->hdr.code != TKPN_EXECUTE)
            return 0;
        if (nID == ID_TKP_CUSTOMIZE_CHANGEIMAGE && pNM->pControl != NULL) {
            ChangeButtonImage(pNM->pControl->GetIconId());
            return 1;
        }
        if (nID == ID_TKP_CUSTOMIZE_NAME && pNM->pControl != NULL &&
            pNM->pControl->IsKindOf(RUNTIME_CLASS(CTKPControlEdit))) {
            SetSelectedCaption(static_cast<CTKPControlEdit*>(pNM->pControl)->GetEditText());
            return 1;
        }
        return 0;  // the command follows
    }
    // Commands of other controls belong to the frame.
    CWnd* pFrame = m_pCommandBars != NULL ? m_pCommandBars->GetSite() : NULL;
    if (pFrame == NULL || pFrame->GetSafeHwnd() == NULL)
        return 0;
    if (::SendMessageW(pFrame->GetSafeHwnd(), TKPM_CONTROLNOTIFY, wParam, lParam) == 0)
        ::SendMessageW(pFrame->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(nID, 0), 0);
    return 1;
}

BOOL CTKPCustomizeSheet::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (nID >= ID_TKP_CUSTOMIZE_RESET && nID <= ID_TKP_CUSTOMIZE_BEGINGROUP) {
        if (pHandlerInfo != NULL)
            return TRUE;
        if (nCode == CN_UPDATE_COMMAND_UI && pExtra != NULL) {
            CCmdUI* pCmdUI = static_cast<CCmdUI*>(pExtra);
            BOOL bEnabled = FALSE, bChecked = FALSE;
            GetCommandState(nID, bEnabled, bChecked);
            pCmdUI->Enable(bEnabled);
            pCmdUI->SetCheck(bChecked ? 1 : 0);
            return TRUE;
        }
        if (nCode == CN_COMMAND) {
            ExecuteCommand(nID);
            return TRUE;
        }
    }
    return CPropertySheet::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// --- The customise context menu -----------------------------------------------------------------

CTKPCommandBar* CTKPCustomizeSheet::GetCustomizeMenu()
{
    if (m_pCustomizeMenu != NULL)
        return m_pCustomizeMenu;
    CMenu menu;
    if (!GetResourceManager()->LoadMenu(&menu, IDR_TKP_CUSTOMIZE_MENU))
        return NULL;
    CMenu* pSubMenu = menu.GetSubMenu(0);
    // The menu belongs to no command bars: it is not being customised itself, so its items run
    // their commands and take their state from this sheet, which owns it.
    CTKPPopupBar* pPopup = CTKPPopupBar::CreatePopupBar(NULL);
    if (pPopup == NULL || pSubMenu == NULL)
        return NULL;
    pPopup->LoadMenu(pSubMenu, TRUE);
    // The name is typed into an edit entry with its label.
    CTKPControl* pNameItem = pPopup->GetControls()->FindControl(ID_TKP_CUSTOMIZE_NAME);
    if (pNameItem != NULL) {
        const int nIndex = pNameItem->GetIndex();
        const CString strLabel = pNameItem->GetCaption();
        pPopup->GetControls()->Remove(pNameItem);
        CTKPControl* pEntry = pPopup->GetControls()->Add(tkpControlEdit, ID_TKP_CUSTOMIZE_NAME, NULL, nIndex);
        if (pEntry != NULL && pEntry->IsKindOf(RUNTIME_CLASS(CTKPControlEdit))) {
            pEntry->SetCaption(strLabel);
            static_cast<CTKPControlEdit*>(pEntry)->SetShowLabel(TRUE);
            static_cast<CTKPControlEdit*>(pEntry)->SetWidth(160);
        }
    }
    // The image grid is a popup toolbar of its own, filled when it first opens.
    for (int i = 0; i < pPopup->GetControlCount(); ++i) {
        CTKPControl* pControl = pPopup->GetControl(i);
        if (!pControl->IsKindOf(RUNTIME_CLASS(CTKPControlPopup)))
            continue;
        CTKPCustomizeImagePopup* pGrid = new CTKPCustomizeImagePopup;
        m_pImageManager->InternalAddRef();
        pGrid->SetImageManager(m_pImageManager);
        pControl->SetID(ID_TKP_CUSTOMIZE_CHANGEIMAGE);
        static_cast<CTKPControlPopup*>(pControl)->SetCommandBar(pGrid);
        pGrid->InternalRelease();
    }
    pPopup->SetOwnerWnd(this);
    pPopup->SetSite(this);
    m_pCustomizeMenu = pPopup;
    return m_pCustomizeMenu;
}

CTKPCommandBar* CTKPCustomizeSheet::PrepareCustomizeMenu()
{
    CTKPCommandBar* pPopup = GetCustomizeMenu();
    if (pPopup == NULL || m_pCommandBars == NULL)
        return NULL;
    CTKPControl* pEntry = pPopup->GetControls()->FindControl(ID_TKP_CUSTOMIZE_NAME);
    if (pEntry != NULL && pEntry->IsKindOf(RUNTIME_CLASS(CTKPControlEdit))) {
        CTKPControl* pPicked = m_pCommandBars->GetDragControl();
        static_cast<CTKPControlEdit*>(pEntry)->SetEditText(pPicked != NULL ? pPicked->GetCaption() : CString());
    }
    return pPopup;
}

void CTKPCustomizeSheet::ShowCustomizeMenu(CPoint ptScreen)
{
    CTKPCommandBar* pPopup = PrepareCustomizeMenu();
    if (pPopup == NULL)
        return;
    const UINT nFlags = m_pCommandBars->IsLayoutRTL() ? (TPM_RIGHTALIGN | TPM_RECURSE) : TPM_RECURSE;
    CTKPCommandBars::TrackPopupMenu(pPopup, nFlags, ptScreen.x, ptScreen.y, this, NULL, this);
}

void CTKPCustomizeSheet::FillImagePopup(CTKPCommandBar* pPopup)
{
    int n = 0;
    while (m_pImageManager->LookupIconSet((UINT)(n + 1)) != NULL)
        ++n;
    for (int i = 1; i <= n; ++i) {
        CTKPControl* pButton = pPopup->GetControls()->Add(tkpControlButton, ID_TKP_CUSTOMIZE_CHANGEIMAGE);
        if (pButton != NULL) {
            pButton->SetIconId(i);
            pButton->SetStyle(styleImageCell);
        }
    }
    static_cast<CTKPCustomizeImagePopup*>(pPopup)->SetGridWidth(23 * (int)std::floor(std::sqrt((double)n)) + 6);
}

void CTKPCustomizeSheet::GetCommandState(UINT nID, BOOL& bEnabled, BOOL& bChecked)
{
    bEnabled = bChecked = FALSE;
    CTKPControl* pControl = m_pCommandBars != NULL ? m_pCommandBars->GetDragControl() : NULL;
    if (pControl == NULL)
        return;
    const BOOL bButton = IsButtonKind(pControl);
    switch (nID) {
    case ID_TKP_CUSTOMIZE_RESET:
        bEnabled = pControl->GetCustomIconId() >= 1 || !pControl->GetCustomCaption().IsEmpty() ||
            pControl->GetCustomStyle() != 0;
        break;
    case ID_TKP_CUSTOMIZE_DELETE:
    case ID_TKP_CUSTOMIZE_NAME:
        bEnabled = TRUE;
        break;
    case ID_TKP_CUSTOMIZE_COPYIMAGE:
    case ID_TKP_CUSTOMIZE_EDITIMAGE:
    case ID_TKP_CUSTOMIZE_CHANGEIMAGE:
        bEnabled = bButton && HasImage(pControl);
        break;
    case ID_TKP_CUSTOMIZE_PASTEIMAGE:
        bEnabled = bButton && ::IsClipboardFormatAvailable(CF_BITMAP);
        break;
    case ID_TKP_CUSTOMIZE_RESETIMAGE:
        bEnabled = pControl->GetCustomIconId() >= 1;
        break;
    case ID_TKP_CUSTOMIZE_DEFAULTSTYLE:
        bEnabled = bButton;
        bChecked = pControl->GetCustomStyle() == 0;
        break;
    case ID_TKP_CUSTOMIZE_IMAGEANDTEXT:
        bEnabled = bButton;
        bChecked = pControl->GetCustomStyle() == styleIconAndCaption;
        break;
    case ID_TKP_CUSTOMIZE_TEXTONLY:
        bEnabled = bButton;
        bChecked = pControl->GetCustomStyle() == styleCaption;
        break;
    case ID_TKP_CUSTOMIZE_BEGINGROUP:
        bEnabled = pControl->GetIndex() != 0;
        bChecked = pControl->GetBeginGroup();
        break;
    }
}

void CTKPCustomizeSheet::ControlChanged(CTKPControl* pControl)
{
    CTKPCommandBar* pBar = pControl->GetParent();
    pControl->DelayLayoutParent();
    if (pBar != NULL) {
        pBar->DelayRedraw();
        if (pBar->GetSafeHwnd() != NULL)
            pBar->Invalidate(FALSE);
    }
    if (m_pCommandBars != NULL)
        m_pCommandBars->RecalcFrameLayout(TRUE);
}

void CTKPCustomizeSheet::ExecuteCommand(UINT nID)
{
    CTKPControl* pControl = m_pCommandBars != NULL ? m_pCommandBars->GetDragControl() : NULL;
    if (pControl == NULL)
        return;
    BOOL bEnabled = FALSE, bChecked = FALSE;
    GetCommandState(nID, bEnabled, bChecked);
    if (!bEnabled)
        return;
    CTKPRefHolder hold(pControl);
    switch (nID) {
    case ID_TKP_CUSTOMIZE_RESET:
        pControl->SetCustomIconId(0);
        pControl->SetCustomCaption(L"");
        pControl->SetCustomStyle(0);
        break;
    case ID_TKP_CUSTOMIZE_DELETE: {
        CTKPCommandBar* pBar = pControl->GetParent();
        m_pCommandBars->SetDragControl(NULL);
        if (pBar != NULL) {
            pBar->GetControls()->Remove(pControl);
            pBar->OnRecalcLayout();
        }
        break;
    }
    case ID_TKP_CUSTOMIZE_COPYIMAGE:
        CopyButtonImage(pControl);
        return;
    case ID_TKP_CUSTOMIZE_PASTEIMAGE:
        PasteButtonImage(pControl);
        break;
    case ID_TKP_CUSTOMIZE_RESETIMAGE:
        pControl->SetCustomIconId(0);
        break;
    case ID_TKP_CUSTOMIZE_EDITIMAGE:
        EditButtonImage();
        break;
    case ID_TKP_CUSTOMIZE_DEFAULTSTYLE:
        pControl->SetCustomStyle(0);
        break;
    case ID_TKP_CUSTOMIZE_IMAGEANDTEXT:
        pControl->SetCustomStyle(styleIconAndCaption);
        break;
    case ID_TKP_CUSTOMIZE_TEXTONLY:
        pControl->SetCustomStyle(styleCaption);
        break;
    case ID_TKP_CUSTOMIZE_BEGINGROUP:
        pControl->SetBeginGroup(!pControl->GetBeginGroup());
        break;
    default:
        return;
    }
    if (pControl->GetParent() != NULL)
        ControlChanged(pControl);
}

void CTKPCustomizeSheet::SetSelectedCaption(LPCTSTR lpszCaption)
{
    CTKPControl* pControl = m_pCommandBars != NULL ? m_pCommandBars->GetDragControl() : NULL;
    if (pControl == NULL)
        return;
    pControl->SetCustomCaption(lpszCaption);
    ControlChanged(pControl);
}

void CTKPCustomizeSheet::ChangeButtonImage(int nImage)
{
    CTKPControl* pControl = m_pCommandBars != NULL ? m_pCommandBars->GetDragControl() : NULL;
    CTKPImageIconSet* pSet = m_pImageManager->LookupIconSet((UINT)nImage);
    if (pControl == NULL || pSet == NULL)
        return;
    CTKPImageIcon* pIcon = pSet->GetIcon(0);
    if (pIcon == NULL || pIcon->GetIcon().IsEmpty())
        return;
    CTKPIconHandle copy;
    copy.CopyFrom(pIcon->GetIcon());
    pControl->SetCustomIconId((int)m_pCommandBars->GetImageManager()->AddCustomIcon(copy));
    ControlChanged(pControl);
}

void CTKPCustomizeSheet::StoreEditedImage(CTKPControl* pControl, HBITMAP hAlphaBitmap, HICON hIcon)
{
    CTKPIconHandle image;
    if (hAlphaBitmap != NULL)
        image.AssignBitmap(hAlphaBitmap);
    else if (hIcon != NULL)
        image.AssignIcon(hIcon);
    if (image.IsEmpty() || pControl == NULL)
        return;
    CTKPImageManager* pImages = m_pCommandBars->GetImageManager();
    if (pControl->GetCustomIconId() > 0)
        pImages->SetIcon(image, (UINT)pControl->GetCustomIconId(), image.GetExtent());
    else
        pControl->SetCustomIconId((int)pImages->AddCustomIcon(image));
    ControlChanged(pControl);
}

void CTKPCustomizeSheet::EditButtonImage()
{
    CTKPControl* pControl = m_pCommandBars != NULL ? m_pCommandBars->GetDragControl() : NULL;
    if (pControl == NULL)
        return;
    CTKPRefHolder hold(pControl);
    CTKPCommandBar* pBar = pControl->GetParent();
    const CSize szIcon = pBar != NULL ? pBar->GetIconSize() : CSize(16, 16);
    CTKPImageEditorDialog dlg(this);
    CTKPImageIcon* pIcon = m_pCommandBars->GetImageManager()->GetImage((UINT)GetShownImageId(pControl), szIcon.cx);
    if (pIcon != NULL && !pIcon->GetIcon().IsEmpty())
        dlg.SetImage(pIcon->GetIcon());
    else
        dlg.SetPictureSize(szIcon);
    if (dlg.DoModal() != IDOK)
        return;
    HBITMAP hAlpha = NULL;
    HICON hIcon = NULL;
    dlg.GetResult(&hAlpha, &hIcon);
    StoreEditedImage(pControl, hAlpha, hIcon);
}

// --- Button images on the clipboard -------------------------------------------------------------

void CTKPCustomizeSheet::CopyButtonImage(CTKPControl* pControl)
{
    const int nImage = GetShownImageId(pControl);
    CTKPCommandBar* pBar = pControl->GetParent();
    const CSize szIcon = pBar != NULL ? pBar->GetIconSize() : CSize(16, 16);
    CTKPImageIcon* pIcon = m_pCommandBars->GetImageManager()->GetImage((UINT)nImage, szIcon.cx);
    if (pIcon == NULL)
        return;
    HDC hScreen = ::GetDC(NULL);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, szIcon.cx, szIcon.cy);
    ::ReleaseDC(NULL, hScreen);
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    RECT rc = {0, 0, szIcon.cx, szIcon.cy};
    HBRUSH hFace = ::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE));
    ::FillRect(hMem, &rc, hFace);
    ::DeleteObject(hFace);
    pIcon->Draw(CDC::FromHandle(hMem), CPoint(0, 0), pIcon->GetIcon(), szIcon.cx, szIcon.cy);
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    if (::OpenClipboard(m_hWnd)) {
        ::EmptyClipboard();
        if (::SetClipboardData(CF_BITMAP, hBitmap) != NULL)
            hBitmap = NULL;
        // The icons themselves in the image manager's own format beside the picture.
        m_pCommandBars->GetImageManager()->CopyIconToClipboard((UINT)nImage);
        ::CloseClipboard();
    }
    if (hBitmap != NULL)
        ::DeleteObject(hBitmap);
}

void CTKPCustomizeSheet::PasteButtonImage(CTKPControl* pControl)
{
    CTKPImageManager* pImages = m_pCommandBars->GetImageManager();
    if (::IsClipboardFormatAvailable(CTKPImageManager::GetToolBarImageFormat()) && ::OpenClipboard(m_hWnd)) {
        HGLOBAL hData = ::GetClipboardData(CTKPImageManager::GetToolBarImageFormat());
        const UINT nId = hData != NULL ? pImages->PasteIconFromGlobal(hData) : 0;
        ::CloseClipboard();
        if (nId != 0) {
            pControl->SetCustomIconId((int)nId);
            return;
        }
    }
    if (!::IsClipboardFormatAvailable(CF_BITMAP) || !::OpenClipboard(m_hWnd))
        return;
    const BOOL bAlpha = ::IsClipboardFormatAvailable(CTKPImageManager::GetAlphaBitmapFormat());
    HBITMAP hBitmap = (HBITMAP)::GetClipboardData(CF_BITMAP);
    CTKPIconHandle image;
    if (hBitmap != NULL) {
        if (bAlpha) {
            image.CopyAlphaBitmap(hBitmap);
        } else {
            BITMAP bm = {};
            ::GetObjectW(hBitmap, sizeof(bm), &bm);
            HIMAGELIST hList =
                bm.bmHeight > 0 ? ImageList_Create(bm.bmHeight, bm.bmHeight, ILC_COLOR24 | ILC_MASK, 1, 1) : NULL;
            if (hList != NULL) {
                HBITMAP hCopy = CreateRgbCopy(hBitmap, bm.bmWidth, bm.bmHeight);
                ImageList_AddMasked(hList, hCopy, ::GetSysColor(COLOR_BTNFACE));
                if (hCopy != NULL)
                    ::DeleteObject(hCopy);
                if (ImageList_GetImageCount(hList) == 1)
                    image.AssignIcon(ImageList_GetIcon(hList, 0, ILD_NORMAL));
                ImageList_Destroy(hList);
            }
        }
    }
    ::CloseClipboard();
    if (!image.IsEmpty())
        pControl->SetCustomIconId((int)pImages->AddCustomIcon(image));
}
