// Whether the file a viewer hands to an outside component (the browser control, the media player)
// can be read at all: those components show their own page for a file they cannot open, so the
// viewer asks first and reports the failure itself.
#pragma once

#include <windows.h>

bool PreviewFileReadable(LPCWSTR path);
