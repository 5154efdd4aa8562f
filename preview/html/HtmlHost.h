// CHtmlHost: everything the renderer needs of the world outside the page (windows, controls,
// fetching), so that the page itself knows nothing of windows.
#pragma once

#include "preview/html/HtmlStringList.h"

#include <cstdint>
#include <string>
#include <vector>

// A native form control made by the host; kHtmlNoControl for none.
typedef intptr_t HtmlControl;
constexpr HtmlControl kHtmlNoControl = -1;

// A rectangle in page or client pixels (right and bottom exclusive).
struct HtmlRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

class CHtmlHost {
public:
    virtual ~CHtmlHost() = default;

    // Phase 0: the tag parser's scan; phase 1: the image preparation of the layout.
    virtual void OnParseProgress(int phase, int current, int total) = 0;
    // Goes to a URL, or submits a form for a text "Submit(n)".
    virtual void Navigate(const wchar_t* url) = 0;
    virtual void OnLinkHover(int overLink, const wchar_t* url) = 0;
    virtual void SetTitle(const wchar_t* text) = 0;
    // The page at url as text; 0 when it cannot be had.
    virtual int FetchPage(const wchar_t* url, std::wstring* page) = 0;
    // The bytes at url (pictures); 0 when they cannot be had. Called on fetch threads, and may
    // still run after the page that asked has closed: it must not use the host's own state.
    virtual int FetchResource(const wchar_t* url, std::vector<uint8_t>* bytes) = 0;
    // One more picture fetched. Called on fetch threads with the image list locked: it must only
    // post, never wait for the user-interface thread.
    virtual void OnImageLoaded(int done, int total) = 0;
    // Registers a form; its index.
    virtual int AddFormField(const wchar_t* action, const wchar_t* method) = 0;
    virtual HtmlControl CreateEdit(int hasLimit, int limit, int width, int height, const wchar_t* text, int multiLine,
        const wchar_t* name, int formIndex, int password) = 0;
    virtual HtmlControl CreateButton(int width, int height, const wchar_t* text, const wchar_t* name,
        int formIndex) = 0;
    virtual HtmlControl CreateRadioButton(int width, int height, const wchar_t* text, const wchar_t* name,
        int formIndex) = 0;
    virtual HtmlControl CreateCheckBox(int width, int height, const wchar_t* text, const wchar_t* name,
        int formIndex) = 0;
    // options: rows of [display text, value] (the value may be missing).
    virtual HtmlControl CreateComboBox(int width, int height, const CHtmlStringTable& options, int selectedIndex,
        const wchar_t* name, int formIndex) = 0;
    // Places a control at page coordinates.
    virtual void MoveControl(HtmlControl control, int x, int y) = 0;
    virtual void InvalidatePageRect(const HtmlRect& rect) = 0;
    // A box of the page could not be stored for want of memory (it was dropped).
    virtual void OnOutOfMemory() = 0;
};
