#include "app/Ex_StyleDoc.h"

IMPLEMENT_DYNCREATE(CEx_StyleDoc, CDocument)

BEGIN_MESSAGE_MAP(CEx_StyleDoc, CDocument)
END_MESSAGE_MAP()

CEx_StyleDoc::CEx_StyleDoc() {}

BOOL CEx_StyleDoc::OnNewDocument() { return CDocument::OnNewDocument(); }
