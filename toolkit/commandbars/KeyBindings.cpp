#include "toolkit/commandbars/KeyBindings.h"

#include "classlib/win/CFrameWnd.h"
#include "classlib/win/CWinApp.h"
#include "toolkit/commandbars/CommandBars.h"

#include <vector>

IMPLEMENT_DYNAMIC(CTKPKeyBindings, CCmdTarget)

CTKPKeyBindings::LayoutSource CTKPKeyBindings::s_pfnLayouts = NULL;
TKPKeyTranslator CTKPKeyBindings::s_pfnTranslate = NULL;

namespace {

struct KeyName {
    UINT nKey;
    LPCTSTR lpszName;
};

const KeyName kKeyNames[] = {
    {1, L"Left Button"},
    {2, L"Right Button"},
    {3, L"Ctrl+Break"},
    {4, L"Middle Button"},
    {8, L"Backspace"},
    {9, L"Tab"},
    {12, L"Clear"},
    {13, L"Enter"},
    {16, L"Shift"},
    {17, L"Ctrl"},
    {18, L"Alt"},
    {19, L"Pause"},
    {20, L"Caps Lock"},
    {27, L"Esc"},
    {32, L"Space"},
    {33, L"Page Up"},
    {34, L"Page Down"},
    {35, L"End"},
    {36, L"Home"},
    {37, L"Left Arrow"},
    {38, L"Up Arrow"},
    {39, L"Right Arrow"},
    {40, L"Down Arrow"},
    {41, L"Select"},
    {42, L"Print"},
    {43, L"Execute"},
    {44, L"Snapshot"},
    {45, L"Ins"},
    {46, L"Del"},
    {47, L"Help"},
    {91, L"Left Windows"},
    {92, L"Right Windows"},
    {93, L"Application"},
    {106, L"Num *"},
    {107, L"Num +"},
    {108, L"Separator"},
    {109, L"Num -"},
    {110, L"Num ."},
    {111, L"Num /"},
    {144, L"Num Lock"},
    {145, L"Scrl Lock"},
    {246, L"Attn"},
    {247, L"Crsel"},
    {248, L"Exsel"},
    {249, L"Ereof"},
    {250, L"Play"},
    {251, L"Zoom"},
    {252, L"No Name"},
    {253, L"Pa1"},
    {254, L"Oem Clear"},
};

// The table's entries, or none for a null table.
std::vector<ACCEL> ReadTable(HACCEL hAccel)
{
    std::vector<ACCEL> entries;
    if (hAccel == NULL)
        return entries;
    const int nCount = ::CopyAcceleratorTableW(hAccel, NULL, 0);
    if (nCount <= 0)
        return entries;
    entries.resize((size_t)nCount);
    entries.resize((size_t)::CopyAcceleratorTableW(hAccel, entries.data(), nCount));
    return entries;
}

}  // namespace

CTKPKeyBindings::CTKPKeyBindings(CTKPCommandBars* pCommandBars)
    : m_bAllowEscapeShortcut(FALSE), m_bUseSystemKeyNameText(FALSE), m_nSuspended(0), m_pCommandBars(pCommandBars),
      m_hAccelTable(NULL), m_hOriginalAccelTable(NULL)
{
    for (UINT c = '0'; c <= '9'; ++c)
        m_mapKeyNames.SetAt(c, CString((TCHAR)c));
    for (UINT c = 'A'; c <= 'Z'; ++c)
        m_mapKeyNames.SetAt(c, CString((TCHAR)c));
    for (const KeyName& k : kKeyNames)
        m_mapKeyNames.SetAt(k.nKey, k.lpszName);
    for (int i = 1; i <= 12; ++i) {
        CString strName;
        strName.Format(L"F%d", i);
        m_mapKeyNames.SetAt(VK_F1 + i - 1, strName);
    }
    for (int i = 0; i <= 9; ++i) {
        CString strName;
        strName.Format(L"Num %d", i);
        m_mapKeyNames.SetAt(VK_NUMPAD0 + i, strName);
    }
}

CTKPKeyBindings::~CTKPKeyBindings()
{
    if (m_hAccelTable != NULL)
        ::DestroyAcceleratorTable(m_hAccelTable);
    if (m_hOriginalAccelTable != NULL)
        ::DestroyAcceleratorTable(m_hOriginalAccelTable);
    m_mapKeyNames.RemoveAll();
}

HACCEL CTKPKeyBindings::CopyAccelTable(HACCEL hAccelTable)
{
    std::vector<ACCEL> entries = ReadTable(hAccelTable);
    if (entries.empty())
        return NULL;
    return ::CreateAcceleratorTableW(entries.data(), (int)entries.size());
}

void CTKPKeyBindings::LoadFromResource(UINT nIDResource)
{
    if (m_hAccelTable != NULL)
        ::DestroyAcceleratorTable(m_hAccelTable);
    if (m_hOriginalAccelTable != NULL)
        ::DestroyAcceleratorTable(m_hOriginalAccelTable);
    m_hAccelTable = m_hOriginalAccelTable = NULL;

    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nIDResource), RT_ACCELERATOR);
    if (hInst == NULL || ::FindResourceW(hInst, MAKEINTRESOURCEW(nIDResource), RT_ACCELERATOR) == NULL)
        return;
    HACCEL hLoaded = ::LoadAcceleratorsW(hInst, MAKEINTRESOURCEW(nIDResource));
    if (hLoaded == NULL)
        return;
    m_hOriginalAccelTable = CopyAccelTable(hLoaded);
    m_hAccelTable = CopyAccelTable(hLoaded);
}

void CTKPKeyBindings::Reset()
{
    if (m_hAccelTable != NULL)
        ::DestroyAcceleratorTable(m_hAccelTable);
    m_hAccelTable = CopyAccelTable(m_hOriginalAccelTable);
}

BOOL CTKPKeyBindings::SetAccelTable(const ACCEL* pAccels, int nCount)
{
    // A table without entries cannot be made: the working table stays rather than every shortcut
    // being lost.
    if (pAccels == NULL || nCount <= 0)
        return FALSE;
    HACCEL hNew = ::CreateAcceleratorTableW(const_cast<ACCEL*>(pAccels), nCount);
    if (hNew == NULL)
        return FALSE;
    if (m_hAccelTable != NULL)
        ::DestroyAcceleratorTable(m_hAccelTable);
    m_hAccelTable = hNew;
    return TRUE;
}

BOOL CTKPKeyBindings::TranslateAccelerator(CWnd* pWnd, MSG* pMsg)
{
    if (m_nSuspended > 0 || m_hAccelTable == NULL || pWnd == NULL || pWnd->GetSafeHwnd() == NULL)
        return FALSE;
    return ::TranslateAcceleratorW(pWnd->GetSafeHwnd(), m_hAccelTable, pMsg);
}

// --- Texts --------------------------------------------------------------------------------------

BOOL CTKPKeyBindings::FindShortcut(UINT nCmd, CString& strShortcut)
{
    HACCEL hTable = m_hAccelTable;
    if (hTable == NULL) {
        if (m_hOriginalAccelTable != NULL)
            return FALSE;
        CWnd* pFrame = m_pCommandBars != NULL ? m_pCommandBars->GetSite() : NULL;
        if (pFrame == NULL || !pFrame->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
            return FALSE;
        hTable = static_cast<CFrameWnd*>(pFrame)->m_hAccelTable;
        if (hTable == NULL)
            return FALSE;
    }
    const std::vector<ACCEL> entries = ReadTable(hTable);
    BOOL bFound = FALSE, bCurrentValid = FALSE;
    int nBestPriority = 0;
    CString strBest;
    for (const ACCEL& accel : entries) {
        if (accel.cmd != nCmd)
            continue;
        CString strText;
        int nPriority = 0;
        FormatAccel(accel, strText, &nPriority);
        if (strText == strShortcut)
            bCurrentValid = TRUE;
        if (!bFound || nPriority > nBestPriority) {
            strBest = strText;
            nBestPriority = nPriority;
            bFound = TRUE;
        }
    }
    if (!bFound) {
        strShortcut.Empty();
        return FALSE;
    }
    if (!bCurrentValid)
        strShortcut = strBest;
    return TRUE;
}

void CTKPKeyBindings::FormatAccel(const ACCEL& accel, CString& strShortcut, int* pnPriority)
{
    strShortcut.Empty();
    if (accel.key != VK_CANCEL) {
        const struct {
            BYTE flag;
            UINT nKey;
        } modifiers[] = {{FCONTROL, VK_CONTROL}, {FSHIFT, VK_SHIFT}, {FALT, VK_MENU}};
        for (const auto& m : modifiers) {
            if (accel.fVirt & m.flag) {
                const CString strName = GetKeyName(m.nKey);
                if (!strName.IsEmpty())
                    strShortcut += strName + L"+";
            }
        }
    }
    if (accel.key == 0) {
        if (!strShortcut.IsEmpty())
            strShortcut = strShortcut.Left(strShortcut.GetLength() - 1);
    } else if (accel.fVirt & FVIRTKEY) {
        strShortcut += GetKeyName(accel.key);
    } else if (accel.key != 27 && accel.key != 9) {
        strShortcut += (TCHAR)(accel.key & 0xFF);
    }
    if (pnPriority != NULL) {
        if (accel.fVirt & FCONTROL)
            *pnPriority = 3;
        else if (accel.fVirt & FALT)
            *pnPriority = 2;
        else if (accel.fVirt & FSHIFT)
            *pnPriority = 1;
        else
            *pnPriority = 4;
    }
}

CString CTKPKeyBindings::GetSystemKeyName(UINT nKey)
{
    if (nKey == VK_CANCEL)
        return CString();
    LONG lScan = (LONG)::MapVirtualKeyExW(nKey, MAPVK_VK_TO_VSC, ::GetKeyboardLayout(0)) << 16 | 1;
    if (nKey >= 33 && nKey <= 47)
        lScan |= 1 << 24;
    WCHAR szName[51] = {0};
    if (::GetKeyNameTextW(lScan, szName, 50) <= 0)
        return CString();
    CString strName = szName;
    strName.MakeLower();
    for (int i = 0; i < strName.GetLength(); ++i) {
        if (::IsCharLowerW(strName[i])) {
            strName.SetAt(i, (TCHAR)(UINT_PTR)::CharUpperW((LPWSTR)(UINT_PTR)strName[i]));
            break;
        }
    }
    return strName;
}

CString CTKPKeyBindings::GetKeyName(UINT nKey)
{
    CString strName;
    if (m_bUseSystemKeyNameText)
        strName = GetSystemKeyName(nKey);
    if (strName.IsEmpty())
        m_mapKeyNames.Lookup(nKey, strName);
    if (strName.IsEmpty() && !m_bUseSystemKeyNameText)
        strName = GetSystemKeyName(nKey);
    return strName;
}

BOOL CTKPKeyBindings::IsAllowedAccel(DWORD dwAccel)
{
    const BYTE fVirt = (BYTE)(dwAccel & 0xFF);
    const UINT nKey = dwAccel >> 16;
    if (fVirt & (FCONTROL | FSHIFT | FALT))
        return TRUE;
    if (!(fVirt & FVIRTKEY))
        return TRUE;
    return nKey != VK_ESCAPE || m_bAllowEscapeShortcut;
}

BOOL CTKPKeyBindings::MatchesKeyChar(TCHAR ch, UINT nKey)
{
    HKL layouts[16];
    int nLayouts;
    HKL hCurrent;
    if (s_pfnLayouts != NULL) {
        nLayouts = s_pfnLayouts(layouts, 16);
        hCurrent = nLayouts > 0 ? layouts[0] : NULL;
    } else {
        nLayouts = ::GetKeyboardLayoutList(16, layouts);
        hCurrent = ::GetKeyboardLayout(0);
    }
    return TKPKeyTypesChar(ch, nKey, hCurrent, layouts, nLayouts,
        s_pfnTranslate != NULL ? s_pfnTranslate : TKPTranslateKey);
}

BOOL CTKPKeyBindings::KeyHasChar(UINT nKey)
{
    if (s_pfnTranslate != NULL)
        return s_pfnTranslate(nKey, ::GetKeyboardLayout(0)) != 0;
    return ::MapVirtualKeyW(nKey, MAPVK_VK_TO_CHAR) != 0;
}

// --- Profile ------------------------------------------------------------------------------------

void CTKPKeyBindings::SaveToProfile(LPCTSTR lpszSection)
{
    if (m_hOriginalAccelTable == NULL)
        return;
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return;
    std::vector<ACCEL> entries = ReadTable(m_hAccelTable);
    std::vector<BYTE> bytes(entries.size() * 6);
    for (size_t i = 0; i < entries.size(); ++i) {
        BYTE* p = &bytes[i * 6];
        p[0] = entries[i].fVirt;
        p[1] = 0;
        p[2] = (BYTE)(entries[i].key & 0xFF);
        p[3] = (BYTE)(entries[i].key >> 8);
        p[4] = (BYTE)(entries[i].cmd & 0xFF);
        p[5] = (BYTE)(entries[i].cmd >> 8);
    }
    pApp->WriteProfileBinary(lpszSection, L"Accelerators", bytes.empty() ? NULL : bytes.data(), (UINT)bytes.size());
}

void CTKPKeyBindings::LoadFromProfile(LPCTSTR lpszSection)
{
    if (m_hOriginalAccelTable == NULL)
        return;
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return;
    LPBYTE pData = NULL;
    UINT nBytes = 0;
    if (!pApp->GetProfileBinary(lpszSection, L"Accelerators", &pData, &nBytes) || pData == NULL)
        return;
    const UINT nCount = nBytes / 6;
    std::vector<ACCEL> entries(nCount);
    for (UINT i = 0; i < nCount; ++i) {
        const BYTE* p = pData + i * 6;
        entries[i].fVirt = p[0];
        entries[i].key = (WORD)(p[2] | p[3] << 8);
        entries[i].cmd = (WORD)(p[4] | p[5] << 8);
    }
    delete[] pData;
    // A stored value too short for one entry keeps the working table.
    if (nCount > 0)
        SetAccelTable(entries.data(), (int)nCount);
}
