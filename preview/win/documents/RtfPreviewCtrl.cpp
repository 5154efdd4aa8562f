#include "preview/win/documents/RtfPreviewCtrl.h"

#include "classlib/core/CFile.h"
#include "preview/win/host/PreviewFrameState.h"

namespace {

// The stream-in callback over an open CFile. A read error ends the stream with an error (never
// an exception through the control).
DWORD CALLBACK ReadFileStream(DWORD_PTR dwCookie, LPBYTE pbBuff, LONG cb, LONG* pcb)
{
    *pcb = 0;
    try {
        *pcb = static_cast<LONG>(reinterpret_cast<CFile*>(dwCookie)->Read(pbBuff, static_cast<UINT>(cb)));
        return 0;
    } catch (CException* e) {
        e->Delete();
        return 1;
    }
}

void SetPreviewShown(int shown)
{
    if (CPreviewFrameState* frame = GetPreviewFrame())
        frame->m_bPreviewShown = shown;
}

}  // namespace

// --- CRtfOleCallback ----------------------------------------------------------------------------

CRtfOleCallback::CRtfOleCallback() : m_nStorage(0), m_cRef(0) {}

CRtfOleCallback::~CRtfOleCallback() {}

STDMETHODIMP CRtfOleCallback::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == NULL)
        return E_POINTER;
    *ppv = NULL;
    if (riid == IID_IUnknown || riid == IID_IRichEditOleCallback) {
        AddRef();
        *ppv = static_cast<IRichEditOleCallback*>(this);
        return S_OK;
    }
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CRtfOleCallback::AddRef()
{
    return static_cast<ULONG>(::InterlockedIncrement(&m_cRef));
}

STDMETHODIMP_(ULONG) CRtfOleCallback::Release()
{
    LONG n = ::InterlockedDecrement(&m_cRef);
    if (n == 0) {
        delete this;
        return 0;
    }
    return static_cast<ULONG>(n);
}

STDMETHODIMP CRtfOleCallback::GetNewStorage(LPSTORAGE* lplpstg)
{
    ++m_nStorage;
    if (lplpstg != NULL)
        *lplpstg = NULL;
    return E_ACCESSDENIED;
}

STDMETHODIMP CRtfOleCallback::GetInPlaceContext(LPOLEINPLACEFRAME*, LPOLEINPLACEUIWINDOW*, LPOLEINPLACEFRAMEINFO)
{
    return S_OK;
}

STDMETHODIMP CRtfOleCallback::ShowContainerUI(BOOL)
{
    return S_OK;
}

STDMETHODIMP CRtfOleCallback::QueryInsertObject(LPCLSID, LPSTORAGE, LONG)
{
    return S_OK;
}

STDMETHODIMP CRtfOleCallback::DeleteObject(LPOLEOBJECT)
{
    return S_OK;
}

STDMETHODIMP CRtfOleCallback::QueryAcceptData(LPDATAOBJECT, CLIPFORMAT*, DWORD, BOOL, HGLOBAL)
{
    return S_OK;
}

STDMETHODIMP CRtfOleCallback::ContextSensitiveHelp(BOOL)
{
    return S_OK;
}

STDMETHODIMP CRtfOleCallback::GetClipboardData(CHARRANGE*, DWORD, LPDATAOBJECT* lplpdataobj)
{
    if (lplpdataobj != NULL)
        *lplpdataobj = NULL;
    return E_NOTIMPL;
}

STDMETHODIMP CRtfOleCallback::GetDragDropEffect(BOOL, DWORD, LPDWORD)
{
    return S_OK;
}

STDMETHODIMP CRtfOleCallback::GetContextMenu(WORD, LPOLEOBJECT, CHARRANGE*, HMENU* lphmenu)
{
    if (lphmenu != NULL)
        *lphmenu = NULL;
    return S_OK;
}

// --- CRtfPreviewCtrl ----------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CRtfPreviewCtrl, CRichEditCtrl)
ON_WM_CREATE()
END_MESSAGE_MAP()

CRtfPreviewCtrl::CRtfPreviewCtrl() : m_pCallback(NULL), m_bCallbackSet(FALSE) {}

CRtfPreviewCtrl::~CRtfPreviewCtrl()
{
    if (m_pCallback != NULL)
        m_pCallback->Release();
}

void CRtfPreviewCtrl::PreSubclassWindow()
{
    CRichEditCtrl::PreSubclassWindow();
    if (m_pCallback == NULL) {
        m_pCallback = new CRtfOleCallback;
        m_pCallback->AddRef();
    }
    m_bCallbackSet = SetOLECallback(m_pCallback);
}

int CRtfPreviewCtrl::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CRichEditCtrl::OnCreate(lpcs) == -1)
        return -1;
    if (!m_bCallbackSet && m_pCallback != NULL)
        m_bCallbackSet = SetOLECallback(m_pCallback);
    return 0;
}

void CRtfPreviewCtrl::StreamInFile(CString strPath)
{
    SetPreviewShown(1);
    CFile file;
    if (!file.Open(strPath, CFile::modeRead | CFile::shareDenyWrite)) {
        SetPreviewShown(0);
        return;
    }
    EDITSTREAM es = {};
    es.dwCookie = reinterpret_cast<DWORD_PTR>(&file);
    es.pfnCallback = ReadFileStream;
    long read = StreamIn(SF_RTF, es);
    if (read < 1)
        SetPreviewShown(0);
    file.Abort();
}
