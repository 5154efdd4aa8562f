// CRtfPreviewCtrl: the read-only rich edit control of the document view. It streams an RTF file in
// from disk. Its OLE callback refuses storage for embedded objects, so that the objects of an
// untrusted document are never loaded (no handler or server is started); their text around them
// still shows.
#pragma once

#include "classlib/win/CRichEditCtrl.h"

class CRtfOleCallback : public IRichEditOleCallback {
public:
    CRtfOleCallback();

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // Refused: no object gets storage, so none is loaded.
    STDMETHODIMP GetNewStorage(LPSTORAGE* lplpstg) override;
    STDMETHODIMP GetInPlaceContext(LPOLEINPLACEFRAME* lplpFrame, LPOLEINPLACEUIWINDOW* lplpDoc,
        LPOLEINPLACEFRAMEINFO lpFrameInfo) override;
    STDMETHODIMP ShowContainerUI(BOOL fShow) override;
    STDMETHODIMP QueryInsertObject(LPCLSID lpclsid, LPSTORAGE lpstg, LONG cp) override;
    STDMETHODIMP DeleteObject(LPOLEOBJECT lpoleobj) override;
    STDMETHODIMP QueryAcceptData(LPDATAOBJECT lpdataobj, CLIPFORMAT* lpcfFormat, DWORD reco, BOOL fReally,
        HGLOBAL hMetaPict) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL fEnterMode) override;
    // Not implemented: the control does its own clipboard work.
    STDMETHODIMP GetClipboardData(CHARRANGE* lpchrg, DWORD reco, LPDATAOBJECT* lplpdataobj) override;
    STDMETHODIMP GetDragDropEffect(BOOL fDrag, DWORD grfKeyState, LPDWORD pdwEffect) override;
    STDMETHODIMP GetContextMenu(WORD seltype, LPOLEOBJECT lpoleobj, CHARRANGE* lpchrg, HMENU* lphmenu) override;

    // How many times an object asked for storage (and was refused).
    int GetStorageRequests() const { return m_nStorage; }

private:
    virtual ~CRtfOleCallback();
    int m_nStorage;
    LONG m_cRef;
};

class CRtfPreviewCtrl : public CRichEditCtrl {
public:
    CRtfPreviewCtrl();
    ~CRtfPreviewCtrl() override;

    // Loads the file as RTF. The main frame's m_bPreviewShown becomes 1, and 0 when the file cannot
    // be opened or read or gives no text.
    void StreamInFile(CString strPath);

    CRtfOleCallback* GetOleCallback() const { return m_pCallback; }
    BOOL IsCallbackAccepted() const { return m_bCallbackSet; }

protected:
    void PreSubclassWindow() override;
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);

    CRtfOleCallback* m_pCallback;
    BOOL m_bCallbackSet;

    DECLARE_MESSAGE_MAP()
};
