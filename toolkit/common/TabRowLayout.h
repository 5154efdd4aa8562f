// The layout rules of a tab row: every tab's length and rectangle, the split into rows, shrinking to
// the room there is, the scroll offset that keeps the row without a gap and brings a tab into view.
// The rules see the row through CTKPTabRowModel, which the tab theme implements over a tab manager
// and its appearance, and which the tests implement over plain arrays.
#pragma once

#include "toolkit/common/TabGeometry.h"

#include <vector>

// What the layout reads of the theme and the appearance for one pass.
struct TKTabRowMetrics {
    int position = tktab::posTop;
    int layout = tktab::layoutNatural;
    bool staticFrame = false;
    tktab::Rect controlMargin;
    bool balancedRows = true;
    bool keepRowOrder = false;
    tktab::Rect headerMargin;  // the appearance's header margin, in position terms
    int rowHeight = 18;        // the appearance's row height for this manager
    int rowSpacing = -2;       // negative values overlap the rows
};

// The tab row that the layout arranges: the tabs, the rows, the clip rectangle, the scroll offset,
// and the appearance's and navigation buttons' answers.
class CTKPTabRowModel {
public:
    virtual ~CTKPTabRowModel() = default;

    virtual int GetTabCount() const = 0;
    virtual bool IsTabVisible(int index) const = 0;
    // The tab's natural width from the appearance.
    virtual int MeasureTab(int index) = 0;
    virtual int GetTabLength(int index) const = 0;
    virtual void SetTabLength(int index, int length) = 0;
    virtual void SetTabNaturalLength(int index, int length) = 0;
    virtual tktab::Rect GetTabRect(int index) const = 0;
    virtual void SetTabRect(int index, const tktab::Rect& rect) = 0;
    virtual void SetTabRow(int index, int row) = 0;
    // Index of the selected tab, -1 when none.
    virtual int GetSelectedIndex() const = 0;

    // Rows as (first, last) index pairs. Setting a count starts every row empty but the first, which
    // holds all tabs.
    virtual int GetRowCount() const = 0;
    virtual void SetRowCount(int count) = 0;
    virtual void GetRow(int row, int& first, int& last) const = 0;
    virtual void SetRow(int row, int first, int last) = 0;

    virtual tktab::Rect GetClipRect() const = 0;
    virtual void SetClipRect(const tktab::Rect& rect) = 0;
    virtual int GetScrollOffset() const = 0;
    // Written directly, without the re-layout that the manager's own setter asks for.
    virtual void SetScrollOffsetField(int offset) = 0;
    // Sum of the tabs' laid-out lengths (the rotated layout counts row heights instead).
    virtual int GetTotalLength() const = 0;

    // The appearance's header band for the control rectangle and the present number of rows.
    virtual tktab::Rect GetHeaderRect(const tktab::Rect& control) = 0;

    virtual int GetNavigateButtonCount() const = 0;
    // The button takes its share of the length left for tabs.
    virtual void AdjustNavigateButtonLength(int button, int& length) = 0;
    // The button places itself at the far end of the row and takes its room off the row.
    virtual void RepositionNavigateButton(int button, tktab::Rect& row) = 0;
};

class CTKPTabRowLayout {
public:
    CTKPTabRowLayout(CTKPTabRowModel& model, const TKTabRowMetrics& metrics) : m_model(model), m_metrics(metrics) {}

    // The whole layout of the row in the control rectangle.
    void LayoutTabs(const tktab::Rect& control);
    // The rows of the multi-row layout.
    void LayoutMultiRow(const tktab::Rect& rect);
    void ArrangeRows(int length);
    bool FillRows(int length, int row, int remaining);
    // Shrinks the visible tabs, longest first, until they fit the length.
    void ShrinkTabsToFit(int length);
    // The room for tabs in the header, after the navigation buttons took theirs.
    tktab::Rect GetTabAreaRect(const tktab::Rect& rect);
    // The scroll offset that brings the tab into view (it is only computed here; the caller stores it
    // through the manager), or the present offset when the tab is already in view or not laid out.
    int GetOffsetToShow(int index) const;

private:
    void PlaceSingleRow(const tktab::Rect& rect);
    void PlaceRows(const tktab::Rect& rect, int length);
    void FillRowsGreedily(int length);
    int RowWidth(int first, int last) const;

    enum { kMaxFillCalls = 20000 };

    CTKPTabRowModel& m_model;
    TKTabRowMetrics m_metrics;
    int m_nFillCalls = 0;
};

// When the two scroll buttons are enabled and when a scroll button shown "when needed" is needed.
namespace tktab {

// The scroll-towards-start button is enabled while the row is scrolled.
inline bool IsStartButtonEnabled(int scrollOffset)
{
    return scrollOffset < 0;
}
// The scroll-towards-end button is enabled while tabs reach past the row less both scroll buttons.
inline bool IsEndButtonEnabled(int totalLength, int scrollOffset, int rowLength)
{
    return totalLength + scrollOffset > rowLength - 28;
}
// A scroll button shown "when needed" stays hidden in the shrinking layout and while the unscrolled
// tabs fit the row.
inline bool IsScrollButtonNeeded(int layout, int totalLength, int scrollOffset, int headerMarginLeft, int rowLength)
{
    if (layout == layoutShrink)
        return false;
    return !(scrollOffset == 0 && totalLength + scrollOffset - headerMarginLeft - 1 <= rowLength);
}

}  // namespace tktab
