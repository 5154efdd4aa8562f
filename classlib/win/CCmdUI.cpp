#include "classlib/win/CCmdUI.h"

#include "classlib/win/CWnd.h"

CCmdUI::CCmdUI()
    : m_nID(0),
      m_nIndex(0),
      m_pMenu(NULL),
      m_pSubMenu(NULL),
      m_pParentMenu(NULL),
      m_pOther(NULL),
      m_bEnableChanged(FALSE),
      m_bContinueRouting(FALSE),
      m_nIndexMax(0) {}

void CCmdUI::Enable(BOOL bOn) {
  if (m_pMenu != NULL) {
    if (m_pSubMenu != NULL) return;  // a popup's own item is left alone
    HMENU hMenu = AfxGetMenuHandle(m_pMenu);
    if (hMenu != NULL)
      ::EnableMenuItem(hMenu, m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
  } else if (m_pOther != NULL && m_pOther->m_hWnd != NULL) {
    // Move the focus on before disabling the control that has it.
    if (!bOn && ::GetFocus() == m_pOther->m_hWnd) {
      HWND hWndParent = ::GetParent(m_pOther->m_hWnd);
      if (hWndParent != NULL) ::SendMessageW(hWndParent, WM_NEXTDLGCTL, 0, FALSE);
    }
    ::EnableWindow(m_pOther->m_hWnd, bOn);
  }
  m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck) {
  if (m_pMenu != NULL) {
    if (m_pSubMenu != NULL) return;
    HMENU hMenu = AfxGetMenuHandle(m_pMenu);
    if (hMenu != NULL)
      ::CheckMenuItem(hMenu, m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
  } else if (m_pOther != NULL && m_pOther->m_hWnd != NULL) {
    if (::SendMessageW(m_pOther->m_hWnd, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON)
      ::SendMessageW(m_pOther->m_hWnd, BM_SETCHECK, (WPARAM)nCheck, 0);
  }
}

void CCmdUI::SetRadio(BOOL bOn) {
  if (m_pMenu != NULL && m_pSubMenu == NULL) {
    HMENU hMenu = AfxGetMenuHandle(m_pMenu);
    if (hMenu != NULL) {
      MENUITEMINFOW mii = {sizeof(mii)};
      mii.fMask = MIIM_FTYPE;
      if (::GetMenuItemInfoW(hMenu, m_nIndex, TRUE, &mii)) {
        mii.fType = bOn ? (mii.fType | MFT_RADIOCHECK) : (mii.fType & ~MFT_RADIOCHECK);
        ::SetMenuItemInfoW(hMenu, m_nIndex, TRUE, &mii);
      }
    }
  }
  SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(LPCTSTR lpszText) {
  if (lpszText == NULL) lpszText = L"";
  if (m_pMenu != NULL) {
    if (m_pSubMenu != NULL) return;
    HMENU hMenu = AfxGetMenuHandle(m_pMenu);
    if (hMenu != NULL) {
      UINT nState = ::GetMenuState(hMenu, m_nIndex, MF_BYPOSITION) &
                    (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_MENUBARBREAK | MF_MENUBREAK);
      ::ModifyMenuW(hMenu, m_nIndex, MF_BYPOSITION | MF_STRING | nState, m_nID, lpszText);
    }
  } else if (m_pOther != NULL && m_pOther->m_hWnd != NULL) {
    // Only a real change is written, so that the control does not flicker every idle pass.
    CString strOld;
    m_pOther->GetWindowText(strOld);
    if (lstrcmpW(strOld, lpszText) != 0) ::SetWindowTextW(m_pOther->m_hWnd, lpszText);
  }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
  if (m_nID == 0 || LOWORD(m_nID) == 0xFFFF) return TRUE;  // separators and the like
  m_bEnableChanged = FALSE;
  BOOL bResult = pTarget->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, NULL);
  if (bDisableIfNoHndler && !m_bEnableChanged) {
    AFX_CMDHANDLERINFO info;
    info.pTarget = NULL;
    BOOL bHandler = pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info);
    Enable(bHandler);
  }
  return bResult;
}

void AFXAPI AfxUpdateMenuItems(CCmdTarget* pTarget, HMENU hMenu, BOOL bAutoMenuEnable) {
  if (hMenu == NULL || !::IsMenu(hMenu)) return;
  CCmdUI state;
  state.m_pMenu = AfxMenuFromHandle(hMenu);
  if (state.m_pMenu == NULL) return;  // updates need the menu wrapper
  state.m_nIndexMax = (UINT)::GetMenuItemCount(hMenu);
  for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
    state.m_nID = ::GetMenuItemID(hMenu, (int)state.m_nIndex);
    if (state.m_nID == 0) continue;  // separator
    if (state.m_nID == (UINT)-1) {
      // A popup: its item follows the first command inside it, and is never disabled for lack
      // of a handler.
      HMENU hSub = ::GetSubMenu(hMenu, (int)state.m_nIndex);
      state.m_pSubMenu = AfxMenuFromHandle(hSub);
      if (hSub == NULL || (state.m_nID = ::GetMenuItemID(hSub, 0)) == 0 || state.m_nID == (UINT)-1) continue;
      state.DoUpdate(pTarget, FALSE);
    } else {
      state.m_pSubMenu = NULL;
      state.DoUpdate(pTarget, bAutoMenuEnable && state.m_nID < 0xF000);
    }
    // Handlers may have added or removed items.
    UINT nCount = (UINT)::GetMenuItemCount(hMenu);
    if (nCount < state.m_nIndexMax) {
      state.m_nIndex -= (state.m_nIndexMax - nCount);
      while (state.m_nIndex < nCount && ::GetMenuItemID(hMenu, (int)state.m_nIndex) == state.m_nID)
        state.m_nIndex++;
    }
    state.m_nIndexMax = nCount;
  }
}
