#include "preview/win/host/PreviewDocument.h"

#include "preview/decoders/ImageFormat.h"
#include "preview/text/NumberedNames.h"
#include "preview/win/host/PreviewFile.h"
#include "preview/win/host/PreviewFrameState.h"
#include "preview/win/imaging/CxImage.h"
#include "preview/win/pane/MainPreviewView.h"
#include "preview/win/viewers/ThumbView.h"

#include <algorithm>
#include <string>
#include <vector>

IMPLEMENT_DYNAMIC(CPreviewDocument, CDocument)

CPreviewDocument::CPreviewDocument()
    : m_pCurrentImage(NULL), m_nCurrentImage(-1), m_pDatabase(NULL), m_pDaoTreeView(NULL), m_pRecordListView(NULL)
{}

CPreviewDocument::~CPreviewDocument()
{
    delete m_pCurrentImage;
    CloseAccessDatabase();
}

namespace {

std::u16string Utf16(const CString& text)
{
    return std::u16string(reinterpret_cast<const char16_t*>(static_cast<LPCWSTR>(text)), text.GetLength());
}

}  // namespace

int CPreviewDocument::GetImageTypeFromFileName(const CString& strFileName)
{
    return morvick::ImageFormatFromFileName(Utf16(strFileName));
}

void CPreviewDocument::ForgetImages()
{
    m_ImageNames.RemoveAll();
    delete m_pCurrentImage;
    m_pCurrentImage = NULL;
    m_nCurrentImage = -1;  // no entry of the emptied list is current
}

void CPreviewDocument::LoadImageFolder(const CString& strFolder)
{
    m_strFolder = strFolder;
    ForgetImages();
    std::vector<CString> names;
    WIN32_FIND_DATAW fd;
    HANDLE hFind = FindFirstFileW(strFolder + L"\\*.*", &fd);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                continue;
            CString name(fd.cFileName);
            name.MakeLower();
            if (GetImageTypeFromFileName(name) != 0)
                names.push_back(name);
        } while (FindNextFileW(hFind, &fd));
        FindClose(hFind);
    }
    // Numbers as numbers, not by character code: slide10 came before slide2, and thumbnail "2" showed slide 10.
    std::sort(names.begin(), names.end(),
        [](const CString& a, const CString& b) { return morvick::NumberedNameLess(Utf16(a), Utf16(b)); });
    for (const CString& n : names)
        m_ImageNames.Add(n);
    CPreviewFrameState* pFrame = GetPreviewFrame();
    if (pFrame != NULL && pFrame->m_pPreviewPane != NULL && pFrame->m_pPreviewPane->m_pThumbView != NULL)
        pFrame->m_pPreviewPane->m_pThumbView->LoadThumbnails();
    m_nCurrentImage = -1;
}

void CPreviewDocument::DeleteFolderFiles(const CString& strFolder)
{
    m_strFolder = strFolder;
    ForgetImages();
    WIN32_FIND_DATAW fd;
    HANDLE hFind = FindFirstFileW(strFolder + L"\\*.*", &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            DeletePreviewFile(strFolder + L"\\" + fd.cFileName);
    } while (FindNextFileW(hFind, &fd));
    FindClose(hFind);
}

void CPreviewDocument::LoadImageAt(int nIndex)
{
    // The thumbnail list reports every change of its items; the picture already current is not
    // decoded again.
    if (nIndex == m_nCurrentImage)
        return;
    m_nCurrentImage = nIndex;
    delete m_pCurrentImage;
    m_pCurrentImage = NULL;
    if (nIndex < 0 || nIndex >= m_ImageNames.GetSize())
        return;
    const CString& name = m_ImageNames[nIndex];
    int type = GetImageTypeFromFileName(name);
    if (type != 0)
        m_pCurrentImage = new CxImage(m_strFolder + L"\\" + name, type);
}
