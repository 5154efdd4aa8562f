#include "toolkit/commandbars/CommandBarsTheme.h"

#include "toolkit/base/ColorManager.h"
#include "toolkit/base/DrawingHelper.h"
#include "toolkit/base/ImageManager.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/FlatBarTheme.h"
#include "toolkit/commandbars/GradientBarTheme.h"
#include "toolkit/commandbars/NativeBarTheme.h"
#include "toolkit/commandbars/SchemeGradientBarTheme.h"

#include <new>

IMPLEMENT_DYNAMIC(CTKPCommandBarsTheme, CCmdTarget)

CTKPCommandBarsTheme* CTKPCommandBarsTheme::s_pInstance = NULL;
CTKPCommandBarsTheme::MetricsSource CTKPCommandBarsTheme::s_pfnMetrics = NULL;

namespace {

// Releases the process-wide theme when the program ends.
struct ThemeReleaser {
    ~ThemeReleaser() { CTKPCommandBarsTheme::ReleaseTheme(); }
} g_themeReleaser;

}  // namespace

CTKPCommandBarsTheme::CTKPCommandBarsTheme()
    : m_clrAccentText(0), m_clrStatusText(0), m_bThickCheckMark(0), m_bShowShadow(1), m_clrShadowColor(0),
      m_bSmCaptionFollowsSystem(1), m_bIconFollowsSystem(1), m_bIconBoldFollowsSystem(1), m_nPopupItemHeight(0),
      m_bUseTahoma(0), m_bUseStandardFont(1), m_nTheme(themeDefault), m_bFadedIcons(0), m_bUseDisabledIcons(0),
      m_bIconsWithShadow(0), m_bUseFadedDisabledIcons(0), m_nAnimationSteps(10), m_nAnimationTime(100),
      m_bShowKeyboardCues(-1), m_nColorScheme(5)
{
    TKPGetImageManager()->RefreshAll();
}

CTKPCommandBarsTheme::~CTKPCommandBarsTheme()
{
    if (s_pInstance == this)
        s_pInstance = NULL;
}

CTKPCommandBarsTheme* CTKPCommandBarsTheme::CreateTheme(int nTheme)
{
    CTKPCommandBarsTheme* pTheme = NULL;
    switch (nTheme) {
    case themeGradient:
        pTheme = new (std::nothrow) CTKPGradientBarTheme;
        break;
    case themeSchemeGradient:
        pTheme = new (std::nothrow) CTKPSchemeGradientBarTheme;
        break;
    case themeFlat:
        pTheme = new (std::nothrow) CTKPFlatBarTheme;
        break;
    case themeNative:
        pTheme = new (std::nothrow) CTKPNativeBarTheme;
        break;
    default:
        pTheme = new (std::nothrow) CTKPDefaultBarTheme;
        break;
    }
    if (pTheme != NULL)
        pTheme->m_nTheme = nTheme;
    return pTheme;
}

void CTKPCommandBarsTheme::SetTheme(int nTheme)
{
    CTKPCommandBarsTheme* pTheme = CreateTheme(nTheme);
    if (pTheme == NULL)
        return;
    InstallTheme(pTheme);
    if (s_pInstance == pTheme)
        s_pInstance->m_nTheme = nTheme;
}

void CTKPCommandBarsTheme::InstallTheme(CTKPCommandBarsTheme* pTheme)
{
    // Installing the installed theme again must not free it, and a failed creation installs nothing.
    if (pTheme == NULL || pTheme == s_pInstance)
        return;
    CTKPCommandBarsTheme* pOld = s_pInstance;
    s_pInstance = pTheme;
    if (pOld != NULL)
        pOld->InternalRelease();
    pTheme->m_nTheme = themeCustom;
    pTheme->RefreshColorsAndFonts();
}

void CTKPCommandBarsTheme::ReleaseTheme()
{
    CTKPCommandBarsTheme* pOld = s_pInstance;
    s_pInstance = NULL;
    if (pOld != NULL)
        pOld->InternalRelease();
}

CTKPCommandBarsTheme* CTKPCommandBarsTheme::GetGlobalTheme()
{
    if (s_pInstance == NULL)
        SetTheme(themeDefault);
    return s_pInstance;
}

COLORREF CTKPCommandBarsTheme::GetColor(int nIndex) const
{
    if (nIndex < 0 || nIndex >= COLOR_COUNT)
        return (COLORREF)nIndex;
    return m_arrColor[nIndex].GetEffective();
}

void CTKPCommandBarsTheme::SetColors(int nCount, const UINT* pIndexes, const COLORREF* pValues)
{
    for (int i = 0; i < nCount; ++i) {
        if (pIndexes[i] < (UINT)COLOR_COUNT)
            m_arrColor[pIndexes[i]].SetStandardValue(pValues[i]);
    }
}

int CTKPCommandBarsTheme::GetCurrentColorScheme() const
{
    CTKPColorManager* pManager = GetColorManager();
    if (m_nColorScheme == 5)
        return pManager->m_bDisableScheme ? 0 : pManager->GetCurrentColorScheme();
    if (m_nColorScheme == 4)
        return pManager->GetDetectedColorScheme();
    return m_nColorScheme;
}

TKPIconOptions CTKPCommandBarsTheme::GetIconOptions() const
{
    TKPIconOptions options = {m_bFadedIcons, m_bUseDisabledIcons, m_bIconsWithShadow, m_bUseFadedDisabledIcons};
    return options;
}

void CTKPCommandBarsTheme::RefreshColorsAndFonts()
{
    RebuildFonts();
    CTKPColorManager::RefreshColorsThrottled();
    CTKPColorManager* pManager = GetColorManager();
    for (int i = 0; i < COLOR_COUNT; ++i)
        m_arrColor[i].SetStandardValue(pManager->GetColor(i));
    m_clrAccentText = 0;
    m_clrStatusText = GetColor(COLOR_BTNTEXT);
    m_grcFace.SetStandardValues(GetColor(COLOR_BTNFACE), GetColor(COLOR_BTNSHADOW), 0.5f);
}

namespace {

BOOL ReadSystemMetrics(NONCLIENTMETRICSW* pMetrics)
{
    // The record size every system knows (without the padded border of later versions).
    pMetrics->cbSize = 500;
    return ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, 500, pMetrics, 0);
}

void RecreateFont(CFont& font, const LOGFONTW& lf)
{
    font.DeleteObject();
    font.CreateFontIndirect(&lf);
}

}  // namespace

void CTKPCommandBarsTheme::RebuildFonts()
{
    // A buffer as large as the full record, filled as far as the short size says.
    union {
        NONCLIENTMETRICSW ncm;
        BYTE bytes[sizeof(NONCLIENTMETRICSW) + 16];
    } metrics;
    memset(&metrics, 0, sizeof(metrics));
    BOOL bMetrics = s_pfnMetrics != NULL ? s_pfnMetrics(&metrics.ncm) : ReadSystemMetrics(&metrics.ncm);
    if (!bMetrics) {
        // Without the system's answer the menu font falls back to the default GUI font.
        ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(LOGFONTW), &metrics.ncm.lfMenuFont);
        metrics.ncm.lfSmCaptionFont = metrics.ncm.lfMenuFont;
    }

    if (m_bUseStandardFont) {
        LOGFONTW lf;
        memset(&lf, 0, sizeof(lf));
        HDC hdcScreen = ::GetDC(NULL);
        lf.lfCharSet = (BYTE)::GetTextCharsetInfo(hdcScreen, NULL, 0);
        ::ReleaseDC(NULL, hdcScreen);
        const LONG nMenuHeight = metrics.ncm.lfMenuFont.lfHeight;
        lf.lfHeight = (nMenuHeight >= 0 || nMenuHeight < -10) ? nMenuHeight : -11;
        lf.lfWeight = metrics.ncm.lfMenuFont.lfWeight;
        lf.lfItalic = metrics.ncm.lfMenuFont.lfItalic;
        lstrcpynW(lf.lfFaceName, metrics.ncm.lfMenuFont.lfFaceName, LF_FACESIZE);
        SetCommandBarsFontIndirect(&lf, TRUE);
    }

    if (m_bSmCaptionFollowsSystem || m_fontSmCaption.GetSafeHandle() == NULL)
        RecreateFont(m_fontSmCaption, metrics.ncm.lfSmCaptionFont);
    LOGFONTW lfIcon;
    memset(&lfIcon, 0, sizeof(lfIcon));
    if (!::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(LOGFONTW), &lfIcon, 0))
        lfIcon = metrics.ncm.lfMenuFont;
    if (m_bIconFollowsSystem || m_fontIcon.GetSafeHandle() == NULL)
        RecreateFont(m_fontIcon, lfIcon);
    if (m_bIconBoldFollowsSystem || m_fontIconBold.GetSafeHandle() == NULL) {
        lfIcon.lfWeight = FW_BOLD;
        RecreateFont(m_fontIconBold, lfIcon);
    }
}

void CTKPCommandBarsTheme::SetCommandBarsFontIndirect(LOGFONTW* pLogFont, BOOL bUseStandardFont)
{
    m_bUseStandardFont = bUseStandardFont;
    m_fontRegular.DeleteObject();
    m_fontRegularBold.DeleteObject();
    m_fontVert.DeleteObject();
    m_fontVertBold.DeleteObject();
    m_fontIconBold.DeleteObject();

    LOGFONTW lf = *pLogFont;
    if (lstrcmpiW(lf.lfFaceName, L"Tahoma") == 0)
        m_bUseTahoma = TRUE;
    if (lf.lfCharSet <= 2 && bUseStandardFont && m_bUseTahoma && CTKPDrawingHelper::FontExists(L"Tahoma"))
        lstrcpynW(lf.lfFaceName, L"Tahoma", LF_FACESIZE);

    m_fontRegular.CreateFontIndirect(&lf);
    LOGFONTW lfBold = lf;
    lfBold.lfWeight = FW_BOLD;
    m_fontRegularBold.CreateFontIndirect(&lfBold);

    LOGFONTW lfVert = lf;
    lfVert.lfEscapement = 2700;
    lfVert.lfOrientation = 900;
    lstrcpynW(lfVert.lfFaceName, CTKPDrawingHelper::GetDefaultFontName(m_bUseTahoma), LF_FACESIZE);
    m_fontVert.CreateFontIndirect(&lfVert);
    lfVert.lfWeight = FW_BOLD;
    m_fontVertBold.CreateFontIndirect(&lfVert);

    HDC hdcScreen = ::GetDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hdcScreen, m_fontRegular.GetSafeHandle());
    SIZE size = {0, 0};
    ::GetTextExtentPoint32W(hdcScreen, L" ", 1, &size);
    ::SelectObject(hdcScreen, hOld);
    ::ReleaseDC(NULL, hdcScreen);
    m_nPopupItemHeight = size.cy + 6;
}

CFont* CTKPCommandBarsTheme::GetControlFont(CTKPCommandBar* pBar, BOOL bBold)
{
    const int nPosition = pBar != NULL ? pBar->GetPosition() : tkpBarTop;
    if (nPosition == tkpBarLeft || nPosition == tkpBarRight)
        return bBold ? &m_fontVertBold : &m_fontVert;
    return bBold ? &m_fontRegularBold : &m_fontRegular;
}

namespace {

CTKPCommandBarsTheme::AnimationStepFunction s_pfnAnimationStep = NULL;

}  // namespace

void CTKPCommandBarsTheme::SetAnimationStepFunction(AnimationStepFunction pfn)
{
    s_pfnAnimationStep = pfn;
}

void CTKPCommandBarsTheme::AnimationSleep(DWORD dwMilliseconds)
{
    if (s_pfnAnimationStep != NULL)
        s_pfnAnimationStep(dwMilliseconds);
    else if (dwMilliseconds > 0)
        ::Sleep(dwMilliseconds);
}
