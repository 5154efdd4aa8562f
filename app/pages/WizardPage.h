// What the five pages of the wizard share: their window class, the background and header band they
// draw, the mode summary in the bottom-left corner, the tool buttons, and the mark the test driver
// reads to tell the pages apart.
#pragma once

#include "classlib/win/AfxWin.h"
#include "ui/controls/win/PaneSplitter.h"
#include "ui/controls/win/ToolButton.h"

class CDeviceTreeCtrl;
class CInfoPane;

class CWizardPage : public CView {
    DECLARE_DYNAMIC(CWizardPage)
public:
    // The height of the header band every page draws at its top.
    static constexpr int kHeaderHeight = 70;
    // The strip at the bottom that holds the buttons and the mode summary.
    static constexpr int kBottomStrip = 50;
    // The window property that holds the page number plus one (for the test driver).
    static const wchar_t kPageProperty[];

    // The page number (0 to 4).
    int PageNumber() const { return m_nPage; }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnDraw(CDC* pDC) override;

    // Draws the page into dc as the screen shows it (the tests call this too).
    void DrawPage(CDC* dc, const CRect& client);

    // A bitmap stretched over a rectangle.
    static void DrawStretched(CDC* dc, UINT bitmapId, const CRect& rect);
    // The header band: the left and right pictures at their own size, the middle one stretched
    // between them at its own height.
    static void DrawHeaderBand(CDC* dc, const CRect& client, UINT leftId, UINT middleId, UINT rightId);
    // The size of a bitmap resource (0, 0 when it is missing).
    static CSize BitmapSize(UINT bitmapId);

protected:
    explicit CWizardPage(int page);

    // The background bitmap and the three pictures of the header band.
    virtual UINT BackgroundBitmap() const;
    virtual void HeaderBitmaps(UINT& left, UINT& middle, UINT& right) const = 0;
    // Draws what lies on the background besides the header (default: the mode summary).
    virtual void DrawContents(CDC* dc, const CRect& client);
    // The mode summary at the bottom left, in the page's font.
    void DrawModeText(CDC* dc, const CRect& client);

public:
    // Where the mode summary is drawn: room for all of it in the font selected into dc.
    static CRect ModeTextRect(CDC* dc, const CRect& client);

protected:
    // A tool button of the bottom strip: owner-drawn, with its two pictures and its tooltip.
    BOOL CreateToolButton(morvick::ui::CToolButton& button, UINT command, UINT normal, UINT hover, LPCWSTR tip);
    // The device tree on the left of a splitter and an information pane (made on the heap, owned by
    // its window) on the right, with the smallest widths of both. FALSE when a window fails.
    BOOL CreateTreeAndPane(CDeviceTreeCtrl& tree, UINT treeId, CInfoPane* pane, morvick::ui::CPaneSplitter& splitter,
        int treeMinimum, int paneMinimum);
    // The bottom strip of a page with a tree: the main button (Next or Scan) with Stop in its place,
    // Back beside it, Home without room, and the splitter between the header band and the strip.
    void PlaceButtonsAndSplitter(morvick::ui::CToolButton& main, morvick::ui::CToolButton& stop,
        morvick::ui::CToolButton& back, morvick::ui::CToolButton& home, morvick::ui::CPaneSplitter& splitter, int cx,
        int cy);
    // Shows and enables, or hides and disables, a window.
    static void ShowEnabled(CWnd& window, BOOL show);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

    CFont m_pageFont;  // "Arial", 16 pixels, regular

private:
    int m_nPage;
};
