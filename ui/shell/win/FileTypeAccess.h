#pragma once
// Registers a file type with the shell: the extension, its document class, icon and open command.

#include <windows.h>

#include "classlib/core/AfxCore.h"

namespace morvick::ui {

class CFileTypeAccess : public CObject {
  DECLARE_DYNAMIC(CFileTypeAccess)

 public:
  CFileTypeAccess() = default;
  ~CFileTypeAccess() override = default;

  virtual void ClearAll();
  // Writes the extension key, then the document type key. Returns 1; registry failures (no
  // write access) leave the association as it was.
  virtual BOOL RegisterFileType();
  virtual BOOL WriteExtensionKey();
  virtual BOOL WriteDocumentTypeKey();
  virtual BOOL WriteShellNewKey() { return TRUE; }
  virtual BOOL WriteDdeKeys() { return TRUE; }

  void SetExtension(const CString& s) { m_strExtension = s; }
  void SetShellOpenCommand(const CString& s) { m_strShellOpenCommand = s; }
  void SetDocumentClassName(const CString& s) { m_strDocumentClassName = s; }
  void SetDocumentDescription(const CString& s) { m_strDocumentDescription = s; }
  void SetDocumentDefaultIcon(const CString& s) { m_strDocumentDefaultIcon = s; }
  void SetDocumentShellOpenCommand(const CString& s) { m_strDocumentShellOpenCommand = s; }

  // Writes text as the REG_SZ value name of root\subKey (created when missing). FALSE when an
  // argument is missing or empty or the registry refuses.
  static BOOL SetRegistryValue(HKEY root, LPCWSTR subKey, LPCWSTR valueName, LPCWSTR text);

 protected:
  CString m_strExtension;
  CString m_strShellOpenCommand;
  CString m_strShellNewCommand;
  CString m_strShellNewFileName;
  CString m_strDocumentClassName;
  CString m_strDocumentDescription;
  CString m_strDocumentCommandLine;
  CString m_strDocumentDefaultIcon;
  CString m_strDocumentShellOpenCommand;
  CString m_strDdeCommand;
  CString m_strDdeApplication;
};

// The open command for a program: the program's path and the document's path, each quoted.
CString BuildOpenCommand(const CString& programPath);
// Registers "*.srzq" as "Quarne.Document" opened by the running program (called at start-up).
BOOL RegisterSnapshotFileType();

}  // namespace morvick::ui
