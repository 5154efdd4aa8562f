// CTKFlatEdit: an edit whose border is drawn flat through a style of CTKFlatEditThemeFactory and
// lights up under the cursor or with the focus.
#pragma once

#include "toolkit/controls/Edit.h"
#include "toolkit/controls/FlatEditTheme.h"

class CTKFlatEdit : public CTKEdit, public CTKThemeStyleHolder {
    DECLARE_DYNAMIC(CTKFlatEdit)
public:
    CTKFlatEdit();

    using CWnd::GetStyle;
    CTKFlatEditTheme* GetEditTheme() const { return static_cast<CTKFlatEditTheme*>(CTKThemeStyleHolder::GetStyle()); }

    // The cursor lies over the edit's window.
    virtual BOOL IsCursorOver();
    // Draws the border into the window-sized rectangle (window coordinates).
    virtual void DrawBorder(CDC* pDC, const CRect& rcWindow);
    // 3 with the focus, 2 under the cursor, 1 otherwise.
    virtual int GetDrawState() const;
    void SetFlat(BOOL bFlat);

    // One step of hot tracking (timer 1000 runs it every 10 ms while the cursor is over).
    void OnHotTrackTimer();

    BOOL m_bHot;
    BOOL m_bFocus;
    BOOL m_bFlat;

protected:
    void RedrawBorder();

    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnNcPaint();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    DECLARE_MESSAGE_MAP()
};
