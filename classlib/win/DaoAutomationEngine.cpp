// The database engine reached through its automation interface ("DAO.DBEngine.36"), late bound:
// every call names its member and goes through IDispatch. An engine that is not registered, and
// every error the engine raises, become CDaoException.
#include "classlib/win/AfxDao.h"

#include <initializer_list>
#include <vector>

namespace {

void ThrowFromResult(HRESULT hr, const EXCEPINFO* info)
{
    CDaoErrorInfo details;
    SCODE scode = hr;
    bool described = false;
    if (info != NULL) {
        EXCEPINFO filled = *info;
        if (filled.pfnDeferredFillIn != NULL)
            filled.pfnDeferredFillIn(&filled);
        if (filled.scode != 0)
            scode = filled.scode;
        details.m_lErrorCode = filled.wCode != 0 ? filled.wCode : static_cast<long>(HRESULT_CODE(scode));
        if (filled.bstrDescription != NULL) {
            details.m_strDescription = filled.bstrDescription;
            described = true;
        }
        if (filled.bstrSource != NULL)
            details.m_strSource = filled.bstrSource;
        if (filled.bstrHelpFile != NULL)
            details.m_strHelpFile = filled.bstrHelpFile;
        details.m_lHelpContext = static_cast<long>(filled.dwHelpContext);
        ::SysFreeString(filled.bstrDescription);
        ::SysFreeString(filled.bstrSource);
        ::SysFreeString(filled.bstrHelpFile);
    }
    AfxThrowDaoException(NO_AFX_DAO_ERROR, scode, described ? &details : NULL);
}

VARIANT Text(LPCTSTR text)
{
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = ::SysAllocString(text != NULL ? text : L"");
    return v;
}

VARIANT Number(long value)
{
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

VARIANT Flag(BOOL value)
{
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_BOOL;
    v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}

// An automation object of the engine, released with this wrapper.
class Object {
public:
    explicit Object(IDispatch* dispatch = NULL) : m_dispatch(dispatch) {}
    Object(Object&& other) noexcept : m_dispatch(other.m_dispatch) { other.m_dispatch = NULL; }
    Object& operator=(Object&& other) noexcept
    {
        if (this != &other) {
            Release();
            m_dispatch = other.m_dispatch;
            other.m_dispatch = NULL;
        }
        return *this;
    }
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;
    ~Object() { Release(); }

    void Release()
    {
        if (m_dispatch != NULL)
            m_dispatch->Release();
        m_dispatch = NULL;
    }

    // Calls the named member with the arguments (each cleared afterwards); the result's owner is
    // the caller.
    VARIANT Call(LPCOLESTR name, WORD flags, std::initializer_list<VARIANT> arguments = {}) const
    {
        std::vector<VARIANT> args(arguments.begin(), arguments.end());
        VARIANT result;
        ::VariantInit(&result);
        DISPID id = DISPID_UNKNOWN;
        HRESULT hr = m_dispatch == NULL
            ? E_POINTER
            : m_dispatch->GetIDsOfNames(IID_NULL, const_cast<LPOLESTR*>(&name), 1, LOCALE_USER_DEFAULT, &id);
        EXCEPINFO info = {};
        bool haveInfo = false;
        if (SUCCEEDED(hr)) {
            std::vector<VARIANT> reversed(args.rbegin(), args.rend());
            DISPPARAMS params = {};
            params.cArgs = static_cast<UINT>(reversed.size());
            params.rgvarg = reversed.empty() ? NULL : reversed.data();
            UINT argError = 0;
            hr = m_dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, &result, &info, &argError);
            haveInfo = hr == DISP_E_EXCEPTION;
        }
        for (VARIANT& v : args)
            ::VariantClear(&v);
        if (FAILED(hr)) {
            ::VariantClear(&result);
            ThrowFromResult(hr, haveInfo ? &info : NULL);
        }
        return result;
    }

    Object Child(LPCOLESTR name, WORD flags = DISPATCH_PROPERTYGET, std::initializer_list<VARIANT> args = {}) const
    {
        VARIANT v = Call(name, flags, args);
        if (v.vt != VT_DISPATCH || v.pdispVal == NULL) {
            ::VariantClear(&v);
            AfxThrowDaoException(NO_AFX_DAO_ERROR, E_NOINTERFACE);
        }
        return Object(v.pdispVal);  // takes the reference
    }

    long Long(LPCOLESTR name) const
    {
        VARIANT raw = Call(name, DISPATCH_PROPERTYGET);
        VARIANT converted;
        ::VariantInit(&converted);
        HRESULT hr = ::VariantChangeType(&converted, &raw, 0, VT_I4);
        ::VariantClear(&raw);
        return SUCCEEDED(hr) ? converted.lVal : 0;
    }

    CString String(LPCOLESTR name) const
    {
        VARIANT v = Call(name, DISPATCH_PROPERTYGET);
        CString text;
        if (SUCCEEDED(::VariantChangeType(&v, &v, 0, VT_BSTR)) && v.bstrVal != NULL)
            text = v.bstrVal;
        ::VariantClear(&v);
        return text;
    }

    Object Item(long index) const { return Child(L"Item", DISPATCH_METHOD | DISPATCH_PROPERTYGET, {Number(index)}); }
    Object Item(LPCTSTR name) const { return Child(L"Item", DISPATCH_METHOD | DISPATCH_PROPERTYGET, {Text(name)}); }

private:
    IDispatch* m_dispatch;
};

short Count(const Object& collection)
{
    long n = collection.Long(L"Count");
    return static_cast<short>(n < 0 ? 0 : n > 32767 ? 32767 : n);
}

class AutomationRecordset : public CDaoEngineRecordset {
public:
    explicit AutomationRecordset(Object recordset) : m_recordset(std::move(recordset)) {}
    BOOL IsEOF() override { return m_recordset.Long(L"EOF") != 0; }
    void MoveNext() override
    {
        VARIANT v = m_recordset.Call(L"MoveNext", DISPATCH_METHOD);
        ::VariantClear(&v);
    }
    short GetFieldCount() override { return Count(m_recordset.Child(L"Fields")); }
    void GetFieldValue(int nIndex, COleVariant& value) override
    {
        Object field = m_recordset.Child(L"Fields").Item(nIndex);
        VARIANT v = field.Call(L"Value", DISPATCH_PROPERTYGET);
        value = v;
        ::VariantClear(&v);
    }
    void Close() override
    {
        VARIANT v = m_recordset.Call(L"Close", DISPATCH_METHOD);
        ::VariantClear(&v);
    }

private:
    Object m_recordset;
};

class AutomationDatabase : public CDaoEngineDatabase {
public:
    AutomationDatabase(Object engine, Object database) : m_engine(std::move(engine)), m_database(std::move(database)) {}

    short GetTableDefCount() override { return Count(m_database.Child(L"TableDefs")); }
    void GetTableDefInfo(int nIndex, CDaoTableDefInfo& info) override
    {
        Object table = m_database.Child(L"TableDefs").Item(nIndex);
        info.m_strName = table.String(L"Name");
        info.m_lAttributes = table.Long(L"Attributes");
        info.m_bUpdatable = table.Long(L"Updatable") != 0;
    }
    short GetQueryDefCount() override { return Count(m_database.Child(L"QueryDefs")); }
    void GetQueryDefInfo(int nIndex, CDaoQueryDefInfo& info) override
    {
        Object query = m_database.Child(L"QueryDefs").Item(nIndex);
        info.m_strName = query.String(L"Name");
        info.m_nType = static_cast<short>(query.Long(L"Type"));
    }
    short GetRelationCount() override { return Count(m_database.Child(L"Relations")); }
    void GetRelationInfo(int nIndex, CDaoRelationInfo& info) override
    {
        Object relation = m_database.Child(L"Relations").Item(nIndex);
        info.m_strName = relation.String(L"Name");
        info.m_strTable = relation.String(L"Table");
        info.m_strForeignTable = relation.String(L"ForeignTable");
        info.m_lAttributes = relation.Long(L"Attributes");
    }
    void DeleteTableDef(LPCTSTR lpszName) override
    {
        VARIANT v = m_database.Child(L"TableDefs").Call(L"Delete", DISPATCH_METHOD, {Text(lpszName)});
        ::VariantClear(&v);
    }
    void DeleteQueryDef(LPCTSTR lpszName) override
    {
        VARIANT v = m_database.Child(L"QueryDefs").Call(L"Delete", DISPATCH_METHOD, {Text(lpszName)});
        ::VariantClear(&v);
    }
    short GetFieldCount(LPCTSTR lpszTable) override
    {
        return Count(m_database.Child(L"TableDefs").Item(lpszTable).Child(L"Fields"));
    }
    void GetFieldInfo(LPCTSTR lpszTable, int nIndex, CDaoFieldInfo& info) override
    {
        Object field = m_database.Child(L"TableDefs").Item(lpszTable).Child(L"Fields").Item(nIndex);
        info.m_strName = field.String(L"Name");
        info.m_nType = static_cast<short>(field.Long(L"Type"));
        info.m_lSize = field.Long(L"Size");
        info.m_lAttributes = field.Long(L"Attributes");
    }
    CDaoEngineRecordset* OpenRecordset(int nOpenType, LPCTSTR lpszSQL) override
    {
        return new AutomationRecordset(
            m_database.Child(L"OpenRecordset", DISPATCH_METHOD, {Text(lpszSQL), Number(nOpenType)}));
    }
    void Close() override
    {
        VARIANT v = m_database.Call(L"Close", DISPATCH_METHOD);
        ::VariantClear(&v);
    }

private:
    Object m_engine;
    Object m_database;
};

class AutomationEngine : public CDaoEngine {
public:
    CDaoEngineDatabase* OpenDatabase(LPCTSTR lpszName, BOOL bExclusive, BOOL bReadOnly, LPCTSTR lpszConnect) override
    {
        CLSID clsid;
        HRESULT hr = ::CLSIDFromProgID(L"DAO.DBEngine.36", &clsid);
        IDispatch* dispatch = NULL;
        if (SUCCEEDED(hr))
            hr = ::CoCreateInstance(clsid, NULL, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                reinterpret_cast<void**>(&dispatch));
        if (FAILED(hr))
            AfxThrowDaoException(AFX_DAO_ERROR_ENGINE_INITIALIZATION, hr);
        Object engine(dispatch);
        Object database = engine.Child(L"OpenDatabase", DISPATCH_METHOD,
            {Text(lpszName), Flag(bExclusive), Flag(bReadOnly), Text(lpszConnect)});
        return new AutomationDatabase(std::move(engine), std::move(database));
    }
};

}  // namespace

CDaoEngine* AFXAPI AfxDaoAutomationEngine()
{
    static AutomationEngine engine;
    return &engine;
}
