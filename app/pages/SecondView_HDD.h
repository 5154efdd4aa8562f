// CSecondView_HDD: page 2 of the wizard. The partitions of the disk in a device tree beside the scan
// progress pane; Scan checks the choice and starts the worker of the mode, Stop asks and stops it,
// the one-second poll notices its end and moves the wizard on, Back returns to the drive page.
#pragma once

#include "app/pages/WizardPage.h"
#include "app/trees/DeviceTreeCtrl.h"
#include "app/workers/ResultTreeBuild.h"
#include "app/workers/WizardScanObserver.h"
#include "ui/controls/win/PaneSplitter.h"

class CSecondDisplay;

class CSecondView_HDD : public CWizardPage, public wizard::IWorkerReportSink {
    DECLARE_DYNCREATE(CSecondView_HDD)
public:
    static const wchar_t kStopQuestion[];
    static const wchar_t kChoosePartitionScanText[];
    static const wchar_t kChoosePartitionNextText[];
    static const wchar_t kInvalidStartText[];
    static const wchar_t kInvalidEndText[];
    static const wchar_t kEndNotAboveStartText[];
    static const wchar_t kNoFileSystemFoundText[];
    static const wchar_t kNoFileSystemFoundMessage[];
    static const wchar_t kQuickScanHintText[];

    CSecondView_HDD();
    ~CSecondView_HDD() override;

    void OnScan();
    void OnBack();
    void OnStop();
    // True from the start of a worker until the poll has taken its end and the results are shown:
    // Scan, Back and Home wait meanwhile.
    bool IsBusy() const;
    // Scan and Back shown, Home enabled (and hidden: it has no place on this page), Stop hidden.
    void ShowIdleButtons();
    // Shows or hides the tree and the left side of the splitter.
    void ShowTree(BOOL show);

    // A sector box's text as a sector number: digits only (blanks around them allowed), at most
    // 2^32 - 1. False for anything else.
    static bool ParseSectorNumber(const CString& text, uint32_t& value);
    // The end of a range may lie past 2 TiB (a partition crossing it): a whole 64-bit number.
    static bool ParseEndSectorNumber(const CString& text, uint64_t& value);

    void ApplyWorkerReports(const wizard::WorkerReports& reports) override;
    // "Reading Sector n Of m": where a scan reads, shown only while the progress is.
    static bool IsReadingPositionStatus(const std::u16string& status);

    CSecondDisplay* m_pDisplay = nullptr;
    CDeviceTreeCtrl m_wndDeviceTree;
    morvick::ui::CPaneSplitter m_wndSplitter;
    morvick::ui::CToolButton m_btnScan;
    morvick::ui::CToolButton m_btnBack;
    morvick::ui::CToolButton m_btnStop;
    morvick::ui::CToolButton m_btnHome;
    int m_nKeyFocus[4] = {0, 0, 0, 0};  // tree, Scan, Back, spare
    int m_nBusy = 0;                    // 1 while a worker builds the result tree

protected:
    void HeaderBitmaps(UINT& left, UINT& middle, UINT& right) const override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnScanCommand();
    afx_msg void OnBackCommand();
    afx_msg void OnStopCommand();
    afx_msg void OnHomeCommand();
    DECLARE_MESSAGE_MAP()

private:
    // The display and buttons while a worker runs.
    void ShowRunning();
    // Back to the page's idle look after a scan that could not go on.
    void ShowScanFailed();
    // The counters of the running scan, from the engine's words.
    void RefreshCounters();
    // Stop hidden and disabled once the Extensive Scan's NTFS analysis is past its boot sectors.
    void HideStopForAnalysis();
    void PollQuickScanOrTrace(int outcome);
    // The built results shown: the results page, the stage and its buttons.
    void ShowScanResults(int mode);
    void PollExtensiveScan(int outcome);

    int m_nRunningMode = -1;  // the scan mode of the running worker; -1 none
    CString m_strCurrentSector;
    CString m_strLastName;
    wizard::CResultTreeBuild m_treeBuild;
};
