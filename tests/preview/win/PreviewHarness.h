// One main frame with the preview state, its document and the preview pane for the whole test
// program (a shown top-level window costs seconds to destroy under Wine), and helpers that make
// pictures and files and read pixels back.
#pragma once

#include "classlib/win/AfxWin.h"
#include "preview/win/host/PreviewDocument.h"
#include "preview/win/host/PreviewFrameState.h"
#include "preview/win/pane/MainPreviewView.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CTKPCommandBarsTheme;

class CTestPreviewDoc : public CPreviewDocument {
    DECLARE_DYNCREATE(CTestPreviewDoc)
};

class CTestPreviewFrame : public CFrameWnd, public CPreviewFrameState {
    DECLARE_DYNAMIC(CTestPreviewFrame)
public:
    CWnd* GetPreviewFocusTarget() override { return &m_resultList; }
    int GetScanMode() const override { return m_nScanMode; }
    CListBox m_resultList;  // stands for the results page's file list
    int m_nScanMode = 2;    // the scan that found the files
};

namespace morvick::test {

struct PreviewHarness {
    CTestPreviewFrame* frame = nullptr;
    CTestPreviewDoc* doc = nullptr;
    CMainPreviewView* pane = nullptr;
};

// Made on first use: an 800 x 600 frame, the pane filling it below a 40-pixel list.
PreviewHarness& Harness();

// The frame's request, followed by what the result list does after it (m_bPreviewable back to 0).
void Preview(const std::wstring& path, const std::wstring& extension);

void Pump();

// A folder of this run under the temporary folder (made on first use) and a file in it.
std::wstring TempFolder();
std::wstring TempFile(const std::wstring& name);
bool WriteBytes(const std::wstring& path, const std::vector<uint8_t>& bytes);
// A 24-bit BMP of one colour with a 1-pixel black border.
std::vector<uint8_t> BmpBytes(int width, int height, COLORREF color);
// An uncompressed 24-bit AVI in the temporary folder, written through the platform's AVI library:
// `frames` frames of width x height at `rate` frames a second, pixel (x, y) of a frame coloured
// color(frame, x, y). Empty when the library cannot write it.
std::wstring WriteAvi(const std::wstring& name, int width, int height, int frames, int rate,
    const std::function<COLORREF(int frame, int x, int y)>& color);
// One second of silence (8-bit mono PCM) in the temporary folder.
std::wstring WriteWave(const std::wstring& name);
// A sample of a fixture script as a Windows path.
std::wstring SamplePath(const std::string& script, const std::string& name);

// Lets the frame paint and saves what the screen shows of it as <name>.png in the named gallery
// (build/windows/<gallery>-gallery).
void CaptureToGallery(const std::string& gallery, const std::string& name);

// The file the program's message boxes are logged to, and the lines logged since the last call
// ("kind<TAB>text").
std::wstring PreviewMessageLog();
std::vector<std::string> TakeLoggedMessages();

// Installs a command-bar theme for the life of the object, by its number or the way the program
// installs its own (as a custom theme, whose number becomes 5), and then puts back what was
// installed before: no theme, or a new theme of the earlier number.
class ScopedBarTheme {
public:
    explicit ScopedBarTheme(int nTheme);
    explicit ScopedBarTheme(CTKPCommandBarsTheme* pTheme);
    ~ScopedBarTheme();
    ScopedBarTheme(const ScopedBarTheme&) = delete;
    ScopedBarTheme& operator=(const ScopedBarTheme&) = delete;

private:
    int m_nEarlier;  // -1: none was installed
};

// Pixels of a window's OnDraw-style painting: paint(dc) draws into a 32-bit top-down section of
// the given size; the result holds 0x00RRGGBB values.
struct Pixels {
    int width = 0, height = 0;
    std::vector<uint32_t> data;
    COLORREF At(int x, int y) const;
    // The smallest rectangle holding every pixel that is not `background`; empty when none.
    RECT BoundsOfNot(COLORREF background) const;
};
Pixels Render(int width, int height, const std::function<void(CDC*)>& paint);
// What the screen shows of a window and its children (through a print into a memory DC).
Pixels Snapshot(CWnd* pWnd);

}  // namespace morvick::test
