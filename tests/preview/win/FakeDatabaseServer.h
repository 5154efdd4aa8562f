// A fake of the database engine's automation server ("DAO.DBEngine.36"), registered for this
// process while it lives: it serves one database held in memory through the objects and members
// the real engine has (DBEngine.OpenDatabase; Database.TableDefs, QueryDefs, Relations,
// OpenRecordset and Close; collections with Count, Item and Delete; TableDef, Field, QueryDef,
// Relation and Recordset with their properties), found by name. It logs every call and can be told
// to fail one of them.
#pragma once

#include "tests/preview/win/FakeAutomation.h"
#include "tests/preview/win/MemoryDatabase.h"

#include <string>
#include <vector>

namespace morvick::test {

struct FakeDatabaseLog {
    // Every call in order, as "Object.Member(arguments)": texts in quotes, numbers, true or false.
    std::vector<std::wstring> calls;
    // The call "Object.Member" that fails with an error of the engine, once it succeeded this
    // many times.
    std::wstring failAt;
    int failAfter = 0;
    // Objects of the engine that are alive (the caller still holds them).
    int objects = 0;
};

class FakeDatabaseServer {
public:
    // The database opens under `path` (without case); any other name fails as a missing file.
    FakeDatabaseServer(const std::wstring& path, const MemoryDatabase& content);
    FakeDatabaseLog& Log() { return m_state.log; }
    bool Registered() const { return m_registration.Registered(); }
    // The calls of the log whose "Object.Member" is one of those given, in order.
    std::vector<std::wstring> CallsTo(const std::vector<std::wstring>& members) const;

    struct State {
        std::wstring path;
        MemoryDatabase content;
        FakeDatabaseLog log;
    };

private:
    State m_state;
    AutomationServerRegistration m_registration;
};

}  // namespace morvick::test
