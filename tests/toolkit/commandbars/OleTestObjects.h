// In-process OLE objects of the tests: an object of the type "Picture" that offers the verbs "&Edit"
// and "&Play", and a view that shows one item of its document selected.
#pragma once

#include "classlib/win/CView.h"

#include <ole2.h>

// A copy of the text in memory of the COM task allocator (the receiver frees it).
LPOLESTR CopyToTaskMemory(LPCWSTR lpsz);

// One interface with its reference count; the object goes with its last reference.
template <class I>
class CComObject : public I {
public:
    virtual ~CComObject() = default;
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid != IID_IUnknown && riid != __uuidof(I)) {
            *ppv = NULL;
            return E_NOINTERFACE;
        }
        *ppv = this;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_nRefs; }
    STDMETHODIMP_(ULONG) Release() override
    {
        const ULONG n = --m_nRefs;
        if (n == 0)
            delete this;
        return n;
    }

private:
    ULONG m_nRefs = 1;
};

// The verbs "&Edit" (0) and "&Play" (1), both for container menus.
class CTwoVerbs final : public CComObject<IEnumOLEVERB> {
public:
    STDMETHODIMP Next(ULONG celt, OLEVERB* pVerbs, ULONG* pceltFetched) override
    {
        static const wchar_t* const kNames[] = {L"&Edit", L"&Play"};
        ULONG n = 0;
        for (; n < celt && m_nNext < 2; ++n, ++m_nNext) {
            pVerbs[n].lVerb = m_nNext;
            pVerbs[n].lpszVerbName = CopyToTaskMemory(kNames[m_nNext]);
            pVerbs[n].fuFlags = MF_STRING;
            pVerbs[n].grfAttribs = OLEVERBATTRIB_ONCONTAINERMENU;
        }
        if (pceltFetched != NULL)
            *pceltFetched = n;
        return n == celt ? S_OK : S_FALSE;
    }
    STDMETHODIMP Skip(ULONG celt) override
    {
        m_nNext += static_cast<LONG>(celt);
        return m_nNext <= 2 ? S_OK : S_FALSE;
    }
    STDMETHODIMP Reset() override
    {
        m_nNext = 0;
        return S_OK;
    }
    STDMETHODIMP Clone(IEnumOLEVERB** ppEnum) override
    {
        CTwoVerbs* pClone = new CTwoVerbs;
        pClone->m_nNext = m_nNext;
        *ppEnum = pClone;
        return S_OK;
    }

private:
    LONG m_nNext = 0;
};

// An object of the type "Picture" with two verbs; everything else is not offered.
class CPictureObject final : public CComObject<IOleObject> {
public:
    STDMETHODIMP SetClientSite(IOleClientSite*) override { return E_NOTIMPL; }
    STDMETHODIMP GetClientSite(IOleClientSite** pp) override
    {
        *pp = NULL;
        return E_NOTIMPL;
    }
    STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return E_NOTIMPL; }
    STDMETHODIMP Close(DWORD) override { return S_OK; }
    STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** pp) override
    {
        *pp = NULL;
        return E_NOTIMPL;
    }
    STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetClipboardData(DWORD, IDataObject** pp) override
    {
        *pp = NULL;
        return E_NOTIMPL;
    }
    STDMETHODIMP DoVerb(LONG, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT) override { return E_NOTIMPL; }
    STDMETHODIMP EnumVerbs(IEnumOLEVERB** ppEnum) override
    {
        *ppEnum = new CTwoVerbs;
        return S_OK;
    }
    STDMETHODIMP Update() override { return S_OK; }
    STDMETHODIMP IsUpToDate() override { return S_OK; }
    STDMETHODIMP GetUserClassID(CLSID* pClsid) override
    {
        *pClsid = CLSID_NULL;
        return S_OK;
    }
    STDMETHODIMP GetUserType(DWORD dwForm, LPOLESTR* ppszUserType) override
    {
        *ppszUserType = CopyToTaskMemory(dwForm == USERCLASSTYPE_FULL ? L"Test Picture" : L"Picture");
        return S_OK;
    }
    STDMETHODIMP SetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
    STDMETHODIMP GetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
    STDMETHODIMP Advise(IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP Unadvise(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP EnumAdvise(IEnumSTATDATA** pp) override
    {
        *pp = NULL;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetMiscStatus(DWORD, DWORD* pdwStatus) override
    {
        *pdwStatus = 0;
        return S_OK;
    }
    STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }
};

// A view that shows one item selected (or none).
class COleTestView : public CView {
    DECLARE_DYNCREATE(COleTestView)
public:
    void OnDraw(CDC*) override {}
    BOOL IsSelected(const CObject* pDocItem) const override { return pDocItem != NULL && pDocItem == m_pSelected; }
    const CObject* m_pSelected = nullptr;
};
