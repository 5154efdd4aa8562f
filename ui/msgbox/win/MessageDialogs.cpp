#include "ui/msgbox/win/MessageDialogs.h"

#include <string>

#include "ui/msgbox/win/BitmapRegion.h"

namespace morvick::ui {

namespace {

std::wstring ToStd(const CString& s) { return std::wstring(s.GetString(), s.GetLength()); }

bool IsBoxKind(int kind) { return kind >= 1 && kind <= 3; }

}  // namespace

BEGIN_MESSAGE_MAP(CMessageDialogBase, CDialog)
  ON_WM_ERASEBKGND()
  ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CMessageDialogBase::CMessageDialogBase(CWnd* pParent) : CDialog(IDD, pParent) {
  if (m_background.LoadBitmap(IDB_MESSAGE_BACKGROUND)) {
    HRGN region = CreateRegionFromBitmap(Background(), kRegionKey, 0);
    if (region) m_region.Attach(region);
  }
}

CMessageDialogBase::~CMessageDialogBase() = default;

UINT CMessageDialogBase::IconIdOf(int kind) {
  switch (kind) {
    case 1: return IDI_MESSAGE_INFORMATION;
    case 2: return IDI_MESSAGE_ERROR;
    case 3: return IDI_MESSAGE_QUESTION;
    default: return 0;
  }
}

INT_PTR CMessageDialogBase::DoModalTemplate() {
  m_strShownText = g_strMessageText.Get();
  m_nShownKind = g_nMessageKind;
  CWnd* const givenParent = m_pParentWnd;
  return RunOnMessageThread([&](HWND owner) {
    if (givenParent == nullptr && owner != nullptr) m_pParentWnd = CWnd::FromHandle(owner);
    const INT_PTR result = CDialog::DoModal();
    m_pParentWnd = givenParent;
    return static_cast<int>(result);
  });
}

void CMessageDialogBase::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_MESSAGE_ICON, m_icon);
  DDX_Control(pDX, IDC_MESSAGE_TEXT, m_text);
}

BOOL CMessageDialogBase::OnInitDialog() {
  CDialog::OnInitDialog();
  m_text.SetWindowText(m_strShownText);
  if (const UINT id = IconIdOf(m_nShownKind)) {
    // Shared icons belong to the module: nothing to destroy.
    HICON icon = static_cast<HICON>(::LoadImageW(AfxFindResourceHandle(MAKEINTRESOURCEW(id), RT_GROUP_ICON),
                                                 MAKEINTRESOURCEW(id), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    if (icon) m_icon.SetIcon(icon);
  }
  if (Region()) {
    // The window takes the region it is given; the dialog keeps its own for its lifetime.
    HRGN shape = ::CreateRectRgn(0, 0, 0, 0);
    if (shape && (::CombineRgn(shape, Region(), nullptr, RGN_COPY) == ERROR || !::SetWindowRgn(m_hWnd, shape, FALSE))) {
      ::DeleteObject(shape);
    }
  }
  return TRUE;
}

BOOL CMessageDialogBase::OnEraseBkgnd(CDC* pDC) {
  BITMAP bm = {};
  HDC dc = pDC->GetSafeHdc();
  if (Background() && ::GetObjectW(Background(), sizeof bm, &bm)) {
    if (HDC mem = ::CreateCompatibleDC(dc)) {
      HGDIOBJ old = ::SelectObject(mem, Background());
      ::BitBlt(dc, 0, 0, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
      ::SelectObject(mem, old);
      ::DeleteDC(mem);
      return TRUE;
    }
  }
  return CDialog::OnEraseBkgnd(pDC);
}

HBRUSH CMessageDialogBase::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  HBRUSH brush = CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
  if (pWnd == &m_text) pDC->SetTextColor(kTextColour);
  if (pWnd == &m_icon) {
    pDC->SetBkMode(TRANSPARENT);
    brush = static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
  }
  return brush;
}

CMessageDlg::CMessageDlg(CWnd* pParent) : CMessageDialogBase(pParent) {}

void CMessageDlg::DoDataExchange(CDataExchange* pDX) {
  CMessageDialogBase::DoDataExchange(pDX);
  DDX_Control(pDX, IDOK, m_ok);
}

INT_PTR CMessageDlg::DoModal() {
  const int kind = g_nMessageKind;
  if (!IsBoxKind(kind)) return DoModalTemplate();
  return ShowMessage(ToStd(g_strMessageText.Get()), kind);
}

CConfirmDlg::CConfirmDlg(CWnd* pParent) : CMessageDialogBase(pParent) {}

void CConfirmDlg::DoDataExchange(CDataExchange* pDX) {
  CMessageDialogBase::DoDataExchange(pDX);
  DDX_Control(pDX, IDCANCEL, m_cancel);
  DDX_Control(pDX, IDOK, m_ok);
}

INT_PTR CConfirmDlg::DoModal() {
  const int kind = g_nMessageKind;
  if (!IsBoxKind(kind)) return DoModalTemplate();
  return AskQuestion(ToStd(g_strMessageText.Get()), kind) ? IDOK : IDCANCEL;
}

}  // namespace morvick::ui
