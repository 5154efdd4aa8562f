// Documents read and written through their Serialize: a save that fails keeps the old file, an
// open that fails says so and leaves nothing half-read.
#include <gtest/gtest.h>

#include "tests/classlib/win/TestSupport.h"

namespace {

class CNoteDoc : public CDocument {
 public:
  CString m_strNote;
  bool m_bFailWhileStoring = false;
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) {
      ar << m_strNote;
      if (m_bFailWhileStoring) AfxThrowUserException();
    } else {
      ar >> m_strNote;
    }
  }
  void DeleteContents() override { m_strNote.Empty(); }
};

std::wstring TempPath(LPCWSTR name) {
  WCHAR sz[MAX_PATH];
  ::GetTempPathW(MAX_PATH, sz);
  return std::wstring(sz) + name;
}

TEST(DocumentFile, SaveThenOpenGivesTheContentsBack) {
  std::wstring path = TempPath(L"morvick-doc-roundtrip.dat");
  ::DeleteFileW(path.c_str());
  CNoteDoc saved;
  saved.m_bAutoDelete = FALSE;
  saved.m_strNote = L"kept \x00e9";
  saved.SetModifiedFlag(TRUE);
  ASSERT_TRUE(saved.OnSaveDocument(path.c_str()));
  EXPECT_FALSE(saved.IsModified());

  CNoteDoc opened;
  opened.m_bAutoDelete = FALSE;
  ASSERT_TRUE(opened.OnOpenDocument(path.c_str()));
  EXPECT_STREQ((LPCTSTR)opened.m_strNote, L"kept \x00e9");
  EXPECT_FALSE(opened.IsModified());
  ::DeleteFileW(path.c_str());
}

TEST(DocumentFile, AFailedSaveKeepsTheOldFile) {
  std::wstring path = TempPath(L"morvick-doc-failsave.dat");
  CNoteDoc doc;
  doc.m_bAutoDelete = FALSE;
  doc.m_strNote = L"first";
  ASSERT_TRUE(doc.OnSaveDocument(path.c_str()));
  doc.m_strNote = L"second";
  doc.m_bFailWhileStoring = true;
  doc.SetModifiedFlag(TRUE);
  EXPECT_FALSE(doc.OnSaveDocument(path.c_str()));
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(::GetFileAttributesW((path + L".saving").c_str()), INVALID_FILE_ATTRIBUTES);

  CNoteDoc check;
  check.m_bAutoDelete = FALSE;
  ASSERT_TRUE(check.OnOpenDocument(path.c_str()));
  EXPECT_STREQ((LPCTSTR)check.m_strNote, L"first");
  ::DeleteFileW(path.c_str());
}

TEST(DocumentFile, OpeningAMissingOrDamagedFileFailsAndSaysSo) {
  ResetMessageLog();
  std::wstring missing = TempPath(L"morvick-doc-missing.dat");
  ::DeleteFileW(missing.c_str());
  CNoteDoc doc;
  doc.m_bAutoDelete = FALSE;
  doc.m_strNote = L"before";
  EXPECT_FALSE(doc.OnOpenDocument(missing.c_str()));
  EXPECT_EQ(::GetFileAttributesW(missing.c_str()), INVALID_FILE_ATTRIBUTES);  // not created
  EXPECT_EQ(ReadMessageLog().size(), 1u);

  // A string whose stored length runs past the end of the file.
  std::wstring damaged = TempPath(L"morvick-doc-damaged.dat");
  HANDLE h = ::CreateFileW(damaged.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  const BYTE bytes[] = {0x40, 'a', 'b'};
  DWORD written = 0;
  ::WriteFile(h, bytes, sizeof(bytes), &written, NULL);
  ::CloseHandle(h);
  EXPECT_FALSE(doc.OnOpenDocument(damaged.c_str()));
  EXPECT_TRUE(doc.m_strNote.IsEmpty());
  EXPECT_EQ(ReadMessageLog().size(), 2u);
  ::DeleteFileW(damaged.c_str());
}

}  // namespace
