#pragma once
// An owner-drawn push button with an icon or a masked bitmap beside, above or after its caption.
// It can be flat (a border only while the mouse is over it), act as a check box, show a tooltip,
// drop down an owner-drawn menu, open an address and play sounds.

#include "classlib/win/AfxWin.h"
#include "ui/controls/win/MaskedBitmap.h"
#include "ui/controls/win/OwnerDrawnMenu.h"

namespace morvick::ui {

class CImageButton : public CButton {
 public:
  // The colour pairs of the three states: mouse in, mouse out, focus.
  enum Colors { kBkIn = 0, kFgIn, kBkOut, kFgOut, kBkFocus, kFgFocus, kColorCount };
  enum Align { kImageLeft = 0, kImageTop = 1, kImageRight = 2 };
  static constexpr int kUrlLength = 260;
  static constexpr int kInvalidIndex = 3;  // what SetColor answers for an index that names no colour

  CImageButton();
  ~CImageButton() override;

  // Draws the button for an item rectangle and state (ODS_*) into dc.
  void Paint(HDC dc, const RECT& rect, UINT itemState);
  void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;

  virtual void DrawBackground(HDC dc, const RECT& rect);
  virtual void DrawBorder(HDC dc, const RECT& rect);
  virtual void DrawTheIcon(HDC dc, BOOL hasCaption, const RECT& rect, RECT& captionRect, BOOL pressed, BOOL disabled);
  virtual void DrawTheBitmap(HDC dc, BOOL hasCaption, const RECT& rect, RECT& captionRect, BOOL pressed,
                             BOOL disabled);
  virtual void DrawTheText(HDC dc, const CString& caption, const RECT& rect, BOOL pressed, BOOL disabled);

  // 0 when stored; kInvalidIndex for an index that names no colour.
  int SetColor(int index, COLORREF color, BOOL repaint = TRUE);
  COLORREF GetColor(int index) const { return index >= 0 && index < kColorCount ? m_colors[index] : CLR_INVALID; }
  void SetDefaultColors(BOOL repaint = TRUE);
  // Keeps at most kUrlLength characters; null or empty clears the address.
  void SetURL(LPCTSTR url);
  CString GetURL() const { return m_url; }
  void SetFlat(BOOL flat, BOOL repaint = TRUE);
  void SetAlign(int align, BOOL repaint = TRUE);
  void SetDrawBorder(BOOL draw, BOOL repaint = TRUE);
  void SetFocusRect(BOOL draw, BOOL repaint = TRUE);
  // Paints the parent's background behind the button instead of the state colour.
  void SetDrawTransparent(BOOL transparent, BOOL repaint = TRUE);
  void SetCheckBox(BOOL checkBox) { m_checkBox = checkBox; }
  void SetChecked(BOOL checked, BOOL repaint = TRUE);
  BOOL IsChecked() const { return m_checked; }
  void SetIcons(HICON in, HICON out, BOOL repaint = TRUE);  // not owned
  // The bitmaps are owned from here on; pixels of the transparent colour are not drawn.
  void SetBitmaps(HBITMAP in, HBITMAP out, COLORREF transparent, BOOL repaint = TRUE);
  // Loads the bitmaps from the program's resources (0: none).
  BOOL SetBitmaps(UINT inId, UINT outId, COLORREF transparent, BOOL repaint = TRUE);
  // A menu bar drops down its first popup; a popup menu drops down itself. The chosen command goes
  // to commandWindow (the parent when null) as notifyMessage (command, notifyParam) when one is
  // given, else as a posted WM_COMMAND.
  void SetMenu(COwnerDrawnMenu* menu, CWnd* commandWindow, UINT notifyMessage = 0, LPARAM notifyParam = 0);
  void SetSounds(LPCTSTR hover, LPCTSTR click, HMODULE module = nullptr, DWORD flags = 0);
  void SetBtnCursor(HCURSOR cursor) { m_cursor = cursor; }
  void SetTooltipText(LPCTSTR text, BOOL activate = TRUE);
  CToolTipCtrl& ToolTip() { return m_toolTip; }
  BOOL IsMouseOver() const { return m_mouseOver; }
  UINT GetOwnStyle() const { return m_style; }

  BOOL PreTranslateMessage(MSG* pMsg) override;
  void PreSubclassWindow() override;

 protected:
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg LRESULT OnMouseLeaveMsg(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetStyle(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetCheck(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetCheck(WPARAM wParam, LPARAM lParam);
  afx_msg void OnKillFocus(CWnd* pNewWnd);
  afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
  afx_msg void OnEnable(BOOL bEnable);
  afx_msg void OnCancelMode();
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg void OnSysColorChange();
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg BOOL OnClicked();
  afx_msg LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
  afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
  DECLARE_MESSAGE_MAP()

 private:
  void CancelHover();
  void Repaint(BOOL repaint);
  void ShowMenu();
  void StoreStyle(UINT style);
  void FreeBackground();
  BOOL PaintParentBackground(HDC dc, const RECT& rect);
  RECT PlaceImage(const RECT& rect, SIZE image, BOOL hasCaption, RECT& captionRect, BOOL pressed) const;
  COLORREF StateBk() const;
  COLORREF StateFg() const;

  BOOL m_flat = TRUE;
  int m_marginX = 3, m_marginY = 3;
  POINT m_pressedOffset = {1, 1};
  COLORREF m_colors[kColorCount];
  BOOL m_checkBox = FALSE;
  BOOL m_checked = FALSE;
  int m_align = kImageLeft;
  BOOL m_drawBorder = TRUE;
  BOOL m_focusRect = FALSE;
  BOOL m_default = FALSE;
  BOOL m_mouseOver = FALSE;
  BOOL m_focused = FALSE;    // while painting
  BOOL m_pressed = FALSE;    // while painting
  BOOL m_menuOpen = FALSE;
  BOOL m_transparent = FALSE;
  COwnerDrawnMenu* m_menu = nullptr;
  CWnd* m_menuWindow = nullptr;
  UINT m_notifyMessage = 0;
  LPARAM m_notifyParam = 0;
  CToolTipCtrl m_toolTip;
  HDC m_backgroundDc = nullptr;  // the parent's background under the button
  HBITMAP m_backgroundBitmap = nullptr;
  HGDIOBJ m_backgroundOld = nullptr;
  HCURSOR m_cursor = nullptr;
  UINT m_style = 15;
  CString m_url;
  HICON m_iconIn = nullptr, m_iconOut = nullptr;
  SIZE m_iconSize = {0, 0};
  CMaskedBitmap m_bitmapIn, m_bitmapOut;  // the mouse-in one may be empty
  COLORREF m_transparentColor = RGB(255, 255, 255);
  SIZE m_bitmapSize = {0, 0};
  CString m_hoverSound, m_clickSound;
  HMODULE m_soundModule = nullptr;
  DWORD m_soundFlags = 0;
};

}  // namespace morvick::ui
