// CDialog: a dialog box from a resource or an in-memory template, modal (with its own message
// loop that offers messages to PreTranslateMessage) or modeless.
#pragma once

#include "classlib/win/CWnd.h"

class CDialog : public CWnd {
  DECLARE_DYNAMIC(CDialog)
 public:
  CDialog();
  explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);
  explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = NULL);
  virtual ~CDialog();

  // Modeless
  virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = NULL);
  virtual BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = NULL);
  virtual BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = NULL,
                              void* lpDialogInit = NULL);
  virtual BOOL CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd = NULL);

  // Modal
  BOOL InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = NULL,
                         void* lpDialogInit = NULL);
  BOOL InitModalIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd = NULL);
  virtual INT_PTR DoModal();
  // Ends a modal dialog with nResult (DoModal returns it); a modeless one is hidden.
  void EndDialog(int nResult);

  virtual BOOL OnInitDialog();  // exchanges data into the controls (UpdateData(FALSE))
  virtual void OnSetFont(CFont* pFont) {}
  virtual void OnOK();          // UpdateData(TRUE), then EndDialog(IDOK) when it succeeded
  virtual void OnCancel();      // EndDialog(IDCANCEL)

  void NextDlgCtrl() const;
  void PrevDlgCtrl() const;
  void GotoDlgCtrl(CWnd* pWndCtrl);
  void SetDefID(UINT nID);
  DWORD GetDefID() const;
  void MapDialogRect(LPRECT lpRect) const;

  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

  // Runs the modal loop until EndDialog; dwFlags unused.
  int RunModalLoop(DWORD dwFlags = 0);
  BOOL ContinueModal();
  void EndModalLoop(int nResult);

  UINT m_nIDHelp;
  LPCTSTR m_lpszTemplateName;
  HGLOBAL m_hDialogTemplate;
  LPCDLGTEMPLATE m_lpDialogTemplate;
  void* m_lpDialogInit;
  CWnd* m_pParentWnd;
  HWND m_hWndTop;
  int m_nModalResult;

 protected:
  BOOL CreateFromTemplate(LPCDLGTEMPLATE lpTemplate, HWND hWndParent, HINSTANCE hInst);
  BOOL m_bInModalLoop;
  BOOL m_bEndModal;

  afx_msg LRESULT HandleInitDialog(WPARAM, LPARAM);

  DECLARE_MESSAGE_MAP()
};

// The dialog procedure of every CDialog: it leaves everything to the window's message map.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
