#pragma once
// A static control that shows how much of a drive is used: a legend of capacity, used and free
// space with their units, and a raised pie of the used and free shares.

#include "classlib/win/AfxWin.h"

namespace morvick::ui {

class CDiskUsagePie : public CStatic {
 public:
  CDiskUsagePie() = default;

  static constexpr COLORREF kUsedColor = RGB(248, 167, 143);
  static constexpr COLORREF kFreeColor = RGB(119, 255, 119);

  // Reads the size and free space of the drive that holds rootPath and repaints; a failed query
  // leaves every count at 0.
  void SetDrive(LPCTSTR rootPath);

  // Draws the legend and the pie into dc as WM_PAINT shows them.
  void Paint(HDC dc);

  ULONGLONG TotalBytes() const { return m_total; }
  ULONGLONG UsedBytes() const { return m_used; }
  ULONGLONG FreeBytes() const { return m_free; }
  // The used share in per cent, or -1 while the total is 0.
  int UsedPercent() const;
  // The rectangle the pie is drawn in (empty when there is no room for it).
  RECT PieBox(const RECT& client) const;

  // "Capacity: 1.00 GB" and the like: the unit follows the size of each value.
  static CString FormatLegendLine(LPCTSTR label, ULONGLONG bytes);

 protected:
  afx_msg void OnPaint();
  afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  void DrawPie(HDC dc, const RECT& box, int percent);

  CString m_root;
  ULONGLONG m_used = 0;
  ULONGLONG m_total = 0;
  ULONGLONG m_free = 0;
};

// The point where the used share ends on an ellipse of radii a and b around (0, 0), running
// clockwise on the screen from the bottom point as the percentage grows.
POINT PieBoundaryPoint(int percent, int a, int b);

}  // namespace morvick::ui
