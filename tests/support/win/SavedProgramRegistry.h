#pragma once
// What Morvick writes to the registry of the machine it runs on, kept by a test that starts the
// program (or its application object) and put back when the test is over: the program's profile,
// the snapshot file type in both hives and the flags of the two spreadsheet classes.

#include <memory>
#include <string>
#include <vector>

#include "tests/support/win/SavedRegistry.h"

namespace morvick::test {

// The profile key of the program named profileName ("Morvick" for Morvick.exe).
std::wstring ProgramProfileKey(const std::wstring& profileName);

class SavedProgramRegistry {
public:
    explicit SavedProgramRegistry(const std::wstring& profileName = L"Morvick");
    ~SavedProgramRegistry();
    SavedProgramRegistry(const SavedProgramRegistry&) = delete;
    SavedProgramRegistry& operator=(const SavedProgramRegistry&) = delete;

    // Puts everything back now (the destructor does it again).
    void Restore();

private:
    std::vector<std::unique_ptr<SavedRegistryKey>> m_keys;
    std::vector<std::unique_ptr<SavedRegistryValues>> m_values;
};

}  // namespace morvick::test
