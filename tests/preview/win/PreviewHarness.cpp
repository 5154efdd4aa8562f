#include "tests/preview/win/PreviewHarness.h"

#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/support/win/WindowCapture.h"
#include "toolkit/commandbars/CommandBarsTheme.h"

#include <gtest/gtest.h>

#include <cstring>

#include <vfw.h>

IMPLEMENT_DYNCREATE(CTestPreviewDoc, CPreviewDocument)
IMPLEMENT_DYNAMIC(CTestPreviewFrame, CFrameWnd)

namespace morvick::test {

PreviewHarness& Harness()
{
    static PreviewHarness h;
    if (h.frame != nullptr)
        return h;
    h.frame = new CTestPreviewFrame;
    h.frame->Create(NULL, L"Preview tests", WS_OVERLAPPEDWINDOW, CRect(0, 0, 816, 678));
    AfxGetThread()->m_pMainWnd = h.frame;
    h.frame->m_resultList.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 800, 40), h.frame, 100);
    h.doc = new CTestPreviewDoc;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CMainPreviewView);
    context.m_pCurrentDoc = h.doc;
    CWnd* pane = AfxCreateView(h.frame, &context, CMainPreviewView::IDW_PREVIEW_PANE);
    h.pane = static_cast<CMainPreviewView*>(pane);
    h.pane->MoveWindow(0, 40, 800, 600);
    h.frame->SetActiveView(h.pane, FALSE);
    h.frame->ShowWindow(SW_SHOWNOACTIVATE);
    Pump();
    return h;
}

namespace {

int InstalledThemeNumber()
{
    CTKPCommandBarsTheme* installed = CTKPCommandBarsTheme::GetInstalledTheme();
    return installed != NULL ? installed->GetThemeNumber() : -1;
}

}  // namespace

ScopedBarTheme::ScopedBarTheme(int nTheme) : m_nEarlier(InstalledThemeNumber())
{
    CTKPCommandBarsTheme::SetTheme(nTheme);
}

ScopedBarTheme::ScopedBarTheme(CTKPCommandBarsTheme* pTheme) : m_nEarlier(InstalledThemeNumber())
{
    CTKPCommandBarsTheme::InstallTheme(pTheme);
}

ScopedBarTheme::~ScopedBarTheme()
{
    if (m_nEarlier < 0)
        CTKPCommandBarsTheme::ReleaseTheme();
    else
        CTKPCommandBarsTheme::SetTheme(m_nEarlier);
}

void Preview(const std::wstring& path, const std::wstring& extension)
{
    PreviewHarness& h = Harness();
    h.frame->ShowFilePreview(path.c_str(), extension.c_str());
    h.frame->m_bPreviewable = 0;
    Pump();
}

void Pump()
{
    MSG msg;
    for (int i = 0; i < 1000 && PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE); ++i) {
        if (msg.message == WM_QUIT)
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

std::wstring TempFolder()
{
    static std::wstring folder;
    if (folder.empty()) {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder = std::wstring(temp) + L"morvick-preview-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(folder.c_str(), NULL);
    }
    return folder;
}

std::wstring TempFile(const std::wstring& name)
{
    return TempFolder() + L"\\" + name;
}

bool WriteBytes(const std::wstring& path, const std::vector<uint8_t>& bytes)
{
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, NULL) && written == bytes.size();
    CloseHandle(h);
    return ok;
}

std::wstring WriteAvi(const std::wstring& name, int width, int height, int frames, int rate,
    const std::function<COLORREF(int frame, int x, int y)>& color)
{
    std::wstring path = TempFile(name);
    DeleteFileW(path.c_str());
    const int stride = (width * 3 + 3) & ~3;
    AVIFileInit();
    PAVIFILE file = NULL;
    if (AVIFileOpenW(&file, path.c_str(), OF_CREATE | OF_WRITE, NULL) != 0) {
        AVIFileExit();
        return std::wstring();
    }
    AVISTREAMINFOW info = {};
    info.fccType = streamtypeVIDEO;
    info.fccHandler = mmioFOURCC('D', 'I', 'B', ' ');
    info.dwScale = 1;
    info.dwRate = rate;
    info.dwSuggestedBufferSize = stride * height;
    SetRect(&info.rcFrame, 0, 0, width, height);
    PAVISTREAM stream = NULL;
    bool ok = AVIFileCreateStreamW(file, &stream, &info) == 0;
    BITMAPINFOHEADER format = {};
    format.biSize = sizeof format;
    format.biWidth = width;
    format.biHeight = height;
    format.biPlanes = 1;
    format.biBitCount = 24;
    format.biSizeImage = stride * height;
    ok = ok && AVIStreamSetFormat(stream, 0, &format, sizeof format) == 0;
    std::vector<uint8_t> pixels(stride * height);
    for (int frame = 0; ok && frame < frames; ++frame) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                COLORREF c = color(frame, x, y);
                uint8_t* p = &pixels[y * stride + x * 3];
                p[0] = GetBValue(c);
                p[1] = GetGValue(c);
                p[2] = GetRValue(c);
            }
        ok = AVIStreamWrite(stream, frame, 1, pixels.data(), static_cast<LONG>(pixels.size()), AVIIF_KEYFRAME, NULL,
                 NULL) == 0;
    }
    if (stream != NULL)
        AVIStreamRelease(stream);
    AVIFileRelease(file);
    AVIFileExit();
    return ok ? path : std::wstring();
}

std::wstring WriteWave(const std::wstring& name)
{
    std::wstring path = TempFile(name);
    std::vector<uint8_t> w = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0, 1, 0,
        1, 0, 0x40, 0x1F, 0, 0, 0x40, 0x1F, 0, 0, 1, 0, 8, 0, 'd', 'a', 't', 'a', 0x40, 0x1F, 0, 0};
    w.resize(w.size() + 8000, 0x80);
    uint32_t riff = static_cast<uint32_t>(w.size() - 8);
    std::memcpy(&w[4], &riff, 4);
    WriteBytes(path, w);
    return path;
}

std::vector<uint8_t> BmpBytes(int width, int height, COLORREF color)
{
    const int stride = (width * 3 + 3) & ~3;
    std::vector<uint8_t> out(54 + stride * height, 0);
    auto put32 = [&](size_t at, uint32_t v) { std::memcpy(&out[at], &v, 4); };
    out[0] = 'B';
    out[1] = 'M';
    put32(2, static_cast<uint32_t>(out.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, width);
    put32(22, height);
    out[26] = 1;
    out[28] = 24;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            bool border = x == 0 || y == 0 || x == width - 1 || y == height - 1;
            uint8_t* p = &out[54 + y * stride + x * 3];
            p[0] = border ? 0 : GetBValue(color);
            p[1] = border ? 0 : GetGValue(color);
            p[2] = border ? 0 : GetRValue(color);
        }
    }
    return out;
}

void CaptureToGallery(const std::string& gallery, const std::string& name)
{
    PumpMessagesFor(200);
    std::wstring file = GalleryFolder(gallery) + L"\\" + std::wstring(name.begin(), name.end()) + L".png";
    EXPECT_TRUE(CaptureWindowToPng(Harness().frame->GetSafeHwnd(), file)) << name;
}

std::wstring PreviewMessageLog()
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + L"morvick-preview-messages-" + std::to_wstring(GetCurrentProcessId()) + L".txt";
}

std::vector<std::string> TakeLoggedMessages()
{
    std::vector<std::string> lines;
    std::wstring path = PreviewMessageLog();
    FILE* f = _wfopen(path.c_str(), L"rb");
    if (f == NULL)
        return lines;
    std::string text;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, f)) > 0;)
        text.append(buffer, n);
    fclose(f);
    DeleteFileW(path.c_str());
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::wstring SamplePath(const std::string& script, const std::string& name)
{
    std::string path = FixtureFile(script, name);
    return std::wstring(path.begin(), path.end());
}

COLORREF Pixels::At(int x, int y) const
{
    uint32_t v = data[static_cast<size_t>(y) * width + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

RECT Pixels::BoundsOfNot(COLORREF background) const
{
    RECT r = {width, height, 0, 0};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (At(x, y) != background) {
                r.left = std::min<LONG>(r.left, x);
                r.top = std::min<LONG>(r.top, y);
                r.right = std::max<LONG>(r.right, x + 1);
                r.bottom = std::max<LONG>(r.bottom, y + 1);
            }
    if (r.right == 0)
        r = RECT{0, 0, 0, 0};
    return r;
}

Pixels Render(int width, int height, const std::function<void(CDC*)>& paint)
{
    Pixels out;
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = -height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* bits = NULL;
    HDC screen = ::GetDC(NULL);
    HDC mem = CreateCompatibleDC(screen);
    ::ReleaseDC(NULL, screen);
    HBITMAP bmp = CreateDIBSection(mem, &bmi, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    RECT all = {0, 0, width, height};
    FillRect(mem, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    {
        CDC dc;
        dc.Attach(mem);
        paint(&dc);
        dc.Detach();
    }
    GdiFlush();
    out.width = width;
    out.height = height;
    out.data.assign(static_cast<uint32_t*>(bits), static_cast<uint32_t*>(bits) + width * height);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    return out;
}

Pixels Snapshot(CWnd* pWnd)
{
    CRect rc;
    pWnd->GetClientRect(&rc);
    return Render(rc.Width(), rc.Height(), [&](CDC* pDC) {
        pWnd->SendMessage(WM_PRINT, reinterpret_cast<WPARAM>(pDC->GetSafeHdc()),
            PRF_CLIENT | PRF_CHILDREN | PRF_ERASEBKGND);
    });
}

}  // namespace morvick::test
