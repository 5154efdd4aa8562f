// Small helpers of the pages and their information panes: fonts, labels and the progress bar.
#pragma once

#include <initializer_list>

#include "classlib/win/AfxWin.h"
#include "ui/controls/win/GradientProgressCtrl.h"

namespace wizard {

// The caption colour of the pages (COLORREF 0xBD751D).
constexpr COLORREF kCaptionColour = 0xBD751D;
constexpr COLORREF kPaneBackground = RGB(255, 255, 255);

// An "Arial" font of a pixel height and weight.
void MakeArialFont(CFont& font, int height, int weight);
// A visible static text child with a font.
BOOL MakeLabel(CStatic& label, LPCWSTR text, UINT id, CWnd* parent, CFont* font, DWORD style = SS_LEFT);
// The panes' progress bar: range 0 to 100, its percentage written over it in the given font,
// colours of the pages. Created hidden and disabled.
BOOL MakeProgressBar(morvick::ui::CGradientProgressCtrl& bar, UINT id, CWnd* parent, CFont* font, COLORREF background);
// Shows and enables, or hides and disables.
void ShowEnabled(CWnd& window, BOOL show);
// Moves a window when it exists.
void Place(CWnd& window, int x, int y, int width, int height);
// The room a text takes drawn in a font on a window's DC, as a static control draws it: tabs
// expanded, each of its lines on a line of its own. Fonts differ from machine to machine, so labels
// are sized by this rather than by fixed widths.
CSize TextExtent(CWnd& window, CFont* font, LPCWSTR text);
// The height a text takes wrapped at its words within a width, as a static control wraps it.
int WrappedTextHeight(CWnd& window, CFont* font, LPCWSTR text, int width);
// The widest of the texts (null and empty ones count 0), at least `minimum`.
int WidestText(CWnd& window, CFont* font, std::initializer_list<LPCWSTR> texts, int minimum = 0);

}  // namespace wizard
