// One element of a parsed page: a word or a space, a picture, a line break or rule, or a container
// (a table cell, a list cell, a floating picture's holder) with boxes of its own.
#pragma once

#include "preview/html/HtmlColours.h"
#include "preview/html/HtmlHost.h"

#include <memory>
#include <string>
#include <vector>

enum HtmlBoxKind {
    kBoxUnset = -1,
    kBoxText = 0,
    kBoxImage = 1,
    kBoxBreak = 2,
    kBoxContainer = 3,
};

// Edge flags; on text boxes 8 alone is an underline and 16 alone a strike-out line.
enum HtmlEdge {
    kEdgeLeft = 1,
    kEdgeTop = 2,
    kEdgeRight = 4,
    kEdgeBottom = 8,
    kEdgeMiddle = 16,
    kEdgeAll = 15,
};

// Edge colours beside the plain ones: grey then white (sunken), white then grey (raised).
constexpr HtmlColour kEdgeSunken = 0xFFFFFFFFu;
constexpr HtmlColour kEdgeRaised = 0xFFFFFFFEu;

enum HtmlAlign {
    kAlignLeft = 0,
    kAlignRight = 1,
    kAlignCentre = 2,
    kAlignJustify = 3,
};

enum HtmlVerticalAlign {
    kVAlignTop = 0,
    kVAlignBottom = 1,
    kVAlignMiddle = 2,
};

enum HtmlFloat {
    kFloatNone = -1,
    kFloatLeft = 0,
    kFloatRight = 1,
};

// What a table cell carries: its place in the grid, and the attributes of its table.
struct CHtmlCell {
    int row = 0;
    int column = 0;
    int colSpan = 1;     // 1..1000
    int rowSpan = 1;     // 1..1000
    int fixedWidth = 0;  // the cell's "width" in pixels, or percent with percentWidth
    int percentWidth = 0;
    int heightAttr = 0;  // the cell's "height" in pixels
    int nowrap = 0;
    int border = 0;      // the table's border
    int padding = 0;     // the table's cell padding (plus 1 when a border is drawn)
    int spacing = 0;     // the table's cell spacing
    int tableWidth = 0;  // the table's "width": pixels, negative = percent, 0 = none
    int tableHeight = 0;
    // Widths worked out by the table layout, and the available width they were worked out for; the
    // content's natural width, which holds for every available width.
    int cacheMin = -1;
    int cacheMax = -1;
    int cacheChosen = -1;
    int cacheAvailable = -1;
    int cacheNatural = -1;
};

struct CHtmlBox {
    int kind = kBoxUnset;
    int width = 0;
    int height = 0;
    int x = 0;
    int y = 0;
    int edges = 0;
    int edgeWidth = 0;
    HtmlColour edgeColour = kEdgeSunken;
    int face = 0;  // index in the page's face list
    int fontHeight = 0;
    int bold = 0;
    int italic = 0;
    HtmlColour colour = 0;
    HtmlColour background = kHtmlNoColour;
    int align = kAlignLeft;
    int verticalAlign = kVAlignTop;
    std::wstring text;
    int image = -1;
    int backgroundImage = -1;
    // A picture's requested width and height: pixels, a negative width is a percentage of the
    // width it is laid out in, 0 = from the picture.
    int wantWidth = 0;
    int wantHeight = 0;
    int link = -1;
    int selected = 0;
    int preformatted = 0;
    HtmlControl control = kHtmlNoControl;
    int floatSide = kFloatNone;
    int clear = 0;
    std::unique_ptr<CHtmlCell> cell;  // containers that are table cells
    std::vector<std::unique_ptr<CHtmlBox>> children;

    bool IsCell() const { return kind == kBoxContainer && cell != nullptr; }
    bool IsSpace() const { return kind == kBoxText && text.size() == 1 && text[0] == L' '; }
    bool IsRule() const { return kind == kBoxBreak && edges != 0; }
    // Moves every descendant by (dx, dy).
    void Offset(int dx, int dy);
    void SetEdges(int flags, int lineWidth, HtmlColour lineColour)
    {
        edges = flags;
        edgeWidth = lineWidth;
        edgeColour = lineColour;
    }
};

typedef std::vector<std::unique_ptr<CHtmlBox>> HtmlBoxList;
