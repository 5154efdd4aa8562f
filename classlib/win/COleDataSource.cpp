#include "classlib/win/COleDataSource.h"

#include <cstring>
#include <new>

#include "classlib/win/COleDataObject.h"

IMPLEMENT_DYNAMIC(COleDataSource, CCmdTarget)

namespace {

// The drop source of DoDragDrop: the drag goes on while a mouse button is held, drops when the
// buttons are up and stops on Escape.
class CButtonDropSource : public IDropSource {
public:
    STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override
    {
        if (ppv == NULL)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropSource)) {
            *ppv = static_cast<IDropSource*>(this);
            return S_OK;
        }
        *ppv = NULL;
        return E_NOINTERFACE;
    }
    // Lives on the stack for the length of one drag.
    STDMETHOD_(ULONG, AddRef)() override { return 2; }
    STDMETHOD_(ULONG, Release)() override { return 1; }
    STDMETHOD(QueryContinueDrag)(BOOL fEscapePressed, DWORD grfKeyState) override
    {
        if (fEscapePressed)
            return DRAGDROP_S_CANCEL;
        if ((grfKeyState & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0)
            return DRAGDROP_S_DROP;
        return S_OK;
    }
    STDMETHOD(GiveFeedback)(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

// Enumerates a snapshot of the cached formats.
class CFormatEnumerator : public IEnumFORMATETC {
public:
    CFormatEnumerator(const FORMATETC* pFormats, ULONG nCount, ULONG nPos)
        : m_nRef(1), m_formats(new FORMATETC[nCount ? nCount : 1]), m_nCount(nCount), m_nPos(nPos)
    {
        if (nCount)
            std::memcpy(m_formats, pFormats, nCount * sizeof(FORMATETC));
    }
    virtual ~CFormatEnumerator() { delete[] m_formats; }

    STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override
    {
        if (ppv == NULL)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IEnumFORMATETC)) {
            *ppv = static_cast<IEnumFORMATETC*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = NULL;
        return E_NOINTERFACE;
    }
    STDMETHOD_(ULONG, AddRef)() override { return (ULONG)InterlockedIncrement(&m_nRef); }
    STDMETHOD_(ULONG, Release)() override
    {
        LONG n = InterlockedDecrement(&m_nRef);
        if (n == 0)
            delete this;
        return (ULONG)n;
    }
    STDMETHOD(Next)(ULONG celt, FORMATETC* rgelt, ULONG* pceltFetched) override
    {
        if (rgelt == NULL || (celt != 1 && pceltFetched == NULL))
            return E_POINTER;
        ULONG nFetched = 0;
        while (nFetched < celt && m_nPos < m_nCount)
            rgelt[nFetched++] = m_formats[m_nPos++];
        if (pceltFetched)
            *pceltFetched = nFetched;
        return nFetched == celt ? S_OK : S_FALSE;
    }
    STDMETHOD(Skip)(ULONG celt) override
    {
        const ULONG nLeft = m_nCount - m_nPos;
        m_nPos += celt < nLeft ? celt : nLeft;
        return celt <= nLeft ? S_OK : S_FALSE;
    }
    STDMETHOD(Reset)() override
    {
        m_nPos = 0;
        return S_OK;
    }
    STDMETHOD(Clone)(IEnumFORMATETC** ppEnum) override
    {
        if (ppEnum == NULL)
            return E_POINTER;
        *ppEnum = new (std::nothrow) CFormatEnumerator(m_formats, m_nCount, m_nPos);
        return *ppEnum ? S_OK : E_OUTOFMEMORY;
    }

private:
    LONG m_nRef;
    FORMATETC* m_formats;
    ULONG m_nCount;
    ULONG m_nPos;
};

// A copy of a medium for a receiver, who releases it; FALSE when the medium cannot be copied.
BOOL CopyMedium(CLIPFORMAT cfFormat, const STGMEDIUM& source, STGMEDIUM* pDest)
{
    std::memset(pDest, 0, sizeof(STGMEDIUM));
    pDest->tymed = source.tymed;
    switch (source.tymed) {
    case TYMED_HGLOBAL:
        pDest->hGlobal = AfxCopyGlobalMemory(source.hGlobal);
        return pDest->hGlobal != NULL;
    case TYMED_ISTREAM:
        pDest->pstm = source.pstm;
        pDest->pstm->AddRef();
        return TRUE;
    case TYMED_ISTORAGE:
        pDest->pstg = source.pstg;
        pDest->pstg->AddRef();
        return TRUE;
    case TYMED_GDI:
    case TYMED_MFPICT:
    case TYMED_ENHMF:
        pDest->hGlobal = ::OleDuplicateData(source.hGlobal, cfFormat, GMEM_MOVEABLE | GMEM_DDESHARE);
        return pDest->hGlobal != NULL;
    default:
        return FALSE;
    }
}

}  // namespace

COleDataSource::COleDataSource() {}

COleDataSource::~COleDataSource()
{
    Empty();
}

void COleDataSource::Empty()
{
    for (INT_PTR i = 0; i < m_entries.GetSize(); ++i) {
        Entry* pEntry = m_entries[i];
        ::ReleaseStgMedium(&pEntry->medium);
        delete pEntry;
    }
    m_entries.RemoveAll();
}

void COleDataSource::CacheData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc)
{
    if (lpStgMedium == NULL)
        return;
    FORMATETC formatEtc;
    AfxFillFormatEtc(lpFormatEtc, cfFormat, &formatEtc);
    formatEtc.tymed = lpStgMedium->tymed;
    formatEtc.ptd = NULL;  // the source answers for any device
    for (INT_PTR i = 0; i < m_entries.GetSize(); ++i) {
        Entry* pEntry = m_entries[i];
        if (pEntry->formatEtc.cfFormat == formatEtc.cfFormat && pEntry->formatEtc.tymed == formatEtc.tymed &&
            pEntry->formatEtc.dwAspect == formatEtc.dwAspect && pEntry->formatEtc.lindex == formatEtc.lindex) {
            ::ReleaseStgMedium(&pEntry->medium);
            pEntry->medium = *lpStgMedium;
            return;
        }
    }
    Entry* pEntry = new Entry;
    pEntry->formatEtc = formatEtc;
    pEntry->medium = *lpStgMedium;
    m_entries.Add(pEntry);
}

void COleDataSource::CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc)
{
    if (hGlobal == NULL)
        return;
    STGMEDIUM medium;
    std::memset(&medium, 0, sizeof(medium));
    medium.tymed = TYMED_HGLOBAL;
    medium.hGlobal = hGlobal;
    FORMATETC formatEtc;
    AfxFillFormatEtc(lpFormatEtc, cfFormat, &formatEtc);
    formatEtc.tymed = TYMED_HGLOBAL;
    CacheData(cfFormat, &medium, &formatEtc);
}

COleDataSource::Entry* COleDataSource::Lookup(const FORMATETC* pFormatEtc)
{
    if (pFormatEtc == NULL)
        return NULL;
    for (INT_PTR i = 0; i < m_entries.GetSize(); ++i) {
        Entry* pEntry = m_entries[i];
        if (pEntry->formatEtc.cfFormat == pFormatEtc->cfFormat && (pEntry->formatEtc.tymed & pFormatEtc->tymed) != 0 &&
            pEntry->formatEtc.dwAspect == pFormatEtc->dwAspect &&
            (pFormatEtc->lindex == -1 || pEntry->formatEtc.lindex == pFormatEtc->lindex)) {
            return pEntry;
        }
    }
    return NULL;
}

DROPEFFECT COleDataSource::DoDragDrop(DWORD dwEffects)
{
    CButtonDropSource dropSource;
    DWORD dwResult = DROPEFFECT_NONE;
    InternalAddRef();  // the source lives through the drag whatever the target does
    HRESULT hr = ::DoDragDrop(GetDataObject(), &dropSource, dwEffects, &dwResult);
    InternalRelease();
    if (hr != DRAGDROP_S_DROP)
        return DROPEFFECT_NONE;
    return dwResult & dwEffects;
}

BOOL COleDataSource::SetClipboard()
{
    return SUCCEEDED(::OleSetClipboard(GetDataObject()));
}

STDMETHODIMP COleDataSource::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == NULL)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDataObject)) {
        *ppv = static_cast<IDataObject*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = NULL;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) COleDataSource::AddRef()
{
    return ExternalAddRef();
}

STDMETHODIMP_(ULONG) COleDataSource::Release()
{
    return ExternalRelease();
}

STDMETHODIMP COleDataSource::GetData(FORMATETC* pFormatEtc, STGMEDIUM* pMedium)
{
    if (pFormatEtc == NULL || pMedium == NULL)
        return E_INVALIDARG;
    Entry* pEntry = Lookup(pFormatEtc);
    if (pEntry == NULL)
        return DV_E_FORMATETC;
    return CopyMedium(pEntry->formatEtc.cfFormat, pEntry->medium, pMedium) ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP COleDataSource::GetDataHere(FORMATETC* pFormatEtc, STGMEDIUM* pMedium)
{
    if (pFormatEtc == NULL || pMedium == NULL)
        return E_INVALIDARG;
    if (pMedium->tymed != TYMED_HGLOBAL || pMedium->hGlobal == NULL)
        return DV_E_TYMED;
    FORMATETC formatEtc = *pFormatEtc;
    formatEtc.tymed = TYMED_HGLOBAL;
    Entry* pEntry = Lookup(&formatEtc);
    if (pEntry == NULL || pEntry->medium.tymed != TYMED_HGLOBAL)
        return DV_E_FORMATETC;
    const SIZE_T nSize = ::GlobalSize(pEntry->medium.hGlobal);
    if (::GlobalSize(pMedium->hGlobal) < nSize)
        return STG_E_MEDIUMFULL;
    void* pSource = ::GlobalLock(pEntry->medium.hGlobal);
    void* pDest = ::GlobalLock(pMedium->hGlobal);
    if (pSource && pDest)
        std::memcpy(pDest, pSource, nSize);
    if (pSource)
        ::GlobalUnlock(pEntry->medium.hGlobal);
    if (pDest)
        ::GlobalUnlock(pMedium->hGlobal);
    return pSource && pDest ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP COleDataSource::QueryGetData(FORMATETC* pFormatEtc)
{
    if (pFormatEtc == NULL)
        return E_INVALIDARG;
    return Lookup(pFormatEtc) ? S_OK : DV_E_FORMATETC;
}

STDMETHODIMP COleDataSource::GetCanonicalFormatEtc(FORMATETC* pFormatEtcIn, FORMATETC* pFormatEtcOut)
{
    if (pFormatEtcOut == NULL)
        return E_INVALIDARG;
    if (pFormatEtcIn)
        *pFormatEtcOut = *pFormatEtcIn;
    pFormatEtcOut->ptd = NULL;
    return DATA_S_SAMEFORMATETC;
}

STDMETHODIMP COleDataSource::SetData(FORMATETC*, STGMEDIUM*, BOOL)
{
    return E_NOTIMPL;
}

STDMETHODIMP COleDataSource::EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppEnum)
{
    if (ppEnum == NULL)
        return E_POINTER;
    *ppEnum = NULL;
    if (dwDirection != DATADIR_GET)
        return E_NOTIMPL;
    const ULONG nCount = (ULONG)m_entries.GetSize();
    FORMATETC* pFormats = new (std::nothrow) FORMATETC[nCount ? nCount : 1];
    if (pFormats == NULL)
        return E_OUTOFMEMORY;
    for (ULONG i = 0; i < nCount; ++i)
        pFormats[i] = m_entries[i]->formatEtc;
    *ppEnum = new (std::nothrow) CFormatEnumerator(pFormats, nCount, 0);
    delete[] pFormats;
    return *ppEnum ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP COleDataSource::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*)
{
    return OLE_E_ADVISENOTSUPPORTED;
}
STDMETHODIMP COleDataSource::DUnadvise(DWORD)
{
    return OLE_E_ADVISENOTSUPPORTED;
}
STDMETHODIMP COleDataSource::EnumDAdvise(IEnumSTATDATA**)
{
    return OLE_E_ADVISENOTSUPPORTED;
}
