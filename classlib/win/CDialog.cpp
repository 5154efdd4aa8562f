#include "classlib/win/CDialog.h"

#include "classlib/win/AfxThreadState.h"
#include "classlib/win/CWinApp.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
  ON_COMMAND(IDOK, OnOK)
  ON_COMMAND(IDCANCEL, OnCancel)
  ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
END_MESSAGE_MAP()

CDialog::CDialog()
    : m_nIDHelp(0),
      m_lpszTemplateName(NULL),
      m_hDialogTemplate(NULL),
      m_lpDialogTemplate(NULL),
      m_lpDialogInit(NULL),
      m_pParentWnd(NULL),
      m_hWndTop(NULL),
      m_nModalResult(-1),
      m_bInModalLoop(FALSE),
      m_bEndModal(FALSE) {}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : CDialog() {
  m_lpszTemplateName = MAKEINTRESOURCEW(nIDTemplate);
  m_nIDHelp = nIDTemplate;
  m_pParentWnd = pParentWnd;
}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd) : CDialog() {
  m_lpszTemplateName = lpszTemplateName;
  m_pParentWnd = pParentWnd;
}

CDialog::~CDialog() {
  if (m_hWnd != NULL) DestroyWindow();
}

INT_PTR CALLBACK AfxDlgProc(HWND, UINT message, WPARAM, LPARAM) {
  // WM_INITDIALOG's answer (set the focus) comes from the message map through the window
  // procedure; everything else is the default dialog behaviour.
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

BOOL CDialog::CreateFromTemplate(LPCDLGTEMPLATE lpTemplate, HWND hWndParent, HINSTANCE hInst) {
  if (lpTemplate == NULL || m_hWnd != NULL) return FALSE;
  AfxHookWindowCreate(this);
  HWND hWnd = ::CreateDialogIndirectParamW(hInst, lpTemplate, hWndParent, AfxDlgProc, 0);
  if (!AfxUnhookWindowCreate()) PostNcDestroy();
  if (hWnd == NULL) {
    if (m_hWnd != NULL) {
      // Creation failed after the object was attached: let go of the handle.
      Detach();
    }
    return FALSE;
  }
  return TRUE;
}

namespace {

LPCDLGTEMPLATE LoadDialogTemplate(LPCTSTR lpszTemplateName, HINSTANCE* phInst) {
  HINSTANCE hInst = AfxFindResourceHandle(lpszTemplateName, RT_DIALOG);
  HRSRC hResource = ::FindResourceW(hInst, lpszTemplateName, RT_DIALOG);
  if (hResource == NULL) return NULL;
  HGLOBAL hTemplate = ::LoadResource(hInst, hResource);
  if (hTemplate == NULL) return NULL;
  *phInst = hInst;
  return (LPCDLGTEMPLATE)::LockResource(hTemplate);
}

}  // namespace

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd) {
  m_lpszTemplateName = lpszTemplateName;
  if (IS_INTRESOURCE(lpszTemplateName) && m_nIDHelp == 0) m_nIDHelp = LOWORD((DWORD_PTR)lpszTemplateName);
  HINSTANCE hInst = NULL;
  LPCDLGTEMPLATE lpTemplate = LoadDialogTemplate(lpszTemplateName, &hInst);
  if (lpTemplate == NULL) return FALSE;
  if (pParentWnd == NULL) pParentWnd = AfxGetMainWnd();
  m_pParentWnd = pParentWnd;
  return CreateFromTemplate(lpTemplate, pParentWnd->GetSafeHwnd(), hInst);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
  return Create(MAKEINTRESOURCEW(nIDTemplate), pParentWnd);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit) {
  if (pParentWnd == NULL) pParentWnd = AfxGetMainWnd();
  m_pParentWnd = pParentWnd;
  m_lpDialogInit = lpDialogInit;
  return CreateFromTemplate(lpDialogTemplate, pParentWnd->GetSafeHwnd(), AfxGetInstanceHandle());
}

BOOL CDialog::CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd) {
  if (hDialogTemplate == NULL) return FALSE;
  LPCDLGTEMPLATE lpTemplate = (LPCDLGTEMPLATE)::GlobalLock(hDialogTemplate);
  BOOL bResult = CreateIndirect(lpTemplate, pParentWnd, NULL);
  ::GlobalUnlock(hDialogTemplate);
  return bResult;
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit) {
  m_lpDialogTemplate = lpDialogTemplate;
  m_pParentWnd = pParentWnd;
  m_lpDialogInit = lpDialogInit;
  return TRUE;
}

BOOL CDialog::InitModalIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd) {
  m_hDialogTemplate = hDialogTemplate;
  m_pParentWnd = pParentWnd;
  return TRUE;
}

INT_PTR CDialog::DoModal() {
  // The template: a resource, a handle, or memory.
  HINSTANCE hInst = AfxGetResourceHandle();
  LPCDLGTEMPLATE lpTemplate = m_lpDialogTemplate;
  HGLOBAL hLocked = NULL;
  if (m_lpszTemplateName != NULL) {
    lpTemplate = LoadDialogTemplate(m_lpszTemplateName, &hInst);
  } else if (m_hDialogTemplate != NULL) {
    hLocked = m_hDialogTemplate;
    lpTemplate = (LPCDLGTEMPLATE)::GlobalLock(hLocked);
  }
  if (lpTemplate == NULL) return -1;

  // The owner is disabled while the dialog runs.
  HWND hWndParent = CWnd::GetSafeOwner_(m_pParentWnd->GetSafeHwnd(), &m_hWndTop)->GetSafeHwnd();
  BOOL bEnableParent = FALSE;
  if (hWndParent != NULL && hWndParent != ::GetDesktopWindow() && ::IsWindowEnabled(hWndParent)) {
    ::EnableWindow(hWndParent, FALSE);
    bEnableParent = TRUE;
  }

  m_nModalResult = -1;
  m_bEndModal = FALSE;
  if (CreateFromTemplate(lpTemplate, hWndParent, hInst)) {
    // OnInitDialog may already have ended the dialog.
    if (!m_bEndModal) {
      DWORD dwStyle = GetStyle();
      if (!(dwStyle & WS_VISIBLE)) ShowWindow(SW_SHOWNORMAL);
      RunModalLoop(0);
    }
    if (m_hWnd != NULL) ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0,
                                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
  }
  if (bEnableParent) ::EnableWindow(hWndParent, TRUE);
  if (hWndParent != NULL && ::GetActiveWindow() == m_hWnd) ::SetActiveWindow(hWndParent);
  if (m_hWnd != NULL) DestroyWindow();
  if (m_hWndTop != NULL) ::EnableWindow(m_hWndTop, TRUE);
  m_hWndTop = NULL;
  if (hLocked != NULL) ::GlobalUnlock(hLocked);
  return m_nModalResult;
}

int CDialog::RunModalLoop(DWORD) {
  m_bInModalLoop = TRUE;
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  BOOL bIdle = TRUE;
  LONG lIdleCount = 0;
  MSG msg;
  while (!m_bEndModal) {
    while (bIdle && !m_bEndModal && !::PeekMessageW(&msg, NULL, 0, 0, PM_NOREMOVE)) {
      // Idle time of the dialog: its controls and its owner update their commands once.
      if (m_hWnd != NULL && ::IsWindow(m_hWnd))
        ::SendMessageW(m_hWnd, WM_KICKIDLE, MSGF_DIALOGBOX, lIdleCount);
      if (lIdleCount++ > 0) bIdle = FALSE;
    }
    if (m_bEndModal) break;
    BOOL bRet = ::GetMessageW(&pState->m_msgCur, NULL, 0, 0);
    if (bRet == 0) {
      // WM_QUIT: pass it on to the outer loop and end the dialog.
      ::PostQuitMessage((int)pState->m_msgCur.wParam);
      if (m_nModalResult == -1) m_nModalResult = IDCANCEL;
      break;
    }
    if (bRet == -1) break;
    MSG& cur = pState->m_msgCur;
    CWinThread* pThread = AfxGetThread();
    BOOL bHandled = FALSE;
    if (cur.hwnd != NULL && CWnd::WalkPreTranslateTree(m_hWnd, &cur)) bHandled = TRUE;
    if (!bHandled && cur.hwnd == NULL && pThread != NULL && pThread->DispatchThreadMessageEx(&cur))
      bHandled = TRUE;
    if (!bHandled) {
      ::TranslateMessage(&cur);
      ::DispatchMessageW(&cur);
    }
    if (pThread != NULL && pThread->IsIdleMessage(&cur)) {
      bIdle = TRUE;
      lIdleCount = 0;
    }
    if (m_hWnd == NULL || !::IsWindow(m_hWnd)) break;  // destroyed under us
  }
  m_bInModalLoop = FALSE;
  return m_nModalResult;
}

BOOL CDialog::ContinueModal() { return m_bInModalLoop && !m_bEndModal; }

void CDialog::EndModalLoop(int nResult) {
  m_nModalResult = nResult;
  m_bEndModal = TRUE;
  ::PostMessageW(m_hWnd, WM_NULL, 0, 0);  // wake the loop
}

void CDialog::EndDialog(int nResult) {
  if (m_hWnd == NULL) return;
  m_nModalResult = nResult;
  m_bEndModal = TRUE;
  if (m_bInModalLoop) {
    EndModalLoop(nResult);
  } else {
    ::ShowWindow(m_hWnd, SW_HIDE);  // a modeless dialog only hides
  }
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) {
  Default();  // the system's own set-up first
  return OnInitDialog();
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;  // the system sets the focus
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;  // the failing control has the focus and the dialog stays
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::NextDlgCtrl() const { ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
void CDialog::PrevDlgCtrl() const { ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, 1, 0); }
void CDialog::GotoDlgCtrl(CWnd* pWndCtrl) {
  if (pWndCtrl != NULL && pWndCtrl->m_hWnd != NULL)
    ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, (WPARAM)pWndCtrl->m_hWnd, 1L);
}
void CDialog::SetDefID(UINT nID) { ::SendMessageW(m_hWnd, DM_SETDEFID, nID, 0); }
DWORD CDialog::GetDefID() const { return (DWORD)::SendMessageW(m_hWnd, DM_GETDEFID, 0, 0); }
void CDialog::MapDialogRect(LPRECT lpRect) const { ::MapDialogRect(m_hWnd, lpRect); }

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
  if (CWnd::PreTranslateMessage(pMsg)) return TRUE;
  // Keyboard navigation of the dialog (Tab, arrows, Enter, Escape, mnemonics).
  if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hWnd != NULL &&
      (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd)))
    return ::IsDialogMessageW(m_hWnd, pMsg);
  return FALSE;
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  // Only commands and their updates go on to the owner and the thread.
  if ((UINT)nCode != CN_COMMAND && (UINT)nCode != CN_UPDATE_COMMAND_UI) return FALSE;
  CWnd* pOwner = GetParent();
  if (pOwner != NULL && pOwner->m_hWnd != NULL && FromHandlePermanent(pOwner->m_hWnd) == pOwner &&
      pOwner->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
    return TRUE;
  CWinThread* pThread = AfxGetThread();
  return pThread != NULL && pThread->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
