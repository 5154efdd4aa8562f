// Resource ids of the preview pane's placeholder pictures (230 x 150, 24 bits, captions drawn in;
// drawn by art/make-preview-art.sh).
#pragma once

#define IDB_PREVIEW_CORRUPT 196        // "Corrupt File"
#define IDB_PREVIEW_NOT_AVAILABLE 197  // "Preview not available for this type of file"
#define IDB_PREVIEW_SELECT_FILE 211    // "Select file for preview"
#define IDB_PREVIEW_TOO_LARGE 297      // "File too large to Preview"

// The archive list's header icons (art/make-preview-art.sh), one per column: name, folder, size,
// access time, creation time (the attributes of cabinets and RAR archives), modification time,
// attributes.
#define IDI_ARCHIVE_ACCESSED 161
#define IDI_ARCHIVE_FOLDER 162
#define IDI_ARCHIVE_NAME 163
#define IDI_ARCHIVE_SIZE 164
#define IDI_ARCHIVE_ATTRIBUTES 165
#define IDI_ARCHIVE_CREATED 166
#define IDI_ARCHIVE_MODIFIED 167

// The database tree's pictures: twelve 16 x 16 images on magenta.
#define IDB_ACCESS_TREE 181

// The empty transparent dialog laid over the browser view.
#define IDD_PREVIEW_COVER 300
