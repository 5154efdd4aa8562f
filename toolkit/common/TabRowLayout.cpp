#include "toolkit/common/TabRowLayout.h"

#include <algorithm>

using tktab::Rect;

namespace {

// The frame that the static-frame switch draws around the whole control.
const Rect kStaticFrame(2, 1, 2, 2);

}  // namespace

void CTKPTabRowLayout::LayoutTabs(const Rect& control)
{
    const int position = m_metrics.position;
    const bool vertical = tktab::IsVertical(position);
    Rect rect = control;
    if (m_metrics.staticFrame)
        rect = tktab::DeflateForPosition(rect, kStaticFrame, position);
    rect = tktab::DeflateForPosition(rect, m_metrics.controlMargin, position);

    if (m_metrics.layout == tktab::layoutMultiRow) {
        LayoutMultiRow(rect);
        return;
    }

    const int count = m_model.GetTabCount();
    for (int i = 0; i < count; ++i) {
        const int width = m_model.IsTabVisible(i) ? m_model.MeasureTab(i) : 0;
        m_model.SetTabLength(i, width);
        m_model.SetTabNaturalLength(i, width);
    }

    m_model.SetClipRect(m_model.GetHeaderRect(rect));
    if (count == 0)
        return;

    const Rect& m = m_metrics.headerMargin;
    int length = (vertical ? rect.Height() : rect.Width()) - m.left - m.right;
    for (int b = m_model.GetNavigateButtonCount() - 1; b >= 0; --b)
        m_model.AdjustNavigateButtonLength(b, length);

    if (m_metrics.layout == tktab::layoutShrink)
        ShrinkTabsToFit(length);

    // A row scrolled further than its tabs need would show a gap at its end.
    int offset = m_model.GetScrollOffset();
    if (offset < 0) {
        const int total = m_model.GetTotalLength();
        const int area = tktab::LengthAlong(GetTabAreaRect(rect), position);
        if (total + offset < area) {
            offset = std::min(area - total, 0);
            m_model.SetScrollOffsetField(offset);
        }
    }

    PlaceSingleRow(rect);

    Rect clip = m_model.GetClipRect();
    const Rect area = GetTabAreaRect(rect);
    if (vertical)
        clip.bottom = area.bottom;
    else
        clip.right = area.right;
    m_model.SetClipRect(clip);
}

void CTKPTabRowLayout::PlaceSingleRow(const Rect& rect)
{
    const int position = m_metrics.position;
    const bool vertical = tktab::IsVertical(position);
    const Rect& m = m_metrics.headerMargin;
    const int h = m_metrics.rowHeight;
    const int count = m_model.GetTabCount();

    int across = 0;  // the row's top (horizontal rows) or left edge (vertical rows)
    if (vertical)
        across = position == tktab::posLeft ? rect.left + m.top : rect.right - m.top - h;
    else
        across = position == tktab::posTop ? rect.top + m.top : rect.bottom - m.top - h;

    int along = (vertical ? rect.top : rect.left) + m.left + m_model.GetScrollOffset();
    const Rect clip = m_model.GetClipRect();
    for (int i = 0; i < count; ++i) {
        const int length = m_model.GetTabLength(i);
        Rect tab;
        if (m_metrics.layout == tktab::layoutRotated) {
            // A hidden tab takes no row here either, instead of leaving a gap of a row height.
            if (!m_model.IsTabVisible(i)) {
                m_model.SetTabRect(i, Rect(along, along, along, along));
                continue;
            }
            switch (position) {
            case tktab::posTop:
                tab = Rect(along, clip.bottom - m.bottom - length, along + h, clip.bottom - m.bottom);
                break;
            case tktab::posBottom:
                tab = Rect(along, clip.top + m.bottom, along + h, clip.top + m.bottom + length);
                break;
            case tktab::posLeft:
                tab = Rect(clip.right - m.bottom - length, along, clip.right - m.bottom, along + h);
                break;
            default:
                tab = Rect(clip.left + m.bottom, along, clip.left + m.bottom + length, along + h);
                break;
            }
            along += h;
        } else {
            tab = vertical ? Rect(across, along, across + h, along + length)
                           : Rect(along, across, along + length, across + h);
            along += length;
        }
        m_model.SetTabRect(i, tab);
    }
}

Rect CTKPTabRowLayout::GetTabAreaRect(const Rect& rect)
{
    Rect area = m_model.GetHeaderRect(rect);
    const Rect& m = m_metrics.headerMargin;
    if (tktab::IsVertical(m_metrics.position)) {
        area.top += m.left + m.right;
        area.bottom -= 1;
    } else {
        area.left += m.left + m.right;
        area.right -= 1;
    }
    for (int b = m_model.GetNavigateButtonCount() - 1; b >= 0; --b)
        m_model.RepositionNavigateButton(b, area);
    return area;
}

void CTKPTabRowLayout::ShrinkTabsToFit(int length)
{
    // No room below 0 and hidden tabs left out, where a row narrower than its margins and buttons gave
    // every tab, hidden ones too, a negative length.
    length = std::max(length, 0);
    if (length >= m_model.GetTotalLength())
        return;

    std::vector<int> order;
    const int count = m_model.GetTabCount();
    for (int i = 0; i < count; ++i) {
        if (m_model.IsTabVisible(i))
            order.push_back(i);
    }
    if (order.empty())
        return;
    if (order.size() == 1) {
        m_model.SetTabLength(order[0], length);
        return;
    }

    std::sort(order.begin(), order.end(),
        [this](int a, int b) { return m_model.GetTabLength(a) > m_model.GetTabLength(b); });

    int total = 0;
    for (int i : order)
        total += m_model.GetTabLength(i);
    int excess = total - length;
    const int n = static_cast<int>(order.size());

    int a = m_model.GetTabLength(order[0]);
    int k = 1;
    while (k < n && m_model.GetTabLength(order[k]) == a)
        ++k;

    while (excess > 0) {
        if (k == n) {
            for (int i : order)
                m_model.SetTabLength(i, length / n);
            return;
        }
        const int b = m_model.GetTabLength(order[k]);
        if ((a - b) * k < excess) {
            for (int g = 0; g < k; ++g)
                m_model.SetTabLength(order[g], b);
            excess -= (a - b) * k;
            a = b;
            while (k < n && m_model.GetTabLength(order[k]) == a)
                ++k;
        } else {
            const int cut = excess / k;
            for (int g = 0; g < k; ++g)
                m_model.SetTabLength(order[g], a - cut);
            return;
        }
    }
}

void CTKPTabRowLayout::LayoutMultiRow(const Rect& rect)
{
    m_model.SetClipRect(m_model.GetHeaderRect(rect));
    m_model.SetScrollOffsetField(0);
    if (m_model.GetTabCount() == 0)
        return;

    const int position = m_metrics.position;
    const Rect& m = m_metrics.headerMargin;
    const int length =
        tktab::FarEnd(GetTabAreaRect(rect), position) - tktab::StartAlong(rect, position) - m.left - m.right;

    ArrangeRows(length);
    PlaceRows(rect, length);

    Rect clip = m_model.GetHeaderRect(rect);
    const Rect area = GetTabAreaRect(rect);
    if (tktab::IsVertical(position))
        clip.bottom = area.bottom;
    else
        clip.right = area.right;
    m_model.SetClipRect(clip);
}

void CTKPTabRowLayout::PlaceRows(const Rect& rect, int length)
{
    const int position = m_metrics.position;
    const bool vertical = tktab::IsVertical(position);
    const Rect& m = m_metrics.headerMargin;
    const int h = m_metrics.rowHeight;
    const int s = m_metrics.rowSpacing;
    const int n = m_model.GetRowCount();

    // The first row lies next to the client area, later rows further out.
    int first = 0, step = 0;
    switch (position) {
    case tktab::posTop:
        first = rect.top + m.top + (n - 1) * (h + s);
        step = -(h + s);
        break;
    case tktab::posLeft:
        first = rect.left + m.top + (n - 1) * (h + s);
        step = -(h + s);
        break;
    case tktab::posBottom:
        first = rect.bottom - (n - 1) * s - n * h - m.top;
        step = h + s;
        break;
    default:
        first = rect.right - (n - 1) * s - n * h - m.top;
        step = h + s;
        break;
    }

    const bool stretch = m_metrics.balancedRows && n > 1;
    for (int row = 0; row < n; ++row) {
        int from = 0, to = -1;
        m_model.GetRow(row, from, to);
        const int across = first + row * step;

        if (stretch) {
            int free = length - RowWidth(from, to);
            int left = 0;
            for (int i = from; i <= to; ++i)
                left += m_model.IsTabVisible(i) ? 1 : 0;
            // Hidden tabs get no share, where a hidden tab's share left a gap in the row.
            for (int i = from; i <= to && free > 0 && left > 0; ++i) {
                if (!m_model.IsTabVisible(i))
                    continue;
                const int extra = free / left;
                m_model.SetTabLength(i, m_model.GetTabLength(i) + extra);
                free -= extra;
                --left;
            }
        }

        int along = (vertical ? rect.top : rect.left) + m.left;
        for (int i = from; i <= to; ++i) {
            const int len = m_model.GetTabLength(i);
            m_model.SetTabRect(i,
                vertical ? Rect(across, along, across + h, along + len) : Rect(along, across, along + len, across + h));
            m_model.SetTabRow(i, row);
            along += len;
        }
    }
}

int CTKPTabRowLayout::RowWidth(int first, int last) const
{
    int width = 0;
    for (int i = first; i <= last; ++i)
        width += m_model.GetTabLength(i);
    return width;
}

void CTKPTabRowLayout::ArrangeRows(int length)
{
    const int count = m_model.GetTabCount();
    int total = 0;
    int rows = 1;
    int rowWidth = 0;
    for (int i = 0; i < count; ++i) {
        const int width = m_model.IsTabVisible(i) ? m_model.MeasureTab(i) : 0;
        m_model.SetTabLength(i, width);
        m_model.SetTabNaturalLength(i, width);
        total += width;
        if (rowWidth > 0 && rowWidth + width > length) {
            ++rows;
            rowWidth = width;
        } else {
            rowWidth += width;
        }
    }

    m_model.SetRowCount(rows);
    if (rows == 1)
        return;

    m_nFillCalls = 0;
    // A search that fails or gives up leaves the greedy split that counted the rows, instead of rows
    // half filled by the failed attempts.
    if (!FillRows(length, 0, total))
        FillRowsGreedily(length);

    if (!m_metrics.keepRowOrder) {
        const int selected = m_model.GetSelectedIndex();
        for (int row = 1; row < rows && selected >= 0; ++row) {
            int first = 0, last = -1;
            m_model.GetRow(row, first, last);
            if (selected >= first && selected <= last) {
                int first0 = 0, last0 = -1;
                m_model.GetRow(0, first0, last0);
                m_model.SetRow(0, first, last);
                m_model.SetRow(row, first0, last0);
                break;
            }
        }
    }
}

bool CTKPTabRowLayout::FillRows(int length, int row, int remaining)
{
    // The search backtracks; a row of many tabs that keeps failing gives up instead of taking ages.
    if (++m_nFillCalls > kMaxFillCalls)
        return false;
    const int rows = m_model.GetRowCount();
    const int count = m_model.GetTabCount();
    const int target = m_metrics.balancedRows ? std::min(remaining / (rows - row), length) : length;

    int first = 0, last = -1;
    m_model.GetRow(row, first, last);
    int width = 0;
    for (int i = first; i < count; ++i) {
        const int w = m_model.GetTabLength(i);
        if (width > 0 && w >= 1 && width + w > target) {
            if (row == rows - 1)
                return false;
            m_model.SetRow(row, first, i - 1);
            m_model.SetRow(row + 1, i, count - 1);
            if (FillRows(length, row + 1, remaining - width))
                return true;
            // The rows after this one cannot take the rest: keep the tab here while the row allows it.
            if (width + w > length)
                return false;
            for (int r = row + 1; r < rows; ++r)
                m_model.SetRow(r, count, count - 1);
        }
        width += w;
    }
    m_model.SetRow(row, first, count - 1);
    return true;
}

void CTKPTabRowLayout::FillRowsGreedily(int length)
{
    // The greedy split that counted the rows always fits.
    const int rows = m_model.GetRowCount();
    const int count = m_model.GetTabCount();
    for (int r = 0; r < rows; ++r)
        m_model.SetRow(r, count, count - 1);
    int row = 0, first = 0, width = 0;
    for (int i = 0; i < count; ++i) {
        const int w = m_model.GetTabLength(i);
        if (width > 0 && width + w > length && row < rows - 1) {
            m_model.SetRow(row, first, i - 1);
            ++row;
            first = i;
            width = 0;
        }
        width += w;
    }
    m_model.SetRow(row, first, count - 1);
}

int CTKPTabRowLayout::GetOffsetToShow(int index) const
{
    const int offset = m_model.GetScrollOffset();
    const Rect clip = m_model.GetClipRect();
    const Rect tab = m_model.GetTabRect(index);
    if (clip.IsEmpty() || tab.IsEmpty())
        return offset;
    const bool vertical = tktab::IsVertical(m_metrics.position);
    const int tabStart = vertical ? tab.top : tab.left;
    const int tabEnd = vertical ? tab.bottom : tab.right;
    const int clipStart = vertical ? clip.top : clip.left;
    const int clipEnd = vertical ? clip.bottom : clip.right;
    if (tabStart < clipStart)
        return m_metrics.headerMargin.left + offset - tabStart + clipStart;
    if (tabEnd > clipEnd)
        return offset - tabEnd + clipEnd;
    return offset;
}
