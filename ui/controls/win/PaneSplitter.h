#pragma once
// A child control that takes two windows as its own children and divides its client area between
// them with a bar that the mouse drags: side by side (vertical bar) or one above the other
// (horizontal bar). The height of the bottom pane is kept in the application's profile.

#include "classlib/win/AfxWin.h"

namespace morvick::ui {

class CPaneSplitter : public CStatic {
 public:
  enum : DWORD { kVertical = 0x1, kHorizontal = 0x2 };

  CPaneSplitter() = default;

  // Style bit kVertical: first pane left, second right; kHorizontal: first on top, second below.
  // The minimums are the first and second pane's smallest width or height.
  BOOL Create(DWORD style, CWnd* parent, CWnd* first, CWnd* second, UINT id, const RECT& rect, int firstMinimum,
              int secondMinimum);

  void ShowLeftPane();
  void HideLeftPane();
  void SetBarWidth(int width) { m_barWidth = width > 0 ? width : 1; }

  BOOL IsDragging() const { return m_vertDragging || m_horizDragging; }
  // The left pane's width (vertical split) and the bottom pane's height (horizontal split).
  int VerticalPosition() const { return m_vertPos; }
  int BottomHeight() const { return m_bottomHeight; }
  RECT VerticalBar() const { return m_vertBar; }
  RECT HorizontalBar() const { return m_horizBar; }

  // The profile sections of a splitter id.
  static CString HorizontalSection(UINT id);
  static CString VerticalSection(UINT id);

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnCaptureChanged(CWnd* pWnd);
  afx_msg void OnDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  void SetUpVertical();
  void SetUpHorizontal();
  int ClampX(int x) const;
  int ClampY(int y) const;
  void LayoutVertical(int x);
  void LayoutHorizontal(int y);
  void LayoutAfterSize();
  void DrawTrackingBar();
  RECT TrackingBarAt(POINT p) const;
  void EndDrag(bool restoreFocus);

  CWnd* m_left = nullptr;
  CWnd* m_right = nullptr;
  CWnd* m_top = nullptr;
  CWnd* m_bottom = nullptr;
  int m_minLeft = 0, m_minRight = 0, m_minTop = 0, m_minBottom = 0;
  int m_barWidth = 1;
  UINT m_id = 0;
  int m_vertPos = 0;
  int m_bottomHeight = 0;
  RECT m_leftRect = {}, m_rightRect = {}, m_topRect = {}, m_bottomRect = {};
  RECT m_vertBar = {}, m_horizBar = {};
  RECT m_trackBar = {};  // the tracking bar, in screen coordinates
  bool m_vertical = false, m_horizontal = false;
  bool m_vertDragging = false, m_horizDragging = false;
  bool m_trackShown = false;
  bool m_bottomHidden = false, m_leftHidden = false;
  POINT m_dragStart = {}, m_dragPoint = {};
  HWND m_focusBeforeDrag = nullptr;
};

}  // namespace morvick::ui
