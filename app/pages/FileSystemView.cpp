#include "app/pages/FileSystemView.h"

#include "app/Ex_StyleApp.h"
#include "app/MainFrame.h"
#include "app/WizardState.h"
#include "app/pages/FirstView_HDD.h"
#include "app/pages/PaneControls.h"
#include "app/pages/SecondDisplay.h"
#include "app/pages/SecondView_HDD.h"
#include "engine/extensive/ExtensiveScanState.h"
#include "engine/state/FoundEntryLists.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CFileSystemView, CWizardPage)

BEGIN_MESSAGE_MAP(CFileSystemView, CWizardPage)
ON_WM_CREATE()
ON_WM_SIZE()
ON_COMMAND(ID_PAGE_BACK, OnBack)
ON_COMMAND(ID_PAGE_HOME, OnHome)
END_MESSAGE_MAP()

CFileSystemView::CFileSystemView() : CWizardPage(CEx_StyleApp::kFileSystemPage) {}

void CFileSystemView::HeaderBitmaps(UINT& left, UINT& middle, UINT& right) const
{
    left = IDB_FILESYSTEM_HEADER;
    middle = IDB_PAGE_HEADER_MIDDLE;
    right = IDB_PAGE_HEADER_PLAIN;
}

int CFileSystemView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWizardPage::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_wndTree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
            TVS_SHOWSELALWAYS,
        CRect(0, 0, 10, 10), this, IDC_DRIVE_TREE);
    wizard::MakeLabel(m_wndStatus, L"", IDC_PANE_STATUS, this, &m_pageFont);
    CreateToolButton(m_btnBack, ID_PAGE_BACK, IDB_BACK, IDB_BACK_HOVER, L"Back");
    CreateToolButton(m_btnHome, ID_PAGE_HOME, IDB_HOME, IDB_HOME_HOVER, L"Home");
    return 0;
}

void CFileSystemView::OnSize(UINT nType, int cx, int cy)
{
    CWizardPage::OnSize(nType, cx, cy);
    wizard::Place(m_wndTree, 0, kHeaderHeight, cx / 3, cy - kHeaderHeight - kBottomStrip);
    wizard::Place(m_wndStatus, cx / 3 + 20, kHeaderHeight + 20, cx - cx / 3 - 40, 60);
    wizard::Place(m_btnBack, cx - 213, cy - 32, 74, 26);
    wizard::Place(m_btnHome, cx - 129, cy - 32, 74, 26);
    Invalidate(FALSE);
}

void CFileSystemView::PrepareForScan(FileSystemKind, const CString& prompt)
{
    m_strPrompt = prompt;
    m_wndTree.DeleteAllItems();
    SetStatusText(L"");
}

void CFileSystemView::ShowFoundVolumes()
{
    m_wndTree.DeleteAllItems();
    HTREEITEM root = m_wndTree.InsertItem(L"File System");
    for (const FoundPartitionRecord* r = g_FoundPartitions.head; r != nullptr; r = r->next) {
        const std::u16string text = FoundVolumeText(*r);
        m_wndTree.InsertItem(CString(reinterpret_cast<const wchar_t*>(text.c_str()), static_cast<int>(text.size())),
            root);
    }
    m_wndTree.Expand(root, TVE_EXPAND);
    SetStatusText(m_strPrompt);
}

void CFileSystemView::SetStatusText(const CString& text)
{
    if (m_wndStatus.GetSafeHwnd() != nullptr)
        m_wndStatus.SetWindowText(text);
}

void CFileSystemView::OnBack()
{
    CEx_StyleApp* app = WizardApp();
    if (app == nullptr)
        return;
    if (CMainFrame* frame = WizardFrame())
        frame->SetStage(CMainFrame::kStagePartition);
    if (auto* partition = dynamic_cast<CSecondView_HDD*>(app->GetPage(CEx_StyleApp::kPartitionPage))) {
        if (partition->m_pDisplay != nullptr)
            partition->m_pDisplay->ShowScanRangeOptions();
    }
    app->SwitchView(CEx_StyleApp::kPartitionPage);
}

void CFileSystemView::OnHome()
{
    CEx_StyleApp* app = WizardApp();
    if (app == nullptr)
        return;
    if (auto* partition = dynamic_cast<CSecondView_HDD*>(app->GetPage(CEx_StyleApp::kPartitionPage)))
        partition->OnBack();
    if (auto* drive = dynamic_cast<CFirstView_HDD*>(app->GetPage(CEx_StyleApp::kDrivePage)))
        drive->OnBack();
}
