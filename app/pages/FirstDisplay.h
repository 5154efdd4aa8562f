// CFirstDisplay: the right-hand pane of the drive page. Under "Selected Drive Information" it
// describes the disk (or logical drive) chosen in the device tree, with a pie of its partitions;
// during the partition search it carries the progress bar and the status line.
#pragma once

#include "classlib/win/AfxWin.h"
#include "ui/controls/win/DiskUsagePie.h"
#include "ui/controls/win/GradientProgressCtrl.h"
#include "ui/controls/win/PieChart.h"
#include "ui/controls/win/XPGroupBox.h"

class CFirstDisplay : public CView {
  DECLARE_DYNCREATE(CFirstDisplay)
 public:
  static constexpr int kRows = 5;
  static const wchar_t kPromptText[];

  CFirstDisplay();
  ~CFirstDisplay() override;

  // Disk labels and the disk's values (geometry and capacity); a negative index only hides the pies.
  void ShowDiskDetails(int diskIndex);
  // Logical-drive labels and the drive's values; a negative index empties them.
  void ShowVolumeDetails(int driveIndex);
  // Rebuilds the pie of the found partitions of the current disk.
  void ShowPartitionPie();
  // Hides the capacity pie and its caption and empties the partition pie.
  void HideDrivePies();
  // Back to the prompt: values emptied, pies hidden, progress bar and status line hidden.
  void ResetPane();
  void SetPrompt(const CString& text);
  // Before the partition search: the progress bar at 0 and the status line shown.
  void PrepareForSearch();

  void SetProgressPos(int position);
  void SetStatusText(const CString& text);
  void ShowProgressBar();
  void HideProgressBar();
  void ShowStatusLine();
  void HideStatusLine();

  // The pie's slices as the pane shows them (tests read them).
  const morvick::ui::CPieChart& PartitionPie() const { return m_partitionPie; }
  CString RowLabel(int row) const;
  CString RowValue(int row) const;

  void OnDraw(CDC* pDC) override;
  void OnInitialUpdate() override {}
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  DECLARE_MESSAGE_MAP()

 private:
  void SetDiskLabels();
  void SetVolumeLabels();
  void ClearValues();
  CRect PieRect() const;

  CFont m_labelFont;
  CFont m_valueFont;
  CStatic m_labels[kRows];
  CStatic m_values[kRows];
  morvick::ui::CPieChart m_partitionPie;
  CStatic m_caption;  // "Selected Drive Information"
  CStatic m_prompt;
  morvick::ui::CXPGroupBox m_driveGroup;
  morvick::ui::CXPGroupBox m_pieGroup;
  morvick::ui::CDiskUsagePie m_capacityPie;
  morvick::ui::CGradientProgressCtrl m_progress;
  CStatic m_status;
  CBrush m_whiteBrush;
  bool m_pieShown = false;
};
