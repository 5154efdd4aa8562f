// CEx_StyleDoc: the single document of the document template. It holds no recovery data: it keeps,
// for the image previews, the sorted names of the image files of one folder and the image loaded
// from it, and it empties a folder of its files (the temporary preview folder).
#pragma once

#include <memory>

#include "classlib/win/AfxWin.h"
#include "preview/win/host/PreviewDocument.h"

// The image the previews show: its path and its format code; the preview decodes it.
struct CDocumentImage {
    CString path;
    int format = 0;
};

class CEx_StyleDoc : public CPreviewDocument {
    DECLARE_DYNCREATE(CEx_StyleDoc)
public:
    CEx_StyleDoc();
    ~CEx_StyleDoc() override;

    BOOL IsModified() override;
    void SetModifiedFlag(BOOL bModified = TRUE) override;
    BOOL OnNewDocument() override;

    // The format code of a file name by its last three or four characters (no dot needed), without
    // regard to case: 1 bmp, 2 gif, 3 jpg/jpeg, 4 png, 5 ico, 6 tif/tiff, 7 tga, 8 pcx, 9 wbmp,
    // 10 wmf/emf, 11 j2k/jp2, 12 j2c/jpc, 13 pgx, 14 pnm/pgm/ppm, 15 ras; 0 when it is no image.
    static int GetImageTypeFromFileName(const CString& name);

    // Lists the image files of a folder: lower-cased, sorted; no current image afterwards.
    void LoadImageFolder(const CString& folder);
    // Makes entry index the current image (nothing when it is already current; none past the end).
    void LoadImageAt(int index);
    // Deletes the files directly in a folder (each tried twice); folders stay.
    void DeleteFolderFiles(const CString& folder);
    // The Access database of the database preview: the engine for it is not available here, so the
    // database views are told there is none. Returns 0.
    int OpenAccessDatabase(const CString& path);
    // Clears the record list and rebuilds the database tree when a database is open.
    void RefreshDatabaseViews();

    const CDocumentImage* CurrentImage() const { return m_pCurrentImage.get(); }

    CStringArray m_ImageNames;
    int m_nCurrentImage = -1;
    CString m_strReserved;
    CString m_strFolder;
    std::unique_ptr<CDocumentImage> m_pCurrentImage;
    void* m_pDatabase = nullptr;
    CView* m_pDaoTreeView = nullptr;
    CView* m_pRecordListView = nullptr;

    DECLARE_MESSAGE_MAP()
};
