// The tab-group actions of a menu: a placeholder that, in a frame whose MDI client shows tab
// groups, offers the moves of the active child's tab that are possible now (new horizontal or
// vertical group, previous or next group).
#pragma once

#include "toolkit/commandbars/ControlPlaceholder.h"

class CTKPControlWorkspaceActions : public CTKPControlPlaceholder {
    DECLARE_SERIAL(CTKPControlWorkspaceActions)
public:
    CTKPControlWorkspaceActions();

    void OnCalcDynamicSize(DWORD dwMode) override;
};
