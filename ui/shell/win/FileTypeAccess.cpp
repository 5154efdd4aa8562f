#include "ui/shell/win/FileTypeAccess.h"

namespace morvick::ui {

IMPLEMENT_DYNAMIC(CFileTypeAccess, CObject)

void CFileTypeAccess::ClearAll() {
  for (CString* s : {&m_strExtension, &m_strShellOpenCommand, &m_strShellNewCommand, &m_strShellNewFileName,
                     &m_strDocumentClassName, &m_strDocumentDescription, &m_strDocumentCommandLine,
                     &m_strDocumentDefaultIcon, &m_strDocumentShellOpenCommand, &m_strDdeCommand,
                     &m_strDdeApplication}) {
    s->Empty();
  }
}

BOOL CFileTypeAccess::RegisterFileType() {
  WriteExtensionKey();
  WriteDocumentTypeKey();
  WriteShellNewKey();
  WriteDdeKeys();
  return TRUE;
}

BOOL CFileTypeAccess::WriteExtensionKey() {
  if (m_strExtension.IsEmpty()) return TRUE;
  CString key = CString(L".") + m_strExtension;
  SetRegistryValue(HKEY_CLASSES_ROOT, key.GetString(), L"", m_strDocumentClassName.GetString());
  if (!m_strShellOpenCommand.IsEmpty()) {
    CString command = key + L"\\shell\\open\\command";
    SetRegistryValue(HKEY_CLASSES_ROOT, command.GetString(), L"", m_strShellOpenCommand.GetString());
  }
  return TRUE;
}

BOOL CFileTypeAccess::WriteDocumentTypeKey() {
  if (m_strDocumentClassName.IsEmpty()) return TRUE;
  SetRegistryValue(HKEY_CLASSES_ROOT, m_strDocumentClassName.GetString(), L"", m_strDocumentDescription.GetString());
  if (!m_strDocumentDefaultIcon.IsEmpty()) {
    CString key = m_strDocumentClassName + L"\\DefaultIcon";
    SetRegistryValue(HKEY_CLASSES_ROOT, key.GetString(), L"", m_strDocumentDefaultIcon.GetString());
  }
  if (!m_strShellOpenCommand.IsEmpty()) {
    CString key = m_strDocumentClassName + L"\\shell\\open\\command";
    SetRegistryValue(HKEY_CLASSES_ROOT, key.GetString(), L"", m_strShellOpenCommand.GetString());
  }
  return TRUE;
}

BOOL CFileTypeAccess::SetRegistryValue(HKEY root, LPCWSTR subKey, LPCWSTR valueName, LPCWSTR text) {
  if (!root || !subKey || !subKey[0] || !valueName || !text) return FALSE;
  HKEY key = nullptr;
  if (RegCreateKeyExW(root, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return FALSE;
  }
  LONG r = RegSetValueExW(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                          static_cast<DWORD>((lstrlenW(text) + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return r == ERROR_SUCCESS;
}

CString BuildOpenCommand(const CString& programPath) {
  // Quoted, so that a path with spaces is one argument and no shorter path is ever run instead;
  // "%1", the file's path to every shell, where the old "%0" is not replaced by all and the snapshot would not open.
  return CString(L"\"") + programPath + L"\" \"%1\"";
}

BOOL RegisterSnapshotFileType() {
  wchar_t path[MAX_PATH] = {};
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return FALSE;
  CString program(path);
  CFileTypeAccess access;
  access.SetExtension(L"srzq");
  access.SetShellOpenCommand(BuildOpenCommand(program));
  access.SetDocumentShellOpenCommand(BuildOpenCommand(program));
  access.SetDocumentClassName(L"Quarne.Document");
  access.SetDocumentDefaultIcon(program + L",0");
  return access.RegisterFileType();
}

}  // namespace morvick::ui
