#include "toolkit/docking/DockingPaneStickerWnd.h"

#include "toolkit/base/ResourceManager.h"
#include "toolkit/base/BufferedDC.h"
#include "toolkit/docking/DockingPaneDragContext.h"

BEGIN_MESSAGE_MAP(CTKPDockingPanePreviewWnd, CWnd)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
END_MESSAGE_MAP()

BOOL CTKPDockingPanePreviewWnd::CreatePreview(CWnd* pOwner, const CRect& rc,
    TKPSetLayeredWindowAttributes pfnSetLayered)
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
{}

CTKPDockingPaneStickerWnd::~CTKPDockingPaneStickerWnd() {}

namespace {

UINT PictureId(int nPicture, int nStyle, int nScheme)
{
    if (nPicture == 1)
        return TKP_IDB_STICKER_CENTRE;
    if (nStyle == 1)
        return TKP_IDB_STICKER_ROUND;
    return nScheme == 2 ? TKP_IDB_STICKER_OLIVE : nScheme == 3 ? TKP_IDB_STICKER_SILVER : TKP_IDB_STICKER_BLUE;
}

}  // namespace

CBitmap* CTKPDockingPaneStickerWnd::GetPicture(UINT nIDResource)
{
    std::unique_ptr<CBitmap>& pPicture = m_pictures[nIDResource];
    if (!pPicture) {
        pPicture.reset(new CBitmap);
        // A missing picture is not asked for again: it stays an empty bitmap.
        GetResourceManager()->LoadBitmap(pPicture.get(), nIDResource);
    }
    return pPicture->GetSafeHandle() ? pPicture.get() : NULL;
}

// Copies a record's source rectangle of a picture to a point, pure green left out.
void CTKPDockingPaneStickerWnd::DrawRecord(CDC* pDC, const tkdock::StickerDrawStep& step, int nStyle, int nScheme)
{
    const tkdock::StickerRecord& record =
        nStyle == 1 ? tkdock::RoundStickerRecord(step.record) : tkdock::ClassicStickerRecord(step.record);
    CBitmap* pBitmap = GetPicture(PictureId(step.picture, nStyle, nScheme));
    if (pBitmap == NULL)
        return;
    CDC dcImage;
    dcImage.CreateCompatibleDC(pDC);
    CBitmap* pOld = dcImage.SelectObject(pBitmap);
    const BOOL bCentre = (m_nFlags & tkdock::partCentreSticker) != 0;
    const int x = step.atOffset && bCentre ? record.x : 0;
    const int y = step.atOffset && bCentre ? record.y : 0;
    ::TransparentBlt(pDC->GetSafeHdc(), x, y, record.source.Width(), record.source.Height(), dcImage.GetSafeHdc(),
        record.source.left, record.source.top, record.source.Width(), record.source.Height(), RGB(0, 255, 0));
    dcImage.SelectObject(pOld);
}

void CTKPDockingPaneStickerWnd::DrawParts(CDC* pDC, int nHighlighted, int nOnlyPart)
{
    const int nStyle = m_pContext->GetStickerStyle();
    const int nScheme = m_pContext->GetStickerScheme();
    const BOOL bCentre = (m_nFlags & tkdock::partCentreSticker) != 0;
    if (nOnlyPart) {
        DrawRecord(pDC, tkdock::StickerHitStep(nOnlyPart, bCentre != FALSE, nStyle), nStyle, nScheme);
        return;
    }
    for (const tkdock::StickerDrawStep& step : tkdock::StickerDrawSteps(m_nFlags, nHighlighted, nStyle))
        DrawRecord(pDC, step, nStyle, nScheme);
}

void CTKPDockingPaneStickerWnd::Draw(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    pDC->FillSolidRect(rc, RGB(0, 0, 0));
    DrawParts(pDC, m_nHighlighted);
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
    if (m_bmpHitTest.GetSafeHandle() == NULL)
        m_bmpHitTest.CreateCompatibleBitmap(&dcScreen, rc.Width(), rc.Height());
    CDC dc;
    dc.CreateCompatibleDC(&dcScreen);
    CBitmap* pOld = dc.SelectObject(&m_bmpHitTest);
    static const int kOrder[5] = {tkdock::partTop, tkdock::partLeft, tkdock::partBottom, tkdock::partRight,
        tkdock::partCentre};
    dc.FillSolidRect(rc, RGB(0, 0, 0));
    int nResult = 0;
    for (int nPart : kOrder) {
        if (!(m_nFlags & nPart))
            continue;
        DrawParts(&dc, 0, nPart);
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
