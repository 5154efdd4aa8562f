#include "tests/support/win/SavedProgramRegistry.h"

namespace morvick::test {

std::wstring ProgramProfileKey(const std::wstring& profileName)
{
    return L"Software\\Local AppWizard-Generated Applications\\" + profileName;
}

SavedProgramRegistry::SavedProgramRegistry(const std::wstring& profileName)
{
    m_keys.push_back(std::make_unique<SavedRegistryKey>(HKEY_CURRENT_USER, ProgramProfileKey(profileName)));
    // The snapshot file type: written through HKEY_CLASSES_ROOT, which may land in either hive.
    for (HKEY hive : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        for (const wchar_t* name : {L".srzq", L"Quarne.Document"})
            m_keys.push_back(std::make_unique<SavedRegistryKey>(hive, std::wstring(L"Software\\Classes\\") + name));
    }
    // The spreadsheet classes belong to another program: only the values Morvick writes are kept.
    m_values.push_back(std::make_unique<SavedRegistryValues>(HKEY_LOCAL_MACHINE,
        L"SOFTWARE\\Classes\\Excel.Sheet.8", std::vector<std::wstring>{L"EditFlags", L"BrowserFlags"}));
    m_values.push_back(std::make_unique<SavedRegistryValues>(HKEY_LOCAL_MACHINE,
        L"SOFTWARE\\Classes\\Excel.Sheet.12", std::vector<std::wstring>{L"BrowserFlags"}));
}

SavedProgramRegistry::~SavedProgramRegistry()
{
    Restore();
}

void SavedProgramRegistry::Restore()
{
    for (auto& values : m_values)
        values->Restore();
    for (auto& key : m_keys)
        key->Restore();
}

}  // namespace morvick::test
