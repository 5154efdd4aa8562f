#include "tests/support/win/SavedRegistry.h"

#include <algorithm>
#include <utility>

namespace morvick::test {

namespace {

// Deep enough for any key a test touches; a deeper tree is cut rather than followed for ever.
constexpr int kMaxDepth = 32;

class OpenKey {
public:
    OpenKey(HKEY root, const std::wstring& path, REGSAM access)
    {
        if (RegOpenKeyExW(root, path.c_str(), 0, access, &m_key) != ERROR_SUCCESS)
            m_key = nullptr;
    }
    ~OpenKey()
    {
        if (m_key != nullptr)
            RegCloseKey(m_key);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    HKEY Get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

// The highest key along the path that does not exist (empty when the whole path exists). An empty
// path names the root itself, which no test may put back: it counts as there.
std::wstring FirstMissing(HKEY root, const std::wstring& path)
{
    if (path.empty())
        return std::wstring();
    size_t end = 0;
    while (end != std::wstring::npos) {
        end = path.find(L'\\', end + 1);
        const std::wstring prefix = path.substr(0, end);
        OpenKey key(root, prefix, KEY_READ);
        if (key.Get() == nullptr)
            return prefix;
    }
    return std::wstring();
}

SavedRegistryData ReadValue(HKEY key, const std::wstring& name)
{
    SavedRegistryData data;
    data.name = name;
    DWORD size = 0;
    if (RegQueryValueExW(key, name.c_str(), nullptr, &data.type, nullptr, &size) != ERROR_SUCCESS)
        return data;
    data.bytes.resize(size);
    if (RegQueryValueExW(key, name.c_str(), nullptr, &data.type, data.bytes.data(), &size) != ERROR_SUCCESS)
        return data;
    data.bytes.resize(size);
    data.present = true;
    return data;
}

void WriteValue(HKEY key, const SavedRegistryData& data)
{
    if (!data.present) {
        RegDeleteValueW(key, data.name.c_str());
        return;
    }
    RegSetValueExW(key, data.name.c_str(), 0, data.type, data.bytes.empty() ? nullptr : data.bytes.data(),
        static_cast<DWORD>(data.bytes.size()));
}

template <typename Node>
void ReadTree(HKEY key, Node& node, int depth)
{
    DWORD subkeys = 0, longestSubkey = 0, values = 0, longestName = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, &longestSubkey, nullptr, &values, &longestName,
            nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return;
    std::vector<wchar_t> name(std::max(longestName, longestSubkey) + 2);
    for (DWORD i = 0; i < values; ++i) {
        DWORD length = static_cast<DWORD>(name.size());
        if (RegEnumValueW(key, i, name.data(), &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS)
            node.values.push_back(ReadValue(key, std::wstring(name.data(), length)));
    }
    if (depth >= kMaxDepth)
        return;
    for (DWORD i = 0; i < subkeys; ++i) {
        DWORD length = static_cast<DWORD>(name.size());
        if (RegEnumKeyExW(key, i, name.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            continue;
        Node child;
        child.name.assign(name.data(), length);
        OpenKey sub(key, child.name, KEY_READ);
        if (sub.Get() != nullptr)
            ReadTree(sub.Get(), child, depth + 1);
        node.children.push_back(std::move(child));
    }
}

template <typename Node>
void WriteTree(HKEY key, const Node& node)
{
    for (const SavedRegistryData& value : node.values)
        WriteValue(key, value);
    for (const Node& child : node.children) {
        HKEY sub = nullptr;
        if (RegCreateKeyExW(key, child.name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub, nullptr) !=
            ERROR_SUCCESS)
            continue;
        WriteTree(sub, child);
        RegCloseKey(sub);
    }
}

}  // namespace

SavedRegistryPlace::SavedRegistryPlace(HKEY root, std::wstring path) : m_root(root), m_path(std::move(path))
{
    m_firstMissing = FirstMissing(m_root, m_path);
    m_existed = m_firstMissing.empty();
}

bool SavedRegistryPlace::RemoveWhatWasMissing() const
{
    if (m_existed)
        return !m_path.empty();
    RegDeleteTreeW(m_root, m_firstMissing.c_str());
    return false;
}

HKEY SavedRegistryPlace::Create() const
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(m_root, m_path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return nullptr;
    return key;
}

SavedRegistryKey::SavedRegistryKey(HKEY root, std::wstring path) : m_place(root, std::move(path))
{
    OpenKey key(m_place.Root(), m_place.Path(), KEY_READ);
    if (key.Get() != nullptr)
        ReadTree(key.Get(), m_saved, 0);
}

SavedRegistryKey::~SavedRegistryKey()
{
    Restore();
}

void SavedRegistryKey::Restore()
{
    if (!m_place.RemoveWhatWasMissing())
        return;
    RegDeleteTreeW(m_place.Root(), m_place.Path().c_str());
    if (HKEY key = m_place.Create()) {
        WriteTree(key, m_saved);
        RegCloseKey(key);
    }
}

SavedRegistryValues::SavedRegistryValues(HKEY root, std::wstring path, const std::vector<std::wstring>& names) :
    m_place(root, std::move(path))
{
    OpenKey key(m_place.Root(), m_place.Path(), KEY_READ);
    for (const std::wstring& name : names) {
        SavedRegistryData data;
        data.name = name;
        m_values.push_back(key.Get() != nullptr ? ReadValue(key.Get(), name) : data);
    }
}

SavedRegistryValues::~SavedRegistryValues()
{
    Restore();
}

void SavedRegistryValues::Restore()
{
    if (!m_place.RemoveWhatWasMissing())
        return;
    if (HKEY key = m_place.Create()) {
        for (const SavedRegistryData& value : m_values)
            WriteValue(key, value);
        RegCloseKey(key);
    }
}

}  // namespace morvick::test
