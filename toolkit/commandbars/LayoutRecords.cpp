#include "toolkit/commandbars/LayoutRecords.h"

#include "classlib/win/CWinApp.h"

#include <algorithm>

namespace {

BOOL g_bTestScreen = FALSE;
RECT g_rcTestScreen;
RECT g_rcTestVirtual;

CString BarSection(LPCTSTR lpszProfileName, int nIndex)
{
    CString str;
    str.Format(L"%s-Bar%d", lpszProfileName, nIndex);
    return str;
}

CString SummarySection(LPCTSTR lpszProfileName)
{
    CString str;
    str.Format(L"%s-Summary", lpszProfileName);
    return str;
}

// FALSE only when the registry profile certainly lacks the section.
BOOL SectionExists(CWinApp* pApp, LPCTSTR lpszSection)
{
    if (pApp->m_pszRegistryKey == NULL)
        return TRUE;
    HKEY hAppKey = pApp->GetAppRegistryKey();
    if (hAppKey == NULL)
        return FALSE;
    HKEY hSection = NULL;
    const LONG lResult = ::RegOpenKeyExW(hAppKey, lpszSection, 0, KEY_READ, &hSection);
    ::RegCloseKey(hAppKey);
    if (lResult != ERROR_SUCCESS)
        return FALSE;
    ::RegCloseKey(hSection);
    return TRUE;
}

int ReadInt(CWinApp* pApp, LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    return static_cast<int>(pApp->GetProfileInt(lpszSection, lpszEntry, nDefault));
}

}  // namespace

CTKPBarLayoutRecord::CTKPBarLayoutRecord()
    : m_nBarID(0), m_bVisible(FALSE), m_bFloating(FALSE), m_nXPos(-1), m_nYPos(-1), m_nMRUWidth(32767), m_nMRUDockID(0),
      m_rcMRUDockPos(0, 0, 0, 0), m_nMRUFloatXPos(0), m_nMRUFloatYPos(0), m_bDialogBar(FALSE),
      m_sizeDockingClient(200, 200), m_sizeFloatingClient(200, 200), m_pBar(NULL)
{}

BOOL CTKPBarLayoutRecord::Save(LPCTSTR lpszProfileName, int nIndex) const
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return FALSE;
    const CString strSection = BarSection(lpszProfileName, nIndex);
    pApp->WriteProfileString(strSection, NULL, NULL);
    BOOL bOk = pApp->WriteProfileInt(strSection, L"BarID", static_cast<int>(m_nBarID));
    if (!m_bVisible)
        bOk &= pApp->WriteProfileInt(strSection, L"Visible", m_bVisible);
    if (m_bFloating)
        bOk &= pApp->WriteProfileInt(strSection, L"Floating", m_bFloating);
    if (m_nXPos != -1)
        bOk &= pApp->WriteProfileInt(strSection, L"XPos", m_nXPos);
    if (m_nYPos != -1)
        bOk &= pApp->WriteProfileInt(strSection, L"YPos", m_nYPos);
    if (m_nMRUWidth != 32767)
        bOk &= pApp->WriteProfileInt(strSection, L"MRUWidth", m_nMRUWidth);
    bOk &= pApp->WriteProfileInt(strSection, L"MRUDockID", static_cast<int>(m_nMRUDockID));
    bOk &= pApp->WriteProfileInt(strSection, L"MRUDockLeftPos", m_rcMRUDockPos.left);
    bOk &= pApp->WriteProfileInt(strSection, L"MRUDockTopPos", m_rcMRUDockPos.top);
    bOk &= pApp->WriteProfileInt(strSection, L"MRUDockRightPos", m_rcMRUDockPos.right);
    bOk &= pApp->WriteProfileInt(strSection, L"MRUDockBottomPos", m_rcMRUDockPos.bottom);
    bOk &= pApp->WriteProfileInt(strSection, L"MRUFloatXPos", m_nMRUFloatXPos);
    bOk &= pApp->WriteProfileInt(strSection, L"MRUFloatYPos", m_nMRUFloatYPos);
    bOk &= pApp->WriteProfileInt(strSection, L"DialogBar", m_bDialogBar);
    if (m_bDialogBar) {
        bOk &= pApp->WriteProfileInt(strSection, L"DialogBarDockingClientCx", m_sizeDockingClient.cx);
        bOk &= pApp->WriteProfileInt(strSection, L"DialogBarDockingClientCy", m_sizeDockingClient.cy);
        bOk &= pApp->WriteProfileInt(strSection, L"DialogBarFloatingClientCx", m_sizeFloatingClient.cx);
        bOk &= pApp->WriteProfileInt(strSection, L"DialogBarFloatingClientCy", m_sizeFloatingClient.cy);
    }
    return bOk;
}

void CTKPBarLayoutRecord::Load(LPCTSTR lpszProfileName, int nIndex, const CTKPLayoutScreenFrame& frame)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return;
    const CString strSection = BarSection(lpszProfileName, nIndex);
    m_nBarID = static_cast<UINT>(ReadInt(pApp, strSection, L"BarID", 0));
    m_bVisible = ReadInt(pApp, strSection, L"Visible", TRUE);
    m_bFloating = ReadInt(pApp, strSection, L"Floating", FALSE);
    m_nXPos = ReadInt(pApp, strSection, L"XPos", -1);
    m_nYPos = ReadInt(pApp, strSection, L"YPos", -1);
    frame.ScalePoint(m_nXPos, m_nYPos);
    m_nMRUWidth = ReadInt(pApp, strSection, L"MRUWidth", 32767);
    m_nMRUDockID = static_cast<UINT>(ReadInt(pApp, strSection, L"MRUDockID", 0));
    m_rcMRUDockPos.left = ReadInt(pApp, strSection, L"MRUDockLeftPos", 0);
    m_rcMRUDockPos.top = ReadInt(pApp, strSection, L"MRUDockTopPos", 0);
    m_rcMRUDockPos.right = ReadInt(pApp, strSection, L"MRUDockRightPos", 0);
    m_rcMRUDockPos.bottom = ReadInt(pApp, strSection, L"MRUDockBottomPos", 0);
    frame.ScaleRect(m_rcMRUDockPos);
    m_nMRUFloatXPos = ReadInt(pApp, strSection, L"MRUFloatXPos", 0);
    m_nMRUFloatYPos = ReadInt(pApp, strSection, L"MRUFloatYPos", 0);
    frame.ScalePoint(m_nMRUFloatXPos, m_nMRUFloatYPos);
    m_bDialogBar = ReadInt(pApp, strSection, L"DialogBar", FALSE);
    m_sizeDockingClient.cx = ReadInt(pApp, strSection, L"DialogBarDockingClientCx", m_sizeDockingClient.cx);
    m_sizeDockingClient.cy = ReadInt(pApp, strSection, L"DialogBarDockingClientCy", m_sizeDockingClient.cy);
    m_sizeFloatingClient.cx = ReadInt(pApp, strSection, L"DialogBarFloatingClientCx", m_sizeFloatingClient.cx);
    m_sizeFloatingClient.cy = ReadInt(pApp, strSection, L"DialogBarFloatingClientCy", m_sizeFloatingClient.cy);
}

void CTKPLayoutScreenFrame::SetScreenForTest(const RECT* prcScreen, const RECT* prcVirtual)
{
    g_bTestScreen = prcScreen != NULL;
    if (prcScreen != NULL)
        g_rcTestScreen = *prcScreen;
    g_rcTestVirtual = prcVirtual != NULL ? *prcVirtual : (prcScreen != NULL ? *prcScreen : RECT{0, 0, 0, 0});
}

CTKPLayoutScreenFrame::CTKPLayoutScreenFrame() : m_bScaling(FALSE), m_sizeSaved(0, 0)
{
    if (g_bTestScreen) {
        m_rcScreen = g_rcTestScreen;
        m_rcVirtual = g_rcTestVirtual;
    } else {
        // The main screen's size scales positions; the limits are those of the whole virtual screen,
        // so that a bar saved on a second monitor stays there instead of being pulled onto the main one.
        m_rcScreen.SetRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
        const int x = ::GetSystemMetrics(SM_XVIRTUALSCREEN), y = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
        const int cx = ::GetSystemMetrics(SM_CXVIRTUALSCREEN), cy = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
        if (cx > 0 && cy > 0)
            m_rcVirtual.SetRect(x, y, x + cx, y + cy);
        else
            m_rcVirtual = m_rcScreen;
    }
    m_ptMax.x = m_rcVirtual.right - ::GetSystemMetrics(SM_CXICON);
    m_ptMax.y = m_rcVirtual.bottom - ::GetSystemMetrics(SM_CYICON);
}

CTKPLayoutScreenFrame::~CTKPLayoutScreenFrame()
{
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
        delete m_arrBars[i];
}

BOOL CTKPLayoutScreenFrame::SaveBars(LPCTSTR lpszProfileName) const
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return FALSE;
    BOOL bOk = TRUE;
    int nWritten = 0;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++) {
        bOk &= m_arrBars[i]->Save(lpszProfileName, nWritten);
        nWritten++;
    }
    const CString strSummary = SummarySection(lpszProfileName);
    bOk &= pApp->WriteProfileInt(strSummary, L"Bars", nWritten);
    bOk &= pApp->WriteProfileInt(strSummary, L"ScreenCX", m_rcScreen.Width());
    bOk &= pApp->WriteProfileInt(strSummary, L"ScreenCY", m_rcScreen.Height());
    return bOk;
}

void CTKPLayoutScreenFrame::LoadBars(LPCTSTR lpszProfileName)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return;
    const CString strSummary = SummarySection(lpszProfileName);
    int nBars = ReadInt(pApp, strSummary, L"Bars", 0);
    m_sizeSaved.cx = ReadInt(pApp, strSummary, L"ScreenCX", 0);
    m_sizeSaved.cy = ReadInt(pApp, strSummary, L"ScreenCY", 0);
    // A summary without a usable screen size leaves positions as saved instead of scaling them by
    // nothing.
    m_bScaling = m_sizeSaved.cx > 0 && m_sizeSaved.cy > 0 &&
        (m_sizeSaved.cx != m_rcScreen.Width() || m_sizeSaved.cy != m_rcScreen.Height());
    // A damaged count cannot make the loader read thousands of sections: the records are written
    // one after the other, so the first missing one ends them.
    if (nBars < 0)
        nBars = 0;
    if (nBars > 1024)
        nBars = 1024;
    for (int i = 0; i < nBars; i++) {
        if (!SectionExists(pApp, BarSection(lpszProfileName, i)))
            break;
        CTKPBarLayoutRecord* pRecord = new CTKPBarLayoutRecord;
        m_arrBars.Add(pRecord);
        pRecord->Load(lpszProfileName, i, *this);
    }
}

void CTKPLayoutScreenFrame::ScalePoint(int& x, int& y) const
{
    // -1 (no position) is neither scaled nor limited: scaled, it would become a real place. Limited
    // from below too, so that a bar saved on a monitor that has gone since comes back into sight.
    if (x != -1) {
        if (m_bScaling)
            x = ::MulDiv(x, m_rcScreen.Width(), m_sizeSaved.cx);
        x = std::max(static_cast<int>(m_rcVirtual.left), std::min(x, static_cast<int>(m_ptMax.x)));
    }
    if (y != -1) {
        if (m_bScaling)
            y = ::MulDiv(y, m_rcScreen.Height(), m_sizeSaved.cy);
        y = std::max(static_cast<int>(m_rcVirtual.top), std::min(y, static_cast<int>(m_ptMax.y)));
    }
}

void CTKPLayoutScreenFrame::ScaleRect(CRect& rect) const
{
    if (m_bScaling) {
        const int x = ::MulDiv(rect.left, m_rcScreen.Width(), m_sizeSaved.cx);
        const int y = ::MulDiv(rect.top, m_rcScreen.Height(), m_sizeSaved.cy);
        rect.OffsetRect(x - rect.left, y - rect.top);
    }
    if (rect.left > m_ptMax.x)
        rect.OffsetRect(m_ptMax.x - rect.left, 0);
    if (rect.top > m_ptMax.y)
        rect.OffsetRect(0, m_ptMax.y - rect.top);
    // Limited from below too: a docked place left of or above every monitor is out of sight.
    if (rect.left < m_rcVirtual.left)
        rect.OffsetRect(m_rcVirtual.left - rect.left, 0);
    if (rect.top < m_rcVirtual.top)
        rect.OffsetRect(0, m_rcVirtual.top - rect.top);
}
