// CFirstDisplay: the right-hand pane of the drive page. Under "Selected Drive Information" it
// describes the disk (or logical drive) chosen in the device tree, with a pie of its partitions;
// during the partition search it carries the progress bar and the status line.
#pragma once

#include "app/pages/InfoPane.h"
#include "ui/controls/win/DiskUsagePie.h"
#include "ui/controls/win/PieChart.h"
#include "ui/controls/win/XPGroupBox.h"

class CFirstDisplay : public CInfoPane {
    DECLARE_DYNCREATE(CFirstDisplay)
public:
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

    // The pie's slices as the pane shows them (tests read them).
    const morvick::ui::CPieChart& PartitionPie() const { return m_partitionPie; }

    void OnDraw(CDC* pDC) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    CRect PieRect() const;
    // The prompt's height at a width.
    int PromptHeight(int width);

    morvick::ui::CPieChart m_partitionPie;
    CStatic m_caption;  // "Selected Drive Information"
    CStatic m_prompt;
    morvick::ui::CXPGroupBox m_driveGroup;
    morvick::ui::CXPGroupBox m_pieGroup;
    morvick::ui::CDiskUsagePie m_capacityPie;
    bool m_pieShown = false;
};
