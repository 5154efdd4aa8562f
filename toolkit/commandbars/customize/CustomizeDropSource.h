// The drag of customisation: moves or copies a control between command bars, or inserts a command
// dragged from the customise sheet's command list. It holds the mouse capture, finds the bar under
// the pointer among the bars registered as drop targets, lets the bars show their insertion marks
// and take the drop, and shows the copy, move or no-drop pointer. The command bars own one.
#pragma once

#include "classlib/core/CArray.h"
#include "toolkit/commandbars/CommandBarsDefs.h"

class CTKPCustomizeDropSource : public CCmdTarget {
    DECLARE_DYNAMIC(CTKPCustomizeDropSource)
public:
    explicit CTKPCustomizeDropSource(CTKPCommandBars* pCommandBars);
    ~CTKPCustomizeDropSource() override;

    void RegisterTarget(CTKPCommandBar* pBar);
    // Removes every registration of the bar (a bar that is destroyed mid-drag stops being the target).
    void UnregisterTarget(CTKPCommandBar* pBar);
    int GetTargetCount() const { return (int)m_arrTargets.GetSize(); }

    // Runs the drag until the button is released (drop), Escape, the right button or a lost capture
    // (cancel). Returns CTKPCommandBar::dropNone (released outside every bar), dropCopy, dropMove or
    // dropCancelled. bFromList: the control comes from the command list and is always copied.
    int DoDragDrop(CTKPControl* pControl, BOOL bFromList);

    // The steps of the drag, for the loop above and for tests that drive it without a mouse.
    void BeginDrag(CTKPControl* pControl, BOOL bFromList, CPoint ptStart);
    // The first move shows the control's own bar as being dragged over.
    void FirstMove();
    // The pointer at a screen point; bCopy while Ctrl is held.
    void DragOver(CPoint ptScreen);
    void SetCopyMode(BOOL bCopy);
    // The button released at a screen point: the result as DoDragDrop returns it.
    int Drop(CPoint ptScreen);
    // Leaves the current target and ends the drag.
    void EndDrag();

    CTKPCommandBar* GetCurrentTarget() const { return m_pTarget; }
    BOOL IsMove() const { return m_bMove; }
    BOOL IsFromList() const { return m_bFromList; }
    CPoint GetStartPoint() const { return m_ptStart; }
    // The window that takes the capture: this one when set, else the command bars' frame.
    void SetOwnerWindow(CWnd* pWnd) { m_pOwner = pWnd; }
    CWnd* GetCaptureWindow() const;
    // The pointer for the current state: no target 9303, moving a bar's control 9302, else 9301.
    UINT GetCursorId() const;

protected:
    void UpdateCursor();
    // Runs the message loop of DoDragDrop; the result.
    int RunLoop(HWND hWndCapture);

    CTKPCommandBars* m_pCommandBars;
    HWND m_hWndCapture;
    CTKPControl* m_pControl;
    BOOL m_bMove;
    BOOL m_bFromList;
    CTKPCommandBar* m_pTarget;
    CWnd* m_pOwner;
    CPoint m_ptStart;
    CArray<CTKPCommandBar*, CTKPCommandBar*> m_arrTargets;
    HCURSOR m_hcurNone;
    HCURSOR m_hcurMove;
    HCURSOR m_hcurCopy;
};
