// The windows a pane drag shows with the translucent feedback: the previews of the place (filled
// with the highlight colour) and the docking stickers, small shaped windows whose arrows choose the
// side to dock to. The sticker pictures come from the program's resources, loaded once per sticker;
// pure green is transparent in them.
#pragma once

#include "toolkit/common/DockGeometry.h"
#include "toolkit/docking/DockingPaneDefs.h"

#include <map>
#include <memory>

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
    ~CTKPDockingPaneStickerWnd() override;

    // The part (tkdock::StickerPart) under a screen point, 0 for none.
    int HitTest(int x, int y);
    // Draws the parts the sticker shows, the highlighted one highlighted.
    void Draw(CDC* pDC);
    // The sticker's parts (m_nFlags) drawn on black at the sticker's size (for its shape and hit
    // test), or only one part of them.
    void DrawParts(CDC* pDC, int nHighlighted, int nOnlyPart = 0);

    int m_nFlags;
    int m_nHighlighted;
    CTKPDockingPaneDragContext* m_pContext;

protected:
    // The picture of a resource id, loaded on first use and kept while the sticker lives.
    CBitmap* GetPicture(UINT nIDResource);
    void DrawRecord(CDC* pDC, const tkdock::StickerDrawStep& step, int nStyle, int nScheme);

    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

    std::map<UINT, std::unique_ptr<CBitmap>> m_pictures;
    CBitmap m_bmpHitTest;  // the canvas hit tests draw the parts on, made on the first one
};
