#include "ui/controls/win/HoverBitmaps.h"

#include "classlib/win/AfxWin.h"

namespace morvick::ui {

UINT g_nHoveredModeButton = 0;

HoverBitmaps::~HoverBitmaps() { Free(); }

void HoverBitmaps::Free() {
  if (m_normal) DeleteObject(m_normal);
  if (m_hover) DeleteObject(m_hover);
  m_normal = m_hover = nullptr;
  m_width = m_height = 0;
}

BOOL HoverBitmaps::Load(UINT normalId, UINT hoverId) {
  Free();
  HINSTANCE module = AfxGetResourceHandle();
  m_normal = static_cast<HBITMAP>(LoadImageW(module, MAKEINTRESOURCEW(normalId), IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
  m_hover = static_cast<HBITMAP>(LoadImageW(module, MAKEINTRESOURCEW(hoverId), IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
  BITMAP info = {};
  if (m_normal == nullptr || !GetObjectW(m_normal, sizeof(info), &info)) return FALSE;
  m_width = info.bmWidth;
  m_height = info.bmHeight;
  return TRUE;
}

void HoverBitmaps::Draw(HDC dc, bool hovered, int x, int y) const {
  HBITMAP bitmap = hovered ? m_hover : m_normal;
  if (bitmap == nullptr) return;
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(dc, x, y, m_width, m_height, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
}

}  // namespace morvick::ui
