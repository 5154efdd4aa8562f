// The modeless progress window a viewer shows while it loads: made over the viewer (which is
// disabled while it exists), with a range, a handle that a loader may report to (its progress bar
// child takes PBM_SETPOS), and DestroyWindow, which enables the viewer again. The application may
// give its own progress dialog through SetPreviewProgressFactory; without one a plain window with
// a progress bar is used.
#pragma once

#include "classlib/win/AfxWin.h"

class CPreviewProgress {
public:
    virtual ~CPreviewProgress() = default;
    virtual BOOL Create(CWnd* pParent) = 0;
    virtual void SetRange(int nLower, int nUpper) = 0;
    virtual void Show() = 0;
    virtual HWND GetSafeHwnd() const = 0;
    virtual BOOL DestroyWindow() = 0;
};

typedef CPreviewProgress* (*PreviewProgressFactory)();
void SetPreviewProgressFactory(PreviewProgressFactory factory);
// A new progress window of the installed kind; the caller deletes it.
CPreviewProgress* CreatePreviewProgress();
