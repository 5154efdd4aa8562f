// CMyListCtrl: the table of contents of a zip, cabinet or RAR archive, one row per entry with the
// file type's icon: name, folder, size, times and attribute letters. Nothing is extracted. The
// listing of each kind comes from its back end (zip directory, the cabinet library, unrar.dll).
#pragma once

#include "classlib/win/AfxWin.h"

// The list of the view: its own image list holds the header icons.
class CArchiveContentList : public CListCtrl {
public:
    CArchiveContentList();
    ~CArchiveContentList() override;

    // The columns for the archive's extension (".zip", or ".cab" and ".rar"); none for any other.
    void SetupColumns(const CString& strExtension);
    // Gives header item n the image n of the list's own image list.
    void SetHeaderImages();
    CImageList& HeaderImages() { return m_images; }

protected:
    afx_msg void OnClick(NMHDR* pNotify, LRESULT* pResult);
    afx_msg void OnHeaderDrag(NMHDR* pNotify, LRESULT* pResult);

    CImageList m_images;

    DECLARE_MESSAGE_MAP()
};

class CMyListCtrl : public CView {
    DECLARE_DYNCREATE(CMyListCtrl)
public:
    CMyListCtrl();
    ~CMyListCtrl() override;

    void OnDraw(CDC* pDC) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);

    BOOL ListZip(const CString& strPath);
    BOOL ListCab();
    BOOL ListRar();

    CArchiveContentList* GetContentList() const { return m_pList; }
    enum { IDC_CONTENT_LIST = 165 };

    // "rahs" with "-" for each attribute that is not set: read-only, archive, hidden, system.
    static CString AttributeText(DWORD attributes);
    // A file time as local time, "%d %b %Y, %X"; empty for a time that cannot be shown.
    static CString DateText(const FILETIME& time);

protected:
    void AddRow(int nItem, const CString& strName);

    CArchiveContentList* m_pList;

    DECLARE_MESSAGE_MAP()
};
