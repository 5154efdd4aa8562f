#include "classlib/win/COleControlSite.h"

#include "classlib/win/CWinThread.h"

namespace {

const wchar_t kHostClass[] = L"MorvickControlHost";
const wchar_t kSiteProperty[] = L"MorvickControlSite";

LPCTSTR RegisterHostClass()
{
    static ATOM atom = 0;
    if (atom == 0) {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = AfxControlHostWndProc;
        wc.hInstance = ::GetModuleHandleW(NULL);
        wc.hCursor = ::LoadCursorW(NULL, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = kHostClass;
        atom = ::RegisterClassW(&wc);
    }
    return kHostClass;
}

}  // namespace

LRESULT CALLBACK AfxControlHostWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    COleControlSite* site = COleControlSite::FromHostWindow(hWnd);
    switch (message) {
    case WM_SIZE:
        if (site != NULL)
            site->LayoutControl();
        break;
    case WM_SETFOCUS:
        if (site != NULL && site->GetControlWindow() != NULL) {
            ::SetFocus(site->GetControlWindow());
            return 0;
        }
        break;
    case WM_DESTROY:
        if (site != NULL)
            site->CloseControl();
        break;
    case WM_NCDESTROY:
        if (site != NULL) {
            ::RemovePropW(hWnd, kSiteProperty);
            site->m_hWndHost = NULL;
            site->Release();
        }
        break;
    default:
        break;
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

COleControlSite::COleControlSite()
    : m_cRef(1), m_hWndHost(NULL), m_pObject(NULL), m_pInPlaceObject(NULL), m_pDispatch(NULL)
{}

COleControlSite::~COleControlSite()
{
    CloseControl();
    for (auto& entry : m_ambient)
        ::VariantClear(&entry.second);
}

void COleControlSite::SetAmbientProperty(DISPID dispid, const VARIANT& value)
{
    VARIANT& slot = m_ambient[dispid];
    if (slot.vt != VT_EMPTY)
        ::VariantClear(&slot);
    ::VariantInit(&slot);
    ::VariantCopy(&slot, const_cast<VARIANT*>(&value));
}

COleControlSite* PASCAL COleControlSite::FromHostWindow(HWND hWnd)
{
    return hWnd != NULL ? static_cast<COleControlSite*>(::GetPropW(hWnd, kSiteProperty)) : NULL;
}

BOOL COleControlSite::CreateControl(CWnd* pWnd, REFCLSID clsid, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
    CWnd* pParentWnd, UINT nID)
{
    if (pWnd == NULL || pWnd->m_hWnd != NULL) {
        Release();
        return FALSE;
    }
    if (!pWnd->CreateEx(0, RegisterHostClass(), lpszWindowName, dwStyle | WS_CLIPCHILDREN, rect, pParentWnd, nID)) {
        Release();
        return FALSE;
    }
    m_hWndHost = pWnd->m_hWnd;
    // From here the host window holds the site's reference and releases it when it goes.
    ::SetPropW(m_hWndHost, kSiteProperty, this);

    HRESULT hr = ::CoCreateInstance(clsid, NULL, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IOleObject,
        reinterpret_cast<void**>(&m_pObject));
    if (SUCCEEDED(hr)) {
        DWORD misc = 0;
        m_pObject->GetMiscStatus(DVASPECT_CONTENT, &misc);
        bool siteFirst = (misc & OLEMISC_SETCLIENTSITEFIRST) != 0;
        if (siteFirst)
            m_pObject->SetClientSite(this);
        IPersistStreamInit* persist = NULL;
        if (SUCCEEDED(m_pObject->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&persist)))) {
            persist->InitNew();
            persist->Release();
        }
        if (!siteFirst)
            m_pObject->SetClientSite(this);
        m_pObject->SetHostNames(L"Morvick", NULL);
        RECT client;
        ::GetClientRect(m_hWndHost, &client);
        hr = m_pObject->DoVerb(OLEIVERB_INPLACEACTIVATE, NULL, this, 0, m_hWndHost, &client);
        if (FAILED(hr))
            hr = m_pObject->DoVerb(OLEIVERB_SHOW, NULL, this, 0, m_hWndHost, &client);
    }
    if (FAILED(hr)) {
        // The window goes, and with it the site.
        pWnd->DestroyWindow();
        return FALSE;
    }
    m_pObject->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&m_pInPlaceObject));
    m_pObject->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&m_pDispatch));
    LayoutControl();
    return TRUE;
}

HWND COleControlSite::GetControlWindow() const
{
    HWND hWnd = NULL;
    if (m_pInPlaceObject != NULL && SUCCEEDED(m_pInPlaceObject->GetWindow(&hWnd)))
        return hWnd;
    return NULL;
}

void COleControlSite::LayoutControl()
{
    if (m_pInPlaceObject == NULL || m_hWndHost == NULL)
        return;
    RECT client;
    ::GetClientRect(m_hWndHost, &client);
    m_pInPlaceObject->SetObjectRects(&client, &client);
}

void COleControlSite::CloseControl()
{
    if (m_pDispatch != NULL) {
        m_pDispatch->Release();
        m_pDispatch = NULL;
    }
    if (m_pInPlaceObject != NULL) {
        m_pInPlaceObject->InPlaceDeactivate();
        m_pInPlaceObject->Release();
        m_pInPlaceObject = NULL;
    }
    if (m_pObject != NULL) {
        IOleObject* object = m_pObject;
        m_pObject = NULL;
        object->Close(OLECLOSE_NOSAVE);
        object->SetClientSite(NULL);
        object->Release();
    }
}

// --- IUnknown ---------------------------------------------------------------------------------

STDMETHODIMP COleControlSite::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == NULL)
        return E_POINTER;
    *ppv = NULL;
    if (riid == IID_IUnknown || riid == IID_IOleClientSite)
        *ppv = static_cast<IOleClientSite*>(this);
    else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite)
        *ppv = static_cast<IOleInPlaceSite*>(this);
    else if (riid == IID_IOleInPlaceUIWindow || riid == IID_IOleInPlaceFrame)
        *ppv = static_cast<IOleInPlaceFrame*>(this);
    else if (riid == IID_IOleControlSite)
        *ppv = static_cast<IOleControlSite*>(this);
    else if (riid == IID_IDispatch)
        *ppv = static_cast<IDispatch*>(this);
    if (*ppv == NULL)
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) COleControlSite::AddRef()
{
    return static_cast<ULONG>(::InterlockedIncrement(&m_cRef));
}

STDMETHODIMP_(ULONG) COleControlSite::Release()
{
    LONG n = ::InterlockedDecrement(&m_cRef);
    if (n == 0)
        delete this;
    return static_cast<ULONG>(n);
}

// --- IOleClientSite ---------------------------------------------------------------------------

STDMETHODIMP COleControlSite::SaveObject()
{
    return E_NOTIMPL;
}

STDMETHODIMP COleControlSite::GetMoniker(DWORD, DWORD, IMoniker** ppmk)
{
    if (ppmk != NULL)
        *ppmk = NULL;
    return E_NOTIMPL;
}

STDMETHODIMP COleControlSite::GetContainer(IOleContainer** ppContainer)
{
    if (ppContainer != NULL)
        *ppContainer = NULL;
    return E_NOINTERFACE;
}

STDMETHODIMP COleControlSite::ShowObject()
{
    return S_OK;
}

STDMETHODIMP COleControlSite::OnShowWindow(BOOL)
{
    return S_OK;
}

STDMETHODIMP COleControlSite::RequestNewObjectLayout()
{
    return E_NOTIMPL;
}

// --- IOleWindow, IOleInPlaceSite --------------------------------------------------------------

STDMETHODIMP COleControlSite::GetWindow(HWND* phwnd)
{
    if (phwnd == NULL)
        return E_POINTER;
    *phwnd = m_hWndHost;
    return m_hWndHost != NULL ? S_OK : E_FAIL;
}

STDMETHODIMP COleControlSite::ContextSensitiveHelp(BOOL)
{
    return E_NOTIMPL;
}

STDMETHODIMP COleControlSite::CanInPlaceActivate()
{
    return m_hWndHost != NULL ? S_OK : S_FALSE;
}

STDMETHODIMP COleControlSite::OnInPlaceActivate()
{
    return S_OK;
}

STDMETHODIMP COleControlSite::OnUIActivate()
{
    return S_OK;
}

STDMETHODIMP COleControlSite::GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc,
    LPRECT lprcPosRect, LPRECT lprcClipRect, LPOLEINPLACEFRAMEINFO lpFrameInfo)
{
    if (ppFrame == NULL || ppDoc == NULL || lprcPosRect == NULL || lprcClipRect == NULL)
        return E_POINTER;
    *ppFrame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *ppDoc = NULL;
    ::GetClientRect(m_hWndHost, lprcPosRect);
    ::GetClientRect(m_hWndHost, lprcClipRect);
    if (lpFrameInfo != NULL) {
        lpFrameInfo->fMDIApp = FALSE;
        lpFrameInfo->hwndFrame = ::GetAncestor(m_hWndHost, GA_ROOT);
        lpFrameInfo->haccel = NULL;
        lpFrameInfo->cAccelEntries = 0;
    }
    return S_OK;
}

STDMETHODIMP COleControlSite::Scroll(SIZE)
{
    return E_NOTIMPL;
}

STDMETHODIMP COleControlSite::OnUIDeactivate(BOOL)
{
    return S_OK;
}

STDMETHODIMP COleControlSite::OnInPlaceDeactivate()
{
    return S_OK;
}

STDMETHODIMP COleControlSite::DiscardUndoState()
{
    return S_OK;
}

STDMETHODIMP COleControlSite::DeactivateAndUndo()
{
    return S_OK;
}

STDMETHODIMP COleControlSite::OnPosRectChange(LPCRECT lprcPosRect)
{
    // The control stays on the host's client area.
    LayoutControl();
    return S_OK;
}

// --- IOleInPlaceUIWindow, IOleInPlaceFrame: no menus, no tool space ---------------------------

STDMETHODIMP COleControlSite::GetBorder(LPRECT)
{
    return INPLACE_E_NOTOOLSPACE;
}

STDMETHODIMP COleControlSite::RequestBorderSpace(LPCBORDERWIDTHS)
{
    return INPLACE_E_NOTOOLSPACE;
}

STDMETHODIMP COleControlSite::SetBorderSpace(LPCBORDERWIDTHS)
{
    return OLE_E_INVALIDRECT;
}

STDMETHODIMP COleControlSite::SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR)
{
    return S_OK;
}

STDMETHODIMP COleControlSite::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS)
{
    return S_OK;
}

STDMETHODIMP COleControlSite::SetMenu(HMENU, HOLEMENU, HWND)
{
    return S_OK;
}

STDMETHODIMP COleControlSite::RemoveMenus(HMENU)
{
    return S_OK;
}

STDMETHODIMP COleControlSite::SetStatusText(LPCOLESTR)
{
    return S_OK;
}

STDMETHODIMP COleControlSite::EnableModeless(BOOL)
{
    return S_OK;
}

STDMETHODIMP COleControlSite::TranslateAccelerator(LPMSG, WORD)
{
    return S_FALSE;
}

// --- IOleControlSite --------------------------------------------------------------------------

STDMETHODIMP COleControlSite::OnControlInfoChanged()
{
    return S_OK;
}

STDMETHODIMP COleControlSite::LockInPlaceActive(BOOL)
{
    return S_OK;
}

STDMETHODIMP COleControlSite::GetExtendedControl(IDispatch** ppDisp)
{
    if (ppDisp != NULL)
        *ppDisp = NULL;
    return E_NOTIMPL;
}

STDMETHODIMP COleControlSite::TransformCoords(POINTL*, POINTF*, DWORD)
{
    return E_NOTIMPL;
}

STDMETHODIMP COleControlSite::TranslateAccelerator(LPMSG, DWORD)
{
    return S_FALSE;
}

STDMETHODIMP COleControlSite::OnFocus(BOOL)
{
    return S_OK;
}

STDMETHODIMP COleControlSite::ShowPropertyFrame()
{
    return E_NOTIMPL;
}

// --- IDispatch: ambient properties --------------------------------------------------------------

STDMETHODIMP COleControlSite::GetTypeInfoCount(UINT* pctinfo)
{
    if (pctinfo != NULL)
        *pctinfo = 0;
    return S_OK;
}

STDMETHODIMP COleControlSite::GetTypeInfo(UINT, LCID, ITypeInfo**)
{
    return E_NOTIMPL;
}

STDMETHODIMP COleControlSite::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

STDMETHODIMP COleControlSite::Invoke(DISPID dispIdMember, REFIID, LCID, WORD wFlags, DISPPARAMS*, VARIANT* pVarResult,
    EXCEPINFO*, UINT*)
{
    auto found = m_ambient.find(dispIdMember);
    if (found == m_ambient.end() || (wFlags & DISPATCH_PROPERTYGET) == 0)
        return DISP_E_MEMBERNOTFOUND;
    if (pVarResult == NULL)
        return E_POINTER;
    ::VariantInit(pVarResult);
    return ::VariantCopy(pVarResult, &found->second);
}
