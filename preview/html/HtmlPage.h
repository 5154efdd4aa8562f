// CHtmlPage: one parsed page (its boxes, pictures, links and colours), its layout, painting,
// selection and link hit tests. It reaches windows and files only through its CHtmlHost, measures
// text through a CHtmlMeasurer and makes pictures through a CHtmlPictureDecoder.
#pragma once

#include "preview/html/HtmlBox.h"
#include "preview/html/HtmlCanvas.h"
#include "preview/html/HtmlDevice.h"
#include "preview/html/HtmlHost.h"
#include "preview/html/HtmlImage.h"
#include "preview/html/HtmlStringList.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

// Hostile pages are cut down to these: deeper tables, lists, blocks and preformatted parts are
// parsed flat, and boxes past the item limit are not made.
constexpr int kHtmlMaxNesting = 48;
constexpr int kHtmlMaxItems = 400000;
// Limits of the numbers a page gives (pixels), so that no size or loop runs away.
constexpr int kHtmlMaxPixels = 10000;
constexpr int kHtmlMaxFontHeight = 400;
constexpr int kHtmlMaxBorder = 100;
constexpr int kHtmlMaxPadding = 500;
constexpr int kHtmlMaxColumns = 1000;
constexpr int kHtmlMaxSpan = 1000;

class CHtmlPage {
public:
    CHtmlPage(CHtmlHost* host, int waitForImages, CHtmlMeasurer* measurer, CHtmlPictureDecoder* decoder,
        std::shared_ptr<CHtmlResourceSource> source = nullptr);
    ~CHtmlPage();
    CHtmlPage(const CHtmlPage&) = delete;
    CHtmlPage& operator=(const CHtmlPage&) = delete;

    // Parses text as a page: the base face and pixel size of its text, the address that its links
    // are resolved against. Pictures already fetched for an earlier page are kept.
    void Load(const std::wstring& text, const wchar_t* face, int size, int flags, const wchar_t* baseUrl);
    void GetStats(int* items, int* images, int* links, int* level) const;

    // Lays the boxes out in the client rectangle; on return rect.right and rect.bottom hold the
    // page's extent. Moves the form controls onto their boxes.
    void Layout(HtmlRect& rect);
    // Paints the part of the page that shows in the client rectangle at the scroll position.
    void Paint(CHtmlCanvas& canvas, const HtmlRect& rect, int scrollX, int scrollY);

    // Page coordinates. A move over a link tells the host; a click on one navigates.
    void OnMouseMove(int x, int y);
    void OnClick(int x, int y);
    // Marks the text and breaks that a drag over rect (normalised, page coordinates) selects.
    void SetSelection(const HtmlRect& rect);
    void InvalidateImage(int imageIndex);
    void InvalidateLink(const wchar_t* url);

    // What the parser, the layout, the painter and the tests read.
    const HtmlBoxList& Boxes() const { return m_boxes; }
    const CHtmlStringTable& Links() const { return m_links; }
    const wchar_t* LinkUrl(int index) const { return m_links.GetCell(0, index); }
    CHtmlImageList& Images() { return *m_images; }
    CHtmlHost* Host() const { return m_host; }
    CHtmlMeasurer* Measurer() const { return m_measurer; }
    HtmlColour Background() const { return m_background; }
    int BackgroundImage() const { return m_backgroundImage; }
    int HoverLink() const { return m_hoverLink; }
    int FormIndex() const { return m_formIndex; }
    const wchar_t* Face(int index) const;
    int IsLoading() const { return m_loading; }

    // Box makers (the parser's); each also counts the box as an item.
    std::unique_ptr<CHtmlBox> CreateTextBox(const std::wstring& text, int decoration, int lineWidth,
        HtmlColour lineColour, const std::wstring& face, int size, int bold, int italic, HtmlColour colour,
        HtmlColour background, int align, int measureSize, int link, int preformatted);
    std::unique_ptr<CHtmlBox> CreateImageBox(const std::wstring& url, int width, int height, int link, int align,
        int background, int border, HtmlColour borderColour);
    std::unique_ptr<CHtmlBox> CreateBreakBox(int height, int rule, int align, int clear);
    std::unique_ptr<CHtmlBox> CreateCellBox(int row, int column, int align, HtmlColour background);
    // Appends a box to a list; false (and the box is dropped) past the item limit, or when the list
    // cannot grow (the host is told).
    bool AppendBox(HtmlBoxList& list, std::unique_ptr<CHtmlBox> box);
    bool Full() const { return m_items >= kHtmlMaxItems; }
    int AddLink(const std::wstring& url);
    int FaceIndex(const std::wstring& face);
    HtmlTextSize MeasureText(int face, int height, int bold, int italic, const wchar_t* text, int length);
    void NoteLevel(int level);
    void SetBackground(HtmlColour colour) { m_background = colour; }
    void SetBackgroundImage(int index) { m_backgroundImage = index; }
    void SetFormIndex(int index) { m_formIndex = index; }
    int& ListNesting() { return m_listNesting; }
    int WaitForImages() const { return m_waitForImages; }

private:
    void ClearBoxes();
    void PlaceControls();
    int HitTestLinks(const HtmlBoxList& boxes, int x, int y, int click);
    void PaintBoxes(CHtmlCanvas& canvas, const HtmlRect& rect, const HtmlBoxList& boxes, int scrollX, int scrollY);

    int m_items = 0;
    int m_level = 0;
    HtmlBoxList m_boxes;
    CHtmlHost* m_host;
    CHtmlMeasurer* m_measurer;
    std::unique_ptr<CHtmlImageList> m_images;
    CHtmlStringTable m_links;
    std::unordered_map<std::wstring, int> m_linkIndex;  // lower-case URL -> index
    HtmlColour m_background = kHtmlNoColour;
    int m_backgroundImage = -1;
    int m_hoverLink = -1;
    int m_listNesting = 0;
    int m_formIndex = -1;
    int m_loading = 0;
    int m_waitForImages;
    std::vector<std::wstring> m_faces;
};
