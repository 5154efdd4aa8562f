#pragma once
// A progress bar that keeps its own range, position and step, answers the progress-bar messages
// itself and prints the percentage (or a text) in the middle of the bar in two colours.

#include "classlib/win/AfxWin.h"

namespace morvick::ui {

enum : UINT {
  kTpmSetTextColor = WM_USER + 100,  // lParam: the text colour; returns the previous one
  kTpmShowText = WM_USER + 101,      // wParam: show the text or not
};

class CTextProgressCtrl : public CProgressCtrl {
 public:
  CTextProgressCtrl() = default;

  // Draws the whole control into dc as WM_PAINT shows it.
  void Paint(HDC dc);

  static constexpr COLORREF kBarColor = RGB(0, 0, 144);

 protected:
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetRange(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetRange32(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetRange(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetPos(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnDeltaPos(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnStepIt(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetStep(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetPos(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetBarColor(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetBkColor(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetTextColor(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnShowText(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  int BarLength();
  void Repaint();

  COLORREF m_textColor = CLR_DEFAULT;
  int m_pos = 0;
  int m_step = 1;
  int m_upper = 100;
  int m_lower = 0;
  CString m_text;
  BOOL m_showText = TRUE;
  int m_barLength = -1;
  COLORREF m_barColor = CLR_DEFAULT;
  COLORREF m_bkColor = CLR_DEFAULT;
};

}  // namespace morvick::ui
