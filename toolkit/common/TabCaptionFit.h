// Fitting a tab caption into a width by cutting out its middle: "Long capt...name" keeps both ends
// of the text readable. The measuring is handed in, so the rule runs without a device context.
#pragma once

#include "classlib/core/CString.h"

#include <functional>

namespace tktab {

// Width of a text in the font it will be drawn in.
typedef std::function<int(const CString&)> TextMeasure;

// The text to draw in `available` pixels: the caption itself when it fits, "..." alone when not even
// that fits, otherwise the caption's head, "..." and its tail, as long as they fit together.
CString FitCaptionMiddle(const CString& caption, int available, const TextMeasure& measure);

// Captions holding a backslash are paths; they are left to the system's path ellipsis.
inline bool IsPathCaption(const CString& caption)
{
    return caption.Find(L'\\') >= 0;
}

}  // namespace tktab
