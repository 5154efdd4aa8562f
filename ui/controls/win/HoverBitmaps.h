#pragma once
// The two pictures of a hover or tool button (normal and hovered), loaded from the program's
// resources, and their drawing.

#include <windows.h>

namespace morvick::ui {

class HoverBitmaps {
 public:
  HoverBitmaps() = default;
  ~HoverBitmaps();
  HoverBitmaps(const HoverBitmaps&) = delete;
  HoverBitmaps& operator=(const HoverBitmaps&) = delete;

  // Loads both bitmaps; the size is the normal one's. FALSE when the normal bitmap is missing.
  BOOL Load(UINT normalId, UINT hoverId);
  // Blits one of the pictures at (x, y) with the stored size; a missing bitmap draws nothing.
  void Draw(HDC dc, bool hovered, int x, int y) const;

  int Width() const { return m_width; }
  int Height() const { return m_height; }

 private:
  void Free();

  HBITMAP m_normal = nullptr;
  HBITMAP m_hover = nullptr;
  int m_width = 0;
  int m_height = 0;
};

// The id of the hover button under the mouse, 0 when there is none; the start page reads it when
// it paints.
extern UINT g_nHoveredModeButton;

}  // namespace morvick::ui
