#include "toolkit/commandbars/ToolTipManager.h"

#include "classlib/win/CRichEditCtrl.h"
#include "toolkit/base/ColorManager.h"
#include "toolkit/base/DrawingHelper.h"
#include "toolkit/commandbars/OfficeToolTipWindow.h"
#include "toolkit/commandbars/RichToolTipWindow.h"
#include "toolkit/commandbars/StandardToolTip.h"
#include "toolkit/commandbars/ToolTipWindow.h"

#include <shlwapi.h>

namespace {

DWORD ReadComCtlVersion()
{
    HMODULE hModule = ::LoadLibraryW(L"COMCTL32.DLL");
    if (hModule == NULL)
        return 0;
    DWORD dwVersion = 0;
    typedef HRESULT(CALLBACK * DllGetVersionFunc)(DLLVERSIONINFO*);
    DllGetVersionFunc pfn = reinterpret_cast<DllGetVersionFunc>(::GetProcAddress(hModule, "DllGetVersion"));
    if (pfn != NULL) {
        DLLVERSIONINFO info = {};
        info.cbSize = sizeof(info);  // the 20-byte record
        if (SUCCEEDED(pfn(&info)))
            dwVersion = MAKELONG(info.dwMinorVersion, info.dwMajorVersion);
    }
    ::FreeLibrary(hModule);
    return dwVersion;
}

BOOL IsMouseButtonDown()
{
    return ::GetKeyState(VK_LBUTTON) < 0 || ::GetKeyState(VK_RBUTTON) < 0 || ::GetKeyState(VK_MBUTTON) < 0;
}

}  // namespace

CTKPToolTipManager::CTKPToolTipManager()
    : m_bExtendedToolInfo(FALSE), m_nTipStyle(styleStandard), m_dwComCtlVersion(0), m_nTitleIcon(1),
      m_nMaxTipWidth(::GetSystemMetrics(SM_CXSCREEN) / 2), m_dwTipFlags(TTS_NOPREFIX), m_nInitialDelay(-1),
      m_nReshowDelay(-1), m_nAutoPopDelay(-1), m_pToolTip(NULL), m_hToolTipOwner(NULL), m_nLastHit(-1),
      m_clrBack(static_cast<COLORREF>(-1)), m_clrText(static_cast<COLORREF>(-1))
{
    ::SetRectEmpty(&m_rcMargins);
    ZeroMemory(&m_lastInfo, sizeof(m_lastInfo));
    AfxInitRichEdit();
    m_dwComCtlVersion = ReadComCtlVersion();
}

CTKPToolTipManager::~CTKPToolTipManager()
{
    DestroyToolTip();
}

void CTKPToolTipManager::DestroyToolTip()
{
    if (m_pToolTip == NULL)
        return;
    if (m_pToolTip->GetSafeHwnd() != NULL)
        m_pToolTip->DestroyWindow();
    delete m_pToolTip;
    m_pToolTip = NULL;
    m_hToolTipOwner = NULL;
    m_nLastHit = -1;
    ZeroMemory(&m_lastInfo, sizeof(m_lastInfo));
}

void CTKPToolTipManager::SetTipStyle(int nStyle)
{
    if (nStyle == m_nTipStyle)
        return;
    m_nTipStyle = nStyle;
    DestroyToolTip();
}

void CTKPToolTipManager::SetDelayTimes(int nInitial, int nReshow, int nAutoPop)
{
    m_nInitialDelay = nInitial;
    m_nReshowDelay = nReshow;
    m_nAutoPopDelay = nAutoPop;
}

DWORD CTKPToolTipManager::ModifyTipFlags(DWORD dwRemove, DWORD dwAdd)
{
    const DWORD dwNew = (m_dwTipFlags | dwAdd) & ~dwRemove;
    if (dwNew != m_dwTipFlags) {
        m_dwTipFlags = dwNew;
        DestroyToolTip();
    }
    return m_dwTipFlags;
}

void CTKPToolTipManager::HideTip()
{
    if (m_pToolTip != NULL && m_pToolTip->GetSafeHwnd() != NULL)
        m_pToolTip->SendMessage(TTM_ACTIVATE, FALSE, 0);
}

COLORREF CTKPToolTipManager::GetBackColor() const
{
    return m_clrBack != static_cast<COLORREF>(-1) ? m_clrBack : GetColorManager()->GetColor(COLOR_INFOBK);
}

COLORREF CTKPToolTipManager::GetTextColor() const
{
    return m_clrText != static_cast<COLORREF>(-1) ? m_clrText : GetColorManager()->GetColor(COLOR_INFOTEXT);
}

void CTKPToolTipManager::SetColors(COLORREF clrBack, COLORREF clrText)
{
    m_clrBack = clrBack;
    m_clrText = clrText;
}

CWnd* CTKPToolTipManager::CreateToolTip(CWnd* pOwner)
{
    CTKPToolTipWindow* pTip = NULL;
    switch (m_nTipStyle) {
    case stylePlain:
        pTip = new CTKPToolTipWindow;
        break;
    case styleRichText:
        pTip = new CTKPRichToolTipWindow;
        break;
    case styleOffice:
        pTip = new CTKPOfficeToolTipWindow;
        break;
    default: {
        CTKPStandardToolTip* pStandard = new CTKPStandardToolTip;
        pStandard->Create(pOwner, m_dwTipFlags | TTS_ALWAYSTIP | (m_nTipStyle == styleBalloon ? TTS_BALLOON : 0));
        return pStandard;
    }
    }
    pTip->CreateTipWindow(this, pOwner);
    return pTip;
}

BOOL CTKPToolTipManager::IsInsideOwner(CWnd* pOwner, HWND hWnd)
{
    HWND hOwner = pOwner->GetSafeHwnd();
    return hWnd != NULL && (hWnd == hOwner || ::IsChild(hOwner, hWnd));
}

void CTKPToolTipManager::FilterWindowMessage(CWnd* pOwner, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG msg = {};
    msg.hwnd = pOwner->GetSafeHwnd();
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = ::GetMessageTime();
    ::GetCursorPos(&msg.pt);
    FilterToolTipMessage(pOwner, &msg, TRUE);
}

void CTKPToolTipManager::FilterToolTipMessage(CWnd* pOwner, MSG* pMsg, BOOL bFromOwner)
{
    if (pOwner == NULL || pOwner->GetSafeHwnd() == NULL || pMsg == NULL)
        return;
    const UINT message = pMsg->message;
    const BOOL bMouseMessage = message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE || message == WM_LBUTTONUP ||
        message == WM_RBUTTONUP || message == WM_MBUTTONUP;

    // 1. Other messages only hide the tip: keys, presses and double clicks inside the owner.
    if (!bMouseMessage || IsMouseButtonDown()) {
        if (!bFromOwner && !IsInsideOwner(pOwner, pMsg->hwnd))
            return;
        const BOOL bKey = message >= WM_KEYFIRST && message <= WM_KEYLAST;
        const BOOL bPress = message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDOWN ||
            message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDOWN || message == WM_MBUTTONDBLCLK ||
            message == WM_NCLBUTTONDOWN || message == WM_NCLBUTTONDBLCLK || message == WM_NCRBUTTONDOWN ||
            message == WM_NCRBUTTONDBLCLK || message == WM_NCMBUTTONDOWN || message == WM_NCMBUTTONDBLCLK;
        if (bKey || bPress)
            HideTip();
        return;
    }

    // 2.
    if (!bFromOwner && !IsInsideOwner(pOwner, pMsg->hwnd))
        return;

    // 3. A frame that is not active shows no tips.
    if (m_pToolTip != NULL && m_pToolTip->GetSafeHwnd() != NULL && m_pToolTip->IsWindowVisible() &&
        !CTKPDrawingHelper::IsTopParentActive(pOwner->GetSafeHwnd())) {
        m_pToolTip->SendMessage(TTM_ACTIVATE, FALSE, 0);
        return;
    }

    // 4. One tip window per top-level window: the bars of one frame share it.
    CWnd* pTipOwner = pOwner->GetParentOwner();
    if (pTipOwner == NULL)
        pTipOwner = pOwner;
    if (m_pToolTip != NULL && m_hToolTipOwner != pTipOwner->GetSafeHwnd())
        DestroyToolTip();
    if (m_pToolTip == NULL) {
        CWnd* pTip = CreateToolTip(pTipOwner);
        if (pTip == NULL)
            return;
        if (pTip->GetSafeHwnd() == NULL) {
            delete pTip;
            return;
        }
        m_pToolTip = pTip;
        m_hToolTipOwner = pTipOwner->GetSafeHwnd();
        m_nLastHit = -1;
        ZeroMemory(&m_lastInfo, sizeof(m_lastInfo));
        pTip->SendMessage(TTM_SETMAXTIPWIDTH, 0, m_nMaxTipWidth);
        pTip->SendMessage(TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&m_rcMargins));
        if (m_clrBack != static_cast<COLORREF>(-1))
            pTip->SendMessage(TTM_SETTIPBKCOLOR, m_clrBack, 0);
        if (m_clrText != static_cast<COLORREF>(-1))
            pTip->SendMessage(TTM_SETTIPTEXTCOLOR, m_clrText, 0);
        if (m_nReshowDelay >= 0)
            pTip->SendMessage(TTM_SETDELAYTIME, TTDT_RESHOW, m_nReshowDelay);
        if (m_nInitialDelay >= 0)
            pTip->SendMessage(TTM_SETDELAYTIME, TTDT_INITIAL, m_nInitialDelay);
        if (m_nAutoPopDelay >= 0)
            pTip->SendMessage(TTM_SETDELAYTIME, TTDT_AUTOPOP, m_nAutoPopDelay);
        pTip->SendMessage(TTM_ACTIVATE, FALSE, 0);
    }

    // 5. Hit test in the owner's client coordinates.
    CPoint point = pMsg->pt;
    pOwner->ScreenToClient(&point);
    TKPTOOLINFO info;
    ZeroMemory(&info, sizeof(info));
    info.ti.cbSize = m_bExtendedToolInfo ? sizeof(TKPTOOLINFO) : TKP_TOOLINFO_MIN_SIZE;
    const INT_PTR nHit = pOwner->OnToolHitTest(point, &info.ti);

    // 6. The same tool as last time.
    const BOOL bSameTool =
        nHit == m_nLastHit && info.ti.hwnd == m_lastInfo.ti.hwnd && ::EqualRect(&info.ti.rect, &m_lastInfo.ti.rect);
    if (bSameTool) {
        if (nHit != -1)
            RelayToTip(pMsg);
    } else {
        // 7. Another tool.
        if (m_lastInfo.ti.cbSize >= TKP_TOOLINFO_MIN_SIZE) {
            TTTOOLINFOW old;
            TKPToPlatformToolInfo(&m_lastInfo.ti, &old);
            old.lpszText = NULL;
            m_pToolTip->SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&old));
        }
        if (nHit != -1) {
            TTTOOLINFOW add;
            TKPToPlatformToolInfo(&info.ti, &add);
            m_pToolTip->SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&add));
            if (m_nTipStyle != styleRichText && (m_dwComCtlVersion >= 0x50050 || m_nTipStyle != styleStandard)) {
                TKPTOOLINFO* pExtended = TKPGetExtendedToolInfo(&info.ti);
                if (pExtended != NULL && pExtended->lpszTitle != NULL && pExtended->lpszDescription != NULL) {
                    m_pToolTip->SendMessage(TTM_SETTITLEW, m_nTitleIcon,
                        reinterpret_cast<LPARAM>(pExtended->lpszTitle));
                    add.lpszText = pExtended->lpszDescription;
                    m_pToolTip->SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&add));
                } else {
                    m_pToolTip->SendMessage(TTM_SETTITLEW, 0, reinterpret_cast<LPARAM>(L""));
                }
            }
            // The tip comes alive while the owner's frame is the active one, or always when the tool
            // asks for it: the other way round, inactive frames would show tips and the active none.
            if ((info.ti.uFlags & TKPTTF_ALWAYSACTIVATE) != 0 ||
                CTKPDrawingHelper::IsTopParentActive(pOwner->GetSafeHwnd())) {
                m_pToolTip->SendMessage(TTM_ACTIVATE, TRUE, 0);
                m_pToolTip->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0,
                    SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
            }
        } else {
            m_pToolTip->SendMessage(TTM_ACTIVATE, FALSE, 0);
        }
        RelayToTip(pMsg);
        m_nLastHit = nHit;
        m_lastInfo = info;
        m_lastInfo.ti.lpszText = NULL;
        m_lastInfo.lpszTitle = NULL;
        m_lastInfo.lpszDescription = NULL;
        if (nHit == -1)
            m_lastInfo.ti.cbSize = 0;
    }

    // 9.
    TKPFreeToolInfoTexts(&info.ti);
}

void CTKPToolTipManager::RelayToTip(MSG* pMsg)
{
    if (m_pToolTip == NULL || m_pToolTip->GetSafeHwnd() == NULL)
        return;
    MSG msg = *pMsg;
    POINT pt = msg.pt;
    HWND hWnd = reinterpret_cast<HWND>(m_pToolTip->SendMessage(TTM_WINDOWFROMPOINT, 0, reinterpret_cast<LPARAM>(&pt)));
    if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MBUTTONDBLCLK && hWnd != NULL) {
        POINT ptClient = msg.pt;
        ::ScreenToClient(hWnd, &ptClient);
        msg.lParam = MAKELPARAM(ptClient.x, ptClient.y);
        msg.hwnd = hWnd;
    }
    m_pToolTip->SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}
