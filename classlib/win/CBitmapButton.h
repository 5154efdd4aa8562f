// CBitmapButton: an owner-drawn button shown by up to four bitmaps: normal, selected (pressed),
// focused and disabled. Missing optional bitmaps fall back to the normal one.
#pragma once

#include "classlib/win/CBitmap.h"
#include "classlib/win/CButton.h"

class CBitmapButton : public CButton {
    DECLARE_DYNAMIC(CBitmapButton)
public:
    CBitmapButton() {}

    // FALSE when the normal bitmap does not load or an optional one that was named does not.
    BOOL LoadBitmaps(LPCTSTR lpszBitmapResource, LPCTSTR lpszBitmapResourceSel = nullptr,
                     LPCTSTR lpszBitmapResourceFocus = nullptr, LPCTSTR lpszBitmapResourceDisabled = nullptr);
    BOOL LoadBitmaps(UINT nIDBitmapResource, UINT nIDBitmapResourceSel = 0, UINT nIDBitmapResourceFocus = 0,
                     UINT nIDBitmapResourceDisabled = 0);
    // Makes the window as large as the normal bitmap.
    void SizeToContent();

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;

protected:
    CBitmap m_bitmap;
    CBitmap m_bitmapSel;
    CBitmap m_bitmapFocus;
    CBitmap m_bitmapDisabled;
};
