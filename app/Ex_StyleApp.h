// CEx_StyleApp: the application object of Morvick.
#pragma once

#include "classlib/win/AfxWin.h"

class CEx_StyleApp : public CWinApp {
 public:
  CEx_StyleApp();
  BOOL InitInstance() override;

  DECLARE_MESSAGE_MAP()
};

extern CEx_StyleApp theApp;
