// CFirstView_HDD: page 1 of the wizard. The device tree beside the drive information pane; the
// user picks the opened virtual disk and presses Next, which walks its partition table and runs the
// partition search on a worker while the page polls it; then the wizard goes on to the partition
// page. Back and Home return to the start page, Stop interrupts the search.
#pragma once

#include "app/pages/WizardPage.h"
#include "app/trees/DeviceTreeCtrl.h"
#include "app/workers/WizardScanObserver.h"
#include "ui/controls/win/PaneSplitter.h"
#include "ui/controls/win/XPGroupBox.h"

class CFirstDisplay;

class CFirstView_HDD : public CWizardPage, public wizard::IWorkerReportSink {
    DECLARE_DYNCREATE(CFirstView_HDD)
public:
    // The texts of the three modes: the message for a damaged logical drive, the mode summary of a
    // disk and of a logical drive, and the partition page's prompts for a logical drive and a disk.
    struct ModeTexts {
        LPCWSTR damagedPartition;
        LPCWSTR logicalDrivePrompt;
        LPCWSTR partitionPrompt;
    };
    static ModeTexts TextsFor(int scanMode);
    static const wchar_t kBackPromptText[];

    CFirstView_HDD();
    ~CFirstView_HDD() override;

    void OnNext();
    void OnBack();
    void OnStop();
    // True from the start of the search until the poll has taken its end: Next, Back and Home
    // wait meanwhile.
    bool IsBusy() const;
    // The start page opened an image: its entry becomes the tree's one "Virtual Hard Disk" and is chosen.
    void FillDeviceTree();
    // Idle again: Next and Back shown, Stop hidden, the tree enabled.
    void ShowIdleButtons();

    void ApplyWorkerReports(const wizard::WorkerReports& reports) override;

    CFirstDisplay* m_pDisplay = nullptr;
    CDeviceTreeCtrl m_wndDeviceTree;
    morvick::ui::CPaneSplitter m_wndSplitter;
    morvick::ui::CToolButton m_btnNext;
    morvick::ui::CToolButton m_btnBack;
    morvick::ui::CToolButton m_btnHome;
    morvick::ui::CToolButton m_btnStop;
    // The keyboard ring: Next shown pressed, Back shown pressed, the tree focused, none.
    int m_nKeyFocus[4] = {1, 0, 0, 0};
    // The ring from its first state again: both buttons released, the next Tab shows Next pressed.
    void RestartKeyRing();

protected:
    void HeaderBitmaps(UINT& left, UINT& middle, UINT& right) const override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnNextCommand();
    afx_msg void OnBackCommand();
    afx_msg void OnStopCommand();
    DECLARE_MESSAGE_MAP()

private:
    // The search has ended: the partition page takes over.
    void FinishSearch();

    morvick::ui::CXPGroupBox m_helpGroup;
    CStatic m_emptyStatic;
    bool m_bSearching = false;
};
