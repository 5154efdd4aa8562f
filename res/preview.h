// Resource ids of the preview pane's placeholder pictures (230 x 150, 24 bits, captions drawn in;
// drawn by art/make-preview-art.sh).
#pragma once

#define IDB_PREVIEW_CORRUPT 196        // "Corrupt File"
#define IDB_PREVIEW_NOT_AVAILABLE 197  // "Preview not available for this type of file"
#define IDB_PREVIEW_SELECT_FILE 211    // "Select file for preview"
#define IDB_PREVIEW_TOO_LARGE 297      // "File too large to Preview"
