// CThumbView: a list control in icon mode with one 160 x 120 thumbnail per picture of the
// document's image folder (the slides of a presentation).
#pragma once

#include "classlib/win/AfxWin.h"

class CThumbView : public CListView {
  DECLARE_DYNCREATE(CThumbView)
 public:
  CThumbView();
  BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
              UINT nID, CCreateContext* pContext = NULL) override;
  void OnInitialUpdate() override;
  void OnDraw(CDC* pDC) override;

  // Fills the list from the document's sorted image list: items "1", "2", ... and a letterboxed
  // thumbnail for every file that decodes.
  void LoadThumbnails();
  // Where a picture of the given size sits inside the 160 x 120 frame.
  static CRect ThumbnailRect(DWORD nImageWidth, DWORD nImageHeight);

  BYTE m_bCancel;      // 1: LoadThumbnails stops before the next picture
  int m_nReserved1;
  int m_nReserved2;
  CImageList m_imageList;

  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);

  enum { kThumbWidth = 160, kThumbHeight = 120 };

 protected:
  void MakeImageList();
  DECLARE_MESSAGE_MAP()
};
