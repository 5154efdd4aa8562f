// The viewer host's forms: native controls on the canvas, the control and form tables, and what a
// submission would send (a preview never sends it).
#include "preview/html/win/HtmlViewerHost.h"

#include "preview/html/HtmlForms.h"
#include "preview/html/HtmlText.h"

#include <cwchar>

namespace {

std::wstring WindowText(HWND window)
{
    int n = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(n > 0 ? n : 0) + 1, L'\0');
    GetWindowTextW(window, &text[0], n + 1);
    text.resize(static_cast<size_t>(n > 0 ? n : 0));
    return text;
}

}  // namespace

int CHtmlViewerHost::AddFormField(const wchar_t* action, const wchar_t* method)
{
    int row = m_forms.AddRow() - 1;
    m_forms.AddCell(row, action != nullptr ? action : L"");
    m_forms.AddCell(row, method != nullptr ? method : L"get");
    return row;
}

HWND CHtmlViewerHost::MakeControl(const wchar_t* className, DWORD style, DWORD exStyle, int width, int height,
    const wchar_t* text)
{
    // Hidden at (0, 0) until the layout places it; its id is its row number (from 1).
    int id = m_controls.GetRowCount() + 1;
    HWND window = CreateWindowExW(exStyle, className, text != nullptr ? text : L"", WS_CHILD | style, 0, 0, width,
        height, m_canvas, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(NULL), NULL);
    return window;
}

HtmlControl CHtmlViewerHost::AddControl(HWND control, int kind, const wchar_t* name, int formIndex,
    const wchar_t* value)
{
    if (control == NULL)
        return kHtmlNoControl;
    int row = m_controls.AddRow() - 1;
    m_controls.AddCell(row, std::to_wstring(reinterpret_cast<INT_PTR>(control)).c_str());
    m_controls.AddCell(row, name != nullptr ? name : L"");
    m_controls.AddCell(row, std::to_wstring(formIndex).c_str());
    m_controls.AddCell(row, std::to_wstring(kind).c_str());
    if (value != nullptr)
        m_controls.AddCell(row, value);
    return reinterpret_cast<HtmlControl>(control);
}

HtmlControl CHtmlViewerHost::CreateEdit(int hasLimit, int limit, int width, int height, const wchar_t* text,
    int multiLine, const wchar_t* name, int formIndex, int password)
{
    DWORD style = WS_TABSTOP | (multiLine ? ES_MULTILINE | WS_VSCROLL : ES_AUTOHSCROLL) | (password ? ES_PASSWORD : 0);
    HWND edit = MakeControl(L"edit", style, WS_EX_CLIENTEDGE, width, height, text);
    if (edit == NULL)
        return kHtmlNoControl;
    if (hasLimit)
        SendMessageW(edit, EM_LIMITTEXT, static_cast<WPARAM>(limit), 0);
    SendMessageW(edit, WM_SETFONT,
        reinterpret_cast<WPARAM>(GetStockObject(multiLine ? ANSI_FIXED_FONT : ANSI_VAR_FONT)), 0);
    return AddControl(edit, kControlEdit, name, formIndex, nullptr);
}

HtmlControl CHtmlViewerHost::CreateButton(int width, int height, const wchar_t* text, const wchar_t* name,
    int formIndex)
{
    HWND button = MakeControl(L"button", WS_TABSTOP | BS_PUSHBUTTON, 0, width, height, text);
    if (button == NULL)
        return kHtmlNoControl;
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(ANSI_VAR_FONT)), 0);
    return AddControl(button, kControlButton, name, formIndex, nullptr);
}

HtmlControl CHtmlViewerHost::CreateRadioButton(int width, int height, const wchar_t* text, const wchar_t* name,
    int formIndex)
{
    HWND radio = MakeControl(L"button", WS_TABSTOP | BS_AUTORADIOBUTTON, 0, width, height, text);
    return AddControl(radio, kControlRadio, name, formIndex, text != nullptr ? text : L"");
}

HtmlControl CHtmlViewerHost::CreateCheckBox(int width, int height, const wchar_t* text, const wchar_t* name,
    int formIndex)
{
    HWND check = MakeControl(L"button", WS_TABSTOP | BS_AUTOCHECKBOX, 0, width, height, text);
    return AddControl(check, kControlCheck, name, formIndex, text != nullptr ? text : L"");
}

HtmlControl CHtmlViewerHost::CreateComboBox(int width, int height, const CHtmlStringTable& options, int selectedIndex,
    const wchar_t* name, int formIndex)
{
    HWND combo = MakeControl(L"combobox", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, width, height + 200, L"");
    if (combo == NULL)
        return kHtmlNoControl;
    SendMessageW(combo, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(ANSI_VAR_FONT)), 0);
    for (int r = 0; r < options.GetRowCount(); ++r) {
        LRESULT item = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(options.GetCell(r, 0)));
        if (item < 0)
            continue;
        // The option's value, owned here; a missing value leaves no item data.
        if (options.GetRow(r).GetCount() >= 2) {
            m_comboValues.push_back(std::make_unique<std::wstring>(options.GetCell(r, 1)));
            SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(item),
                reinterpret_cast<LPARAM>(m_comboValues.back().get()));
        }
    }
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(selectedIndex), 0);
    return AddControl(combo, kControlCombo, name, formIndex, nullptr);
}

void CHtmlViewerHost::DestroyControls()
{
    for (int r = 0; r < m_controls.GetRowCount(); ++r) {
        long long handle = 0;
        HtmlParseNumber(m_controls.GetCell(r, 0), &handle);
        HWND window = reinterpret_cast<HWND>(static_cast<INT_PTR>(handle));
        if (IsWindow(window) && GetParent(window) == m_canvas)
            DestroyWindow(window);
    }
    m_comboValues.clear();
    m_controls.RemoveAllRows();
    m_forms.RemoveAllRows();
}

void CHtmlViewerHost::SubmitForm(int formIndex, HWND control, int controlId)
{
    if (formIndex == -1) {
        for (int r = 0; r < m_controls.GetRowCount() && formIndex == -1; ++r) {
            long long handle = 0, form = -1;
            HtmlParseNumber(m_controls.GetCell(r, 0), &handle);
            if (reinterpret_cast<HWND>(static_cast<INT_PTR>(handle)) != control)
                continue;
            if (GetDlgCtrlID(control) != controlId || std::wcscmp(m_controls.GetCell(r, 3), L"1") != 0)
                return;
            HtmlParseNumber(m_controls.GetCell(r, 2), &form);
            if (form < 0)
                return;
            formIndex = static_cast<int>(form);
        }
        if (formIndex == -1)
            return;
    }
    if (formIndex < 0 || formIndex >= m_forms.GetRowCount())
        return;

    std::vector<HtmlFormField> fields;
    const std::wstring form = std::to_wstring(formIndex);
    for (int r = 0; r < m_controls.GetRowCount(); ++r) {
        if (form != m_controls.GetCell(r, 2))
            continue;
        long long handle = 0;
        HtmlParseNumber(m_controls.GetCell(r, 0), &handle);
        HWND window = reinterpret_cast<HWND>(static_cast<INT_PTR>(handle));
        long long kind = 0;
        HtmlParseNumber(m_controls.GetCell(r, 3), &kind);
        if (kind == kControlButton)
            continue;
        if ((kind == kControlRadio || kind == kControlCheck) && SendMessageW(window, BM_GETCHECK, 0, 0) != BST_CHECKED)
            continue;
        std::wstring value;
        if (kind == kControlCombo) {
            LRESULT item = SendMessageW(window, CB_GETCURSEL, 0, 0);
            LRESULT data = item < 0 ? CB_ERR : SendMessageW(window, CB_GETITEMDATA, static_cast<WPARAM>(item), 0);
            if (data != CB_ERR && data != 0) {
                value = *reinterpret_cast<const std::wstring*>(data);
            } else if (item >= 0) {
                LRESULT n = SendMessageW(window, CB_GETLBTEXTLEN, static_cast<WPARAM>(item), 0);
                if (n > 0) {
                    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
                    SendMessageW(window, CB_GETLBTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&text[0]));
                    value = text.c_str();
                }
            }
        } else {
            value = WindowText(window);
        }
        fields.push_back(HtmlFormField{m_controls.GetCell(r, 1), value});
    }
    std::wstring query = BuildFormQuery(fields);
    std::wstring action = m_forms.GetCell(formIndex, 0);
    // Neither followed nor posted: a recovered page's form would carry what is typed into it to its server.
    if (HtmlEqualNoCase(m_forms.GetCell(formIndex, 1), L"get")) {
        m_lastSubmission = BuildFormGetUrl(action, query);
    } else {
        std::wstring data = query.empty() ? query : query.substr(1);
        m_lastSubmission = action + L" " + data;
        std::string bytes(data.begin(), data.end());
        std::wstring answer;
        // Never sent: the page, the history and the controls stay as they are.
        PostForm(action.c_str(), bytes, &answer);
    }
    // The status names where the form would go, never what it holds (a password field's text stays
    // hidden).
    SetStatus(kHtmlFormNotSent + action);
}

int CHtmlViewerHost::PostForm(const wchar_t*, const std::string&, std::wstring* answer)
{
    m_pageStatus.clear();
    answer->clear();
    return 0;
}
