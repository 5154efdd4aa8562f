#include "toolkit/commandbars/ControlPlaceholder.h"

#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/Controls.h"

IMPLEMENT_DYNAMIC(CTKPControlPlaceholder, CTKPControlButton)

void CTKPControlPlaceholder::RemoveExpansion(const std::function<BOOL(CTKPControl*)>& bIsMine)
{
    CTKPControls* pControls = GetControls();
    if (pControls == NULL)
        return;
    for (;;) {
        CTKPControl* pNext = pControls->GetAt(m_nIndex + 1);
        // Only what an expansion added goes: a control the user put here stays, whatever its id.
        if (pNext == NULL || !pNext->IsTemporary() || !bIsMine(pNext))
            break;
        pControls->Remove(m_nIndex + 1);
    }
}

BOOL CTKPControlPlaceholder::ShowInCustomizeMode()
{
    if (!IsCustomizeMode())
        return FALSE;
    SetHideFlags(0);
    return TRUE;
}

CTKPControl* CTKPControlPlaceholder::AddExpansionButton(int nPosition, int nId, LPCTSTR lpszCaption, BOOL bBeginGroup,
    LPCTSTR lpszParameter)
{
    CTKPControls* pControls = GetControls();
    if (pControls == NULL)
        return NULL;
    CTKPControl* pButton = pControls->Add(new CTKPControlButton, nId, lpszParameter, nPosition, TRUE);
    if (pButton == NULL)
        return NULL;
    pButton->SetType(tkpControlButton);
    if (lpszCaption != NULL)
        pButton->SetCaption(lpszCaption);
    pButton->SetBeginGroup(bBeginGroup);
    pButton->SetFlags(tkpFlagManualUpdate);
    return pButton;
}

CString NumberMenuCaption(const CString& strText, int nNumber)
{
    CString strCaption;
    if (nNumber == 0)
        strCaption = strText;
    else if (nNumber < 10)
        strCaption.Format(L"&%i %ls", nNumber, (LPCTSTR)strText);
    else if (nNumber == 10)
        strCaption.Format(L"1&0 %ls", (LPCTSTR)strText);
    else
        strCaption.Format(L"%i %ls", nNumber, (LPCTSTR)strText);
    return strCaption;
}

CString FormatWindowListCaption(const CString& strText, int nNumber)
{
    CString strDoubled = strText;
    strDoubled.Replace(L"&", L"&&");
    return NumberMenuCaption(strDoubled, nNumber);
}
