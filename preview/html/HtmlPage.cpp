#include "preview/html/HtmlPage.h"

#include "preview/html/HtmlEntities.h"
#include "preview/html/HtmlParser.h"
#include "preview/html/HtmlText.h"

#include <new>

CHtmlPage::CHtmlPage(CHtmlHost* host, int waitForImages, CHtmlMeasurer* measurer, CHtmlPictureDecoder* decoder,
    std::shared_ptr<CHtmlResourceSource> source)
    : m_host(host), m_measurer(measurer), m_images(new CHtmlImageList(host, decoder, std::move(source))),
      m_waitForImages(waitForImages)
{
    m_links.AddRow();
}

CHtmlPage::~CHtmlPage()
{
    m_images->Cancel();
    ClearBoxes();
}

void CHtmlPage::ClearBoxes()
{
    // Freed from the last box to the first, and children before their parent, without recursion:
    // a deep tree must not exhaust the stack.
    HtmlBoxList pending;
    pending.swap(m_boxes);
    while (!pending.empty()) {
        std::unique_ptr<CHtmlBox> box = std::move(pending.back());
        pending.pop_back();
        for (auto& child : box->children)
            pending.push_back(std::move(child));
    }
}

void CHtmlPage::Load(const std::wstring& text, const wchar_t* face, int size, int flags, const wchar_t* baseUrl)
{
    (void)flags;
    m_loading = 1;
    m_background = HtmlRgb(255, 255, 255);
    m_backgroundImage = -1;
    m_items = 0;
    m_level = 0;
    m_hoverLink = -1;
    m_listNesting = 0;
    m_formIndex = -1;
    m_links.RemoveAllRows();
    m_links.AddRow();
    m_linkIndex.clear();
    ClearBoxes();
    m_images->FreeBitmaps();

    std::wstring base = baseUrl != nullptr ? baseUrl : L"";
    std::wstring baseFace = face != nullptr ? face : L"Arial";
    bool plainText = HtmlEqualNoCase(HtmlExtension(base).c_str(), L"txt");
    if (plainText)
        baseFace = L"Courier New";

    std::wstring cleaned = CleanHtml(text, plainText, *this, base);
    CHtmlParser parser(*this, cleaned, base);
    parser.ParseHtml(0, cleaned.size(), m_boxes, baseFace, size, 0, kAlignLeft, 0, plainText ? 1 : 0);
    if (m_host != nullptr) {
        int length = static_cast<int>(cleaned.size());
        m_host->OnParseProgress(0, length, length);
    }
    m_loading = 0;
}

void CHtmlPage::GetStats(int* items, int* images, int* links, int* level) const
{
    if (items != nullptr)
        *items = m_items;
    if (images != nullptr)
        *images = m_images->GetCount();
    if (links != nullptr)
        *links = m_links.GetRow(0).GetCount();
    if (level != nullptr)
        *level = m_level;
}

const wchar_t* CHtmlPage::Face(int index) const
{
    return index >= 0 && index < static_cast<int>(m_faces.size()) ? m_faces[static_cast<size_t>(index)].c_str()
                                                                  : L"Arial";
}

int CHtmlPage::FaceIndex(const std::wstring& face)
{
    // The first name of a list of faces, at most 100 characters.
    std::wstring name = face.substr(0, face.find(L','));
    if (name.size() > 100)
        name.resize(100);
    for (size_t i = 0; i < m_faces.size(); ++i) {
        if (m_faces[i] == name)
            return static_cast<int>(i);
    }
    m_faces.push_back(name);
    return static_cast<int>(m_faces.size() - 1);
}

HtmlTextSize CHtmlPage::MeasureText(int face, int height, int bold, int italic, const wchar_t* text, int length)
{
    if (m_measurer == nullptr)
        return HtmlTextSize{length * height / 2, height};
    return m_measurer->MeasureText(Face(face), height, bold, italic, text, length);
}

void CHtmlPage::NoteLevel(int level)
{
    if (level > m_level)
        m_level = level;
}

int CHtmlPage::AddLink(const std::wstring& url)
{
    std::wstring key = url;
    for (wchar_t& c : key)
        c = HtmlLowerAscii(c);
    auto it = m_linkIndex.find(key);
    if (it != m_linkIndex.end())
        return it->second;
    int index = m_links.GetRow(0).GetCount();
    m_links.AddCell(0, url.c_str(), static_cast<int>(url.size()));
    m_linkIndex.emplace(key, index);
    return index;
}

bool CHtmlPage::AppendBox(HtmlBoxList& list, std::unique_ptr<CHtmlBox> box)
{
    if (Full())
        return false;
    try {
        list.push_back(std::move(box));
    } catch (const std::bad_alloc&) {
        if (m_host != nullptr)
            m_host->OnOutOfMemory();
        return false;
    }
    ++m_items;
    return true;
}

std::unique_ptr<CHtmlBox> CHtmlPage::CreateTextBox(const std::wstring& text, int decoration, int lineWidth,
    HtmlColour lineColour, const std::wstring& face, int size, int bold, int italic, HtmlColour colour,
    HtmlColour background, int align, int measureSize, int link, int preformatted)
{
    auto box = std::make_unique<CHtmlBox>();
    box->kind = kBoxText;
    box->text = text;
    DecodeEntities(box->text);
    RepairUtf8Latin1(box->text);
    box->SetEdges(decoration, lineWidth, lineColour);
    box->face = FaceIndex(face);
    box->fontHeight = size;
    box->bold = bold;
    box->italic = italic;
    box->colour = colour;
    box->background = background;
    box->align = align;
    box->link = link;
    box->preformatted = preformatted;
    if (!box->text.empty()) {
        HtmlTextSize extent = MeasureText(box->face, measureSize > 0 ? measureSize : size, bold, italic,
            box->text.c_str(), static_cast<int>(box->text.size()));
        box->width = HtmlClamp(extent.cx, 0, 1 << 24);
        box->height = HtmlClamp(extent.cy, 0, 1 << 24);
    }
    return box;
}

std::unique_ptr<CHtmlBox> CHtmlPage::CreateImageBox(const std::wstring& url, int width, int height, int link, int align,
    int background, int border, HtmlColour borderColour)
{
    auto box = std::make_unique<CHtmlBox>();
    box->kind = kBoxImage;
    box->image = m_images->Add(url, background);
    box->wantWidth = width;
    box->wantHeight = height;
    box->width = width > 0 ? width : 0;
    box->height = height > 0 ? height : 0;
    box->link = link;
    box->align = align;
    if (border > 0)
        box->SetEdges(kEdgeAll, border, borderColour);
    return box;
}

std::unique_ptr<CHtmlBox> CHtmlPage::CreateBreakBox(int height, int rule, int align, int clear)
{
    auto box = std::make_unique<CHtmlBox>();
    box->kind = kBoxBreak;
    box->height = height;
    box->align = align;
    box->clear = clear;
    if (rule)
        box->SetEdges(kEdgeAll, 1, kEdgeSunken);
    return box;
}

std::unique_ptr<CHtmlBox> CHtmlPage::CreateCellBox(int row, int column, int align, HtmlColour background)
{
    auto box = std::make_unique<CHtmlBox>();
    box->kind = kBoxContainer;
    box->cell = std::make_unique<CHtmlCell>();
    box->cell->row = row;
    box->cell->column = column;
    box->align = align;
    box->background = background;
    return box;
}
