#include "toolkit/docking/DockingPaneStickerWnd.h"

#include "toolkit/base/BufferedDC.h"
#include "toolkit/base/ResourceManager.h"
#include "toolkit/common/DockGeometry.h"
#include "toolkit/docking/DockingPaneDragContext.h"

BEGIN_MESSAGE_MAP(CTKPDockingPanePreviewWnd, CWnd)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
END_MESSAGE_MAP()

BOOL CTKPDockingPanePreviewWnd::CreatePreview(CWnd* pOwner, const CRect& rc, TKPSetLayeredWindowAttributes pfnSetLayered)
{
    LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW));
    if (!CreateEx(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST, lpszClass, L"", WS_POPUP, rc.left, rc.top,
            rc.Width(), rc.Height(), pOwner ? pOwner->GetSafeHwnd() : NULL, NULL))
        return FALSE;
    if (pfnSetLayered)
        pfnSetLayered(m_hWnd, 0, 100, LWA_ALPHA);
    return TRUE;
}

BOOL CTKPDockingPanePreviewWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CTKPDockingPanePreviewWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(rc, ::GetSysColor(COLOR_HIGHLIGHT));
}

BEGIN_MESSAGE_MAP(CTKPDockingPaneStickerWnd, CWnd)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
END_MESSAGE_MAP()

CTKPDockingPaneStickerWnd::CTKPDockingPaneStickerWnd(CTKPDockingPaneDragContext* pContext)
    : m_nFlags(0), m_nHighlighted(0), m_pContext(pContext)
{
}

namespace {

UINT PictureId(int nPicture, int nStyle, int nScheme)
{
    if (nPicture == 1)
        return TKP_IDB_STICKER_CENTRE;
    if (nStyle == 1)
        return TKP_IDB_STICKER_ROUND;
    return nScheme == 2 ? TKP_IDB_STICKER_OLIVE : nScheme == 3 ? TKP_IDB_STICKER_SILVER : TKP_IDB_STICKER_BLUE;
}

// Copies a record's source rectangle of a picture to a point, pure green left out.
void DrawRecord(CDC* pDC, const tkdock::StickerDrawStep& step, int nStyle, int nScheme, BOOL bCentre)
{
    const tkdock::StickerRecord& record =
        nStyle == 1 ? tkdock::RoundStickerRecord(step.record) : tkdock::ClassicStickerRecord(step.record);
    CBitmap bitmap;
    if (!GetResourceManager()->LoadBitmap(&bitmap, PictureId(step.picture, nStyle, nScheme)))
        return;
    CDC dcImage;
    dcImage.CreateCompatibleDC(pDC);
    CBitmap* pOld = dcImage.SelectObject(&bitmap);
    const int x = step.atOffset && bCentre ? record.x : 0;
    const int y = step.atOffset && bCentre ? record.y : 0;
    ::TransparentBlt(pDC->GetSafeHdc(), x, y, record.source.Width(), record.source.Height(), dcImage.GetSafeHdc(),
        record.source.left, record.source.top, record.source.Width(), record.source.Height(), RGB(0, 255, 0));
    dcImage.SelectObject(pOld);
}

}  // namespace

void CTKPDockingPaneStickerWnd::DrawParts(
    CDC* pDC, int nFlags, int nHighlighted, int nStyle, int nScheme, int nOnlyPart)
{
    const BOOL bCentre = (nFlags & tkdock::partCentreSticker) != 0;
    if (nOnlyPart) {
        DrawRecord(pDC, tkdock::StickerHitStep(nOnlyPart, bCentre != FALSE, nStyle), nStyle, nScheme, bCentre);
        return;
    }
    for (const tkdock::StickerDrawStep& step : tkdock::StickerDrawSteps(nFlags, nHighlighted, nStyle))
        DrawRecord(pDC, step, nStyle, nScheme, bCentre);
}

void CTKPDockingPaneStickerWnd::Draw(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    pDC->FillSolidRect(rc, RGB(0, 0, 0));
    DrawParts(pDC, m_nFlags, m_nHighlighted, m_pContext->GetStickerStyle(), m_pContext->GetStickerScheme());
}

int CTKPDockingPaneStickerWnd::HitTest(int x, int y)
{
    CPoint pt(x, y);
    ScreenToClient(&pt);
    CRect rc;
    GetClientRect(&rc);
    if (!rc.PtInRect(pt))
        return 0;
    CClientDC dcScreen(NULL);
    CDC dc;
    dc.CreateCompatibleDC(&dcScreen);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dcScreen, rc.Width(), rc.Height());
    CBitmap* pOld = dc.SelectObject(&bitmap);
    dc.FillSolidRect(rc, RGB(0, 0, 0));
    static const int kOrder[5] = {tkdock::partTop, tkdock::partLeft, tkdock::partBottom, tkdock::partRight,
        tkdock::partCentre};
    int nResult = 0;
    for (int nPart : kOrder) {
        if (!(m_nFlags & nPart))
            continue;
        DrawParts(&dc, m_nFlags, 0, m_pContext->GetStickerStyle(), m_pContext->GetStickerScheme(), nPart);
        if ((dc.GetPixel(pt) & 0xFFFFFF) != 0) {
            nResult = nPart;
            break;
        }
    }
    dc.SelectObject(pOld);
    return nResult;
}

BOOL CTKPDockingPaneStickerWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CTKPDockingPaneStickerWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    CTKPBufferedDC buffer(dc.GetSafeHdc(), rc);
    Draw(&buffer);
}
