#include "toolkit/base/ResourceManager.h"

#include "classlib/win/CToolBar.h"

namespace {
CTKPResourceManager::MessageBoxHook g_messageBoxHook = NULL;
}

CTKPResourceManager::CTKPResourceManager() : m_bValid(TRUE), m_hResourceFile(NULL) {}

CTKPResourceManager::~CTKPResourceManager()
{
    Close();
}

BOOL CTKPResourceManager::LoadString(CString* pString, UINT nIDResource)
{
    pString->Empty();
    return pString->LoadString(nIDResource);
}

BOOL CTKPResourceManager::LoadMenu(CMenu* pMenu, UINT nIDResource)
{
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nIDResource), RT_MENU);
    HMENU hMenu = ::LoadMenuW(hInst, MAKEINTRESOURCEW(nIDResource));
    return hMenu != NULL && pMenu->Attach(hMenu);
}

BOOL CTKPResourceManager::LoadToolBar(CToolBar* pToolBar, UINT nIDResource)
{
    return pToolBar != NULL && pToolBar->LoadToolBar(nIDResource);
}

BOOL CTKPResourceManager::LoadBitmap(CBitmap* pBitmap, UINT nIDResource)
{
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nIDResource), RT_BITMAP);
    HBITMAP hBitmap = ::LoadBitmapW(hInst, MAKEINTRESOURCEW(nIDResource));
    return hBitmap != NULL && pBitmap->Attach(hBitmap);
}

HCURSOR CTKPResourceManager::LoadCursor(UINT nIDResource)
{
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nIDResource), RT_GROUP_CURSOR);
    return ::LoadCursorW(hInst, MAKEINTRESOURCEW(nIDResource));
}

LPCDLGTEMPLATE CTKPResourceManager::LoadDialogTemplate(UINT nIDResource)
{
    HINSTANCE hInst = AfxGetInstanceHandle();
    HRSRC hResource = ::FindResourceW(hInst, MAKEINTRESOURCEW(nIDResource), MAKEINTRESOURCEW(5));
    if (hResource == NULL) {
        hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nIDResource), RT_DIALOG);
        hResource = ::FindResourceW(hInst, MAKEINTRESOURCEW(nIDResource), MAKEINTRESOURCEW(5));
    }
    if (hResource == NULL)
        return NULL;
    HGLOBAL hTemplate = ::LoadResource(hInst, hResource);
    return hTemplate ? static_cast<LPCDLGTEMPLATE>(::LockResource(hTemplate)) : NULL;
}

void CTKPResourceManager::Close()
{
    if (m_hResourceFile) {
        ::FreeLibrary(m_hResourceFile);
        m_hResourceFile = NULL;
    }
}

const TKP_RESOURCE_LANGINFO* CTKPResourceManager::GetLanguageInfo()
{
    static const TKP_RESOURCE_LANGINFO s_info = {MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), 1252};
    return &s_info;
}

int CTKPResourceManager::ShowMessageBox(UINT nIDPrompt, UINT nType)
{
    CString strText;
    LoadString(&strText, nIDPrompt);
    if (g_messageBoxHook)
        return g_messageBoxHook(strText, nType);
    return AfxMessageBox(strText, nType, 0);
}

int CTKPResourceManager::ShowMessageBox(LPCTSTR lpszText, UINT nType)
{
    if (g_messageBoxHook)
        return g_messageBoxHook(lpszText, nType);
    return AfxMessageBox(lpszText, nType, 0);
}

void CTKPResourceManager::SetMessageBoxHook(MessageBoxHook pfnHook)
{
    g_messageBoxHook = pfnHook;
}

CTKPResourceManager* GetResourceManager()
{
    static CTKPResourceManager manager;
    return &manager;
}
