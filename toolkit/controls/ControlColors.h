// The colour-manager entries and gradients the themed controls draw with, by the role they play
// there. Values are indexes of the colour manager's table (1 to 27 the system colours).
#pragma once

#include "toolkit/base/ColorManager.h"

namespace tkcolor {
enum Role : std::uint32_t {
    Window = 5,           // COLOR_WINDOW
    WindowText = 8,       // COLOR_WINDOWTEXT
    Highlight = 13,       // COLOR_HIGHLIGHT
    Face = 15,            // COLOR_BTNFACE
    Shadow = 16,          // COLOR_BTNSHADOW
    GrayText = 17,        // COLOR_GRAYTEXT
    ButtonText = 18,      // COLOR_BTNTEXT
    Hilite = 20,          // COLOR_BTNHIGHLIGHT
    DarkShadow = 21,      // COLOR_3DDKSHADOW
    AltFace = 30,         // the lighter face of flat buttons
    HotFill = 31,         // the face under the cursor
    HotBorder = 32,       // the frame of a hot or pressed flat control
    PressedFill = 33,     // the face of a pressed flat control
    CheckedFill = 36,     // the face of a checked flat button
    HotText = 45,         // text under the cursor
    FlatText = 46,        // text of flat buttons
    PressedText = 47,     // text of a pressed flat button
    DisabledFill = 51,    // the face of a disabled flat field
    DisabledBorder = 52,  // the frame of a disabled flat field
    CaptionFrame = 54,    // the frame of the gradient caption
};

enum Gradient {
    CaptionButtonBand = 0,  // caption in caption-button mode
    CaptionBand = 3,        // caption with a close button
    IdleButton = 6,         // an idle drop button
    CheckedButton = 7,
    PressedButton = 8,
    HotButton = 9,
};

inline COLORREF Get(Role role)
{
    return GetColorManager()->GetColor(role);
}
inline COLORREF GetScheme(Role role)
{
    return GetColorManager()->GetSchemeColor(role);
}
inline const CTKPColorGradient& GetGradient(Gradient gradient)
{
    return GetColorManager()->m_gradients[gradient];
}
}  // namespace tkcolor
