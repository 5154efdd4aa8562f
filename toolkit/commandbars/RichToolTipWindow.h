// The rich-text tip (tip style 3): the tool's text is read as RTF (plain text when it is not) into
// a rich edit child, which measures it and prints it into the tip.
#pragma once

#include "classlib/win/CRichEditCtrl.h"
#include "toolkit/commandbars/ToolTipWindow.h"

class CTKPRichToolTipWindow : public CTKPToolTipWindow {
public:
    CTKPRichToolTipWindow();

    CSize CalcTipSize(Tool* pTool) override;
    void DrawTip(CDC* pDC, Tool* pTool, CRect rect) override;

    CRichEditCtrl& GetRichEdit() { return m_wndRichEdit; }
    // Reads the text into the child: as RTF first, as plain text when that takes nothing.
    void StreamText(const CString& strText);

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    DECLARE_MESSAGE_MAP()

    // The child's height at a width, as its resize request reports it.
    int MeasureHeight(int nWidth);

    CRichEditCtrl m_wndRichEdit;
    CSize m_sizeRequested;
};
