#include "toolkit/commandbars/KeyCharMatch.h"

namespace {

WCHAR UpperCase(WCHAR ch)
{
    return static_cast<WCHAR>(reinterpret_cast<UINT_PTR>(::CharUpperW(reinterpret_cast<LPWSTR>(UINT_PTR(ch)))));
}

}  // namespace

WCHAR TKPTranslateKey(UINT nKey, HKL hLayout)
{
    const BYTE noModifiers[256] = {};
    const UINT nNoStateChange = 0x4;
    WCHAR szChar[4] = {};
    const int nResult = ::ToUnicodeEx(nKey, 0, noModifiers, szChar, 4, nNoStateChange, hLayout);
    if (nResult < 0) {
        // A dead key: a second stroke takes it out of the keyboard state where the flag is not known.
        ::ToUnicodeEx(nKey, 0, noModifiers, szChar, 4, nNoStateChange, hLayout);
        return 0;
    }
    return nResult == 1 ? szChar[0] : 0;
}

BOOL TKPKeyTypesChar(WCHAR ch, UINT nKey, HKL hCurrent, const HKL* pLayouts, int nLayouts,
    TKPKeyTranslator pfnTranslate)
{
    if (ch == 0 || pfnTranslate == NULL)
        return FALSE;
    const WCHAR chUpper = UpperCase(ch);
    auto types = [&](HKL hLayout) {
        const WCHAR chTyped = pfnTranslate(nKey, hLayout);
        return chTyped != 0 && UpperCase(chTyped) == chUpper;
    };
    if (hCurrent != NULL && types(hCurrent))
        return TRUE;
    if (((nKey >= '0' && nKey <= '9') || (nKey >= 'A' && nKey <= 'Z')) && (UINT)chUpper == nKey)
        return TRUE;
    for (int i = 0; i < nLayouts; ++i) {
        if (pLayouts[i] != hCurrent && types(pLayouts[i]))
            return TRUE;
    }
    return FALSE;
}
