#include "toolkit/commandbars/TrackMenu.h"

#include "classlib/win/CMenu.h"
#include "toolkit/base/ImageManager.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/CommandBarsTheme.h"
#include "toolkit/commandbars/PopupBar.h"

UINT TrackMenuWithCommandBars(CMenu* pMenu, UINT nFlags, int x, int y, CWnd* pWnd, int nIDToolBar)
{
    if (pMenu == NULL || pMenu->GetSafeHmenu() == NULL)
        return 0;
    if (CTKPCommandBarsTheme::GetInstalledTheme() == NULL)
        CTKPCommandBarsTheme::SetTheme(CTKPCommandBarsTheme::themeDefault);
    if (CTKPCommandBarsTheme::GetInstalledTheme() == NULL)
        return static_cast<UINT>(pMenu->TrackPopupMenu(nFlags, x, y, pWnd, NULL));

    CTKPPopupBar* pPopup = CTKPPopupBar::CreatePopupBar(NULL);
    if (pPopup == NULL)
        return static_cast<UINT>(pMenu->TrackPopupMenu(nFlags, x, y, pWnd, NULL));
    if (nIDToolBar > 0) {
        // The items show the toolbar's icons by command id.
        CTKPImageManager* pImageManager = new CTKPImageManager;
        pImageManager->SetIconsFromToolBar(static_cast<UINT>(nIDToolBar), 0);
        pPopup->SetImageManager(pImageManager);
    }
    UINT nResult = 0;
    if (pPopup->LoadMenu(pMenu, TRUE))
        // Tracked with notification: the owner's update handlers enable and check the items.
        nResult = CTKPCommandBars::TrackPopupMenu(pPopup, nFlags, x, y, pWnd, NULL, NULL);
    pPopup->InternalRelease();
    return nResult;
}
