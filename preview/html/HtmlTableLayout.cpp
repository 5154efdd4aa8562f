// Tables: column widths from the cells' narrowest and natural widths, the table's width from its
// attribute or the available width, then rows as high as their tallest cells and at least as high as
// their cells' height attributes (the padding comes on top).
#include "preview/html/HtmlLayout.h"

#include "preview/html/HtmlPage.h"

#include <algorithm>

namespace {

// The columns' widths and gaps: spacing and border around, spacing and twice the padding between.
long long TableTotal(const std::vector<int>& widths, const CHtmlCell& t)
{
    long long total = t.spacing + 2LL * t.border;
    for (int w : widths)
        total += w + t.spacing + 2LL * t.padding;
    return total;
}

int TargetWidth(const CHtmlCell& t, int available)
{
    if (t.tableWidth > 0)
        return t.tableWidth;
    if (t.tableWidth < 0)
        return static_cast<int>(static_cast<long long>(std::max(available, 0)) * -t.tableWidth / 100);
    return std::max(available, 0);
}

int FixedWidthOf(const CHtmlCell& cell, int available)
{
    if (cell.percentWidth)
        return static_cast<int>(static_cast<long long>(std::max(available, 0)) * cell.fixedWidth / 100);
    return cell.fixedWidth;
}

// Grows the columns of a span until they (with the gaps between them) are `need` wide: one pixel
// in turns to each column that is not fixed and not empty, else to each column of the span.
void WidenSpan(std::vector<int>& widths, const std::vector<char>& fixed, int column, int span, long long gap,
    long long need)
{
    long long have = gap;
    for (int c = column; c < column + span; ++c)
        have += widths[static_cast<size_t>(c)];
    if (have >= need)
        return;
    std::vector<size_t> eligible;
    for (int c = column; c < column + span; ++c) {
        if (!fixed[static_cast<size_t>(c)] && widths[static_cast<size_t>(c)] > 0)
            eligible.push_back(static_cast<size_t>(c));
    }
    if (eligible.empty()) {
        for (int c = column; c < column + span; ++c)
            eligible.push_back(static_cast<size_t>(c));
    }
    HtmlDistribute(widths, eligible, need - have);
}

// Brings the columns to the target: growing those below their natural width, then (for a table
// with a width) all that are not fixed; or shrinking the widest that are above 10 pixels and above
// their narrowest width.
void FitColumns(std::vector<int>& widths, const std::vector<int>& minimum, const std::vector<int>& natural,
    const std::vector<char>& fixed, const CHtmlCell& t, long long target)
{
    const size_t n = widths.size();
    long long total = TableTotal(widths, t);
    if (total < target) {
        long long deficit = target - total;
        while (deficit > 0) {
            std::vector<size_t> eligible;
            long long room = -1;
            for (size_t c = 0; c < n; ++c) {
                if (fixed[c] || widths[c] >= natural[c])
                    continue;
                eligible.push_back(c);
                long long r = natural[c] - widths[c];
                room = room < 0 ? r : std::min(room, r);
            }
            if (eligible.empty())
                break;
            long long each = deficit / static_cast<long long>(eligible.size());
            if (each == 0) {
                HtmlDistribute(widths, eligible, deficit);
                deficit = 0;
                break;
            }
            long long step = std::min(each, room);
            for (size_t c : eligible)
                widths[c] += static_cast<int>(step);
            deficit -= step * static_cast<long long>(eligible.size());
        }
        if (deficit > 0 && t.tableWidth != 0) {
            std::vector<size_t> eligible;
            for (size_t c = 0; c < n; ++c) {
                if (!fixed[c])
                    eligible.push_back(c);
            }
            HtmlDistribute(widths, eligible, deficit);
        }
        return;
    }
    long long excess = total - target;
    while (excess > 0) {
        auto floorOf = [&](size_t c) { return std::max(10, minimum[c]); };
        int widest = -1;
        for (size_t c = 0; c < n; ++c) {
            if (!fixed[c] && widths[c] > floorOf(c))
                widest = std::max(widest, widths[c]);
        }
        if (widest < 0)
            break;
        std::vector<size_t> top;
        int below = 0;  // the next lower width of a column that can shrink
        long long room = widest;
        for (size_t c = 0; c < n; ++c) {
            if (fixed[c] || widths[c] <= floorOf(c))
                continue;
            if (widths[c] == widest) {
                top.push_back(c);
                room = std::min<long long>(room, widest - floorOf(c));
            } else {
                below = std::max(below, widths[c]);
            }
        }
        long long step = std::min<long long>(room, widest - below);
        long long count = static_cast<long long>(top.size());
        if (excess >= step * count) {
            for (size_t c : top)
                widths[c] -= static_cast<int>(step);
            excess -= step * count;
        } else {
            long long each = excess / count, rest = excess % count;
            for (size_t k = 0; k < top.size(); ++k)
                widths[top[k]] -= static_cast<int>(each + (static_cast<long long>(k) < rest ? 1 : 0));
            excess = 0;
        }
    }
}

}  // namespace

void CHtmlLayout::CellWidths(CHtmlBox& box, int available, int* minimum, int* natural)
{
    CHtmlCell& cell = *box.cell;
    // The widths are reused only for the available width they were worked out for (a percentage
    // width is a share of it). The content is measured once, though, not again for each width: its
    // widths hold for any, and measuring a table inside a cell at no width, at full width and at
    // its own made nested tables take time growing threefold with each level.
    if (cell.cacheMin < 0)
        cell.cacheMin = MeasureWidth(box.children, 0);
    if (cell.cacheMax < 0 || cell.cacheAvailable != available) {
        int fixed = FixedWidthOf(cell, available);
        if (fixed <= 0 && cell.cacheNatural < 0)
            cell.cacheNatural = MeasureWidth(box.children, 2000);
        cell.cacheMax = fixed > 0 ? std::max(cell.cacheMin, fixed) : cell.cacheNatural;
        cell.cacheChosen = std::max(cell.cacheMin, fixed);
        cell.cacheAvailable = available;
    }
    *minimum = cell.cacheMin;
    *natural = std::max(cell.cacheMax, cell.cacheMin);
}

void CHtmlLayout::ColumnWidths(HtmlBoxList& boxes, size_t first, size_t last, int available, Columns& columns)
{
    const CHtmlCell& t = *boxes[first]->cell;
    int count = 0;
    for (size_t b = first; b <= last; ++b) {
        const CHtmlCell& cell = *boxes[b]->cell;
        count = std::max(count, std::min(cell.column + cell.colSpan, kHtmlMaxColumns));
    }
    columns.minimum.assign(static_cast<size_t>(count), 0);
    columns.natural.assign(static_cast<size_t>(count), 0);
    columns.width.assign(static_cast<size_t>(count), 0);
    columns.fixed.assign(static_cast<size_t>(count), 0);
    std::vector<int> chosen(static_cast<size_t>(count), 0);
    for (size_t b = first; b <= last; ++b) {
        const CHtmlCell& cell = *boxes[b]->cell;
        if (cell.colSpan != 1 || cell.column >= count)
            continue;
        size_t c = static_cast<size_t>(cell.column);
        int minimum = 0, natural = 0;
        CellWidths(*boxes[b], available, &minimum, &natural);
        int fixed = FixedWidthOf(cell, available);
        if (fixed > 0) {
            columns.fixed[c] = 1;
            minimum = std::max(minimum, fixed);
            chosen[c] = std::max(chosen[c], minimum);
        }
        columns.minimum[c] = std::max(columns.minimum[c], minimum);
        columns.natural[c] = std::max(columns.natural[c], natural);
    }
    const long long between = t.spacing + 2LL * t.padding;
    for (size_t b = first; b <= last; ++b) {
        const CHtmlCell& cell = *boxes[b]->cell;
        if (cell.colSpan == 1 || cell.column >= count)
            continue;
        int span = std::min(cell.colSpan, count - cell.column);
        int minimum = 0, natural = 0;
        CellWidths(*boxes[b], available, &minimum, &natural);
        int fixed = FixedWidthOf(cell, available);
        long long gap = (span - 1) * between;
        WidenSpan(columns.natural, columns.fixed, cell.column, span, gap, std::max(natural, fixed));
        WidenSpan(columns.minimum, columns.fixed, cell.column, span, gap, std::max(minimum, fixed));
    }
    for (size_t c = 0; c < static_cast<size_t>(count); ++c) {
        columns.natural[c] = std::max(columns.natural[c], columns.minimum[c]);
        columns.width[c] = columns.fixed[c] ? std::max(chosen[c], columns.minimum[c]) : columns.natural[c];
    }
    FitColumns(columns.width, columns.minimum, columns.natural, columns.fixed, t, TargetWidth(t, available));
}

int CHtmlLayout::TableWidth(HtmlBoxList& boxes, size_t first, size_t last, int available)
{
    Columns columns;
    ColumnWidths(boxes, first, last, available, columns);
    return static_cast<int>(std::min<long long>(TableTotal(columns.width, *boxes[first]->cell), 1 << 28));
}

void CHtmlLayout::LayoutTable(HtmlBoxList& boxes, size_t first, size_t last, int x, int y, int available, int* width,
    int* height)
{
    const CHtmlCell& t = *boxes[first]->cell;
    Columns columns;
    ColumnWidths(boxes, first, last, available, columns);
    const int count = static_cast<int>(columns.width.size());
    const int padding = t.padding;
    const long long between = t.spacing + 2LL * padding;

    std::vector<long long> columnX(static_cast<size_t>(count) + 1);
    columnX[0] = static_cast<long long>(x) + t.spacing;
    for (int c = 0; c < count; ++c)
        columnX[c + 1] = columnX[c] + columns.width[static_cast<size_t>(c)] + between;

    // Content first: each cell at its width, from y 0.
    int rows = 0;
    std::vector<int> contentHeight(last - first + 1, 0);
    for (size_t b = first; b <= last; ++b) {
        CHtmlBox& box = *boxes[b];
        const CHtmlCell& cell = *box.cell;
        rows = std::max(rows, cell.row + cell.rowSpan);
        int column = std::min(cell.column, count - 1);
        int span = std::min(cell.colSpan, count - column);
        long long cellWidth = columnX[column + span] - columnX[column] - t.spacing;
        box.x = static_cast<int>(columnX[column]);
        box.width = static_cast<int>(std::min<long long>(cellWidth, 1 << 28));
        HtmlRect inner{box.x + padding, 0, box.x + box.width - padding, 0};
        LayoutBoxes(inner, box.children);
        contentHeight[b - first] = inner.bottom;
    }

    std::vector<int> rowHeight(static_cast<size_t>(rows), 0);
    for (size_t b = first; b <= last; ++b) {
        const CHtmlCell& cell = *boxes[b]->cell;
        if (cell.rowSpan == 1)
            rowHeight[static_cast<size_t>(cell.row)] = std::max(
                {rowHeight[static_cast<size_t>(cell.row)], contentHeight[b - first], cell.heightAttr});
    }
    for (size_t b = first; b <= last; ++b) {
        const CHtmlCell& cell = *boxes[b]->cell;
        if (cell.rowSpan == 1)
            continue;
        long long need = std::max(contentHeight[b - first], cell.heightAttr);
        // The gaps between the spanned rows are part of the cell's height: left out, the rows grew
        // by room the cell already had.
        long long have = (cell.rowSpan - 1) * between;
        std::vector<size_t> spanned;
        for (int r = cell.row; r < cell.row + cell.rowSpan; ++r) {
            have += rowHeight[static_cast<size_t>(r)];
            spanned.push_back(static_cast<size_t>(r));
        }
        if (have < need)
            HtmlDistribute(rowHeight, spanned, need - have);
    }
    std::vector<long long> rowY(static_cast<size_t>(rows) + 1);
    rowY[0] = static_cast<long long>(y) + t.spacing;
    for (int r = 0; r < rows; ++r)
        rowY[r + 1] = rowY[r] + rowHeight[static_cast<size_t>(r)] + between;

    for (size_t b = first; b <= last; ++b) {
        CHtmlBox& box = *boxes[b];
        const CHtmlCell& cell = *box.cell;
        long long cellHeight = rowY[cell.row + cell.rowSpan] - rowY[cell.row] - t.spacing;
        box.y = static_cast<int>(std::min<long long>(rowY[cell.row], 1 << 30));
        box.height = static_cast<int>(std::min<long long>(cellHeight, 1 << 28));
        int free = box.height - 2 * padding - contentHeight[b - first];
        int down = box.verticalAlign == kVAlignBottom ? free : box.verticalAlign == kVAlignMiddle ? free / 2 : 0;
        box.Offset(0, box.y + padding + std::max(down, 0));
    }
    *width = static_cast<int>(std::min<long long>(TableTotal(columns.width, t), 1 << 28));
    *height = static_cast<int>(std::min<long long>(rowY[rows] + t.border - y, 1 << 28));
}
