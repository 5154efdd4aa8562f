#include "ui/controls/win/ImageButton.h"

#include "ui/controls/win/ControlShell.h"

namespace morvick::ui {

BEGIN_MESSAGE_MAP(CImageButton, CButton)
  ON_WM_MOUSEMOVE()
  ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeaveMsg)
  ON_MESSAGE(BM_SETSTYLE, OnSetStyle)
  ON_MESSAGE(BM_SETCHECK, OnSetCheck)
  ON_MESSAGE(BM_GETCHECK, OnGetCheck)
  ON_WM_KILLFOCUS()
  ON_WM_ACTIVATE()
  ON_WM_ENABLE()
  ON_WM_CANCELMODE()
  ON_WM_SETCURSOR()
  ON_WM_SYSCOLORCHANGE()
  ON_WM_SIZE()
  ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClicked)
  ON_WM_MENUCHAR()
  ON_WM_MEASUREITEM()
END_MESSAGE_MAP()

namespace {

const int kTipWidth = 400;
const UINT kToolId = 1;

}  // namespace

CImageButton::CImageButton() { SetDefaultColors(FALSE); }

CImageButton::~CImageButton() { FreeBackground(); }

void CImageButton::StoreStyle(UINT style) {
  m_style = style & 0x0F;
  m_default = m_style == BS_DEFPUSHBUTTON;
  m_checkBox = m_style == BS_CHECKBOX || m_style == BS_AUTOCHECKBOX;
}

void CImageButton::PreSubclassWindow() {
  CButton::PreSubclassWindow();
  StoreStyle(GetButtonStyle());
  ModifyStyle(0x0F, BS_OWNERDRAW);
}

void CImageButton::Repaint(BOOL repaint) {
  if (repaint && m_hWnd != nullptr) Invalidate();
}

int CImageButton::SetColor(int index, COLORREF color, BOOL repaint) {
  if (index < 0 || index >= kColorCount) return kInvalidIndex;
  m_colors[index] = color;
  Repaint(repaint);
  return 0;
}

void CImageButton::SetDefaultColors(BOOL repaint) {
  for (int i = 0; i < kColorCount; i += 2) {
    m_colors[i] = GetSysColor(COLOR_BTNFACE);
    m_colors[i + 1] = GetSysColor(COLOR_BTNTEXT);
  }
  Repaint(repaint);
}

void CImageButton::SetURL(LPCTSTR url) {
  m_url = url != nullptr ? CString(url).Left(kUrlLength) : CString();
}

void CImageButton::SetFlat(BOOL flat, BOOL repaint) {
  m_flat = flat;
  Repaint(repaint);
}

void CImageButton::SetAlign(int align, BOOL repaint) {
  m_align = (align == kImageTop || align == kImageRight) ? align : kImageLeft;
  Repaint(repaint);
}

void CImageButton::SetDrawBorder(BOOL draw, BOOL repaint) {
  m_drawBorder = draw;
  Repaint(repaint);
}

void CImageButton::SetFocusRect(BOOL draw, BOOL repaint) {
  m_focusRect = draw;
  Repaint(repaint);
}

void CImageButton::SetDrawTransparent(BOOL transparent, BOOL repaint) {
  m_transparent = transparent;
  FreeBackground();
  Repaint(repaint);
}

void CImageButton::SetChecked(BOOL checked, BOOL repaint) {
  m_checked = checked;
  Repaint(repaint);
}

void CImageButton::SetIcons(HICON in, HICON out, BOOL repaint) {
  m_iconIn = in;
  m_iconOut = out != nullptr ? out : in;
  m_iconSize = SIZE{0, 0};
  ICONINFO info = {};
  if (m_iconOut != nullptr && GetIconInfo(m_iconOut, &info)) {
    BITMAP b = {};
    GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof(b), &b);
    m_iconSize = SIZE{b.bmWidth, info.hbmColor != nullptr ? b.bmHeight : b.bmHeight / 2};
    if (info.hbmColor != nullptr) ::DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr) ::DeleteObject(info.hbmMask);
  }
  Repaint(repaint);
}

void CImageButton::SetBitmaps(HBITMAP in, HBITMAP out, COLORREF transparent, BOOL repaint) {
  m_bitmapIn.DeleteObject();
  m_bitmapOut.DeleteObject();
  if (out == nullptr) std::swap(in, out);  // a single bitmap serves both states
  if (in != nullptr && in != out) m_bitmapIn.Attach(in);
  if (out != nullptr) m_bitmapOut.Attach(out);
  m_transparentColor = transparent;
  m_bitmapSize = SIZE{m_bitmapOut.GetWidth(), m_bitmapOut.GetHeight()};
  Repaint(repaint);
}

BOOL CImageButton::SetBitmaps(UINT inId, UINT outId, COLORREF transparent, BOOL repaint) {
  HINSTANCE module = AfxGetResourceHandle();
  auto load = [module](UINT id) {
    return id != 0 ? static_cast<HBITMAP>(LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0)) : nullptr;
  };
  HBITMAP in = load(inId), out = load(outId);
  SetBitmaps(in, out, transparent, repaint);
  return (inId == 0 || in != nullptr) && (outId == 0 || out != nullptr);
}

void CImageButton::SetMenu(COwnerDrawnMenu* menu, CWnd* commandWindow, UINT notifyMessage, LPARAM notifyParam) {
  m_menu = menu;
  m_menuWindow = commandWindow;
  m_notifyMessage = notifyMessage;
  m_notifyParam = notifyParam;
}

void CImageButton::SetSounds(LPCTSTR hover, LPCTSTR click, HMODULE module, DWORD flags) {
  m_hoverSound = hover != nullptr ? hover : L"";
  m_clickSound = click != nullptr ? click : L"";
  m_soundModule = module;
  m_soundFlags = flags;
}

void CImageButton::SetTooltipText(LPCTSTR text, BOOL activate) {
  if (text == nullptr || m_hWnd == nullptr) return;
  if (m_toolTip.m_hWnd == nullptr) {
    if (!m_toolTip.Create(this)) return;
    m_toolTip.Activate(FALSE);
    m_toolTip.SetMaxTipWidth(kTipWidth);
    RECT r;
    GetClientRect(&r);
    m_toolTip.AddTool(this, text, &r, kToolId);
  }
  m_toolTip.UpdateTipText(text, this, kToolId);
  m_toolTip.Activate(activate);
}

void CImageButton::CancelHover() {
  if (m_mouseOver) {
    m_mouseOver = FALSE;
    Invalidate();
  }
}

void CImageButton::OnMouseMove(UINT, CPoint point) {
  POINT screen = point;
  ClientToScreen(&screen);
  if (!m_mouseOver && ::WindowFromPoint(screen) == m_hWnd && ::GetActiveWindow() != nullptr) {
    m_mouseOver = TRUE;
    Invalidate();
    PlayControlSound(m_hoverSound.GetString(), m_soundModule, m_soundFlags);
    TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_hWnd, 0};
    TrackMouseEvent(&tme);
  }
  Default();
}

LRESULT CImageButton::OnMouseLeaveMsg(WPARAM, LPARAM) {
  CancelHover();
  return 0;
}

void CImageButton::OnKillFocus(CWnd*) {
  Default();
  CancelHover();
}

void CImageButton::OnActivate(UINT nState, CWnd*, BOOL) {
  Default();
  if (nState == WA_INACTIVE) CancelHover();
}

void CImageButton::OnEnable(BOOL bEnable) {
  Default();
  if (!bEnable) CancelHover();
}

void CImageButton::OnCancelMode() {
  Default();
  CancelHover();
}

BOOL CImageButton::OnSetCursor(CWnd*, UINT, UINT) {
  if (m_cursor == nullptr) return static_cast<BOOL>(Default());
  ::SetCursor(m_cursor);
  return TRUE;
}

void CImageButton::OnSysColorChange() {
  Default();
  FreeBackground();  // taken again at the next paint
  SetDefaultColors(TRUE);
}

void CImageButton::OnSize(UINT, int, int) {
  Default();
  FreeBackground();
}

LRESULT CImageButton::OnSetStyle(WPARAM wParam, LPARAM lParam) {
  StoreStyle(static_cast<UINT>(wParam));
  return DefWindowProc(BM_SETSTYLE, (wParam & ~static_cast<WPARAM>(0x0F)) | BS_OWNERDRAW, lParam);
}

LRESULT CImageButton::OnSetCheck(WPARAM wParam, LPARAM) {
  SetChecked(wParam == BST_CHECKED, TRUE);
  return 0;
}

LRESULT CImageButton::OnGetCheck(WPARAM, LPARAM) { return m_checked ? BST_CHECKED : BST_UNCHECKED; }

BOOL CImageButton::OnClicked() {
  SetFocus();
  PlayControlSound(m_clickSound.GetString(), m_soundModule, m_soundFlags);
  if (m_checkBox) {
    m_checked = !m_checked;
    Invalidate();
  } else if (m_menu != nullptr && m_menu->m_hMenu != nullptr) {
    ShowMenu();
  } else if (!m_url.IsEmpty()) {
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof(info);
    info.hwnd = m_hWnd;
    info.lpVerb = L"open";
    info.lpFile = m_url.GetString();
    info.nShow = SW_SHOWNORMAL;
    CurrentControlShellHooks().shellExecuteEx(&info);
  }
  return FALSE;  // the parent hears of the click as usual
}

void CImageButton::ShowMenu() {
  COwnerDrawnMenu* popup = m_menu->DropDown();
  RECT r;
  GetWindowRect(&r);
  m_menuOpen = TRUE;
  Invalidate();
  UpdateWindow();
  const UINT command = static_cast<UINT>(popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RETURNCMD, r.left, r.bottom, this));
  m_menuOpen = FALSE;
  Invalidate();
  if (command == 0) return;
  CWnd* target = m_menuWindow != nullptr ? m_menuWindow : GetParent();
  if (target == nullptr) return;
  if (m_notifyMessage != 0) {
    target->SendMessage(m_notifyMessage, command, m_notifyParam);
  } else {
    target->PostMessage(WM_COMMAND, MAKEWPARAM(command, 0), 0);
  }
}

LRESULT CImageButton::OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu) {
  auto* menu = dynamic_cast<COwnerDrawnMenu*>(pMenu != nullptr ? CMenu::FromHandlePermanent(pMenu->m_hMenu) : nullptr);
  if (m_menu != nullptr && menu != nullptr && m_menu->Holds(menu)) {
    const LRESULT answer = COwnerDrawnMenu::FindKeyboardShortcut(nChar, menu);
    if (answer != 0) return answer;
  }
  return CButton::OnMenuChar(nChar, nFlags, pMenu);
}

void CImageButton::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
  if (m_menu != nullptr && lpMeasureItemStruct->CtlType == ODT_MENU) {
    if (COwnerDrawnMenu* holder = m_menu->FindMenuOfItemData(lpMeasureItemStruct->itemData)) {
      holder->MeasureItem(lpMeasureItemStruct);
      return;
    }
  }
  CButton::OnMeasureItem(nIDCtl, lpMeasureItemStruct);
}

BOOL CImageButton::PreTranslateMessage(MSG* pMsg) {
  if (m_toolTip.m_hWnd != nullptr) m_toolTip.RelayEvent(pMsg);
  if (pMsg->message == WM_LBUTTONDBLCLK) pMsg->message = WM_LBUTTONDOWN;
  return CButton::PreTranslateMessage(pMsg);
}

}  // namespace morvick::ui
