// The command bars' saved layout: where each bar is, the order of the bars in each dock bar, the
// status bar's visibility and, when the frame handles Customize, the customised controls.
#include "classlib/core/CArchive.h"
#include "classlib/core/CFile.h"
#include "classlib/core/CMemFile.h"
#include "classlib/win/CFrameWnd.h"
#include "classlib/win/CWinApp.h"
#include "toolkit/commandbars/BarOptions.h"
#include "toolkit/commandbars/CommandBarList.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/DialogBar.h"
#include "toolkit/commandbars/DockBar.h"
#include "toolkit/commandbars/LayoutRecords.h"
#include "toolkit/commandbars/MenuBar.h"
#include "toolkit/commandbars/RefHolder.h"
#include "toolkit/commandbars/ToolBar.h"
#include "toolkit/commandbars/ToolBarDockContext.h"
#include "toolkit/common/PropExchangeArchive.h"

#include <shlobj.h>

namespace {

// Controls data up to this size is kept in the registry; larger data goes to a file.
const UINT kMaxRegistryControls = 16000;
// A dock bar never holds more entries than this, however large a damaged count is.
const int kMaxDockEntries = 256;
const UINT kStatusBarID = 0xE801;

CString Section(LPCTSTR lpszFormat, LPCTSTR lpszProfileName, int nIndex = -1)
{
    CString str;
    if (nIndex < 0)
        str.Format(lpszFormat, lpszProfileName);
    else
        str.Format(lpszFormat, lpszProfileName, nIndex);
    return str;
}

CFrameWnd* FrameOf(CTKPCommandBars* pCommandBars)
{
    CWnd* pSite = pCommandBars->GetSite();
    return pSite != NULL && pSite->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(pSite) : NULL;
}

void RecordFromBar(CTKPToolBar* pBar, CTKPBarLayoutRecord& record)
{
    record.m_nBarID = pBar->GetBarID();
    record.m_pBar = pBar;
    record.m_bVisible = pBar->IsVisible();
    record.m_nMRUWidth = pBar->GetMRUWidth();
    CTKPToolBarDockContext* pContext = pBar->GetDockContext();
    if (pBar->GetSafeHwnd() != NULL) {
        CRect rc;
        pBar->GetWindowRect(&rc);
        if (pBar->GetDockBar() != NULL && pBar->GetDockBar()->GetSafeHwnd() != NULL)
            pBar->GetDockBar()->ScreenToClient(&rc);
        record.m_nXPos = rc.left;
        record.m_nYPos = rc.top;
    } else if (pContext != NULL) {
        record.m_nXPos = pContext->m_ptMRUFloatPos.x;
        record.m_nYPos = pContext->m_ptMRUFloatPos.y;
    }
    record.m_bFloating = pBar->GetPosition() == tkpBarFloating;
    if (pContext != NULL) {
        record.m_nMRUDockID = static_cast<UINT>(pContext->m_uMRUDockPosition);
        record.m_rcMRUDockPos = pContext->m_rectMRUDockPos;
        record.m_nMRUFloatXPos = pContext->m_ptMRUFloatPos.x;
        record.m_nMRUFloatYPos = pContext->m_ptMRUFloatPos.y;
    }
    record.m_bDialogBar = pBar->IsKindOf(RUNTIME_CLASS(CTKPDialogBar));
    if (record.m_bDialogBar) {
        record.m_sizeDockingClient = static_cast<CTKPDialogBar*>(pBar)->GetDockedClientSize();
        record.m_sizeFloatingClient = static_cast<CTKPDialogBar*>(pBar)->GetFloatingClientSize();
    }
}

void ApplyRecord(CTKPCommandBars* pCommandBars, CTKPToolBar* pBar, const CTKPBarLayoutRecord& record)
{
    // Hiding a torn-off bar takes it out of the manager, which may release it.
    CTKPRefHolder hold(pBar);
    pBar->SetMRUWidth(record.m_nMRUWidth);
    if (record.m_bDialogBar && pBar->IsKindOf(RUNTIME_CLASS(CTKPDialogBar))) {
        static_cast<CTKPDialogBar*>(pBar)->SetDockedClientSize(record.m_sizeDockingClient);
        static_cast<CTKPDialogBar*>(pBar)->SetFloatingClientSize(record.m_sizeFloatingClient);
    }
    if (CTKPToolBarDockContext* pContext = pBar->GetDockContext()) {
        pContext->m_uMRUDockPosition = static_cast<int>(record.m_nMRUDockID);
        pContext->m_rectMRUDockPos = record.m_rcMRUDockPos;
        pContext->m_ptMRUFloatPos = CPoint(record.m_nMRUFloatXPos, record.m_nMRUFloatYPos);
        // A bar that never floated was saved with (0, 0): it has no floating place to go back to.
        pContext->m_bHasFloatPos = record.m_bFloating || record.m_nMRUFloatXPos != 0 || record.m_nMRUFloatYPos != 0;
    }
    if (pBar->GetSafeHwnd() != NULL) {
        UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE;
        if (!record.m_bFloating)
            nFlags |= pBar->GetDockBar() != NULL ? SWP_NOSIZE : (SWP_NOSIZE | SWP_NOMOVE);
        // A record without a position leaves the bar where it is: moved to (-1, -1), a floating
        // bar would sit off the screen's corner.
        if (record.m_nXPos == -1 || record.m_nYPos == -1)
            nFlags |= SWP_NOMOVE;
        nFlags |= record.m_bVisible > 0 ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
        pBar->SetWindowPos(NULL, record.m_nXPos, record.m_nYPos, 0, 0, nFlags);
    }
    pBar->SetVisible(record.m_bVisible > 0);
    if (pCommandBars->FindIndex(pBar) < 0)
        return;
    if (record.m_bFloating)
        pBar->OnFloatingLayoutChanged();
}

// The application's data folder for the controls file: "<AppData>\<application>", made when missing.
CString GetAppDataControlsPath(LPCTSTR lpszName)
{
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!::GetVersionExW(&info) || info.dwPlatformId < VER_PLATFORM_WIN32_NT || info.dwMajorVersion < 5)
        return CString();
    LPITEMIDLIST pidl = NULL;
    if (FAILED(::SHGetSpecialFolderLocation(NULL, CSIDL_APPDATA, &pidl)) || pidl == NULL)
        return CString();
    WCHAR szFolder[MAX_PATH] = {};
    const BOOL bPath = ::SHGetPathFromIDListW(pidl, szFolder);
    ::CoTaskMemFree(pidl);
    if (!bPath || szFolder[0] == 0)
        return CString();
    CWinApp* pApp = AfxGetApp();
    CString strFolder = szFolder;
    strFolder += L"\\";
    strFolder += pApp != NULL && pApp->m_pszAppName != NULL ? pApp->m_pszAppName : L"Toolkit";
    ::CreateDirectoryW(strFolder, NULL);
    const DWORD dwAttributes = ::GetFileAttributesW(strFolder);
    if (dwAttributes == INVALID_FILE_ATTRIBUTES || (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return CString();
    return strFolder + L"\\" + lpszName;
}

// Writes the block to the file by way of a new file beside it, so that the old file stays whole
// until the new one is complete.
BOOL WriteFileSafely(const CString& strPath, const BYTE* pData, UINT cbData)
{
    const CString strTemp = strPath + L".new";
    HANDLE hFile = ::CreateFileW(strTemp, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    DWORD dwWritten = 0;
    const BOOL bWritten = ::WriteFile(hFile, pData, cbData, &dwWritten, NULL) && dwWritten == cbData;
    const BOOL bClosed = ::CloseHandle(hFile);
    if (!bWritten || !bClosed || !::MoveFileExW(strTemp, strPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ::DeleteFileW(strTemp);
        return FALSE;
    }
    ::SetFileAttributesW(strPath, FILE_ATTRIBUTE_HIDDEN);
    return TRUE;
}

}  // namespace

namespace {

CString GetControlsFileName(CTKPCommandBars* pCommandBars, LPCTSTR lpszProfileName)
{
    if (!pCommandBars->m_strControlsFileName.IsEmpty())
        return pCommandBars->m_strControlsFileName;
    CString strName = lpszProfileName;
    strName.Replace(L"\\", L"_");
    CString strPath = GetAppDataControlsPath(strName);
    if (strPath.IsEmpty()) {
        WCHAR szModule[MAX_PATH] = {};
        ::GetModuleFileNameW(AfxGetInstanceHandle(), szModule, MAX_PATH);
        strPath.Format(L"%s-%s", szModule, static_cast<LPCTSTR>(strName));
    }
    return strPath;
}

void SaveDockBars(CTKPCommandBars* pCommandBars, LPCTSTR lpszProfileName)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return;
    for (int d = 0; d < 4; d++) {
        const CString strSection = Section(L"%s-DockBar%d", lpszProfileName, d);
        pApp->WriteProfileString(strSection, NULL, NULL);
        CTKPDockBar* pDockBar = pCommandBars->m_pDocks[d];
        if (pDockBar == NULL)
            continue;
        const CArray<CTKPToolBar*, CTKPToolBar*>& arrBars = pDockBar->GetBars();
        if (arrBars.GetSize() <= 1)
            continue;
        int nWritten = 0;
        BOOL bLastWasBreak = FALSE;
        for (INT_PTR i = 0; i < arrBars.GetSize(); i++) {
            CTKPToolBar* pBar = arrBars[i];
            if (pBar == NULL && bLastWasBreak && i > 0)
                continue;
            CString strEntry;
            strEntry.Format(L"Bar#%d", nWritten++);
            pApp->WriteProfileInt(strSection, strEntry, pBar != NULL ? static_cast<int>(pBar->GetBarID()) : 0);
            bLastWasBreak = pBar == NULL;
        }
        pApp->WriteProfileInt(strSection, L"Bars", nWritten);
    }
    CFrameWnd* pFrame = FrameOf(pCommandBars);
    CControlBar* pStatusBar = pFrame != NULL ? pFrame->GetControlBar(kStatusBarID) : NULL;
    if (pStatusBar != NULL && pStatusBar->GetSafeHwnd() != NULL && !pStatusBar->IsWindowVisible())
        pApp->WriteProfileInt(lpszProfileName, L"StatusBar", 0);
    else
        pApp->WriteProfileString(lpszProfileName, L"StatusBar", NULL);
}

BOOL SaveControls(CTKPCommandBars* pCommandBars, LPCTSTR lpszProfileName, BOOL bOnlyCustomized)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return FALSE;
    const CString strSection = Section(L"%s-Controls", lpszProfileName);
    TKPPropExchangeSettings settings = {bOnlyCustomized, TRUE, FALSE, pCommandBars};
    CTKPCommandBarList list;
    pCommandBars->GenerateCommandBarList(list, settings);

    CMemFile file(1024);
    BOOL bSaved = FALSE;
    try {
        CArchive ar(&file, CArchive::store, 4096);
        CTKPPropExchangeArchive px(ar);
        px.m_dwData = reinterpret_cast<DWORD_PTR>(&settings);
        bSaved = pCommandBars->SaveCommandBarList(&px, list);
        ar.Close();
    } catch (CException* e) {
        e->Delete();
        bSaved = FALSE;
    }
    if (!bSaved) {
        pApp->WriteProfileString(strSection, NULL, NULL);
        return FALSE;
    }
    const UINT cbData = static_cast<UINT>(file.GetLength());
    BYTE* pData = file.Detach();
    const CString strPath = GetControlsFileName(pCommandBars, lpszProfileName);
    BOOL bStored;
    if (cbData <= kMaxRegistryControls) {
        bStored = pApp->WriteProfileBinary(strSection, L"Controls", pData, cbData) &&
            pApp->WriteProfileInt(strSection, L"LoadFromFile", 0);
        // The file of an earlier, larger save is no longer named by the profile.
        if (bStored)
            ::DeleteFileW(strPath);
    } else {
        // The customisation on disk is replaced only once the new data is complete.
        bStored = WriteFileSafely(strPath, pData, cbData);
        if (bStored)
            bStored = pApp->WriteProfileString(strSection, L"Controls", strPath) &&
                pApp->WriteProfileInt(strSection, L"LoadFromFile", 1);
    }
    free(pData);
    return bStored;
}

}  // namespace

void CTKPCommandBars::SaveLayout(LPCTSTR lpszProfileName, BOOL bOnlyCustomized)
{
    // The menu bar goes back to its default menu and keeps only the document menus the user changed.
    if (m_pMenuBar != NULL)
        m_pMenuBar->FreeStoredMenus();
    CTKPLayoutScreenFrame frame;
    for (int i = 0; i < GetCount(); i++) {
        CTKPCommandBar* pBar = GetAt(i);
        if (pBar == NULL || !pBar->IsKindOf(RUNTIME_CLASS(CTKPToolBar)))
            continue;
        CTKPBarLayoutRecord* pRecord = new CTKPBarLayoutRecord;
        RecordFromBar(static_cast<CTKPToolBar*>(pBar), *pRecord);
        frame.m_arrBars.Add(pRecord);
    }
    frame.SaveBars(lpszProfileName);
    SaveDockBars(this, lpszProfileName);
    if (m_bCustomizeAvail)
        SaveControls(this, lpszProfileName, bOnlyCustomized);
    if (m_pMenuBar != NULL && m_pMenuBar->IsMenuUpdatePending()) {
        m_pMenuBar->SetMenuUpdatePending(FALSE);
        CFrameWnd* pFrame = FrameOf(this);
        if (pFrame != NULL && pFrame->GetSafeHwnd() != NULL)
            pFrame->OnUpdateFrameMenu(NULL);
    }
    if (m_pOptions != NULL)
        m_pOptions->bDirty = FALSE;
}

// --- Loading ------------------------------------------------------------------------------------

namespace {

BOOL LoadControlsArchive(CTKPCommandBars* pCommandBars, CFile* pFile, BOOL bSilent)
{
    TKPPropExchangeSettings settings = {FALSE, TRUE, bSilent, pCommandBars};
    CTKPCommandBarList list;
    BOOL bLoaded = FALSE;
    try {
        CArchive ar(pFile, CArchive::load, 4096);
        CTKPPropExchangeArchive px(ar);
        px.m_dwData = reinterpret_cast<DWORD_PTR>(&settings);
        bLoaded = pCommandBars->LoadCommandBarList(&px, list);
        ar.Close();
    } catch (CException* e) {
        e->Delete();
        bLoaded = FALSE;
    }
    if (!bLoaded)
        return FALSE;
    pCommandBars->RestoreCommandBarList(list, bSilent);
    CTKPCommandBar* pMenuBar = pCommandBars->GetToolBar(1);
    if (pMenuBar != NULL && pMenuBar->IsKindOf(RUNTIME_CLASS(CTKPMenuBar)))
        pCommandBars->m_pMenuBar = static_cast<CTKPMenuBar*>(pMenuBar);
    return TRUE;
}

void LoadDockBars(CTKPCommandBars* pCommandBars, LPCTSTR lpszProfileName)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return;
    for (int d = 0; d < 4; d++) {
        CTKPDockBar* pDockBar = pCommandBars->m_pDocks[d];
        if (pDockBar == NULL)
            continue;
        const CString strSection = Section(L"%s-DockBar%d", lpszProfileName, d);
        int nBars = static_cast<int>(pApp->GetProfileInt(strSection, L"Bars", 0));
        if (nBars < 2)
            continue;
        if (nBars > kMaxDockEntries)
            nBars = kMaxDockEntries;
        CArray<CTKPToolBar*, CTKPToolBar*> arrPlaced;
        BOOL bLastWasBreak = FALSE;
        int nInserted = 0;
        for (int j = 0; j < nBars; j++) {
            CString strEntry;
            strEntry.Format(L"Bar#%d", j);
            const UINT nID = pApp->GetProfileInt(strSection, strEntry, 0);
            CTKPToolBar* pBar = nID != 0 ? pCommandBars->GetToolBar(nID) : NULL;
            // A bar named twice by damaged data stays at its first place.
            for (INT_PTR k = 0; pBar != NULL && k < arrPlaced.GetSize(); k++)
                if (arrPlaced[k] == pBar)
                    pBar = NULL;
            // Row breaks in a row (ids of bars that are gone) collapse into one.
            if (pBar == NULL && bLastWasBreak)
                continue;
            bLastWasBreak = pBar == NULL;
            if (pBar != NULL) {
                arrPlaced.Add(pBar);
                // A bar that is elsewhere takes this dock bar's side first.
                if (pBar->GetPosition() != pDockBar->GetPosition())
                    pBar->SetPosition(pDockBar->GetPosition());
            }
            // The bar leaves its earlier dock bar and takes this one's side.
            pDockBar->InsertEntry(nInserted++, pBar);
        }
    }
    CFrameWnd* pFrame = FrameOf(pCommandBars);
    CControlBar* pStatusBar = pFrame != NULL ? pFrame->GetControlBar(kStatusBarID) : NULL;
    if (pStatusBar != NULL && pApp->GetProfileInt(lpszProfileName, L"StatusBar", 1) == 0)
        pFrame->ShowControlBar(pStatusBar, FALSE, FALSE);
}

}  // namespace

void CTKPCommandBars::LoadLayout(LPCTSTR lpszProfileName, BOOL bSilent)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return;
    if (m_bCustomizeAvail) {
        const CString strSection = Section(L"%s-Controls", lpszProfileName);
        if (pApp->GetProfileInt(strSection, L"LoadFromFile", 0) != 0) {
            const CString strPath = pApp->GetProfileString(strSection, L"Controls", L"");
            CFile file;
            if (!strPath.IsEmpty() && file.Open(strPath, CFile::modeRead | CFile::shareDenyWrite))
                LoadControlsArchive(this, &file, bSilent);
        } else {
            BYTE* pData = NULL;
            UINT cbData = 0;
            if (pApp->GetProfileBinary(strSection, L"Controls", &pData, &cbData) && pData != NULL) {
                CMemFile file(pData, cbData);
                LoadControlsArchive(this, &file, bSilent);
                file.Detach();
            }
            delete[] pData;
        }
    }

    CTKPLayoutScreenFrame frame;
    frame.LoadBars(lpszProfileName);
    LoadDockBars(this, lpszProfileName);
    for (INT_PTR i = 0; i < frame.m_arrBars.GetSize(); i++) {
        const CTKPBarLayoutRecord& record = *frame.m_arrBars[i];
        CTKPToolBar* pBar = record.m_nBarID != 0 ? GetToolBar(record.m_nBarID) : NULL;
        if (pBar == NULL)
            continue;
        if (!record.m_bFloating)
            pBar->CreateBarWindow(m_pFrame, FALSE);
        else
            FloatCommandBar(pBar);
        ApplyRecord(this, pBar, record);
    }
    RecalcFrameLayout(TRUE);
    if (m_pOptions != NULL)
        m_pOptions->bDirty = FALSE;
}
