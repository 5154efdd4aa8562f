#include "app/Ex_StyleDoc.h"

IMPLEMENT_DYNCREATE(CEx_StyleDoc, CPreviewDocument)

BEGIN_MESSAGE_MAP(CEx_StyleDoc, CPreviewDocument)
END_MESSAGE_MAP()

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
