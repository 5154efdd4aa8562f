#include "toolkit/commandbars/EditAutoComplete.h"

#include "toolkit/commandbars/KeyboardTracker.h"
#include "toolkit/commandbars/MouseTracker.h"

HHOOK CTKPEditAutoComplete::s_hHook = NULL;
CTKPEditAutoComplete* CTKPEditAutoComplete::s_pHookOwner = NULL;
CTKPEditAutoComplete::AutoCompleteFunction CTKPEditAutoComplete::s_pfnAutoComplete = NULL;

CTKPEditAutoComplete::CTKPEditAutoComplete(HWND hWndEdit)
    : m_hWndDropDown(NULL), m_hWndEdit(hWndEdit), m_bSinkRegistered(FALSE)
{}

CTKPEditAutoComplete::~CTKPEditAutoComplete()
{
    SetFocused(FALSE);
    m_hWndDropDown = NULL;
}

HRESULT CTKPEditAutoComplete::Attach(DWORD dwFlags)
{
    if (s_pfnAutoComplete != NULL)
        return s_pfnAutoComplete(m_hWndEdit, dwFlags);
    HMODULE hShlwapi = ::LoadLibraryW(L"shlwapi.dll");
    if (hShlwapi == NULL)
        return E_FAIL;
    HRESULT hr = E_FAIL;
    AutoCompleteFunction pfn = reinterpret_cast<AutoCompleteFunction>(::GetProcAddress(hShlwapi, "SHAutoComplete"));
    if (pfn != NULL)
        hr = pfn(m_hWndEdit, dwFlags);
    ::FreeLibrary(hShlwapi);
    return hr;
}

void CTKPEditAutoComplete::SetFocused(BOOL bFocused)
{
    if (bFocused) {
        InstallHook();
        if (!m_bSinkRegistered) {
            CTKPKeyboardTracker::GetThreadTracker()->SetupHook(this);
            m_bSinkRegistered = TRUE;
        }
        return;
    }
    RemoveHook();
    if (m_bSinkRegistered) {
        CTKPKeyboardTracker::GetThreadTracker()->RemoveHook(this);
        m_bSinkRegistered = FALSE;
    }
}

void CTKPEditAutoComplete::InstallHook()
{
    // One hook in the process; the object that installed it owns it.
    if (s_hHook != NULL)
        return;
    s_hHook = ::SetWindowsHookExW(WH_CALLWNDPROC, CallWndProc, NULL, ::GetCurrentThreadId());
    if (s_hHook != NULL)
        s_pHookOwner = this;
}

void CTKPEditAutoComplete::RemoveHook()
{
    if (s_pHookOwner != this)
        return;
    if (s_hHook != NULL)
        ::UnhookWindowsHookEx(s_hHook);
    s_hHook = NULL;
    s_pHookOwner = NULL;
}

LRESULT CALLBACK CTKPEditAutoComplete::CallWndProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    const HHOOK hHook = s_hHook;
    if (nCode == HC_ACTION && s_pHookOwner != NULL) {
        const CWPSTRUCT* pMsg = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (pMsg->message == WM_WINDOWPOSCHANGING)
            s_pHookOwner->OnWindowPosChanging(pMsg->hwnd, reinterpret_cast<const WINDOWPOS*>(pMsg->lParam));
    }
    return ::CallNextHookEx(hHook, nCode, wParam, lParam);
}

void CTKPEditAutoComplete::OnWindowPosChanging(HWND hWnd, const WINDOWPOS* pPos)
{
    if (pPos == NULL)
        return;
    if ((pPos->flags & SWP_SHOWWINDOW) && hWnd != m_hWndDropDown) {
        WCHAR szClass[64] = {};
        ::GetClassNameW(hWnd, szClass, 64);
        if (lstrcmpW(szClass, L"Auto-Suggest Dropdown") == 0) {
            m_hWndDropDown = hWnd;
            CTKPMouseTracker::GetThreadTracker()->AddCompanionWindow(hWnd);
            ::PostMessageW(m_hWndEdit, TKPM_AUTOCOMPLETESHOWN, 0, 0);
        }
    } else if ((pPos->flags & SWP_HIDEWINDOW) && hWnd == m_hWndDropDown) {
        CTKPMouseTracker::GetThreadTracker()->RemoveCompanionWindow(hWnd);
        m_hWndDropDown = NULL;
    }
}

BOOL CTKPEditAutoComplete::ProcessKey(UINT nChar)
{
    if (m_hWndDropDown == NULL || !::IsWindowVisible(m_hWndDropDown) || ::GetKeyState(VK_MENU) < 0)
        return FALSE;
    if (nChar != VK_UP && nChar != VK_DOWN && nChar != VK_PRIOR && nChar != VK_NEXT)
        return FALSE;
    // The list is the last child of the drop-down's first child (the drop-down's own last child
    // is its size grip).
    HWND hFirst = ::GetWindow(m_hWndDropDown, GW_CHILD);
    HWND hInner = hFirst != NULL ? ::GetWindow(hFirst, GW_CHILD) : NULL;
    HWND hList = hInner != NULL ? ::GetWindow(hInner, GW_HWNDLAST) : NULL;
    if (hList == NULL)
        return FALSE;
    MSG msg = {hList, WM_KEYDOWN, nChar, 0, 0, {0, 0}};
    return ::IsDialogMessageW(hList, &msg);
}

int CTKPEditAutoComplete::OnHookMessage(HWND, UINT nMessage, WPARAM& wParam, LPARAM&, LRESULT&)
{
    if (m_hWndDropDown == NULL || !::IsWindowVisible(m_hWndDropDown))
        return hookNotHandled;
    if (nMessage == WM_MOUSEWHEEL)
        return hookPass;
    if (nMessage == WM_KEYDOWN && ProcessKey((UINT)wParam))
        return hookHandled;
    return hookNotHandled;
}
