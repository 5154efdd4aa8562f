// CMiniFrameWnd: a frame with a small tool-window caption, used for floating panes and bars.
#pragma once

#include "classlib/win/CFrameWnd.h"

// Mini-frame style bits, given with the window style to Create and taken out before the window is
// made. MFS_BLOCKSYSMENU is 0x1000 so that WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME |
// MFS_BLOCKSYSMENU is 0x80CC1000.
#define MFS_SYNCACTIVE 0x00000100L   // looks active while its owner is active
#define MFS_4THICKFRAME 0x00000200L  // sizing frame without corner sizing
#define MFS_THICKFRAME 0x00000400L   // sizing frame
#define MFS_MOVEFRAME 0x00000800L    // the whole frame moves the window
#define MFS_BLOCKSYSMENU 0x00001000L // the caption has no system menu of its own
#define MFS_ALL (MFS_SYNCACTIVE | MFS_4THICKFRAME | MFS_THICKFRAME | MFS_MOVEFRAME | MFS_BLOCKSYSMENU)

class CMiniFrameWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMiniFrameWnd)
 public:
  CMiniFrameWnd();
  virtual ~CMiniFrameWnd();

  BOOL Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
              CWnd* pParentWnd = NULL, UINT nID = 0);
  BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle,
                const RECT& rect, CWnd* pParentWnd = NULL, UINT nID = 0);

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;

  // The MFS_* bits the window was created with.
  DWORD GetMiniFrameStyle() const { return m_dwMiniFrameStyle; }

  BOOL m_bSysTracking;
  BOOL m_bInSys;
  BOOL m_bActive;  // the caption is drawn active
  CString m_strCaption;

  afx_msg BOOL OnNcActivate(BOOL bActive);
  afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
  afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);

 protected:
  DWORD m_dwMiniFrameStyle;

  DECLARE_MESSAGE_MAP()
};

// wParam of WM_FLOATSTATUS.
#define FS_SHOW 0x01
#define FS_HIDE 0x02
#define FS_ACTIVATE 0x04
#define FS_DEACTIVATE 0x08
#define FS_ENABLE 0x10
#define FS_DISABLE 0x20
#define FS_SYNCACTIVE 0x40
