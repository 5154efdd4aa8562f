// The box layout behind CHtmlPage::Layout: lines that wrap, align and justify, floating pictures,
// and tables that size their columns from their cells' narrowest and natural widths.
#pragma once

#include "preview/html/HtmlBox.h"
#include "preview/html/HtmlHost.h"

#include <vector>

class CHtmlPage;

class CHtmlLayout {
public:
    explicit CHtmlLayout(CHtmlPage& page);

    // Lays the boxes out from rect.top between rect.left and rect.right; rect.bottom becomes the
    // bottom of the last line (or of a float that reaches further).
    void LayoutBoxes(HtmlRect& rect, HtmlBoxList& boxes);
    // The width the boxes take when laid out in `available` pixels (the widest line, or the widest
    // box that does not fit), without placing them.
    int MeasureWidth(HtmlBoxList& boxes, int available);

    // The table of cells [first, last] of boxes, laid out with its top-left corner at (x, y) in
    // `available` pixels; its size.
    void LayoutTable(HtmlBoxList& boxes, size_t first, size_t last, int x, int y, int available, int* width,
        int* height);
    // The width of that table in `available` pixels.
    int TableWidth(HtmlBoxList& boxes, size_t first, size_t last, int available);

private:
    struct Columns {
        std::vector<int> minimum, natural, width;
        std::vector<char> fixed;
    };
    void ColumnWidths(HtmlBoxList& boxes, size_t first, size_t last, int available, Columns& columns);
    // A cell's narrowest and natural content widths, worked out once per layout.
    void CellWidths(CHtmlBox& cell, int available, int* minimum, int* natural);
    void PrepareImage(CHtmlBox& box, int available);
    void SizeContainer(CHtmlBox& box, int available);
    size_t CellRunEnd(const HtmlBoxList& boxes, size_t first) const;

    CHtmlPage& m_page;
};

// Adds `amount` pixels to the values at the indexes, one pixel each in turn from the first index
// on (all in one step: every index gets amount / n, the first amount % n one more).
void HtmlDistribute(std::vector<int>& values, const std::vector<size_t>& indexes, long long amount);
