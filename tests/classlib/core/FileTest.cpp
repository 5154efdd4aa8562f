#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "classlib/core/AfxCore.h"
#include "tests/classlib/core/AfxTestSupport.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace {

// A fresh path in the temporary folder; the file is removed when the object goes.
class TempPath {
 public:
  explicit TempPath(LPCTSTR name) {
    static int counter = 0;
#ifdef _WIN32
    TCHAR dir[MAX_PATH];
    ::GetTempPathW(MAX_PATH, dir);
    m_path.Format(_T("%smorvick_core_%lu_%d_%s"), dir, ::GetCurrentProcessId(), ++counter, name);
#else
    const char* tmp = std::getenv("TMPDIR");
    m_path.Format(_T("%S/morvick_core_%d_%d_%s"), tmp != NULL ? tmp : "/tmp", (int)getpid(), ++counter, name);
#endif
  }
  ~TempPath() {
    try {
      CFile::Remove(m_path);
    } catch (CException* e) {
      e->Delete();
    }
  }
  operator LPCTSTR() const { return m_path; }

 private:
  CString m_path;
};

std::vector<BYTE> ReadAll(LPCTSTR path) {
  CFile f(path, CFile::modeRead | CFile::shareDenyWrite);
  std::vector<BYTE> bytes((size_t)f.GetLength());
  if (!bytes.empty()) {
    EXPECT_EQ(f.Read(bytes.data(), (UINT)bytes.size()), bytes.size());
  }
  return bytes;
}

TEST(CFileTest, WritesReadsSeeksAndResizes) {
  TempPath path(_T("data.bin"));
  {
    CFile f;
    CFileException e;
    ASSERT_TRUE(f.Open(path, CFile::modeCreate | CFile::modeReadWrite, &e));
    EXPECT_EQ(f.GetFilePath(), CString((LPCTSTR)path));
    EXPECT_EQ(f.GetFileName().Right(8), _T("data.bin"));
    EXPECT_EQ(f.GetFileTitle().Right(4), _T("data"));
    const char text[] = "0123456789";
    f.Write(text, 10);
    EXPECT_EQ(f.GetPosition(), 10u);
    EXPECT_EQ(f.GetLength(), 10u);
    EXPECT_EQ(f.Seek(-4, CFile::end), 6u);
    char buf[16] = {};
    EXPECT_EQ(f.Read(buf, sizeof buf), 4u);
    EXPECT_STREQ(buf, "6789");
    EXPECT_EQ(f.Read(buf, sizeof buf), 0u);
    f.SeekToBegin();
    EXPECT_EQ(f.Seek(3, CFile::current), 3u);
    f.SetLength(5);
    EXPECT_EQ(f.GetLength(), 5u);
    EXPECT_EQ(f.SeekToEnd(), 5u);
    f.SetLength(100000);
    EXPECT_EQ(f.GetLength(), 100000u);
    EXPECT_AFX_THROW(f.Seek(-200000, CFile::current), CFileException*);
    f.Flush();
    f.Close();
    EXPECT_FALSE(f.IsOpen());
  }
  std::vector<BYTE> bytes = ReadAll(path);
  ASSERT_EQ(bytes.size(), 100000u);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 5), "01234");
  EXPECT_EQ(bytes[99999], 0);
}

TEST(CFileTest, OpenFailuresReportCauseAndSystemError) {
  TempPath missing(_T("missing.bin"));
  CFile f;
  CFileException e;
  EXPECT_FALSE(f.Open(missing, CFile::modeRead, &e));
  EXPECT_EQ(e.m_cause, CFileException::fileNotFound);
  EXPECT_NE(e.m_lOsError, 0);
  EXPECT_EQ(e.m_strFileName, CString((LPCTSTR)missing));
  EXPECT_FALSE(f.IsOpen());
  EXPECT_FALSE(f.Open(_T(""), CFile::modeRead, &e));
  EXPECT_AFX_THROW(CFile(missing, CFile::modeRead), CFileException*);
  // A file that failed to open reads nothing and cannot be written.
  char c;
  EXPECT_EQ(f.Read(&c, 1), 0u);
  EXPECT_AFX_THROW(f.Write("x", 1), CFileException*);
  EXPECT_AFX_THROW(CFile::Remove(missing), CFileException*);
}

TEST(CFileTest, ReadOnlyHandlesRefuseWritesAndCreateTruncates) {
  TempPath path(_T("ro.bin"));
  {
    CFile f(path, CFile::modeCreate | CFile::modeWrite);
    f.Write("abcdef", 6);
  }
  {
    CFile f(path, CFile::modeRead);
    EXPECT_AFX_THROW(f.Write("x", 1), CFileException*);
  }
  {
    CFile f(path, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite);
    EXPECT_EQ(f.GetLength(), 6u);
  }
  {
    CFile f(path, CFile::modeCreate | CFile::modeWrite);
    EXPECT_EQ(f.GetLength(), 0u);
  }
}

TEST(CFileTest, RelativeNamesBecomeFullPaths) {
  CString name;
  name.Format(_T("morvick_relative_%d.tmp"), (int)(CTime::GetCurrentTime().GetTime() % 100000));
  {
    CFile f(name, CFile::modeCreate | CFile::modeWrite);
    CString path = f.GetFilePath();
    EXPECT_GT(path.GetLength(), name.GetLength());
    EXPECT_EQ(path.Right(name.GetLength()), name);
    EXPECT_EQ(f.GetFileName(), name);
  }
  CFile::Remove(name);
}

TEST(CFileTest, RenameAndRemoveWithNonAsciiNames) {
  TempPath from(_T("\u00E9t\u00E9.txt"));
  TempPath to(_T("\u4E2D.txt"));
  {
    CFile f(from, CFile::modeCreate | CFile::modeWrite);
    f.Write("z", 1);
  }
  CFile::Rename(from, to);
  CFileException e;
  CFile check;
  EXPECT_FALSE(check.Open(from, CFile::modeRead, &e));
  EXPECT_EQ(ReadAll(to).size(), 1u);
  CFile::Remove(to);
  EXPECT_FALSE(check.Open(to, CFile::modeRead, &e));
}

TEST(CMemFileTest, GrowsAttachesAndDetaches) {
  CMemFile grow(16);
  for (int i = 0; i < 100; ++i) grow.Write(&i, sizeof i);
  EXPECT_EQ(grow.GetLength(), 400u);
  grow.Seek(8, CFile::begin);
  int v = 0;
  EXPECT_EQ(grow.Read(&v, sizeof v), sizeof v);
  EXPECT_EQ(v, 2);
  // Writing after a seek past the end leaves zeros in the gap.
  grow.Seek(1000, CFile::begin);
  grow.Write("!", 1);
  EXPECT_EQ(grow.GetLength(), 1001u);
  EXPECT_EQ(grow.GetBufferPtr()[500], 0);
  EXPECT_AFX_THROW(grow.Seek(-1, CFile::begin), CFileException*);
  ULONGLONG len = grow.GetLength();
  BYTE* p = grow.Detach();
  EXPECT_EQ(p[1000], '!');
  EXPECT_EQ(grow.GetLength(), 0u);
  std::free(p);
  EXPECT_EQ(len, 1001u);

  BYTE fixed[4] = {1, 2, 3, 4};
  CMemFile view(fixed, sizeof fixed);
  EXPECT_EQ(view.GetLength(), 4u);
  BYTE out[8];
  EXPECT_EQ(view.Read(out, 8), 4u);
  view.SeekToBegin();
  view.Write("ab", 2);
  EXPECT_EQ(fixed[0], 'a');
  view.SeekToEnd();
  EXPECT_AFX_THROW(view.Write("c", 1), CMemoryException*);
  EXPECT_EQ(view.GetLength(), 4u);

  // Attached with growth: the buffer is taken as room, the file starts empty.
  BYTE* heap = static_cast<BYTE*>(std::malloc(8));
  CMemFile attached;
  attached.Attach(heap, 8, 8);
  EXPECT_EQ(attached.GetLength(), 0u);
  attached.Write("0123456789", 10);
  BYTE* grown = attached.Detach();
  EXPECT_EQ(std::memcmp(grown, "0123456789", 10), 0);
  std::free(grown);
  attached.SetLength(3);
  EXPECT_EQ(attached.GetLength(), 3u);
  EXPECT_AFX_THROW(attached.Open(_T("x"), CFile::modeRead), CNotSupportedException*);

  // Growing by single bytes to a large size is one step, not millions.
  CMemFile fine(1);
  fine.SetLength(64 * 1024 * 1024);
  EXPECT_EQ(fine.GetLength(), 64u * 1024 * 1024);
  EXPECT_EQ(fine.GetBufferPtr()[64 * 1024 * 1024 - 1], 0);
}

TEST(CStdioFileTest, TextModeTranslatesLineEnds) {
  TempPath path(_T("lines.txt"));
  {
    CStdioFile f(path, CFile::modeCreate | CFile::modeWrite | CFile::typeText);
    f.WriteString(_T("first\nsecond \u00E9\n"));
    f.WriteString(_T("third"));
  }
  std::vector<BYTE> bytes = ReadAll(path);
  std::string raw(bytes.begin(), bytes.end());
  EXPECT_EQ(raw.substr(0, 7), "first\r\n");
  EXPECT_EQ(raw.substr(raw.size() - 7), "\r\nthird");
  CStdioFile f(path, CFile::modeRead | CFile::typeText);
  CString line;
  EXPECT_TRUE(f.ReadString(line));
  EXPECT_EQ(line, _T("first"));
  TCHAR buf[4];
  EXPECT_NE(f.ReadString(buf, 4), nullptr);
  EXPECT_EQ(CString(buf), _T("sec"));
  EXPECT_NE(f.ReadString(buf, 4), nullptr);
  EXPECT_EQ(CString(buf), _T("ond"));
  TCHAR rest[16];
  EXPECT_NE(f.ReadString(rest, 16), nullptr);
  EXPECT_EQ(CString(rest), _T(" \u00E9\n"));
  ULONGLONG pos = f.GetPosition();
  EXPECT_TRUE(f.ReadString(line));
  EXPECT_EQ(line, _T("third"));
  EXPECT_FALSE(f.ReadString(line));
  EXPECT_EQ(f.ReadString(rest, 16), nullptr);
  f.Seek((LONGLONG)pos, CFile::begin);
  char word[6] = {};
  EXPECT_EQ(f.Read(word, 5), 5u);
  EXPECT_STREQ(word, "third");
}

TEST(CStdioFileTest, BinaryModeKeepsUtf16Units) {
  TempPath path(_T("wide.txt"));
  {
    CStdioFile f(path, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
    f.WriteString(_T("a\u4E2D\r\nb"));
  }
  std::vector<BYTE> bytes = ReadAll(path);
  ASSERT_EQ(bytes.size(), 10u);
  EXPECT_EQ(bytes[2], 0x2D);
  EXPECT_EQ(bytes[3], 0x4E);
  CStdioFile f(path, CFile::modeRead | CFile::typeBinary);
  CString line;
  EXPECT_TRUE(f.ReadString(line));
  EXPECT_EQ(line, _T("a\u4E2D\r"));
  EXPECT_TRUE(f.ReadString(line));
  EXPECT_EQ(line, _T("b"));
  EXPECT_FALSE(f.ReadString(line));
}

TEST(CTimeTest, FileTimesAndCalendarFields) {
  FILETIME ft;
  ULONGLONG ticks = 125911584000000000ULL;  // 2000-01-01 00:00:00 UTC
  ft.dwLowDateTime = (DWORD)ticks;
  ft.dwHighDateTime = (DWORD)(ticks >> 32);
  CTime t(ft);
  EXPECT_EQ(t.GetTime(), 946684800);
  EXPECT_EQ(t.FormatGmt(_T("%Y-%m-%d %H:%M:%S")), _T("2000-01-01 00:00:00"));
  FILETIME back;
  ASSERT_TRUE(t.GetAsFileTime(back));
  EXPECT_EQ(back.dwLowDateTime, ft.dwLowDateTime);
  EXPECT_EQ(back.dwHighDateTime, ft.dwHighDateTime);
  EXPECT_TRUE(CTime::IsValidFILETIME(ft));

  CTime local(2021, 6, 15, 12, 30, 45);
  EXPECT_EQ(local.GetYear(), 2021);
  EXPECT_EQ(local.GetMonth(), 6);
  EXPECT_EQ(local.GetDay(), 15);
  EXPECT_EQ(local.GetHour(), 12);
  EXPECT_EQ(local.GetMinute(), 30);
  EXPECT_EQ(local.GetSecond(), 45);
  EXPECT_EQ(local.GetDayOfWeek(), 3);  // a Tuesday
  EXPECT_EQ(local.Format(_T("%d.%m.%Y %H:%M")), _T("15.06.2021 12:30"));
  SYSTEMTIME st;
  ASSERT_TRUE(local.GetAsSystemTime(st));
  EXPECT_EQ(CTime(st), local);
  EXPECT_EQ(st.wDayOfWeek, 2);
  EXPECT_AFX_THROW(CTime(2021, 13, 1, 0, 0, 0), CInvalidArgException*);
  EXPECT_AFX_THROW(CTime(1800, 1, 1, 0, 0, 0), CInvalidArgException*);
  SYSTEMTIME early = {};
  early.wYear = 1601;
  EXPECT_EQ(CTime(early).GetTime(), 0);
  EXPECT_GT(CTime::GetCurrentTime().GetYear(), 2020);
}

TEST(CTimeTest, SpansArithmeticAndFormats) {
  CTimeSpan span(1, 2, 3, 4);
  EXPECT_EQ(span.GetTotalSeconds(), 93784);
  EXPECT_EQ(span.GetDays(), 1);
  EXPECT_EQ(span.GetHours(), 2);
  EXPECT_EQ(span.GetMinutes(), 3);
  EXPECT_EQ(span.GetSeconds(), 4);
  EXPECT_EQ(span.Format(_T("%D %H:%M:%S %%")), _T("1 02:03:04 %"));
  CTime a(1000000000);
  CTime b = a + span;
  EXPECT_EQ(b - a, span);
  EXPECT_TRUE(a < b);
  b -= CTimeSpan(93784);
  EXPECT_EQ(a, b);
  // Unknown conversions and a lone percent are shown, never handed to the runtime.
  EXPECT_EQ(a.FormatGmt(_T("%Y %Q %")), _T("2001 %Q %"));
  EXPECT_EQ(a.FormatGmt(_T("")), _T(""));
  CTime distant(LONGLONG(1) << 62);
  EXPECT_EQ(distant.Format(_T("%Y")), _T(""));
  EXPECT_EQ(distant.GetYear(), 0);
}

}  // namespace
