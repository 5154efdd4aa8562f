#include "tests/preview/win/MemoryDatabase.h"

namespace morvick::test {

void ThrowEngineError(long code, LPCTSTR description)
{
    CDaoErrorInfo info;
    info.m_lErrorCode = code;
    info.m_strDescription = description;
    info.m_strSource = L"memory engine";
    AfxThrowDaoException(NO_AFX_DAO_ERROR, E_FAIL, &info);
    throw;  // not reached
}

namespace {

class MemoryRecordset : public CDaoEngineRecordset {
public:
    explicit MemoryRecordset(const MemoryTable& table) : m_table(table) {}
    BOOL IsEOF() override { return m_row >= m_table.rows.size(); }
    void MoveNext() override
    {
        if (IsEOF())
            ThrowEngineError(3021, L"No current record.");
        ++m_row;
    }
    short GetFieldCount() override { return static_cast<short>(m_table.fields.size()); }
    void GetFieldValue(int nIndex, COleVariant& value) override
    {
        if (IsEOF() || nIndex < 0 || static_cast<size_t>(nIndex) >= m_table.rows[m_row].size())
            ThrowEngineError(3265, L"Item not found in this collection.");
        value = m_table.rows[m_row][nIndex];
    }
    void Close() override {}

private:
    const MemoryTable& m_table;
    size_t m_row = 0;
};

class MemoryDatabaseHandle : public CDaoEngineDatabase {
public:
    MemoryDatabaseHandle(MemoryDatabase& database, MemoryDaoEngine& engine) : m_db(database), m_engine(engine)
    {
        ++m_db.opened;
    }

    short GetTableDefCount() override { return static_cast<short>(m_db.tables.size()); }
    void GetTableDefInfo(int nIndex, CDaoTableDefInfo& info) override
    {
        const MemoryTable& t = At(m_db.tables, nIndex);
        info.m_strName = t.name;
        info.m_lAttributes = t.attributes;
        info.m_lRecordCount = static_cast<long>(t.rows.size());
    }
    short GetQueryDefCount() override { return static_cast<short>(m_db.queries.size()); }
    void GetQueryDefInfo(int nIndex, CDaoQueryDefInfo& info) override { info = At(m_db.queries, nIndex); }
    short GetRelationCount() override { return static_cast<short>(m_db.relations.size()); }
    void GetRelationInfo(int nIndex, CDaoRelationInfo& info) override { info = At(m_db.relations, nIndex); }
    void DeleteTableDef(LPCTSTR lpszName) override
    {
        for (auto it = m_db.tables.begin(); it != m_db.tables.end(); ++it) {
            if (it->name == lpszName) {
                if (it->attributes != 0)
                    ThrowEngineError(3007, L"Cannot delete a system table.");
                m_db.tables.erase(it);
                return;
            }
        }
        ThrowEngineError(3265, L"Item not found in this collection.");
    }
    void DeleteQueryDef(LPCTSTR lpszName) override
    {
        for (auto it = m_db.queries.begin(); it != m_db.queries.end(); ++it) {
            if (it->m_strName == lpszName) {
                m_db.queries.erase(it);
                return;
            }
        }
        ThrowEngineError(3265, L"Item not found in this collection.");
    }
    short GetFieldCount(LPCTSTR lpszTable) override { return static_cast<short>(Table(lpszTable).fields.size()); }
    void GetFieldInfo(LPCTSTR lpszTable, int nIndex, CDaoFieldInfo& info) override
    {
        info = At(Table(lpszTable).fields, nIndex);
    }
    CDaoEngineRecordset* OpenRecordset(int, LPCTSTR lpszSQL) override
    {
        m_engine.statements.push_back(lpszSQL);
        // "Select * From [" name "]", where a "]" of the name is written twice.
        std::wstring sql = lpszSQL;
        const std::wstring head = L"Select * From [";
        if (sql.compare(0, head.size(), head) != 0 || sql.size() < head.size() + 1 || sql.back() != L']')
            ThrowEngineError(3131, L"Syntax error in FROM clause.");
        std::wstring name;
        for (size_t i = head.size(); i + 1 < sql.size(); ++i) {
            if (sql[i] == L']') {
                if (i + 2 < sql.size() && sql[i + 1] == L']') {
                    name.push_back(L']');
                    ++i;
                    continue;
                }
                ThrowEngineError(3131, L"Syntax error in FROM clause.");
            }
            name.push_back(sql[i]);
        }
        return new MemoryRecordset(Table(name.c_str()));
    }
    void Close() override { ++m_db.closed; }

private:
    template <class T>
    static const T& At(const std::vector<T>& items, int index)
    {
        if (index < 0 || static_cast<size_t>(index) >= items.size())
            ThrowEngineError(3265, L"Item not found in this collection.");
        return items[index];
    }
    const MemoryTable& Table(LPCTSTR name)
    {
        for (const MemoryTable& t : m_db.tables)
            if (t.name == name)
                return t;
        ThrowEngineError(3078, L"The engine cannot find the input table or query.");
    }

    MemoryDatabase& m_db;
    MemoryDaoEngine& m_engine;
};

}  // namespace

CDaoEngineDatabase* MemoryDaoEngine::OpenDatabase(LPCTSTR lpszName, BOOL, BOOL, LPCTSTR)
{
    auto found = files.find(lpszName != NULL ? lpszName : L"");
    if (found == files.end())
        ThrowEngineError(3024, L"Could not find file.");
    return new MemoryDatabaseHandle(found->second, *this);
}

}  // namespace morvick::test
