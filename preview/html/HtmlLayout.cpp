// Lines, alignment, floats and the page's Layout.
#include "preview/html/HtmlLayout.h"

#include "preview/html/HtmlPage.h"
#include "preview/html/HtmlText.h"

#include <algorithm>

namespace {

// The largest side of a picture box.
constexpr int kMaxPictureSide = 32768;

struct LineItem {
    size_t first;
    size_t last;
    int x;
    int width;
    int height;
    bool table;
};

struct ActiveFloat {
    int bottom;
    int side;
    int width;
};

// A single space, preformatted or not: it does not count at the end of a line, and never wraps to
// the next.
bool IsWordSpace(const CHtmlBox& box)
{
    return box.IsSpace();
}

}  // namespace

void HtmlDistribute(std::vector<int>& values, const std::vector<size_t>& indexes, long long amount)
{
    if (indexes.empty() || amount <= 0)
        return;
    long long n = static_cast<long long>(indexes.size());
    long long each = amount / n;
    long long rest = amount % n;
    for (size_t k = 0; k < indexes.size(); ++k) {
        long long v = values[indexes[k]] + each + (static_cast<long long>(k) < rest ? 1 : 0);
        values[indexes[k]] = static_cast<int>(std::min<long long>(v, 1 << 28));
    }
}

CHtmlLayout::CHtmlLayout(CHtmlPage& page) : m_page(page) {}

size_t CHtmlLayout::CellRunEnd(const HtmlBoxList& boxes, size_t first) const
{
    size_t last = first;
    while (last + 1 < boxes.size() && boxes[last + 1]->IsCell())
        ++last;
    return last;
}

void CHtmlLayout::PrepareImage(CHtmlBox& box, int available)
{
    CHtmlImageList& images = m_page.Images();
    if (m_page.Host() != nullptr)
        m_page.Host()->OnParseProgress(1, box.image, images.GetCount());
    int width = box.wantWidth < 0
        ? static_cast<int>(static_cast<long long>(std::max(available, 0)) * -box.wantWidth / 100)
        : box.wantWidth;
    int height = box.wantHeight;
    CHtmlImage* image = images.GetAt(box.image);
    if (image != nullptr && image->Decode(m_page.WaitForImages()))
        image->ScaleSize(&width, &height);
    box.width = HtmlClamp(width, 0, kMaxPictureSide);
    box.height = HtmlClamp(height, 0, kMaxPictureSide);
}

void CHtmlLayout::SizeContainer(CHtmlBox& box, int available)
{
    HtmlRect inner{0, 0, std::max(available, 0), 0};
    LayoutBoxes(inner, box.children);
    int right = 0;
    for (auto& child : box.children)
        right = std::max(right, child->x + child->width);
    box.width = right;
    box.height = inner.bottom;
}

void CHtmlLayout::LayoutBoxes(HtmlRect& rect, HtmlBoxList& boxes)
{
    const int areaLeft = rect.left;
    const int areaRight = std::max(rect.right, rect.left);
    const int areaTop = rect.top;
    int left = areaLeft, right = areaRight, top = rect.top, x = areaLeft;
    std::vector<LineItem> line;
    std::vector<ActiveFloat> floats;
    CHtmlBox* pendingFloat = nullptr;
    int breaksAfterFloat = 0;

    auto setMargins = [&] {
        left = areaLeft;
        right = areaRight;
        for (const ActiveFloat& f : floats) {
            if (f.side == kFloatLeft) {
                left += f.width;
            } else {
                right -= f.width;
            }
        }
        if (right < left)
            right = left;
    };
    auto clearFloats = [&] {
        for (const ActiveFloat& f : floats)
            top = std::max(top, f.bottom);
        floats.clear();
        setMargins();
    };

    auto finishLine = [&] {
        if (line.empty())
            return;
        int height = 0;
        for (const LineItem& item : line)
            height = std::max(height, item.height);
        // The width without the spaces at its end.
        int end = left;
        for (const LineItem& item : line) {
            const CHtmlBox& box = *boxes[item.first];
            if (item.table || (!IsWordSpace(box) && box.kind != kBoxBreak))
                end = std::max(end, item.x + item.width);
        }
        int lineWidth = end - left;
        const CHtmlBox& firstBox = *boxes[line.front().first];
        const CHtmlBox& lastBox = *boxes[line.back().last];
        int space = right - left - lineWidth;
        std::vector<int> shift(line.size(), 0);
        if (firstBox.align == kAlignRight) {
            // Not leftwards: a line wider than the space would start left of its margin, off the page or on a float.
            std::fill(shift.begin(), shift.end(), std::max(space, 0));
        } else if (firstBox.align == kAlignCentre) {
            std::fill(shift.begin(), shift.end(), std::max(space / 2, 0));
        } else if (firstBox.align == kAlignJustify && line.size() > 2 && lastBox.kind != kBoxBreak && space > 0) {
            // One pixel in turns before each box from the third on that is no space; the rest of the
            // line moves with it.
            std::vector<int> extra(line.size(), 0);
            std::vector<size_t> gaps;
            for (size_t k = 2; k < line.size(); ++k) {
                if (line[k].table || !IsWordSpace(*boxes[line[k].first]))
                    gaps.push_back(k);
            }
            HtmlDistribute(extra, gaps, space);
            int sum = 0;
            for (size_t k = 0; k < line.size(); ++k) {
                sum += extra[k];
                shift[k] = sum;
            }
        }
        for (size_t k = 0; k < line.size(); ++k) {
            const LineItem& item = line[k];
            for (size_t b = item.first; b <= item.last; ++b) {
                CHtmlBox& box = *boxes[b];
                if (item.table) {
                    box.x += shift[k];
                    box.Offset(shift[k], 0);
                    continue;
                }
                if (box.kind == kBoxBreak) {
                    // At the left margin, not at x 0: inside a cell or beside a float x 0 lies outside
                    // the area, and a rule would be drawn across the next column or the picture.
                    box.x = left;
                    if (box.IsRule())
                        box.width = right - left;
                    int raise = 0;
                    if (b + 1 < boxes.size() && boxes[b + 1]->kind == kBoxText)
                        raise = boxes[b + 1]->height / 2;
                    // Not above the area: a rule first on a page would lie off the canvas, first in a cell on its edge.
                    box.y = std::max(areaTop, top + height - box.height - raise);
                    continue;
                }
                box.x += shift[k];
                if (box.kind == kBoxContainer) {
                    box.y = top;
                    box.Offset(box.x, box.y);
                } else {
                    box.y = top + height - box.height;
                }
            }
        }
        top += height;
        bool endedByBreak = lastBox.kind == kBoxBreak;
        line.clear();
        if (endedByBreak && pendingFloat != nullptr && ++breaksAfterFloat == 2) {
            // Back up beside the float, which narrows the lines until they pass its bottom.
            top = pendingFloat->y;
            floats.push_back(
                ActiveFloat{pendingFloat->y + pendingFloat->height, pendingFloat->floatSide, pendingFloat->width});
            pendingFloat = nullptr;
        }
        if (endedByBreak && lastBox.clear)
            clearFloats();
        floats.erase(std::remove_if(floats.begin(), floats.end(),
                         [&](const ActiveFloat& f) { return f.bottom <= top; }),
            floats.end());
        setMargins();
        x = left;
    };

    for (size_t i = 0; i < boxes.size();) {
        CHtmlBox& box = *boxes[i];
        if (box.IsCell()) {
            size_t last = CellRunEnd(boxes, i);
            finishLine();
            int width = 0, height = 0;
            LayoutTable(boxes, i, last, left, top, right - left, &width, &height);
            line.push_back(LineItem{i, last, left, width, height, true});
            x = left + width;
            finishLine();
            i = last + 1;
            continue;
        }
        if (box.kind == kBoxImage)
            PrepareImage(box, right - left);
        if (box.kind == kBoxContainer)
            SizeContainer(box, right - left);
        int width = box.IsRule() ? 0 : box.width;
        bool space = IsWordSpace(box);
        if (box.kind == kBoxText && !space && !floats.empty() && width > right - left) {
            finishLine();
            clearFloats();
            x = left;
        }
        if (!line.empty() && !space && box.kind != kBoxBreak && x + width > right)
            finishLine();
        box.x = x;
        line.push_back(LineItem{i, i, x, width, box.height, false});
        x += width;
        if (box.kind == kBoxContainer && box.floatSide != kFloatNone) {
            pendingFloat = &box;
            breaksAfterFloat = 0;
        }
        if (box.kind == kBoxBreak)
            finishLine();
        ++i;
    }
    finishLine();
    // A float still beside the last lines counts for the area's height: what follows the area (or
    // the cell's border) would otherwise be drawn over the picture.
    int bottom = top;
    for (const ActiveFloat& f : floats)
        bottom = std::max(bottom, f.bottom);
    rect.bottom = bottom;
}

int CHtmlLayout::MeasureWidth(HtmlBoxList& boxes, int available)
{
    int widest = 0, x = 0, lineEnd = 0;
    bool empty = true;
    auto finish = [&] {
        widest = std::max(widest, lineEnd);
        x = 0;
        lineEnd = 0;
        empty = true;
    };
    for (size_t i = 0; i < boxes.size();) {
        CHtmlBox& box = *boxes[i];
        if (box.IsCell()) {
            size_t last = CellRunEnd(boxes, i);
            finish();
            widest = std::max(widest, TableWidth(boxes, i, last, available));
            i = last + 1;
            continue;
        }
        if (box.kind == kBoxImage)
            PrepareImage(box, available);
        if (box.kind == kBoxContainer)
            box.width = MeasureWidth(box.children, available);
        int width = box.IsRule() ? 0 : box.width;
        bool space = IsWordSpace(box);
        if (!empty && !space && box.kind != kBoxBreak && x + width > available)
            finish();
        x += width;
        empty = false;
        if (!space && box.kind != kBoxBreak)
            lineEnd = x;
        if (box.kind == kBoxBreak)
            finish();
        ++i;
    }
    finish();
    return widest;
}

void CHtmlPage::PlaceControls()
{
    // Walks every box without recursion; the table layout's widths are worked out anew.
    std::vector<CHtmlBox*> pending;
    for (auto& box : m_boxes)
        pending.push_back(box.get());
    while (!pending.empty()) {
        CHtmlBox* box = pending.back();
        pending.pop_back();
        if (box->cell != nullptr) {
            CHtmlCell& cell = *box->cell;
            cell.cacheMin = cell.cacheMax = cell.cacheChosen = cell.cacheAvailable = cell.cacheNatural = -1;
        }
        if (box->control != kHtmlNoControl && m_host != nullptr)
            m_host->MoveControl(box->control, box->x, box->y);
        for (auto& child : box->children)
            pending.push_back(child.get());
    }
}

void CHtmlPage::Layout(HtmlRect& rect)
{
    rect.right -= 2;
    PlaceControls();
    CHtmlLayout layout(*this);
    HtmlRect area = rect;
    layout.LayoutBoxes(area, m_boxes);
    int right = 0, bottom = 0;
    for (auto& box : m_boxes) {
        if (box->IsSpace())
            continue;
        right = std::max(right, box->x + box->width);
        bottom = std::max(bottom, box->y + box->height);
    }
    PlaceControls();
    rect.right = right;
    rect.bottom = bottom;
}
