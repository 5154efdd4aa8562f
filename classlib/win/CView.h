// CView: a child window that shows a document inside a frame.
#pragma once

#include "classlib/win/CWnd.h"

class CDocument;
class CFrameWnd;
struct CCreateContext;

class CView : public CWnd {
  DECLARE_DYNAMIC(CView)
 protected:
  CView();

 public:
  virtual ~CView();

  CDocument* GetDocument() const { return m_pDocument; }

  virtual BOOL IsSelected(const CObject* pDocItem) const;
  virtual void OnInitialUpdate();  // calls OnUpdate(NULL, 0, NULL)
  // Draws the view into pDC; WM_PAINT calls it with a paint DC.
  virtual void OnDraw(CDC* pDC) = 0;
  virtual void OnPrepareDC(CDC* pDC, void* pInfo = NULL);
  virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
  virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
  virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  void PostNcDestroy() override;  // deletes the view
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = adjustBorder) override;

  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnDestroy();
  afx_msg void OnPaint();
  afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
  afx_msg LRESULT HandleInitialUpdate(WPARAM, LPARAM);

  CDocument* m_pDocument;

 protected:
  friend class CDocument;
  DECLARE_MESSAGE_MAP()
};

// Creates a view of the context's run-time class as a child window of pParent with the id nID
// (visible, with a border): what a frame does for its own views, for any parent window. NULL when
// the class is no window class or the window cannot be created (the view is then deleted).
CWnd* AFXAPI AfxCreateView(CWnd* pParent, CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
