// The windows a pane drag shows with the translucent feedback: the previews of the place (filled
// with the highlight colour) and the docking stickers, small shaped windows whose arrows choose the
// side to dock to. The sticker pictures come from the program's resources; pure green is
// transparent in them.
#pragma once

#include "toolkit/docking/DockingPaneDefs.h"

class CTKPDockingPaneDragContext;

typedef BOOL(WINAPI* TKPSetLayeredWindowAttributes)(HWND, COLORREF, BYTE, DWORD);

class CTKPDockingPanePreviewWnd : public CWnd {
public:
    // A layered top-level window owned by the owner, at alpha 100 when the entry point is known.
    BOOL CreatePreview(CWnd* pOwner, const CRect& rc, TKPSetLayeredWindowAttributes pfnSetLayered);

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};

class CTKPDockingPaneStickerWnd : public CWnd {
public:
    explicit CTKPDockingPaneStickerWnd(CTKPDockingPaneDragContext* pContext);

    // The part (tkdock::StickerPart) under a screen point, 0 for none.
    int HitTest(int x, int y);
    // Draws the parts the sticker shows, the highlighted one highlighted.
    void Draw(CDC* pDC);
    // The sticker's parts drawn on black at the sticker's size (for its shape and hit test).
    static void DrawParts(CDC* pDC, int nFlags, int nHighlighted, int nStyle, int nScheme, int nOnlyPart = 0);

    int m_nFlags;
    int m_nHighlighted;
    CTKPDockingPaneDragContext* m_pContext;

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};
