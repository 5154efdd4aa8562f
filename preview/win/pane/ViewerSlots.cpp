// The viewers of this build. A viewer added later gets its class here (and its library in
// preview/win/CMakeLists.txt).
#include "preview/win/pane/ViewerSlots.h"

#include "preview/html/win/CustomHtmlViewer.h"
#include "preview/win/archives/ArchiveListView.h"
#include "preview/win/cad/DxfView.h"
#include "preview/win/documents/DocumentView.h"
#include "preview/win/host/PreviewDocument.h"
#include "preview/win/media/AviView.h"
#include "preview/win/media/BrowserView.h"
#include "preview/win/media/MediaPlayerView.h"
#include "preview/win/tables/AccessView.h"
#include "preview/win/tables/DbfView.h"
#include "preview/win/viewers/IconView.h"
#include "preview/win/viewers/ImageView.h"
#include "preview/win/viewers/PlaceholderViews.h"
#include "preview/win/viewers/PsdView.h"
#include "preview/win/viewers/ThumbView.h"

CRuntimeClass* PreviewViewerClass(PreviewViewer kind) {
  switch (kind) {
    case kViewerImage: return RUNTIME_CLASS(CImage_View);
    case kViewerThumb: return RUNTIME_CLASS(CThumbView);
    case kViewerNoPreview: return RUNTIME_CLASS(CCorrupted_NoPreview_View);
    case kViewerPsd: return RUNTIME_CLASS(CPSDViewView);
    case kViewerLargeFile: return RUNTIME_CLASS(CLargeFileView);
    case kViewerIcon: return RUNTIME_CLASS(CTextView);
    case kViewerCustomHtml: return RUNTIME_CLASS(CCustomHTMLViewer);
    case kViewerDxf: return RUNTIME_CLASS(CDFXView);
    case kViewerHtml: return RUNTIME_CLASS(CHtml_View);
    case kViewerDocument: return RUNTIME_CLASS(CAdobeReaderView);
    case kViewerAvi: return RUNTIME_CLASS(CAviView);
    case kViewerMedia: return RUNTIME_CLASS(CMyMedia);
    case kViewerDbf: return RUNTIME_CLASS(CDBF_View);
    case kViewerArchive: return RUNTIME_CLASS(CMyListCtrl);
    case kViewerAccess: return RUNTIME_CLASS(CMDB_View);
    default: return NULL;
  }
}

void PreviewNavigate(CView* pView, const CString& strPath) {
  if (CHtml_View* pBrowser = dynamic_cast<CHtml_View*>(pView)) pBrowser->Navigate2(strPath, 0, NULL, NULL, NULL, 0);
}

BOOL PreviewOpenAccessDatabase(CDocument* pDoc, const CString& strPath) {
  CPreviewDocument* pPreviewDoc = dynamic_cast<CPreviewDocument*>(pDoc);
  return pPreviewDoc != NULL && pPreviewDoc->OpenAccessDatabase(strPath);
}
