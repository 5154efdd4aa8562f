// CThirdView_HDD: page 4 of the wizard, the found folders and files. The result tree on the left,
// the result list above the preview pane on the right (two splitters), Save (Recover Selected), Back
// and Home. It is reached when a scan ends or a snapshot is loaded; Save gathers what is ticked and
// saves it, Back empties the results and returns to the page the scan was started from.
#pragma once

#include "app/lists/ResultListCtrl.h"
#include "app/pages/WizardPage.h"
#include "app/trees/ResultTreeCtrl.h"
#include "ui/controls/win/PaneSplitter.h"

class CMainPreviewView;

class CThirdView_HDD : public CWizardPage, public IResultCommands {
    DECLARE_DYNCREATE(CThirdView_HDD)
public:
    static const wchar_t kNothingMarkedText[];

    CThirdView_HDD();
    ~CThirdView_HDD() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // The result list's columns of a scan mode, and emptied.
    virtual void SetColumnsForMode(int scanMode);
    virtual void ClearResultList();
    // A scan of the given mode has ended (or a snapshot was loaded): the tree and the list of what
    // the engine's lists hold.
    virtual void ShowScanResults(int scanMode);
    // The same in steps: BeginScanResults sets the list up for the mode and begins the tree's
    // building (false without a list); Tree().ContinueBuild goes on with it; CompleteScanResults
    // shows the built results in the list's report view.
    bool BeginScanResults(int scanMode);
    void CompleteScanResults();
    // The Save, Back and Home buttons shown and enabled.
    virtual void ShowButtons();
    // The preview starts afresh.
    virtual void ResetPreview();
    // Hands a file to the preview pane, with the wait cursor meanwhile.
    virtual void ShowPreview(const CString& path, const CString& extension);
    // The main frame's commands on the results.
    virtual void RecoverSelected();
    virtual void SaveAll();
    virtual void FindFiles();
    virtual void EditFileFilters();
    virtual void EditRecoverySettings();
    virtual void ShowDriveInformation();
    // LVS_ICON, LVS_SMALLICON, LVS_LIST or LVS_REPORT for the result list.
    virtual void SetListView(DWORD viewStyle);

    void RunResultCommand(UINT command, HTREEITEM folder) override;
    void ShowPreviewFile(const CString& path, const CString& extension) override;

    void OnSave();
    void OnBack();
    void OnHome();

    CResultTreeCtrl& Tree() { return m_wndTree; }
    CResultListCtrl& List() { return *m_pList; }
    CMainPreviewView* PreviewPane() const { return m_pPreview; }
    int ResultsMode() const { return m_nResultsMode; }

    morvick::ui::CToolButton m_btnSave;
    morvick::ui::CToolButton m_btnBack;
    morvick::ui::CToolButton m_btnHome;

protected:
    void HeaderBitmaps(UINT& left, UINT& middle, UINT& right) const override;
    void DrawContents(CDC* dc, const CRect& client) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnSaveCommand();
    afx_msg void OnBackCommand();
    afx_msg void OnHomeCommand();
    DECLARE_MESSAGE_MAP()

    int m_nResultsMode = -1;

private:
    // The size label's left edge: the bottom strip's margin.
    static constexpr int kSizeLabelLeft = 25;
    // The size label in the bottom strip, before Back.
    void PlaceSizeLabel();
    // Back's first part: the results and the preview's copies dropped, the page emptied.
    void LeaveResults();

    CFont m_textFont;
    CStatic m_labels[3];
    CResultTreeCtrl m_wndTree;
    CResultListCtrl* m_pList = nullptr;
    morvick::ui::CPaneSplitter m_wndOuterSplitter;
    morvick::ui::CPaneSplitter m_wndInnerSplitter;
    CImageList m_systemImages;  // the shell's small images, attached and never destroyed here
    CMainPreviewView* m_pPreview = nullptr;
    int m_nKeyFocus[4] = {1, 0, 0, 0};
    bool m_bWait = false;
    CBrush m_whiteBrush;
};
