// Whether the file a viewer hands to an outside component (the browser control, the media player)
// can be read at all: those components show their own page for a file they cannot open, so the
// viewer asks first and reports the failure itself.
#pragma once

#include <windows.h>

bool PreviewFileReadable(LPCWSTR path);

// Deletes a file of the preview's own (a slide picture, a preview copy), trying once more when the
// first attempt fails: a component that showed the file may still hold it for a moment.
BOOL DeletePreviewFile(LPCWSTR path);

// Tests put a fake in place of the platform's DeleteFileW; NULL puts the platform's back.
typedef BOOL(WINAPI* PreviewFileDeleter)(LPCWSTR);
void SetPreviewFileDeleter(PreviewFileDeleter deleter);
