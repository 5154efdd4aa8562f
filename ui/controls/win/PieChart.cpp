#include "ui/controls/win/PieChart.h"

namespace morvick::ui {

IMPLEMENT_SERIAL(CPieSlice, CObject, 1)
IMPLEMENT_SERIAL(CPieChart, CObject, 1)

namespace {
const DWORD kVersion = 1;
}

void CPieSlice::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << kVersion << static_cast<LONG>(m_value) << static_cast<DWORD>(m_color) << m_description;
    return;
  }
  DWORD version = 0;
  ar >> version;
  if (version != kVersion) return;
  LONG value = 0;
  DWORD color = 0;
  ar >> value >> color >> m_description;
  m_value = value;
  m_color = color;
}

CPieChart::~CPieChart() {
  if (m_ownsSlices) RemoveAllSlices();
}

void CPieChart::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << kVersion << m_value << static_cast<DWORD>(m_color) << static_cast<LONG>(m_ownsSlices) << m_title;
    m_slices.Serialize(ar);
    return;
  }
  RemoveAllSlices();
  DWORD version = 0;
  ar >> version;
  if (version != kVersion) return;
  DWORD color = 0;
  LONG owns = 0;
  ar >> m_value >> color >> owns >> m_title;
  m_color = color;
  m_ownsSlices = owns;
  m_slices.Serialize(ar);
}

int CPieChart::AddSlice(CPieSlice* slice) { return static_cast<int>(m_slices.Add(slice)); }

void CPieChart::RemoveAllSlices() {
  for (INT_PTR i = 0; i < m_slices.GetSize(); ++i) delete m_slices[i];
  m_slices.RemoveAll();
}

CString CPieChart::LegendText(int index, BOOL lastTakesRest) const {
  const auto* slice = static_cast<const CPieSlice*>(m_slices.GetAt(index));
  if (slice == nullptr) return CString();
  CString text = slice->m_description;
  CString share;
  if (lastTakesRest && index == m_slices.GetSize() - 1) {
    int others = 0;
    for (int i = 0; i < index; ++i) {
      if (const auto* s = static_cast<const CPieSlice*>(m_slices.GetAt(i))) others += s->m_value;
    }
    share.Format(L"(%d%%)", 100 - others);
  } else {
    share.Format(L" (%d%%)", slice->m_value);
  }
  return text + share;
}

void CPieChart::DrawLegend(HDC dc, int x, int y, BOOL lastTakesRest) {
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  for (int i = 0; i < static_cast<int>(m_slices.GetSize()); ++i) {
    const auto* slice = static_cast<const CPieSlice*>(m_slices.GetAt(i));
    if (slice == nullptr) continue;  // an empty entry still takes its row
    const int row = y + 20 * i;
    const RECT box = {x, row, x + 30, row + 15};
    HBRUSH brush = CreateSolidBrush(slice->m_color);
    FillRect(dc, &box, brush);
    DeleteObject(brush);
    const CString text = LegendText(i, lastTakesRest);
    TextOutW(dc, x + 35, row, text.GetString(), text.GetLength());
  }
  SetBkMode(dc, oldMode);
}

}  // namespace morvick::ui
