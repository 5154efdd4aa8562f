// A database engine that keeps its databases in memory, installed by the tests in place of the
// platform's engine (AfxDaoSetEngine). It knows the statement "Select * From [name]" ("]" written
// as "]]"), and raises the engine's errors with descriptions and codes.
#pragma once

#include "classlib/win/AfxDao.h"

#include <map>
#include <string>
#include <vector>

namespace morvick::test {

struct MemoryTable {
    CString name;
    long attributes = 0;
    std::vector<CDaoFieldInfo> fields;
    std::vector<std::vector<COleVariant>> rows;
};

struct MemoryDatabase {
    std::vector<MemoryTable> tables;
    std::vector<CDaoQueryDefInfo> queries;
    std::vector<CDaoRelationInfo> relations;
    int opened = 0;
    int closed = 0;
};

class MemoryDaoEngine : public CDaoEngine {
public:
    // The databases, by the path they open under.
    std::map<std::wstring, MemoryDatabase> files;
    std::vector<std::wstring> statements;  // every statement a recordset was opened with

    CDaoEngineDatabase* OpenDatabase(LPCTSTR lpszName, BOOL bExclusive, BOOL bReadOnly, LPCTSTR lpszConnect) override;
};

// Throws what the engine throws: a CDaoException with a description and a code.
[[noreturn]] void ThrowEngineError(long code, LPCTSTR description);

}  // namespace morvick::test
