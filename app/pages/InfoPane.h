// What the information panes of the drive and partition pages share: five rows of a label and a
// value, a progress bar with its status line above it, a white background, and the page they
// belong to, which stays the frame's active view when the pane is clicked.
#pragma once

#include <initializer_list>

#include "classlib/win/AfxWin.h"
#include "ui/controls/win/GradientProgressCtrl.h"

class CInfoPane : public CView {
    DECLARE_DYNAMIC(CInfoPane)
public:
    static constexpr int kRows = 5;

    // The bar's position, the status line and a row's value are set only when they change.
    void SetProgressPos(int position);
    void SetStatusText(const CString& text);
    void ShowProgressBar();
    void HideProgressBar();
    void ShowStatusLine();
    void HideStatusLine();

    // The label and the value of a row, counted from 0.
    CString RowLabel(int row) const;
    CString RowValue(int row) const;
    void SetRowValue(int row, const CString& text);
    // The row's label and value both emptied.
    void EmptyRow(int row);

    void OnDraw(CDC* pDC) override;
    void OnInitialUpdate() override {}
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    explicit CInfoPane(int page);

    // The rows with their first labels, the progress bar (its text in barFont) and the status
    // line; the bar and the line start hidden.
    void CreateRowsAndProgress(const wchar_t* const labels[kRows], CFont* barFont);
    void SetRowLabels(const wchar_t* const labels[kRows]);
    void ClearRowValues();
    // Lays the rows out from top, and the status line and the bar at the bottom.
    void PlaceRows(int x, int top, int width, int labelWidth, int rowHeight);
    // The width of the label column: the widest label of every set the pane shows, as the label
    // font draws it, and at least `minimum`.
    int RowLabelWidth(std::initializer_list<const wchar_t* const*> labelSets, int minimum);
    void PlaceProgress(int x, int width, int bottom, int barHeight);
    // The pane laid out again at its size, for texts that need other room.
    void Relayout();
    // Makes the pane's page the frame's active view.
    void ActivatePage();

    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

    CFont m_labelFont;  // "Arial", 16 pixels
    CFont m_valueFont;
    CStatic m_labels[kRows];
    CStatic m_values[kRows];
    morvick::ui::CGradientProgressCtrl m_progress;
    CStatic m_status;
    CBrush m_whiteBrush;

private:
    int m_nPage;
};
