// A scratch key under HKEY_CURRENT_USER\Software\MorvickTest, empty for each test. Whatever the key
// held before is kept aside and put back when the object goes, and a "MorvickTest" key that the
// test made is removed again.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

class TestRegistryKey
{
public:
  explicit TestRegistryKey(const wchar_t* name) : m_path(std::wstring(L"Software\\MorvickTest\\") + name)
  {
    HKEY hParent = nullptr;
    m_bMadeParent = RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\MorvickTest", 0, KEY_READ, &hParent) != ERROR_SUCCESS;
    if (hParent)
      RegCloseKey(hParent);
    HKEY hOld = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, m_path.c_str(), 0, KEY_READ, &hOld) == ERROR_SUCCESS) {
      m_bHadKey = true;
      Read(hOld, m_saved);
      RegCloseKey(hOld);
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, m_path.c_str());
    RegCreateKeyExW(HKEY_CURRENT_USER, m_path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_key, nullptr);
  }
  ~TestRegistryKey()
  {
    RegCloseKey(m_key);
    RegDeleteTreeW(HKEY_CURRENT_USER, m_path.c_str());
    if (m_bHadKey) {
      HKEY hKey = nullptr;
      if (RegCreateKeyExW(HKEY_CURRENT_USER, m_path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey,
                          nullptr) == ERROR_SUCCESS) {
        Write(hKey, m_saved);
        RegCloseKey(hKey);
      }
    } else if (m_bMadeParent) {
      RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\MorvickTest");  // only while nothing else is in it
    }
  }
  TestRegistryKey(const TestRegistryKey&) = delete;
  TestRegistryKey& operator=(const TestRegistryKey&) = delete;

  HKEY Key() const { return m_key; }

  // The raw value below the key (sub-key path may be empty): its type and bytes, or type 0.
  DWORD Raw(const wchar_t* subKey, const wchar_t* name, std::vector<BYTE>* bytes = nullptr) const
  {
    DWORD type = 0, cb = 0;
    if (RegGetValueW(m_key, subKey, name, RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr, &cb) != ERROR_SUCCESS)
      return 0;
    std::vector<BYTE> buffer(cb + 2);
    if (RegGetValueW(m_key, subKey, name, RRF_RT_ANY | RRF_NOEXPAND, &type, buffer.data(), &cb) != ERROR_SUCCESS)
      return 0;
    if (bytes)
      bytes->assign(buffer.begin(), buffer.begin() + cb);
    return type;
  }
  DWORD Dword(const wchar_t* subKey, const wchar_t* name) const
  {
    std::vector<BYTE> b;
    if (Raw(subKey, name, &b) != REG_DWORD || b.size() != 4)
      return 0xDEADBEEF;
    return b[0] | b[1] << 8 | b[2] << 16 | static_cast<DWORD>(b[3]) << 24;
  }
  std::wstring Text(const wchar_t* subKey, const wchar_t* name) const
  {
    std::vector<BYTE> b;
    if (Raw(subKey, name, &b) != REG_SZ)
      return L"<none>";
    return std::wstring(reinterpret_cast<const wchar_t*>(b.data()), b.size() / 2).c_str();
  }
  bool HasSubKey(const wchar_t* subKey) const
  {
    HKEY h;
    if (RegOpenKeyExW(m_key, subKey, 0, KEY_READ, &h) != ERROR_SUCCESS)
      return false;
    RegCloseKey(h);
    return true;
  }
  void Set(const wchar_t* subKey, const wchar_t* name, DWORD type, const void* data, DWORD cb) const
  {
    RegSetKeyValueW(m_key, subKey, name, type, data, cb);
  }

private:
  // A key's values and sub-keys, as read before the test.
  struct Tree {
    struct Value {
      std::wstring name;
      DWORD type;
      std::vector<BYTE> data;
    };
    std::vector<Value> values;
    std::vector<std::pair<std::wstring, Tree>> keys;
  };

  static void Read(HKEY hKey, Tree& tree)
  {
    for (DWORD i = 0;; ++i) {
      wchar_t name[16384];
      DWORD cchName = 16384, type = 0, cb = 0;
      if (RegEnumValueW(hKey, i, name, &cchName, nullptr, &type, nullptr, &cb) != ERROR_SUCCESS)
        break;
      Tree::Value value{std::wstring(name, cchName), type, std::vector<BYTE>(cb)};
      cchName = 16384;
      if (RegEnumValueW(hKey, i, name, &cchName, nullptr, &type, value.data.data(), &cb) == ERROR_SUCCESS) {
        value.data.resize(cb);
        tree.values.push_back(value);
      }
    }
    for (DWORD i = 0;; ++i) {
      wchar_t name[256];
      DWORD cchName = 256;
      if (RegEnumKeyExW(hKey, i, name, &cchName, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        break;
      HKEY hSub = nullptr;
      if (RegOpenKeyExW(hKey, name, 0, KEY_READ, &hSub) != ERROR_SUCCESS)
        continue;
      tree.keys.emplace_back(std::wstring(name, cchName), Tree());
      Read(hSub, tree.keys.back().second);
      RegCloseKey(hSub);
    }
  }

  static void Write(HKEY hKey, const Tree& tree)
  {
    for (const Tree::Value& value : tree.values)
      RegSetValueExW(hKey, value.name.c_str(), 0, value.type, value.data.data(),
                     static_cast<DWORD>(value.data.size()));
    for (const auto& key : tree.keys) {
      HKEY hSub = nullptr;
      if (RegCreateKeyExW(hKey, key.first.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hSub, nullptr) !=
          ERROR_SUCCESS)
        continue;
      Write(hSub, key.second);
      RegCloseKey(hSub);
    }
  }

  std::wstring m_path;
  HKEY m_key = nullptr;
  bool m_bHadKey = false;
  bool m_bMadeParent = false;
  Tree m_saved;
};
