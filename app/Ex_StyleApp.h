// CEx_StyleApp: the application object of Morvick. It starts the program (one instance only), owns
// the five pages of the wizard and switches the main frame between them, brings the wizard back to
// its first page when a scan cannot go on, and loads a recovery snapshot named on the command line.
#pragma once

#include "classlib/win/AfxWin.h"

class CEx_StyleApp : public CWinApp {
    DECLARE_DYNAMIC(CEx_StyleApp)
public:
    enum Page : int {
        kStartPage = 0,       // CEx_StyleView: the image file and the mode
        kDrivePage = 1,       // CFirstView_HDD: the device tree and the partition search
        kPartitionPage = 2,   // CSecondView_HDD: the partition and the scan
        kFileSystemPage = 3,  // CFileSystemView: the file systems an Extensive Scan found
        kResultsPage = 4,     // CThirdView_HDD: the found folders and files
        kPageCount = 5,
    };
    // The control ids of the pages that are not shown; the one shown carries AFX_IDW_PANE_FIRST.
    static const UINT kPageIds[kPageCount];

    CEx_StyleApp();
    BOOL InitInstance() override;
    // Not after a scan's notice that reports wait (app/workers/WizardScanObserver.h).
    BOOL IsIdleMessage(MSG* pMsg) override;

    // Shows page n in the main frame (nothing when it is shown already).
    void SwitchView(int page);
    // Brings the wizard back to the start page (the partition page's and the drive page's Back) and
    // shows the frame again; with a snapshot on the command line, loads it again. Returns 1.
    int RestartWizard();
    // The last snapshot the profile remembers (section "Most Recent Check Book File", value "File").
    CString GetLastSnapshotPath();
    // Loads a snapshot file (the Load command and the command line) and, when it loaded, shows its
    // results page. A snapshot holds no image path: on the start page, or with no image open, the
    // image it was made from is asked for first with the file dialog, and the snapshot loads only
    // when that image holds its volume. False when it was refused or the question cancelled; the
    // results commands are then offered as before.
    BOOL LoadSnapshot(const CString& path);

    CView* GetPage(int page) const { return page >= 0 && page < kPageCount ? m_pPages[page] : nullptr; }
    int ShownPage() const { return m_nShownPage; }

    // Exchanges the shown view of a frame: ids swapped so that the new one carries the first pane id,
    // the old one hidden, the new one shown, made active and laid out. Nothing when they are the same.
    static void ExchangeFrameView(CFrameWnd* frame, CView* oldView, CView* newView);
    // The frame shown as at start-up: hidden, normal, shown (maximised when it made itself so).
    // The tests call it too.
    void ShowFrameFourTimes();

    int m_nShownPage = 0;
    CView* m_pPages[kPageCount] = {};
    CString m_strReserved1;
    CString m_strReserved2;

protected:
    afx_msg void OnAppAbout();
    DECLARE_MESSAGE_MAP()

private:
    BOOL CreatePages();
    // The snapshot named on the command line, loaded as by the Load command.
    BOOL OpenCommandLineSnapshot();
    // The image a snapshot is loaded over: the one open past the start page, else the one the user
    // chooses now, opened as the start page opens it. FALSE on Cancel or an image that cannot open.
    BOOL EnsureSnapshotImage();
};
