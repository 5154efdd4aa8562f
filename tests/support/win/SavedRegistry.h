#pragma once
// Registry keys and values that a test puts back as it found them, on every way out of the test:
// the objects copy what is there when they are made and write it back when they go (or on Restore).

#include <windows.h>

#include <string>
#include <vector>

namespace morvick::test {

// One value as it was read: absent, or its type and bytes.
struct SavedRegistryData {
    std::wstring name;
    bool present = false;
    DWORD type = REG_NONE;
    std::vector<BYTE> bytes;
};

// Where a saved key lies, and whether it (and the keys above it) was there when it was saved.
class SavedRegistryPlace {
public:
    SavedRegistryPlace(HKEY root, std::wstring path);

    HKEY Root() const { return m_root; }
    const std::wstring& Path() const { return m_path; }
    bool Existed() const { return m_existed; }
    // Removes what was made since: the highest key of the path that was missing, with all below
    // it. True when the key itself was there (or the path is empty), so that it is to be written
    // back instead.
    bool RemoveWhatWasMissing() const;
    // The key, made when it is missing again; null when it cannot be had. The caller closes it.
    HKEY Create() const;

private:
    HKEY m_root;
    std::wstring m_path;
    std::wstring m_firstMissing;  // the highest key of the path that was not there
    bool m_existed = false;
};

// A key with all its values and subkeys. Restore removes whatever the key holds then and writes the
// copy back; a key that was not there is removed again, with the keys above it that were missing too.
class SavedRegistryKey {
public:
    SavedRegistryKey(HKEY root, std::wstring path);
    ~SavedRegistryKey();
    SavedRegistryKey(const SavedRegistryKey&) = delete;
    SavedRegistryKey& operator=(const SavedRegistryKey&) = delete;

    bool Existed() const { return m_place.Existed(); }
    // Puts the key back now; later calls (and the destructor) do it again.
    void Restore();

private:
    struct Node {
        std::wstring name;
        std::vector<SavedRegistryData> values;
        std::vector<Node> children;
    };

    SavedRegistryPlace m_place;
    Node m_saved;
};

// Some values of a key: each put back, or deleted when it was not there. A key that was not there
// is removed again (with the keys above it that were missing too); the key's other values and
// subkeys are left alone.
class SavedRegistryValues {
public:
    SavedRegistryValues(HKEY root, std::wstring path, const std::vector<std::wstring>& names);
    ~SavedRegistryValues();
    SavedRegistryValues(const SavedRegistryValues&) = delete;
    SavedRegistryValues& operator=(const SavedRegistryValues&) = delete;

    bool Existed() const { return m_place.Existed(); }
    void Restore();

private:
    SavedRegistryPlace m_place;
    std::vector<SavedRegistryData> m_values;
};

}  // namespace morvick::test
