#include "app/AppMessages.h"

#include "ui/msgbox/win/MessageDialogs.h"

namespace {

CString Plain(const CString& text)
{
    return morvick::ui::EscapeMessageText(text);
}

}  // namespace

void ShowAppMessage(const CString& text, int kind)
{
    if (kind == kAppPlain) {
        AfxMessageBox(text, MB_OK);
        return;
    }
    g_strMessageText = Plain(text);
    morvick::ui::CMessageDlg dlg;
    g_nMessageKind = kind;
    dlg.DoModal();
}

bool AskAppQuestion(const CString& text, int kind)
{
    g_strMessageText = Plain(text);
    morvick::ui::CConfirmDlg dlg;
    g_nMessageKind = kind;
    return dlg.DoModal() == IDOK;
}
