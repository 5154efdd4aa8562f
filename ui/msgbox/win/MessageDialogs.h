#pragma once
// The two dialogs of the message channel. A caller sets g_strMessageText, constructs one of them,
// sets g_nMessageKind (1 information, 2 error, 3 question) and calls DoModal. The kinds 1-3 are
// shown by the rich message box; any other kind shows dialog 204 itself: the text, the kind's icon
// and the skinned background panel, whose shape is the window's.

#include "classlib/win/AfxWin.h"
#include "res/messages.h"
#include "ui/controls/win/TransparentStatic.h"
#include "ui/msgbox/win/MessageChannel.h"

namespace morvick::ui {

// Dialog 204 with the message text, the kind's icon, the background bitmap painted on erase and
// the window region cut from that bitmap (key colour green).
class CMessageDialogBase : public CDialog {
 public:
  enum { IDD = IDD_MESSAGE };
  static constexpr COLORREF kRegionKey = RGB(0, 255, 0);
  // The text colour of the program's skinned dialogs.
  static constexpr COLORREF kTextColour = 0xBD751D;

  ~CMessageDialogBase() override;

  // Shows g_strMessageText with the icon of g_nMessageKind in dialog 204 (on the user-interface
  // thread, see RunOnMessageThread) and returns the dialog's result. DoModal does this for a kind
  // outside 1-3.
  INT_PTR DoModalTemplate();

  // The icon resource of a kind: 219 information, 218 error, 220 question; 0 for any other kind.
  static UINT IconIdOf(int kind);
  HBITMAP Background() const { return static_cast<HBITMAP>(m_background.GetSafeHandle()); }
  HRGN Region() const { return static_cast<HRGN>(m_region.GetSafeHandle()); }

 protected:
  explicit CMessageDialogBase(CWnd* pParent);
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  // The icon and the text lie on the panel: no background of their own, the text in kTextColour.
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);

  CStatic m_icon;
  CTransparentStatic m_text;
  CBitmap m_background;
  CRgn m_region;

 private:
  // The message as the caller set it on its own thread, for the dialog that may run on another.
  CString m_strShownText;
  int m_nShownKind = 0;

  DECLARE_MESSAGE_MAP()
};

// Informs: one OK button. DoModal returns the box's result (IDOK).
class CMessageDlg : public CMessageDialogBase {
 public:
  explicit CMessageDlg(CWnd* pParent = NULL);
  INT_PTR DoModal() override;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  CButton m_ok;
};

// Asks a yes/no question: DoModal returns IDOK (1) for Yes and IDCANCEL (2) for anything else.
class CConfirmDlg : public CMessageDialogBase {
 public:
  explicit CConfirmDlg(CWnd* pParent = NULL);
  INT_PTR DoModal() override;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  CButton m_cancel;
  CButton m_ok;
};

}  // namespace morvick::ui
