#include "toolkit/commandbars/WindowHookManager.h"

#include "classlib/win/AfxThreadState.h"

#include <vector>

CTKPWindowHookManager* CTKPWindowHookManager::GetInstance()
{
    static CTKPWindowHookManager s_instance;
    return &s_instance;
}

CTKPWindowHookManager::CTKPWindowHookManager() {}

CTKPWindowHookManager::~CTKPWindowHookManager()
{
    HWND hWnd;
    HookRecord* pRecord;
    for (POSITION pos = m_mapHooks.GetStartPosition(); pos != NULL;) {
        m_mapHooks.GetNextAssoc(pos, hWnd, pRecord);
        delete pRecord;
    }
    m_mapHooks.RemoveAll();
}

CTKPWindowHookManager::HookRecord* CTKPWindowHookManager::Lookup(HWND hWnd) const
{
    HookRecord* pRecord = NULL;
    return m_mapHooks.Lookup(hWnd, pRecord) ? pRecord : NULL;
}

void CTKPWindowHookManager::SetHook(HWND hWnd, CTKPHookSink* pSink)
{
    if (hWnd == NULL || !::IsWindow(hWnd) || pSink == NULL)
        return;
    HookRecord* pRecord = Lookup(hWnd);
    if (pRecord == NULL) {
        pRecord = new HookRecord;
        pRecord->hWnd = hWnd;
        pRecord->bPassThrough = FALSE;
        pRecord->pfnOldWndProc = (WNDPROC)::GetWindowLongPtrW(hWnd, GWLP_WNDPROC);
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, (LONG_PTR)HookWndProc);
        m_mapHooks.SetAt(hWnd, pRecord);
    }
    pRecord->bPassThrough = FALSE;
    for (INT_PTR i = 0; i < pRecord->arrSinks.GetSize(); ++i) {
        if (pRecord->arrSinks[i] == pSink)
            return;
    }
    pRecord->arrSinks.Add(pSink);
}

void CTKPWindowHookManager::RemoveHook(HWND hWnd, CTKPHookSink* pSink)
{
    HookRecord* pRecord = Lookup(hWnd);
    if (pRecord == NULL)
        return;
    for (INT_PTR i = 0; i < pRecord->arrSinks.GetSize(); ++i) {
        if (pRecord->arrSinks[i] == pSink) {
            pRecord->arrSinks.RemoveAt(i);
            break;
        }
    }
    if (pRecord->arrSinks.GetSize() == 0)
        DeleteRecord(pRecord, FALSE);
}

void CTKPWindowHookManager::RemoveHook(CTKPHookSink* pSink)
{
    std::vector<HWND> windows;
    HWND hWnd;
    HookRecord* pRecord;
    for (POSITION pos = m_mapHooks.GetStartPosition(); pos != NULL;) {
        m_mapHooks.GetNextAssoc(pos, hWnd, pRecord);
        for (INT_PTR i = 0; i < pRecord->arrSinks.GetSize(); ++i) {
            if (pRecord->arrSinks[i] == pSink) {
                windows.push_back(hWnd);
                break;
            }
        }
    }
    for (HWND hWndHooked : windows)
        RemoveHook(hWndHooked, pSink);
}

void CTKPWindowHookManager::RemoveAll(HWND hWnd)
{
    HookRecord* pRecord = Lookup(hWnd);
    if (pRecord != NULL)
        DeleteRecord(pRecord, FALSE);
}

BOOL CTKPWindowHookManager::DeleteRecord(HookRecord* pRecord, BOOL bDestroying)
{
    pRecord->arrSinks.RemoveAll();
    const BOOL bOursInstalled =
        ::IsWindow(pRecord->hWnd) && (WNDPROC)::GetWindowLongPtrW(pRecord->hWnd, GWLP_WNDPROC) == HookWndProc;
    if (bOursInstalled) {
        ::SetWindowLongPtrW(pRecord->hWnd, GWLP_WNDPROC, (LONG_PTR)pRecord->pfnOldWndProc);
    } else if (!bDestroying && ::IsWindow(pRecord->hWnd)) {
        // Someone subclassed the window after us and calls our procedure as its previous one:
        // writing our predecessor back would cut them out. The record stays and only passes messages
        // on until the window is destroyed.
        pRecord->bPassThrough = TRUE;
        return FALSE;
    }
    m_mapHooks.RemoveKey(pRecord->hWnd);
    delete pRecord;
    return TRUE;
}

LRESULT CALLBACK CTKPWindowHookManager::HookWndProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    CTKPWindowHookManager* pManager = GetInstance();
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    const MSG msgSaved = pState->m_lastSentMsg;
    pState->m_lastSentMsg.hwnd = hWnd;
    pState->m_lastSentMsg.message = nMessage;
    pState->m_lastSentMsg.wParam = wParam;
    pState->m_lastSentMsg.lParam = lParam;

    LRESULT lResult = 0;
    HookRecord* pRecord = pManager->Lookup(hWnd);
    if (pRecord == NULL) {
        lResult = ::DefWindowProcW(hWnd, nMessage, wParam, lParam);
    } else if (nMessage == WM_NCDESTROY) {
        const WNDPROC pfnOld = pRecord->pfnOldWndProc;
        pManager->DeleteRecord(pRecord, TRUE);
        lResult = ::CallWindowProcW(pfnOld, hWnd, nMessage, wParam, lParam);
    } else {
        const WNDPROC pfnOld = pRecord->pfnOldWndProc;
        BOOL bHandled = FALSE;
        std::vector<CTKPHookSink*> sinks;
        for (INT_PTR i = 0; i < pRecord->arrSinks.GetSize(); ++i)
            sinks.push_back(pRecord->arrSinks[i]);
        for (auto it = sinks.rbegin(); it != sinks.rend(); ++it) {
            // A sink removed by an earlier one is not asked.
            HookRecord* pCurrent = pManager->Lookup(hWnd);
            BOOL bStillHooked = FALSE;
            for (INT_PTR i = 0; pCurrent != NULL && i < pCurrent->arrSinks.GetSize(); ++i)
                bStillHooked |= pCurrent->arrSinks[i] == *it;
            if (!bStillHooked)
                continue;
            const int nAnswer = (*it)->OnHookMessage(hWnd, nMessage, wParam, lParam, lResult);
            if (nAnswer == CTKPHookSink::hookHandled) {
                bHandled = TRUE;
                break;
            }
            if (nAnswer == CTKPHookSink::hookPass)
                break;
        }
        if (!bHandled)
            lResult = ::CallWindowProcW(pfnOld, hWnd, nMessage, wParam, lParam);
    }
    pState->m_lastSentMsg = msgSaved;
    return lResult;
}
