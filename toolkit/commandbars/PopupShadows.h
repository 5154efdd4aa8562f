// The drop shadows under open popups: a right and a bottom strip per popup, per-pixel alpha when
// layered windows are available (4 pixels), plain otherwise (2 pixels). Strips of cascaded popups
// join, and no strip covers a popup or, when the theme asks for shadows always, the opener.
#pragma once

#include "classlib/core/CList.h"
#include "classlib/win/AfxWin.h"

class CTKPCommandBar;
class CTKPControl;
class CTKPShadowWindow;

class CTKPPopupShadows {
public:
    CTKPPopupShadows();
    ~CTKPPopupShadows();

    // Shadows around a popup's window that leave out the exclude rectangle (screen coordinates).
    void CreateShadows(CTKPCommandBar* pPopup, const RECT& rcExclude);
    // Shadows around a control (its parent bar's client coordinates), owned by its popup bar.
    void CreateControlShadows(CTKPControl* pControl);
    // Every shadow of the owner goes.
    void RemoveShadows(CTKPCommandBar* pOwner);
    void RemoveShadow(CTKPShadowWindow* pShadow);

    int GetShadowCount() const { return static_cast<int>(m_lstShadows.GetCount()); }
    // The shadows of an owner, in the order they were made (bottom strip first).
    int GetShadowsOf(CTKPCommandBar* pOwner, CTKPShadowWindow** ppShadows, int nMax) const;

    typedef BOOL(
        WINAPI* UpdateLayeredWindowFunc)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD);
    UpdateLayeredWindowFunc m_pfnUpdateLayeredWindow;

    // Test switches: the system's drop-shadow setting (-1: ask the system, 0 off, 1 on), and
    // layered windows as if USER32 lacked them.
    static void SetSystemDropShadow(int nSetting);
    static void EnableLayeredShadows(BOOL bEnable);

protected:
    // One strip beside the window rectangle W.
    void CreateShadow(BOOL bBottom, const CRect& rcWindow, const CRect& rcExclude, CTKPCommandBar* pOwner);
    static BOOL IsSystemDropShadowOn();

    CList<CTKPShadowWindow*, CTKPShadowWindow*> m_lstShadows;
};

// The process-wide manager.
CTKPPopupShadows* TKPGetPopupShadows();
// Layered shadow strips can be made.
BOOL IsLayeredShadowAvailable();
