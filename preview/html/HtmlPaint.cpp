// Painting a laid-out page: background, boxes, the selection, the hovered link and the edges.
#include "preview/html/HtmlPage.h"

#include <algorithm>

namespace {

constexpr HtmlColour kSelection = HtmlRgb(0, 0, 128);
constexpr HtmlColour kSelectedText = HtmlRgb(255, 255, 255);
constexpr HtmlColour kHover = HtmlRgb(255, 0, 0);
constexpr HtmlColour kGrey = HtmlRgb(128, 128, 128);
constexpr HtmlColour kWhite = HtmlRgb(255, 255, 255);

bool Meets(const HtmlRect& a, const HtmlRect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

void PaintEdges(CHtmlCanvas& canvas, const CHtmlBox& box, const HtmlRect& r, bool hovered)
{
    HtmlColour first = box.edgeColour, second = box.edgeColour;
    if (box.edgeColour == kEdgeSunken) {
        first = kGrey;
        second = kWhite;
    } else if (box.edgeColour == kEdgeRaised) {
        first = kWhite;
        second = kGrey;
    } else if (hovered) {
        first = second = kHover;
    }
    int left = r.left, top = r.top, right = r.right, bottom = r.bottom;
    for (int k = 0; k < box.edgeWidth && left < right && top < bottom; ++k) {
        if (box.edges & kEdgeLeft)
            canvas.DrawLine(left, top, left, bottom, first);
        if (box.edges & kEdgeTop)
            canvas.DrawLine(left, top, right, top, first);
        if (box.edges & kEdgeRight)
            canvas.DrawLine(right - 1, top, right - 1, bottom, second);
        if (box.edges & kEdgeBottom)
            canvas.DrawLine(left, bottom - 1, right, bottom - 1, second);
        if (box.edges & kEdgeMiddle) {
            int middle = bottom - box.height / 2 - 1;
            canvas.DrawLine(left, middle, right, middle, second);
        }
        ++left;
        ++top;
        --right;
        --bottom;
    }
}

}  // namespace

void CHtmlPage::Paint(CHtmlCanvas& canvas, const HtmlRect& rect, int scrollX, int scrollY)
{
    if (m_background != kHtmlNoColour)
        canvas.FillRect(rect, m_background);
    CHtmlImage* picture = m_images->GetAt(m_backgroundImage);
    if (picture != nullptr && picture->IsBackground() && picture->Decode(0) && picture->Bitmap() != nullptr)
        canvas.TileBitmap(*picture->Bitmap(), rect, -scrollX, -scrollY);
    PaintBoxes(canvas, rect, m_boxes, scrollX, scrollY);
}

void CHtmlPage::PaintBoxes(CHtmlCanvas& canvas, const HtmlRect& rect, const HtmlBoxList& boxes, int scrollX,
    int scrollY)
{
    for (const auto& item : boxes) {
        const CHtmlBox& box = *item;
        if (box.control != kHtmlNoControl)
            continue;
        HtmlRect r{box.x - scrollX, box.y - scrollY, box.x + box.width - scrollX, box.y + box.height - scrollY};
        if (!Meets(r, rect))
            continue;
        bool hovered = box.link >= 0 && box.link == m_hoverLink;
        if (box.selected) {
            canvas.FillRect(r, kSelection);
        } else if (box.background != kHtmlNoColour) {
            canvas.FillRect(r, box.background);
        }
        CHtmlImage* tile = m_images->GetAt(box.backgroundImage);
        if (tile != nullptr && tile->Decode(0) && tile->Bitmap() != nullptr && tile->NaturalWidth() > 0 &&
            tile->NaturalHeight() > 0)
            canvas.TileBitmap(*tile->Bitmap(), r, r.left, r.top);
        if (box.kind == kBoxText && box.width > 0 && !box.text.empty()) {
            HtmlFont font;
            font.face = Face(box.face);
            font.height = box.fontHeight;
            font.bold = box.bold;
            font.italic = box.italic;
            font.underline = box.edges == kEdgeBottom;
            font.strikeOut = (box.edges & kEdgeMiddle) != 0;
            HtmlColour colour = box.selected ? kSelectedText : hovered ? kHover : box.colour;
            canvas.PaintText(r.left, r.top, box.text.c_str(), static_cast<int>(box.text.size()), font, colour);
        }
        if (box.kind == kBoxImage) {
            CHtmlImage* image = m_images->GetAt(box.image);
            if (image != nullptr && image->Decode(0) && image->Bitmap() != nullptr && box.width > 0 && box.height > 0)
                canvas.StretchBitmap(*image->Bitmap(), r);
        }
        if (box.kind == kBoxContainer)
            PaintBoxes(canvas, rect, box.children, scrollX, scrollY);
        if (box.edges != 0 && !(box.kind == kBoxText && (box.edges == kEdgeBottom || box.edges == kEdgeMiddle)))
            PaintEdges(canvas, box, r, hovered);
    }
}
