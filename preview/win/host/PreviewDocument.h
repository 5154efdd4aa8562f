// What the preview needs of the application's document: the path of the file to show, and the
// folder of pictures behind the thumbnail view. The document class derives from it:
//
//   class CEx_StyleDoc : public CPreviewDocument
#pragma once

#include "classlib/win/AfxWin.h"

class CxImage;
class CDaoDatabase;
class CDaoTreeView;
class CMDBListView;

class CPreviewDocument : public CDocument {
    DECLARE_DYNAMIC(CPreviewDocument)
public:
    CPreviewDocument();
    ~CPreviewDocument() override;

    // The image layer's format code of a file name by how it ends, without case and with no dot
    // needed: bmp 1, gif 2, jpg and jpeg 3, png 4, ico 5, tif and tiff 6, tga 7, pcx 8, wbmp 9, wmf
    // and emf 10, j2k and jp2 11, j2c and jpc 12, pgx 13, pnm, pgm and ppm 14, ras 15; 0 for any other.
    static int GetImageTypeFromFileName(const CString& strFileName);

    // Makes the folder the image folder, lists its picture files (lower-cased names, sorted) and
    // hands them to the pane's thumbnail view.
    void LoadImageFolder(const CString& strFolder);
    // Makes the folder the image folder with an empty list, and deletes its files (not its folders).
    void DeleteFolderFiles(const CString& strFolder);
    // Makes entry nIndex of the list the current picture (decoded anew); out of range: none.
    void LoadImageAt(int nIndex);

    CString m_strPreviewPath;  // the file the next viewer shows; written just before it is created
    CString m_strFolder;
    CStringArray m_ImageNames;  // names in the image folder, sorted
    CxImage* m_pCurrentImage;   // owned
    int m_nCurrentImage;

    // Opens an Access database for the database view (not exclusive, not read-only): on success it
    // replaces the previous one, is handed to the view's tree and list, the list is cleared and the
    // tree rebuilt, and 1 comes back; a database error leaves everything as it was and gives 0.
    int OpenAccessDatabase(const CString& strPath);
    // Clears the record list and rebuilds the database tree when a database is open.
    void RefreshDatabaseViews();
    // Closes and deletes the open database (when the database view goes).
    void CloseAccessDatabase();
    CDaoDatabase* m_pDatabase;        // owned
    CDaoTreeView* m_pDaoTreeView;     // set by the tree view of the database view while it exists
    CMDBListView* m_pRecordListView;  // set by its record list likewise

private:
    void ForgetImages();
};
