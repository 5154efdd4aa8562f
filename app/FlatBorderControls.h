// The main frame's flat-bordered static and edit: both draw in the toolkit's default font and, in
// place of the system's sunken edge, a one-pixel frame in the toolkit's border colour. One window
// procedure serves both.
#pragma once

#include <functional>

#include "classlib/win/AfxWin.h"

// The toolkit colour of the frame line.
constexpr unsigned kFlatBorderColourIndex = 52;

// The flat border's handling of a message for `window`; `base` runs the control's own handling.
// WM_CREATE: the toolkit's default font (the stock GUI font when it has none); WM_NCCALCSIZE: the
// client area one pixel in from every side; WM_NCPAINT: the one-pixel frame around the window.
LRESULT FlatBorderWindowProc(CWnd& window, UINT message, WPARAM wParam, LPARAM lParam,
    const std::function<LRESULT()>& base);

template <class Control>
class CFlatBorderControl : public Control {
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        return FlatBorderWindowProc(*this, message, wParam, lParam,
            [&] { return Control::WindowProc(message, wParam, lParam); });
    }
};

using CFlatBorderStatic = CFlatBorderControl<CStatic>;
using CFlatBorderEdit = CFlatBorderControl<CEdit>;
