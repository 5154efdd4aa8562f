#include "preview/win/host/AccessDatabase.h"

#include "preview/win/host/PreviewDocument.h"
#include "preview/win/tables/DaoTreeView.h"
#include "preview/win/tables/MdbListView.h"
#include "ui/msgbox/win/MessageDialogs.h"

int CPreviewDocument::OpenAccessDatabase(const CString& strPath)
{
    // The engine is a COM server: COM must be up on this thread (and stays up when this starts it).
    if (::CoInitialize(NULL) == S_FALSE)
        ::CoUninitialize();
    CDaoDatabase* database = new CDaoDatabase;
    try {
        database->Open(strPath, FALSE, FALSE, L"");
    } catch (CDaoException* e) {
        delete database;
        e->Delete();
        return 0;
    }
    CloseAccessDatabase();
    m_pDatabase = database;
    if (m_pDaoTreeView != NULL)
        m_pDaoTreeView->m_pDatabase = database;
    if (m_pRecordListView != NULL)
        m_pRecordListView->m_pDatabase = database;
    RefreshDatabaseViews();
    return 1;
}

void CPreviewDocument::RefreshDatabaseViews()
{
    if (m_pDatabase == NULL)
        return;
    if (m_pRecordListView != NULL)
        m_pRecordListView->ClearList();
    if (m_pDaoTreeView != NULL)
        m_pDaoTreeView->PopulateTree();
}

void CPreviewDocument::CloseAccessDatabase()
{
    if (m_pDatabase == NULL)
        return;
    CDaoDatabase* database = m_pDatabase;
    m_pDatabase = NULL;
    if (m_pDaoTreeView != NULL)
        m_pDaoTreeView->m_pDatabase = NULL;
    if (m_pRecordListView != NULL)
        m_pRecordListView->m_pDatabase = NULL;
    try {
        database->Close();
    } catch (CException* e) {
        e->Delete();
    }
    delete database;
}

void ReportDaoException(CDaoException* e)
{
    if (e == NULL)
        return;
    CString text;
    if (e->m_pErrorInfo != NULL) {
        text.Format(L"%s   (%d)", static_cast<LPCWSTR>(e->m_pErrorInfo->m_strDescription),
            static_cast<int>(e->m_pErrorInfo->m_lErrorCode));
    } else {
        text.Format(L"ERROR:CDaoException\n\nSCODE_CODE      =%d\nSCODE_FACILITY  =%d\nSCODE_SEVERITY  =%d\n"
                    L"ResultFromScode =%d\n",
            static_cast<int>(SCODE_CODE(e->m_scode)), static_cast<int>(SCODE_FACILITY(e->m_scode)),
            static_cast<int>(SCODE_SEVERITY(e->m_scode)), static_cast<int>(e->m_scode));
    }
    // Names in the text come from the database: shown as they are, not as markup.
    morvick::ui::ShowPlainMessage(static_cast<LPCWSTR>(text), 2);
}
