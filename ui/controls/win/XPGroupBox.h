#pragma once
// A group box drawn by the program: a rounded frame that its caption interrupts (frame style) or a
// filled caption band above a filled body (window style).

#include "classlib/win/AfxWin.h"

namespace morvick::ui {

class CXPGroupBox : public CButton {
  DECLARE_DYNAMIC(CXPGroupBox)
 public:
  enum Style { kFrame = 0, kWindow = 1 };
  enum Alignment { kLeft = 0, kCenter = 1, kRight = 2 };

  CXPGroupBox();

  // Each setter stores its value, redraws the box and the parent behind it and returns the box.
  virtual CXPGroupBox& SetBorderColor(COLORREF color);
  virtual CXPGroupBox& SetCaptionTextColor(COLORREF color);
  virtual CXPGroupBox& SetBackgroundColors(COLORREF captionColor, COLORREF boxColor);
  virtual CXPGroupBox& SetBackgroundColor(COLORREF color);
  virtual CXPGroupBox& SetGroupBoxStyle(int style);
  virtual CXPGroupBox& SetText(LPCTSTR text);
  virtual CXPGroupBox& SetFontBold(BOOL bold);
  virtual CXPGroupBox& SetFontName(LPCTSTR faceName, BYTE charSet = ANSI_CHARSET);
  virtual CXPGroupBox& SetFontUnderline(BOOL underline);
  virtual CXPGroupBox& SetFontItalic(BOOL italic);
  virtual CXPGroupBox& SetFontSize(int points);
  virtual CXPGroupBox& SetCaptionFont(const LOGFONT& logFont);
  virtual CXPGroupBox& SetAlignment(int alignment);

  // Draws the box into dc as WM_PAINT shows it.
  void Paint(HDC dc);
  // The caption's rectangle for the current text, font, style and alignment.
  RECT CaptionRect(HDC dc);

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  void PreSubclassWindow() override;

 protected:
  afx_msg void OnPaint();
  afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  void RebuildFont();
  void Redraw();
  SIZE MeasureCaption(HDC dc);

  CString m_caption;
  COLORREF m_borderColor;
  COLORREF m_captionBkColor;
  COLORREF m_boxBkColor;
  COLORREF m_captionTextColor = RGB(0, 0, 255);
  int m_style = kFrame;
  int m_alignment = kLeft;
  LOGFONT m_logFont;
  CFont m_font;
};

}  // namespace morvick::ui
