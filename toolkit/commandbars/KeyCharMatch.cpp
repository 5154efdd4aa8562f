#include "toolkit/commandbars/KeyCharMatch.h"

namespace {

WCHAR UpperCase(WCHAR ch)
{
    return static_cast<WCHAR>(reinterpret_cast<UINT_PTR>(::CharUpperW(reinterpret_cast<LPWSTR>(UINT_PTR(ch)))));
}

}  // namespace

WCHAR TKPTranslateKey(UINT nKey, HKL hLayout)
{
    // An empty keyboard state, not the thread's: a mnemonic is the character its key types by
    // itself, and the thread's state may hold a Shift pressed with Alt+key, under which a layout
    // answers the shifted character instead (the French key of "é" then gives "2").
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
    // The layout in use is asked even when it is the only one: with a single layout of another
    // script ("&Файл" on a Russian keyboard) no mnemonic of its captions would answer its key.
    if (hCurrent != NULL && types(hCurrent))
        return TRUE;
    // A key code is its character only for the digit and letter keys: the numeric pad's codes
    // (0x60-0x6F) equal "`" and "a" to "o", so Num 1 would pick "&About".
    if (((nKey >= '0' && nKey <= '9') || (nKey >= 'A' && nKey <= 'Z')) && (UINT)chUpper == nKey)
        return TRUE;
    for (int i = 0; i < nLayouts; ++i) {
        if (pLayouts[i] != hCurrent && types(pLayouts[i]))
            return TRUE;
    }
    return FALSE;
}
