#include "toolkit/commandbars/CommandBarEdit.h"

#include "toolkit/base/ColorManager.h"
#include "toolkit/base/ResourceManager.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/MouseTracker.h"

IMPLEMENT_DYNCREATE(CTKPEdit, CEdit)

BEGIN_MESSAGE_MAP(CTKPEdit, CEdit)
ON_MESSAGE(WM_IME_STARTCOMPOSITION, OnImeStartComposition)
ON_MESSAGE(WM_IME_ENDCOMPOSITION, OnImeEndComposition)
ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

namespace {

class CRichEditLoader {
public:
    CRichEditLoader()
    {
        m_library.hModule = ::LoadLibraryW(L"RICHED20.DLL");
        if (m_library.hModule != NULL) {
            m_library.strClassName = L"RichEdit20W";
            m_library.bRichEdit2 = TRUE;
            return;
        }
        m_library.hModule = ::LoadLibraryW(L"RICHED32.DLL");
        m_library.bRichEdit2 = FALSE;
        if (m_library.hModule != NULL)
            m_library.strClassName = L"RICHEDIT";
    }
    ~CRichEditLoader()
    {
        if (m_library.hModule != NULL)
            ::FreeLibrary(m_library.hModule);
    }
    TKPRichEditLibrary m_library;
};

}  // namespace

const TKPRichEditLibrary& TKPGetRichEditLibrary()
{
    static CRichEditLoader s_loader;
    return s_loader.m_library;
}

CTKPEdit::CTKPEdit() : m_bComposition(FALSE), m_bRichEdit(FALSE) {}

BOOL CTKPEdit::Create(DWORD dwStyle, CWnd* pParentWnd)
{
    const TKPRichEditLibrary& library = TKPGetRichEditLibrary();
    if (library.hModule != NULL) {
        if (!CreateEx(0, library.strClassName, NULL, dwStyle, CRect(0, 0, 0, 0), pParentWnd, 0))
            return FALSE;
        m_bRichEdit = TRUE;
        SendMessage(EM_SETEVENTMASK, 0, ENM_CHANGE);
        SendMessage(EM_SETTEXTMODE, TM_PLAINTEXT | TM_SINGLELEVELUNDO, 0);
        return TRUE;
    }
    m_bRichEdit = FALSE;
    return CreateEx(0, L"EDIT", NULL, dwStyle, CRect(0, 0, 0, 0), pParentWnd, 0);
}

void CTKPEdit::SetEditFormat(BOOL bEnabled, BOOL bHint)
{
    if (GetSafeHwnd() == NULL)
        return;
    SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    if (!m_bRichEdit)
        return;
    CHARFORMAT2W format = TKPMakeEditCharFormat(TKPGetRichEditLibrary().bRichEdit2, bEnabled, bHint);
    SendMessage(EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    // The character format colours only behind characters: the rest of a disabled box would look enabled.
    SendMessage(EM_SETBKGNDCOLOR, 0, GetColorManager()->GetColor(bEnabled ? COLOR_WINDOW : COLOR_BTNFACE));
}

CHARFORMAT2W TKPMakeEditCharFormat(BOOL bRichEdit2, BOOL bEnabled, BOOL bHint)
{
    CTKPColorManager* pColors = GetColorManager();
    CHARFORMAT2W format = {};
    // Version 1 reads only the fields of its own, narrow structure.
    format.cbSize = bRichEdit2 ? sizeof(CHARFORMAT2W) : sizeof(CHARFORMATA);
    format.dwMask = CFM_COLOR | CFM_BACKCOLOR;
    format.crTextColor = pColors->GetColor(bEnabled && !bHint ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    format.crBackColor = pColors->GetColor(bEnabled ? COLOR_WINDOW : COLOR_BTNFACE);
    return format;
}

BOOL CTKPEdit::IsCommandEnabled(UINT nID) const
{
    switch (nID) {
    case ID_EDIT_PASTE_CMD:
        return ::IsClipboardFormatAvailable(CF_TEXT);
    case ID_EDIT_CUT_CMD:
    case ID_EDIT_COPY_CMD: {
        DWORD dwStart = 0, dwEnd = 0;
        ::SendMessageW(m_hWnd, EM_GETSEL, (WPARAM)&dwStart, (LPARAM)&dwEnd);
        return dwStart != dwEnd;
    }
    }
    return TRUE;
}

BOOL CTKPEdit::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (nID == ID_EDIT_CUT_CMD || nID == ID_EDIT_COPY_CMD || nID == ID_EDIT_PASTE_CMD) {
        if (nCode == (int)CN_UPDATE_COMMAND_UI) {
            if (pExtra != NULL)
                static_cast<CCmdUI*>(pExtra)->Enable(IsCommandEnabled(nID));
            return TRUE;
        }
        if (nCode == CN_COMMAND) {
            if (pHandlerInfo == NULL)
                SendMessage(nID == ID_EDIT_CUT_CMD ? WM_CUT : nID == ID_EDIT_COPY_CMD ? WM_COPY : WM_PASTE);
            return TRUE;
        }
    }
    return CEdit::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CTKPEdit::FilterKey(UINT nChar, LPARAM lParam)
{
    if (nChar != VK_BACK && (nChar < VK_PRIOR || nChar > VK_DELETE))
        return FALSE;
    MSG msg = {m_hWnd, WM_KEYDOWN, nChar, lParam, 0, {0, 0}};
    return ::IsDialogMessageW(m_hWnd, &msg);
}

BOOL CTKPEdit::ShowContextMenu(CTKPControl* pControl, CPoint point)
{
    CString strCut;
    CTKPCommandBar* pBar = pControl != NULL ? pControl->GetParent() : NULL;
    CTKPCommandBars* pCommandBars = pBar != NULL ? pBar->GetCommandBars() : NULL;
    if (!GetResourceManager()->LoadString(&strCut, ID_EDIT_CUT_CMD) || pCommandBars == NULL)
        return FALSE;
    CTKPMouseTracker* pTracker = CTKPMouseTracker::GetThreadTracker();
    pTracker->Suspend(FALSE);

    ClientToScreen(&point);
    CTKPCommandBar* pPopup = CTKPCommandBars::CreatePopupBar(pCommandBars);
    if (pPopup != NULL) {
        const UINT ids[] = {ID_EDIT_CUT_CMD, ID_EDIT_COPY_CMD, ID_EDIT_PASTE_CMD};
        for (UINT nID : ids) {
            CTKPControl* pItem = pPopup->GetControls()->Add(tkpControlButton, (int)nID);
            if (pItem != NULL) {
                pItem->SetEnabled(IsCommandEnabled(nID));
                pItem->SetFlags(pItem->GetFlags() | tkpFlagManualUpdate);
            }
        }
        UINT nFlags = TPM_RETURNCMD | TPM_NONOTIFY | TPM_RECURSE;
        if (pBar->GetSafeHwnd() != NULL && (pBar->GetExStyle() & (WS_EX_LAYOUTRTL | WS_EX_RIGHT)))
            nFlags |= TPM_RIGHTALIGN;
        const UINT nCmd = CTKPCommandBars::TrackPopupMenu(pPopup, nFlags, point.x, point.y, this);
        if ((int)nCmd > 0 && GetSafeHwnd() != NULL)
            OnCmdMsg(nCmd, CN_COMMAND, NULL, NULL);
        pPopup->InternalRelease();
    }
    pTracker->Suspend(TRUE);
    if (pBar->GetSafeHwnd() != NULL) {
        pBar->Invalidate(FALSE);
        pBar->UpdateWindow();
    }
    return TRUE;
}

LRESULT CTKPEdit::OnImeStartComposition(WPARAM, LPARAM)
{
    const LRESULT lResult = Default();
    m_bComposition = TRUE;
    return lResult;
}

LRESULT CTKPEdit::OnImeEndComposition(WPARAM, LPARAM)
{
    const LRESULT lResult = Default();
    m_bComposition = FALSE;
    return lResult;
}

void CTKPEdit::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
    m_bComposition = FALSE;
}
