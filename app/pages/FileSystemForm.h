// CFileSystemForm: the right-hand pane of the file-system page. Under "File System Information" it
// shows the parameters of the file system chosen in the tree (FAT: start, cluster size and size;
// NTFS: start, cluster size, MFT, its mirror and size) and, while the chosen file system is
// scanned, the progress bar and the status line.
#pragma once

#include "app/pages/InfoPane.h"
#include "ui/controls/win/XPGroupBox.h"

class CFileSystemForm : public CInfoPane {
    DECLARE_DYNCREATE(CFileSystemForm)
public:
    static const wchar_t* const kFatLabels[kRows];
    static const wchar_t* const kNtfsLabels[kRows];

    CFileSystemForm();
    ~CFileSystemForm() override;

    void ShowFatFileSystemInfo(const CString& start, const CString& sectorsPerCluster, const CString& size);
    void ShowNtfsFileSystemInfo(const CString& start, const CString& sectorsPerCluster, const CString& mftStart,
        const CString& mirrorStart, const CString& size);
    // The labels of a type with the values emptied.
    void ShowFatFileSystemLabels();
    void ShowNtfsFileSystemLabels();
    void ClearFileSystemValues();

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    CFont m_titleFont;
    CStatic m_title;  // "File System Information"
    morvick::ui::CXPGroupBox m_group;  // "FileSystem Information"
};
