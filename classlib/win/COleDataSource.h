// COleDataSource: the giving side of OLE data transfer. It caches data in one or more formats and
// offers them through IDataObject, to a drag and drop (DoDragDrop) or the clipboard (SetClipboard).
// The object is reference counted: the creator holds the first reference and lets it go with
// InternalRelease; OLE holds its own while it uses the object.
#pragma once

#include <ole2.h>

#include "classlib/core/CArray.h"
#include "classlib/win/CCmdTarget.h"
#include "classlib/win/COleDataObject.h"

class COleDataSource : public CCmdTarget, public IDataObject {
    DECLARE_DYNAMIC(COleDataSource)
public:
    COleDataSource();
    ~COleDataSource() override;

    // Offers the block in the format; the source owns it from now on. A second block in the same
    // format and medium replaces the first.
    void CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc = NULL);
    // Offers the medium in the format; the source owns the medium from now on.
    void CacheData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc = NULL);
    // Forgets every cached format.
    void Empty();
    int GetFormatCount() const { return (int)m_entries.GetSize(); }

    // Runs a drag and drop with the allowed effects while a mouse button is held; returns the effect
    // the target performed (DROPEFFECT_NONE when cancelled or refused).
    DROPEFFECT DoDragDrop(DWORD dwEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);
    // Puts the source on the clipboard, which takes a reference; FALSE when the clipboard refuses.
    BOOL SetClipboard();

    LPDATAOBJECT GetDataObject() { return static_cast<IDataObject*>(this); }

    // IUnknown, on the command target's reference count.
    STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override;
    STDMETHOD_(ULONG, AddRef)() override;
    STDMETHOD_(ULONG, Release)() override;
    // IDataObject.
    STDMETHOD(GetData)(FORMATETC* pFormatEtc, STGMEDIUM* pMedium) override;
    STDMETHOD(GetDataHere)(FORMATETC* pFormatEtc, STGMEDIUM* pMedium) override;
    STDMETHOD(QueryGetData)(FORMATETC* pFormatEtc) override;
    STDMETHOD(GetCanonicalFormatEtc)(FORMATETC* pFormatEtcIn, FORMATETC* pFormatEtcOut) override;
    STDMETHOD(SetData)(FORMATETC* pFormatEtc, STGMEDIUM* pMedium, BOOL fRelease) override;
    STDMETHOD(EnumFormatEtc)(DWORD dwDirection, IEnumFORMATETC** ppEnum) override;
    STDMETHOD(DAdvise)(FORMATETC* pFormatEtc, DWORD advf, IAdviseSink* pAdvSink, DWORD* pdwConnection) override;
    STDMETHOD(DUnadvise)(DWORD dwConnection) override;
    STDMETHOD(EnumDAdvise)(IEnumSTATDATA** ppEnumAdvise) override;

protected:
    struct Entry {
        FORMATETC formatEtc;
        STGMEDIUM medium;
    };
    // The entry that answers the request, or NULL.
    Entry* Lookup(const FORMATETC* pFormatEtc);

    CArray<Entry*, Entry*> m_entries;
};
