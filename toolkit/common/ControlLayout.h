// The arithmetic of a command bar's layout: its controls (given as records of their sizes, group
// starts and flags) wrapped into rows (or columns), measured, fitted to a length or a height, made
// square for floating bars, placed with their row rectangles, far-end controls moved to the end of
// the last row and stretched controls given the free room. Portable, so it is tested natively.
#pragma once

#include <cstdint>
#include <vector>

struct TKLayoutRect {
    int left, top, right, bottom;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    void Offset(int dx, int dy)
    {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
};

struct TKLayoutSize {
    int cx, cy;
};

// One control of the layout.
struct TKPLayoutRecord {
    TKLayoutRect rcControl;  // result (and the current place when the layout starts)
    TKLayoutRect rcRow;      // the row or column holding the control
    int cx, cy;              // the control's size
    bool bVisible;           // no hide flag other than the overflow one
    bool bWrap;              // starts a new row (column)
    bool bHidden;            // did not fit (one-row layouts)
    bool bBeginGroup;
    std::uint32_t dwFlags;  // flagRightAlign, flagStretched
};

class CTKPControlLayout {
public:
    enum : std::uint32_t {
        modeStretch = 0x1,
        modeHorz = 0x2,
        modeMRUWidth = 0x4,
        modeHorzDock = 0x8,
        modeVertDock = 0x10,
        modeLengthY = 0x20,
        modeCommit = 0x40,
        modeHideWrap = 0x80,
        modePopup = 0x100,
    };
    enum : std::uint32_t { flagRightAlign = 0x1, flagStretched = 0x20 };
    enum { GROUP_GAP = 6 };

    // Borders as widths.
    struct Borders {
        int left, top, right, bottom;
    };

    // The whole layout: sizes with borders; with modeCommit the records' rectangles, row rectangles,
    // wrap and hidden flags are the result. nMRUWidth is the bar's remembered floating width.
    static TKLayoutSize Layout(std::vector<TKPLayoutRecord>& records, int nLength, std::uint32_t dwMode,
        const Borders& borders, int nMinThickness, TKLayoutSize sizeSeparator, int nMRUWidth);

    // Sets the wrap (and, in one-row mode, hidden) flags for a length; sets modeStretch in dwMode when
    // it hid something, or when it wrapped outside one-row mode (where only a first control longer
    // than the length wraps, and that sets nothing). A group start inside a row takes nGroupGap
    // more (the separator's length, so that rows measure as they are placed). Returns the number of
    // rows; in one-row mode, once it hides, the number of wraps before (0, or 1 after a long first
    // control).
    static int WrapControls(std::vector<TKPLayoutRecord>& records, int nLength, std::uint32_t& dwMode,
        int nGroupGap = GROUP_GAP);
    // Places the records by their wrap flags from (0, 0) (columns leftwards in vertical mode) and
    // returns the size.
    static TKLayoutSize CalcLayoutSize(std::vector<TKPLayoutRecord>& records, TKLayoutSize sizeSeparator, bool bVert);
    // The fitted layout: the fewest rows at the length, as narrow as they can be; with modeLengthY the
    // narrowest layout not taller than the length.
    static void SizeControls(std::vector<TKPLayoutRecord>& records, int nLength, std::uint32_t dwMode,
        TKLayoutSize sizeSeparator);
    // The widths of the rows wrapped as narrow and as wide as they go.
    static void WidthRange(std::vector<TKPLayoutRecord>& records, std::uint32_t dwMode, TKLayoutSize sizeSeparator,
        int& nNarrowest, int& nWidest);
    // The layout closest to a square.
    static void SquareLayout(std::vector<TKPLayoutRecord>& records, std::uint32_t dwMode, TKLayoutSize sizeSeparator);
    // Far-end controls of the last row and stretched controls (commit only); size includes borders.
    static void AdjustRightAlignAndStretch(std::vector<TKPLayoutRecord>& records, TKLayoutSize size,
        const Borders& borders, std::uint32_t dwMode);

private:
    static bool IsShown(const TKPLayoutRecord& r) { return r.bVisible && !r.bHidden; }
    static void CommitRows(std::vector<TKPLayoutRecord>& records, TKLayoutSize sizeMeasured, const Borders& borders,
        bool bVert);
};
