// The recent-file list of a menu: a placeholder that lists the application's recent files as
// numbered buttons with the commands 57616 and up; it shows itself disabled while the list is empty.
#pragma once

#include "toolkit/commandbars/ControlPlaceholder.h"

class CRecentFileList;

class CTKPControlRecentFileList : public CTKPControlPlaceholder {
    DECLARE_SERIAL(CTKPControlRecentFileList)
public:
    CTKPControlRecentFileList();

    void OnCalcDynamicSize(DWORD dwMode) override;

    // The application's recent-file list, or null.
    virtual CRecentFileList* GetRecentFileList();
    // The command of the first entry.
    virtual int GetFirstMruCommand() { return 57616; }
};
