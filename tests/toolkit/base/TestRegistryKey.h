// A scratch key under HKEY_CURRENT_USER\Software\MorvickTest, removed before and after each test.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class TestRegistryKey
{
public:
  explicit TestRegistryKey(const wchar_t* name) : m_path(std::wstring(L"Software\\MorvickTest\\") + name)
  {
    RegDeleteTreeW(HKEY_CURRENT_USER, m_path.c_str());
    RegCreateKeyExW(HKEY_CURRENT_USER, m_path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_key, nullptr);
  }
  ~TestRegistryKey()
  {
    RegCloseKey(m_key);
    RegDeleteTreeW(HKEY_CURRENT_USER, m_path.c_str());
  }

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
  std::wstring m_path;
  HKEY m_key = nullptr;
};
