#include "preview/win/tables/DaoTreeView.h"

#include "classlib/win/AfxMessageLog.h"
#include "preview/win/host/PreviewDocument.h"
#include "preview/win/host/PreviewSettings.h"
#include "preview/win/tables/MdbListView.h"
#include "res/preview.h"

namespace {

const wchar_t kWarning[] = L"ZozAdoz - Warning";
constexpr short kSystemQueryType = 5;
constexpr long kSystemOrHidden = static_cast<long>(0x80000002);

}  // namespace

// --- CTreeItemRef -------------------------------------------------------------------------------

CTreeItemRef CTreeItemRef::AddTail(LPCTSTR lpszText, int nImage)
{
    if (m_pTree == NULL)
        return CTreeItemRef();
    HTREEITEM item = nImage >= 0 ? m_pTree->InsertItem(lpszText, nImage, nImage, m_hItem, TVI_LAST)
                                 : m_pTree->InsertItem(lpszText, m_hItem, TVI_LAST);
    return CTreeItemRef(item, m_pTree);
}

int CTreeItemRef::GetImage() const
{
    int image = -1, selected = -1;
    if (m_pTree == NULL || m_hItem == NULL || !m_pTree->GetItemImage(m_hItem, image, selected))
        return -1;
    return image;
}

CString CTreeItemRef::GetText() const
{
    return m_pTree != NULL && m_hItem != NULL ? m_pTree->GetItemText(m_hItem) : CString();
}

CTreeItemRef CTreeItemRef::GetRoot() const
{
    return m_pTree != NULL ? CTreeItemRef(m_pTree->GetRootItem(), m_pTree) : CTreeItemRef();
}

CTreeItemRef CTreeItemRef::GetSelected() const
{
    return m_pTree != NULL ? CTreeItemRef(m_pTree->GetSelectedItem(), m_pTree) : CTreeItemRef();
}

CTreeItemRef CTreeItemRef::HitTest(CPoint point) const
{
    return m_pTree != NULL ? CTreeItemRef(m_pTree->HitTest(point), m_pTree) : CTreeItemRef();
}

// --- CDaoTreeView -------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CDaoTreeView, CTreeView)

BEGIN_MESSAGE_MAP(CDaoTreeView, CTreeView)
ON_WM_CREATE()
ON_WM_SYSCOLORCHANGE()
ON_NOTIFY_REFLECT(TVN_KEYDOWN, OnKeyDown)
ON_NOTIFY_REFLECT(TVN_SELCHANGED, OnSelChanged)
ON_NOTIFY_REFLECT(NM_RCLICK, OnRightClick)
ON_NOTIFY_REFLECT(TVN_BEGINDRAG, OnBeginDrag)
END_MESSAGE_MAP()

CDaoTreeView::CDaoTreeView()
    : m_pDatabase(NULL), m_nClipboardFormat(::RegisterClipboardFormatW(L"ZozAdoz")), m_bFilling(FALSE)
{}

CDaoTreeView::~CDaoTreeView()
{
    if (CPreviewDocument* doc = dynamic_cast<CPreviewDocument*>(GetDocument())) {
        if (doc->m_pDaoTreeView == this)
            doc->m_pDaoTreeView = NULL;
    }
}

int CDaoTreeView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CTreeView::OnCreate(lpcs) == -1)
        return -1;
    ModifyStyle(0, TVS_HASBUTTONS | TVS_HASLINES);
    if (CPreviewDocument* doc = dynamic_cast<CPreviewDocument*>(GetDocument()))
        doc->m_pDaoTreeView = this;
    if (m_images.Create(IDB_ACCESS_TREE, 16, 0, RGB(255, 0, 255))) {
        m_images.SetBkColor(::GetSysColor(COLOR_WINDOW));
        GetTreeCtrl().SetImageList(&m_images, TVSIL_NORMAL);
    }
    m_dropTarget.Register(this);
    return 0;
}

DROPEFFECT CDaoTreeView::OnDragEnter(COleDataObject* pDataObject, DWORD, CPoint)
{
    if (m_pDatabase != NULL && pDataObject != NULL &&
        pDataObject->IsDataAvailable(static_cast<CLIPFORMAT>(m_nClipboardFormat)))
        return DROPEFFECT_COPY;
    return DROPEFFECT_NONE;
}

DROPEFFECT CDaoTreeView::OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    return OnDragEnter(pDataObject, dwKeyState, point);
}

BOOL CDaoTreeView::OnDrop(COleDataObject*, DROPEFFECT, CPoint)
{
    return FALSE;
}

DROPEFFECT CDaoTreeView::DropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
    CPoint point)
{
    CDaoTreeView* view = dynamic_cast<CDaoTreeView*>(pWnd);
    return view != NULL ? view->OnDragEnter(pDataObject, dwKeyState, point) : DROPEFFECT_NONE;
}

DROPEFFECT CDaoTreeView::DropTarget::OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    CDaoTreeView* view = dynamic_cast<CDaoTreeView*>(pWnd);
    return view != NULL ? view->OnDragOver(pDataObject, dwKeyState, point) : DROPEFFECT_NONE;
}

BOOL CDaoTreeView::DropTarget::OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point)
{
    CDaoTreeView* view = dynamic_cast<CDaoTreeView*>(pWnd);
    return view != NULL && view->OnDrop(pDataObject, dropEffect, point);
}

void CDaoTreeView::OnSysColorChange()
{
    Default();
    if (m_images.GetSafeHandle() != NULL)
        m_images.SetBkColor(::GetSysColor(COLOR_WINDOW));
}

void CDaoTreeView::PopulateTree()
{
    CTreeCtrl& tree = GetTreeCtrl();
    m_bFilling = TRUE;
    tree.DeleteAllItems();
    UpdateWindow();
    CTreeItemRef top(TVI_ROOT, &tree);
    m_root = top.AddTail(L"Access DataBase", kDaoImageRoot);
    m_tables = m_root.AddTail(L"Tables", kDaoImageTables);
    m_relations = m_root.AddTail(L"Relations", kDaoImageRelations);
    m_queries = m_root.AddTail(L"QueryDefs", kDaoImageQueries);
    const BOOL showSystem = PreviewSettings().m_bShowSystemObjects;
    if (m_pDatabase != NULL) {
        try {
            short n = m_pDatabase->GetTableDefCount();
            for (short i = 0; i < n; ++i) {
                CDaoTableDefInfo info;
                m_pDatabase->GetTableDefInfo(i, info, AFX_DAO_PRIMARY_INFO);
                if (!showSystem && (info.m_lAttributes & kSystemOrHidden) != 0)
                    continue;
                m_tables.AddTail(info.m_strName, kDaoImageTable);
            }
        } catch (CDaoException* e) {
            e->Delete();
        }
        try {
            short n = m_pDatabase->GetQueryDefCount();
            for (short i = 0; i < n; ++i) {
                CDaoQueryDefInfo info;
                m_pDatabase->GetQueryDefInfo(i, info, AFX_DAO_PRIMARY_INFO);
                if (!showSystem && info.m_nType == kSystemQueryType)
                    continue;
                m_queries.AddTail(info.m_strName, kDaoImageQuery);
            }
        } catch (CDaoException* e) {
            e->Delete();
        }
        try {
            short n = m_pDatabase->GetRelationCount();
            for (short i = 0; i < n; ++i) {
                CDaoRelationInfo info;
                m_pDatabase->GetRelationInfo(i, info, AFX_DAO_PRIMARY_INFO);
                m_relations.AddTail(info.m_strTable, kDaoImageRelation);
            }
        } catch (CDaoException* e) {
            e->Delete();
        }
    }
    tree.Expand(m_root, TVE_EXPAND);
    m_bFilling = FALSE;
    UpdateWindow();
}

void CDaoTreeView::OnSelChanged(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    m_current = CTreeItemRef(TVI_ROOT, &GetTreeCtrl()).GetSelected();
    CPreviewDocument* doc = dynamic_cast<CPreviewDocument*>(GetDocument());
    CMDBListView* list = doc != NULL ? doc->m_pRecordListView : NULL;
    if (list == NULL)
        return;
    list->SetRedraw(FALSE);
    if (m_current.GetImage() == kDaoImageTable)
        list->ShowTable(m_current.GetText());
    list->SetRedraw(TRUE);
    list->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void CDaoTreeView::OnRightClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    m_current = CTreeItemRef(TVI_ROOT, &GetTreeCtrl()).HitTest(point);
}

void CDaoTreeView::OnBeginDrag(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
}

void CDaoTreeView::OnKeyDown(NMHDR* pNotify, LRESULT* pResult)
{
    *pResult = 0;
    if (reinterpret_cast<NMTVKEYDOWN*>(pNotify)->wVKey == VK_DELETE)
        DeleteCurrentItem();
}

BOOL CDaoTreeView::DeleteCurrentItem()
{
    if (PreviewSettings().m_bConfirmDeletion &&
        AfxShowMessageBox(GetSafeHwnd(), L"Are you sure you want to delete this item ?", kWarning, MB_YESNO) != IDYES)
        return FALSE;
    int image = m_current.GetImage();
    if (m_pDatabase == NULL || (image != kDaoImageTable && image != kDaoImageQuery))
        return FALSE;
    try {
        if (image == kDaoImageTable)
            m_pDatabase->DeleteTableDef(m_current.GetText());
        else
            m_pDatabase->DeleteQueryDef(m_current.GetText());
    } catch (CDaoException* e) {
        wchar_t text[512] = L"";
        e->GetErrorMessage(text, 512);
        AfxShowMessageBox(GetSafeHwnd(), text, kWarning, MB_OK);
        e->Delete();
        return FALSE;
    }
    // Deleting the selected item selects another one, and the selection change makes that item
    // current; only a current item that is the deleted one itself is forgotten.
    HTREEITEM hDeleted = m_current;
    GetTreeCtrl().DeleteItem(hDeleted);
    if (m_current.GetHandle() == hDeleted)
        m_current = CTreeItemRef();
    return TRUE;
}
