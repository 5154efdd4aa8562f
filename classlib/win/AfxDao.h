// The database classes: a database file opened through the database engine, its table, query and
// relation definitions, the fields of a table, and records read through a recordset. Failures
// throw CDaoException. The engine behind them is the platform's database engine reached through
// its automation interface ("DAO.DBEngine.36") where that is registered; a program may install
// another engine (AfxDaoSetEngine), which the tests do with one that holds its tables in memory.
#pragma once

#include "classlib/core/CException.h"
#include "classlib/win/COleVariant.h"

#include <memory>

#define AFX_DAO_PRIMARY_INFO 0x00000001
#define AFX_DAO_SECONDARY_INFO 0x00000002
#define AFX_DAO_ALL_INFO 0x00000004

#define dbOpenTable 1
#define dbOpenDynaset 2
#define dbOpenSnapshot 4

// Attributes of table definitions.
#define dbSystemObject 0x80000002
#define dbHiddenObject 0x00000001

#define NO_AFX_DAO_ERROR 0
#define AFX_DAO_ERROR_ENGINE_INITIALIZATION 1
#define AFX_DAO_ERROR_DFX_BIND 2
#define AFX_DAO_ERROR_OBJECT_NOT_OPEN 3

struct CDaoErrorInfo {
    long m_lErrorCode = 0;
    CString m_strSource;
    CString m_strDescription;
    CString m_strHelpFile;
    long m_lHelpContext = 0;
};

class CDaoException : public CException {
    DECLARE_DYNAMIC(CDaoException)
public:
    CDaoException();
    ~CDaoException() override;

    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;

    CDaoErrorInfo* m_pErrorInfo;  // owned; NULL when the engine gave no description
    SCODE m_scode;
    int m_nAfxDaoError;
};

// Throws a new CDaoException; with pInfo the exception carries a copy of it.
void AFXAPI AfxThrowDaoException(int nAfxDaoError = NO_AFX_DAO_ERROR, SCODE scode = S_OK,
    const CDaoErrorInfo* pInfo = NULL);

struct CDaoTableDefInfo {
    CString m_strName;
    BOOL m_bUpdatable = FALSE;
    long m_lAttributes = 0;
    long m_lRecordCount = 0;
};

struct CDaoQueryDefInfo {
    CString m_strName;
    short m_nType = 0;
};

struct CDaoRelationInfo {
    CString m_strName;
    CString m_strTable;
    CString m_strForeignTable;
    long m_lAttributes = 0;
};

struct CDaoFieldInfo {
    CString m_strName;
    short m_nType = 0;
    long m_lSize = 0;
    long m_lAttributes = 0;
};

// An engine's open recordset.
class CDaoEngineRecordset {
public:
    virtual ~CDaoEngineRecordset() = default;
    virtual BOOL IsEOF() = 0;
    virtual void MoveNext() = 0;
    virtual short GetFieldCount() = 0;
    virtual void GetFieldValue(int nIndex, COleVariant& value) = 0;
    virtual void Close() = 0;
};

// An engine's open database.
class CDaoEngineDatabase {
public:
    virtual ~CDaoEngineDatabase() = default;
    virtual short GetTableDefCount() = 0;
    virtual void GetTableDefInfo(int nIndex, CDaoTableDefInfo& info) = 0;
    virtual short GetQueryDefCount() = 0;
    virtual void GetQueryDefInfo(int nIndex, CDaoQueryDefInfo& info) = 0;
    virtual short GetRelationCount() = 0;
    virtual void GetRelationInfo(int nIndex, CDaoRelationInfo& info) = 0;
    virtual void DeleteTableDef(LPCTSTR lpszName) = 0;
    virtual void DeleteQueryDef(LPCTSTR lpszName) = 0;
    // The fields of a table definition; throws when there is no such table.
    virtual short GetFieldCount(LPCTSTR lpszTable) = 0;
    virtual void GetFieldInfo(LPCTSTR lpszTable, int nIndex, CDaoFieldInfo& info) = 0;
    virtual CDaoEngineRecordset* OpenRecordset(int nOpenType, LPCTSTR lpszSQL) = 0;
    virtual void Close() = 0;
};

class CDaoEngine {
public:
    virtual ~CDaoEngine() = default;
    virtual CDaoEngineDatabase* OpenDatabase(LPCTSTR lpszName, BOOL bExclusive, BOOL bReadOnly,
        LPCTSTR lpszConnect) = 0;
};

// The engine in use: the installed one, else the automation engine.
CDaoEngine* AFXAPI AfxDaoGetEngine();
// Installs an engine (the caller keeps it); NULL goes back to the automation engine.
void AFXAPI AfxDaoSetEngine(CDaoEngine* pEngine);

class CDaoDatabase {
public:
    CDaoDatabase();
    virtual ~CDaoDatabase();

    virtual void Open(LPCTSTR lpszName, BOOL bExclusive = FALSE, BOOL bReadOnly = FALSE, LPCTSTR lpszConnect = L"");
    virtual void Close();
    BOOL IsOpen() const { return m_pEngineDatabase != nullptr; }
    CString GetName() const { return m_strName; }

    short GetTableDefCount();
    void GetTableDefInfo(int nIndex, CDaoTableDefInfo& tabledefinfo, DWORD dwInfoOptions = AFX_DAO_PRIMARY_INFO);
    short GetQueryDefCount();
    void GetQueryDefInfo(int nIndex, CDaoQueryDefInfo& querydefinfo, DWORD dwInfoOptions = AFX_DAO_PRIMARY_INFO);
    short GetRelationCount();
    void GetRelationInfo(int nIndex, CDaoRelationInfo& relinfo, DWORD dwInfoOptions = AFX_DAO_PRIMARY_INFO);
    void DeleteTableDef(LPCTSTR lpszName);
    void DeleteQueryDef(LPCTSTR lpszName);

    CDaoEngineDatabase* GetEngineDatabase();  // throws when not open

protected:
    std::unique_ptr<CDaoEngineDatabase> m_pEngineDatabase;
    CString m_strName;
};

class CDaoTableDef {
public:
    explicit CDaoTableDef(CDaoDatabase* pDatabase);
    virtual ~CDaoTableDef();

    virtual void Open(LPCTSTR lpszName);
    virtual void Close();
    BOOL IsOpen() const { return m_bOpen; }
    short GetFieldCount();
    void GetFieldInfo(int nIndex, CDaoFieldInfo& fieldinfo, DWORD dwInfoOptions = AFX_DAO_PRIMARY_INFO);

    CDaoDatabase* m_pDatabase;

protected:
    CString m_strName;
    BOOL m_bOpen;
};

class CDaoRecordset {
public:
    explicit CDaoRecordset(CDaoDatabase* pDatabase = NULL);
    virtual ~CDaoRecordset();

    virtual void Open(int nOpenType = dbOpenDynaset, LPCTSTR lpszSQL = NULL, int nOptions = 0);
    virtual void Close();
    BOOL IsOpen() const { return m_pEngineRecordset != nullptr; }
    BOOL IsEOF();
    void MoveNext();
    short GetFieldCount();
    void GetFieldValue(int nIndex, COleVariant& varValue);
    COleVariant GetFieldValue(int nIndex);

    CDaoDatabase* m_pDatabase;

protected:
    CDaoEngineRecordset* Engine();  // throws when not open
    std::unique_ptr<CDaoEngineRecordset> m_pEngineRecordset;
};

// The automation engine's own factory (what AfxDaoGetEngine gives without an installed one).
CDaoEngine* AFXAPI AfxDaoAutomationEngine();
