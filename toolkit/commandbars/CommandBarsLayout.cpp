// The command-bar layout in the profile ("<profile>-Bar%d", "-Summary", "-DockBar%d"). The bodies
// come with the layout persistence of the command bars; until then nothing is stored.
#include "toolkit/commandbars/CommandBars.h"

void CTKPCommandBars::SaveLayout(LPCTSTR lpszProfileName, BOOL bOnlyCustomized) {}

void CTKPCommandBars::LoadLayout(LPCTSTR lpszProfileName, BOOL bSilent) {}
