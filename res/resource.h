// Resource ids of the program.
#pragma once

#include "messages.h"  // the message dialogs

#define IDR_MAINFRAME 128        // menu, icon, accelerators and document string of the main frame
#define IDP_OLE_INIT_FAILED 100  // shown when OLE cannot be started

#include "controls.h"  // pointers and pictures of the program's own controls
#include "wizard.h"    // the main frame, the pages and the wizard's dialogs
#include "results.h"   // the results page, the file-system page and their dialogs
