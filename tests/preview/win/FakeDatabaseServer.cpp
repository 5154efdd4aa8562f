#include "tests/preview/win/FakeDatabaseServer.h"

#include <algorithm>

namespace morvick::test {

namespace {

using State = FakeDatabaseServer::State;

// {2C4D7E55-8A3B-4F61-9B0E-6D1F3A5C7E92}: the fake engine's class.
const CLSID kFakeDatabaseClsid = {0x2C4D7E55, 0x8A3B, 0x4F61, {0x9B, 0x0E, 0x6D, 0x1F, 0x3A, 0x5C, 0x7E, 0x92}};

long Number(const VARIANT* v)
{
    VARIANT n;
    ::VariantInit(&n);
    long value = -1;
    if (SUCCEEDED(::VariantChangeType(&n, const_cast<VARIANT*>(v), 0, VT_I4)))
        value = n.lVal;
    ::VariantClear(&n);
    return value;
}

void SetText(VARIANT* result, const CString& text)
{
    result->vt = VT_BSTR;
    result->bstrVal = ::SysAllocString(text);
}

void SetLong(VARIANT* result, long value)
{
    result->vt = VT_I4;
    result->lVal = value;
}

void SetObject(VARIANT* result, IDispatch* object)
{
    result->vt = VT_DISPATCH;
    result->pdispVal = object;
}

HRESULT NotFound(EXCEPINFO* info)
{
    return FailCall(info, L"Item not found in this collection.");
}

// One object of the engine: logs each call, fails the one it is told to, answers the others.
class DaoObject : public FakeDispatch {
public:
    DaoObject(State& state, const wchar_t* kind, std::vector<std::wstring> names)
        : m_state(state), m_kind(kind), m_names(std::move(names))
    {
        ++m_state.log.objects;
    }

    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO* info,
        UINT*) override
    {
        std::wstring member = NameOf(id);
        if (member.empty())
            return DISP_E_MEMBERNOTFOUND;
        std::vector<const VARIANT*> args;
        std::wstring call = m_kind + L"." + member + L"(";
        for (UINT i = params != NULL ? params->cArgs : 0; i > 0; --i) {
            const VARIANT* arg = &params->rgvarg[i - 1];
            if (arg->vt == (VT_VARIANT | VT_BYREF) && arg->pvarVal != NULL)
                arg = arg->pvarVal;
            call += (args.empty() ? L"" : L", ") + ArgumentDescription(*arg);
            args.push_back(arg);
        }
        m_state.log.calls.push_back(call + L")");
        FakeDatabaseLog& log = m_state.log;
        if (m_kind + L"." + member == log.failAt && log.failAfter-- <= 0)
            return FailCall(info, L"The engine failed half-way.");
        VARIANT unused;
        VARIANT* out = result != NULL ? result : &unused;
        ::VariantInit(out);
        HRESULT hr = Answer(member, args, out, info);
        if (result == NULL)
            ::VariantClear(&unused);
        return hr;
    }

protected:
    ~DaoObject() override { --m_state.log.objects; }
    std::vector<std::wstring> Names() const override { return m_names; }
    virtual HRESULT Answer(const std::wstring& member, const std::vector<const VARIANT*>& args, VARIANT* result,
        EXCEPINFO* info) = 0;

    MemoryDatabase& Content() { return m_state.content; }
    State& m_state;

private:
    std::wstring m_kind;
    std::vector<std::wstring> m_names;
};

class Field : public DaoObject {
public:
    Field(State& state, const CDaoFieldInfo& info, const COleVariant* value)
        : DaoObject(state, L"Field", {L"Name", L"Type", L"Size", L"Attributes", L"Value"}), m_info(info),
          m_hasValue(value != NULL)
    {
        if (value != NULL)
            m_value = *value;
    }

protected:
    HRESULT Answer(const std::wstring& member, const std::vector<const VARIANT*>&, VARIANT* result,
        EXCEPINFO* info) override
    {
        if (member == L"Name")
            SetText(result, m_info.m_strName);
        else if (member == L"Type")
            SetLong(result, m_info.m_nType);
        else if (member == L"Size")
            SetLong(result, m_info.m_lSize);
        else if (member == L"Attributes")
            SetLong(result, m_info.m_lAttributes);
        else if (m_hasValue)
            return ::VariantCopy(result, &m_value);
        else
            return FailCall(info, L"Invalid operation.");
        return S_OK;
    }

private:
    CDaoFieldInfo m_info;
    bool m_hasValue;
    COleVariant m_value;
};

// The fields of a table, or of a recordset's current row (row >= 0).
class Fields : public DaoObject {
public:
    Fields(State& state, size_t table, long row)
        : DaoObject(state, L"Fields", {L"Count", L"Item"}), m_table(table), m_row(row)
    {}

protected:
    HRESULT Answer(const std::wstring& member, const std::vector<const VARIANT*>& args, VARIANT* result,
        EXCEPINFO* info) override
    {
        const MemoryTable& table = Content().tables[m_table];
        if (member == L"Count") {
            SetLong(result, static_cast<long>(table.fields.size()));
            return S_OK;
        }
        long index = args.size() == 1 ? Number(args[0]) : -1;
        if (index < 0 || static_cast<size_t>(index) >= table.fields.size())
            return NotFound(info);
        const COleVariant* value = NULL;
        if (m_row >= 0) {
            const std::vector<COleVariant>& row = table.rows[static_cast<size_t>(m_row)];
            if (static_cast<size_t>(index) >= row.size())
                return NotFound(info);
            value = &row[static_cast<size_t>(index)];
        }
        SetObject(result, new Field(m_state, table.fields[static_cast<size_t>(index)], value));
        return S_OK;
    }

private:
    size_t m_table;
    long m_row;
};

class TableDef : public DaoObject {
public:
    TableDef(State& state, size_t table)
        : DaoObject(state, L"TableDef", {L"Name", L"Attributes", L"Updatable", L"Fields"}), m_table(table)
    {}

protected:
    HRESULT Answer(const std::wstring& member, const std::vector<const VARIANT*>&, VARIANT* result, EXCEPINFO*) override
    {
        const MemoryTable& table = Content().tables[m_table];
        if (member == L"Name")
            SetText(result, table.name);
        else if (member == L"Attributes")
            SetLong(result, table.attributes);
        else if (member == L"Updatable")
            SetLong(result, table.attributes == 0 ? -1 : 0);
        else
            SetObject(result, new Fields(m_state, m_table, -1));
        return S_OK;
    }

private:
    size_t m_table;
};

class TableDefs : public DaoObject {
public:
    explicit TableDefs(State& state) : DaoObject(state, L"TableDefs", {L"Count", L"Item", L"Delete"}) {}

protected:
    HRESULT Answer(const std::wstring& member, const std::vector<const VARIANT*>& args, VARIANT* result,
        EXCEPINFO* info) override
    {
        std::vector<MemoryTable>& tables = Content().tables;
        if (member == L"Count") {
            SetLong(result, static_cast<long>(tables.size()));
            return S_OK;
        }
        if (args.size() != 1)
            return DISP_E_BADPARAMCOUNT;
        size_t index = tables.size();
        if (args[0]->vt == VT_BSTR) {
            for (size_t i = 0; i < tables.size(); ++i)
                if (tables[i].name == args[0]->bstrVal)
                    index = i;
        } else if (Number(args[0]) >= 0) {
            index = static_cast<size_t>(Number(args[0]));
        }
        if (index >= tables.size())
            return NotFound(info);
        if (member == L"Delete") {
            if (tables[index].attributes != 0)
                return FailCall(info, L"Cannot delete a system table.");
            tables.erase(tables.begin() + static_cast<std::ptrdiff_t>(index));
            return S_OK;
        }
        SetObject(result, new TableDef(m_state, index));
        return S_OK;
    }
};

class QueryDef : public DaoObject {
public:
    QueryDef(State& state, const CDaoQueryDefInfo& info)
        : DaoObject(state, L"QueryDef", {L"Name", L"Type"}), m_info(info)
    {}

protected:
    HRESULT Answer(const std::wstring& member, const std::vector<const VARIANT*>&, VARIANT* result, EXCEPINFO*) override
    {
        if (member == L"Name")
            SetText(result, m_info.m_strName);
        else
            SetLong(result, m_info.m_nType);
        return S_OK;
    }

private:
    CDaoQueryDefInfo m_info;
};

class QueryDefs : public DaoObject {
public:
    explicit QueryDefs(State& state) : DaoObject(state, L"QueryDefs", {L"Count", L"Item", L"Delete"}) {}

protected:
    HRESULT Answer(const std::wstring& member, const std::vector<const VARIANT*>& args, VARIANT* result,
        EXCEPINFO* info) override
    {
        std::vector<CDaoQueryDefInfo>& queries = Content().queries;
        if (member == L"Count") {
            SetLong(result, static_cast<long>(queries.size()));
            return S_OK;
        }
        if (args.size() != 1)
            return DISP_E_BADPARAMCOUNT;
        if (member == L"Delete") {
            for (auto it = queries.begin(); it != queries.end(); ++it) {
                if (args[0]->vt == VT_BSTR && it->m_strName == args[0]->bstrVal) {
                    queries.erase(it);
                    return S_OK;
                }
            }
            return NotFound(info);
        }
        long index = Number(args[0]);
        if (index < 0 || static_cast<size_t>(index) >= queries.size())
            return NotFound(info);
        SetObject(result, new QueryDef(m_state, queries[static_cast<size_t>(index)]));
        return S_OK;
    }
};

class Relation : public DaoObject {
public:
    Relation(State& state, const CDaoRelationInfo& info)
        : DaoObject(state, L"Relation", {L"Name", L"Table", L"ForeignTable", L"Attributes"}), m_info(info)
    {}

protected:
    HRESULT Answer(const std::wstring& member, const std::vector<const VARIANT*>&, VARIANT* result, EXCEPINFO*) override
    {
        if (member == L"Name")
            SetText(result, m_info.m_strName);
        else if (member == L"Table")
            SetText(result, m_info.m_strTable);
        else if (member == L"ForeignTable")
            SetText(result, m_info.m_strForeignTable);
        else
            SetLong(result, m_info.m_lAttributes);
        return S_OK;
    }

private:
    CDaoRelationInfo m_info;
};

class Relations : public DaoObject {
public:
    explicit Relations(State& state) : DaoObject(state, L"Relations", {L"Count", L"Item"}) {}

protected:
    HRESULT Answer(const std::wstring& member, const std::vector<const VARIANT*>& args, VARIANT* result,
        EXCEPINFO* info) override
    {
        const std::vector<CDaoRelationInfo>& relations = Content().relations;
        if (member == L"Count") {
            SetLong(result, static_cast<long>(relations.size()));
            return S_OK;
        }
        long index = args.size() == 1 ? Number(args[0]) : -1;
        if (index < 0 || static_cast<size_t>(index) >= relations.size())
            return NotFound(info);
        SetObject(result, new Relation(m_state, relations[static_cast<size_t>(index)]));
        return S_OK;
    }
};

class Recordset : public DaoObject {
public:
    Recordset(State& state, size_t table)
        : DaoObject(state, L"Recordset", {L"EOF", L"MoveNext", L"Fields", L"Close"}), m_table(table)
    {}

protected:
    HRESULT Answer(const std::wstring& member, const std::vector<const VARIANT*>&, VARIANT* result,
        EXCEPINFO* info) override
    {
        bool atEnd = m_row >= Content().tables[m_table].rows.size();
        if (member == L"EOF") {
            result->vt = VT_BOOL;
            result->boolVal = atEnd ? VARIANT_TRUE : VARIANT_FALSE;
        } else if (member == L"MoveNext") {
            if (atEnd)
                return FailCall(info, L"No current record.");
            ++m_row;
        } else if (member == L"Fields") {
            SetObject(result, new Fields(m_state, m_table, atEnd ? -1 : static_cast<long>(m_row)));
        }
        return S_OK;
    }

private:
    size_t m_table;
    size_t m_row = 0;
};

class Database : public DaoObject {
public:
    explicit Database(State& state)
        : DaoObject(state, L"Database", {L"TableDefs", L"QueryDefs", L"Relations", L"OpenRecordset", L"Close"})
    {}

protected:
    HRESULT Answer(const std::wstring& member, const std::vector<const VARIANT*>& args, VARIANT* result,
        EXCEPINFO* info) override
    {
        if (member == L"TableDefs")
            SetObject(result, new TableDefs(m_state));
        else if (member == L"QueryDefs")
            SetObject(result, new QueryDefs(m_state));
        else if (member == L"Relations")
            SetObject(result, new Relations(m_state));
        else if (member == L"OpenRecordset")
            return OpenRecordset(args, result, info);
        return S_OK;
    }

private:
    // The statement "Select * From [name]", "]" in the name written as "]]".
    HRESULT OpenRecordset(const std::vector<const VARIANT*>& args, VARIANT* result, EXCEPINFO* info)
    {
        const std::wstring prefix = L"Select * From [";
        std::wstring statement = !args.empty() && args[0]->vt == VT_BSTR ? args[0]->bstrVal : L"";
        if (statement.compare(0, prefix.size(), prefix) != 0 || statement.back() != L']')
            return FailCall(info, L"Syntax error in the statement.");
        std::wstring name = statement.substr(prefix.size(), statement.size() - prefix.size() - 1);
        for (size_t at = name.find(L"]]"); at != std::wstring::npos; at = name.find(L"]]", at + 1))
            name.erase(at, 1);
        const std::vector<MemoryTable>& tables = Content().tables;
        for (size_t i = 0; i < tables.size(); ++i) {
            if (tables[i].name == name.c_str()) {
                SetObject(result, new Recordset(m_state, i));
                return S_OK;
            }
        }
        return FailCall(info, L"The engine cannot find the input table.");
    }
};

class Engine : public DaoObject {
public:
    explicit Engine(State& state) : DaoObject(state, L"DBEngine", {L"OpenDatabase"}) {}

protected:
    HRESULT Answer(const std::wstring&, const std::vector<const VARIANT*>& args, VARIANT* result,
        EXCEPINFO* info) override
    {
        if (args.size() != 4)
            return DISP_E_BADPARAMCOUNT;
        if (args[0]->vt != VT_BSTR || lstrcmpiW(args[0]->bstrVal, m_state.path.c_str()) != 0)
            return FailCall(info, L"Could not find the file.");
        SetObject(result, new Database(m_state));
        return S_OK;
    }
};

}  // namespace

FakeDatabaseServer::FakeDatabaseServer(const std::wstring& path, const MemoryDatabase& content)
    : m_state{path, content, FakeDatabaseLog()},
      m_registration(L"DAO.DBEngine.36", kFakeDatabaseClsid, [this]() -> IUnknown* { return new Engine(m_state); })
{}

std::vector<std::wstring> FakeDatabaseServer::CallsTo(const std::vector<std::wstring>& members) const
{
    std::vector<std::wstring> out;
    for (const std::wstring& call : m_state.log.calls) {
        std::wstring member = call.substr(0, call.find(L'('));
        if (std::find(members.begin(), members.end(), member) != members.end())
            out.push_back(call);
    }
    return out;
}

}  // namespace morvick::test
