// The image-file class over both back ends (the platform's files and a memory buffer): exact reads,
// seeks that cannot go wrong silently, 64-bit offsets, names outside ASCII, and nothing created.
#include "engine/io/DiskFile.h"
#include "engine/io/NativeFile.h"
#include "engine/util/Utf.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

// A name of this process in the temporary folder: other test runs on the machine may run at the
// same time.
std::u16string TempPath(const std::u16string& name)
{
#ifdef _WIN32
    const unsigned long pid = GetCurrentProcessId();
#else
    const unsigned long pid = static_cast<unsigned long>(getpid());
#endif
    return Utf8ToUtf16(::testing::TempDir() + std::to_string(pid) + "-") + name;
}

// Writes bytes at offset into a new file (sparse where the platform allows).
bool WriteTestFile(const std::u16string& path, uint64_t offset, const std::vector<uint8_t>& bytes)
{
#ifdef _WIN32
    HANDLE h = CreateFileW(reinterpret_cast<const wchar_t*>(path.c_str()), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(offset);
    DWORD written = 0;
    const bool ok = SetFilePointerEx(h, at, nullptr, FILE_BEGIN) &&
                    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    CloseHandle(h);
    return ok;
#else
    std::ofstream out(Utf16ToUtf8(path), std::ios::binary | std::ios::trunc);
    out.seekp(static_cast<std::streamoff>(offset));
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return out.good();
#endif
}

void RemoveFile(const std::u16string& path)
{
#ifdef _WIN32
    DeleteFileW(reinterpret_cast<const wchar_t*>(path.c_str()));
#else
    std::remove(Utf16ToUtf8(path).c_str());
#endif
}

std::vector<uint8_t> Pattern(size_t n)
{
    std::vector<uint8_t> bytes(n);
    for (size_t i = 0; i < n; ++i)
        bytes[i] = static_cast<uint8_t>(i * 31 + 7);
    return bytes;
}

TEST(DiskFileTest, MissingFileIsNotOpenedAndNotCreated)
{
    const std::u16string path = TempPath(u"morvick-missing.vhd");
    RemoveFile(path);
    CDiskFile file;
    EXPECT_EQ(file.OpenRead(path), 0);
    EXPECT_FALSE(file.IsOpen());
    EXPECT_FALSE(FileExists(path));
    EXPECT_EQ(file.Close(), 0);
}

TEST(DiskFileTest, FoldersAreNotOpened)
{
    CDiskFile file;
    EXPECT_EQ(file.OpenRead(Utf8ToUtf16(::testing::TempDir())), 0);
    EXPECT_TRUE(FileExists(Utf8ToUtf16(::testing::TempDir())));
}

TEST(DiskFileTest, ReadsAreExactAndShortReadsFail)
{
    const std::u16string path = TempPath(u"morvick-exact.bin");
    const std::vector<uint8_t> bytes = Pattern(3000);
    ASSERT_TRUE(WriteTestFile(path, 0, bytes));
    CDiskFile file;
    ASSERT_EQ(file.OpenRead(path), 1);
    EXPECT_EQ(file.GetSize(), 3000u);
    std::vector<uint8_t> got(1024);
    ASSERT_EQ(file.ReadAt(got.data(), 1000, 1024), 1);
    EXPECT_EQ(0, std::memcmp(got.data(), bytes.data() + 1000, 1024));
    EXPECT_EQ(file.GetPosition(), 2024u);
    EXPECT_EQ(file.Read(got.data(), 976), 1);      // to the last byte
    EXPECT_EQ(file.Read(got.data(), 1), 0);        // at the end
    EXPECT_EQ(file.ReadAt(got.data(), 2500, 501), 0);  // one byte short
    EXPECT_EQ(file.ReadAt(got.data(), UINT64_MAX, 1), 0);
    EXPECT_EQ(file.Close(), 1);
    EXPECT_EQ(file.Close(), 0);
    EXPECT_EQ(file.ReadAt(got.data(), 0, 1), 0);
    RemoveFile(path);
}

TEST(DiskFileTest, SeeksReportTargetsOutsideTheFile)
{
    const std::vector<uint8_t> bytes = Pattern(2048);
    CDiskFile file;
    file.OpenMemory(bytes.data(), bytes.size());
    EXPECT_EQ(file.SeekFromEnd(512), 1);
    EXPECT_EQ(file.GetPosition(), 1536u);
    EXPECT_EQ(file.Seek(100, CDiskFile::kFromCurrent, CDiskFile::kBackward), 1436);
    EXPECT_EQ(file.Seek(1437, CDiskFile::kFromCurrent, CDiskFile::kBackward), -1);  // before the start
    EXPECT_EQ(file.GetPosition(), 1436u);
    EXPECT_EQ(file.SeekFromEnd(4096), 0);
    EXPECT_EQ(file.Seek(0, 9, CDiskFile::kForward), -1);
    EXPECT_EQ(file.SeekTo(10), 1);
    uint8_t b = 0;
    ASSERT_EQ(file.Read(&b, 1), 1);
    EXPECT_EQ(b, bytes[10]);
}

TEST(DiskFileTest, OffsetsBeyondFourGibibytes)
{
    const std::u16string path = TempPath(u"morvick-large.bin");
    const uint64_t offset = (uint64_t(4) << 30) + 4096 * 3 + 17;
    const std::vector<uint8_t> bytes = Pattern(8192);
    ASSERT_TRUE(WriteTestFile(path, offset, bytes));
    CDiskFile file;
    ASSERT_EQ(file.OpenRead(path), 1);
    EXPECT_EQ(file.GetSize(), offset + bytes.size());
    std::vector<uint8_t> got(bytes.size());
    ASSERT_EQ(file.ReadAt(got.data(), offset, got.size()), 1);
    EXPECT_EQ(got, bytes);
    ASSERT_EQ(file.ReadAt(got.data(), offset - 100, 100), 1);  // the hole reads as zeros
    EXPECT_EQ(got[0], 0);
    file.Close();
    RemoveFile(path);
}

TEST(DiskFileTest, NamesOutsideAscii)
{
    const std::u16string path = TempPath(u"morvick-\u00e9t\u00e9-\u65e5\u672c.vhd");
    ASSERT_TRUE(WriteTestFile(path, 0, Pattern(512)));
    EXPECT_TRUE(FileExists(path));
    CDiskFile file;
    ASSERT_EQ(file.OpenRead(path), 1);
    EXPECT_EQ(file.GetSize(), 512u);
    file.Close();
    RemoveFile(path);
}

TEST(DiskFileTest, NativeReadsAreExact)
{
    const std::u16string path = TempPath(u"morvick-native.bin");
    ASSERT_TRUE(WriteTestFile(path, 0, Pattern(100)));
    const NativeFileHandle h = OpenNativeFileForReading(path);
    ASSERT_NE(h, kInvalidNativeFile);
    uint64_t size = 0;
    ASSERT_TRUE(GetNativeFileSize(h, size));
    EXPECT_EQ(size, 100u);
    uint8_t buffer[64];
    EXPECT_TRUE(ReadNativeFileAt(h, 36, buffer, 64));
    EXPECT_FALSE(ReadNativeFileAt(h, 37, buffer, 64));
    EXPECT_TRUE(CloseNativeFile(h));
    EXPECT_FALSE(CloseNativeFile(kInvalidNativeFile));
    RemoveFile(path);
}

} // namespace
