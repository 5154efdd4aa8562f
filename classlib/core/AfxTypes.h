// Base types and helper macros shared by every part of the class library.
// On Windows they come from the platform headers; elsewhere the subset that portable code needs is
// defined here with the same names and sizes as on the 32-bit target where that matters (LONG and
// DWORD are 32 bits everywhere; wchar_t is 32 bits on Linux, 16 bits on Windows).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cwchar>

#ifdef _WIN32

#include <windows.h>
#include <tchar.h>
// winbase.h maps GetCurrentTime() onto GetTickCount(); CTime needs the name.
#ifdef GetCurrentTime
#undef GetCurrentTime
#endif

#else  // !_WIN32

typedef int BOOL;
#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef uint32_t DWORD;
typedef unsigned int UINT;
typedef int INT;
typedef int32_t LONG;
typedef uint32_t ULONG;
typedef short SHORT;
typedef unsigned short USHORT;
typedef char CHAR;
typedef unsigned char UCHAR;
typedef wchar_t WCHAR;
typedef WCHAR TCHAR;
typedef int64_t LONGLONG;
typedef uint64_t ULONGLONG;
typedef uint64_t DWORDLONG;
typedef uint64_t DWORD64;
typedef intptr_t INT_PTR;
typedef uintptr_t UINT_PTR;
typedef intptr_t LONG_PTR;
typedef uintptr_t ULONG_PTR;
typedef uintptr_t DWORD_PTR;
typedef size_t SIZE_T;
typedef float FLOAT;
typedef double DOUBLE;

typedef void* PVOID;
typedef void* LPVOID;
typedef const void* LPCVOID;
typedef void* HANDLE;
typedef BOOL* LPBOOL;
typedef BYTE* LPBYTE;
typedef BYTE* PBYTE;
typedef WORD* LPWORD;
typedef DWORD* LPDWORD;
typedef LONG* PLONG;
typedef LONG* LPLONG;
typedef UINT* PUINT;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef wchar_t* LPWSTR;
typedef const wchar_t* LPCWSTR;
typedef TCHAR* LPTSTR;
typedef const TCHAR* LPCTSTR;
typedef DWORD COLORREF;

#define INVALID_HANDLE_VALUE ((HANDLE)(LONG_PTR)-1)

#define _T(x) L##x
#define TEXT(x) L##x
#define _TEXT(x) L##x

#define MAKEWORD(a, b) ((WORD)(((BYTE)((DWORD_PTR)(a) & 0xff)) | ((WORD)((BYTE)((DWORD_PTR)(b) & 0xff))) << 8))
#define MAKELONG(a, b) ((LONG)(((WORD)((DWORD_PTR)(a) & 0xffff)) | ((DWORD)((WORD)((DWORD_PTR)(b) & 0xffff))) << 16))
#define LOWORD(l) ((WORD)((DWORD_PTR)(l) & 0xffff))
#define HIWORD(l) ((WORD)((DWORD_PTR)(l) >> 16))
#define LOBYTE(w) ((BYTE)((DWORD_PTR)(w) & 0xff))
#define HIBYTE(w) ((BYTE)((DWORD_PTR)(w) >> 8))
#define RGB(r, g, b) ((COLORREF)(((BYTE)(r) | ((WORD)((BYTE)(g)) << 8)) | (((DWORD)(BYTE)(b)) << 16)))
#define GetRValue(rgb) (LOBYTE(rgb))
#define GetGValue(rgb) (LOBYTE(((WORD)(rgb)) >> 8))
#define GetBValue(rgb) (LOBYTE((rgb) >> 16))

// File and calendar times as the platform stores them: FILETIME counts 100 ns units since
// 1601-01-01 UTC.
typedef struct _FILETIME {
  DWORD dwLowDateTime;
  DWORD dwHighDateTime;
} FILETIME, *PFILETIME, *LPFILETIME;

typedef struct _SYSTEMTIME {
  WORD wYear;
  WORD wMonth;
  WORD wDayOfWeek;
  WORD wDay;
  WORD wHour;
  WORD wMinute;
  WORD wSecond;
  WORD wMilliseconds;
} SYSTEMTIME, *PSYSTEMTIME, *LPSYSTEMTIME;

#endif  // _WIN32

#ifndef PASCAL
#define PASCAL
#endif

#ifdef _WIN32
#define AFXAPI __stdcall
#else
#define AFXAPI
#endif
#define AFX_CDECL
#define AFX_INLINE inline
#define AFX_API
#define AFX_DATA
#define AFX_NOVTABLE

// Iteration position of the lists and maps: an opaque pointer.
struct AfxPositionTag {};
typedef AfxPositionTag* POSITION;
#define BEFORE_START_POSITION ((POSITION)-1L)

#ifndef _countof
#define _countof(array) (sizeof(array) / sizeof((array)[0]))
#endif

// Diagnostics. They check only in builds that define _DEBUG; the library never relies on them for
// safety: every check that protects memory is also made in release builds.
void AFXAPI AfxAssertFailedLine(const char* lpszFileName, int nLine);
void AFX_CDECL AfxTrace(const wchar_t* lpszFormat, ...);

#ifdef _DEBUG
#define ASSERT(f) ((void)((f) || (AfxAssertFailedLine(__FILE__, __LINE__), 0)))
#define VERIFY(f) ASSERT(f)
#define TRACE(...) AfxTrace(__VA_ARGS__)
#define DEBUG_ONLY(f) (f)
#else
#define ASSERT(f) ((void)0)
#define VERIFY(f) ((void)(f))
#define TRACE(...) ((void)0)
#define DEBUG_ONLY(f) ((void)0)
#endif
#define TRACE0(sz) TRACE(_T("%s"), _T(sz))
#define TRACE1(sz, p1) TRACE(_T(sz), p1)
#define TRACE2(sz, p1, p2) TRACE(_T(sz), p1, p2)
#define TRACE3(sz, p1, p2, p3) TRACE(_T(sz), p1, p2, p3)
#define ASSERT_POINTER(p, type) ASSERT((p) != NULL)
#define ASSERT_NULL_OR_POINTER(p, type) ((void)0)
#define ASSERT_KINDOF(class_name, object) ASSERT((object)->IsKindOf(RUNTIME_CLASS(class_name)))
#define UNUSED(x) ((void)(x))
#define UNUSED_ALWAYS(x) ((void)(x))
