// CMainPreviewView: the preview pane of the results page. It picks one viewer by the file's
// extension, creates it as a child view below its header band, and shows a placeholder when the
// file cannot be previewed. The pane itself paints only the header band.
#pragma once

#include "classlib/win/AfxWin.h"
#include "preview/win/pane/ViewerSlots.h"

class CImage_View;
class CThumbView;
class CCorrupted_NoPreview_View;
class CPSDViewView;
class CLargeFileView;
class CTextView;

class CMainPreviewView : public CView {
    DECLARE_DYNCREATE(CMainPreviewView)
public:
    CMainPreviewView();

    // Shows the file: sets the frame's flags, lower-cases the path and the extension, creates the
    // viewer of the first dispatch row that holds the extension, and the placeholder when the
    // file is not previewable or its viewer failed.
    void ShowPreview(CString strPath, CString strExtension);
    // Closes every viewer the pane holds, in the fixed order.
    void CloseViewers();

    void OnDraw(CDC* pDC) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);

    // The viewer in a slot, or NULL.
    CView* Viewer(PreviewViewer kind) const { return m_viewers[kind]; }

    // The slots, kept under their own names as well.
    CImage_View*& m_pImageView;
    CView*& m_pHtmlView;
    CView*& m_pDocumentView;
    CView*& m_pArchiveView;
    CView*& m_pAviView;
    CView*& m_pMediaView;
    CThumbView*& m_pThumbView;
    CView*& m_pDbfView;
    CView*& m_pAccessView;
    CCorrupted_NoPreview_View*& m_pNoPreviewView;
    CView*& m_pCustomHtmlView;
    CView*& m_pDxfView;
    CPSDViewView*& m_pPsdView;
    CLargeFileView*& m_pLargeFileView;
    CTextView*& m_pIconView;
    CString m_strCaption;  // "Preview:"

    enum { IDW_VIEWER = AFX_IDW_PANE_FIRST, IDW_PREVIEW_PANE = AFX_IDW_PANE_FIRST + 1 };

protected:
    // Stores the path in the document (when there is one) and creates the viewer of that kind;
    // NULL when it could not be created. With bShow the viewer is shown and laid out.
    CView* CreateViewer(PreviewViewer kind, const CString* pPath, bool bShow = true);
    // Shows the viewer of a sender (a failure clears the frame's m_bPreviewShown).
    void ShowViewer(PreviewViewer kind, const CString& strPath);
    // The senders of the dispatch rows. Those that take the extension do not use it: only the path
    // matters to their viewers.
    void ShowImageView(const CString& strPath, const CString&) { ShowViewer(kViewerImage, strPath); }
    void ShowIconView(const CString& strPath) { ShowViewer(kViewerIcon, strPath); }
    void ShowCustomHtmlView(const CString& strPath, const CString&) { ShowViewer(kViewerCustomHtml, strPath); }
    void ShowDocumentView(const CString& strPath) { ShowViewer(kViewerDocument, strPath); }
    void ShowArchiveView(const CString& strPath) { ShowViewer(kViewerArchive, strPath); }
    void ShowPsdView(const CString& strPath, const CString&) { ShowViewer(kViewerPsd, strPath); }
    void ShowAviView(const CString& strPath) { ShowViewer(kViewerAvi, strPath); }
    void ShowMediaView(const CString& strPath) { ShowViewer(kViewerMedia, strPath); }
    void ShowDbfView(const CString& strPath) { ShowViewer(kViewerDbf, strPath); }
    void ShowDxfView(const CString& strPath, const CString&) { ShowViewer(kViewerDxf, strPath); }
    void ShowNoPreviewView();
    void ShowLargeFileView();
    void ShowHtmlView(const CString& strPath, const CString& strExtension);
    BOOL ShowAccessView(const CString& strPath);
    BOOL ShowPowerPointSlides(const CString& strPath);
    // Shows the slide pictures of the folder, then empties and removes it (the thumbnails stay).
    void ShowThumbnailView(const CString& strFolder);
    // Deletes the slide folder's files (through the preview document) and the folder.
    static void RemoveSlideFolder(const CString& strFolder);

    CView* m_viewers[kViewerCount];
    bool m_bViewerMissing;  // the current file's viewer is not part of this build

    DECLARE_MESSAGE_MAP()
};
