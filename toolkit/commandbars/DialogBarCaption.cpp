#include "toolkit/commandbars/DialogBarCaption.h"

#include "toolkit/base/DCSelectors.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBarsTheme.h"
#include "toolkit/commandbars/PopupPlacement.h"
#include "toolkit/commandbars/RefHolder.h"

IMPLEMENT_SERIAL(CTKPDialogBarCaptionPopup, CTKPPopupBar, VERSIONABLE_SCHEMA | 16)
IMPLEMENT_SERIAL(CTKPDialogBarTitle, CTKPControlPopup, VERSIONABLE_SCHEMA | 16)
IMPLEMENT_SERIAL(CTKPDialogBarCloseButton, CTKPControlButton, VERSIONABLE_SCHEMA | 16)

// --- Caption popup --------------------------------------------------------------------------------

CTKPDialogBarCaptionPopup::CTKPDialogBarCaptionPopup()
{
    m_popupFlags = TKPPOPUP_DROPDOWN;
}

void CTKPDialogBarCaptionPopup::UpdateFlags()
{
    CTKPPopupBar::UpdateFlags();
    m_popupFlags = TKPPOPUP_LEFT | TKPPOPUP_DROPDOWN;
    m_ptAnchor = CPoint(m_rcExclude.left, m_rcExclude.bottom);
}

// --- Title ----------------------------------------------------------------------------------------

CTKPDialogBarTitle::CTKPDialogBarTitle()
{
    m_controlType = tkpControlPopup;
    m_dwFlags = tkpFlagSkipFocus | tkpFlagLeftPopup | tkpFlagManualUpdate | tkpFlagNoMovable;
}

BOOL CTKPDialogBarTitle::HasUsablePopup() const
{
    return m_bEnabled && m_pCommandBar != NULL && m_pCommandBar->GetControlCount() > 0;
}

BOOL CTKPDialogBarTitle::OnSetPopup(BOOL bPopup)
{
    if (bPopup && !HasUsablePopup())
        return FALSE;
    return CTKPControlPopup::OnSetPopup(bPopup);
}

void CTKPDialogBarTitle::AdjustExcludeRect(CRect& rc)
{
    GetPaintManager()->AdjustExcludeRect(rc, this, FALSE);
}

void CTKPDialogBarTitle::Draw(CDC* pDC)
{
    CTKPCommandBarsTheme* pTheme = GetPaintManager();
    CTKPFontSelector font(pDC, pTheme->GetSmCaptionFont());
    pDC->SetBkMode(TRANSPARENT);
    const BOOL bPopup = HasUsablePopup();
    const CRect rc = m_rcControl;
    if (bPopup)
        pTheme->DrawControlEntry(pDC, rc, TRUE, m_nSelected, m_bPressed, m_bChecked, m_bPopup, tkpBarTop);
    else
        pDC->SetTextColor(pTheme->GetColor(COLOR_BTNTEXT));
    CRect rcText(rc.left + 2, rc.top, rc.right - (bPopup ? 15 : 2), rc.bottom);
    CString strCaption = GetCaption();
    pDC->DrawText(strCaption, rcText, DT_SINGLELINE | DT_VCENTER);
    if (bPopup) {
        const int nMiddle = (rc.top + rc.bottom) / 2;
        CTKPCommandBarsTheme::DrawTriangle(pDC, CPoint(rc.right - 13, nMiddle - 2), CPoint(rc.right - 5, nMiddle - 2),
            CPoint(rc.right - 9, nMiddle + 2), pDC->GetTextColor());
    }
}

// --- Close button ---------------------------------------------------------------------------------

CTKPDialogBarCloseButton::CTKPDialogBarCloseButton()
{
    m_controlType = tkpControlButton;
    m_dwFlags = tkpFlagSkipFocus | tkpFlagManualUpdate | tkpFlagNoMovable;
}

void CTKPDialogBarCloseButton::Draw(CDC* pDC)
{
    CTKPCommandBarsTheme* pTheme = GetPaintManager();
    pTheme->DrawControlEntry(pDC, m_rcControl, m_bEnabled, m_nSelected, m_bPressed, m_bChecked, FALSE,
        m_pParent != NULL ? m_pParent->GetPosition() : tkpBarTop);
    CFont font;
    font.CreatePointFont(::MulDiv(80, 96, pDC->GetDeviceCaps(LOGPIXELSY)), L"Marlett", pDC);
    CTKPFontSelector select(pDC, &font);
    pDC->SetBkMode(TRANSPARENT);
    CRect rc = m_rcControl;
    pDC->DrawText(CString(L"r"), rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void CTKPDialogBarCloseButton::OnExecute()
{
    CTKPCommandBar* pParent = m_pParent;
    if (pParent == NULL)
        return;
    CTKPRefHolder holdThis(this);
    CTKPRefHolder holdParent(pParent);
    pParent->SetVisible(FALSE);
}
