#include "preview/win/tables/AccessView.h"

#include "preview/win/host/PreviewDocument.h"
#include "preview/win/host/PreviewFrameState.h"
#include "preview/win/tables/DaoTreeView.h"
#include "preview/win/tables/MdbListView.h"

IMPLEMENT_DYNCREATE(CMDB_View, CView)

BEGIN_MESSAGE_MAP(CMDB_View, CView)
ON_WM_CREATE()
ON_WM_SIZE()
END_MESSAGE_MAP()

CMDB_View::CMDB_View() : m_pTreeView(NULL), m_pListView(NULL) {}

CMDB_View::~CMDB_View()
{
    // The database was opened for this view only: its file is not held open after it.
    if (CPreviewDocument* doc = GetPreviewDocument())
        doc->CloseAccessDatabase();
}

void CMDB_View::OnDraw(CDC*) {}

int CMDB_View::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    CCreateContext context;
    context.m_pCurrentDoc = GetPreviewDocument();
    m_pTreeView = new CDaoTreeView;
    m_pListView = new CMDBListView;
    // The views delete themselves when their windows go, and also when creation fails (the class
    // library ends a view that is not made): a failed one is only forgotten here, never deleted again.
    if (!m_pTreeView->Create(NULL, NULL, WS_CHILD | WS_BORDER, CRect(0, 0, 0, 0), this, IDC_TREE, &context))
        m_pTreeView = NULL;
    if (!m_pListView->Create(NULL, NULL, WS_CHILD | WS_BORDER, CRect(0, 0, 0, 0), this, IDC_LIST, &context))
        m_pListView = NULL;
    if (m_pTreeView == NULL || m_pListView == NULL)
        return -1;
    m_pTreeView->OnInitialUpdate();
    m_pTreeView->ShowWindow(SW_SHOW);
    m_pListView->OnInitialUpdate();
    m_pListView->ShowWindow(SW_SHOW);
    m_splitter.Create(WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_BORDER | morvick::ui::CPaneSplitter::kVertical, this,
        m_pTreeView, m_pListView, IDC_SPLITTER, CRect(0, 0, 0, 0), 170, 170);
    return 0;
}

void CMDB_View::OnSize(UINT, int, int)
{
    Default();
    if (::IsWindow(m_splitter.GetSafeHwnd())) {
        CRect client;
        GetClientRect(&client);
        m_splitter.MoveWindow(client.left, client.top, client.Width(), client.Height(), TRUE);
    }
}
