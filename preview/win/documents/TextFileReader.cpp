#include "preview/win/documents/TextFileReader.h"

#include <windows.h>

namespace {

std::u16string AnsiToUtf16(const std::string& bytes)
{
    if (bytes.empty())
        return std::u16string();
    int n = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), NULL, 0);
    std::u16string out(n > 0 ? n : 0, u'\0');
    if (n > 0)
        ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()),
            reinterpret_cast<wchar_t*>(&out[0]), n);
    return out;
}

}  // namespace

// The decoder's bytes from the reader's CFile; a file error reads as the end of the file.
class CTextFileReader::FileSource : public morvick::TextByteSource {
public:
    explicit FileSource(CFile* file) : m_file(file) {}
    size_t Read(uint8_t* buffer, size_t count) override
    {
        try {
            return m_file->Read(buffer, static_cast<UINT>(count));
        } catch (CException* e) {
            e->Delete();
            return 0;
        }
    }
    bool Rewind() override
    {
        try {
            m_file->SeekToBegin();
            return true;
        } catch (CException* e) {
            e->Delete();
            return false;
        }
    }
    uint64_t Length() const override
    {
        try {
            return m_file->GetLength();
        } catch (CException* e) {
            e->Delete();
            return 0;
        }
    }

private:
    CFile* m_file;
};

CTextReaderBase::CTextReaderBase() : m_nEncoding(0), m_pFile(NULL), m_bOwnsFile(FALSE), m_nCodePage(CP_ACP) {}

CTextReaderBase::~CTextReaderBase() {}

CTextFileReader::CTextFileReader(LPCTSTR lpszPath)
{
    m_pFile = new CFile;
    m_bOwnsFile = TRUE;
    if (lpszPath == NULL || !m_pFile->Open(lpszPath, CFile::modeRead | CFile::shareDenyWrite))
        return;
    m_source.reset(new FileSource(m_pFile));
    m_decoder.reset(new morvick::TextLineDecoder(*m_source, AnsiToUtf16));
    m_nEncoding = m_decoder->Encoding();
}

CTextFileReader::~CTextFileReader()
{
    Close();
}

bool CTextFileReader::IsOpen() const
{
    return m_pFile != NULL && m_pFile->IsOpen() && m_decoder != nullptr;
}

bool CTextFileReader::ReadLine(std::wstring& line)
{
    line.clear();
    std::u16string text;
    if (!IsOpen() || !m_decoder->ReadLine(text))
        return false;
    line.assign(text.begin(), text.end());
    return true;
}

bool CTextFileReader::ReadAll(std::wstring& text, const std::wstring& separator)
{
    text.clear();
    if (!IsOpen())
        return false;
    std::u16string all = m_decoder->ReadAll(std::u16string(separator.begin(), separator.end()));
    text.assign(all.begin(), all.end());
    return true;
}

int CTextFileReader::ReadAll(CString& text, const CString& separator)
{
    std::wstring all;
    if (!ReadAll(all, std::wstring(static_cast<LPCWSTR>(separator)))) {
        text.Empty();
        return 0;
    }
    // Recovered files often hold zeroed sectors: the text goes on after them.
    for (wchar_t& c : all)
        if (c == L'\0')
            c = kZeroCharacterShownAs;
    text = all.c_str();
    return 1;
}

void CTextFileReader::Rewind()
{
    if (IsOpen())
        m_decoder->Rewind();
}

ULONGLONG CTextFileReader::GetLengthInChars() const
{
    return IsOpen() ? m_decoder->LengthInChars() : 0;
}

void CTextFileReader::Close()
{
    m_decoder.reset();
    m_source.reset();
    if (m_pFile != NULL && m_bOwnsFile) {
        if (m_pFile->IsOpen())
            m_pFile->Abort();
        delete m_pFile;
    }
    m_pFile = NULL;
}
