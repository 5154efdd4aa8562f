// The dBase table view over python3-dbf's tables and damaged ones, and the Access view over the
// in-memory database engine, and over a fake of the platform's engine behind its automation path
// (the engine itself is not installed here).
#include "classlib/win/COleDataSource.h"
#include "classlib/win/COleVariant.h"
#include "preview/win/host/PreviewSettings.h"
#include "preview/win/tables/AccessView.h"
#include "preview/win/tables/DaoTreeView.h"
#include "preview/win/tables/DbfView.h"
#include "preview/win/tables/MdbListView.h"
#include "tests/preview/win/FakeDatabaseServer.h"
#include "tests/preview/win/MemoryDatabase.h"
#include "tests/preview/win/PreviewHarness.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace morvick::test {
namespace {

const char kTables[] = "make-dbase-samples.sh";

bool ShowsPlaceholder()
{
    CView* placeholder = Harness().pane->Viewer(kViewerNoPreview);
    return placeholder != NULL && ::IsWindowVisible(placeholder->GetSafeHwnd());
}

std::vector<std::wstring> Columns(CListCtrl* list)
{
    std::vector<std::wstring> out;
    CHeaderCtrl* header = list->GetHeaderCtrl();
    for (int i = 0; i < header->GetItemCount(); ++i) {
        wchar_t text[64] = L"";
        HDITEMW item = {};
        item.mask = HDI_TEXT;
        item.pszText = text;
        item.cchTextMax = 64;
        header->GetItem(i, &item);
        out.push_back(text);
    }
    return out;
}

std::vector<std::wstring> Row(CListCtrl* list, int row)
{
    std::vector<std::wstring> out;
    int columns = list->GetHeaderCtrl()->GetItemCount();
    for (int c = 0; c < columns; ++c)
        out.push_back(static_cast<LPCWSTR>(list->GetItemText(row, c)));
    return out;
}

CListCtrl* DbfList()
{
    CDBF_View* view = dynamic_cast<CDBF_View*>(Harness().pane->Viewer(kViewerDbf));
    return view != NULL ? view->GetListCtrl() : NULL;
}

TEST(DbfView, TablesOfEveryFieldType)
{
    Preview(SamplePath(kTables, "db3.dbf"), L".dbf");
    ASSERT_NE(DbfList(), nullptr);
    EXPECT_EQ(Harness().frame->m_bPreviewShown, 1);
    EXPECT_EQ(Columns(DbfList()), (std::vector<std::wstring>{L"Index", L"NAME", L"QTY", L"BORN", L"OK", L"NOTE"}));
    ASSERT_EQ(DbfList()->GetItemCount(), 3);
    EXPECT_EQ(Row(DbfList(), 0),
        (std::vector<std::wstring>{L"1", L"Anna      ", L"12.500000", L"2024/01/31", L"TRUE", L"Memo"}));
    EXPECT_EQ(Row(DbfList(), 2)[0], L"3");
    EXPECT_NE(DbfList()->GetExtendedStyle() & LVS_EX_GRIDLINES, 0u);

    // Currency in the user's number format, from all eight bytes.
    Preview(SamplePath(kTables, "vfp.dbf"), L".dbf");
    ASSERT_EQ(DbfList()->GetItemCount(), 2);
    CURRENCY cy;
    cy.int64 = 12345678901LL;
    EXPECT_EQ(DbfList()->GetItemText(0, 1), COleCurrency(cy).Format(0, LOCALE_USER_DEFAULT));
    EXPECT_EQ(DbfList()->GetItemText(0, 2), L"42");
    EXPECT_EQ(DbfList()->GetItemText(1, 5), L"two   ");

    // The header places the records when the first one is deleted.
    Preview(SamplePath(kTables, "deleted-first.dbf"), L".dbf");
    EXPECT_EQ(Row(DbfList(), 1), (std::vector<std::wstring>{L"2", L"kept  ", L"2.000000"}));
}

TEST(DbfView, EveryRecordAndDamagedTables)
{
    // 12,000 records: all of them, more than the database view's record limit.
    Preview(SamplePath(kTables, "many.dbf"), L".dbf");
    EXPECT_EQ(DbfList()->GetItemCount(), 12000);
    EXPECT_EQ(Row(DbfList(), 11999), (std::vector<std::wstring>{L"12000", L"11999.000000"}));
    EXPECT_EQ(Row(DbfList(), 10000), (std::vector<std::wstring>{L"10001", L"10000.000000"}));
    EXPECT_EQ(Harness().frame->m_bPreviewShown, 1);
    // No records: the headers and one empty row "1".
    Preview(SamplePath(kTables, "empty.dbf"), L".dbf");
    ASSERT_EQ(DbfList()->GetItemCount(), 1);
    EXPECT_EQ(Row(DbfList(), 0), (std::vector<std::wstring>{L"1", L"", L""}));
    // More than 200 fields: nothing at all, and the placeholder.
    Preview(SamplePath(kTables, "too-many-fields.dbf"), L".dbf");
    EXPECT_EQ(Harness().frame->m_bPreviewShown, 0);
    EXPECT_TRUE(ShowsPlaceholder());
    ASSERT_NE(DbfList(), nullptr);
    EXPECT_EQ(DbfList()->GetHeaderCtrl()->GetItemCount(), 0);
    // Too short, descriptors cut, no file at all: the placeholder.
    for (const char* name : {"tiny.dbf", "descriptors-cut.dbf", "no-terminator.dbf"}) {
        SCOPED_TRACE(name);
        Preview(SamplePath(kTables, name), L".dbf");
        EXPECT_EQ(Harness().frame->m_bPreviewShown, 0);
    }
    Preview(TempFile(L"absent.dbf"), L".dbf");
    EXPECT_EQ(Harness().frame->m_bPreviewShown, 0);
    EXPECT_TRUE(ShowsPlaceholder());
    // A header that counts no records (never rewritten): every record in the file, no placeholder.
    Preview(SamplePath(kTables, "stale-count.dbf"), L".dbf");
    EXPECT_EQ(Harness().frame->m_bPreviewShown, 1);
    EXPECT_FALSE(ShowsPlaceholder());
    ASSERT_EQ(DbfList()->GetItemCount(), 3);
    EXPECT_EQ(Row(DbfList(), 2)[1], L"Chloe     ");
    // A record cut by the end of the file shows what is there.
    Preview(SamplePath(kTables, "truncated-db3.dbf"), L".dbf");
    EXPECT_EQ(Harness().frame->m_bPreviewShown, 1);
    EXPECT_EQ(DbfList()->GetItemCount(), 2);
}

// --- The Access view --------------------------------------------------------------------------------

COleVariant Text(const wchar_t* s)
{
    return COleVariant(s);
}

// Customers (five rows), a system table, a table whose name holds "]"; two queries (one hidden);
// one relation.
MemoryDatabase OrdersDatabase()
{
    MemoryDatabase db;
    MemoryTable customers;
    customers.name = L"Customers";
    for (const wchar_t* f : {L"Name", L"Status", L"Since"}) {
        CDaoFieldInfo field;
        field.m_strName = f;
        customers.fields.push_back(field);
    }
    for (int i = 0; i < 5; ++i) {
        COleVariant since;
        since.vt = VT_DATE;
        since.date = 45322.0 + i;  // 2024-01-31 on
        customers.rows.push_back(
            {Text((L"Customer " + std::to_wstring(i)).c_str()), Text(i == 1 ? L"Done" : L"Open"), since});
    }
    MemoryTable system;
    system.name = L"MSysObjects";
    system.attributes = static_cast<long>(0x80000002);
    MemoryTable odd;
    odd.name = L"Odd]Name";
    CDaoFieldInfo id;
    id.m_strName = L"Id";
    odd.fields.push_back(id);
    odd.rows.push_back({COleVariant(7L)});
    db.tables = {customers, system, odd};
    CDaoQueryDefInfo recent, hidden;
    recent.m_strName = L"Recent";
    hidden.m_strName = L"~sq_hidden";
    hidden.m_nType = 5;
    db.queries = {recent, hidden};
    CDaoRelationInfo relation;
    relation.m_strName = L"CustomersOrders";
    relation.m_strTable = L"Customers";
    db.relations = {relation};
    return db;
}

struct EngineScope {
    MemoryDaoEngine engine;
    std::wstring path;
    EngineScope()
    {
        path = TempFile(L"orders.mdb");
        WriteBytes(path, {'m', 'd', 'b'});
        std::wstring key(CString(path.c_str()).MakeLower());
        engine.files[key] = OrdersDatabase();
        AfxDaoSetEngine(&engine);
    }
    ~EngineScope()
    {
        Harness().pane->CloseViewers();
        AfxDaoSetEngine(NULL);
    }
    MemoryDatabase& Database() { return engine.files.begin()->second; }
};

CMDB_View* AccessView()
{
    return dynamic_cast<CMDB_View*>(Harness().pane->Viewer(kViewerAccess));
}

std::vector<std::wstring> Children(CTreeCtrl& tree, HTREEITEM parent)
{
    std::vector<std::wstring> out;
    for (HTREEITEM item = tree.GetChildItem(parent); item != NULL; item = tree.GetNextSiblingItem(item))
        out.push_back(static_cast<LPCWSTR>(tree.GetItemText(item)));
    return out;
}

HTREEITEM Find(CTreeCtrl& tree, HTREEITEM parent, const wchar_t* text)
{
    for (HTREEITEM item = tree.GetChildItem(parent); item != NULL; item = tree.GetNextSiblingItem(item))
        if (tree.GetItemText(item) == text)
            return item;
    return NULL;
}

TEST(AccessView, TreeOfTablesRelationsAndQueries)
{
    EngineScope scope;
    Preview(scope.path, L".mdb");
    ASSERT_NE(AccessView(), nullptr);
    EXPECT_EQ(Harness().frame->m_bPreviewShown, 1);
    CDaoTreeView* treeView = AccessView()->GetTreeView();
    CTreeCtrl& tree = treeView->GetTreeCtrl();
    HTREEITEM root = tree.GetRootItem();
    EXPECT_EQ(tree.GetItemText(root), L"Access DataBase");
    EXPECT_EQ(Children(tree, root), (std::vector<std::wstring>{L"Tables", L"Relations", L"QueryDefs"}));
    // System tables and queries are left out unless the settings ask for them.
    EXPECT_EQ(Children(tree, treeView->TablesNode()), (std::vector<std::wstring>{L"Customers", L"Odd]Name"}));
    EXPECT_EQ(Children(tree, treeView->RelationsNode()), (std::vector<std::wstring>{L"Customers"}));
    EXPECT_EQ(Children(tree, treeView->QueriesNode()), (std::vector<std::wstring>{L"Recent"}));
    EXPECT_TRUE(tree.GetItemState(root, TVIS_EXPANDED) & TVIS_EXPANDED);
    int image = -1, selected = -1;
    tree.GetItemImage(Find(tree, treeView->TablesNode(), L"Customers"), image, selected);
    EXPECT_EQ(image, kDaoImageTable);
    // Both panes lie in the splitter, the tree on the left.
    CRect treeRect, listRect;
    treeView->GetWindowRect(&treeRect);
    AccessView()->GetListView()->GetWindowRect(&listRect);
    EXPECT_LT(treeRect.left, listRect.left);

    PreviewSettings().m_bShowSystemObjects = 1;
    treeView->PopulateTree();
    EXPECT_EQ(Children(tree, treeView->TablesNode()).size(), 3u);
    EXPECT_EQ(Children(tree, treeView->QueriesNode()).size(), 2u);
    PreviewSettings().m_bShowSystemObjects = 0;
}

// While it lives, the child window of the given id that is being made answers WM_CREATE with -1,
// as a window that cannot be made does: its creation fails and the window goes again.
class FailingChildCreation {
public:
    explicit FailingChildCreation(int id)
    {
        s_id = id;
        s_hook = SetWindowsHookExW(WH_CBT, Hook, NULL, GetCurrentThreadId());
    }
    ~FailingChildCreation() { UnhookWindowsHookEx(s_hook); }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HCBT_CREATEWND) {
            const CREATESTRUCTW* cs = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
            if ((cs->style & WS_CHILD) && reinterpret_cast<INT_PTR>(cs->hMenu) == s_id) {
                HWND hwnd = reinterpret_cast<HWND>(wParam);
                SetPropW(hwnd, kOldProc, reinterpret_cast<HANDLE>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)));
                SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FailCreate));
            }
        }
        return CallNextHookEx(s_hook, code, wParam, lParam);
    }
    static LRESULT CALLBACK FailCreate(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        WNDPROC old = reinterpret_cast<WNDPROC>(GetPropW(hwnd, kOldProc));
        if (message == WM_CREATE)
            return -1;
        if (message == WM_NCDESTROY)
            RemovePropW(hwnd, kOldProc);
        return CallWindowProcW(old, hwnd, message, wParam, lParam);
    }
    static constexpr const wchar_t* kOldProc = L"FailingChildCreation.OldProc";
    static inline int s_id = 0;
    static inline HHOOK s_hook = NULL;
};

TEST(AccessView, AChildViewThatCannotBeMadeEndsTheViewCleanly)
{
    EngineScope scope;
    // Each child view deletes itself when its window goes, also when its creation fails.
    for (int id : {CMDB_View::IDC_TREE, CMDB_View::IDC_LIST}) {
        SCOPED_TRACE(id);
        {
            FailingChildCreation failing(id);
            Preview(scope.path, L".mdb");
        }
        EXPECT_EQ(AccessView(), nullptr);
        EXPECT_EQ(Harness().frame->m_bPreviewShown, 0);
    }
    // The next preview of the database shows it.
    Preview(scope.path, L".mdb");
    ASSERT_NE(AccessView(), nullptr);
    EXPECT_EQ(Harness().frame->m_bPreviewShown, 1);
    EXPECT_NE(AccessView()->GetListView(), nullptr);
}

TEST(AccessView, SelectingATableShowsItsRecords)
{
    EngineScope scope;
    Preview(scope.path, L".mdb");
    ASSERT_NE(AccessView(), nullptr);
    CDaoTreeView* treeView = AccessView()->GetTreeView();
    CTreeCtrl& tree = treeView->GetTreeCtrl();
    CListCtrl* list = AccessView()->GetListView()->GetListCtrl();
    tree.SelectItem(Find(tree, treeView->TablesNode(), L"Customers"));
    Pump();
    EXPECT_EQ(Columns(list), (std::vector<std::wstring>{L"Index", L"Name", L"Status", L"Since"}));
    ASSERT_EQ(list->GetItemCount(), 5);
    EXPECT_EQ(Row(list, 0), (std::vector<std::wstring>{L"0", L"Customer 0", L"Open", L"01 31 24"}));
    // A name with "]" is escaped in the statement.
    tree.SelectItem(Find(tree, treeView->TablesNode(), L"Odd]Name"));
    Pump();
    EXPECT_EQ(scope.engine.statements.back(), L"Select * From [Odd]]Name]");
    ASSERT_EQ(list->GetItemCount(), 1);
    EXPECT_EQ(list->GetItemText(0, 1), L"7");
    // Selecting the "Tables" node or a query leaves the list as it is.
    tree.SelectItem(treeView->QueriesNode());
    Pump();
    EXPECT_EQ(list->GetItemCount(), 1);
    // Over the record limit: the first ones, and a message saying how many of how many.
    PreviewSettings().m_nRecordLimit = 3;
    TakeLoggedMessages();
    tree.SelectItem(Find(tree, treeView->TablesNode(), L"Customers"));
    Pump();
    EXPECT_EQ(list->GetItemCount(), 3);
    std::vector<std::string> messages = TakeLoggedMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("Loaded 3 of 5 total records"), std::string::npos);
    PreviewSettings().m_nRecordLimit = 10000;
}

TEST(AccessView, DeletingTablesAndQueriesFromTheOpenedCopy)
{
    EngineScope scope;
    Preview(scope.path, L".mdb");
    ASSERT_NE(AccessView(), nullptr);
    CDaoTreeView* treeView = AccessView()->GetTreeView();
    CTreeCtrl& tree = treeView->GetTreeCtrl();
    // The question is answered Yes (message boxes answer with their default button here).
    TakeLoggedMessages();
    tree.SelectItem(Find(tree, treeView->QueriesNode(), L"Recent"));
    Pump();
    EXPECT_TRUE(treeView->DeleteCurrentItem());
    EXPECT_TRUE(scope.Database().queries.size() == 1u);
    EXPECT_EQ(Children(tree, treeView->QueriesNode()).size(), 0u);
    std::vector<std::string> messages = TakeLoggedMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("Are you sure you want to delete this item ?"), std::string::npos);
    // An error of the engine is shown and the item stays.
    PreviewSettings().m_bShowSystemObjects = 1;
    treeView->PopulateTree();
    tree.SelectItem(Find(tree, treeView->TablesNode(), L"MSysObjects"));
    Pump();
    PreviewSettings().m_bConfirmDeletion = 0;
    EXPECT_FALSE(treeView->DeleteCurrentItem());
    messages = TakeLoggedMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("Cannot delete a system table."), std::string::npos);
    EXPECT_NE(Find(tree, treeView->TablesNode(), L"MSysObjects"), nullptr);
    // The node "Tables" is no table: nothing happens.
    tree.SelectItem(treeView->TablesNode());
    Pump();
    EXPECT_FALSE(treeView->DeleteCurrentItem());
    PreviewSettings().m_bConfirmDeletion = 1;
    PreviewSettings().m_bShowSystemObjects = 0;
}

// Deleting the selected table selects the next one; a second Delete then deletes that table.
TEST(AccessView, DeleteTwiceDeletesTheTableSelectedAfterTheFirst)
{
    EngineScope scope;
    Preview(scope.path, L".mdb");
    ASSERT_NE(AccessView(), nullptr);
    CDaoTreeView* treeView = AccessView()->GetTreeView();
    CTreeCtrl& tree = treeView->GetTreeCtrl();
    struct NoQuestion {
        NoQuestion() { PreviewSettings().m_bConfirmDeletion = 0; }
        ~NoQuestion() { PreviewSettings().m_bConfirmDeletion = 1; }
    } noQuestion;
    tree.SelectItem(Find(tree, treeView->TablesNode(), L"Customers"));
    Pump();
    EXPECT_TRUE(treeView->DeleteCurrentItem());
    Pump();
    HTREEITEM selected = tree.GetSelectedItem();
    ASSERT_NE(selected, nullptr);
    EXPECT_EQ(std::wstring(tree.GetItemText(selected)), L"Odd]Name");
    EXPECT_TRUE(treeView->DeleteCurrentItem());
    EXPECT_EQ(Children(tree, treeView->TablesNode()).size(), 0u);
    ASSERT_EQ(scope.Database().tables.size(), 1u);
    EXPECT_EQ(scope.Database().tables[0].name, L"MSysObjects");
}

TEST(AccessView, OnlyTheProgramsOwnDataMayBeDraggedOverTheTree)
{
    EngineScope scope;
    Preview(scope.path, L".mdb");
    ASSERT_NE(AccessView(), nullptr);
    CDaoTreeView* treeView = AccessView()->GetTreeView();
    COleDataSource* own = new COleDataSource;
    own->CacheGlobalData(static_cast<CLIPFORMAT>(treeView->m_nClipboardFormat), GlobalAlloc(GMEM_MOVEABLE, 4));
    COleDataSource* text = new COleDataSource;
    text->CacheGlobalData(CF_TEXT, GlobalAlloc(GMEM_MOVEABLE, 4));
    COleDataObject ownData, textData;
    ownData.Attach(own->GetDataObject(), FALSE);
    textData.Attach(text->GetDataObject(), FALSE);
    EXPECT_EQ(treeView->OnDragEnter(&ownData, 0, CPoint(5, 5)), static_cast<DROPEFFECT>(DROPEFFECT_COPY));
    EXPECT_EQ(treeView->OnDragOver(&textData, 0, CPoint(5, 5)), static_cast<DROPEFFECT>(DROPEFFECT_NONE));
    EXPECT_FALSE(treeView->OnDrop(&ownData, DROPEFFECT_COPY, CPoint(5, 5)));
    ownData.Release();
    textData.Release();
    own->InternalRelease();
    text->InternalRelease();
}

struct AutomationScope {
    std::wstring path;
    std::wstring lowered;
    std::vector<std::wstring> files;
    FakeDatabaseServer engine;
    AutomationScope()
        : path(TempFile(L"automation.mdb")), lowered(CString(path.c_str()).MakeLower()),
          engine(lowered, OrdersDatabase())
    {
        WriteBytes(path, {'m', 'd', 'b'});
        files = FolderFiles(TempFolder());
    }
    ~AutomationScope() { Harness().pane->CloseViewers(); }
};

TEST(AccessView, ThroughTheDatabaseEnginesAutomation)
{
    AutomationScope scope;
    ASSERT_TRUE(scope.engine.Registered());
    Preview(scope.path, L".mdb");
    ASSERT_NE(AccessView(), nullptr);
    EXPECT_EQ(Harness().frame->m_bPreviewShown, 1);
    CDaoTreeView* treeView = AccessView()->GetTreeView();
    CTreeCtrl& tree = treeView->GetTreeCtrl();
    EXPECT_EQ(Children(tree, treeView->TablesNode()), (std::vector<std::wstring>{L"Customers", L"Odd]Name"}));
    EXPECT_EQ(Children(tree, treeView->RelationsNode()), (std::vector<std::wstring>{L"Customers"}));
    EXPECT_EQ(Children(tree, treeView->QueriesNode()), (std::vector<std::wstring>{L"Recent"}));
    CListCtrl* list = AccessView()->GetListView()->GetListCtrl();
    tree.SelectItem(Find(tree, treeView->TablesNode(), L"Customers"));
    Pump();
    EXPECT_EQ(Columns(list), (std::vector<std::wstring>{L"Index", L"Name", L"Status", L"Since"}));
    ASSERT_EQ(list->GetItemCount(), 5);
    EXPECT_EQ(Row(list, 1), (std::vector<std::wstring>{L"1", L"Customer 1", L"Done", L"02 01 24"}));
    Harness().pane->CloseViewers();

    // Opened as it is named, read-write, not exclusive; for the tree the names of the tables, the
    // queries and the relations' tables, in that order; for the list the table's field names, then
    // its records as a dynaset of the table's statement, each record's values read before the move
    // to the next; the recordset closed, then the database; nothing held. (How the engine's objects
    // are reached between these calls is the database classes' own business.)
    FakeDatabaseLog& log = scope.engine.Log();
    ASSERT_FALSE(log.calls.empty());
    EXPECT_EQ(log.calls.front(), L"DBEngine.OpenDatabase('" + scope.lowered + L"', false, false, '')");
    EXPECT_EQ(log.calls.back(), L"Database.Close()");
    EXPECT_EQ(log.objects, 0);
    std::vector<std::wstring> expected = {L"TableDef.Name()", L"TableDef.Name()", L"TableDef.Name()",
        L"QueryDef.Name()", L"QueryDef.Name()", L"Relation.Table()", L"Field.Name()", L"Field.Name()", L"Field.Name()",
        L"Database.OpenRecordset('Select * From [Customers]', 2)"};
    for (int row = 0; row < 5; ++row)
        expected.insert(expected.end(),
            {L"Field.Value()", L"Field.Value()", L"Field.Value()", L"Recordset.MoveNext()"});
    expected.insert(expected.end(), {L"Recordset.Close()", L"Database.Close()"});
    EXPECT_EQ(scope.engine.CallsTo(
                  {L"TableDef.Name", L"QueryDef.Name", L"Relation.Table", L"Field.Name", L"Database.OpenRecordset",
                      L"Field.Value", L"Recordset.MoveNext", L"Recordset.Close", L"Database.Close"}),
        expected);
    EXPECT_EQ(FolderFiles(TempFolder()), scope.files);
}

TEST(AccessView, AnEngineThatFailsHalfWay)
{
    {
        // The engine starts but cannot open the database: the placeholder, nothing held or left.
        AutomationScope scope;
        scope.engine.Log().failAt = L"DBEngine.OpenDatabase";
        Preview(scope.path, L".mdb");
        EXPECT_EQ(Harness().frame->m_bPreviewShown, 0);
        EXPECT_TRUE(ShowsPlaceholder());
        EXPECT_EQ(scope.engine.Log().calls,
            (std::vector<std::wstring>{L"DBEngine.OpenDatabase('" + scope.lowered + L"', false, false, '')"}));
        EXPECT_EQ(scope.engine.Log().objects, 0);
        EXPECT_EQ(FolderFiles(TempFolder()), scope.files);
    }
    {
        // Reading rows fails after two: the engine's message, the rows read, the recordset closed.
        AutomationScope scope;
        scope.engine.Log().failAt = L"Recordset.MoveNext";
        scope.engine.Log().failAfter = 2;
        Preview(scope.path, L".mdb");
        ASSERT_NE(AccessView(), nullptr);
        CDaoTreeView* treeView = AccessView()->GetTreeView();
        CTreeCtrl& tree = treeView->GetTreeCtrl();
        TakeLoggedMessages();
        tree.SelectItem(Find(tree, treeView->TablesNode(), L"Customers"));
        Pump();
        std::vector<std::string> messages = TakeLoggedMessages();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_NE(messages[0].find("The engine failed half-way."), std::string::npos);
        EXPECT_EQ(AccessView()->GetListView()->GetListCtrl()->GetItemCount(), 3);
        Harness().pane->CloseViewers();
        EXPECT_EQ(scope.engine.CallsTo({L"Recordset.MoveNext", L"Recordset.Close", L"Database.Close"}),
            (std::vector<std::wstring>{L"Recordset.MoveNext()", L"Recordset.MoveNext()", L"Recordset.MoveNext()",
                L"Recordset.Close()", L"Database.Close()"}));
        EXPECT_EQ(scope.engine.Log().objects, 0);
        EXPECT_EQ(FolderFiles(TempFolder()), scope.files);
    }
}

TEST(AccessView, DatabasesThatDoNotOpen)
{
    // The platform's engine is not installed here: its automation path fails and the pane shows its
    // placeholder.
    std::wstring path = TempFile(L"plain.mdb");
    WriteBytes(path, {'m', 'd', 'b'});
    Preview(path, L".mdb");
    EXPECT_EQ(Harness().frame->m_bPreviewShown, 0);
    EXPECT_TRUE(ShowsPlaceholder());
    // A file the engine does not know.
    EngineScope scope;
    Preview(TempFile(L"other.mdb"), L".mdb");
    EXPECT_EQ(Harness().frame->m_bPreviewShown, 0);
}

TEST(AccessView, CellTextsAndRowColours)
{
    COleVariant value;
    EXPECT_EQ(std::wstring(VariantToText(value)), L"NULL");
    EXPECT_EQ(std::wstring(VariantToText(COleVariant(short(-3)))), L"-3");
    EXPECT_EQ(std::wstring(VariantToText(COleVariant(12345L))), L"12345");
    EXPECT_EQ(std::wstring(VariantToText(COleVariant(1.5))), L"1.500000e+000");
    EXPECT_EQ(std::wstring(VariantToText(COleVariant(1L, VT_BOOL))), L"TRUE");
    VARIANT byte;
    VariantInit(&byte);
    byte.vt = VT_UI1;
    byte.bVal = 0xAB;
    EXPECT_EQ(std::wstring(VariantToText(byte)), L"0xAB");
    VARIANT dispatch;
    VariantInit(&dispatch);
    dispatch.vt = VT_DISPATCH;
    EXPECT_EQ(std::wstring(VariantToText(dispatch)), L"VT_DISPATCH");
    VARIANT array;
    VariantInit(&array);
    array.vt = VT_ARRAY | VT_I4;
    EXPECT_EQ(std::wstring(VariantToText(array)), L"Array of VT_I4");
    VARIANT odd;
    VariantInit(&odd);
    odd.vt = 40;
    EXPECT_EQ(std::wstring(VariantToText(odd)), L"Fish");
    EXPECT_EQ(TableQuery(L"a]b]"), L"Select * From [a]]b]]]");

    // Colours by column, and text colours by the first data cell.
    CStatusListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 200, 100), Harness().frame, 4321));
    list.InsertColumn(0, L"Index");
    list.InsertColumn(1, L"Status");
    list.InsertItem(0, L"0");
    list.SetItemText(0, 1, L"Done today");
    list.InsertItem(1, L"1");
    list.SetItemText(1, 1, L"Progress");
    NMLVCUSTOMDRAW draw = {};
    draw.nmcd.dwDrawStage = CDDS_PREPAINT;
    EXPECT_EQ(list.CustomDraw(&draw), CDRF_NOTIFYSUBITEMDRAW);
    draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT | CDDS_SUBITEM;
    draw.nmcd.dwItemSpec = 0;
    draw.iSubItem = 0;
    EXPECT_EQ(list.CustomDraw(&draw), CDRF_DODEFAULT);
    EXPECT_EQ(draw.clrTextBk, RGB(245, 243, 178));
    EXPECT_EQ(draw.clrText, RGB(0, 0, 255));
    draw.iSubItem = 3;
    list.CustomDraw(&draw);
    EXPECT_EQ(draw.clrTextBk, RGB(248, 233, 243));
    draw.nmcd.dwItemSpec = 1;
    draw.iSubItem = 2;
    list.CustomDraw(&draw);
    EXPECT_EQ(draw.clrText, RGB(0, 255, 0));
    EXPECT_EQ(draw.clrTextBk, RGB(0, 0, 0));
    list.DestroyWindow();
}

}  // namespace
}  // namespace morvick::test
