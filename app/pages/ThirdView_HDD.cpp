#include "app/pages/ThirdView_HDD.h"

#include "app/Ex_StyleApp.h"
#include "app/MainFrame.h"
#include "app/WizardState.h"
#include "app/pages/FirstView_HDD.h"
#include "app/pages/SecondView_HDD.h"
#include "engine/save/EngineReset.h"
#include "engine/save/TempFiles.h"
#include "engine/state/EngineState.h"
#include "engine/state/FoundEntryLists.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CThirdView_HDD, CWizardPage)

BEGIN_MESSAGE_MAP(CThirdView_HDD, CWizardPage)
ON_WM_CREATE()
ON_WM_SIZE()
ON_COMMAND(ID_PAGE_BACK, OnBack)
ON_COMMAND(ID_PAGE_HOME, OnHome)
END_MESSAGE_MAP()

CThirdView_HDD::CThirdView_HDD() : CWizardPage(CEx_StyleApp::kResultsPage) {}

void CThirdView_HDD::HeaderBitmaps(UINT& left, UINT& middle, UINT& right) const
{
    left = IDB_RESULTS_HEADER;
    middle = IDB_PAGE_HEADER_MIDDLE;
    right = IDB_PAGE_HEADER_PLAIN;
}

int CThirdView_HDD::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWizardPage::OnCreate(lpCreateStruct) == -1)
        return -1;
    CreateToolButton(m_btnBack, ID_PAGE_BACK, IDB_BACK, IDB_BACK_HOVER, L"Back");
    CreateToolButton(m_btnHome, ID_PAGE_HOME, IDB_HOME, IDB_HOME_HOVER, L"Home");
    return 0;
}

void CThirdView_HDD::OnSize(UINT nType, int cx, int cy)
{
    CWizardPage::OnSize(nType, cx, cy);
    if (m_btnBack.GetSafeHwnd() == nullptr)
        return;
    m_btnBack.MoveWindow(cx - 213, cy - 32, 74, 26);
    m_btnHome.MoveWindow(cx - 129, cy - 32, 74, 26);
    Invalidate(FALSE);
}

CString CThirdView_HDD::SummaryText() const
{
    CString text;
    if (m_nResultsMode == kScanFileTrace)
        text.Format(L"%u file(s) found.", g_nFatFileCount);
    else
        text.Format(L"%u folder(s) and %u file(s) found.", g_nFatFolderCount, g_nFatFileCount);
    return text;
}

void CThirdView_HDD::DrawContents(CDC* dc, const CRect& client)
{
    CWizardPage::DrawContents(dc, client);
    if (m_nResultsMode < 0)
        return;
    CFont* old = dc->SelectObject(&m_pageFont);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(0xBD751D);
    CRect text(client.left + 25, client.top + kHeaderHeight + 25, client.right - 25, client.top + kHeaderHeight + 60);
    dc->DrawText(SummaryText(), &text, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    dc->SelectObject(old);
}

void CThirdView_HDD::SetColumnsForMode(int scanMode)
{
    m_nResultsMode = -1;
    (void)scanMode;
}
void CThirdView_HDD::ClearResultList()
{
    m_nResultsMode = -1;
}

void CThirdView_HDD::ShowScanResults(int scanMode)
{
    m_nResultsMode = scanMode;
    Invalidate(FALSE);
}

void CThirdView_HDD::ShowButtons()
{
    ShowEnabled(m_btnBack, TRUE);
    ShowEnabled(m_btnHome, TRUE);
}

void CThirdView_HDD::ResetPreview() {}
void CThirdView_HDD::ShowPreview(const CString&, const CString&) {}
void CThirdView_HDD::RecoverSelected() {}
void CThirdView_HDD::SaveAll() {}
void CThirdView_HDD::FindFiles() {}
void CThirdView_HDD::EditFileFilters() {}
void CThirdView_HDD::EditRecoverySettings() {}
void CThirdView_HDD::ShowDriveInformation() {}
void CThirdView_HDD::SetListView(DWORD) {}

void CThirdView_HDD::LeaveResults()
{
    CleanUpTempFiles();
    ClearScanResults();
    m_nResultsMode = -1;
}

void CThirdView_HDD::OnBack()
{
    CEx_StyleApp* app = WizardApp();
    if (app == nullptr)
        return;
    LeaveResults();
    if (CMainFrame* frame = WizardFrame())
        frame->SetStage(CMainFrame::kStagePartition);
    const int page = g_nScanMode == kScanExtensive ? CEx_StyleApp::kFileSystemPage : CEx_StyleApp::kPartitionPage;
    app->SwitchView(page);
}

void CThirdView_HDD::OnHome()
{
    CEx_StyleApp* app = WizardApp();
    if (app == nullptr)
        return;
    LeaveResults();
    if (auto* partition = dynamic_cast<CSecondView_HDD*>(app->GetPage(CEx_StyleApp::kPartitionPage)))
        partition->OnBack();
    if (auto* drive = dynamic_cast<CFirstView_HDD*>(app->GetPage(CEx_StyleApp::kDrivePage)))
        drive->OnBack();
}
