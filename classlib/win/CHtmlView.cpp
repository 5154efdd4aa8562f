#include "classlib/win/CHtmlView.h"

#include "classlib/win/COleControlSite.h"
#include "classlib/win/Geometry.h"

#include <exdispid.h>
#include <mshtmdid.h>
#include <ocidl.h>

// The browser's events as an IDispatch the browser calls.
class CHtmlView::EventSink : public IDispatch {
public:
    explicit EventSink(CHtmlView* view) : m_cRef(1), m_view(view) {}
    virtual ~EventSink() = default;
    void Detach() { m_view = NULL; }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == NULL)
            return E_POINTER;
        *ppv = NULL;
        if (riid == IID_IUnknown || riid == IID_IDispatch || riid == DIID_DWebBrowserEvents2)
            *ppv = static_cast<IDispatch*>(this);
        if (*ppv == NULL)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&m_cRef)); }
    STDMETHODIMP_(ULONG) Release() override
    {
        LONG n = ::InterlockedDecrement(&m_cRef);
        if (n == 0)
            delete this;
        return static_cast<ULONG>(n);
    }
    STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override
    {
        if (pctinfo != NULL)
            *pctinfo = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override
    {
        if (m_view != NULL && dispid == DISPID_ONVISIBLE && params != NULL && params->cArgs == 1) {
            VARIANT v;
            ::VariantInit(&v);
            if (SUCCEEDED(::VariantChangeType(&v, &params->rgvarg[0], 0, VT_BOOL)))
                m_view->OnVisible(v.boolVal != VARIANT_FALSE);
        }
        return S_OK;
    }

private:
    LONG m_cRef;
    CHtmlView* m_view;
};

IMPLEMENT_DYNCREATE(CHtmlView, CView)

BEGIN_MESSAGE_MAP(CHtmlView, CView)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CHtmlView::CHtmlView() : m_dwDownloadControl(0), m_pBrowserApp(NULL), m_pSink(NULL), m_dwSinkCookie(0) {}

CHtmlView::~CHtmlView()
{
    if (m_pBrowserApp != NULL)
        m_pBrowserApp->Release();
    if (m_pSink != NULL) {
        m_pSink->Detach();
        m_pSink->Release();
    }
}

void CHtmlView::OnDraw(CDC*) {}

BOOL CHtmlView::PreCreateWindow(CREATESTRUCT& cs)
{
    return CView::PreCreateWindow(cs);
}

BOOL CHtmlView::PreTranslateMessage(MSG* pMsg)
{
    // Keyboard messages for the page go to the browser's own translation first.
    if (m_pBrowserApp != NULL && pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
        IOleInPlaceActiveObject* active = NULL;
        if (SUCCEEDED(m_pBrowserApp->QueryInterface(IID_IOleInPlaceActiveObject, reinterpret_cast<void**>(&active)))) {
            HRESULT hr = active->TranslateAccelerator(pMsg);
            active->Release();
            if (hr == S_OK)
                return TRUE;
        }
    }
    return CView::PreTranslateMessage(pMsg);
}

void CHtmlView::OnVisible(BOOL) {}

int CHtmlView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    CRect client;
    GetClientRect(&client);
    COleControlSite* site = new COleControlSite;
    if (m_dwDownloadControl != 0) {
        VARIANT flags;
        ::VariantInit(&flags);
        flags.vt = VT_I4;
        flags.lVal = static_cast<LONG>(m_dwDownloadControl);
        site->SetAmbientProperty(DISPID_AMBIENT_DLCONTROL, flags);
    }
    if (!site->CreateControl(&m_wndBrowser, CLSID_WebBrowser, NULL, WS_CHILD | WS_VISIBLE, client, this,
            AFX_IDW_PANE_FIRST))
        return -1;
    IUnknown* control = m_wndBrowser.GetControlUnknown();
    if (control == NULL ||
        FAILED(control->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&m_pBrowserApp)))) {
        m_wndBrowser.DestroyWindow();
        return -1;
    }
    if ((m_dwDownloadControl & (DLCTL_FORCEOFFLINE | DLCTL_OFFLINEIFNOTCONNECTED)) != 0)
        m_pBrowserApp->put_Offline(VARIANT_TRUE);
    if ((m_dwDownloadControl & DLCTL_SILENT) != 0)
        m_pBrowserApp->put_Silent(VARIANT_TRUE);
    IConnectionPointContainer* container = NULL;
    if (SUCCEEDED(m_pBrowserApp->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container)))) {
        IConnectionPoint* point = NULL;
        if (SUCCEEDED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, &point))) {
            m_pSink = new EventSink(this);
            if (FAILED(point->Advise(m_pSink, &m_dwSinkCookie)))
                m_dwSinkCookie = 0;
            point->Release();
        }
        container->Release();
    }
    return 0;
}

void CHtmlView::OnDestroy()
{
    if (m_pBrowserApp != NULL && m_dwSinkCookie != 0) {
        IConnectionPointContainer* container = NULL;
        if (SUCCEEDED(
                m_pBrowserApp->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container)))) {
            IConnectionPoint* point = NULL;
            if (SUCCEEDED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, &point))) {
                point->Unadvise(m_dwSinkCookie);
                point->Release();
            }
            container->Release();
        }
        m_dwSinkCookie = 0;
    }
    if (m_pBrowserApp != NULL) {
        m_pBrowserApp->Release();
        m_pBrowserApp = NULL;
    }
    CView::OnDestroy();
}

void CHtmlView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (::IsWindow(m_wndBrowser.GetSafeHwnd()))
        m_wndBrowser.MoveWindow(0, 0, cx, cy, TRUE);
}

BOOL CHtmlView::Navigate2(LPCTSTR lpszURL, DWORD dwFlags, LPCTSTR lpszTargetFrameName, LPCTSTR lpszHeaders,
    LPVOID lpvPostData, DWORD dwPostDataLen)
{
    if (m_pBrowserApp == NULL || lpszURL == NULL)
        return FALSE;
    VARIANT url, flags, target, post, headers;
    ::VariantInit(&url);
    ::VariantInit(&flags);
    ::VariantInit(&target);
    ::VariantInit(&post);
    ::VariantInit(&headers);
    url.vt = VT_BSTR;
    url.bstrVal = ::SysAllocString(lpszURL);
    flags.vt = VT_I4;
    flags.lVal = static_cast<LONG>(dwFlags);
    if (lpszTargetFrameName != NULL) {
        target.vt = VT_BSTR;
        target.bstrVal = ::SysAllocString(lpszTargetFrameName);
    }
    if (lpszHeaders != NULL) {
        headers.vt = VT_BSTR;
        headers.bstrVal = ::SysAllocString(lpszHeaders);
    }
    if (lpvPostData != NULL && dwPostDataLen > 0) {
        SAFEARRAY* data = ::SafeArrayCreateVector(VT_UI1, 0, dwPostDataLen);
        if (data != NULL) {
            void* bytes = NULL;
            ::SafeArrayAccessData(data, &bytes);
            memcpy(bytes, lpvPostData, dwPostDataLen);
            ::SafeArrayUnaccessData(data);
            post.vt = VT_ARRAY | VT_UI1;
            post.parray = data;
        }
    }
    HRESULT hr = m_pBrowserApp->Navigate2(&url, &flags, &target, &post, &headers);
    ::VariantClear(&url);
    ::VariantClear(&target);
    ::VariantClear(&post);
    ::VariantClear(&headers);
    return SUCCEEDED(hr);
}
