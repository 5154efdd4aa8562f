// CFileSystemView: page 3 of the wizard. After an Extensive Scan the file systems it found are listed
// in the tree on the left; choosing one shows its parameters in the form on the right, and Next scans
// it on the worker (the page polls it) and goes on to the results page. Back returns to the
// partition page, Home to the start page.
#pragma once

#include "app/pages/WizardPage.h"
#include "app/trees/FileSystemTreeCtrl.h"
#include "app/workers/ResultTreeBuild.h"
#include "app/workers/WizardScanObserver.h"
#include "engine/volume/FileSystemKind.h"
#include "ui/controls/win/PaneSplitter.h"

class CFileSystemForm;

class CFileSystemView : public CWizardPage, public wizard::IWorkerReportSink {
    DECLARE_DYNCREATE(CFileSystemView)
public:
    static const wchar_t kChooseFileSystemText[];
    static const wchar_t kStopQuestion[];

    CFileSystemView();
    ~CFileSystemView() override;

    // Before the Extensive Scan starts: the file-system type chosen and the prompt of the page.
    void PrepareForScan(FileSystemKind fileSystemType, const CString& prompt);
    // After it: the found volumes listed (the engine's found-volume list), the labels of the type.
    void ShowFoundVolumes();
    void SetStatusText(const CString& text);
    // The form's values emptied and its progress hidden (Back from the results page).
    void ResetForm();

    // The parameters of a tree item's file system shown in the form and made the browsed volume.
    void ShowFileSystemInfo(HTREEITEM item);
    // The first file system found chosen in the tree and shown (nothing when none was found).
    void ShowFirstFoundVolume();
    // The position in the found-volume list of the chosen file system (1 the first), 0 for none.
    int ChosenVolume() const { return m_nChosenVolume; }

    void OnNext();
    void OnBack();
    void OnStop();
    void OnHome();
    // True from the start of the scan until the poll has taken its end and the results are shown:
    // Next, Back and Home wait meanwhile.
    bool IsBusy() const;

    void ApplyWorkerReports(const wizard::WorkerReports& reports) override;

    CFileSystemTreeCtrl m_wndTree;
    CFileSystemForm* m_pForm = nullptr;
    morvick::ui::CPaneSplitter m_wndSplitter;
    morvick::ui::CToolButton m_btnNext;
    morvick::ui::CToolButton m_btnBack;
    morvick::ui::CToolButton m_btnStop;
    morvick::ui::CToolButton m_btnHome;

protected:
    void HeaderBitmaps(UINT& left, UINT& middle, UINT& right) const override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnNextCommand();
    afx_msg void OnBackCommand();
    afx_msg void OnStopCommand();
    afx_msg void OnHomeCommand();
    DECLARE_MESSAGE_MAP()

private:
    void ShowIdle();
    void ShowTypeLabels();
    // The built results shown: the results page, the stage and its buttons.
    void ShowScanResults();

    CString m_strPrompt;
    FileSystemKind m_chosenType = FileSystemKind::kNone;
    int m_nChosenVolume = 0;
    bool m_bRunning = false;
    wizard::CResultTreeBuild m_treeBuild;
};
