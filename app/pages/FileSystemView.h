// CFileSystemView: page 3 of the wizard, the file systems an Extensive Scan found. This page lists
// them and returns to the partition page; choosing one and listing its files is the file-system
// page's own work, which builds on these members.
#pragma once

#include "app/pages/WizardPage.h"
#include "engine/volume/FileSystemKind.h"

class CFileSystemView : public CWizardPage {
    DECLARE_DYNCREATE(CFileSystemView)
public:
    CFileSystemView();

    // Before the Extensive Scan starts: the file-system type chosen and the prompt of the page.
    void PrepareForScan(FileSystemKind fileSystemType, const CString& prompt);
    // After it: the found volumes listed (the engine's found-volume list).
    void ShowFoundVolumes();
    void SetStatusText(const CString& text);

    CTreeCtrl m_wndTree;
    CStatic m_wndStatus;
    morvick::ui::CToolButton m_btnBack;
    morvick::ui::CToolButton m_btnHome;

protected:
    void HeaderBitmaps(UINT& left, UINT& middle, UINT& right) const override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnBack();
    afx_msg void OnHome();
    DECLARE_MESSAGE_MAP()

private:
    CString m_strPrompt;
};
