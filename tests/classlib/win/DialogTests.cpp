// Dialogs from in-memory templates: data exchange in both directions, validation that keeps a
// modal dialog open, and modeless dialogs.
#include <gtest/gtest.h>

#include "tests/classlib/win/TestSupport.h"

namespace {

const WORD kButton = 0x0080, kEdit = 0x0081;
const int IDC_NAME = 100, IDC_COUNT = 101, IDC_FLAG = 102, IDC_CHOICE = 103;

DialogTemplateBuilder MakeTemplate(DWORD style) {
  DialogTemplateBuilder b(style | WS_POPUP | WS_CAPTION | DS_MODALFRAME, 200, 120, L"Exchange");
  b.AddItem(IDC_NAME, kEdit, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 5, 5, 100, 12, L"");
  b.AddItem(IDC_COUNT, kEdit, WS_BORDER | WS_TABSTOP, 5, 20, 40, 12, L"");
  b.AddItem(IDC_FLAG, kButton, BS_AUTOCHECKBOX | WS_TABSTOP, 5, 35, 60, 10, L"Flag");
  b.AddItem(IDC_CHOICE, kButton, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 5, 50, 50, 10, L"A");
  b.AddItem(IDC_CHOICE + 1, kButton, BS_AUTORADIOBUTTON, 5, 62, 50, 10, L"B");
  b.AddItem(IDC_CHOICE + 2, kButton, BS_AUTORADIOBUTTON, 5, 74, 50, 10, L"C");
  b.AddItem(IDOK, kButton, BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, 100, 95, 40, 14, L"OK");
  b.AddItem(IDCANCEL, kButton, BS_PUSHBUTTON | WS_TABSTOP, 150, 95, 40, 14, L"Cancel");
  return b;
}

class CExchangeDlg : public CDialog {
 public:
  CString m_strName = L"initial";
  int m_nCount = 3;
  int m_bFlag = 1;
  int m_nChoice = 2;
  int m_nInitDialog = 0;

  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Text(pDX, IDC_NAME, m_strName);
    DDV_MaxChars(pDX, m_strName, 20);
    DDX_Text(pDX, IDC_COUNT, m_nCount);
    DDV_MinMaxInt(pDX, m_nCount, 1, 10);
    DDX_Check(pDX, IDC_FLAG, m_bFlag);
    DDX_Radio(pDX, IDC_CHOICE, m_nChoice);
  }
  BOOL OnInitDialog() override {
    m_nInitDialog++;
    return CDialog::OnInitDialog();
  }
  CString Text(int nID) {
    CString s;
    GetDlgItemText(nID, s);
    return s;
  }
};

TEST(DialogTest, DataExchangeRoundTripOnAModelessDialog) {
  ResetMessageLog();
  DialogTemplateBuilder tmpl = MakeTemplate(0);
  CExchangeDlg dlg;
  ASSERT_TRUE(dlg.CreateIndirect(tmpl.Get(), NULL));
  EXPECT_EQ(dlg.m_nInitDialog, 1);
  EXPECT_EQ(CWnd::FromHandlePermanent(dlg.m_hWnd), &dlg);

  // Members to controls (done by OnInitDialog).
  EXPECT_STREQ((LPCTSTR)dlg.Text(IDC_NAME), L"initial");
  EXPECT_STREQ((LPCTSTR)dlg.Text(IDC_COUNT), L"3");
  EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_FLAG), 1u);
  EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_CHOICE + 2), 1u);
  EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_CHOICE), 0u);

  // Controls to members.
  dlg.SetDlgItemText(IDC_NAME, L"changed");
  dlg.SetDlgItemText(IDC_COUNT, L" 7 ");
  dlg.CheckDlgButton(IDC_FLAG, 0);
  dlg.CheckRadioButton(IDC_CHOICE, IDC_CHOICE + 2, IDC_CHOICE);
  EXPECT_TRUE(dlg.UpdateData(TRUE));
  EXPECT_STREQ((LPCTSTR)dlg.m_strName, L"changed");
  EXPECT_EQ(dlg.m_nCount, 7);
  EXPECT_EQ(dlg.m_bFlag, 0);
  EXPECT_EQ(dlg.m_nChoice, 0);
  EXPECT_TRUE(ReadMessageLog().empty());

  // Failing validation leaves the member, tells why, and puts the focus on the control.
  dlg.SetDlgItemText(IDC_COUNT, L"11");
  EXPECT_FALSE(dlg.UpdateData(TRUE));
  EXPECT_EQ(::GetFocus(), dlg.GetDlgItem(IDC_COUNT)->m_hWnd);
  dlg.SetDlgItemText(IDC_COUNT, L"12abc");
  EXPECT_FALSE(dlg.UpdateData(TRUE));
  dlg.SetDlgItemText(IDC_COUNT, L"99999999999999999999");
  EXPECT_FALSE(dlg.UpdateData(TRUE));
  std::vector<std::wstring> log = ReadMessageLog();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0], L"plain\tPlease enter an integer between 1 and 10.");
  EXPECT_EQ(log[1], L"plain\tPlease enter an integer.");

  EXPECT_TRUE(dlg.DestroyWindow());
  EXPECT_EQ(dlg.m_hWnd, (HWND)NULL);
}

const UINT WM_DRIVE = WM_APP + 30;

// Presses OK with a bad count, checks the dialog is still there, then fixes it and presses again.
class CDrivenDlg : public CExchangeDlg {
 public:
  int m_nStage = 0;
  bool m_bOpenAfterBadOK = false;
  BOOL OnInitDialog() override {
    CExchangeDlg::OnInitDialog();
    SetDlgItemText(IDC_COUNT, L"0");
    PostMessage(WM_COMMAND, IDOK);
    PostMessage(WM_DRIVE);
    return TRUE;
  }
  afx_msg LRESULT OnDrive(WPARAM, LPARAM) {
    m_bOpenAfterBadOK = ::IsWindowVisible(m_hWnd) && ContinueModal();
    SetDlgItemText(IDC_COUNT, L"5");
    SetDlgItemText(IDC_NAME, L"done");
    PostMessage(WM_COMMAND, IDOK);
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CDrivenDlg, CExchangeDlg)
  ON_MESSAGE(WM_DRIVE, OnDrive)
END_MESSAGE_MAP()

TEST(DialogTest, ModalDialogStaysOpenWhileValidationFails) {
  ResetMessageLog();
  CWnd owner;
  ASSERT_TRUE(owner.CreateEx(0, NULL, L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 200, NULL, NULL));
  DialogTemplateBuilder tmpl = MakeTemplate(0);
  CDrivenDlg dlg;
  dlg.InitModalIndirect(tmpl.Get(), &owner);
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_TRUE(dlg.m_bOpenAfterBadOK);
  EXPECT_EQ(dlg.m_nCount, 5);
  EXPECT_STREQ((LPCTSTR)dlg.m_strName, L"done");
  EXPECT_EQ(dlg.m_hWnd, (HWND)NULL);
  EXPECT_TRUE(owner.IsWindowEnabled());  // the owner is given back
  EXPECT_EQ(ReadMessageLog(), std::vector<std::wstring>{L"plain\tPlease enter an integer between 1 and 10."});
  owner.DestroyWindow();
}

class CCancelDlg : public CExchangeDlg {
 public:
  BOOL OnInitDialog() override {
    CExchangeDlg::OnInitDialog();
    SetDlgItemText(IDC_COUNT, L"0");  // invalid, but Cancel does not validate
    PostMessage(WM_COMMAND, IDCANCEL);
    return TRUE;
  }
};

TEST(DialogTest, CancelEndsTheDialogWithoutTakingValues) {
  DialogTemplateBuilder tmpl = MakeTemplate(0);
  CCancelDlg dlg;
  dlg.InitModalIndirect(tmpl.Get(), NULL);
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(dlg.m_nCount, 3);
}

TEST(DialogTest, ModalDialogWithoutTemplateFails) {
  CDialog dlg;
  EXPECT_EQ(dlg.DoModal(), -1);
  CDialog missing(4321);
  EXPECT_EQ(missing.DoModal(), -1);
  EXPECT_FALSE(missing.Create(4321));
}

TEST(DialogTest, ModelessDialogsRouteCommandsToTheirOwner) {
  class COwner : public CWnd {
   public:
    int m_nCommands = 0;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pInfo) override {
      if (nID == 4000 && nCode == CN_COMMAND && pInfo == NULL) {
        m_nCommands++;
        return TRUE;
      }
      return CWnd::OnCmdMsg(nID, nCode, pExtra, pInfo);
    }
  } owner;
  ASSERT_TRUE(owner.CreateEx(0, NULL, L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, NULL, NULL));
  DialogTemplateBuilder tmpl = MakeTemplate(WS_VISIBLE);
  CExchangeDlg first, second;
  ASSERT_TRUE(first.CreateIndirect(tmpl.Get(), &owner));
  ASSERT_TRUE(second.CreateIndirect(tmpl.Get(), &owner));
  EXPECT_NE(first.m_hWnd, second.m_hWnd);
  EXPECT_TRUE(first.IsWindowVisible());
  first.SendMessage(WM_COMMAND, 4000);
  second.SendMessage(WM_COMMAND, 4000);
  EXPECT_EQ(owner.m_nCommands, 2);
  // EndDialog on a modeless dialog only hides it.
  first.EndDialog(IDOK);
  EXPECT_FALSE(first.IsWindowVisible());
  EXPECT_TRUE(::IsWindow(first.m_hWnd));
  first.DestroyWindow();
  second.DestroyWindow();
  owner.DestroyWindow();
}

// Controls whose state comes from update handlers, as the idle pass of a bar or dialog sets it.
class CUpdatedDlg : public CDialog {
 public:
  afx_msg void OnUpdateDisabled(CCmdUI* pCmdUI) {
    pCmdUI->Enable(FALSE);
    pCmdUI->SetText(L"renamed");
  }
  afx_msg void OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CUpdatedDlg, CDialog)
  ON_UPDATE_COMMAND_UI(5002, OnUpdateDisabled)
  ON_UPDATE_COMMAND_UI(5004, OnUpdateChecked)
END_MESSAGE_MAP()

TEST(DialogTest, UpdateDialogControlsAppliesUpdateHandlersToControls) {
  DialogTemplateBuilder tmpl(WS_POPUP | WS_CAPTION, 200, 100, L"Updates");
  tmpl.AddItem(IDOK, kButton, BS_PUSHBUTTON, 5, 5, 40, 14, L"OK");
  tmpl.AddItem(5001, kButton, BS_PUSHBUTTON, 5, 20, 40, 14, L"No handler");
  tmpl.AddItem(5002, kButton, BS_PUSHBUTTON, 5, 35, 40, 14, L"Disabled");
  tmpl.AddItem(5003, kButton, BS_AUTOCHECKBOX, 5, 50, 40, 10, L"Free box");
  tmpl.AddItem(5004, kButton, BS_AUTOCHECKBOX, 5, 62, 40, 10, L"Checked box");
  CUpdatedDlg dlg;
  ASSERT_TRUE(dlg.CreateIndirect(tmpl.Get(), NULL));
  dlg.UpdateDialogControls(&dlg, TRUE);
  EXPECT_TRUE(dlg.GetDlgItem(IDOK)->IsWindowEnabled());
  EXPECT_FALSE(dlg.GetDlgItem(5001)->IsWindowEnabled());  // a push button nobody handles
  EXPECT_FALSE(dlg.GetDlgItem(5002)->IsWindowEnabled());
  EXPECT_TRUE(dlg.GetDlgItem(5003)->IsWindowEnabled());   // automatic boxes are left alone
  EXPECT_EQ(dlg.IsDlgButtonChecked(5004), 1u);
  CString text;
  dlg.GetDlgItemText(5002, text);
  EXPECT_STREQ((LPCTSTR)text, L"renamed");
  // Without auto-disabling, only the handlers decide.
  dlg.GetDlgItem(5001)->EnableWindow(TRUE);
  dlg.UpdateDialogControls(&dlg, FALSE);
  EXPECT_TRUE(dlg.GetDlgItem(5001)->IsWindowEnabled());
  EXPECT_FALSE(dlg.GetDlgItem(5002)->IsWindowEnabled());
  dlg.DestroyWindow();
}

}  // namespace
