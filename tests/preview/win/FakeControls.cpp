#include "tests/preview/win/FakeControls.h"

#include <mshtmdid.h>
#include <olectl.h>

#include <cstdio>

namespace morvick::test {

const wchar_t kFakeWordText[] = L"Converted by the word processor.";

namespace {

// {5F0C1C73-9E54-4E0B-8A57-31C2A9D1E7F2}: the fake word processor's class.
const CLSID kFakeWordClsid = {0x5F0C1C73, 0x9E54, 0x4E0B, {0x8A, 0x57, 0x31, 0xC2, 0xA9, 0xD1, 0xE7, 0xF2}};

// --- The control ------------------------------------------------------------------------------------

class FakeControl : public IOleObject, public IOleInPlaceObject, public IDispatch {
public:
    explicit FakeControl(FakeControlLog& log) : m_log(log) { ++m_log.created; }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        *ppv = NULL;
        if (riid == IID_IUnknown || riid == IID_IOleObject)
            *ppv = static_cast<IOleObject*>(this);
        else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceObject)
            *ppv = static_cast<IOleInPlaceObject*>(this);
        else if (riid == IID_IDispatch)
            *ppv = static_cast<IDispatch*>(this);
        if (*ppv == NULL)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&m_ref)); }
    STDMETHODIMP_(ULONG) Release() override
    {
        LONG n = ::InterlockedDecrement(&m_ref);
        if (n == 0)
            delete this;
        return static_cast<ULONG>(n);
    }

    // IOleObject
    STDMETHODIMP SetClientSite(IOleClientSite* site) override
    {
        if (m_site != NULL)
            m_site->Release();
        m_site = site;
        if (m_site == NULL)
            return S_OK;
        m_site->AddRef();
        IDispatch* ambient = NULL;
        if (SUCCEEDED(m_site->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&ambient)))) {
            DISPPARAMS none = {};
            VARIANT result;
            ::VariantInit(&result);
            m_log.ambientAsked = true;
            if (SUCCEEDED(ambient->Invoke(DISPID_AMBIENT_DLCONTROL, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &result,
                    NULL, NULL)) &&
                result.vt == VT_I4)
                m_log.ambientDownloadControl = result.lVal;
            ::VariantClear(&result);
            ambient->Release();
        }
        return S_OK;
    }
    STDMETHODIMP GetClientSite(IOleClientSite** site) override
    {
        *site = m_site;
        if (m_site != NULL)
            m_site->AddRef();
        return S_OK;
    }
    STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP Close(DWORD) override
    {
        ++m_log.closed;
        if (m_window != NULL && ::IsWindow(m_window))
            ::DestroyWindow(m_window);
        m_window = NULL;
        return S_OK;
    }
    STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
    STDMETHODIMP DoVerb(LONG verb, LPMSG, IOleClientSite*, LONG, HWND parent, LPCRECT rect) override
    {
        if (verb != OLEIVERB_INPLACEACTIVATE && verb != OLEIVERB_SHOW)
            return E_NOTIMPL;
        if (m_window == NULL) {
            m_window = ::CreateWindowExW(0, L"STATIC", L"fake control", WS_CHILD | WS_VISIBLE | SS_GRAYRECT, rect->left,
                rect->top, rect->right - rect->left, rect->bottom - rect->top, parent, NULL, ::GetModuleHandleW(NULL),
                NULL);
        }
        m_log.lastWindow = m_window;
        m_log.lastHost = parent;
        ++m_log.activated;
        return m_window != NULL ? S_OK : E_FAIL;
    }
    STDMETHODIMP EnumVerbs(IEnumOLEVERB**) override { return E_NOTIMPL; }
    STDMETHODIMP Update() override { return S_OK; }
    STDMETHODIMP IsUpToDate() override { return S_OK; }
    STDMETHODIMP GetUserClassID(CLSID*) override { return E_NOTIMPL; }
    STDMETHODIMP GetUserType(DWORD, LPOLESTR*) override { return E_NOTIMPL; }
    STDMETHODIMP SetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
    STDMETHODIMP GetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
    STDMETHODIMP Advise(IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP Unadvise(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
    STDMETHODIMP GetMiscStatus(DWORD, DWORD* status) override
    {
        *status = 0;
        return S_OK;
    }
    STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

    // IOleWindow, IOleInPlaceObject
    STDMETHODIMP GetWindow(HWND* window) override
    {
        *window = m_window;
        return m_window != NULL ? S_OK : E_FAIL;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP InPlaceDeactivate() override { return S_OK; }
    STDMETHODIMP UIDeactivate() override { return S_OK; }
    STDMETHODIMP SetObjectRects(LPCRECT position, LPCRECT) override
    {
        if (m_window != NULL)
            ::MoveWindow(m_window, position->left, position->top, position->right - position->left,
                position->bottom - position->top, TRUE);
        return S_OK;
    }
    STDMETHODIMP ReactivateAndUndo() override { return E_NOTIMPL; }

    // IDispatch
    STDMETHODIMP GetTypeInfoCount(UINT* n) override
    {
        *n = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* info,
        UINT*) override
    {
        DispatchCall call;
        call.id = id;
        call.flags = flags;
        call.arguments = ArgumentTexts(params);
        m_log.calls.push_back(call);
        if (m_log.failCalls)
            return FailCall(info, L"the control failed");
        if (result != NULL) {
            ::VariantInit(result);
            result->vt = VT_I4;
            result->lVal = 0;
            if (m_log.answer)
                m_log.answer(id, result);
        }
        return S_OK;
    }

private:
    virtual ~FakeControl()
    {
        if (m_window != NULL && ::IsWindow(m_window))
            ::DestroyWindow(m_window);
        if (m_site != NULL)
            m_site->Release();
    }
    LONG m_ref = 1;
    FakeControlLog& m_log;
    IOleClientSite* m_site = NULL;
    HWND m_window = NULL;
};

// --- The word processor -----------------------------------------------------------------------------

class WordDocument : public FakeDispatch {
public:
    explicit WordDocument(FakeWordLog& log) : m_log(log) {}
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO* info,
        UINT*) override
    {
        if (result != NULL)
            ::VariantInit(result);
        std::vector<std::wstring> args = ArgumentTexts(params);
        if (id == 1105) {
            ++m_log.closed;
            return S_OK;
        }
        if (id == 102 && args.size() >= 2) {
            m_log.savedAs.push_back(args[0]);
            m_log.savedFormats.push_back(std::wcstol(args[1].c_str(), NULL, 10));
            FILE* f = _wfopen(args[0].c_str(), L"wb");
            if (f == NULL)
                return FailCall(info, L"cannot save");
            std::fprintf(f, "{\\rtf1\\ansi %ls\\par}", kFakeWordText);
            std::fclose(f);
            return S_OK;
        }
        return DISP_E_MEMBERNOTFOUND;
    }

private:
    FakeWordLog& m_log;
};

class WordDocuments : public FakeDispatch {
public:
    explicit WordDocuments(FakeWordLog& log) : m_log(log) {}
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO* info,
        UINT*) override
    {
        std::vector<std::wstring> args = ArgumentTexts(params);
        if (id == 12) {
            m_log.opened.push_back(args.empty() ? std::wstring() : args[0]);
            m_log.openedReadOnly.push_back(
                args.size() > 2 ? static_cast<short>(std::wcstol(args[2].c_str(), NULL, 10)) : 0);
            if (!m_log.failOpenFor.empty() && !args.empty() && args[0].find(m_log.failOpenFor) != std::wstring::npos)
                return FailCall(info, L"The document cannot be opened.");
        } else if (id != 11) {
            return DISP_E_MEMBERNOTFOUND;
        }
        if (result != NULL) {
            ::VariantInit(result);
            result->vt = VT_DISPATCH;
            result->pdispVal = new WordDocument(m_log);
        }
        return S_OK;
    }

private:
    FakeWordLog& m_log;
};

class WordApplication : public FakeDispatch {
public:
    explicit WordApplication(FakeWordLog& log) : m_log(log) { ++m_log.started; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*, UINT*) override
    {
        if (id == 6 && result != NULL) {
            ::VariantInit(result);
            result->vt = VT_DISPATCH;
            result->pdispVal = new WordDocuments(m_log);
            return S_OK;
        }
        if (id == 1105) {
            ++m_log.quit;
            return S_OK;
        }
        return DISP_E_MEMBERNOTFOUND;
    }

private:
    FakeWordLog& m_log;
};

}  // namespace

FakeControlClass::FakeControlClass(REFCLSID clsid)
{
    FakeControlLog* log = &m_log;
    m_factory = MakeClassFactory([log]() -> IUnknown* { return static_cast<IOleObject*>(new FakeControl(*log)); });
    if (FAILED(::CoRegisterClassObject(clsid, m_factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &m_cookie)))
        m_cookie = 0;
}

FakeControlClass::~FakeControlClass()
{
    if (m_cookie != 0)
        ::CoRevokeClassObject(m_cookie);
    m_factory->Release();
}

FakeWordServer::FakeWordServer()
    : m_registration(L"Word.Application", kFakeWordClsid, [this]() -> IUnknown* { return new WordApplication(m_log); })
{}

}  // namespace morvick::test
