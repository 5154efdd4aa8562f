#include "classlib/win/CFileFind.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

// A fresh folder under the temporary folder with two files and a subfolder.
class FileFindFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH];
        ::GetTempPathW(MAX_PATH, temp);
        root = std::wstring(temp) + L"morvick-filefind-" + std::to_wstring(::GetCurrentProcessId());
        ASSERT_TRUE(::CreateDirectoryW(root.c_str(), nullptr));
        Write(L"alpha.txt", 5);
        Write(L"beta.dat", 1234);
        ASSERT_TRUE(::CreateDirectoryW((root + L"\\sub").c_str(), nullptr));
    }
    void TearDown() override
    {
        ::DeleteFileW((root + L"\\alpha.txt").c_str());
        ::DeleteFileW((root + L"\\beta.dat").c_str());
        ::RemoveDirectoryW((root + L"\\sub").c_str());
        ::RemoveDirectoryW(root.c_str());
    }
    void Write(const wchar_t* name, DWORD size)
    {
        HANDLE h = ::CreateFileW((root + L"\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, h);
        std::string data(size, 'x');
        DWORD written = 0;
        ::WriteFile(h, data.data(), size, &written, nullptr);
        ::CloseHandle(h);
    }
    std::wstring root;
};

} // namespace

TEST_F(FileFindFolder, LoopVisitsEveryEntryOnce)
{
    CFileFind finder;
    std::map<std::wstring, bool> seen;   // name -> is a directory
    BOOL more = finder.FindFile(CString((root + L"\\*.*").c_str()));
    ASSERT_TRUE(more);
    int dots = 0;
    while (more) {
        more = finder.FindNextFile();
        if (finder.IsDots()) {
            ++dots;
            continue;
        }
        std::wstring name = (LPCTSTR)finder.GetFileName();
        EXPECT_EQ(0u, seen.count(name)) << "twice: " << std::string(name.begin(), name.end());
        seen[name] = finder.IsDirectory() != FALSE;
        EXPECT_TRUE(finder.GetFilePath() == (root + L"\\" + name).c_str());
        if (name == L"beta.dat") {
            EXPECT_EQ(1234u, finder.GetLength());
            EXPECT_TRUE(finder.GetFileTitle() == L"beta");
        }
    }
    EXPECT_EQ(2, dots);
    ASSERT_EQ(3u, seen.size());
    EXPECT_FALSE(seen[L"alpha.txt"]);
    EXPECT_FALSE(seen[L"beta.dat"]);
    EXPECT_TRUE(seen[L"sub"]);
    // The loop has ended: asking again changes nothing and does not crash.
    EXPECT_FALSE(finder.FindNextFile());
}

TEST_F(FileFindFolder, PatternSelectsAndRootIsTheFolder)
{
    CFileFind finder;
    ASSERT_TRUE(finder.FindFile(CString((root + L"/*.txt").c_str())));
    EXPECT_FALSE(finder.FindNextFile());   // the only match is the last one
    EXPECT_TRUE(finder.GetFileName() == L"alpha.txt");
    EXPECT_TRUE(finder.GetRoot() == root.c_str());
    EXPECT_FALSE(finder.IsDirectory());
    EXPECT_FALSE(finder.IsDots());
    FILETIME written = {};
    EXPECT_TRUE(finder.GetLastWriteTime(&written));
    EXPECT_NE(0u, written.dwHighDateTime);
}

TEST_F(FileFindFolder, NoMatchAndNoSearch)
{
    CFileFind finder;
    EXPECT_FALSE(finder.FindFile(CString((root + L"\\*.none").c_str())));
    EXPECT_EQ((DWORD)ERROR_FILE_NOT_FOUND, ::GetLastError());
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_EQ(0, finder.GetFileName().GetLength());
    EXPECT_EQ(0, finder.GetFilePath().GetLength());
    EXPECT_FALSE(finder.IsDirectory());
    CFileFind idle;
    EXPECT_FALSE(idle.FindNextFile());
}
