// The two views that stand in the pane where no viewer shows the file: one picture each, in the
// middle of the window (a little to the left).
#pragma once

#include "classlib/win/AfxWin.h"

// The file cannot be previewed: its type is not previewable, its viewer failed, or no file is
// selected. The picture follows the frame's preview flags at paint time.
class CCorrupted_NoPreview_View : public CView {
  DECLARE_DYNCREATE(CCorrupted_NoPreview_View)
 public:
  CCorrupted_NoPreview_View();
  void OnDraw(CDC* pDC) override;

  // The picture for the flags: "Select file for preview" when no file is selected, else "Corrupt
  // File" when the file is previewable or its viewer failed, else "Preview not available".
  static UINT ChoosePicture(int bNoFileSelected, int bPreviewable, int bPreviewShown);
};

// The file is too large to be copied out for preview.
class CLargeFileView : public CView {
  DECLARE_DYNCREATE(CLargeFileView)
 public:
  CLargeFileView();
  void OnDraw(CDC* pDC) override;
};

// Copies bitmap nID unscaled with its middle nLeftShift pixels left of the client area's middle.
void DrawPlaceholderPicture(CWnd* pWnd, CDC* pDC, UINT nID, int nLeftShift);
