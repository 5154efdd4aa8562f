// CHtmlResourceHost: a host that serves only the program's HTML resources ("res://") and does
// nothing else; for pages that need no window.
#pragma once

#include "preview/html/HtmlHost.h"

class CHtmlResourceHost : public CHtmlHost {
public:
    void OnParseProgress(int, int, int) override {}
    void Navigate(const wchar_t*) override {}
    void OnLinkHover(int, const wchar_t*) override {}
    void SetTitle(const wchar_t*) override {}
    int FetchPage(const wchar_t* url, std::wstring* page) override;
    int FetchResource(const wchar_t* url, std::vector<uint8_t>* bytes) override;
    void OnImageLoaded(int, int) override {}
    int AddFormField(const wchar_t*, const wchar_t*) override { return -1; }
    HtmlControl CreateEdit(int, int, int, int, const wchar_t*, int, const wchar_t*, int, int) override { return -1; }
    HtmlControl CreateButton(int, int, const wchar_t*, const wchar_t*, int) override { return -1; }
    HtmlControl CreateRadioButton(int, int, const wchar_t*, const wchar_t*, int) override { return -1; }
    HtmlControl CreateCheckBox(int, int, const wchar_t*, const wchar_t*, int) override { return -1; }
    HtmlControl CreateComboBox(int, int, const CHtmlStringTable&, int, const wchar_t*, int) override { return -1; }
    void MoveControl(HtmlControl, int, int) override {}
    void InvalidatePageRect(const HtmlRect&) override {}
    void OnOutOfMemory() override {}

    static CHtmlResourceHost& Instance();
};
