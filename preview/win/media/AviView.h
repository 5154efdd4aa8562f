// CAviView: plays an ".avi" file at once in a Video for Windows window; playback stops when the
// view goes. A file the window cannot open is reported as a failed preview.
#pragma once

#include "classlib/win/AfxWin.h"

class CAviView : public CView {
    DECLARE_DYNCREATE(CAviView)
public:
    CAviView();
    ~CAviView() override;

    void OnDraw(CDC* pDC) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();

    HWND GetMciWindow() const { return m_hMciWnd; }

protected:
    HWND m_hMciWnd;

    DECLARE_MESSAGE_MAP()
};
