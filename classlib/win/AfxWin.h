// The window layer of the class library in one include: the portable core, message maps,
// windows, threads, the application, documents, frames, views, dialogs and data exchange, and
// the drawing and control wrappers.
#pragma once

#include "classlib/core/AfxCore.h"

#include "classlib/win/AfxWinDefs.h"
#include "classlib/win/AfxMsgMap.h"
#include "classlib/win/CCmdTarget.h"
#include "classlib/win/CCmdUI.h"
#include "classlib/win/CWnd.h"
#include "classlib/win/CWinThread.h"
#include "classlib/win/CCommandLineInfo.h"
#include "classlib/win/CRecentFileList.h"
#include "classlib/win/CWinApp.h"
#include "classlib/win/CCreateContext.h"
#include "classlib/win/CDocument.h"
#include "classlib/win/CView.h"
#include "classlib/win/CDocTemplate.h"
#include "classlib/win/CFrameWnd.h"
#include "classlib/win/CMiniFrameWnd.h"
#include "classlib/win/CDialog.h"
#include "classlib/win/CDataExchange.h"
#include "classlib/win/AfxMessageLog.h"

#include "classlib/win/AfxGdi.h"
#if __has_include("classlib/win/AfxCtrls.h")
#include "classlib/win/AfxCtrls.h"
#endif
