// CArchive: a buffered binary stream over a CFile that stores values, strings and whole object
// graphs in the class library's little-endian archive format. Objects and classes written more
// than once are stored once and referenced by index afterwards. Loading checks every tag, index,
// length and class against what the stream actually holds and throws CArchiveException on damage.
#pragma once

#include <memory>

#include "classlib/core/AfxTypes.h"
#include "classlib/core/CException.h"
#include "classlib/core/CFile.h"
#include "classlib/core/CObject.h"
#include "classlib/core/CString.h"

class CDocument;

class CArchive {
 public:
  enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4 };

  CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = NULL);
  ~CArchive();

  BOOL IsLoading() const { return (m_nMode & load) != 0; }
  BOOL IsStoring() const { return (m_nMode & load) == 0; }
  BOOL IsByteSwapping() const { return FALSE; }
  BOOL IsBufferEmpty() const { return m_lpBufCur == m_lpBufMax; }
  CFile* GetFile() const { return m_pFile; }

  // Schema of the object being loaded, for versionable classes; reading it resets it to -1.
  UINT GetObjectSchema();
  void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }

  // Raw bytes. Read returns the count read, fewer at the end of the stream.
  UINT Read(void* lpBuf, UINT nMax);
  void Write(const void* lpBuf, UINT nMax);

  // Text lines of TCHARs stored as UTF-16 units; WriteString writes no terminator or line break.
  void WriteString(LPCTSTR lpsz);
  LPTSTR ReadString(LPTSTR lpsz, UINT nMax);
  BOOL ReadString(CString& rString);

  void Flush();
  void Close();
  void Abort();  // closes without flushing and without throwing

  // Objects and classes.
  void WriteObject(const CObject* pOb);
  CObject* ReadObject(const CRuntimeClass* pClass);
  void WriteClass(const CRuntimeClass* pClassRef);
  CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = NULL, UINT* pSchema = NULL,
                           DWORD* pObTag = NULL);
  void SerializeClass(const CRuntimeClass* pClassRef);
  // Enters an object into the object map as if it had been written or read here.
  void MapObject(const CObject* pOb);
  // Throws when the object map cannot take another entry.
  void CheckCount();
  void SetStoreParams(UINT nHashSize = 2053, UINT nBlockSize = 128);
  void SetLoadParams(UINT nGrowBy = 1024);

  // Element counts: a WORD, or 0xFFFF and a DWORD.
  void WriteCount(DWORD_PTR dwCount);
  DWORD_PTR ReadCount();

  // Values, little-endian. int, unsigned, LONG and DWORD are 32 bits. On Linux LONG is int and
  // LONGLONG is long, so the overload sets differ by platform; a Linux long is stored in 64 bits.
  // wchar_t is stored as one 16-bit unit on every platform.
  CArchive& operator<<(BYTE by);
  CArchive& operator<<(WORD w);
  CArchive& operator<<(LONG l);
  CArchive& operator<<(DWORD dw);
  CArchive& operator<<(float f);
  CArchive& operator<<(double d);
  CArchive& operator<<(LONGLONG dwdw);
  CArchive& operator<<(ULONGLONG dwdw);
  CArchive& operator<<(short w);
  CArchive& operator<<(char ch);
  CArchive& operator<<(signed char ch);
  CArchive& operator<<(wchar_t ch);
  CArchive& operator<<(bool b);
#ifdef _WIN32
  CArchive& operator<<(int i) { return *this << (LONG)i; }
  CArchive& operator<<(unsigned u) { return *this << (DWORD)u; }
#else
  CArchive& operator<<(long long dwdw) { return *this << (LONGLONG)dwdw; }
  CArchive& operator<<(unsigned long long dwdw) { return *this << (ULONGLONG)dwdw; }
#endif

  CArchive& operator>>(BYTE& by);
  CArchive& operator>>(WORD& w);
  CArchive& operator>>(LONG& l);
  CArchive& operator>>(DWORD& dw);
  CArchive& operator>>(float& f);
  CArchive& operator>>(double& d);
  CArchive& operator>>(LONGLONG& dwdw);
  CArchive& operator>>(ULONGLONG& dwdw);
  CArchive& operator>>(short& w);
  CArchive& operator>>(char& ch);
  CArchive& operator>>(signed char& ch);
  CArchive& operator>>(wchar_t& ch);
  CArchive& operator>>(bool& b);
#ifdef _WIN32
  CArchive& operator>>(int& i) {
    LONG l;
    *this >> l;
    i = (int)l;
    return *this;
  }
  CArchive& operator>>(unsigned& u) {
    DWORD dw;
    *this >> dw;
    u = (unsigned)dw;
    return *this;
  }
#else
  CArchive& operator>>(long long& dwdw) {
    LONGLONG v;
    *this >> v;
    dwdw = v;
    return *this;
  }
  CArchive& operator>>(unsigned long long& dwdw) {
    ULONGLONG v;
    *this >> v;
    dwdw = v;
    return *this;
  }
#endif

  CArchive& operator<<(const CString& string);
  CArchive& operator>>(CString& string);

  CArchive& operator<<(const CObject* pOb) {
    WriteObject(pOb);
    return *this;
  }
  CArchive& operator>>(CObject*& pOb) {
    pOb = ReadObject(NULL);
    return *this;
  }
  CArchive& operator>>(const CObject*& pOb) {
    pOb = ReadObject(NULL);
    return *this;
  }

  CDocument* m_pDocument;
  UINT m_nObjectSchema;
  CString m_strFileName;

  // Longest string and the largest map the loader accepts; larger claims are damage.
  static const DWORD kMaxStringLength = 0x3FFFFFFF / sizeof(TCHAR);
  static const DWORD kMaxMapCount = 0x3FFFFFFE;

 protected:
  void FillBuffer(UINT nBytesNeeded);
  void ReadExact(void* pDest, UINT nBytes);
  void WriteRaw(const void* pSrc, UINT nBytes);

  BOOL m_nMode;
  BOOL m_bUserBuf;
  int m_nBufSize;
  CFile* m_pFile;
  BYTE* m_lpBufCur;
  BYTE* m_lpBufMax;
  BYTE* m_lpBufStart;

  // Object map: classes and objects by the index that the stream refers to them with.
  UINT m_nMapCount;
  UINT m_nGrowSize;
  UINT m_nHashSize;
  struct Maps;
  std::unique_ptr<Maps> m_pMaps;

 private:
  CArchive(const CArchive&) = delete;
  CArchive& operator=(const CArchive&) = delete;
  void InitMaps();
};

// Class-library-compatible helpers for lengths of stored strings.
void AFXAPI AfxWriteStringLength(CArchive& ar, UINT_PTR nLength, BOOL bUnicode);
UINT_PTR AFXAPI AfxReadStringLength(CArchive& ar, int& nCharSize);
