// CEx_StyleDoc: the single document of the document template. It holds no recovery data; what the
// previews need of it (the picture folder and its thumbnails, the current picture, the database of
// the database view, the temporary folder emptied) is CPreviewDocument's, which it is.
#pragma once

#include "classlib/win/AfxWin.h"
#include "preview/win/host/PreviewDocument.h"

class CEx_StyleDoc : public CPreviewDocument {
    DECLARE_DYNCREATE(CEx_StyleDoc)
public:
    CEx_StyleDoc();
    ~CEx_StyleDoc() override;

    BOOL IsModified() override;
    void SetModifiedFlag(BOOL bModified = TRUE) override;
    BOOL OnNewDocument() override;

    DECLARE_MESSAGE_MAP()
};
