#pragma once
// A progress bar painted by the program: a chain of colour gradients (or a solid brush) over the
// filled part, optionally a moving "snake" segment instead of a growing bar, and the position or
// percentage written over the bar in two colours.

#include "classlib/win/AfxWin.h"

namespace morvick::ui {

// Style bits of the window that this bar reads (besides PBS_VERTICAL).
enum : DWORD {
  kGpsSnake = 0x8000,          // a segment runs along the bar instead of a growing bar
  kGpsSnakeWrapped = 0x4000,   // toggled each time the snake wraps round
  kGpsGradientOnFill = 0x2000, // the gradient spans the filled part only
  kGpsTextFollowsBar = 0x1000, // the text is centred on the filled part
  kGpsShowPercent = 0x0100,
  kGpsShowPosition = 0x0200,
  kGpsTextMask = 0x0300,
};

class CGradientProgressCtrl : public CProgressCtrl {
 public:
  CGradientProgressCtrl();
  ~CGradientProgressCtrl() override;

  // Draws the whole control into dc as WM_PAINT shows it.
  void Paint(HDC dc);

  virtual void DrawGradientBar(HDC dc, const RECT& barRect, const RECT& clipRect);
  virtual void DrawGradient(HDC dc, const RECT& rect, COLORREF from, COLORREF to);
  virtual void DrawBarText(HDC dc, const CString& text, const RECT& barRect, const RECT& fillRect, BOOL vertical);
  virtual void DrawClippedText(HDC dc, const CString& text, const RECT& rect, POINT origin);
  // Snake mode's handling of SETPOS, DELTAPOS and STEPIT; FALSE when not in snake mode.
  virtual BOOL SetSnakePos(LRESULT* result, int value, BOOL relative);

  // With a text and text style bits: the bar shows the text (a "%d" in it is replaced by the
  // percentage or the position); otherwise no text.
  void SetShowText(LPCTSTR text, DWORD styleBits);

  void SetBarBrush(HBRUSH brush) { m_barBrush = brush; }  // not owned
  void SetBkBrush(HBRUSH brush) { m_bkBrush = brush; }    // not owned
  void SetTextColors(COLORREF overBar, COLORREF overBackground) {
    m_textOverBar = overBar;
    m_textOverBackground = overBackground;
  }
  void SetSnakeLength(int length) { m_snakeLength = length > 0 ? length : 1; }
  void SetInnerMargin(const RECT& margin) { m_margin = margin; }
  const CDWordArray& Colors() const { return m_colors; }
  COLORREF BkColor() const { return m_bkColor; }
  int SnakeTail() const { return m_snakePos; }

 protected:
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetBarColor(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetBkColor(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetStep(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetPos(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnDeltaPos(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnStepIt(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  void Range(int& lower, int& upper);
  bool Vertical();

  CDWordArray m_colors;
  HBRUSH m_barBrush = nullptr;
  COLORREF m_bkColor;
  HBRUSH m_bkBrush = nullptr;
  COLORREF m_textOverBar;
  COLORREF m_textOverBackground;
  int m_snakePos = 0;
  int m_snakeLength = 40;
  int m_step = 10;
  RECT m_margin = {0, 0, 0, 0};
};

// The bar's text: each "%d" of the pattern becomes the value and "%%" a single "%"; any other
// sequence stays as written (the pattern is a window text, never a format for the C library).
CString FormatBarText(const CString& pattern, int value);

}  // namespace morvick::ui
