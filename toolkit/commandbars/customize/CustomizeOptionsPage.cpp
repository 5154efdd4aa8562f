#include "toolkit/commandbars/customize/CustomizeOptionsPage.h"

#include "classlib/win/CDataExchange.h"
#include "classlib/win/WindowDCs.h"
#include "res/commandbars-customize.h"
#include "toolkit/base/DCSelectors.h"
#include "toolkit/base/ResourceManager.h"
#include "toolkit/base/UxThemeWrapper.h"
#include "toolkit/commandbars/BarOptions.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/customize/CustomizeSheet.h"

#include <uxtheme.h>
#include <vssym32.h>

// --- Captions -----------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CTKPCustomizeCaption, CStatic)
ON_WM_PAINT()
END_MESSAGE_MAP()

void CTKPCustomizeCaption::OnPaint()
{
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    dc.FillSolidRect(rcClient, ::GetSysColor(COLOR_3DFACE));
    CString strText;
    GetWindowText(strText);
    CFont* pFont = GetParent() != NULL ? GetParent()->GetFont() : NULL;
    CFont* pOldFont = pFont != NULL ? dc.SelectObject(pFont) : NULL;
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    CRect rcText = rcClient;
    dc.DrawText(strText, rcText, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    dc.DrawText(strText, rcText, DT_SINGLELINE | DT_CALCRECT);
    if (pOldFont != NULL)
        dc.SelectObject(pOldFont);
    const int nMiddle = (rcClient.top + rcClient.bottom) / 2;
    CRect rcLine(rcText.right + 4, nMiddle, rcClient.right, nMiddle + 2);
    if (rcLine.IsRectEmpty())
        return;
    CTKPUxThemeWrapper theme;
    theme.OpenThemeData(m_hWnd, L"BUTTON");
    if (theme.IsAppThemed() &&
        SUCCEEDED(theme.DrawThemeBackground(dc.GetSafeHdc(), BP_GROUPBOX, GBS_NORMAL,
            CRect(rcLine.left, nMiddle, rcLine.right + 8, nMiddle + 8), &rcLine)))
        return;
    dc.FillSolidRect(rcLine.left, nMiddle, rcLine.Width(), 1, ::GetSysColor(COLOR_3DSHADOW));
    dc.FillSolidRect(rcLine.left, nMiddle + 1, rcLine.Width(), 1, ::GetSysColor(COLOR_3DHILIGHT));
}

// --- The page -----------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CTKPCustomizeOptionsPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CTKPCustomizeOptionsPage, CPropertyPage)
ON_BN_CLICKED(IDC_TKP_OPTION_FULLMENUS, OnFullMenus)
ON_BN_CLICKED(IDC_TKP_OPTION_AFTERDELAY, OnAfterDelay)
ON_BN_CLICKED(IDC_TKP_OPTION_LARGEICONS, OnLargeIcons)
ON_BN_CLICKED(IDC_TKP_OPTION_SCREENTIPS, OnScreenTips)
ON_BN_CLICKED(IDC_TKP_OPTION_SHORTCUTS, OnShortcuts)
ON_BN_CLICKED(IDC_TKP_OPTION_RESETUSAGE, OnResetUsage)
ON_CBN_SELCHANGE(IDC_TKP_OPTION_ANIMATION, OnAnimation)
END_MESSAGE_MAP()

CTKPCustomizeOptionsPage::CTKPCustomizeOptionsPage()
    : CPropertyPage(IDD_TKP_PAGE_OPTIONS), m_bAlwaysShowFullMenus(FALSE), m_bShowFullAfterDelay(FALSE),
      m_bLargeIcons(FALSE), m_bToolBarScreenTips(FALSE), m_bToolBarAccelTips(FALSE), m_nAnimation(0), m_pSheet(NULL)
{}

CTKPCommandBars* CTKPCustomizeOptionsPage::GetCommandBars() const
{
    return m_pSheet != NULL ? m_pSheet->GetCommandBars() : NULL;
}

BOOL CTKPCustomizeOptionsPage::OnInitDialog()
{
    CTKPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != NULL) {
        CTKPBarOptions* pOptions = pCommandBars->GetOptions();
        m_bAlwaysShowFullMenus = pOptions->bAlwaysShowFullMenus;
        m_bShowFullAfterDelay = pOptions->bShowFullAfterDelay;
        m_bLargeIcons = pOptions->bLargeIcons;
        m_bToolBarScreenTips = pOptions->bToolBarScreenTips;
        m_bToolBarAccelTips = pOptions->bToolBarAccelTips;
        m_nAnimation = pOptions->animationType;
    }
    m_wndAnimation.SubclassDlgItem(IDC_TKP_OPTION_ANIMATION, this);
    m_wndCaptionPersonal.SubclassDlgItem(IDC_TKP_OPTION_CAPTION_PERSONAL, this);
    m_wndCaptionOther.SubclassDlgItem(IDC_TKP_OPTION_CAPTION_OTHER, this);
    for (UINT nId = IDS_TKP_ANIMATION_FIRST; nId < IDS_TKP_ANIMATION_FIRST + 6; ++nId) {
        CString strText;
        GetResourceManager()->LoadString(&strText, nId);
        m_wndAnimation.AddString(strText);
    }
    CPropertyPage::OnInitDialog();
    m_wndAnimation.SetCurSel(m_nAnimation >= 0 && m_nAnimation < 6 ? m_nAnimation : 0);
    UpdateControls();
    return TRUE;
}

void CTKPCustomizeOptionsPage::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, IDC_TKP_OPTION_FULLMENUS, m_bAlwaysShowFullMenus);
    DDX_Check(pDX, IDC_TKP_OPTION_AFTERDELAY, m_bShowFullAfterDelay);
    DDX_Check(pDX, IDC_TKP_OPTION_LARGEICONS, m_bLargeIcons);
    DDX_Check(pDX, IDC_TKP_OPTION_SCREENTIPS, m_bToolBarScreenTips);
    DDX_Check(pDX, IDC_TKP_OPTION_SHORTCUTS, m_bToolBarAccelTips);
}

void CTKPCustomizeOptionsPage::UpdateControls()
{
    GetDlgItem(IDC_TKP_OPTION_AFTERDELAY)->EnableWindow(!m_bAlwaysShowFullMenus);
    GetDlgItem(IDC_TKP_OPTION_SHORTCUTS)->EnableWindow(m_bToolBarScreenTips);
}

void CTKPCustomizeOptionsPage::OnFullMenus()
{
    UpdateData(TRUE);
    if (GetCommandBars() != NULL)
        GetCommandBars()->GetOptions()->bAlwaysShowFullMenus = m_bAlwaysShowFullMenus;
    UpdateControls();
}

void CTKPCustomizeOptionsPage::OnAfterDelay()
{
    UpdateData(TRUE);
    if (GetCommandBars() != NULL)
        GetCommandBars()->GetOptions()->bShowFullAfterDelay = m_bShowFullAfterDelay;
}

void CTKPCustomizeOptionsPage::OnLargeIcons()
{
    UpdateData(TRUE);
    CTKPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == NULL)
        return;
    pCommandBars->GetOptions()->bLargeIcons = m_bLargeIcons;
    for (int i = 0; i < pCommandBars->GetCount(); ++i)
        pCommandBars->GetAt(i)->OnRecalcLayout();
    pCommandBars->RecalcFrameLayout(FALSE);
}

void CTKPCustomizeOptionsPage::OnScreenTips()
{
    UpdateData(TRUE);
    if (GetCommandBars() != NULL)
        GetCommandBars()->GetOptions()->bToolBarScreenTips = m_bToolBarScreenTips;
    UpdateControls();
}

void CTKPCustomizeOptionsPage::OnShortcuts()
{
    UpdateData(TRUE);
    if (GetCommandBars() != NULL)
        GetCommandBars()->GetOptions()->bToolBarAccelTips = m_bToolBarAccelTips;
}

void CTKPCustomizeOptionsPage::OnAnimation()
{
    const int nSel = m_wndAnimation.GetCurSel();
    if (nSel < 0)
        return;
    m_nAnimation = nSel;
    if (GetCommandBars() != NULL)
        GetCommandBars()->GetOptions()->animationType = nSel;
}

void CTKPCustomizeOptionsPage::OnResetUsage()
{
    if (GetResourceManager()->ShowMessageBox(IDS_TKP_CONFIRM_RESET_USAGE,
            MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) == IDYES &&
        GetCommandBars() != NULL)
        GetCommandBars()->ResetUsageData();
}
