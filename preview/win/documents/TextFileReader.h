// CTextFileReader reads a text file as wide text, one line at a time or whole: UTF-16 in either
// byte order and UTF-8 by their byte-order mark, a file without one as UTF-8 when its bytes are
// UTF-8 with letters beyond ASCII, anything else as ANSI text of the system's code page. CR, LF and
// CR LF end lines. The decoding itself is the portable TextLineDecoder.
#pragma once

#include "classlib/core/CFile.h"
#include "classlib/core/CString.h"
#include "preview/text/TextLineDecoder.h"

#include <memory>
#include <string>

// What a zero character of the text becomes in the CString form of ReadAll: a middle dot.
constexpr wchar_t kZeroCharacterShownAs = 0x00B7;

class CTextReaderBase {
public:
    CTextReaderBase();
    virtual ~CTextReaderBase();

    // 0 ANSI, 1 UTF-16 big endian, 2 UTF-16 little endian, 3 UTF-8.
    int GetEncoding() const { return m_nEncoding; }

protected:
    int m_nEncoding;
    CFile* m_pFile;
    BOOL m_bOwnsFile;
    UINT m_nCodePage;  // for ANSI text: CP_ACP
};

class CTextFileReader : public CTextReaderBase {
public:
    // Opens the file for reading (others may read it too) and reads its byte-order mark.
    explicit CTextFileReader(LPCTSTR lpszPath);
    ~CTextFileReader() override;

    bool IsOpen() const;
    // The next line; false at the end of the file (or when it is not open).
    bool ReadLine(std::wstring& line);
    // The whole text from here on, lines joined by the separator; false when not open.
    bool ReadAll(std::wstring& text, const std::wstring& separator);
    // The same as a CString, each zero character shown as kZeroCharacterShownAs.
    int ReadAll(CString& text, const CString& separator);
    void Rewind();
    ULONGLONG GetLengthInChars() const;
    void Close();

private:
    class FileSource;
    std::unique_ptr<FileSource> m_source;
    std::unique_ptr<morvick::TextLineDecoder> m_decoder;
};
