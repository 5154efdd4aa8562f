#include "toolkit/commandbars/ShadowPixels.h"

namespace {

// Corner rule: i and j count 1..4 from the outer corner inwards.
int CornerAlpha(int i, int j, int k)
{
    return 3 * k * i * j;
}

}  // namespace

BYTE TKPShadowAlpha(BOOL bBottom, int x, int y, int cx, int cy, int nStrength)
{
    const int k = nStrength;
    const int d = TKP_SHADOW_LAYERED_SIZE;
    int nAlpha;
    if (!bBottom) {
        // x is the distance from the popup; the top d rows fade in.
        if (y < d)
            nAlpha = CornerAlpha(y + 1, d - x, k);
        else
            nAlpha = (d - x) * 15 * k;
    } else {
        // y is the distance from the popup; both ends fade out.
        if (x < d)
            nAlpha = CornerAlpha(x + 1, d - y, k);
        else if (x >= cx - d)
            nAlpha = CornerAlpha(cx - x, d - y, k);
        else
            nAlpha = (d - y) * 15 * k;
    }
    if (nAlpha < 0)
        nAlpha = 0;
    if (nAlpha > 255)
        nAlpha = 255;
    return static_cast<BYTE>(nAlpha);
}

void TKPBuildShadowPixels(DWORD* pBits, int cx, int cy, BOOL bBottom, COLORREF clrShadow, int nStrength)
{
    const int r = GetRValue(clrShadow), g = GetGValue(clrShadow), b = GetBValue(clrShadow);
    for (int y = 0; y < cy; y++) {
        for (int x = 0; x < cx; x++) {
            const int a = TKPShadowAlpha(bBottom, x, y, cx, cy, nStrength);
            // Layered windows blend premultiplied colours: each channel scaled by the alpha.
            const DWORD pixel = static_cast<DWORD>(a) << 24 | static_cast<DWORD>(r * a / 255) << 16 |
                static_cast<DWORD>(g * a / 255) << 8 | static_cast<DWORD>(b * a / 255);
            pBits[y * cx + x] = pixel;
        }
    }
}
