// PowerPoint slides through the presentation program's automation: the presentation is saved as
// one GIF picture per slide into the program's scratch folder in the temporary folder, which the
// thumbnail view then shows (and empties). Without the program, or when the export fails, the pane
// shows its "not available" placeholder and the folder is emptied and removed: no slides of this
// or an earlier presentation stay behind.
#include "preview/win/pane/MainPreviewView.h"

#include "preview/win/documents/OfficeAutomation.h"
#include "preview/win/host/TemporaryPaths.h"

namespace {

constexpr long kSaveAsGif = 16;

}  // namespace

BOOL CMainPreviewView::ShowPowerPointSlides(const CString& strPath)
{
    // The slide folder that the clean-up on Back and at exit empties. Without a temporary folder
    // there is nowhere to export to.
    const CString slideFolder = PreviewSlideFolder();
    if (slideFolder.IsEmpty())
        return FALSE;
    const CString exportFile = slideFolder + L".gif";
    CPowerPointApplication app;
    bool created = false;
    try {
        // Without the program the folder is cleared below too, as after a failed export.
        if (app.CreateDispatch(L"Powerpoint.Application")) {
            created = true;
            CPresentations presentations(app.GetPresentations());
            CPresentation presentation(presentations.Open(strPath, 1L, 1L, 0L));
            // Only slides of this presentation are shown.
            RemoveSlideFolder(slideFolder);
            presentation.SaveAs(exportFile, kSaveAsGif, 0L);
            app.Quit();
            created = false;
            ShowThumbnailView(slideFolder);
            return TRUE;
        }
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
    RemoveSlideFolder(slideFolder);
    return FALSE;
}
