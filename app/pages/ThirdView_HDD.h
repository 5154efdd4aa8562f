// CThirdView_HDD: page 4 of the wizard, the found folders and files. This page shows what a scan
// or a snapshot load left in the engine's lists and offers Back and Home; the check tree, the file
// list, the preview and the save are the results page's own work, which fills in the operations
// below (the main frame and the other pages call them).
#pragma once

#include "app/pages/WizardPage.h"

class CThirdView_HDD : public CWizardPage {
    DECLARE_DYNCREATE(CThirdView_HDD)
public:
    CThirdView_HDD();

    // The result list's columns of a scan mode, and emptied.
    virtual void SetColumnsForMode(int scanMode);
    virtual void ClearResultList();
    // A scan of the given mode has ended (or a snapshot was loaded): show what the lists hold.
    virtual void ShowScanResults(int scanMode);
    // The Save, Back and Home buttons shown and enabled.
    virtual void ShowButtons();
    // The preview starts afresh (the list's preview-reset flag).
    virtual void ResetPreview();
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

    // What the page says about the lists (the number of folders and files found).
    CString SummaryText() const;

    morvick::ui::CToolButton m_btnBack;
    morvick::ui::CToolButton m_btnHome;

protected:
    void HeaderBitmaps(UINT& left, UINT& middle, UINT& right) const override;
    void DrawContents(CDC* dc, const CRect& client) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnBack();
    afx_msg void OnHome();
    DECLARE_MESSAGE_MAP()

    int m_nResultsMode = -1;

private:
    // Leaving the results: the preview copies deleted, the engine's lists freed.
    void LeaveResults();
};
