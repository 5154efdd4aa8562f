// The pane's header band: "Preview:" and the selected item's location in the look of the installed
// command-bar theme, above a strip of the pane's blue.
#pragma once

#include "classlib/win/AfxWin.h"

// The installed command-bar theme as the band needs it: its kind (4 the scheme gradient, which the
// program's own theme derives from, 3 native, 2 gradient). A theme's kind stays what it is when it
// is installed as a custom theme, while its number then becomes 5.
struct PreviewBandTheme {
    int kind = 0;
};

// Where the band learns the theme. The default asks the installed command-bar theme, and installs
// the default theme 0 when none is installed yet; tests may put another source in place.
typedef PreviewBandTheme (*PreviewBandThemeSource)();
void SetPreviewBandThemeSource(PreviewBandThemeSource source);
PreviewBandTheme GetPreviewBandTheme();

constexpr int kPreviewBandHeight = 50;
constexpr int kPreviewViewerTop = 35;
constexpr COLORREF kPreviewPaneBlue = RGB(29, 117, 189);

// Paints the whole pane: its background, the band with the caption and the location, and the
// blue below the band.
void DrawPreviewHeaderBand(CDC* pDC, const CRect& client, const CString& strCaption, const CString& strLocation);
