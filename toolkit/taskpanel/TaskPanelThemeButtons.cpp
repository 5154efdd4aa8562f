// The pictures of the caption buttons: the visual style's shell bitmaps, or expand icons recoloured
// from the toolkit's own bitmaps to the caption text colour.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "classlib/win/CImageList.h"
#include "toolkit/base/Dib32.h"
#include "toolkit/base/ImageManager.h"
#include "toolkit/base/ResourceManager.h"
#include "toolkit/base/UxThemeWrapper.h"
#include "toolkit/taskpanel/TaskPanelTheme.h"

namespace {

// Toolkit bitmaps of the expand icons.
const UINT kExpandBitmapNormal = 9197;
const UINT kExpandBitmapSpecial = 9198;

struct Hsl {
    double h, s, l;
};

Hsl ToHsl(COLORREF clr)
{
    const double r = GetRValue(clr) / 255.0, g = GetGValue(clr) / 255.0, b = GetBValue(clr) / 255.0;
    const double mx = std::max(r, std::max(g, b)), mn = std::min(r, std::min(g, b));
    Hsl hsl = {0, 0, (mx + mn) / 2};
    const double d = mx - mn;
    if (d <= 0)
        return hsl;
    hsl.s = hsl.l > 0.5 ? d / (2 - mx - mn) : d / (mx + mn);
    if (mx == r)
        hsl.h = (g - b) / d + (g < b ? 6 : 0);
    else if (mx == g)
        hsl.h = (b - r) / d + 2;
    else
        hsl.h = (r - g) / d + 4;
    hsl.h /= 6;
    return hsl;
}

double HueToChannel(double p, double q, double t)
{
    if (t < 0)
        t += 1;
    if (t > 1)
        t -= 1;
    if (t < 1.0 / 6)
        return p + (q - p) * 6 * t;
    if (t < 0.5)
        return q;
    if (t < 2.0 / 3)
        return p + (q - p) * (2.0 / 3 - t) * 6;
    return p;
}

COLORREF FromHsl(const Hsl& hsl)
{
    if (hsl.s <= 0) {
        const int v = (int)std::lround(hsl.l * 255);
        return RGB(v, v, v);
    }
    const double q = hsl.l < 0.5 ? hsl.l * (1 + hsl.s) : hsl.l + hsl.s - hsl.l * hsl.s;
    const double p = 2 * hsl.l - q;
    return RGB((int)std::lround(HueToChannel(p, q, hsl.h + 1.0 / 3) * 255),
        (int)std::lround(HueToChannel(p, q, hsl.h) * 255), (int)std::lround(HueToChannel(p, q, hsl.h - 1.0 / 3) * 255));
}

// The bitmap's pixels recoloured to the hue and saturation of the colour, keeping their lightness;
// pixels of the key colour (the top-left one) become pure green, the mask colour of the image list.
HICON CreateRecolouredIcon(UINT nBitmapID, COLORREF clrText)
{
    CBitmap bmp;
    if (!GetResourceManager()->LoadBitmap(&bmp, nBitmapID))
        return NULL;
    int cx = 0, cy = 0;
    BYTE* pBits = CTKPImageManager::ReadBitmapBits32((HBITMAP)bmp.GetSafeHandle(), &cx, &cy);
    if (pBits == NULL || cx <= 0 || cy <= 0) {
        delete[] pBits;
        return NULL;
    }
    const Hsl text = ToHsl(clrText);
    DWORD* pPixels = reinterpret_cast<DWORD*>(pBits);
    // Bottom-up rows: the top-left pixel is the first of the last row.
    const DWORD dwKey = pPixels[(cy - 1) * cx] & 0xFFFFFF;
    void* pDibBits = NULL;
    HBITMAP hDib = TKPCreateDib32(cx, cy, &pDibBits);
    if (hDib == NULL) {
        delete[] pBits;
        return NULL;
    }
    DWORD* pOut = static_cast<DWORD*>(pDibBits);
    // Both bitmaps have their rows bottom-up.
    for (int i = 0; i < cx * cy; ++i) {
        {
            const DWORD px = pPixels[i] & 0xFFFFFF;
            DWORD out;
            if (px == dwKey) {
                out = 0x00FF00;
            } else {
                const COLORREF clr = RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF);
                Hsl hsl = ToHsl(clr);
                hsl.h = text.h;
                hsl.s = text.s;
                // The chevrons are drawn in the text colour over the picture: under a light text the
                // picture darkens, and under a dark text its lightest pixels keep a hint of the colour.
                if (text.l > 0.5)
                    hsl.l *= 0.55;
                else if (hsl.l > 0.9)
                    hsl.l = 0.9 + (hsl.l - 0.9) / 2;
                const COLORREF c = FromHsl(hsl);
                out = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
                if (out == 0x00FF00)
                    out = 0x00FE00;
            }
            pOut[i] = out;
        }
    }
    delete[] pBits;
    HICON hIcon = NULL;
    CImageList il;
    if (il.Create(cx, cy, ILC_COLOR24 | ILC_MASK, 1, 0)) {
        CBitmap bmpColour;
        bmpColour.Attach(hDib);
        if (il.Add(&bmpColour, RGB(0, 255, 0)) >= 0)
            hIcon = il.ExtractIcon(0);
        bmpColour.DeleteObject();
    } else {
        ::DeleteObject(hDib);
    }
    return hIcon;
}

}  // namespace

void CTKPTaskPanelTheme::FreeCaptionButtonImages()
{
    for (HBITMAP& hBitmap : m_hShellBitmaps) {
        if (hBitmap)
            ::DeleteObject(hBitmap);
        hBitmap = NULL;
    }
    m_bShellBitmaps = FALSE;
    if (m_hExpandIconNormal)
        ::DestroyIcon(m_hExpandIconNormal);
    if (m_hExpandIconSpecial)
        ::DestroyIcon(m_hExpandIconSpecial);
    m_hExpandIconNormal = m_hExpandIconSpecial = NULL;
}

void CTKPTaskPanelTheme::LoadShellBitmaps()
{
    FreeCaptionButtonImages();
    const int nScheme = GetCurrentScheme();
    if (nScheme != 0) {
        WCHAR szFile[MAX_PATH] = {}, szColor[MAX_PATH] = {};
        CTKPUxThemeWrapper theme;
        CString strFolder;
        if (SUCCEEDED(theme.GetCurrentThemeName(szFile, MAX_PATH, szColor, MAX_PATH, NULL, 0))) {
            CString strFile(szFile);
            CString strLower(strFile);
            strLower.MakeLower();
            if (strLower.Find(_T("luna.msstyles")) >= 0)
                strFolder = strFile.Left(strFile.ReverseFind(_T('\\')) + 1);
        }
        if (strFolder.IsEmpty()) {
            WCHAR szWindows[MAX_PATH] = {};
            ::GetWindowsDirectoryW(szWindows, MAX_PATH);
            strFolder = CString(szWindows) + _T("\\Resources\\Themes\\Luna\\");
        }
        const LPCTSTR lpszColor = nScheme == 2 ? _T("Homestead") : nScheme == 3 ? _T("Metallic") : _T("NormalColor");
        const CString strLibrary = strFolder + _T("shell\\") + lpszColor + _T("\\shellstyle.dll");
        HMODULE hLibrary = ::LoadLibraryExW(strLibrary, NULL, LOAD_LIBRARY_AS_DATAFILE);
        if (hLibrary) {
            BOOL bAll = TRUE;
            for (int i = 0; i < 8 && bAll; ++i) {
                HBITMAP hBitmap =
                    (HBITMAP)::LoadImageW(hLibrary, MAKEINTRESOURCEW(100 + i), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
                if (hBitmap == NULL) {
                    bAll = FALSE;
                    break;
                }
                BITMAP bm = {};
                ::GetObject(hBitmap, sizeof(bm), &bm);
                if (bm.bmBitsPixel == 32) {
                    HBITMAP hPremultiplied = CTKPImageManager::CreatePremultipliedBitmap(hBitmap);
                    ::DeleteObject(hBitmap);
                    hBitmap = hPremultiplied;
                }
                m_hShellBitmaps[i] = hBitmap;
                bAll = hBitmap != NULL;
            }
            ::FreeLibrary(hLibrary);
            m_bShellBitmaps = bAll;
            if (!bAll) {
                for (HBITMAP& hBitmap : m_hShellBitmaps) {
                    if (hBitmap)
                        ::DeleteObject(hBitmap);
                    hBitmap = NULL;
                }
            }
        }
    }
    if (!m_bShellBitmaps)
        CreateExpandIcons();
}

void CTKPTaskPanelTheme::CreateExpandIcons()
{
    m_hExpandIconNormal = CreateRecolouredIcon(kExpandBitmapNormal, m_groupNormal.clrHeadTextNormal);
    m_hExpandIconSpecial = CreateRecolouredIcon(kExpandBitmapSpecial, m_groupSpecial.clrHeadTextNormal);
}
