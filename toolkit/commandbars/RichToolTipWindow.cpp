#include "toolkit/commandbars/RichToolTipWindow.h"

#include "classlib/core/CMemFile.h"
#include "classlib/win/CDC.h"
#include "toolkit/commandbars/ToolTipManager.h"

#include <string>

namespace {

// The rich edit stream-in callback over a memory file.
DWORD CALLBACK ReadFromFile(DWORD_PTR dwCookie, LPBYTE pbBuff, LONG cb, LONG* pcb)
{
    CFile* pFile = reinterpret_cast<CFile*>(dwCookie);
    *pcb = static_cast<LONG>(pFile->Read(pbBuff, static_cast<UINT>(cb)));
    return 0;
}

std::string ToAnsi(const CString& str)
{
    const int nLength = str.GetLength();
    if (nLength == 0)
        return std::string();
    const int cb = ::WideCharToMultiByte(CP_ACP, 0, str, nLength, NULL, 0, NULL, NULL);
    std::string out(cb > 0 ? cb : 0, '\0');
    if (cb > 0)
        ::WideCharToMultiByte(CP_ACP, 0, str, nLength, &out[0], cb, NULL, NULL);
    return out;
}

}  // namespace

BEGIN_MESSAGE_MAP(CTKPRichToolTipWindow, CTKPToolTipWindow)
ON_WM_CREATE()
END_MESSAGE_MAP()

CTKPRichToolTipWindow::CTKPRichToolTipWindow() : m_sizeRequested(0, 0) {}

int CTKPRichToolTipWindow::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CTKPToolTipWindow::OnCreate(lpCreateStruct) == -1)
        return -1;
    AfxInitRichEdit();
    const DWORD dwStyle = WS_CHILD | ES_MULTILINE | ES_READONLY;
    // The first rich edit's class; its successor's when that one is not there.
    if (!m_wndRichEdit.CreateEx(0, L"RICHEDIT", NULL, dwStyle, 0, 0, 0, 0, m_hWnd, reinterpret_cast<HMENU>(1)))
        m_wndRichEdit.CreateEx(0, RICHEDIT_CLASSW, NULL, dwStyle, 0, 0, 0, 0, m_hWnd, reinterpret_cast<HMENU>(1));
    return 0;
}

BOOL CTKPRichToolTipWindow::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* pHeader = reinterpret_cast<const NMHDR*>(lParam);
    if (pHeader != NULL && pHeader->code == EN_REQUESTRESIZE && pHeader->hwndFrom == m_wndRichEdit.GetSafeHwnd()) {
        const REQRESIZE* pResize = reinterpret_cast<const REQRESIZE*>(lParam);
        m_sizeRequested = CSize(pResize->rc.right - pResize->rc.left, pResize->rc.bottom - pResize->rc.top);
        *pResult = 0;
        return TRUE;
    }
    return CTKPToolTipWindow::OnNotify(wParam, lParam, pResult);
}

void CTKPRichToolTipWindow::StreamText(const CString& strText)
{
    const std::string ansi = ToAnsi(strText);
    CMemFile file(reinterpret_cast<BYTE*>(const_cast<char*>(ansi.data())), static_cast<UINT>(ansi.size()));
    EDITSTREAM es = {};
    es.dwCookie = reinterpret_cast<DWORD_PTR>(&file);
    es.pfnCallback = &ReadFromFile;
    const long nRead = m_wndRichEdit.StreamIn(SF_RTF, es);
    if (nRead <= 0) {
        file.SeekToBegin();
        es.dwError = 0;
        m_wndRichEdit.StreamIn(SF_TEXT, es);
    }
    file.Detach();
}

int CTKPRichToolTipWindow::MeasureHeight(int nWidth)
{
    m_sizeRequested = CSize(0, 0);
    m_wndRichEdit.MoveWindow(0, 0, nWidth, 1, FALSE);
    CRect rc(0, 0, nWidth, 1);
    m_wndRichEdit.SetRect(&rc);
    m_wndRichEdit.RequestResize();
    return m_sizeRequested.cy;
}

CSize CTKPRichToolTipWindow::CalcTipSize(Tool* pTool)
{
    if (m_wndRichEdit.GetSafeHwnd() == NULL)
        return CSize(0, 0);
    const CString strText = GetToolText(pTool);
    if (strText.IsEmpty())
        return CSize(0, 0);
    ShowWindow(SW_HIDE);
    const COLORREF clrBack = m_pManager != NULL ? m_pManager->GetBackColor() : ::GetSysColor(COLOR_INFOBK);
    const COLORREF clrText = m_pManager != NULL ? m_pManager->GetTextColor() : ::GetSysColor(COLOR_INFOTEXT);
    m_wndRichEdit.SetBackgroundColor(FALSE, clrBack);
    m_wndRichEdit.SetWindowText(L"");
    CHARFORMATW cf = {};
    cf.cbSize = sizeof(cf);
    cf.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_PROTECTED | CFM_COLOR;
    cf.dwEffects = 0;
    cf.crTextColor = clrText;
    m_wndRichEdit.SetDefaultCharFormat(cf);
    m_wndRichEdit.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.GetSafeHandle()), 0);
    StreamText(strText);
    SetWindowText(L"");

    // The narrowest width that keeps the height the child asks for at the widest.
    m_wndRichEdit.ShowWindow(SW_SHOWNA);
    m_wndRichEdit.SetEventMask(ENM_REQUESTRESIZE);
    const int nLimit = m_pManager != NULL && m_pManager->GetMaxTipWidth() >= 0 ? m_pManager->GetMaxTipWidth()
                                                                               : ::GetSystemMetrics(SM_CXSCREEN);
    int lo = 0, hi = 2 * nLimit;
    int nTarget = -1;
    int nLastHeight = 0;
    int nWidth = 0;
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        nLastHeight = MeasureHeight(mid);
        nWidth = m_sizeRequested.cx;
        if (nTarget < 0)
            nTarget = nLastHeight;
        if (nLastHeight <= nTarget)
            hi = mid - 1;
        else
            lo = mid + 1;
    }
    if (nLastHeight > nTarget || nWidth == 0) {
        nLastHeight = MeasureHeight(hi + 1);
        nWidth = m_sizeRequested.cx;
    }
    CSize size(nWidth + 2, nLastHeight + 2);
    m_wndRichEdit.ShowWindow(SW_HIDE);

    RECT rcMargins = {0, 0, 0, 0};
    if (m_pManager != NULL)
        rcMargins = m_pManager->GetMargins();
    size.cx += rcMargins.left + rcMargins.right + 4;
    size.cy += rcMargins.top + rcMargins.bottom + 2;
    // Right-aligned or centred paragraphs need a little more room.
    if (strText.Find(L"\\qr") >= 0 || strText.Find(L"\\qc") >= 0)
        size.cx += 5;
    return size;
}

void CTKPRichToolTipWindow::DrawTip(CDC* pDC, Tool* /*pTool*/, CRect rect)
{
    if (m_wndRichEdit.GetSafeHwnd() == NULL)
        return;
    RECT rcMargins = {0, 0, 0, 0};
    if (m_pManager != NULL)
        rcMargins = m_pManager->GetMargins();
    rect.left += rcMargins.left + 3;
    rect.top += rcMargins.top + 2;
    rect.right -= 1;
    rect.bottom -= 1;
    const int nLogX = pDC->GetDeviceCaps(LOGPIXELSX);
    const int nLogY = pDC->GetDeviceCaps(LOGPIXELSY);
    FORMATRANGE range = {};
    range.hdc = pDC->GetSafeHdc();
    range.hdcTarget = pDC->GetSafeHdc();
    range.rc.left = ::MulDiv(rect.left, 1440, nLogX);
    range.rc.top = ::MulDiv(rect.top, 1440, nLogY);
    range.rc.right = ::MulDiv(rect.right, 1440, nLogX);
    range.rc.bottom = ::MulDiv(rect.bottom, 1440, nLogY);
    range.rcPage = range.rc;
    range.chrg.cpMin = 0;
    range.chrg.cpMax = -1;
    m_wndRichEdit.SendMessage(EM_FORMATRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
    m_wndRichEdit.SendMessage(EM_FORMATRANGE, FALSE, 0);
}
