// CSecondDisplay: the right-hand pane of the partition page. Before a scan it shows the chosen
// partition (and, for an Extensive Scan, the file-system choice and the sector range); during a scan
// the counters, the current sector, the progress bar and the status line.
#pragma once

#include "app/pages/InfoPane.h"
#include "engine/volume/FileSystemKind.h"
#include "ui/controls/win/DiskUsagePie.h"
#include "ui/controls/win/XPGroupBox.h"

class CSecondDisplay : public CInfoPane {
    DECLARE_DYNCREATE(CSecondDisplay)
public:
    // The label sets of the five rows.
    enum RowSet { kPartitionRows, kLogicalDriveRows, kQuickScanRows, kFatScanRows, kNtfsScanRows };
    static const wchar_t* const kRowLabels[5][kRows];
    static const wchar_t kHideProgressText[];
    static const wchar_t kShowProgressText[];

    CSecondDisplay();
    ~CSecondDisplay() override;

    // The chosen partition (a negative flag clears it); the end sector of the chosen volume is worked
    // out as start + count - 1.
    void ShowPartitionDetails(int row, int flag);
    void ShowPartitionDetailsPlain();
    void ClearPartitionDetails();
    void ShowDriveDetails();
    void ShowDriveDetailsPlain();
    void ShowScanCounterLabels();
    void ShowFatScanCounterLabels();
    void ShowNtfsScanCounterLabels();
    void ClearValues();
    // The Extensive Scan's options: the file-system choice, and for a VHD the sector range.
    void ShowScanRangeOptions();
    void ShowFileSystemChoiceOnly();
    void HideScanRangeOptions();
    void EnableFileSystemChoice();

    // The "Hide Progress" button and its note.
    void ShowHideProgressButton(BOOL show);
    // Back to "Hide Progress" with the counters shown.
    void ResetProgressShown();
    // The prompt above the rows and the caption of the drive section; the prompt alone, the caption
    // kept.
    void SetPrompt(const CString& text, const CString& caption);
    void SetPrompt(const CString& text);
    // "Searching for lost data. Please wait..." while File Trace runs (empty: hidden).
    void SetSearchNote(const CString& text);

    // The file-system type chosen in the box: index 0 NTFS (300), 1 FAT 32 (200), 2 FAT 16 (100).
    FileSystemKind ChosenFileSystemType() const;
    // The texts of the start and end boxes.
    CString StartSectorText() const;
    CString EndSectorText() const;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnHideProgress();
    DECLARE_MESSAGE_MAP()

private:
    void SetRowSet(RowSet set);
    void SetChoiceByType(FileSystemKind type);
    void ShowRangeControls(BOOL show);

    CFont m_barFont;
    CStatic m_driveCaption;
    CStatic m_partitionCaption;
    CStatic m_fsLabel;
    CStatic m_startLabel;
    CStatic m_endLabel;
    morvick::ui::CXPGroupBox m_driveGroup;
    morvick::ui::CXPGroupBox m_partitionGroup;
    morvick::ui::CDiskUsagePie m_capacityPie;
    CButton m_hideProgress;
    CStatic m_note;
    CStatic m_prompt;
    CStatic m_searchNote;
    CEdit* m_pStartEdit = nullptr;
    CEdit* m_pEndEdit = nullptr;
    CComboBox* m_pFileSystemChoice = nullptr;
    CBrush m_captionBrush;
};
