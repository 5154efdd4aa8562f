#include "app/Ex_StyleDoc.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNCREATE(CEx_StyleDoc, CPreviewDocument)

BEGIN_MESSAGE_MAP(CEx_StyleDoc, CPreviewDocument)
END_MESSAGE_MAP()

namespace {

struct ImageFormat {
    LPCWSTR ending;
    int code;
};

const ImageFormat kFormats[] = {
    {L"bmp", 1},
    {L"gif", 2},
    {L"jpg", 3},
    {L"jpeg", 3},
    {L"png", 4},
    {L"ico", 5},
    {L"tif", 6},
    {L"tiff", 6},
    {L"tga", 7},
    {L"pcx", 8},
    {L"wbmp", 9},
    {L"wmf", 10},
    {L"emf", 10},
    {L"j2k", 11},
    {L"jp2", 11},
    {L"j2c", 12},
    {L"jpc", 12},
    {L"pgx", 13},
    {L"pnm", 14},
    {L"pgm", 14},
    {L"ppm", 14},
    {L"ras", 15},
};

// Calls visit with the name of every file directly in a folder (no folders, no dot entries).
template <typename Visit>
void ForEachFile(const CString& folder, Visit visit)
{
    CFileFind finder;
    BOOL more = finder.FindFile(folder + L"\\*.*");
    while (more) {
        more = finder.FindNextFile();
        if (!finder.IsDots() && !finder.IsDirectory())
            visit(finder.GetFileName());
    }
    finder.Close();
}

}  // namespace

CEx_StyleDoc::CEx_StyleDoc() = default;

CEx_StyleDoc::~CEx_StyleDoc() = default;

BOOL CEx_StyleDoc::IsModified()
{
    return m_bModified;
}

void CEx_StyleDoc::SetModifiedFlag(BOOL bModified)
{
    m_bModified = bModified;
}

BOOL CEx_StyleDoc::OnNewDocument()
{
    return CDocument::OnNewDocument();
}

int CEx_StyleDoc::GetImageTypeFromFileName(const CString& name)
{
    for (const ImageFormat& f : kFormats) {
        const int length = static_cast<int>(wcslen(f.ending));
        if (name.GetLength() >= length && name.Right(length).CompareNoCase(f.ending) == 0)
            return f.code;
    }
    return 0;
}

void CEx_StyleDoc::LoadImageFolder(const CString& folder)
{
    m_strFolder = folder;
    m_ImageNames.RemoveAll();
    m_pCurrentImage.reset();
    std::vector<CString> names;
    ForEachFile(folder, [&](CString name) {
        if (GetImageTypeFromFileName(name) == 0)
            return;
        name.MakeLower();
        names.push_back(name);
    });
    std::sort(names.begin(), names.end(), [](const CString& a, const CString& b) { return a.Compare(b) < 0; });
    for (const CString& name : names)
        m_ImageNames.Add(name);
    m_nCurrentImage = -1;
}

void CEx_StyleDoc::LoadImageAt(int index)
{
    if (index == m_nCurrentImage)
        return;
    m_nCurrentImage = index;
    m_pCurrentImage.reset();
    if (index < 0 || index >= m_ImageNames.GetSize())
        return;
    const CString name = m_ImageNames[index];
    const int format = GetImageTypeFromFileName(name);
    if (format == 0)
        return;
    m_pCurrentImage = std::make_unique<CDocumentImage>();
    m_pCurrentImage->path = m_strFolder + L"\\" + name;
    m_pCurrentImage->format = format;
}

void CEx_StyleDoc::DeleteFolderFiles(const CString& folder)
{
    m_strFolder = folder;
    m_ImageNames.RemoveAll();
    m_pCurrentImage.reset();
    ForEachFile(folder, [&](const CString& name) {
        const CString path = folder + L"\\" + name;
        if (!DeleteFileW(path))
            DeleteFileW(path);
    });
}

int CEx_StyleDoc::OpenAccessDatabase(const CString&)
{
    m_pDatabase = nullptr;
    RefreshDatabaseViews();
    return 0;
}

void CEx_StyleDoc::RefreshDatabaseViews()
{
    if (m_pDatabase == nullptr)
        return;
}
