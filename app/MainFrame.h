// CMainFrame: the main window of Morvick.
#pragma once

#include "classlib/win/AfxWin.h"

class CMainFrame : public CFrameWnd {
  DECLARE_DYNCREATE(CMainFrame)
 public:
  CMainFrame();
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;

  DECLARE_MESSAGE_MAP()
};
