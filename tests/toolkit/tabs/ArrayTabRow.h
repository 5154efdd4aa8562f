// A tab row held in plain arrays, for running the layout rules without a window: each tab has a
// width that the "appearance" reports, the header band follows the base appearance's rule, and the
// navigation buttons take no room unless a test gives them some.
#pragma once

#include "toolkit/common/TabRowLayout.h"

#include <utility>
#include <vector>

class ArrayTabRow : public CTKPTabRowModel {
public:
    struct Tab {
        int width = 0;
        bool visible = true;
        int length = 0;
        int natural = 0;
        tktab::Rect rect;
        int row = 0;
    };

    explicit ArrayTabRow(const std::vector<int>& widths, int position = tktab::posTop)
    {
        for (int w : widths) {
            Tab t;
            t.width = w;
            t.length = w;
            tabs.push_back(t);
        }
        metrics.position = position;
        metrics.headerMargin = tktab::Rect(2, 3, 6, 0);
        metrics.rowHeight = 20;
        metrics.rowSpacing = -2;
        rows.assign(1, std::make_pair(0, static_cast<int>(tabs.size()) - 1));
    }

    void Layout(const tktab::Rect& control)
    {
        // As the theme does before every layout: one row, every tab in row 0, no clip.
        SetRowCount(1);
        for (Tab& t : tabs)
            t.row = 0;
        clip.Clear();
        CTKPTabRowLayout(*this, metrics).LayoutTabs(control);
    }
    CTKPTabRowLayout Layouter() { return CTKPTabRowLayout(*this, metrics); }

    int GetTabCount() const override { return static_cast<int>(tabs.size()); }
    bool IsTabVisible(int i) const override { return tabs[i].visible; }
    int MeasureTab(int i) override { return tabs[i].width; }
    int GetTabLength(int i) const override { return tabs[i].length; }
    void SetTabLength(int i, int length) override { tabs[i].length = length; }
    void SetTabNaturalLength(int i, int length) override { tabs[i].natural = length; }
    tktab::Rect GetTabRect(int i) const override { return tabs[i].rect; }
    void SetTabRect(int i, const tktab::Rect& rect) override { tabs[i].rect = rect; }
    void SetTabRow(int i, int row) override { tabs[i].row = row; }
    int GetSelectedIndex() const override { return selected; }

    int GetRowCount() const override { return static_cast<int>(rows.size()); }
    void SetRowCount(int count) override
    {
        const int n = GetTabCount();
        rows.assign(count, std::make_pair(n, n - 1));
        if (count > 0)
            rows[0] = std::make_pair(0, n - 1);
    }
    void GetRow(int row, int& first, int& last) const override
    {
        first = rows[row].first;
        last = rows[row].second;
    }
    void SetRow(int row, int first, int last) override { rows[row] = std::make_pair(first, last); }

    tktab::Rect GetClipRect() const override { return clip; }
    void SetClipRect(const tktab::Rect& rect) override { clip = rect; }
    int GetScrollOffset() const override { return offset; }
    void SetScrollOffsetField(int value) override { offset = value; }
    int GetTotalLength() const override
    {
        int total = 0;
        for (const Tab& t : tabs)
            total += metrics.layout == tktab::layoutRotated ? (t.visible ? metrics.rowHeight : 0) : t.length;
        return total;
    }

    tktab::Rect GetHeaderRect(const tktab::Rect& control) override
    {
        int longest = 0;
        if (metrics.layout == tktab::layoutRotated) {
            for (const Tab& t : tabs)
                longest = std::max(longest, t.length);
        }
        return tktab::HeaderBand(control, metrics.position, GetRowCount(), metrics.rowHeight, metrics.rowSpacing,
            metrics.headerMargin, longest);
    }

    // Buttons of a fixed size that are always shown.
    int GetNavigateButtonCount() const override { return static_cast<int>(buttonWidths.size()); }
    void AdjustNavigateButtonLength(int b, int& length) override { length -= buttonWidths[b]; }
    void RepositionNavigateButton(int b, tktab::Rect& row) override
    {
        tktab::PlaceAtFarEnd(row, metrics.position, buttonWidths[b], buttonWidths[b]);
    }

    std::vector<int> Lengths() const
    {
        std::vector<int> v;
        for (const Tab& t : tabs)
            v.push_back(t.length);
        return v;
    }

    std::vector<Tab> tabs;
    std::vector<std::pair<int, int>> rows;
    std::vector<int> buttonWidths;
    TKTabRowMetrics metrics;
    tktab::Rect clip;
    int offset = 0;
    int selected = -1;
};
