#include "toolkit/controls/CaptionButton.h"

#include "toolkit/controls/Caption.h"

IMPLEMENT_DYNAMIC(CTKCaptionButton, CTKButton)

BEGIN_MESSAGE_MAP(CTKCaptionButton, CTKButton)
ON_WM_SYSCOLORCHANGE()
ON_WM_SETTINGCHANGE()
END_MESSAGE_MAP()

CTKCaptionButton::CTKCaptionButton() : CTKButton(RUNTIME_CLASS(CTKCaptionButtonThemeFactory)), m_pCaption(NULL) {}

CTKCaption* CTKCaptionButton::GetCaption() const
{
    return (m_pCaption && ::IsWindow(m_pCaption->GetSafeHwnd())) ? m_pCaption : NULL;
}

DWORD CTKCaptionButton::SetButtonStyleFlags(DWORD dwFlags, BOOL bRedraw)
{
    const DWORD dwOld = CTKButton::SetButtonStyleFlags(dwFlags, FALSE);
    if (CTKCaption* pCaption = GetCaption()) {
        if (CTKButtonTheme* pTheme = GetButtonTheme()) {
            pTheme->SetFaceColor(pCaption->m_clrBackground);
            pTheme->SetTextColor(pCaption->m_clrText);
        }
        if (::IsWindow(m_hWnd))
            SendMessage(WM_SETFONT, static_cast<WPARAM>(pCaption->SendMessage(WM_GETFONT)), FALSE);
    }
    RedrawIf(bRedraw);
    return dwOld;
}

void CTKCaptionButton::OnSysColorChange()
{
    if (CTKButtonTheme* pTheme = GetButtonTheme())
        pTheme->RefreshMetrics();
    CTKButton::OnSysColorChange();
}

void CTKCaptionButton::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    if (CTKButtonTheme* pTheme = GetButtonTheme())
        pTheme->RefreshMetrics();
    CTKButton::OnSettingChange(uFlags, lpszSection);
}
