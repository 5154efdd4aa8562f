#include "toolkit/commandbars/customize/ImageEditorCanvas.h"

#include "res/commandbars-customize.h"
#include "toolkit/base/BufferedDC.h"
#include "toolkit/base/ColorManager.h"
#include "toolkit/base/Dib32.h"
#include "toolkit/base/ResourceManager.h"
#include "toolkit/commandbars/customize/ImageEditorDialog.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CTKPImageEditorCanvas, CStatic)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_CAPTURECHANGED()
ON_WM_SETCURSOR()
END_MESSAGE_MAP()

namespace {

COLORREF Checker(int x, int r)
{
    return (((x + 3) / 4 + (r + 3) / 4) % 2 == 0) ? RGB(255, 255, 255) : RGB(235, 235, 235);
}

// Draws with GDI into a copy of a picture: the DC has the picture selected. GDI works on the colour
// channels only, so the alpha bytes are cleared first; CarryAlpha sets them again afterwards.
class CPictureDC {
public:
    explicit CPictureDC(CTKPEditorPicture* pPicture) : m_hdc(::CreateCompatibleDC(NULL))
    {
        ::GdiFlush();
        DWORD* pBits = pPicture->Bits();
        for (int i = 0; i < pPicture->Width() * pPicture->Height(); ++i)
            pBits[i] &= 0x00FFFFFF;
        m_hOld = ::SelectObject(m_hdc, pPicture->GetBitmap());
    }
    ~CPictureDC()
    {
        ::SelectObject(m_hdc, m_hOld);
        ::DeleteDC(m_hdc);
        ::GdiFlush();
    }
    HDC m_hdc;

private:
    HGDIOBJ m_hOld;
};

}  // namespace

CTKPImageEditorCanvas::CTKPImageEditorCanvas()
    : m_cxPicture(16), m_cyPicture(16), m_cxCell(1), m_cyCell(1), m_pDialog(NULL), m_pPrevious(NULL), m_pCurrent(NULL),
      m_ptStart(0, 0), m_bTracking(FALSE), m_clrStroke(0)
{
    CTKPResourceManager* pResources = GetResourceManager();
    m_hcurShape = pResources->LoadCursor(IDC_TKP_EDITOR_SHAPE);
    m_hcurFill = pResources->LoadCursor(IDC_TKP_EDITOR_FILL);
    m_hcurPencil = pResources->LoadCursor(IDC_TKP_EDITOR_PENCIL);
    m_hcurPick = pResources->LoadCursor(IDC_TKP_EDITOR_PICK);
}

CTKPImageEditorCanvas::~CTKPImageEditorCanvas()
{
    delete m_pCurrent;
    if (m_pPrevious != m_pCurrent)
        delete m_pPrevious;
}

void CTKPImageEditorCanvas::SetPictureSize(CSize size)
{
    m_cxPicture = std::max<int>(1, size.cx);
    m_cyPicture = std::max<int>(1, size.cy);
    UpdateCellSize();
}

void CTKPImageEditorCanvas::UpdateCellSize()
{
    if (m_hWnd == NULL)
        return;
    CRect rc;
    GetClientRect(&rc);
    m_cxCell = std::max<int>(1, rc.Width() / m_cxPicture);
    m_cyCell = std::max<int>(1, rc.Height() / m_cyPicture);
}

void CTKPImageEditorCanvas::SetPicture(CTKPEditorPicture* pPicture)
{
    m_history.Clear();
    delete m_pCurrent;
    m_pCurrent = pPicture;
    m_pPrevious = NULL;
    Repaint();
}

void CTKPImageEditorCanvas::Repaint()
{
    if (m_hWnd != NULL) {
        Invalidate(FALSE);
        UpdateWindow();
    }
    if (m_pDialog != NULL)
        m_pDialog->OnPictureChanged();
}

void CTKPImageEditorCanvas::ApplyChange(CTKPEditorPicture* pNew)
{
    CTKPEditorPicture* pBefore = m_pCurrent;
    m_pCurrent = pNew;
    m_pPrevious = NULL;
    m_history.Commit(pBefore);
    Repaint();
}

void CTKPImageEditorCanvas::Undo()
{
    if (m_bTracking || !m_history.CanUndo())
        return;
    m_pCurrent = m_history.Undo(m_pCurrent);
    Repaint();
}

void CTKPImageEditorCanvas::Redo()
{
    if (m_bTracking || !m_history.CanRedo())
        return;
    m_pCurrent = m_history.Redo(m_pCurrent);
    Repaint();
}

CPoint CTKPImageEditorCanvas::CellFromPoint(CPoint point) const
{
    // Rounded down, so that the points just left of or above the canvas lie in the cells there.
    auto cellOf = [](int v, int nCell) { return v >= 0 ? v / nCell : -((-v + nCell - 1) / nCell); };
    return CPoint(cellOf(point.x, m_cxCell), cellOf(point.y, m_cyCell));
}

void CTKPImageEditorCanvas::PressCell(CPoint cell)
{
    if (m_bTracking || m_pDialog == NULL)
        return;
    if (cell.x < 0 || cell.y < 0 || cell.x >= m_cxPicture || cell.y >= m_cyPicture)
        return;
    const int nTool = m_pDialog->GetTool();
    const COLORREF clrPicker = m_pDialog->GetSelectedColor();
    if (nTool == toolPickColor) {
        m_pDialog->OnColorPicked(
            m_pCurrent != NULL ? m_pCurrent->GetPixel(cell.x, cell.y) : CTKPEditorPicture::kTransparent);
        return;
    }
    if (nTool == toolFill) {
        CTKPEditorPicture* pFilled = CTKPEditorPicture::CopyOf(m_pCurrent, m_cxPicture, m_cyPicture);
        if (pFilled == NULL)
            return;
        {
            CPictureDC dc(pFilled);
            const COLORREF clrArea = pFilled->GetPixel(cell.x, cell.y);
            HBRUSH hBrush = ::CreateSolidBrush(clrPicker);
            HGDIOBJ hOld = ::SelectObject(dc.m_hdc, hBrush);
            ::ExtFloodFill(dc.m_hdc, cell.x, cell.y, clrArea, FLOODFILLSURFACE);
            ::SelectObject(dc.m_hdc, hOld);
            ::DeleteObject(hBrush);
        }
        pFilled->CarryAlpha(m_pCurrent);
        ApplyChange(pFilled);
        return;
    }
    // Pencil and shapes: a stroke over a copy of the picture before it.
    m_pPrevious = m_pCurrent;
    m_pCurrent = CTKPEditorPicture::CopyOf(m_pPrevious, m_cxPicture, m_cyPicture);
    if (m_pCurrent == NULL) {
        m_pCurrent = m_pPrevious;
        m_pPrevious = NULL;
        return;
    }
    const COLORREF clrCell = m_pCurrent->GetPixel(cell.x, cell.y);
    // A click on a pixel that already has the colour erases it.
    m_clrStroke = clrCell == clrPicker ? CTKPEditorPicture::kTransparent : clrPicker;
    m_ptStart = cell;
    if (m_hWnd != NULL && ::GetCapture() != m_hWnd)
        SetCapture();
    m_bTracking = TRUE;
    DragToCell(cell);
}

void CTKPImageEditorCanvas::DrawShape(CPoint cell)
{
    CTKPEditorPicture* pShape = CTKPEditorPicture::CopyOf(m_pPrevious, m_cxPicture, m_cyPicture);
    if (pShape == NULL)
        return;
    {
        CPictureDC dc(pShape);
        const int nTool = m_pDialog->GetTool();
        HPEN hPen = ::CreatePen(PS_SOLID, 1, m_clrStroke);
        HGDIOBJ hOldPen = ::SelectObject(dc.m_hdc, hPen);
        CRect rc(m_ptStart, cell);
        rc.NormalizeRect();
        if (nTool == toolLine) {
            ::MoveToEx(dc.m_hdc, m_ptStart.x, m_ptStart.y, NULL);
            ::LineTo(dc.m_hdc, cell.x, cell.y);
        } else if (nTool == toolRectangle) {
            CDC::FromHandle(dc.m_hdc)->Draw3dRect(rc.left, rc.top, rc.Width() + 1, rc.Height() + 1, m_clrStroke,
                m_clrStroke);
        } else if (nTool == toolEllipse) {
            HBRUSH hBrush = ::CreateSolidBrush(CTKPEditorPicture::kTransparent);
            HGDIOBJ hOldBrush = ::SelectObject(dc.m_hdc, hBrush);
            ::Ellipse(dc.m_hdc, rc.left, rc.top, rc.right + 1, rc.bottom + 1);
            ::SelectObject(dc.m_hdc, hOldBrush);
            ::DeleteObject(hBrush);
        }
        ::SelectObject(dc.m_hdc, hOldPen);
        ::DeleteObject(hPen);
    }
    pShape->CarryAlpha(m_pPrevious);
    delete m_pCurrent;
    m_pCurrent = pShape;
}

void CTKPImageEditorCanvas::DragToCell(CPoint cell)
{
    if (!m_bTracking)
        return;
    // A cell off the picture (the canvas holds the mouse during a stroke) is taken as it is: the
    // pencil sets nothing there and a shape is drawn towards it, clipped to the picture.
    if (m_pDialog->GetTool() == toolPencil)
        m_pCurrent->SetPixel(cell.x, cell.y, m_clrStroke);
    else
        DrawShape(cell);
    Repaint();
}

void CTKPImageEditorCanvas::EndStroke()
{
    if (!m_bTracking)
        return;
    m_bTracking = FALSE;
    if (m_hWnd != NULL && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    CTKPEditorPicture* pBefore = m_pPrevious;
    m_pPrevious = NULL;
    m_history.Commit(pBefore);
    Repaint();
}

void CTKPImageEditorCanvas::OnLButtonDown(UINT, CPoint point)
{
    PressCell(CellFromPoint(point));
}

void CTKPImageEditorCanvas::OnMouseMove(UINT, CPoint point)
{
    if (m_bTracking)
        DragToCell(CellFromPoint(point));
}

void CTKPImageEditorCanvas::OnLButtonUp(UINT, CPoint)
{
    EndStroke();
}

void CTKPImageEditorCanvas::OnCaptureChanged(CWnd*)
{
    EndStroke();
}

BOOL CTKPImageEditorCanvas::OnSetCursor(CWnd*, UINT, UINT)
{
    HCURSOR hCursor = m_hcurShape;
    switch (m_pDialog != NULL ? m_pDialog->GetTool() : toolPencil) {
    case toolPencil:
        hCursor = m_hcurPencil;
        break;
    case toolFill:
        hCursor = m_hcurFill;
        break;
    case toolPickColor:
        hCursor = m_hcurPick;
        break;
    }
    if (hCursor == NULL)
        return FALSE;
    ::SetCursor(hCursor);
    return TRUE;
}

void CTKPImageEditorCanvas::DrawCanvas(CDC* pDC, CRect rcClient)
{
    const int cw = rcClient.Width(), ch = rcClient.Height();
    if (cw <= 0 || ch <= 0)
        return;
    pDC->FillSolidRect(rcClient, RGB(255, 255, 255));
    void* pvBits = NULL;
    HBITMAP hDib = TKPCreateDib32(cw, ch, &pvBits);  // bottom-up: row r is r pixels above the bottom
    if (hDib == NULL)
        return;
    DWORD* pBits = static_cast<DWORD*>(pvBits);
    ::GdiFlush();
    for (int r = 0; r < ch; ++r) {
        for (int x = 0; x < cw; ++x) {
            const COLORREF b = Checker(x, r);
            COLORREF clr = b;
            if (m_pCurrent != NULL) {
                const int px = x * m_cxPicture / cw;
                const int py = m_cyPicture - 1 - r * m_cyPicture / ch;
                const COLORREF c = m_pCurrent->GetPixel(px, py);
                if (m_pCurrent->HasAlpha()) {
                    clr = CTKPEditorPicture::BlendOver(b, c, m_pCurrent->GetAlpha(px, py));
                } else if (c != CTKPEditorPicture::kTransparent) {
                    clr = c;
                }
            }
            pBits[r * cw + x] = ((DWORD)GetRValue(clr) << 16) | ((DWORD)GetGValue(clr) << 8) | GetBValue(clr);
        }
    }
    CDC dcDib;
    dcDib.CreateCompatibleDC(pDC);
    CBitmap* pOld = dcDib.SelectObject(CBitmap::FromHandle(hDib));
    pDC->BitBlt(rcClient.left, rcClient.top, cw, ch, &dcDib, 0, 0, SRCCOPY);
    dcDib.SelectObject(pOld);
    ::DeleteObject(hDib);
    pDC->Draw3dRect(rcClient, RGB(0, 0, 0), RGB(0, 0, 0));
}

void CTKPImageEditorCanvas::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    CTKPBufferedDC memDC(dc.GetSafeHdc(), rc);
    DrawCanvas(&memDC, rc);
}

// --- The preview --------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CTKPImageEditorPreview, CStatic)
ON_WM_PAINT()
END_MESSAGE_MAP()

void CTKPImageEditorPreview::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
    dc.FillSolidRect(rc, clrFace);
    CTKPEditorPicture* pPicture = m_pCanvas != NULL ? m_pCanvas->GetPicture() : NULL;
    if (pPicture == NULL)
        return;
    const int x0 = (rc.Width() - pPicture->Width()) / 2, y0 = (rc.Height() - pPicture->Height()) / 2;
    for (int y = 0; y < pPicture->Height(); ++y) {
        for (int x = 0; x < pPicture->Width(); ++x) {
            const COLORREF c = pPicture->GetPixel(x, y);
            COLORREF clr = c;
            if (pPicture->HasAlpha()) {
                clr = CTKPEditorPicture::BlendOver(clrFace, c, pPicture->GetAlpha(x, y));
            } else if (c == CTKPEditorPicture::kTransparent) {
                continue;
            }
            dc.SetPixelV(x0 + x, y0 + y, clr);
        }
    }
}
