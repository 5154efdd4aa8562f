#pragma once
// A static text that acts as a web link: link, hover and visited colours, an underline that can
// follow the mouse, a tooltip with the address and the shell to open it.

#include "classlib/win/AfxWin.h"

namespace morvick::ui {

class CHyperLinkStatic : public CStatic {
  DECLARE_DYNAMIC(CHyperLinkStatic)
 public:
  enum Underline { kUnderlineHover = -1, kUnderlineNever = 0, kUnderlineAlways = 1 };
  static constexpr COLORREF kLinkColor = RGB(0, 0, 238);
  static constexpr COLORREF kVisitedColor = RGB(85, 26, 139);
  static constexpr COLORREF kHoverColor = RGB(255, 0, 0);
  static constexpr UINT_PTR kHoverTimer = 100;

  CHyperLinkStatic() = default;
  ~CHyperLinkStatic() override;

  void SetURL(LPCTSTR url);
  CString GetURL() const { return m_url; }
  void SetUnderline(int mode);
  int GetUnderline() const { return m_underline; }
  void SetVisited(BOOL visited = TRUE);
  BOOL GetVisited() const { return m_visited; }
  void SetAutoSize(BOOL fit = TRUE) { m_fitToText = fit; }
  BOOL IsHovered() const { return m_hover; }
  COLORREF CurrentTextColor() const;

  // Opens an address through the shell, then through the browser registered for web pages (web
  // and mail addresses only). Returns the shell's code: above 32 is success.
  static int GotoURL(LPCTSTR url, int showCommand);
  // The explanation of a shell result code for the error report.
  static CString ShellErrorText(int code);

  void PreSubclassWindow() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL DestroyWindow() override;

 protected:
  afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg void OnClicked();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  DECLARE_MESSAGE_MAP()

 private:
  void FitToText();
  void ApplyFont(bool underlined);
  void ReportError(int code);

  BOOL m_hover = FALSE;
  BOOL m_visited = FALSE;
  int m_underline = kUnderlineHover;
  BOOL m_fitToText = TRUE;
  CString m_url;
  CFont m_underlinedFont;
  CFont m_normalFont;
  HCURSOR m_linkCursor = nullptr;
  CToolTipCtrl m_toolTip;
};

}  // namespace morvick::ui
