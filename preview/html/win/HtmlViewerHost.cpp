// The viewer host's canvas: painting through the back buffer, the selection drag, link hover,
// picture arrivals and the status line.
#include "preview/html/win/HtmlViewerHost.h"

#include "preview/html/win/HtmlScroll.h"

#include <algorithm>
#include <cwchar>

const wchar_t kHtmlNotFollowed[] = L"Not opened in a preview: ";
const wchar_t kHtmlFormNotSent[] = L"A preview does not send forms: ";

namespace {

constexpr size_t kMaxUrl = 2048;
constexpr size_t kMaxPageStatus = 128;

std::wstring Format(const wchar_t* format, int a, int b)
{
    wchar_t text[256];
    swprintf(text, sizeof text / sizeof text[0], format, a, b);
    return text;
}

}  // namespace

CHtmlViewerHost::CHtmlViewerHost(HWND canvas, HWND view, HWND status, HWND address, HWND back,
    std::shared_ptr<CHtmlResourceSource> source)
    : m_canvas(canvas), m_view(view), m_status(status), m_address(address), m_back(back)
{
    if (source == nullptr)
        source = std::make_shared<CHtmlLocalSource>();
    m_page = std::make_unique<CHtmlPage>(this, 0, &m_measurer, &m_decoder, std::move(source));
}

CHtmlViewerHost::~CHtmlViewerHost()
{
    DestroyControls();
    if (m_backBuffer != NULL)
        DeleteObject(m_backBuffer);
    // The page goes first: it stops its picture fetches, which report to this host until then.
    m_page.reset();
    HtmlScrollProc(NULL, 0, 0, 0);
}

void CHtmlViewerHost::SetStatus(const std::wstring& text)
{
    if (m_status != NULL)
        SetWindowTextW(m_status, text.c_str());
}

int CHtmlViewerHost::ScrollX() const
{
    return static_cast<int>(HtmlScrollProc(m_canvas, kHtmlScrollGetX, 0, 0));
}

int CHtmlViewerHost::ScrollY() const
{
    return static_cast<int>(HtmlScrollProc(m_canvas, kHtmlScrollGetY, 0, 0));
}

void CHtmlViewerHost::OnParseProgress(int phase, int current, int total)
{
    if (phase != 0)
        return;
    // The parser reports every step; the status line is set once per hundredth of the page (and at
    // its end) instead: setting it at every step made a page of a megabyte take fifteen times as long.
    bool newParse = current < m_parsePosition;
    m_parsePosition = current;
    if (!newParse && current < m_nextParseStatus && current < total)
        return;
    m_nextParseStatus = current + std::max(total / 100, 1);
    wchar_t text[128];
    swprintf(text, sizeof text / sizeof text[0], L"%ls %d of %d", L"Parsing", current, total);
    SetStatus(text);
}

void CHtmlViewerHost::OnLinkHover(int overLink, const wchar_t* url)
{
    std::wstring now = url != nullptr ? url : L"";
    if (!m_haveHover || now != m_hoverUrl) {
        if (m_haveHover)
            m_page->InvalidateLink(m_hoverUrl.c_str());
        m_hoverUrl = now;
        m_haveHover = true;
    }
    if (overLink) {
        SetCursor(LoadCursorW(NULL, IDC_HAND));
        m_page->InvalidateLink(m_hoverUrl.c_str());
        SetStatus(m_hoverUrl);
    } else {
        SetCursor(LoadCursorW(NULL, IDC_ARROW));
        SetStatus(m_pageStatus);
    }
}

void CHtmlViewerHost::SetTitle(const wchar_t* text)
{
    if (m_view != NULL)
        SetWindowTextW(m_view, text != nullptr ? text : L"");
}

void CHtmlViewerHost::OnImageLoaded(int done, int total)
{
    // A fetch thread, with the picture list locked: only post.
    PostMessageW(m_canvas, kHtmlPictureArrived, static_cast<WPARAM>(done), static_cast<LPARAM>(total));
}

void CHtmlViewerHost::OnPictureArrived(int done, int total)
{
    if (HtmlImageArrivalNeedsLayout(done, total)) {
        PostMessageW(m_canvas, kHtmlRelayout, 0, 0);
    } else {
        InvalidateRect(m_canvas, NULL, FALSE);
    }
    if (done != total) {
        SetStatus(Format(L"Loaded Image %d of %d", done, total));
        return;
    }
    int items = 0, images = 0, links = 0, level = 0;
    m_page->GetStats(&items, &images, &links, &level);
    wchar_t text[kMaxPageStatus];
    swprintf(text, kMaxPageStatus, L"Ready, items:%d, images:%d, links:%d, level:%d", items, images, links, level);
    m_pageStatus = text;
    SetStatus(m_pageStatus);
}

void CHtmlViewerHost::InvalidatePageRect(const HtmlRect& rect)
{
    int sx = ScrollX(), sy = ScrollY();
    RECT r = {rect.left - sx, rect.top - sy, rect.right - sx, rect.bottom - sy};
    InvalidateRect(m_canvas, &r, FALSE);
}

void CHtmlViewerHost::OnOutOfMemory()
{
    Beep(1000, 10);
}

void CHtmlViewerHost::MoveControl(HtmlControl control, int x, int y)
{
    HWND window = reinterpret_cast<HWND>(control);
    if (!IsWindow(window))
        return;
    SetWindowPos(window, NULL, x - ScrollX(), y - ScrollY(), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(window, SW_SHOWNA);
    InvalidateRect(window, NULL, TRUE);
    UpdateWindow(window);
}

void CHtmlViewerHost::Relayout()
{
    RECT client;
    GetClientRect(m_canvas, &client);
    HtmlRect r{client.left, client.top, client.right, client.bottom};
    m_page->Layout(r);
    HtmlScrollProc(m_canvas, kHtmlScrollSetContent, static_cast<WPARAM>(std::max(r.right, 0)), std::max(r.bottom, 0));
}

void CHtmlViewerHost::ResetBackBuffer()
{
    if (m_backBuffer != NULL)
        DeleteObject(m_backBuffer);
    m_backBuffer = NULL;
}

void CHtmlViewerHost::PaintCanvas(HWND window)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    if (m_backBuffer == NULL)
        m_backBuffer = CreateCompatibleBitmap(dc, std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1));
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, m_backBuffer);
    FillRect(memory, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    {
        CHtmlGdiCanvas canvas(memory, m_fonts);
        m_page->Paint(canvas, HtmlRect{0, 0, client.right, client.bottom}, ScrollX(), ScrollY());
    }
    BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    EndPaint(window, &ps);
}

void CHtmlViewerHost::AutoScrollSelection(int x, int y)
{
    RECT client;
    GetClientRect(m_canvas, &client);
    int sx = ScrollX(), sy = ScrollY();
    int rangeX = static_cast<int>(HtmlScrollProc(m_canvas, kHtmlScrollRangeX, 0, 0));
    int rangeY = static_cast<int>(HtmlScrollProc(m_canvas, kHtmlScrollRangeY, 0, 0));
    if (x > client.right) {
        int by = std::min(x - static_cast<int>(client.right), rangeX - sx);
        if (by > 0) {
            HtmlScrollProc(m_canvas, kHtmlScrollSetX, 0, sx + by);
            m_anchor.x -= by;
        }
    } else if (x < 0) {
        int by = std::min(-x, sx);
        if (by > 0) {
            HtmlScrollProc(m_canvas, kHtmlScrollSetX, 0, sx - by);
            m_anchor.x += by;
        }
    }
    if (y < 0) {
        int by = std::min(-y, sy);
        if (by > 0) {
            HtmlScrollProc(m_canvas, kHtmlScrollSetY, 0, sy - by);
            m_anchor.y += by;
            return;
        }
    }
    if (y > client.bottom) {
        int by = std::min(y - static_cast<int>(client.bottom), rangeY - sy);
        if (by > 0) {
            HtmlScrollProc(m_canvas, kHtmlScrollSetY, 0, sy + by);
            m_anchor.y -= by;
        }
    }
}

LRESULT CHtmlViewerHost::HandleCanvasMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CTLCOLORDLG:
        return reinterpret_cast<LRESULT>(GetStockObject(HOLLOW_BRUSH));
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
        if (GetWindowLongW(reinterpret_cast<HWND>(lParam), GWL_STYLE) & 0xF) {
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            return reinterpret_cast<LRESULT>(GetStockObject(HOLLOW_BRUSH));
        }
        break;
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS;
    case WM_SETCURSOR:
        // Over a link the hand stays, instead of the class's arrow coming back on every move.
        if (LOWORD(lParam) == HTCLIENT && m_page->HoverLink() >= 0) {
            SetCursor(LoadCursorW(NULL, IDC_HAND));
            return TRUE;
        }
        break;
    case WM_PAINT:
        PaintCanvas(window);
        return 1;
    case WM_SIZE:
    case kHtmlRelayout:
        ResetBackBuffer();
        Relayout();
        InvalidateRect(window, NULL, FALSE);
        UpdateWindow(window);
        break;
    case kHtmlPictureArrived:
        OnPictureArrived(static_cast<int>(wParam), static_cast<int>(lParam));
        return 0;
    case WM_LBUTTONDOWN: {
        int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
        int px = x + ScrollX(), py = y + ScrollY();
        m_page->OnClick(px, py);
        m_anchor.x = m_point.x = x;
        m_anchor.y = m_point.y = y;
        m_page->SetSelection(HtmlRect{px, py, px, py});
        InvalidateRect(window, NULL, FALSE);
        HWND focus = GetFocus();
        if (focus != NULL && GetParent(focus) == window)
            SetFocus(window);
        SetCapture(window);
        return 0;
    }
    case WM_MOUSEMOVE: {
        int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
        int sx = ScrollX(), sy = ScrollY();
        m_page->OnMouseMove(x + sx, y + sy);
        if (GetCapture() == window) {
            m_point.x = x;
            m_point.y = y;
            HtmlRect selection{std::min<int>(m_anchor.x, x) + sx, std::min<int>(m_anchor.y, y) + sy,
                std::max<int>(m_anchor.x, x) + sx, std::max<int>(m_anchor.y, y) + sy};
            m_page->SetSelection(selection);
            InvalidateRect(window, NULL, FALSE);
            AutoScrollSelection(x, y);
        }
        return 0;
    }
    case WM_LBUTTONUP:
        if (GetCapture() == window)
            ReleaseCapture();
        break;
    case WM_COMMAND:
        // A push button of a form: its form would be submitted.
        if (HIWORD(wParam) == BN_CLICKED && lParam != 0) {
            SubmitForm(-1, reinterpret_cast<HWND>(lParam), LOWORD(wParam));
            return 0;
        }
        break;
    default:
        break;
    }
    return HtmlScrollProc(window, message, wParam, lParam);
}
