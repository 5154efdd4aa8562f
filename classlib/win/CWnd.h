// CWnd: the object that owns (or wraps) one window handle, receives its messages through a
// message map and offers the window operations as members.
#pragma once

#include "classlib/win/CCmdTarget.h"
#include "classlib/win/CCmdUI.h"

#include <oaidl.h>

// Names the system headers define as macros that would clash with members.
#ifdef GetNextWindow
#undef GetNextWindow
#endif

class CDC;
class CPoint;
class CRect;
class CSize;
class CMenu;
class CFont;
class CScrollBar;
class CFrameWnd;
class CDataExchange;
class CFile;
struct CCreateContext;

class CWnd;
HWND AfxSafeHandleOf(const CWnd* pWnd);

class CWnd : public CCmdTarget {
  DECLARE_DYNCREATE(CWnd)
 public:
  CWnd();
  virtual ~CWnd();

  HWND m_hWnd;
  HWND m_hWndOwner;  // owner given to Create when it differs from the parent

  // Both may be called through a NULL pointer and then give NULL (a common idiom).
  operator HWND() const { return AfxSafeHandleOf(this); }
  HWND GetSafeHwnd() const { return AfxSafeHandleOf(this); }
  BOOL operator==(const CWnd& wnd) const { return wnd.m_hWnd == m_hWnd; }
  BOOL operator!=(const CWnd& wnd) const { return wnd.m_hWnd != m_hWnd; }

  // Placement handles for SetWindowPos.
  static const CWnd wndTop;
  static const CWnd wndBottom;
  static const CWnd wndTopMost;
  static const CWnd wndNoTopMost;

  // --- The handle map ----------------------------------------------------------------------
  // FromHandle returns the permanent object of hWnd, or a temporary wrapper that lives until
  // the calling thread next frees its temporary objects (its idle time or its end).
  static CWnd* PASCAL FromHandle(HWND hWnd);
  static CWnd* PASCAL FromHandlePermanent(HWND hWnd);
  static void PASCAL DeleteTempMap();

  BOOL Attach(HWND hWndNew);
  HWND Detach();

  // Subclassing: the object takes over hWnd's messages, passing what it leaves to the window's
  // original procedure.
  BOOL SubclassWindow(HWND hWnd);
  BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
  HWND UnsubclassWindow();
  virtual void PreSubclassWindow();

  // --- Creation and destruction ------------------------------------------------------------
  virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                      const RECT& rect, CWnd* pParentWnd, UINT nID,
                      CCreateContext* pContext = NULL);
  BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                LPVOID lpParam = NULL);
  BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = NULL);
  virtual BOOL DestroyWindow();
  virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
  virtual void PostNcDestroy();

  enum AdjustType { adjustBorder = 0, adjustOutside = 1 };
  virtual void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = adjustBorder);

  // --- Message handling --------------------------------------------------------------------
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  virtual WNDPROC* GetSuperWndProcAddr();

  // Calls the original procedure with the message being handled now.
  LRESULT Default();

  // Offers pMsg to the PreTranslateMessage of its window and each parent up to hWndStop.
  static BOOL PASCAL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);

  // Reflection: a parent hands a child's notification back to the child first.
  static BOOL PASCAL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = NULL);
  BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  BOOL SendChildNotifyLastMsg(LRESULT* pResult = NULL);

  void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
                                BOOL bDeep = TRUE, BOOL bOnlyPerm = FALSE);
  static void PASCAL SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam,
                                              LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm);
  void UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
  BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
  virtual void DoDataExchange(CDataExchange* pDX);

  // Layout of control bars along the client area (WM_SIZEPARENT) with the pane nIDLeftOver in
  // the rest.
  enum RepositionFlags { reposDefault = 0, reposQuery = 1, reposExtra = 2, reposNoPosLeftOver = 0x8000 };
  void RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag = reposDefault,
                      LPRECT lpRectParam = NULL, LPCRECT lpRectClient = NULL,
                      BOOL bStretch = TRUE);

  // --- Messages ----------------------------------------------------------------------------
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  BOOL SendNotifyMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

  // --- Styles, ids, relations --------------------------------------------------------------
  DWORD GetStyle() const;
  DWORD GetExStyle() const;
  BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
  BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
  static BOOL PASCAL ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
  static BOOL PASCAL ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
  int GetDlgCtrlID() const;
  int SetDlgCtrlID(int nID);
  CWnd* GetDlgItem(int nID) const;
  void GetDlgItem(int nID, HWND* phWnd) const;
  UINT GetDlgItemInt(int nID, BOOL* lpTrans = NULL, BOOL bSigned = TRUE) const;
  void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE);
  int GetDlgItemText(int nID, LPTSTR lpStr, int nMaxCount) const;
  int GetDlgItemText(int nID, CString& rString) const;
  void SetDlgItemText(int nID, LPCTSTR lpszString);
  void CheckDlgButton(int nIDButton, UINT nCheck);
  void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
  UINT IsDlgButtonChecked(int nIDButton) const;
  int GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton);
  CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
  CWnd* GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
  CWnd* GetParent() const;
  CWnd* SetParent(CWnd* pWndNewParent);
  CWnd* GetOwner() const;
  void SetOwner(CWnd* pOwnerWnd);
  CWnd* GetTopLevelParent() const;
  CWnd* GetTopLevelOwner() const;
  CWnd* GetParentOwner() const;
  CFrameWnd* GetParentFrame() const;
  CFrameWnd* GetTopLevelFrame() const;
  CWnd* GetSafeOwner(CWnd* pParent = NULL, HWND* pWndTop = NULL);
  static CWnd* PASCAL GetSafeOwner_(HWND hWnd, HWND* pWndTop);
  CWnd* GetWindow(UINT nCmd) const;
  CWnd* GetTopWindow() const;
  CWnd* GetNextWindow(UINT nFlag = GW_HWNDNEXT) const;
  CWnd* GetLastActivePopup() const;
  CWnd* ChildWindowFromPoint(POINT point) const;
  BOOL IsChild(const CWnd* pWnd) const;
  static CWnd* PASCAL GetDesktopWindow();
  static CWnd* PASCAL GetActiveWindow();
  CWnd* SetActiveWindow();
  static CWnd* PASCAL GetForegroundWindow();
  BOOL SetForegroundWindow();
  static CWnd* PASCAL GetFocus();
  CWnd* SetFocus();
  static CWnd* PASCAL GetCapture();
  CWnd* SetCapture();
  static CWnd* PASCAL FindWindow(LPCTSTR lpszClassName, LPCTSTR lpszWindowName);
  static CWnd* PASCAL WindowFromPoint(POINT point);

  // --- State and placement -----------------------------------------------------------------
  BOOL IsWindowVisible() const;
  BOOL IsWindowEnabled() const;
  BOOL EnableWindow(BOOL bEnable = TRUE);
  BOOL IsIconic() const;
  BOOL IsZoomed() const;
  BOOL ShowWindow(int nCmdShow);
  BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
  void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
  void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
  void BringWindowToTop();
  void CenterWindow(CWnd* pAlternateOwner = NULL);
  BOOL GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const;
  BOOL SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl);
  void GetClientRect(LPRECT lpRect) const;
  void GetWindowRect(LPRECT lpRect) const;
  void ClientToScreen(LPPOINT lpPoint) const;
  void ClientToScreen(LPRECT lpRect) const;
  void ScreenToClient(LPPOINT lpPoint) const;
  void ScreenToClient(LPRECT lpRect) const;
  void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const;
  void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const;
  int SetWindowRgn(HRGN hRgn, BOOL bRedraw);
  BOOL IsWindow() const { return ::IsWindow(m_hWnd); }

  // --- Text --------------------------------------------------------------------------------
  void SetWindowText(LPCTSTR lpszString);
  int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const;
  void GetWindowText(CString& rString) const;
  int GetWindowTextLength() const;

  // --- Painting ----------------------------------------------------------------------------
  void Invalidate(BOOL bErase = TRUE);
  void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
  void InvalidateRgn(HRGN hRgn, BOOL bErase = TRUE);
  void ValidateRect(LPCRECT lpRect);
  void UpdateWindow();
  BOOL RedrawWindow(LPCRECT lpRectUpdate = NULL, HRGN hRgnUpdate = NULL,
                    UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  void SetRedraw(BOOL bRedraw = TRUE);
  BOOL LockWindowUpdate();
  void UnlockWindowUpdate();
  BOOL ShowScrollBar(UINT nBar, BOOL bShow = TRUE);
  int GetScrollPos(int nBar) const;
  int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE);
  void GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const;
  void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
  BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL);
  BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
  void ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect = NULL, LPCRECT lpClipRect = NULL);
  BOOL FlashWindow(BOOL bInvert);

  // These need the drawing and menu wrappers of the class library.
  CDC* GetDC();
  CDC* GetWindowDC();
  CDC* GetDCEx(HRGN hRgnClip, DWORD flags);
  int ReleaseDC(CDC* pDC);
  void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
  CFont* GetFont() const;
  CMenu* GetMenu() const;
  BOOL SetMenu(CMenu* pMenu);
  CMenu* GetSystemMenu(BOOL bRevert) const;
  void DrawMenuBar();

  // --- Timers, icons, properties -----------------------------------------------------------
  UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse,
                    void(CALLBACK* lpfnTimer)(HWND, UINT, UINT_PTR, DWORD) = NULL);
  BOOL KillTimer(UINT_PTR nIDEvent);
  HICON SetIcon(HICON hIcon, BOOL bBigIcon);
  HICON GetIcon(BOOL bBigIcon) const;
  void DragAcceptFiles(BOOL bAccept = TRUE);
  BOOL OpenClipboard();
  static void PASCAL ReleaseCapture_() { ::ReleaseCapture(); }
  int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = NULL, UINT nType = MB_OK);

  // Tooltips for child controls; this layer keeps the flag and lets the toolkit do the rest.
  BOOL EnableToolTips(BOOL bEnable = TRUE);
  BOOL m_bToolTipsEnabled;
  // Which tool is at point (client coordinates): by default the visible child window there,
  // described in *pTI (when given) as a window tool with callback text. -1 when there is none.
  virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const;

  // --- ActiveX controls (the container is COleControlSite) ---------------------------------
  // Makes this object the window of a new control of clsid (or of a programmatic id), in-place
  // active in a child of pParentWnd. FALSE when the control cannot be created; no window remains
  // then. Persistence (pPersist, bStorage) and licence keys are not supported and must be NULL.
  BOOL CreateControl(REFCLSID clsid, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                     CWnd* pParentWnd, UINT nID, CFile* pPersist = NULL, BOOL bStorage = FALSE,
                     BSTR bstrLicKey = NULL);
  BOOL CreateControl(LPCTSTR pszClass, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                     CWnd* pParentWnd, UINT nID, CFile* pPersist = NULL, BOOL bStorage = FALSE,
                     BSTR bstrLicKey = NULL);
  // The control's IUnknown (not AddRef'd), or NULL when this window holds no control.
  LPUNKNOWN GetControlUnknown();
  // Calls the control's dispatch interface (see COleDispatchDriver::InvokeHelper); throws
  // COleException (E_NOINTERFACE without a control) or COleDispatchException.
  void InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo, ...);

  // The child, grandchild... with id nID (only windows with objects when bOnlyPerm).
  CWnd* GetDescendantWindow(int nID, BOOL bOnlyPerm = FALSE) const;
  static CWnd* PASCAL GetDescendantWindow(HWND hWnd, int nID, BOOL bOnlyPerm);

  // --- Default message handlers ------------------------------------------------------------
  // Each passes the message on to the original procedure unless noted.
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnDestroy();
  afx_msg void OnNcDestroy();  // detaches the object and calls PostNcDestroy
  afx_msg void OnClose();
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnSizing(UINT fwSide, LPRECT pRect);
  afx_msg void OnMove(int x, int y);
  afx_msg void OnMoving(UINT fwSide, LPRECT pRect);
  afx_msg void OnPaint();
  afx_msg void OnNcPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg void OnKillFocus(CWnd* pNewWnd);
  afx_msg void OnEnable(BOOL bEnable);
  afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
  afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
  afx_msg BOOL OnNcActivate(BOOL bActive);
  afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnMButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnMButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnMButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
  afx_msg void OnMouseHover(UINT nFlags, CPoint point);
  afx_msg void OnMouseLeave();
  afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
  afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point);
  afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
  afx_msg void OnNcRButtonDown(UINT nHitTest, CPoint point);
  afx_msg void OnNcRButtonUp(UINT nHitTest, CPoint point);
  afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
  afx_msg LRESULT OnNcHitTest(CPoint point);
  afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnSysChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
  afx_msg UINT OnGetDlgCode();
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);  // reflects to the control first
  afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);  // reflects
  afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);  // reflects
  afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
  afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
  afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
  afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);        // reflects
  afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);  // reflects
  afx_msg int OnCompareItem(int nIDCtl, LPCOMPAREITEMSTRUCT lpCompareItemStruct);    // reflects
  afx_msg void OnDeleteItem(int nIDCtl, LPDELETEITEMSTRUCT lpDeleteItemStruct);      // reflects
  afx_msg void OnParentNotify(UINT message, LPARAM lParam);  // reflects WM_CREATE/WM_DESTROY...
  afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
  afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
  afx_msg void OnCaptureChanged(CWnd* pWnd);
  afx_msg void OnCancelMode();
  afx_msg void OnSysColorChange();
  afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
  afx_msg void OnDropFiles(HDROP hDropInfo);
  afx_msg BOOL OnQueryEndSession();
  afx_msg void OnEndSession(BOOL bEnding);
  afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
  afx_msg void OnEnterSizeMove();
  afx_msg void OnExitSizeMove();
  afx_msg LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
  afx_msg void OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyleStruct);
  afx_msg void OnStyleChanging(int nStyleType, LPSTYLESTRUCT lpStyleStruct);
  afx_msg void OnEnterMenuLoop(BOOL bIsTrackPopupMenu);
  afx_msg void OnExitMenuLoop(BOOL bIsTrackPopupMenu);
  afx_msg void OnNcRButtonDblClk(UINT nHitTest, CPoint point);
  afx_msg void OnNcMButtonDown(UINT nHitTest, CPoint point);
  afx_msg void OnNcMButtonUp(UINT nHitTest, CPoint point);
  afx_msg void OnNcMouseHover(UINT nHitTest, CPoint point);
  afx_msg void OnNcMouseLeave();
  afx_msg LRESULT ReflectCompareItem(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT ReflectDeleteItem(WPARAM wParam, LPARAM lParam);

 protected:
  WNDPROC m_pfnSuper;  // the window's original procedure, when this object subclassed it

  // Called by the window procedure when the window is gone; the object may be deleted here.
  void HandleNcDestroy();

  friend LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam,
                                       LPARAM lParam);
  friend struct CWndCreateHook;

  DECLARE_MESSAGE_MAP()

 private:
  CWnd(HWND hWnd);  // the placement handles
};

// The compiler may assume 'this' is never NULL; the barrier hides where the pointer came from
// so that the test is kept.
inline HWND AfxSafeHandleOf(const CWnd* pWnd) {
  const void* p = pWnd;
  __asm__("" : "+r"(p));
  return p == NULL ? NULL : static_cast<const CWnd*>(p)->m_hWnd;
}

// The window procedure every window of this layer runs.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
WNDPROC AFXAPI AfxGetAfxWndProc();
LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

// Reports an exception that reached the window procedure (NULL: not a library exception).
class CException;
void AFXAPI AfxReportWindowProcException(CException* e);

// Dispatches a window message whose handler takes drawing or menu wrapper types.
BOOL AFXAPI AfxDispatchWndMsgGdi(CWnd* pWnd, UINT_PTR nSig, AFX_PMSG pfn, UINT message,
                                 WPARAM wParam, LPARAM lParam, LRESULT* pResult);

// The menu handle of a menu wrapper and the wrapper of a handle.
HMENU AFXAPI AfxGetMenuHandle(CMenu* pMenu);
CMenu* AFXAPI AfxMenuFromHandle(HMENU hMenu);

// Makes pWnd the object of the next window this thread creates; CreateEx uses it, and so do
// dialogs. The object is attached in the creation hook, before the window's first message.
void AFXAPI AfxHookWindowCreate(CWnd* pWnd);
BOOL AFXAPI AfxUnhookWindowCreate();

// The message the calling thread is handling now (Default() and reflection use it).
const MSG* AFXAPI AfxGetCurrentMessage();

// Window classes. AfxRegisterWndClass returns a class name (kept for the process) for the
// given class style, cursor, background brush and icon.
LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = 0,
                                   HBRUSH hbrBackground = 0, HICON hIcon = 0);
BOOL AFXAPI AfxRegisterClass(WNDCLASS* lpWndClass);
// Registers one of the layer's own classes below (TRUE when it is registered).
BOOL AFXAPI AfxEndDeferRegisterClass(LPCTSTR lpszClassName);
// Names of the standard classes of this layer (registered on first use).
extern const TCHAR _afxWnd[];            // plain child and popup windows
extern const TCHAR _afxWndFrameOrView[]; // frames and views
#define AFX_WND _afxWnd
#define AFX_WNDFRAMEORVIEW _afxWndFrameOrView

#include "classlib/win/AfxWndMsgMacros.h"
