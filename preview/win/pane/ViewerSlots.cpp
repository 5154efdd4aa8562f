// The viewers of this build. A viewer added later gets its class here (and its library in
// preview/win/CMakeLists.txt).
#include "preview/win/pane/ViewerSlots.h"

#include "preview/html/win/CustomHtmlViewer.h"
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
    default: return NULL;
  }
}

void PreviewNavigate(CView*, const CString&) {}

BOOL PreviewOpenAccessDatabase(CDocument*, const CString&) { return FALSE; }
