// Whether a key types a mnemonic character: on the keyboard layout in use first, then on the other
// installed layouts, so that "&File" and a caption in another script both answer their keys.
#pragma once

#include <windows.h>

// The character a key types on a layout without Shift, or 0 when it types none.
typedef WCHAR (*TKPKeyTranslator)(UINT nKey, HKL hLayout);

// The system's translation (a dead key types nothing by itself: 0).
WCHAR TKPTranslateKey(UINT nKey, HKL hLayout);

// TRUE when nKey types ch in either case: through hCurrent's translation, as a letter or digit key
// whose code is the character itself, or through another layout of the list.
BOOL TKPKeyTypesChar(WCHAR ch, UINT nKey, HKL hCurrent, const HKL* pLayouts, int nLayouts,
    TKPKeyTranslator pfnTranslate);
