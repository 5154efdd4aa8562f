// Which viewer shows a file: the 68 previewable extensions and the dispatch rows of the pane.
#pragma once

#include "classlib/core/CString.h"

// 1 when the extension (lower case, with its dot) is one of the previewable ones, else 0. Exact
// comparison: ".JPG" answers 0. The path does not count.
int IsPreviewableExtension(CString strPath, CString strExtension);

// The senders of the pane, one per dispatch row.
enum PreviewSender {
  kSendNone,
  kSendImage,
  kSendIcon,
  kSendHtml,
  kSendCustomHtml,
  kSendDocument,
  kSendArchive,
  kSendPsd,
  kSendAvi,
  kSendMedia,
  kSendPowerPoint,
  kSendDbf,
  kSendAccess,
  kSendSourceText,   // ".c" ".cpp" ".h" ".hpp": the document view as plain text
  kSendPlainText,    // ".txt" ".ini" ".xml": the same
  kSendDxf,
  kSendLargeFile,
};

// The sender of the first row that holds the extension; kSendNone when no row does.
PreviewSender PreviewSenderOf(const CString& strExtension);
