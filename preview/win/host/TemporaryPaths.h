// The places in the user's temporary folder where previews put what they make: the slide pictures
// of a presentation (the folder "ssss": the program runs once at a time) and the RTF of a Word
// document. Both are empty when the temporary folder cannot be told (a path too long for the
// platform's buffers): a preview then makes nothing rather than writing beside the current directory.
#pragma once

#include "classlib/win/AfxWin.h"

// The folder the slides are exported into; the same folder the clean-up on Back and at exit
// empties.
CString AFXAPI PreviewSlideFolder();

// The file a Word document is converted into.
CString AFXAPI WordConversionFile();
