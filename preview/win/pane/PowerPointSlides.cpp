// PowerPoint slides through the presentation program's automation: the presentation is saved as
// one GIF picture per slide into a temporary folder, which the thumbnail view then shows. Without
// the program the pane shows its "not available" placeholder.
#include "preview/win/pane/MainPreviewView.h"

#include "classlib/win/COleDispatchDriver.h"

namespace {

// Dispatch ids of the presentation program's objects.
enum : DISPID {
  kDispPresentations = 2001,  // Application.Presentations
  kDispOpen = 2004,           // Presentations.Open(name, read-only, untitled, with window)
  kDispQuit = 2021,           // Application.Quit
  kDispSaveAs = 2036,         // Presentation.SaveAs(name, format, embed fonts)
};
constexpr long kSaveAsGif = 16;

}  // namespace

BOOL CMainPreviewView::ShowPowerPointSlides(const CString& strPath) {
  COleDispatchDriver app;
  bool created = false;
  try {
    if (!app.CreateDispatch(L"Powerpoint.Application")) return FALSE;
    created = true;
    LPDISPATCH pPresentations = NULL;
    app.GetProperty(kDispPresentations, VT_DISPATCH, &pPresentations);
    COleDispatchDriver presentations(pPresentations);
    static const BYTE kOpenParams[] = VTS_BSTR VTS_I4 VTS_I4 VTS_I4;
    LPDISPATCH pPresentation = NULL;
    presentations.InvokeHelper(kDispOpen, DISPATCH_METHOD, VT_DISPATCH, &pPresentation, kOpenParams,
                               static_cast<LPCWSTR>(strPath), 1L, 1L, 0L);
    COleDispatchDriver presentation(pPresentation);

    wchar_t temp[255] = L"";
    GetTempPathW(255, temp);
    CString exportFile = CString(temp) + L"ssss.gif";
    CString slideFolder = CString(temp) + L"ssss";
    static const BYTE kSaveParams[] = VTS_BSTR VTS_I4 VTS_I4;
    presentation.InvokeHelper(kDispSaveAs, DISPATCH_METHOD, VT_EMPTY, NULL, kSaveParams,
                              static_cast<LPCWSTR>(exportFile), kSaveAsGif, 0L);
    app.InvokeHelper(kDispQuit, DISPATCH_METHOD, VT_EMPTY, NULL, NULL);
    created = false;
    ShowThumbnailView(slideFolder);
    return TRUE;
  } catch (CException* e) {
    e->Delete();
  }
  if (created) {
    try {
      app.InvokeHelper(kDispQuit, DISPATCH_METHOD, VT_EMPTY, NULL, NULL);
    } catch (CException* e) {
      e->Delete();
    }
  }
  return FALSE;
}
