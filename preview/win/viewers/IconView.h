// CTextView: icons and enhanced metafiles in the pane, loaded once as a picture object and
// rendered on every paint; a picture with transparent parts goes through an off-screen bitmap of
// its own size, stretched into a fixed inset of the window.
#pragma once

#include "classlib/win/AfxWin.h"

#include <ocidl.h>
#include <olectl.h>

class CTextView : public CView {
  DECLARE_DYNCREATE(CTextView)
 public:
  CTextView();
  ~CTextView() override;
  void OnPrepareDC(CDC* pDC, void* pInfo = NULL) override;
  void OnInitialUpdate() override;
  void OnDraw(CDC* pDC) override;

  // Loads the picture and works out its size in pixels; 0 when the file is refused or its size
  // is absurd.
  BOOL LoadPicture(const CString& strPath);
  // Pixels of a HIMETRIC length at the given dots per inch (rounded); -1 beyond the pixel cap.
  static long HimetricToPixels(long himetric, int dpi);
  // Where a transparent picture is stretched: the client area less 200 on the left and on the
  // right and 10 at the top and the bottom, each inset at most a third of the client's size.
  static CRect TargetRect(const CRect& client);

  long m_nWidth, m_nHeight;                    // pixels
  long m_nHimetricWidth, m_nHimetricHeight;
  IPicture* m_pPicture;

  afx_msg int OnCreate(LPCREATESTRUCT lpcs);

 protected:
  DECLARE_MESSAGE_MAP()
};
