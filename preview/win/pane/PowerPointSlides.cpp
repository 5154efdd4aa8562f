// PowerPoint slides through the presentation program's automation: the presentation is saved as
// one GIF picture per slide into a temporary folder, which the thumbnail view then shows. Without
// the program the pane shows its "not available" placeholder.
#include "preview/win/pane/MainPreviewView.h"

#include "preview/win/documents/OfficeAutomation.h"

namespace {

constexpr long kSaveAsGif = 16;

}  // namespace

BOOL CMainPreviewView::ShowPowerPointSlides(const CString& strPath) {
  CPowerPointApplication app;
  bool created = false;
  try {
    if (!app.CreateDispatch(L"Powerpoint.Application")) return FALSE;
    created = true;
    CPresentations presentations(app.GetPresentations());
    CPresentation presentation(presentations.Open(strPath, 1L, 1L, 0L));

    wchar_t temp[255] = L"";
    GetTempPathW(255, temp);
    CString exportFile = CString(temp) + L"ssss.gif";
    CString slideFolder = CString(temp) + L"ssss";
    presentation.SaveAs(exportFile, kSaveAsGif, 0L);
    app.Quit();
    created = false;
    ShowThumbnailView(slideFolder);
    return TRUE;
  } catch (CException* e) {
    e->Delete();
  }
  if (created) {
    try {
      app.Quit();
    } catch (CException* e) {
      e->Delete();
    }
  }
  return FALSE;
}
