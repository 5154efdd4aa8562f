// The application profile in the registry (Wine's HKEY_CURRENT_USER): strings, numbers, binary
// values and the recent-file list, read back both through the profile and directly.
#include <gtest/gtest.h>

#include "tests/classlib/win/TestSupport.h"

namespace {

const WCHAR kKey[] = L"Morvick Profile Tests";

std::wstring RawString(LPCWSTR lpszSubKey, LPCWSTR lpszValue) {
  WCHAR sz[512];
  DWORD cb = sizeof(sz);
  if (::RegGetValueW(HKEY_CURRENT_USER, lpszSubKey, lpszValue, RRF_RT_REG_SZ, NULL, sz, &cb) != ERROR_SUCCESS)
    return L"<missing>";
  return sz;
}

class ProfileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::wstring path = std::wstring(L"Software\\") + kKey;
    ::RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
    theTestApp.SetRegistryKey(kKey);
    m_strSection = path + L"\\" + theTestApp.m_pszProfileName + L"\\Settings";
  }
  void TearDown() override {
    std::wstring path = std::wstring(L"Software\\") + kKey;
    ::RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
  }
  std::wstring m_strSection;
};

TEST_F(ProfileTest, ValuesLiveUnderSoftwareKeyApplicationSection) {
  EXPECT_STREQ(theTestApp.m_pszRegistryKey, kKey);
  EXPECT_STREQ(theTestApp.m_pszProfileName, L"MorvickClasslibTests");
  ASSERT_TRUE(theTestApp.WriteProfileString(L"Settings", L"Name", L"value \x00e9"));
  EXPECT_EQ(RawString(m_strSection.c_str(), L"Name"), L"value \x00e9");
}

TEST_F(ProfileTest, StringsIntsAndBinaryComeBack) {
  EXPECT_TRUE(theTestApp.WriteProfileString(L"Settings", L"Text", L"hello"));
  EXPECT_TRUE(theTestApp.WriteProfileInt(L"Settings", L"Number", -5));
  BYTE data[5] = {0, 1, 0xFE, 0x80, 7};
  EXPECT_TRUE(theTestApp.WriteProfileBinary(L"Settings", L"Blob", data, sizeof(data)));

  EXPECT_STREQ((LPCTSTR)theTestApp.GetProfileString(L"Settings", L"Text"), L"hello");
  EXPECT_EQ((int)theTestApp.GetProfileInt(L"Settings", L"Number", 0), -5);
  LPBYTE pData = NULL;
  UINT nBytes = 0;
  ASSERT_TRUE(theTestApp.GetProfileBinary(L"Settings", L"Blob", &pData, &nBytes));
  ASSERT_EQ(nBytes, 5u);
  EXPECT_EQ(memcmp(pData, data, 5), 0);
  delete[] pData;

  // Missing values and values of another type give the defaults.
  EXPECT_STREQ((LPCTSTR)theTestApp.GetProfileString(L"Settings", L"Nothing", L"dflt"), L"dflt");
  EXPECT_EQ(theTestApp.GetProfileInt(L"Settings", L"Text", 17), 17u);
  EXPECT_STREQ((LPCTSTR)theTestApp.GetProfileString(L"Settings", L"Number", L"dflt"), L"dflt");
  EXPECT_FALSE(theTestApp.GetProfileBinary(L"Settings", L"Text", &pData, &nBytes));
  EXPECT_EQ(pData, (LPBYTE)NULL);
  EXPECT_EQ(nBytes, 0u);
  EXPECT_FALSE(theTestApp.GetProfileBinary(L"Other", L"Blob", &pData, &nBytes));
}

TEST_F(ProfileTest, AStringStoredWithoutTerminatorIsReadSafely) {
  HKEY hKey = theTestApp.GetSectionKey(L"Settings");
  ASSERT_NE(hKey, (HKEY)NULL);
  const WCHAR raw[3] = {L'a', L'b', L'c'};
  ASSERT_EQ(::RegSetValueExW(hKey, L"Raw", 0, REG_SZ, (const BYTE*)raw, sizeof(raw)), ERROR_SUCCESS);
  ::RegCloseKey(hKey);
  EXPECT_STREQ((LPCTSTR)theTestApp.GetProfileString(L"Settings", L"Raw"), L"abc");
}

TEST_F(ProfileTest, DeletingValuesAndSections) {
  theTestApp.WriteProfileString(L"Settings", L"A", L"1");
  theTestApp.WriteProfileString(L"Settings", L"B", L"2");
  EXPECT_TRUE(theTestApp.WriteProfileString(L"Settings", L"A", NULL));
  EXPECT_STREQ((LPCTSTR)theTestApp.GetProfileString(L"Settings", L"A", L"gone"), L"gone");
  EXPECT_STREQ((LPCTSTR)theTestApp.GetProfileString(L"Settings", L"B"), L"2");
  EXPECT_TRUE(theTestApp.WriteProfileString(L"Settings", NULL, NULL));
  EXPECT_STREQ((LPCTSTR)theTestApp.GetProfileString(L"Settings", L"B", L"gone"), L"gone");
}

TEST_F(ProfileTest, RecentFileListKeepsTheNewestFirstAndPersists) {
  theTestApp.LoadStdProfileSettings(4);
  ASSERT_NE(theTestApp.m_pRecentFileList, (CRecentFileList*)NULL);
  CRecentFileList& mru = *theTestApp.m_pRecentFileList;
  EXPECT_EQ(mru.GetSize(), 4);
  for (LPCWSTR p : {L"C:\\data\\one.srzq", L"C:\\data\\two.srzq", L"C:\\data\\three.srzq",
                    L"C:\\data\\four.srzq", L"C:\\data\\five.srzq"})
    theTestApp.AddToRecentFileList(p);
  theTestApp.AddToRecentFileList(L"c:\\DATA\\three.srzq");  // already there: moves to the front
  EXPECT_STREQ((LPCTSTR)mru[0], L"c:\\DATA\\three.srzq");
  EXPECT_STREQ((LPCTSTR)mru[1], L"C:\\data\\five.srzq");
  EXPECT_STREQ((LPCTSTR)mru[2], L"C:\\data\\four.srzq");
  EXPECT_STREQ((LPCTSTR)mru[3], L"C:\\data\\two.srzq");
  EXPECT_TRUE(mru[7].IsEmpty());  // out of range is empty, not a crash

  theTestApp.SaveStdProfileSettings();
  std::wstring section = std::wstring(L"Software\\") + kKey + L"\\" + theTestApp.m_pszProfileName +
                         L"\\Recent File List";
  EXPECT_EQ(RawString(section.c_str(), L"File1"), L"c:\\DATA\\three.srzq");
  EXPECT_EQ(RawString(section.c_str(), L"File4"), L"C:\\data\\two.srzq");

  mru.Remove(0);
  EXPECT_STREQ((LPCTSTR)mru[0], L"C:\\data\\five.srzq");
  EXPECT_TRUE(mru[3].IsEmpty());
  theTestApp.SaveStdProfileSettings();
  EXPECT_EQ(RawString(section.c_str(), L"File4"), L"<missing>");

  CRecentFileList reread(0, L"Recent File List", L"File%d", 4);
  reread.ReadList();
  EXPECT_STREQ((LPCTSTR)reread[0], L"C:\\data\\five.srzq");
  EXPECT_STREQ((LPCTSTR)reread[2], L"C:\\data\\two.srzq");
  CString shown;
  EXPECT_TRUE(reread.GetDisplayName(shown, 0, L"C:\\data\\", 8));
  EXPECT_STREQ((LPCTSTR)shown, L"five.srzq");
  EXPECT_FALSE(reread.GetDisplayName(shown, 3, L"C:\\data\\", 8));
}

}  // namespace
