#include "toolkit/commandbars/MenuExpandButton.h"

#include "toolkit/commandbars/CommandBarsTheme.h"
#include "toolkit/commandbars/PopupBar.h"

IMPLEMENT_DYNCREATE(CTKPMenuExpandButton, CTKPControlButton)

CTKPMenuExpandButton::CTKPMenuExpandButton()
{
    m_dwFlags |= tkpFlagSkipFocus | tkpFlagManualUpdate | tkpFlagNoMovable | tkpFlagShowPopupTip;
}

void CTKPMenuExpandButton::Draw(CDC* pDC)
{
    CTKPCommandBarsTheme* pTheme = GetPaintManager();
    if (pTheme != NULL)
        pTheme->DrawSpecialControl(pDC, CTKPCommandBarsTheme::specialPopupExpand, this, GetParent(), TRUE, CSize(0, 0),
            0);
}

CSize CTKPMenuExpandButton::GetSize(CDC* pDC)
{
    CTKPCommandBarsTheme* pTheme = GetPaintManager();
    if (pTheme == NULL)
        return CSize(0, 0);
    return pTheme->DrawSpecialControl(pDC, CTKPCommandBarsTheme::specialPopupExpand, this, GetParent(), FALSE,
        CSize(0, 0), 0);
}

void CTKPMenuExpandButton::OnExecute()
{
    CTKPCommandBar* pParent = GetParent();
    if (pParent != NULL)
        pParent->ExpandBar();
}

void CTKPMenuExpandButton::SetBeginGroup(BOOL bBeginGroup)
{
    m_bBeginGroup = bBeginGroup;
    DelayLayoutParent();
}
