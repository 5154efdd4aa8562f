// The snapshot file-type association as written to Wine's registry.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "tests/support/win/SavedRegistry.h"
#include "ui/shell/win/FileTypeAccess.h"

namespace morvick::ui {
namespace {

std::wstring ReadDefault(const std::wstring& key) {
  wchar_t buffer[1024] = {};
  DWORD size = sizeof(buffer) - sizeof(wchar_t), type = 0;
  HKEY k;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return L"<missing>";
  LONG r = RegQueryValueExW(k, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
  RegCloseKey(k);
  return r == ERROR_SUCCESS && type == REG_SZ ? buffer : L"<no value>";
}

void DeleteTree(const wchar_t* key) { RegDeleteTreeW(HKEY_CLASSES_ROOT, key); }

// Classes kept in both hives and put back as they were when the test ends, however it ends.
class SavedClasses {
 public:
  SavedClasses(std::initializer_list<const wchar_t*> names) {
    for (HKEY hive : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
      for (const wchar_t* name : names)
        keys_.push_back(std::make_unique<test::SavedRegistryKey>(hive, std::wstring(L"Software\\Classes\\") + name));
    }
  }

 private:
  std::vector<std::unique_ptr<test::SavedRegistryKey>> keys_;
};

class TestAccess : public CFileTypeAccess {};

TEST(FileTypeAccess, WritesTheExtensionAndTheClassTwiceTheSame) {
  SavedClasses saved{L".morvicktest", L"Morvick.TestDocument"};
  DeleteTree(L".morvicktest");
  DeleteTree(L"Morvick.TestDocument");
  CFileTypeAccess a;
  a.SetExtension(L"morvicktest");
  a.SetShellOpenCommand(BuildOpenCommand(L"C:\\Program Files\\Morvick\\Morvick.exe"));
  a.SetDocumentClassName(L"Morvick.TestDocument");
  a.SetDocumentDefaultIcon(L"C:\\Program Files\\Morvick\\Morvick.exe,0");
  for (int run = 0; run < 2; ++run) {
    EXPECT_TRUE(a.RegisterFileType());
    EXPECT_EQ(ReadDefault(L".morvicktest"), L"Morvick.TestDocument");
    EXPECT_EQ(ReadDefault(L".morvicktest\\shell\\open\\command"), L"\"C:\\Program Files\\Morvick\\Morvick.exe\" \"%1\"");
    EXPECT_EQ(ReadDefault(L"Morvick.TestDocument"), L"");
    EXPECT_EQ(ReadDefault(L"Morvick.TestDocument\\DefaultIcon"), L"C:\\Program Files\\Morvick\\Morvick.exe,0");
    EXPECT_EQ(ReadDefault(L"Morvick.TestDocument\\shell\\open\\command"),
              L"\"C:\\Program Files\\Morvick\\Morvick.exe\" \"%1\"");
  }
  EXPECT_STREQ(a.GetRuntimeClass()->m_lpszClassName, "CFileTypeAccess");
}

TEST(FileTypeAccess, AnEmptyExtensionWritesOnlyTheClass) {
  SavedClasses saved{L"Morvick.TestDocument2"};
  DeleteTree(L"Morvick.TestDocument2");
  CFileTypeAccess a;
  a.SetDocumentClassName(L"Morvick.TestDocument2");
  a.SetDocumentDescription(L"Recovery snapshot");
  a.RegisterFileType();
  EXPECT_EQ(ReadDefault(L"Morvick.TestDocument2"), L"Recovery snapshot");
  EXPECT_EQ(ReadDefault(L"Morvick.TestDocument2\\DefaultIcon"), L"<missing>");
  EXPECT_EQ(ReadDefault(L"."), L"<missing>");
  a.ClearAll();
  EXPECT_TRUE(a.RegisterFileType());  // nothing to write, still succeeds
  EXPECT_FALSE(CFileTypeAccess::SetRegistryValue(HKEY_CLASSES_ROOT, L"", L"", L"x"));
  EXPECT_FALSE(CFileTypeAccess::SetRegistryValue(nullptr, L"a", L"", L"x"));
}

TEST(FileTypeAccess, SnapshotsOpenWithTheQuotedProgramPath) {
  // An installed copy's file type is the machine's: it comes back when the test is over.
  SavedClasses saved{L".srzq", L"Quarne.Document"};
  ASSERT_TRUE(RegisterSnapshotFileType());
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  const std::wstring quoted = L"\"" + std::wstring(path) + L"\" \"%1\"";
  EXPECT_EQ(ReadDefault(L".srzq"), L"Quarne.Document");
  EXPECT_EQ(ReadDefault(L".srzq\\shell\\open\\command"), quoted);
  EXPECT_EQ(ReadDefault(L"Quarne.Document\\shell\\open\\command"), quoted);
  EXPECT_EQ(ReadDefault(L"Quarne.Document\\DefaultIcon"), std::wstring(path) + L",0");
}

}  // namespace
}  // namespace morvick::ui
