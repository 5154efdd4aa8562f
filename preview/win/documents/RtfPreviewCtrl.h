// CRtfPreviewCtrl: the read-only rich edit control of the document view. It streams an RTF file in
// from disk. Its OLE callback gives each object a storage of its own inside one root storage held
// in memory, and lets in only the static pictures: the pictures of a document show, while no
// embedded program's object of an untrusted document is ever made (no handler or server is
// started); the text around such an object still shows.
#pragma once

#include "classlib/win/CRichEditCtrl.h"

class CRtfOleCallback : public IRichEditOleCallback {
public:
    CRtfOleCallback();

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // A new sub-storage "REOLEStorageN" of the root storage; the root's error when there is none.
    STDMETHODIMP GetNewStorage(LPSTORAGE* lplpstg) override;
    STDMETHODIMP GetInPlaceContext(LPOLEINPLACEFRAME* lplpFrame, LPOLEINPLACEUIWINDOW* lplpDoc,
        LPOLEINPLACEFRAMEINFO lpFrameInfo) override;
    STDMETHODIMP ShowContainerUI(BOOL fShow) override;
    // S_OK for the static picture classes (metafile, DIB, enhanced metafile), S_FALSE for any other.
    STDMETHODIMP QueryInsertObject(LPCLSID lpclsid, LPSTORAGE lpstg, LONG cp) override;
    STDMETHODIMP DeleteObject(LPOLEOBJECT lpoleobj) override;
    STDMETHODIMP QueryAcceptData(LPDATAOBJECT lpdataobj, CLIPFORMAT* lpcfFormat, DWORD reco, BOOL fReally,
        HGLOBAL hMetaPict) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL fEnterMode) override;
    // Not implemented: the control does its own clipboard work.
    STDMETHODIMP GetClipboardData(CHARRANGE* lpchrg, DWORD reco, LPDATAOBJECT* lplpdataobj) override;
    STDMETHODIMP GetDragDropEffect(BOOL fDrag, DWORD grfKeyState, LPDWORD pdwEffect) override;
    STDMETHODIMP GetContextMenu(WORD seltype, LPOLEOBJECT lpoleobj, CHARRANGE* lpchrg, HMENU* lphmenu) override;

    // How many times an object asked for storage.
    int GetStorageRequests() const { return m_nStorage; }

private:
    virtual ~CRtfOleCallback();
    int m_nStorage;
    LPSTORAGE m_pRootStorage;  // NULL when it could not be made
    HRESULT m_hrRoot;          // why, then
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
