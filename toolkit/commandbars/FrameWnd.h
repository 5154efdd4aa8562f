// The frame base that gives a frame its command bars: it holds the manager and routes the frame's
// key messages, window messages, frame loading and print preview through it.
#pragma once

#include "classlib/win/CFrameWnd.h"
#include "toolkit/commandbars/CommandBarsDefs.h"

class CTKPFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CTKPFrameWnd)
public:
    CTKPFrameWnd();
    ~CTKPFrameWnd() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
        CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL) override;
    void OnSetPreviewMode(BOOL bPreview, void* pState) override;

    CTKPCommandBars* GetCommandBars() const { return m_pCommandBars; }

    // TRUE when the window is the edit window of a command-bar edit control (run-time class
    // "CTKPEdit", when the program has it).
    static BOOL IsCommandBarEdit(HWND hWnd);

    CTKPCommandBars* m_pCommandBars;
};

// What every frame with command bars (single or multiple document) does with them.
namespace tkpframe {
// Keys typed into a command-bar edit box stay with it: shortcuts and mnemonics do not fire.
BOOL IsKeyForCommandBarEdit(const MSG* pMsg);
// The control notification of a bar goes through the frame's command route as a WM_NOTIFY.
BOOL RouteControlNotify(CCmdTarget* pFrame, LPARAM lParam, LRESULT* pResult);
// After the frame is loaded: only the key bindings translate shortcuts once they hold the program's
// table.
void OnFrameLoaded(CFrameWnd* pFrame, CTKPCommandBars* pCommandBars);
}  // namespace tkpframe
