// CMainFrame: the program's one top-level window. It hosts the wizard's pages (the application
// switches them), carries the menu, the toolbar and the status bar with its support link, owns the
// virtual-disk facade for the whole run, answers the menu and toolbar commands, enables them by the
// scan mode and the wizard's stage, and runs the end of the program.
#pragma once

#include <memory>

#include "app/FlatBorderControls.h"
#include "classlib/win/AfxWin.h"
#include "preview/win/host/PreviewFrameState.h"
#include "toolkit/base/WindowPlacement.h"
#include "toolkit/commandbars/FrameWnd.h"
#include "toolkit/commandbars/ReBar.h"
#include "toolkit/controls/Caption.h"
#include "toolkit/controls/HyperLink.h"
#include "toolkit/docking/DockingPaneHost.h"
#include "toolkit/taskpanel/TaskPanel.h"
#include "ui/controls/win/HyperLinkStatic.h"
#include "ui/controls/win/LinkStatusBar.h"

class CVirtualDisk;
class CFirstDisplay;
class CSecondDisplay;
class CTKPToolBar;

// The frame's base: the toolkit's frame with command bars.
using CMainFrameBase = CTKPFrameWnd;

class CMainFrame : public CMainFrameBase, public CPreviewFrameState {
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    // How far the wizard has come: SetStage makes one of the four stage flags 1 and the others 0.
    // Back from the file-system page sets the results flag beside the partition stage, and a scan
    // that failed clears all four (only "&Open" is offered then).
    enum Stage { kStageSource, kStagePartition, kStageResults, kStageDeepResults };
    void SetStage(Stage stage);

    BOOL HasVirtualDisk() const { return m_pVirtualDisk != nullptr; }
    // Creates the facade when there is none.
    void EnsureVirtualDisk();
    CVirtualDisk* VirtualDisk() const { return m_pVirtualDisk; }
    void SetOpenEnabled(BOOL enabled) { m_bOpenEnabled = enabled; }
    // Restores the saved window placement and shows the frame.
    void ShowWithPlacement(int showCommand);
    // The end of the program: the question, the layout and placement saved, a running worker asked
    // to stop, the engine's lists freed once it is gone, then the process ended. 0 when the user
    // declines; 1 only when the process could not be ended and no worker runs (the frame then
    // closes the usual way).
    int ConfirmExit();
    // How the process is ended (the argument: a worker still runs); true when it was. Tests put
    // their own here, with a shorter wait for the worker; null restores the program's own.
    using ProcessEnd = bool (*)(bool workerRunning);
    static void SetProcessEndForTests(ProcessEnd end, DWORD workerWaitMs);

    // The preview gives the keyboard back to the results page's file list.
    CWnd* GetPreviewFocusTarget() override;
    // The mode of the scan whose results are shown (the drawing view refuses File Trace's finds).
    int GetScanMode() const override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The frame's own members. The toolkit's caption bar, hyperlink, rebar, task panel and docking-
    // pane host, the flat-bordered static and edit and the link static live as long as the frame
    // but are never made as windows: no pane or group is ever shown.
    CVirtualDisk* m_pVirtualDisk = nullptr;
    HCURSOR m_hLinkCursor = nullptr;
    CTKCaption m_wndCaption;  // with its font
    CFont m_captionFont;
    CString m_strChosenItem;  // the text of the device-tree item the user chose
    int m_nChosenItem = -1;   // its row; -1 none
    CView* m_pPreviewView = nullptr;
    CView* m_pFirstView = nullptr;
    CFirstDisplay* m_pFirstDisplay = nullptr;
    CSecondDisplay* m_pSecondDisplay = nullptr;
    BOOL m_bStageSource = TRUE;
    BOOL m_bStagePartition = FALSE;
    BOOL m_bResultsReady = FALSE;
    BOOL m_bDeepResultsReady = FALSE;
    CTKHyperLink m_wndHyperLink;
    CBrush m_brush;
    CTKPReBar m_wndReBar;
    CImageList m_toolbarImages;  // the 32 x 32 icons of the toolbar's commands
    CTKWindowPlacement m_placement;
    HWND m_hProgressWnd = nullptr;  // receives tree-building progress while it is redirected
    CMapPtrToPtr m_pointerMap;
    BOOL m_bModeChosen = FALSE;  // enables "&Load Recovery Snapshot..."
    CTKPTaskPanel m_wndTaskPanel;
    CImageList m_secondImages;
    CFlatBorderStatic m_wndFlatStatic;
    CFlatBorderEdit m_wndFlatEdit;
    morvick::ui::CHyperLinkStatic m_wndLinkStatic;
    morvick::ui::CLinkStatusBar m_wndStatusBar;
    CTKPDockingPaneHost m_paneHost;
    CTKPToolBar* m_pStandardBar = nullptr;  // the toolbar "Standard"
    CTKPCommandBars* m_pBars = nullptr;     // the command bars again, as the frame knows them
    BOOL m_bOpenEnabled = TRUE;             // enables "&Open"
    BOOL m_bStartMaximized = FALSE;         // the frame shows itself maximised when it is made

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnClose();
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnOpenImage();
    afx_msg void OnRecoverSelected();
    afx_msg void OnSaveAll();
    afx_msg void OnSaveSnapshot();
    afx_msg void OnLoadSnapshot();
    afx_msg void OnExitProgram();
    afx_msg void OnViewIcons();
    afx_msg void OnViewList();
    afx_msg void OnViewDetails();
    afx_msg void OnFindFiles();
    afx_msg void OnFileFilters();
    afx_msg void OnRecoverySettings();
    afx_msg void OnDriveInformation();
    afx_msg void OnHelpContents();
    afx_msg void OnUpdateRecoverSelected(CCmdUI* pCmdUI);
    afx_msg void OnUpdateSaveAll(CCmdUI* pCmdUI);
    afx_msg void OnUpdateResultsCommand(CCmdUI* pCmdUI);
    afx_msg void OnUpdateFindFiles(CCmdUI* pCmdUI);
    afx_msg void OnUpdateRecoverySettings(CCmdUI* pCmdUI);
    afx_msg void OnUpdateLoadSnapshot(CCmdUI* pCmdUI);
    afx_msg void OnUpdateOpenImage(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    // The menu bar, the toolbar "Standard" with its icons, the program's theme, the shortcuts and
    // the saved layout. FALSE when a bar cannot be made.
    BOOL CreateCommandBars();
    // Enabled by the scan mode: Extensive Scan, File Trace, Quick Scan (-1: left as it is, 0: disabled,
    // 1: the results flag of that mode).
    void EnableByMode(CCmdUI* pCmdUI, int extensive, int fileTrace, int quick);
    // The result list's view, through the results page.
    void SetResultListView(DWORD viewStyle);
};
