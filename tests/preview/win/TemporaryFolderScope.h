// A temporary folder the system cannot tell, for the tests of what previews make there: while the
// scope lives, TMP names a folder too long for the platform's buffers and the current directory is
// a folder of the test's own (where a careless preview would write instead). Both are put back
// when the scope ends, also when a test leaves early.
#pragma once

#include <windows.h>

#include <string>

namespace morvick::test {

class TooLongTemporaryFolderScope {
public:
    explicit TooLongTemporaryFolderScope(const std::wstring& currentDirectory)
    {
        ::GetCurrentDirectoryW(MAX_PATH, m_current);
        m_hadTemporary = ::GetEnvironmentVariableW(L"TMP", m_temporary, MAX_PATH);
        ::SetCurrentDirectoryW(currentDirectory.c_str());
        ::SetEnvironmentVariableW(L"TMP", (L"C:\\" + std::wstring(300, L't')).c_str());
    }
    ~TooLongTemporaryFolderScope()
    {
        ::SetEnvironmentVariableW(L"TMP", m_hadTemporary > 0 && m_hadTemporary < MAX_PATH ? m_temporary : NULL);
        ::SetCurrentDirectoryW(m_current);
    }
    TooLongTemporaryFolderScope(const TooLongTemporaryFolderScope&) = delete;
    TooLongTemporaryFolderScope& operator=(const TooLongTemporaryFolderScope&) = delete;

private:
    wchar_t m_current[MAX_PATH];
    wchar_t m_temporary[MAX_PATH];
    DWORD m_hadTemporary = 0;
};

}  // namespace morvick::test
