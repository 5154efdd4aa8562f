#include "toolkit/commandbars/customize/CustomizeKeyboardPage.h"

#include "res/commandbars-customize.h"
#include "toolkit/base/DrawingHelper.h"
#include "toolkit/base/ResourceManager.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/KeyBindings.h"
#include "toolkit/commandbars/customize/CustomizeSheet.h"

#include <vector>

namespace {

// The working accelerator table as entries.
std::vector<ACCEL> ReadAccels(CTKPKeyBindings* pKeyBindings)
{
    std::vector<ACCEL> accels;
    HACCEL hAccel = pKeyBindings != NULL ? pKeyBindings->GetAccelTable() : NULL;
    const int nCount = hAccel != NULL ? ::CopyAcceleratorTableW(hAccel, NULL, 0) : 0;
    if (nCount > 0) {
        accels.resize((size_t)nCount);
        ::CopyAcceleratorTableW(hAccel, accels.data(), nCount);
    }
    return accels;
}

// Commands of the File menu's recent-file list never get shortcuts here.
BOOL IsKeyboardCommand(CTKPControl* pControl)
{
    const int nType = pControl->GetType();
    const int nId = pControl->GetID();
    return nId != 0 && nType != tkpControlPopup && nType != tkpControlButtonPopup &&
        nType != tkpControlSplitButtonPopup && (nId < 57616 || nId > 57631);
}

}  // namespace

// --- The shortcut edit --------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CTKPCustomizeShortcutEdit, CEdit)
ON_WM_KEYDOWN()
ON_WM_SYSKEYDOWN()
ON_WM_CHAR()
ON_WM_SYSCHAR()
ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

BOOL CTKPCustomizeShortcutEdit::SetKey(UINT nKey, BOOL bCtrl, BOOL bShift, BOOL bAlt)
{
    // Modifiers alone make no shortcut yet.
    if (nKey == VK_CONTROL || nKey == VK_SHIFT || nKey == VK_MENU || nKey == VK_LWIN || nKey == VK_RWIN)
        return FALSE;
    ACCEL accel;
    accel.fVirt = (BYTE)(FVIRTKEY | (bCtrl ? FCONTROL : 0) | (bShift ? FSHIFT : 0) | (bAlt ? FALT : 0));
    accel.key = (WORD)nKey;
    accel.cmd = 0;
    if (m_pKeyBindings != NULL && !m_pKeyBindings->IsAllowedAccel((DWORD)accel.fVirt | ((DWORD)accel.key << 16)))
        return FALSE;
    m_accel = accel;
    m_bValid = TRUE;
    CString strText;
    if (m_pKeyBindings != NULL)
        m_pKeyBindings->FormatAccel(accel, strText);
    SetWindowText(strText);
    SetSel(strText.GetLength(), strText.GetLength());
    return TRUE;
}

void CTKPCustomizeShortcutEdit::Clear()
{
    m_bValid = FALSE;
    m_accel = ACCEL();
    SetWindowText(L"");
}

void CTKPCustomizeShortcutEdit::OnKeyDown(UINT nChar, UINT, UINT)
{
    if (nChar == VK_BACK && ::GetKeyState(VK_CONTROL) >= 0 && ::GetKeyState(VK_MENU) >= 0 &&
        ::GetKeyState(VK_SHIFT) >= 0) {
        Clear();
    } else {
        SetKey(nChar, ::GetKeyState(VK_CONTROL) < 0, ::GetKeyState(VK_SHIFT) < 0, ::GetKeyState(VK_MENU) < 0);
    }
    GetParent()->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), EN_CHANGE), (LPARAM)m_hWnd);
}

void CTKPCustomizeShortcutEdit::OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    OnKeyDown(nChar, nRepCnt, nFlags);
}

void CTKPCustomizeShortcutEdit::OnChar(UINT, UINT, UINT) {}
void CTKPCustomizeShortcutEdit::OnSysChar(UINT, UINT, UINT) {}

UINT CTKPCustomizeShortcutEdit::OnGetDlgCode()
{
    return DLGC_WANTALLKEYS | DLGC_WANTCHARS;
}

// --- The page -----------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CTKPCustomizeKeyboardPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CTKPCustomizeKeyboardPage, CPropertyPage)
ON_CBN_SELCHANGE(IDC_TKP_KEYS_CATEGORY, OnCategoryChange)
ON_LBN_SELCHANGE(IDC_TKP_KEYS_COMMANDS, OnCommandChange)
ON_LBN_SELCHANGE(IDC_TKP_KEYS_ASSIGNMENTS, OnKeyChange)
ON_EN_CHANGE(IDC_TKP_KEYS_SHORTCUT, OnShortcutChange)
ON_BN_CLICKED(IDC_TKP_KEYS_ASSIGN, OnAssign)
ON_BN_CLICKED(IDC_TKP_KEYS_REMOVE, OnRemove)
ON_BN_CLICKED(IDC_TKP_KEYS_RESETALL, OnResetAll)
END_MESSAGE_MAP()

CTKPCustomizeKeyboardPage::CTKPCustomizeKeyboardPage() : CPropertyPage(IDD_TKP_PAGE_KEYBOARD), m_pSheet(NULL) {}

CTKPCommandBars* CTKPCustomizeKeyboardPage::GetCommandBars() const
{
    return m_pSheet != NULL ? m_pSheet->GetCommandBars() : NULL;
}

BOOL CTKPCustomizeKeyboardPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_wndCategory.SubclassDlgItem(IDC_TKP_KEYS_CATEGORY, this);
    m_wndCommands.SubclassDlgItem(IDC_TKP_KEYS_COMMANDS, this);
    m_wndKeys.SubclassDlgItem(IDC_TKP_KEYS_ASSIGNMENTS, this);
    m_wndShortcut.SubclassDlgItem(IDC_TKP_KEYS_SHORTCUT, this);
    m_wndShortcut.m_pKeyBindings = GetCommandBars() != NULL ? GetCommandBars()->GetKeyBindings() : NULL;
    if (m_pSheet != NULL) {
        CTKPCustomizeCommandsPage* pCommands = m_pSheet->GetCommandsPage();
        for (int i = 0; i < pCommands->GetCategoryCount(); ++i)
            m_wndCategory.SetItemData(m_wndCategory.AddString(pCommands->GetCategoryName(i)), (DWORD_PTR)i);
    }
    m_wndCategory.SetCurSel(0);
    FillCommands();
    return TRUE;
}

CTKPControl* CTKPCustomizeKeyboardPage::GetSelectedCommand() const
{
    const int nSel = m_wndCommands.GetSafeHwnd() != NULL ? m_wndCommands.GetCurSel() : -1;
    return nSel < 0 ? NULL : reinterpret_cast<CTKPControl*>(m_wndCommands.GetItemData(nSel));
}

void CTKPCustomizeKeyboardPage::FillCommands()
{
    m_wndCommands.ResetContent();
    const int nSel = m_wndCategory.GetCurSel();
    if (m_pSheet != NULL && nSel >= 0) {
        CTKPControls* pControls =
            m_pSheet->GetCommandsPage()->GetCategoryControls((int)m_wndCategory.GetItemData(nSel));
        for (int i = 0; i < pControls->GetCount(); ++i) {
            CTKPControl* pControl = pControls->GetAt(i);
            if (!IsKeyboardCommand(pControl))
                continue;
            CString strCaption = pControl->GetCaption();
            CTKPDrawingHelper::StripMnemonics(strCaption);
            m_wndCommands.SetItemData(m_wndCommands.AddString(strCaption), (DWORD_PTR)pControl);
        }
    }
    m_wndCommands.SetCurSel(0);
    FillKeys();
    UpdateButtons();
}

void CTKPCustomizeKeyboardPage::FillKeys()
{
    m_wndKeys.ResetContent();
    CTKPControl* pControl = GetSelectedCommand();
    CTKPKeyBindings* pKeyBindings = GetCommandBars() != NULL ? GetCommandBars()->GetKeyBindings() : NULL;
    if (pControl != NULL && pKeyBindings != NULL) {
        const std::vector<ACCEL> accels = ReadAccels(pKeyBindings);
        for (size_t i = 0; i < accels.size(); ++i) {
            if (accels[i].cmd != (WORD)pControl->GetID())
                continue;
            CString strKey;
            pKeyBindings->FormatAccel(accels[i], strKey);
            m_wndKeys.SetItemData(m_wndKeys.AddString(strKey), (DWORD_PTR)i);
        }
    }
    SetDlgItemText(IDC_TKP_KEYS_DESCRIPTION, pControl != NULL ? pControl->GetDescription() : CString());
}

void CTKPCustomizeKeyboardPage::UpdateButtons()
{
    GetDlgItem(IDC_TKP_KEYS_ASSIGN)->EnableWindow(m_wndShortcut.IsValid() && GetSelectedCommand() != NULL);
    GetDlgItem(IDC_TKP_KEYS_REMOVE)->EnableWindow(m_wndKeys.GetCurSel() >= 0);
}

void CTKPCustomizeKeyboardPage::OnCategoryChange()
{
    FillCommands();
}

void CTKPCustomizeKeyboardPage::OnCommandChange()
{
    FillKeys();
    UpdateButtons();
}

void CTKPCustomizeKeyboardPage::OnKeyChange()
{
    UpdateButtons();
}

void CTKPCustomizeKeyboardPage::OnShortcutChange()
{
    UpdateButtons();
}

void CTKPCustomizeKeyboardPage::OnAssign()
{
    CTKPControl* pControl = GetSelectedCommand();
    CTKPKeyBindings* pKeyBindings = GetCommandBars() != NULL ? GetCommandBars()->GetKeyBindings() : NULL;
    if (pControl == NULL || pKeyBindings == NULL || !m_wndShortcut.IsValid())
        return;
    ACCEL accel = m_wndShortcut.GetAccel();
    accel.cmd = (WORD)pControl->GetID();
    std::vector<ACCEL> accels = ReadAccels(pKeyBindings);
    BOOL bReplaced = FALSE;
    for (ACCEL& entry : accels) {
        if ((entry.fVirt & ~FNOINVERT) == (accel.fVirt & ~FNOINVERT) && entry.key == accel.key) {
            if (GetResourceManager()->ShowMessageBox(IDS_TKP_CONFIRM_REASSIGN, MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
                return;
            entry = accel;
            bReplaced = TRUE;
            break;
        }
    }
    if (!bReplaced)
        accels.push_back(accel);
    pKeyBindings->SetAccelTable(accels.data(), (int)accels.size());
    FillKeys();
    m_wndShortcut.Clear();
    UpdateButtons();
}

void CTKPCustomizeKeyboardPage::OnRemove()
{
    CTKPKeyBindings* pKeyBindings = GetCommandBars() != NULL ? GetCommandBars()->GetKeyBindings() : NULL;
    const int nSel = m_wndKeys.GetCurSel();
    if (pKeyBindings == NULL || nSel < 0)
        return;
    std::vector<ACCEL> accels = ReadAccels(pKeyBindings);
    const size_t nEntry = (size_t)m_wndKeys.GetItemData(nSel);
    if (nEntry >= accels.size())
        return;
    // The last entry takes the place of the removed one.
    accels[nEntry] = accels.back();
    accels.pop_back();
    if (accels.empty()) {
        // No table can hold no entries: the last shortcut goes with the table itself.
        if (pKeyBindings->m_hAccelTable != NULL)
            ::DestroyAcceleratorTable(pKeyBindings->m_hAccelTable);
        pKeyBindings->m_hAccelTable = NULL;
    } else {
        pKeyBindings->SetAccelTable(accels.data(), (int)accels.size());
    }
    FillKeys();
    UpdateButtons();
}

void CTKPCustomizeKeyboardPage::OnResetAll()
{
    CTKPKeyBindings* pKeyBindings = GetCommandBars() != NULL ? GetCommandBars()->GetKeyBindings() : NULL;
    if (pKeyBindings == NULL)
        return;
    if (GetResourceManager()->ShowMessageBox(IDS_TKP_CONFIRM_RESET_KEYS,
            MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) != IDYES)
        return;
    pKeyBindings->Reset();
    FillKeys();
    UpdateButtons();
}
