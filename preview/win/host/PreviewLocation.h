// The location of the selected item inside the scanned volume ("\" and the folder names and the
// item's name), built by the result list when an item is selected and drawn in the pane's header.
#pragma once

#include "classlib/core/CString.h"

extern CString g_strPreviewLocation;
