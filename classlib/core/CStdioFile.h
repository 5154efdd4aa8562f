// CStdioFile: a CFile with line-oriented text access. In text mode (the default) the file holds
// narrow text (the ANSI code page on Windows, UTF-8 elsewhere) and "\r\n" line ends, which
// ReadString turns into "\n" and WriteString writes for "\n". In binary mode (typeBinary) the file
// holds UTF-16LE units and nothing is translated.
#pragma once

#include <vector>

#include "classlib/core/CFile.h"

class CStdioFile : public CFile {
  DECLARE_DYNAMIC(CStdioFile)
 public:
  CStdioFile();
  CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags);
  ~CStdioFile() override;

  BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL) override;

  // Writes the text; in text mode every "\n" becomes "\r\n".
  virtual void WriteString(LPCTSTR lpsz);
  // Reads at most nMax - 1 characters of one line, keeping its "\n"; NULL at the end of the file.
  virtual LPTSTR ReadString(LPTSTR lpsz, UINT nMax);
  // Reads one whole line without its "\n"; FALSE at the end of the file.
  virtual BOOL ReadString(CString& rString);

  UINT Read(void* lpBuf, UINT nCount) override;
  void Write(const void* lpBuf, UINT nCount) override;
  ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
  ULONGLONG GetPosition() const override;
  void SetLength(ULONGLONG dwNewLen) override;
  void Flush() override;
  void Close() override;
  void Abort() override;

  BOOL IsTextMode() const { return m_bText; }

 private:
  BOOL ReadByte(BYTE& b);
  BOOL PeekByte(BYTE& b);
  void UnreadBytes(UINT nCount);
  void DropReadAhead();

  BOOL m_bText;
  std::vector<BYTE> m_readAhead;
  size_t m_nReadPos;
};
