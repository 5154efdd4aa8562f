#pragma once
// A serialisable list of pie slices (value in per cent, colour, description) and the legend that
// describes them; the drive information view fills it and draws the pie itself.

#include "classlib/core/AfxCore.h"

#include <windows.h>

namespace morvick::ui {

class CPieSlice : public CObject {
  DECLARE_SERIAL(CPieSlice)
 public:
  CPieSlice() = default;
  CPieSlice(int value, COLORREF color, LPCTSTR description)
      : m_value(value), m_color(color), m_description(description) {}
  void Serialize(CArchive& ar) override;

  int m_value = 50;
  COLORREF m_color = RGB(255, 0, 0);
  CString m_description = L"<no description>";
};

class CPieChart : public CObject {
  DECLARE_SERIAL(CPieChart)
 public:
  CPieChart() = default;
  ~CPieChart() override;
  void Serialize(CArchive& ar) override;

  int AddSlice(CPieSlice* slice);
  // Deletes every slice and empties the list.
  void RemoveAllSlices();
  // One row per slice, 20 pixels apart from (x, y): a 30 x 15 box of its colour and its text.
  void DrawLegend(HDC dc, int x, int y, BOOL lastTakesRest);
  // The text of a slice's legend row (the last one with lastTakesRest: what the others leave).
  CString LegendText(int index, BOOL lastTakesRest) const;

  LONG m_value = 0;
  CString m_title;
  CObArray m_slices;
  COLORREF m_color = RGB(0, 255, 0);
  BOOL m_ownsSlices = FALSE;  // the destructor deletes the slices only when set
};

}  // namespace morvick::ui
