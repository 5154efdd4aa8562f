#include "ui/msgbox/win/RichMessageBox.h"

#include <cstdlib>
#include <cstring>

#include "classlib/win/AfxMessageLog.h"
#include "ui/msgbox/win/RichMessageBoxDialog.h"

namespace morvick::ui {

namespace {

std::wstring ProgramFileName()
{
    wchar_t path[MAX_PATH] = {};
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring full(path, n < MAX_PATH ? n : 0);
    size_t slash = full.find_last_of(L"\\/");
    return slash == std::wstring::npos ? full : full.substr(slash + 1);
}

bool IsText(LPCWSTR s)
{
    return s && !IS_INTRESOURCE(s) && s[0] != 0;
}

// The kind of the message channel that a box's icon stands for, as the message log writes it.
LPCWSTR LoggedKind(UINT style)
{
    switch (style & MB_ICONMASK) {
    case MB_ICONINFORMATION:
        return L"1";
    case MB_ICONERROR:
        return L"2";
    case MB_ICONQUESTION:
        return L"3";
    default:
        return L"0";
    }
}

// A remembered answer: a non-zero REG_DWORD, else 0.
DWORD ReadAnswer(const std::wstring& key, const std::wstring& value)
{
    HKEY k = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_QUERY_VALUE, &k) != ERROR_SUCCESS)
        return 0;
    DWORD type = 0, data = 0, size = sizeof(data);
    LONG r = RegQueryValueExW(k, value.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data), &size);
    RegCloseKey(k);
    return (r == ERROR_SUCCESS && type == REG_DWORD && size == sizeof(DWORD)) ? data : 0;
}

}  // namespace

RichMsgBoxHooks& CurrentRichMsgBoxHooks()
{
    static RichMsgBoxHooks hooks;
    return hooks;
}

std::wstring RichMsgBoxAnswerKey(const std::wstring& section)
{
    std::wstring key = L"Software\\";
    if (!section.empty())
        key += section + L"\\";
    return key + ProgramFileName() + L"\\RichMessageBox";
}

std::wstring RichMsgBoxAnswerValue(const std::wstring& prefix, int messageId)
{
    return prefix + std::to_wstring(messageId);
}

int RichMessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT style, const RichMsgBoxParams* params)
{
    RichMsgBoxParams p = params ? *params : DefaultRichMsgBoxParams();
    p.owner = owner;
    p.text = text;
    p.caption = caption;
    p.style = style;
    if (!p.owner) {
        HWND active = GetActiveWindow();
        p.owner = active ? GetLastActivePopup(active) : nullptr;
    }
    if ((p.style & kRmbCheckBox) && IsText(p.answerPrefix)) {
        std::wstring section = IsText(p.answerSection) ? p.answerSection : L"";
        DWORD answer = ReadAnswer(RichMsgBoxAnswerKey(section), RichMsgBoxAnswerValue(p.answerPrefix, p.messageId));
        if (answer != 0)
            return static_cast<int>(answer);
    }
    // Automated runs see every message with its kind (MORVICK_TEST_MSGLOG), and may have them answered.
    AfxLogShownMessage(LoggedKind(p.style), IS_INTRESOURCE(text) ? L"" : text);
    CRichMessageBox box(p);
    if (AfxAutoCloseMessages())
        return box.UnattendedAnswer();
    if (!(p.style & kRmbNoBeep))
        CurrentRichMsgBoxHooks().messageBeep(p.style & 0xF0);

    // An empty template: no controls, 100 x 100 dialog units; everything is made at run time.
    void* memory = std::calloc(1, 36);
    if (!memory)
        return IDCANCEL;
    DLGTEMPLATE* t = static_cast<DLGTEMPLATE*>(memory);
    t->style = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_CENTER | DS_MODALFRAME;
    if (CurrentRichMsgBoxHooks().startHidden)
        t->style &= ~WS_VISIBLE;
    t->cx = 100;
    t->cy = 100;
    INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), t, p.owner, CRichMessageBox::DialogProc,
        reinterpret_cast<LPARAM>(&box));
    std::free(memory);
    return static_cast<int>(result);
}

}  // namespace morvick::ui
