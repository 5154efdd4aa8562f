// The link under the pointer, the selection of a drag, and the repaint of links and pictures.
#include "preview/html/HtmlPage.h"

#include <cwchar>
#include <string>

namespace {

bool Contains(const CHtmlBox& box, int x, int y)
{
    return x >= box.x && x < box.x + box.width && y >= box.y && y < box.y + box.height;
}

bool Selects(const HtmlRect& r, const CHtmlBox& box)
{
    int left = box.x, top = box.y, right = box.x + box.width, bottom = box.y + box.height;
    if (r.top < top && top <= r.bottom && r.right > left)
        return true;
    if (r.top < bottom && bottom <= r.bottom && r.left < left)
        return true;
    return left <= r.right && right >= r.left && top <= r.bottom && bottom >= r.top;
}

void Select(const HtmlBoxList& boxes, const HtmlRect& rect)
{
    for (size_t i = 0; i < boxes.size(); ++i) {
        CHtmlBox& box = *boxes[i];
        bool followedByContainer = i + 1 < boxes.size() && boxes[i + 1]->kind == kBoxContainer;
        if (box.kind == kBoxText || (box.kind == kBoxBreak && !followedByContainer))
            box.selected = Selects(rect, box) ? 1 : 0;
        if (box.kind == kBoxContainer)
            Select(box.children, rect);
    }
}

template <class F>
void ForEachBox(const HtmlBoxList& boxes, const F& f)
{
    for (const auto& box : boxes) {
        f(*box);
        ForEachBox(box->children, f);
    }
}

}  // namespace

int CHtmlPage::HitTestLinks(const HtmlBoxList& boxes, int x, int y, int click)
{
    for (const auto& item : boxes) {
        const CHtmlBox& box = *item;
        if (box.kind == kBoxContainer && HitTestLinks(box.children, x, y, click))
            return 1;
        if (box.link < 0 || !Contains(box, x, y))
            continue;
        m_hoverLink = box.link;
        // A copy: navigating loads another page, which frees this one's boxes and links.
        std::wstring url = LinkUrl(box.link);
        if (m_host != nullptr) {
            if (click) {
                m_host->Navigate(url.c_str());
            } else {
                m_host->OnLinkHover(1, url.c_str());
            }
        }
        return 1;
    }
    return 0;
}

void CHtmlPage::OnMouseMove(int x, int y)
{
    if (HitTestLinks(m_boxes, x, y, 0))
        return;
    m_hoverLink = -1;
    if (m_host != nullptr)
        m_host->OnLinkHover(0, L"");
}

void CHtmlPage::OnClick(int x, int y)
{
    if (!HitTestLinks(m_boxes, x, y, 1))
        m_hoverLink = -1;
}

void CHtmlPage::SetSelection(const HtmlRect& rect)
{
    Select(m_boxes, rect);
}

void CHtmlPage::InvalidateImage(int imageIndex)
{
    if (m_host == nullptr)
        return;
    ForEachBox(m_boxes, [&](const CHtmlBox& box) {
        if (box.kind == kBoxImage && box.image == imageIndex)
            m_host->InvalidatePageRect(HtmlRect{box.x, box.y, box.x + box.width, box.y + box.height});
    });
}

void CHtmlPage::InvalidateLink(const wchar_t* url)
{
    if (m_host == nullptr || url == nullptr)
        return;
    const CHtmlStringList& links = m_links.GetRow(0);
    int index = -1;
    for (int i = 0; i < links.GetCount() && index < 0; ++i) {
        if (std::wcscmp(links.GetAt(i), url) == 0)
            index = i;
    }
    if (index < 0)
        return;
    ForEachBox(m_boxes, [&](const CHtmlBox& box) {
        if (box.link == index)
            m_host->InvalidatePageRect(HtmlRect{box.x, box.y, box.x + box.width, box.y + box.height});
    });
}
