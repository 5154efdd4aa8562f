// The viewer host's navigation: the history, pictures shown on a page of their own, and pages read
// from this computer. Addresses elsewhere are never fetched, nor written anywhere.
#include "preview/html/win/HtmlViewerHost.h"

#include "preview/html/HtmlText.h"
#include "preview/html/win/HtmlScroll.h"

#include <cwchar>

namespace {

constexpr size_t kMaxUrl = 2048;

}  // namespace

void CHtmlViewerHost::OnReadProgress(int bytesRead, int total)
{
    if (bytesRead < 0)
        return;
    wchar_t text[96];
    if (total < 1) {
        swprintf(text, sizeof text / sizeof text[0], L"Reading %d", bytesRead);
    } else {
        swprintf(text, sizeof text / sizeof text[0], L"Reading %d of %d", bytesRead, total);
    }
    SetStatus(text);
}

int CHtmlViewerHost::FetchPage(const wchar_t* url, std::wstring* page)
{
    std::wstring address = url != nullptr ? url : L"";
    std::vector<uint8_t> bytes;
    // Local addresses only: a request to a server a recovered page names would tell it the file was opened.
    if (!HtmlIsLocalUrl(address) || !HtmlReadLocalBytes(address, &bytes))
        return 0;
    OnReadProgress(static_cast<int>(bytes.size()), static_cast<int>(bytes.size()));
    // The page's address becomes the current one only when the page was had.
    if (m_busy)
        m_url = address.substr(0, kMaxUrl);
    *page = HtmlPageText(bytes);
    return 1;
}

int CHtmlViewerHost::FetchResource(const wchar_t* url, std::vector<uint8_t>* bytes)
{
    // Uses nothing of this host: the fetch threads may still run it after the viewer closed.
    return HtmlReadLocalBytes(url != nullptr ? url : L"", bytes) ? 1 : 0;
}

void CHtmlViewerHost::Navigate(const wchar_t* url)
{
    std::wstring address = url != nullptr ? url : L"";
    HCURSOR previous = SetCursor(LoadCursorW(NULL, IDC_WAIT));
    (void)previous;
    m_pageStatus.clear();
    if (HtmlStartsWithNoCase(address, L"Submit(")) {
        long long index = -1;
        if (!HtmlParseNumber(address.c_str() + 7, &index))
            index = -1;
        SubmitForm(static_cast<int>(index), NULL, 0);
        SetCursor(LoadCursorW(NULL, IDC_ARROW));
        return;
    }
    // Shown, never followed: following it would contact a server that a recovered page names.
    if (!HtmlIsLocalUrl(address)) {
        SetStatus(kHtmlNotFollowed + address.substr(0, kMaxUrl));
        SetCursor(LoadCursorW(NULL, IDC_ARROW));
        return;
    }

    int rows = m_history.GetRowCount();
    if (rows > 0) {
        std::wstring position = std::to_wstring(ScrollY());
        if (m_history.GetRow(rows - 1).GetCount() == 2) {
            m_history.AddCell(rows - 1, position.c_str());
        } else {
            m_history.SetCell(rows - 1, 2, position.c_str());
        }
    }

    std::wstring extension = HtmlExtension(address);
    if (HtmlEqualNoCase(extension.c_str(), L"jpg") || HtmlEqualNoCase(extension.c_str(), L"gif") ||
        HtmlEqualNoCase(extension.c_str(), L"png")) {
        if (m_address != NULL)
            SetWindowTextW(m_address, address.c_str());
        std::wstring page = L"<body bgcolor=ffff00><img src=\"" + address + L"\"></body>";
        int row = m_history.AddRow() - 1;
        m_history.AddCell(row, address.c_str());
        m_history.AddCell(row, page.c_str());
        DestroyControls();
        m_page->Load(page, m_face.c_str(), m_fontSize, 0, L"");
    } else {
        SetStatus(L"From Internet");
        m_busy = 1;
        std::wstring text;
        int ok = FetchPage(address.c_str(), &text);
        m_busy = 0;
        if (!ok) {
            SetCursor(LoadCursorW(NULL, IDC_ARROW));
            return;
        }
        int row = m_history.AddRow() - 1;
        m_history.AddCell(row, m_url.c_str());
        m_history.AddCell(row, text.c_str(), static_cast<int>(text.size()));
        if (m_back != NULL)
            EnableWindow(m_back, m_history.GetRowCount() >= 2);
        // No copy of the page beside the program: that would write outside the folders a preview may use.
        DestroyControls();
        m_page->Load(text, m_face.c_str(), m_fontSize, 0, m_url.c_str());
        if (m_address != NULL)
            SetWindowTextW(m_address, m_url.c_str());
    }
    Relayout();
    HtmlScrollProc(m_canvas, kHtmlScrollSetX, 0, 0);
    HtmlScrollProc(m_canvas, kHtmlScrollSetY, 0, 0);
    InvalidateRect(m_canvas, NULL, FALSE);
    UpdateWindow(m_canvas);
    SetCursor(LoadCursorW(NULL, IDC_ARROW));
}
