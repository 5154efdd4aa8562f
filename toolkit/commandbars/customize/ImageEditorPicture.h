// One picture of the button editor: a 32-bit top-down DIB section of the picture size, with a flag
// telling whether its alpha channel counts. One colour, RGB(255, 254, 255), stands for transparent
// in pictures without alpha. The undo history of the editor keeps up to sixteen of them.
#pragma once

#include "classlib/win/AfxWin.h"

#include <deque>

class CTKPEditorPicture {
public:
    static constexpr COLORREF kTransparent = RGB(255, 254, 255);

    // A picture of the size filled with the transparent colour; null when it cannot be made.
    static CTKPEditorPicture* Create(int cx, int cy, BOOL bAlpha = FALSE);
    // A copy of the source (null: an empty picture) in a transparent picture of the size, placed at
    // the offset; pixels of the from-colour become the to-colour when the source has no alpha.
    static CTKPEditorPicture* CopyOf(const CTKPEditorPicture* pSource, int cx, int cy, CPoint ptOffset = CPoint(0, 0),
        COLORREF clrFrom = CLR_NONE, COLORREF clrTo = CLR_NONE);
    // A picture made from an icon or a 32-bit bitmap with alpha, of the image's own size; fully
    // transparent alpha pixels become the transparent colour.
    static CTKPEditorPicture* FromIcon(HICON hIcon);
    static CTKPEditorPicture* FromAlphaBitmap(HBITMAP hBitmap);
    // A picture of the size with the bitmap's top-left part copied into it (what the bitmap does not
    // cover transparent); with bAlpha a 32-bit bitmap keeps its alpha, fully transparent pixels
    // becoming the transparent colour.
    static CTKPEditorPicture* FromBitmap(HBITMAP hBitmap, int cx, int cy, BOOL bAlpha = FALSE);
    ~CTKPEditorPicture();

    int Width() const { return m_cx; }
    int Height() const { return m_cy; }
    BOOL HasAlpha() const { return m_bAlpha; }
    HBITMAP GetBitmap() const { return m_hBitmap; }
    // The colour (COLORREF) and the alpha of a pixel; transparent outside the picture.
    COLORREF GetPixel(int x, int y) const;
    BYTE GetAlpha(int x, int y) const;
    void SetPixel(int x, int y, COLORREF clr, BYTE alpha = 255);
    DWORD* Bits() const { return m_pBits; }

    // After GDI drew over a copy of the previous picture: pixels the drawing left alone keep the
    // previous alpha, drawn pixels are opaque.
    void CarryAlpha(const CTKPEditorPicture* pPrevious);
    // The picture moved by one pixel; the row or column that opens up is transparent.
    CTKPEditorPicture* Shifted(int dx, int dy) const;
    // A colour of the picture with its alpha over a background colour.
    static COLORREF BlendOver(COLORREF clrBack, COLORREF clr, int nAlpha);
    // A copy with transparent pixels in the colour given and every alpha byte 0 (no alpha channel).
    HBITMAP CreateOpaqueBitmap(COLORREF clrBackground) const;
    // The bitmap that Copy puts on the clipboard: a picture with alpha keeps its alpha bytes (the
    // clipboard then also carries the alpha marker); any other is the opaque copy above.
    HBITMAP CreateClipboardBitmap(COLORREF clrBackground) const;

private:
    CTKPEditorPicture() : m_hBitmap(NULL), m_pBits(NULL), m_cx(0), m_cy(0), m_bAlpha(FALSE) {}
    HBITMAP m_hBitmap;
    DWORD* m_pBits;
    int m_cx;
    int m_cy;
    BOOL m_bAlpha;
};

// The undo and redo lists: a change pushes the picture from before it; at most 16 are kept. An
// entry may be null (no picture, all transparent). The lists own their pictures.
class CTKPEditorHistory {
public:
    enum { maxUndo = 16 };
    ~CTKPEditorHistory() { Clear(); }
    // A change was made: the redo list is emptied and the picture from before it kept.
    void Commit(CTKPEditorPicture* pBefore);
    // The picture to show after undo (redo); the replaced current picture goes to the other list.
    CTKPEditorPicture* Undo(CTKPEditorPicture* pCurrent);
    CTKPEditorPicture* Redo(CTKPEditorPicture* pCurrent);
    BOOL CanUndo() const { return !m_undo.empty(); }
    BOOL CanRedo() const { return !m_redo.empty(); }
    int GetUndoCount() const { return (int)m_undo.size(); }
    void Clear();

private:
    std::deque<CTKPEditorPicture*> m_undo;
    std::deque<CTKPEditorPicture*> m_redo;
};
