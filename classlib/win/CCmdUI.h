// CCmdUI: the state of one command's user interface (menu item, bar button, dialog control) while
// update handlers decide whether it is enabled, checked or what it reads.
#pragma once

#include "classlib/win/CCmdTarget.h"

class CMenu;
class CWnd;

class CCmdUI {
 public:
  CCmdUI();
  virtual ~CCmdUI() = default;

  UINT m_nID;
  UINT m_nIndex;        // menu item or bar button index
  CMenu* m_pMenu;       // menu being updated, or NULL
  CMenu* m_pSubMenu;    // sub-menu the item opens, or NULL
  CMenu* m_pParentMenu; // menu that opened m_pMenu, when known
  CWnd* m_pOther;       // control or bar being updated, or NULL
  BOOL m_bEnableChanged;
  BOOL m_bContinueRouting;
  UINT m_nIndexMax;

  virtual void Enable(BOOL bOn = TRUE);
  virtual void SetCheck(int nCheck = 1);  // 0 clear, 1 checked, 2 indeterminate
  virtual void SetRadio(BOOL bOn = TRUE);
  virtual void SetText(LPCTSTR lpszText);

  // Lets the next target in the route handle the update too.
  void ContinueRouting() { m_bContinueRouting = TRUE; }

  // Runs the update handlers of pTarget; when none changed the enabled state and there is no
  // command handler either, the item is disabled if bDisableIfNoHndler.
  BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
};

// Records what update handlers decided without touching any window; CWnd::OnCommand uses it to
// refuse a command that has become disabled.
class CTestCmdUI : public CCmdUI {
 public:
  CTestCmdUI() : m_bEnabled(TRUE), m_nCheck(-1) {}
  void Enable(BOOL bOn) override { m_bEnabled = bOn; m_bEnableChanged = TRUE; }
  void SetCheck(int nCheck) override { m_nCheck = nCheck; }
  void SetRadio(BOOL bOn) override { m_nCheck = bOn ? 1 : 0; }
  void SetText(LPCTSTR lpszText) override { m_strText = lpszText; }
  BOOL m_bEnabled;
  int m_nCheck;
  CString m_strText;
};

// Runs pTarget's update handlers for every item of the popup menu hMenu (a sub-menu by its first
// item). With bAutoMenuEnable, commands below 0xF000 without any handler are disabled.
void AFXAPI AfxUpdateMenuItems(CCmdTarget* pTarget, HMENU hMenu, BOOL bAutoMenuEnable);
