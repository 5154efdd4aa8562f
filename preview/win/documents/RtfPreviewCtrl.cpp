#include "preview/win/documents/RtfPreviewCtrl.h"

#include "classlib/core/CFile.h"
#include "preview/win/host/PreviewFrameState.h"

#include <string>

namespace {

// The mode of the root storage and of every object's storage in it.
const DWORD kStorageMode = STGM_TRANSACTED | STGM_CREATE | STGM_SHARE_EXCLUSIVE | STGM_READWRITE;

// The classes of the static pictures the control makes of a document's pictures.
bool IsStaticPicture(const CLSID& clsid)
{
    return ::IsEqualCLSID(clsid, CLSID_Picture_Metafile) || ::IsEqualCLSID(clsid, CLSID_Picture_Dib) ||
        ::IsEqualCLSID(clsid, CLSID_Picture_EnhMetafile);
}

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

CRtfOleCallback::CRtfOleCallback() : m_nStorage(0), m_pRootStorage(NULL), m_hrRoot(E_FAIL), m_cRef(0)
{
    // Held in memory, not in a temporary file: nothing of a previewed document is left on the disk.
    ILockBytes* bytes = NULL;
    m_hrRoot = ::CreateILockBytesOnHGlobal(NULL, TRUE, &bytes);
    if (SUCCEEDED(m_hrRoot)) {
        m_hrRoot = ::StgCreateDocfileOnILockBytes(bytes, kStorageMode, 0, &m_pRootStorage);
        bytes->Release();  // the storage keeps its own reference
    }
    // A failure is kept, not thrown out of the control's creation (which would end the program):
    // without a root the objects get no storage, and the text still shows.
    if (SUCCEEDED(m_hrRoot) && m_pRootStorage == NULL)
        m_hrRoot = E_FAIL;
}

CRtfOleCallback::~CRtfOleCallback()
{
    if (m_pRootStorage != NULL)
        m_pRootStorage->Release();
}

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
    if (lplpstg == NULL)
        return E_INVALIDARG;
    *lplpstg = NULL;
    // A failure is returned, not thrown: an exception cannot pass back through the control's code.
    if (m_pRootStorage == NULL)
        return m_hrRoot;
    std::wstring name = L"REOLEStorage" + std::to_wstring(m_nStorage);
    return m_pRootStorage->CreateStorage(name.c_str(), kStorageMode, 0, 0, lplpstg);
}

STDMETHODIMP CRtfOleCallback::GetInPlaceContext(LPOLEINPLACEFRAME*, LPOLEINPLACEUIWINDOW*, LPOLEINPLACEFRAMEINFO)
{
    return S_OK;
}

STDMETHODIMP CRtfOleCallback::ShowContainerUI(BOOL)
{
    return S_OK;
}

STDMETHODIMP CRtfOleCallback::QueryInsertObject(LPCLSID lpclsid, LPSTORAGE, LONG)
{
    // Only the static pictures, not every object: any other class would start an embedded
    // program's handler or server on a file nobody vouches for.
    return lpclsid != NULL && IsStaticPicture(*lpclsid) ? S_OK : S_FALSE;
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
    // Cleared flag, no exception: the view calls this while it is being made, where an exception
    // would leave through the window procedure.
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
