// The window list of a menu: a placeholder that lists the visible MDI child windows of its frame
// as numbered buttons (the active one checked), at most nine; with none to list it shows itself.
#pragma once

#include "toolkit/commandbars/ControlPlaceholder.h"

class CTKPControlWindowList : public CTKPControlPlaceholder {
    DECLARE_SERIAL(CTKPControlWindowList)
public:
    CTKPControlWindowList();

    void OnCalcDynamicSize(DWORD dwMode) override;

    // The command id of the first MDI child (0xFF00 until an active child's id says 0x8000 or 1).
    static UINT GetFirstMdiChildId() { return s_nFirstMdiChildId; }
    static void SetFirstMdiChildId(UINT nId) { s_nFirstMdiChildId = nId; }
    static int GetMaxWindows() { return s_nMaxWindows; }

protected:
    static UINT s_nFirstMdiChildId;
    static int s_nMaxWindows;
};
