#include "app/pages/PaneControls.h"

namespace wizard {

void MakeArialFont(CFont& font, int height, int weight)
{
    font.CreateFont(height, 0, 0, 0, weight, FALSE, FALSE, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
        DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
}

BOOL MakeLabel(CStatic& label, LPCWSTR text, UINT id, CWnd* parent, CFont* font, DWORD style)
{
    if (!label.Create(text, WS_CHILD | WS_VISIBLE | SS_NOPREFIX | style, CRect(0, 0, 10, 10), parent, id))
        return FALSE;
    if (font != nullptr)
        label.SetFont(font);
    return TRUE;
}

BOOL MakeProgressBar(morvick::ui::CGradientProgressCtrl& bar, UINT id, CWnd* parent, CFont* font, COLORREF background)
{
    if (!bar.Create(WS_CHILD | morvick::ui::kGpsShowPercent, CRect(0, 0, 10, 10), parent, id))
        return FALSE;
    bar.SetRange(0, 100);
    bar.SetPos(0);
    bar.SendMessage(PBM_SETBKCOLOR, 0, static_cast<LPARAM>(background));
    // A gradient from white to the caption colour; the percentage in dark blue over both.
    bar.SendMessage(PBM_SETBARCOLOR, kCaptionColour, RGB(255, 255, 255));
    bar.SetShowText(L"%d%%", morvick::ui::kGpsShowPercent);
    bar.SetTextColors(RGB(0x1F, 0x3A, 0x68), RGB(0x1F, 0x3A, 0x68));
    if (font != nullptr)
        bar.SetFont(font);
    bar.EnableWindow(FALSE);
    return TRUE;
}

void ShowEnabled(CWnd& window, BOOL show)
{
    if (window.GetSafeHwnd() == nullptr)
        return;
    window.EnableWindow(show);
    window.ShowWindow(show ? SW_SHOW : SW_HIDE);
}

CSize TextExtent(CWnd& window, CFont* font, LPCWSTR text)
{
    if (window.GetSafeHwnd() == nullptr || text == nullptr || *text == 0)
        return CSize(0, 0);
    CClientDC dc(&window);
    CFont* old = font != nullptr ? dc.SelectObject(font) : nullptr;
    CRect rect(0, 0, 0, 0);
    dc.DrawText(text, -1, &rect, DT_CALCRECT | DT_EXPANDTABS | DT_NOPREFIX | DT_LEFT | DT_TOP);
    if (old != nullptr)
        dc.SelectObject(old);
    return CSize(rect.Width(), rect.Height());
}

int WrappedTextHeight(CWnd& window, CFont* font, LPCWSTR text, int width)
{
    if (window.GetSafeHwnd() == nullptr || text == nullptr || *text == 0 || width <= 0)
        return 0;
    CClientDC dc(&window);
    CFont* old = font != nullptr ? dc.SelectObject(font) : nullptr;
    CRect rect(0, 0, width, 0);
    dc.DrawText(text, -1, &rect, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_LEFT | DT_TOP);
    if (old != nullptr)
        dc.SelectObject(old);
    return rect.Height();
}

int WidestText(CWnd& window, CFont* font, std::initializer_list<LPCWSTR> texts, int minimum)
{
    int widest = minimum;
    for (LPCWSTR text : texts) {
        const int width = TextExtent(window, font, text).cx;
        if (width > widest)
            widest = width;
    }
    return widest;
}

void Place(CWnd& window, int x, int y, int width, int height)
{
    if (window.GetSafeHwnd() != nullptr)
        window.MoveWindow(x, y, width < 0 ? 0 : width, height < 0 ? 0 : height, TRUE);
}

}  // namespace wizard
