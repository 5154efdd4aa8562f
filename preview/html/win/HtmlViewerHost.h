// CHtmlViewerHost: the renderer's host in the HTML viewer. It owns the page, paints it into a back
// buffer on the canvas, scrolls it, tracks the selection and the link under the pointer, keeps the
// history, makes the form controls, and reads pages and pictures from this computer only: links
// elsewhere are shown but not followed, and forms are never sent.
#pragma once

#include "preview/html/HtmlPage.h"
#include "preview/html/win/HtmlGdi.h"
#include "preview/html/win/HtmlLocalFetch.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

// The canvas's own messages beside the scrolling ones: lay the page out again, and (posted by the
// fetch threads) one more picture arrived (wParam done, lParam total).
constexpr UINT kHtmlRelayout = 0x416;
constexpr UINT kHtmlPictureArrived = 0x417;

// Control kinds of the control table.
enum HtmlControlKind {
    kControlEdit = 0,
    kControlButton = 1,
    kControlRadio = 2,
    kControlCheck = 3,
    kControlCombo = 4,
};

class CHtmlViewerHost : public CHtmlHost {
public:
    // The address and Back-button windows may be null. Pictures come from the source (this
    // computer's files and the program's resources when none is given).
    CHtmlViewerHost(HWND canvas, HWND view, HWND status, HWND address, HWND back,
        std::shared_ptr<CHtmlResourceSource> source = nullptr);
    ~CHtmlViewerHost() override;
    CHtmlViewerHost(const CHtmlViewerHost&) = delete;
    CHtmlViewerHost& operator=(const CHtmlViewerHost&) = delete;

    void OnParseProgress(int phase, int current, int total) override;
    void Navigate(const wchar_t* url) override;
    void OnLinkHover(int overLink, const wchar_t* url) override;
    void SetTitle(const wchar_t* text) override;
    int FetchPage(const wchar_t* url, std::wstring* page) override;
    int FetchResource(const wchar_t* url, std::vector<uint8_t>* bytes) override;
    void OnImageLoaded(int done, int total) override;
    int AddFormField(const wchar_t* action, const wchar_t* method) override;
    HtmlControl CreateEdit(int hasLimit, int limit, int width, int height, const wchar_t* text, int multiLine,
        const wchar_t* name, int formIndex, int password) override;
    HtmlControl CreateButton(int width, int height, const wchar_t* text, const wchar_t* name, int formIndex) override;
    HtmlControl CreateRadioButton(int width, int height, const wchar_t* text, const wchar_t* name,
        int formIndex) override;
    HtmlControl CreateCheckBox(int width, int height, const wchar_t* text, const wchar_t* name, int formIndex) override;
    HtmlControl CreateComboBox(int width, int height, const CHtmlStringTable& options, int selectedIndex,
        const wchar_t* name, int formIndex) override;
    void MoveControl(HtmlControl control, int x, int y) override;
    void InvalidatePageRect(const HtmlRect& rect) override;
    // A short beep.
    void OnOutOfMemory() override;

    // Everything the canvas receives; what it does not handle goes on to HtmlScrollProc.
    LRESULT HandleCanvasMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Lays the page out in the canvas and hands the extent to the scrolling.
    void Relayout();
    void OnReadProgress(int bytesRead, int total);
    // Collects the fields of a form (by index, or by the push button with that handle and id when
    // the index is -1) as a submission would send them; the submission itself is refused.
    void SubmitForm(int formIndex, HWND control, int controlId);
    // Never sends anything: a preview does not post forms. Always 0.
    int PostForm(const wchar_t* url, const std::string& data, std::wstring* answer);
    void DestroyControls();

    CHtmlPage& Page() { return *m_page; }
    const CHtmlStringTable& History() const { return m_history; }
    const CHtmlStringTable& Controls() const { return m_controls; }
    const CHtmlStringTable& Forms() const { return m_forms; }
    const std::wstring& CurrentUrl() const { return m_url; }
    const std::wstring& PageStatusText() const { return m_pageStatus; }
    // The address the last refused submission would have gone to, and what it would have sent.
    const std::wstring& LastSubmission() const { return m_lastSubmission; }
    int ScrollX() const;
    int ScrollY() const;

private:
    void SetStatus(const std::wstring& text);
    HtmlControl AddControl(HWND control, int kind, const wchar_t* name, int formIndex, const wchar_t* value);
    HWND MakeControl(const wchar_t* className, DWORD style, DWORD exStyle, int width, int height, const wchar_t* text);
    void OnPictureArrived(int done, int total);
    void AutoScrollSelection(int x, int y);
    void PaintCanvas(HWND window);
    void ResetBackBuffer();

    HWND m_canvas;
    HWND m_view;
    HWND m_status;
    HWND m_address;
    HWND m_back;
    std::wstring m_url;          // at most 2048 characters
    std::wstring m_pageStatus;   // at most 128 characters
    CHtmlStringTable m_history;  // [URL, page text, vertical scroll position]
    CHtmlGdiMeasurer m_measurer;
    CHtmlGdiPictureDecoder m_decoder;
    CHtmlFontCache m_fonts;
    std::unique_ptr<CHtmlPage> m_page;
    HBITMAP m_backBuffer = NULL;
    POINT m_anchor = {0, 0};
    POINT m_point = {0, 0};
    CHtmlStringTable m_controls;                               // [handle, name, form index, kind, value]
    CHtmlStringTable m_forms;                                  // [action, method]
    std::vector<std::unique_ptr<std::wstring>> m_comboValues;  // the combo items' data
    std::wstring m_hoverUrl;
    bool m_haveHover = false;
    int m_busy = 0;
    int m_parsePosition = 0;    // the last parse position reported
    int m_nextParseStatus = 0;  // the position at which the status line is set again
    int m_fontSize = 15;
    std::wstring m_face = L"Arial";
    std::wstring m_lastSubmission;
};

// Texts of the viewer's status line that are not the page's own.
extern const wchar_t kHtmlNotFollowed[];  // followed by the address
extern const wchar_t kHtmlFormNotSent[];  // followed by the form's address
