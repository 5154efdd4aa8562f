// CImage_View: a raster picture in the pane. Its creation checks that the file decodes (and
// reports failure through the frame's flag); every paint decodes the file again and draws it 200
// pixels wide near the top, its height following the picture's shape.
#pragma once

#include "classlib/win/AfxWin.h"

class CImage_View : public CView {
  DECLARE_DYNCREATE(CImage_View)
 public:
  CImage_View();
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  void OnInitialUpdate() override;
  void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
  void OnDraw(CDC* pDC) override;

  // Where a picture of the given size is drawn in a client area of the given width.
  static CRect PictureRect(int nClientWidth, DWORD nImageWidth, DWORD nImageHeight);

  afx_msg int OnCreate(LPCREATESTRUCT lpcs);

 protected:
  DECLARE_MESSAGE_MAP()
};
