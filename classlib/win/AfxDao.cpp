#include "classlib/win/AfxDao.h"

#include <cwchar>

IMPLEMENT_DYNAMIC(CDaoException, CException)

namespace {

CDaoEngine* g_pEngine = nullptr;

}  // namespace

CDaoException::CDaoException() : m_pErrorInfo(NULL), m_scode(S_OK), m_nAfxDaoError(NO_AFX_DAO_ERROR) {}

CDaoException::~CDaoException()
{
    delete m_pErrorInfo;
}

BOOL CDaoException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    if (lpszError == NULL || nMaxError == 0)
        return FALSE;
    if (pnHelpContext != NULL)
        *pnHelpContext = m_pErrorInfo != NULL ? static_cast<UINT>(m_pErrorInfo->m_lHelpContext) : 0;
    CString text;
    if (m_pErrorInfo != NULL)
        text = m_pErrorInfo->m_strDescription;
    else
        text.Format(L"Database engine error %08lX", static_cast<unsigned long>(m_scode));
    wcsncpy(lpszError, text, nMaxError - 1);
    lpszError[nMaxError - 1] = L'\0';
    return TRUE;
}

void AFXAPI AfxThrowDaoException(int nAfxDaoError, SCODE scode, const CDaoErrorInfo* pInfo)
{
    CDaoException* e = new CDaoException;
    e->m_nAfxDaoError = nAfxDaoError;
    e->m_scode = scode;
    if (pInfo != NULL)
        e->m_pErrorInfo = new CDaoErrorInfo(*pInfo);
    throw e;
}

CDaoEngine* AFXAPI AfxDaoGetEngine()
{
    return g_pEngine != nullptr ? g_pEngine : AfxDaoAutomationEngine();
}

void AFXAPI AfxDaoSetEngine(CDaoEngine* pEngine)
{
    g_pEngine = pEngine;
}

// --- CDaoDatabase ---------------------------------------------------------------------------------

CDaoDatabase::CDaoDatabase() {}

CDaoDatabase::~CDaoDatabase()
{
    try {
        Close();
    } catch (CException* e) {
        e->Delete();
    }
}

void CDaoDatabase::Open(LPCTSTR lpszName, BOOL bExclusive, BOOL bReadOnly, LPCTSTR lpszConnect)
{
    Close();
    CDaoEngine* engine = AfxDaoGetEngine();
    if (engine == nullptr)
        AfxThrowDaoException(AFX_DAO_ERROR_ENGINE_INITIALIZATION, E_NOINTERFACE);
    m_pEngineDatabase.reset(engine->OpenDatabase(lpszName, bExclusive, bReadOnly, lpszConnect));
    if (!m_pEngineDatabase)
        AfxThrowDaoException(AFX_DAO_ERROR_ENGINE_INITIALIZATION, E_FAIL);
    m_strName = lpszName;
}

void CDaoDatabase::Close()
{
    if (m_pEngineDatabase) {
        std::unique_ptr<CDaoEngineDatabase> database = std::move(m_pEngineDatabase);
        database->Close();
    }
}

CDaoEngineDatabase* CDaoDatabase::GetEngineDatabase()
{
    if (!m_pEngineDatabase)
        AfxThrowDaoException(AFX_DAO_ERROR_OBJECT_NOT_OPEN, E_UNEXPECTED);
    return m_pEngineDatabase.get();
}

short CDaoDatabase::GetTableDefCount()
{
    return GetEngineDatabase()->GetTableDefCount();
}

void CDaoDatabase::GetTableDefInfo(int nIndex, CDaoTableDefInfo& tabledefinfo, DWORD)
{
    GetEngineDatabase()->GetTableDefInfo(nIndex, tabledefinfo);
}

short CDaoDatabase::GetQueryDefCount()
{
    return GetEngineDatabase()->GetQueryDefCount();
}

void CDaoDatabase::GetQueryDefInfo(int nIndex, CDaoQueryDefInfo& querydefinfo, DWORD)
{
    GetEngineDatabase()->GetQueryDefInfo(nIndex, querydefinfo);
}

short CDaoDatabase::GetRelationCount()
{
    return GetEngineDatabase()->GetRelationCount();
}

void CDaoDatabase::GetRelationInfo(int nIndex, CDaoRelationInfo& relinfo, DWORD)
{
    GetEngineDatabase()->GetRelationInfo(nIndex, relinfo);
}

void CDaoDatabase::DeleteTableDef(LPCTSTR lpszName)
{
    GetEngineDatabase()->DeleteTableDef(lpszName);
}

void CDaoDatabase::DeleteQueryDef(LPCTSTR lpszName)
{
    GetEngineDatabase()->DeleteQueryDef(lpszName);
}

// --- CDaoTableDef ---------------------------------------------------------------------------------

CDaoTableDef::CDaoTableDef(CDaoDatabase* pDatabase) : m_pDatabase(pDatabase), m_bOpen(FALSE) {}

CDaoTableDef::~CDaoTableDef() {}

void CDaoTableDef::Open(LPCTSTR lpszName)
{
    if (m_pDatabase == NULL)
        AfxThrowDaoException(AFX_DAO_ERROR_OBJECT_NOT_OPEN, E_POINTER);
    // Asking for its fields checks that the table exists.
    m_pDatabase->GetEngineDatabase()->GetFieldCount(lpszName);
    m_strName = lpszName;
    m_bOpen = TRUE;
}

void CDaoTableDef::Close()
{
    m_bOpen = FALSE;
}

short CDaoTableDef::GetFieldCount()
{
    if (!m_bOpen)
        AfxThrowDaoException(AFX_DAO_ERROR_OBJECT_NOT_OPEN, E_UNEXPECTED);
    return m_pDatabase->GetEngineDatabase()->GetFieldCount(m_strName);
}

void CDaoTableDef::GetFieldInfo(int nIndex, CDaoFieldInfo& fieldinfo, DWORD)
{
    if (!m_bOpen)
        AfxThrowDaoException(AFX_DAO_ERROR_OBJECT_NOT_OPEN, E_UNEXPECTED);
    m_pDatabase->GetEngineDatabase()->GetFieldInfo(m_strName, nIndex, fieldinfo);
}

// --- CDaoRecordset --------------------------------------------------------------------------------

CDaoRecordset::CDaoRecordset(CDaoDatabase* pDatabase) : m_pDatabase(pDatabase) {}

CDaoRecordset::~CDaoRecordset()
{
    try {
        Close();
    } catch (CException* e) {
        e->Delete();
    }
}

void CDaoRecordset::Open(int nOpenType, LPCTSTR lpszSQL, int)
{
    if (m_pDatabase == NULL || lpszSQL == NULL)
        AfxThrowDaoException(AFX_DAO_ERROR_OBJECT_NOT_OPEN, E_POINTER);
    m_pEngineRecordset.reset(m_pDatabase->GetEngineDatabase()->OpenRecordset(nOpenType, lpszSQL));
    if (!m_pEngineRecordset)
        AfxThrowDaoException(NO_AFX_DAO_ERROR, E_FAIL);
}

void CDaoRecordset::Close()
{
    if (m_pEngineRecordset) {
        std::unique_ptr<CDaoEngineRecordset> recordset = std::move(m_pEngineRecordset);
        recordset->Close();
    }
}

CDaoEngineRecordset* CDaoRecordset::Engine()
{
    if (!m_pEngineRecordset)
        AfxThrowDaoException(AFX_DAO_ERROR_OBJECT_NOT_OPEN, E_UNEXPECTED);
    return m_pEngineRecordset.get();
}

BOOL CDaoRecordset::IsEOF()
{
    return Engine()->IsEOF();
}

void CDaoRecordset::MoveNext()
{
    Engine()->MoveNext();
}

short CDaoRecordset::GetFieldCount()
{
    return Engine()->GetFieldCount();
}

void CDaoRecordset::GetFieldValue(int nIndex, COleVariant& varValue)
{
    Engine()->GetFieldValue(nIndex, varValue);
}

COleVariant CDaoRecordset::GetFieldValue(int nIndex)
{
    COleVariant value;
    GetFieldValue(nIndex, value);
    return value;
}
