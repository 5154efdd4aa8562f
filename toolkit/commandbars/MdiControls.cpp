#include "toolkit/commandbars/MdiControls.h"

#include "classlib/win/CMenu.h"
#include "toolkit/base/ImageManager.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBarsTheme.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/MenuBar.h"

IMPLEMENT_DYNCREATE(CTKPMdiButton, CTKPControlButton)
IMPLEMENT_DYNCREATE(CTKPMdiSystemMenuPopup, CTKPControlPopup)
IMPLEMENT_DYNCREATE(CTKPMdiSystemPopupBar, CTKPPopupBar)

// --- Minimize, Restore and Close ------------------------------------------------------------------

CTKPMdiButton::CTKPMdiButton()
{
    m_dwFlags |= tkpFlagRightAlign | tkpFlagSkipFocus | tkpFlagManualUpdate | tkpFlagNoMovable;
}

UINT CTKPMdiButton::GetSysCommand() const
{
    switch (m_nId) {
    case CTKPMenuBar::ID_MDI_CLOSE:
        return SC_CLOSE;
    case CTKPMenuBar::ID_MDI_RESTORE:
        return SC_RESTORE;
    default:
        return SC_MINIMIZE;
    }
}

void CTKPMdiButton::OnExecute()
{
    CTKPCommandBar* pParent = GetParent();
    if (pParent == NULL || !pParent->IsKindOf(RUNTIME_CLASS(CTKPMenuBar)))
        return;
    HWND hChild = static_cast<CTKPMenuBar*>(pParent)->GetActiveMdiChild();
    if (hChild != NULL)
        ::PostMessageW(hChild, WM_SYSCOMMAND, GetSysCommand(), 0);
}

CSize CTKPMdiButton::GetSize(CDC* /*pDC*/)
{
    return CSize(16, 16);
}

void CTKPMdiButton::Draw(CDC* pDC)
{
    CFont font;
    font.CreatePointFont(::MulDiv(80, 96, pDC->GetDeviceCaps(LOGPIXELSY)), L"Marlett", pDC);
    CTKPCommandBarsTheme* pTheme = GetPaintManager();
    if (pTheme != NULL)
        pTheme->DrawControlFace(pDC, this);
    CFont* pOld = pDC->SelectObject(&font);
    CRect rc = GetRect();
    pDC->DrawText(GetCaption(), &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    pDC->SelectObject(pOld);
    font.DeleteObject();
}

// --- The child's system menu ----------------------------------------------------------------------

CTKPMdiSystemMenuPopup::CTKPMdiSystemMenuPopup() : m_hIcon(NULL), m_hSystemMenu(NULL)
{
    m_controlType = tkpControlPopup;
    m_dwFlags |= tkpFlagManualUpdate | tkpFlagNoMovable;
}

CTKPMdiSystemMenuPopup::~CTKPMdiSystemMenuPopup()
{
    if (m_hIcon != NULL)
        ::DestroyIcon(m_hIcon);
}

void CTKPMdiSystemMenuPopup::SetMdiChild(HWND hWndChild, HMENU hSystemMenu)
{
    // The child's small icon, else any icon it has, else the system's.
    HICON hIcon = reinterpret_cast<HICON>(::SendMessageW(hWndChild, TKPM_GETMDICHILDICON, 0, 0));
    if (hIcon == NULL)
        hIcon = reinterpret_cast<HICON>(::SendMessageW(hWndChild, WM_GETICON, ICON_SMALL, 0));
    if (hIcon == NULL)
        hIcon = reinterpret_cast<HICON>(::SendMessageW(hWndChild, WM_GETICON, ICON_BIG, 0));
    if (hIcon == NULL)
        hIcon = reinterpret_cast<HICON>(::GetClassLongPtrW(hWndChild, GCLP_HICONSM));
    if (hIcon == NULL)
        hIcon = ::LoadIconW(NULL, IDI_WINLOGO);
    if (m_hIcon != NULL)
        ::DestroyIcon(m_hIcon);
    m_hIcon = NULL;
    if (hIcon != NULL)
        m_hIcon = CTKPImageManager::ScaleIcon(hIcon, CTKPImageManager::GetIconExtent(hIcon), 16);

    m_hSystemMenu = hSystemMenu;
    CTKPCommandBar* pBar = GetCommandBar();
    if (pBar == NULL)
        return;
    CTKPControls* pControls = pBar->GetControls();
    pControls->RemoveAll();
    CMenu* pMenu = CMenu::FromHandle(hSystemMenu);
    const UINT nDefault = ::GetMenuDefaultItem(hSystemMenu, TRUE, GMDI_USEDISABLED);
    BOOL bBeginGroup = FALSE;
    const int nCount = ::GetMenuItemCount(hSystemMenu);
    for (int i = 0; i < nCount; i++) {
        const UINT nID = ::GetMenuItemID(hSystemMenu, i);
        if (nID == 0) {
            bBeginGroup = TRUE;
            continue;
        }
        CTKPControl* pControl = NULL;
        if (nID >= 0xF000 && nID < 0xF1F0) {
            pControl = pControls->Add(tkpControlButton, nID);
            if (pControl == NULL)
                continue;
            pControl->SetFlags(pControl->GetFlags() | tkpFlagManualUpdate);
            WCHAR szText[256] = {};
            ::GetMenuStringW(hSystemMenu, i, szText, 256, MF_BYPOSITION);
            pControl->SetCaption(szText);
            CString strPrompt;
            strPrompt.LoadString(0xEF00 + (nID - 0xF000) / 16);
            if (!strPrompt.IsEmpty())
                pControl->SetPrompt(strPrompt);
            pControl->SetDefaultItem(nDefault == static_cast<UINT>(i));
            pControl->SetEnabled((::GetMenuState(hSystemMenu, i, MF_BYPOSITION) & MF_DISABLED) == 0);
        } else {
            pControl = pControls->AddMenuItem(pMenu, i);
        }
        if (pControl != NULL && bBeginGroup)
            pControl->SetBeginGroup(TRUE);
        bBeginGroup = FALSE;
    }
}

CSize CTKPMdiSystemMenuPopup::GetSize(CDC* /*pDC*/)
{
    return CSize(16, 16);
}

void CTKPMdiSystemMenuPopup::Draw(CDC* pDC)
{
    if (m_hIcon == NULL)
        return;
    const CRect rc = GetRect();
    ::DrawStateW(pDC->GetSafeHdc(), NULL, NULL, reinterpret_cast<LPARAM>(m_hIcon), 0, rc.left, rc.top, 16, 16,
        DST_ICON | DSS_NORMAL);
}

void CTKPMdiSystemMenuPopup::AdjustExcludeRect(CRect& rc)
{
    rc.InflateRect(1, 1);
}
