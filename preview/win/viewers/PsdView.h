// CPSDViewView: a Photoshop document in the pane, decoded once when the view is created and
// stretched over the whole client area on every paint, behind a black frame control.
#pragma once

#include "classlib/win/AfxWin.h"
#include "preview/win/imaging/PsdDecoder.h"

class CPSDViewView : public CView {
  DECLARE_DYNCREATE(CPSDViewView)
 public:
  CPSDViewView();
  ~CPSDViewView() override;
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  void OnInitialUpdate() override;
  void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
  void OnDraw(CDC* pDC) override;

  int GetLoadResult() const { return m_nLoadResult; }
  bool HasPicture() const { return m_hBitmap != NULL; }

  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnSize(UINT nType, int cx, int cy);

  enum { IDC_PSD_FRAME = 61468 };

 protected:
  CPSDDecoder m_decoder;
  int m_nLoadResult;
  HBITMAP m_hBitmap;  // taken from the decoder; deleted with the view
  CStatic m_frame;

  DECLARE_MESSAGE_MAP()
};
