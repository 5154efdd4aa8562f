// The pane's viewer kinds, in the fixed order in which the pane lays its viewers out and closes
// them, and the run-time class that shows each kind. A kind whose viewer is not part of this
// build has no class: the pane then shows its "not available" placeholder for it.
#pragma once

#include "classlib/win/AfxWin.h"

enum PreviewViewer {
  kViewerDxf,
  kViewerImage,
  kViewerHtml,
  kViewerDocument,
  kViewerAvi,
  kViewerMedia,
  kViewerDbf,
  kViewerThumb,
  kViewerArchive,
  kViewerAccess,
  kViewerNoPreview,
  kViewerCustomHtml,
  kViewerPsd,
  kViewerLargeFile,
  kViewerIcon,
  kViewerCount
};

CRuntimeClass* PreviewViewerClass(PreviewViewer kind);

// What the browser view does with a path after it was created (navigate to it); nothing while
// the browser view is not built.
void PreviewNavigate(CView* pView, const CString& strPath);
// Opens an Access database for the database view through the document; FALSE while that view is
// not built.
BOOL PreviewOpenAccessDatabase(CDocument* pDoc, const CString& strPath);
