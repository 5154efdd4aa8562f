// CFrameWnd: a top-level (or child) frame that holds control bars and one active view, routes
// commands to the view, the document and the application, and runs the idle update of its
// commands.
#pragma once

#include "classlib/win/CCreateContext.h"
#include "classlib/win/CWnd.h"

class CView;
class CDocument;
class CControlBar;

class CFrameWnd : public CWnd {
  DECLARE_DYNCREATE(CFrameWnd)
 public:
  CFrameWnd();
  virtual ~CFrameWnd();

  static const RECT rectDefault;

  virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                      DWORD dwStyle = WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                      CWnd* pParentWnd = NULL, LPCTSTR lpszMenuName = NULL, DWORD dwExStyle = 0,
                      CCreateContext* pContext = NULL);
  // Creates the frame from resource nIDResource: title (first part of the string), menu, icon
  // and accelerators of that id.
  virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                         CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL);
  BOOL LoadAccelTable(LPCTSTR lpszResourceName);

  CView* GetActiveView() const { return m_pViewActive; }
  void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
  virtual CDocument* GetActiveDocument();
  virtual CFrameWnd* GetActiveFrame() { return this; }
  CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);

  virtual void RecalcLayout(BOOL bNotify = TRUE);
  void DelayRecalcLayout(BOOL bNotify = TRUE) { m_nIdleFlags |= (idleLayout | (bNotify ? idleNotify : 0)); }
  virtual void ActivateFrame(int nCmdShow = -1);
  void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
  virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
  virtual void OnUpdateFrameMenu(HMENU hMenuAlt);
  void UpdateFrameTitleForDocument(LPCTSTR lpszDocName);
  void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }
  CString GetTitle() const { return m_strTitle; }
  void SetMessageText(LPCTSTR lpszText);
  void SetMessageText(UINT nID);
  virtual void GetMessageString(UINT nID, CString& rMessage) const;
  CWnd* GetMessageBar();
  virtual void OnSetPreviewMode(BOOL bPreview, void* pState) {}
  // The bar of this frame with id nID, or NULL.
  CControlBar* GetControlBar(UINT nID);
  // Shows or hides a bar and lays the frame out again (at the next idle time with bDelay).
  void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
  BOOL IsFrameWnd() const { return TRUE; }

  // Sends WM_FLOATSTATUS with the flags to every top-level window of this thread that this frame
  // owns (directly or through other owned windows).
  void NotifyFloatingWindows(DWORD dwFlags);

  BOOL m_bAutoMenuEnable;  // menu items without handlers are disabled
  enum IdleFlags { idleMenu = 1, idleTitle = 2, idleNotify = 4, idleLayout = 8 };
  UINT m_nIdleFlags;
  BOOL m_bHelpMode;
  UINT m_nIDHelp;
  HMENU m_hMenuDefault;
  HACCEL m_hAccelTable;
  CString m_strTitle;
  int m_nWindow;  // number shown after the document name when a document has several frames

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  void PostNcDestroy() override;  // deletes the frame
  BOOL DestroyWindow() override;

  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnDestroy();
  afx_msg void OnClose();
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  // A top-level frame also tells its floating windows (FS_ACTIVATE or FS_DEACTIVATE) whether it
  // stays active: it does when the window taking the activation is one of its own that keeps its
  // caption in step (it answers FS_SYNCACTIVE).
  afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
  afx_msg void OnInitMenuPopup(CMenu* pMenu, UINT nIndex, BOOL bSysMenu);
  afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnInitialUpdate(WPARAM wParam, LPARAM lParam);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);

 protected:
  virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
  int OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext);
  // Walks one menu's items through the update handlers (also for menus without a wrapper).
  void UpdateMenuItems(HMENU hMenu);

  CView* m_pViewActive;

  DECLARE_MESSAGE_MAP()
};
