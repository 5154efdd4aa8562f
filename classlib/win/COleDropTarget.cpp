#include "classlib/win/COleDropTarget.h"

#include "classlib/win/CWnd.h"

IMPLEMENT_DYNAMIC(COleDropTarget, CCmdTarget)

DROPEFFECT AFXAPI AfxFilterDropEffect(DROPEFFECT dropEffect, DWORD dwAllowed)
{
    const DROPEFFECT kinds = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    const DROPEFFECT wanted = dropEffect & kinds;
    if (wanted == DROPEFFECT_NONE)
        return DROPEFFECT_NONE;
    DROPEFFECT result = wanted & dwAllowed;
    // An effect the source does not allow gives way to one it does, copy before move before link.
    static const DROPEFFECT fallbacks[] = {DROPEFFECT_COPY, DROPEFFECT_MOVE, DROPEFFECT_LINK};
    for (int i = 0; result == DROPEFFECT_NONE && i < 3; ++i)
        result = fallbacks[i] & dwAllowed;
    if (result == DROPEFFECT_NONE)
        return DROPEFFECT_NONE;
    return result | (dropEffect & DROPEFFECT_SCROLL);
}

COleDropTarget::COleDropTarget() : m_hWnd(NULL), m_lpDataObject(NULL), m_nComRef(0) {}

COleDropTarget::~COleDropTarget()
{
    Revoke();
    if (m_lpDataObject != NULL)
        m_lpDataObject->Release();
    m_lpDataObject = NULL;
}

BOOL COleDropTarget::Register(CWnd* pWnd)
{
    HWND hWnd = pWnd ? pWnd->GetSafeHwnd() : NULL;
    if (hWnd == NULL)
        return FALSE;
    Revoke();
    if (FAILED(::RegisterDragDrop(hWnd, static_cast<IDropTarget*>(this))))
        return FALSE;
    m_hWnd = hWnd;
    return TRUE;
}

void COleDropTarget::Revoke()
{
    if (m_hWnd == NULL)
        return;
    ::RevokeDragDrop(m_hWnd);
    m_hWnd = NULL;
}

CWnd* COleDropTarget::GetWindow() const
{
    return m_hWnd ? CWnd::FromHandle(m_hWnd) : NULL;
}

CPoint COleDropTarget::ClientPoint(POINTL pt) const
{
    POINT point = {pt.x, pt.y};
    if (m_hWnd)
        ::ScreenToClient(m_hWnd, &point);
    return CPoint(point.x, point.y);
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}
DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}
void COleDropTarget::OnDragLeave(CWnd*) {}
BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint)
{
    return FALSE;
}
DROPEFFECT COleDropTarget::OnDropEx(CWnd*, COleDataObject*, DROPEFFECT, DROPEFFECT, CPoint)
{
    return (DROPEFFECT)-1;
}

STDMETHODIMP COleDropTarget::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == NULL)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget)) {
        *ppv = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = NULL;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) COleDropTarget::AddRef()
{
    return (ULONG)InterlockedIncrement(&m_nComRef) + 1;
}

STDMETHODIMP_(ULONG) COleDropTarget::Release()
{
    LONG n = InterlockedDecrement(&m_nComRef);
    return (ULONG)(n < 0 ? 0 : n) + 1;
}

STDMETHODIMP COleDropTarget::DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect)
{
    if (pdwEffect == NULL)
        return E_INVALIDARG;
    if (m_lpDataObject != NULL)
        m_lpDataObject->Release();
    m_lpDataObject = pDataObj;
    if (m_lpDataObject != NULL)
        m_lpDataObject->AddRef();
    COleDataObject dataObject;
    dataObject.Attach(m_lpDataObject, FALSE);
    *pdwEffect = AfxFilterDropEffect(OnDragEnter(GetWindow(), &dataObject, grfKeyState, ClientPoint(pt)), *pdwEffect);
    return S_OK;
}

STDMETHODIMP COleDropTarget::DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect)
{
    if (pdwEffect == NULL)
        return E_INVALIDARG;
    COleDataObject dataObject;
    dataObject.Attach(m_lpDataObject, FALSE);
    *pdwEffect = AfxFilterDropEffect(OnDragOver(GetWindow(), &dataObject, grfKeyState, ClientPoint(pt)), *pdwEffect);
    return S_OK;
}

STDMETHODIMP COleDropTarget::DragLeave()
{
    OnDragLeave(GetWindow());
    if (m_lpDataObject != NULL)
        m_lpDataObject->Release();
    m_lpDataObject = NULL;
    return S_OK;
}

STDMETHODIMP COleDropTarget::Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect)
{
    if (pdwEffect == NULL)
        return E_INVALIDARG;
    const DWORD dwAllowed = *pdwEffect;
    const CPoint point = ClientPoint(pt);
    CWnd* pWnd = GetWindow();
    COleDataObject dataObject;
    dataObject.Attach(pDataObj, FALSE);
    // The effect here is asked again at the drop point: the drop may follow the enter directly.
    DROPEFFECT dropEffect = AfxFilterDropEffect(OnDragOver(pWnd, &dataObject, grfKeyState, point), dwAllowed);
    const DROPEFFECT dropEx = OnDropEx(pWnd, &dataObject, dropEffect, dwAllowed, point);
    if (dropEx != (DROPEFFECT)-1) {
        dropEffect = dropEx;
    } else if (dropEffect != DROPEFFECT_NONE) {
        if (!OnDrop(pWnd, &dataObject, dropEffect, point))
            dropEffect = DROPEFFECT_NONE;
    } else {
        OnDragLeave(pWnd);
    }
    if (m_lpDataObject != NULL)
        m_lpDataObject->Release();
    m_lpDataObject = NULL;
    *pdwEffect = dropEffect;
    return S_OK;
}
