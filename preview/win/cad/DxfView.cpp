#include "preview/win/cad/DxfView.h"

#include "preview/win/host/PreviewDocument.h"
#include "preview/win/host/PreviewFrameState.h"
#include "preview/win/host/PreviewProgress.h"

#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr size_t kHeadBytes = 511;
constexpr int kFileTraceMode = 1;

}  // namespace

// --- CDxfCanvas -----------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CDxfCanvas, CStatic)
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_MBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_MBUTTONUP()
ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

void CDxfCanvas::OnPaint()
{
    CPaintDC dc(this);
    PaintTo(&dc);
}

void CDxfCanvas::PaintTo(CDC* pDC)
{
    if (m_pLibrary != NULL && m_pLibrary->IsReady()) {
        m_pLibrary->Paint(pDC->GetSafeHdc());
        return;
    }
    CRect client;
    GetClientRect(&client);
    ::FillRect(pDC->GetSafeHdc(), &client, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
}

void CDxfCanvas::BeginDrag(CPoint point)
{
    SetCapture();
    m_nLastX = point.x;
    m_nLastY = point.y;
    m_bDragging = true;
}

void CDxfCanvas::EndDrag()
{
    if (GetCapture() == this)
        ::ReleaseCapture();
    m_bDragging = false;
}

void CDxfCanvas::DragTo(CPoint point)
{
    if (!m_bDragging || m_pLibrary == NULL || !m_pLibrary->IsReady())
        return;
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(point))
        return;
    morvick::DxfViewProperties view;
    if (!m_pLibrary->GetViewProperties(view))
        return;
    if (morvick::DxfPan(view, point.x - m_nLastX, point.y - m_nLastY) && m_pLibrary->SetViewProperties(view))
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    m_nLastX = point.x;
    m_nLastY = point.y;
}

void CDxfCanvas::OnLButtonDown(UINT, CPoint point)
{
    BeginDrag(point);
}

void CDxfCanvas::OnMButtonDown(UINT, CPoint point)
{
    BeginDrag(point);
}

void CDxfCanvas::OnLButtonUp(UINT, CPoint)
{
    EndDrag();
}

void CDxfCanvas::OnMButtonUp(UINT, CPoint)
{
    EndDrag();
}

void CDxfCanvas::OnMouseMove(UINT, CPoint point)
{
    DragTo(point);
    Default();
}

// --- CDFXView -------------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CDFXView, CView)

BEGIN_MESSAGE_MAP(CDFXView, CView)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

CDFXView::CDFXView() : m_canvas(&m_library) {}

CDFXView::~CDFXView() {}

void CDFXView::OnDraw(CDC*) {}

BOOL CDFXView::LooksLikeDxf(const char* head, size_t size)
{
    std::string text(head, size < kHeadBytes ? size : kHeadBytes);
    return text.find("SECTION") != std::string::npos && text.find("HEADER") != std::string::npos;
}

void CDFXView::RedrawCanvas()
{
    if (::IsWindow(m_canvas.GetSafeHwnd()))
        m_canvas.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
}

int CDFXView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    m_canvas.Create(L"", WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_BLACKRECT, CRect(100, 0, 700, 200), this, IDC_CANVAS);
    CPreviewFrameState* frame = GetPreviewFrame();
    CPreviewDocument* doc = GetPreviewDocument();
    if (frame == NULL)
        return 0;
    CString path = doc != NULL ? doc->m_strPreviewPath : CString();
    if (m_library.IsReady())
        m_library.Destroy();
    if (!m_library.Create()) {
        frame->m_bPreviewShown = FALSE;
        return 0;
    }
    std::unique_ptr<CPreviewProgress> progress(CreatePreviewProgress());
    bool progressShown = progress->Create(this);
    if (progressShown) {
        progress->SetRange(0, 100);
        progress->Show();
    }
    char head[kHeadBytes] = {};
    UINT read = 0;
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite)) {
        // A file that cannot be read is a failed preview.
        progress->DestroyWindow();
        frame->m_bPreviewShown = FALSE;
        return 0;
    }
    try {
        read = file.Read(head, sizeof head);
    } catch (CException* e) {
        e->Delete();
    }
    file.Abort();
    BOOL drawing = LooksLikeDxf(head, read) && frame->GetScanMode() != kFileTraceMode;
    if (drawing) {
        try {
            frame->m_bPreviewShown = m_library.LoadFile(static_cast<LPCWSTR>(path), progress->GetSafeHwnd());
        } catch (...) {
            frame->m_bPreviewShown = FALSE;
        }
    } else {
        frame->m_bPreviewShown = FALSE;
    }
    progress->DestroyWindow();
    if (frame->m_bPreviewShown) {
        CRect client;
        m_canvas.GetClientRect(&client);
        m_library.InitView(0, 0, client.Width(), client.Height());
        m_library.ZoomExtents();
        m_canvas.ShowWindow(SW_SHOW);
        RedrawCanvas();
    }
    return 0;
}

void CDFXView::OnSize(UINT, int, int)
{
    Default();
    if (!::IsWindow(m_canvas.GetSafeHwnd()))
        return;
    CRect client;
    GetClientRect(&client);
    m_canvas.MoveWindow(0, 0, client.Width(), client.Height(), TRUE);
    m_library.InitView(0, 0, client.Width(), client.Height());
    m_library.ZoomExtents();
    RedrawCanvas();
}

BOOL CDFXView::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    if (m_library.IsReady()) {
        double zoom = m_library.GetZoom();
        m_library.SetZoom(zDelta > 0 ? zoom * 1.5 : zoom * 0.6666666666666666);
        RedrawCanvas();
    }
    return CView::OnMouseWheel(nFlags, zDelta, pt);
}
