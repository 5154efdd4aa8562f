// The off-screen bitmap the docking windows paint through. It takes the layout of the DC it is
// copied to: in a right-to-left frame the picture is mirrored as the window is, while captions and
// tab texts still read forward (a left-to-right bitmap copied into a mirrored DC comes out as its
// mirror image, text included).
#pragma once

#include "toolkit/base/BufferedDC.h"

class CTKPDockingBufferedDC : public CTKPBufferedDC {
public:
    CTKPDockingBufferedDC(HDC hDestDC, const CRect& rect) : CTKPBufferedDC(hDestDC, rect)
    {
        if (m_hDC && hDestDC)
            ::SetLayout(m_hDC, ::GetLayout(hDestDC) & LAYOUT_RTL);
    }
};
