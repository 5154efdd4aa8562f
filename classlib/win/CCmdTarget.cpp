#include "classlib/win/CCmdTarget.h"

#include "classlib/win/AfxEmptyDispatch.h"
#include "classlib/win/CCmdUI.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* PASCAL CCmdTarget::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, (AFX_PMSG)0}};
  static const AFX_MSGMAP map = {NULL, &entries[0]};
  return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

// The dispatch of an automation-enabled target: its references are the target's.
class CCmdTarget::XDispatch final : public IDispatch {
 public:
  explicit XDispatch(CCmdTarget* pOwner) : m_pOwner(pOwner) {}

  STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override {
    if (ppv == NULL) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
      *ppv = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *ppv = NULL;
    return E_NOINTERFACE;
  }
  STDMETHOD_(ULONG, AddRef)() override { return m_pOwner->ExternalAddRef(); }
  STDMETHOD_(ULONG, Release)() override { return m_pOwner->ExternalRelease(); }
  STDMETHOD(GetTypeInfoCount)(UINT* pctinfo) override { return AfxEmptyDispatch::GetTypeInfoCount(pctinfo); }
  STDMETHOD(GetTypeInfo)(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override {
    return AfxEmptyDispatch::GetTypeInfo(iTInfo, lcid, ppTInfo);
  }
  STDMETHOD(GetIDsOfNames)(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId) override {
    return AfxEmptyDispatch::GetIDsOfNames(riid, rgszNames, cNames, lcid, rgDispId);
  }
  STDMETHOD(Invoke)(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
                    VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override {
    return AfxEmptyDispatch::Invoke(dispIdMember, riid, lcid, wFlags, pDispParams, pVarResult, pExcepInfo,
                                    puArgErr);
  }

 private:
  CCmdTarget* m_pOwner;
};

CCmdTarget::CCmdTarget() : m_dwRef(1), m_pDispatch(NULL) {}

CCmdTarget::~CCmdTarget() { delete m_pDispatch; }

void CCmdTarget::EnableAutomation() {
  if (m_pDispatch == NULL) m_pDispatch = new XDispatch(this);
}

LPDISPATCH CCmdTarget::GetIDispatch(BOOL bAddRef) {
  if (m_pDispatch == NULL) return NULL;
  if (bAddRef) m_pDispatch->AddRef();
  return m_pDispatch;
}

const AFX_MSGMAP_ENTRY* AFXAPI AfxFindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg,
                                                   UINT nCode, UINT nID) {
  for (; lpEntry->nSig != AfxSig_end; ++lpEntry) {
    if (lpEntry->nMessage == nMsg && lpEntry->nCode == nCode && nID >= lpEntry->nID &&
        nID <= lpEntry->nLastID)
      return lpEntry;
  }
  return NULL;
}

namespace {

// One member-pointer type per command signature; the table stores them all as AFX_PMSG.
template <typename T>
T HandlerAs(AFX_PMSG pfn) {
  return reinterpret_cast<T>(pfn);
}

}  // namespace

BOOL AFXAPI AfxDispatchCmdMsg(CCmdTarget* pTarget, UINT nID, int nCode, AFX_PMSG pfn, void* pExtra,
                              UINT_PTR nSig, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (pHandlerInfo != NULL) {
    pHandlerInfo->pTarget = pTarget;
    pHandlerInfo->pmf = pfn;
    return TRUE;
  }
  BOOL bResult = TRUE;
  switch (nSig) {
    case AfxSigCmd_v:
      (pTarget->*HandlerAs<void (CCmdTarget::*)()>(pfn))();
      break;
    case AfxSigCmd_b:
      bResult = (pTarget->*HandlerAs<BOOL (CCmdTarget::*)()>(pfn))();
      break;
    case AfxSigCmd_RANGE:
      (pTarget->*HandlerAs<void (CCmdTarget::*)(UINT)>(pfn))(nID);
      break;
    case AfxSigCmd_EX:
      bResult = (pTarget->*HandlerAs<BOOL (CCmdTarget::*)(UINT)>(pfn))(nID);
      break;
    case AfxSigCmdUI: {
      CCmdUI* pCmdUI = static_cast<CCmdUI*>(pExtra);
      if (pCmdUI == NULL) return FALSE;
      pCmdUI->m_bContinueRouting = FALSE;
      (pTarget->*HandlerAs<void (CCmdTarget::*)(CCmdUI*)>(pfn))(pCmdUI);
      bResult = !pCmdUI->m_bContinueRouting;
      pCmdUI->m_bContinueRouting = FALSE;
      break;
    }
    case AfxSigNotify_v: {
      AFX_NOTIFY* pNotify = static_cast<AFX_NOTIFY*>(pExtra);
      if (pNotify == NULL) return FALSE;
      (pTarget->*HandlerAs<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(pfn))(pNotify->pNMHDR,
                                                                           pNotify->pResult);
      break;
    }
    case AfxSigNotify_b: {
      AFX_NOTIFY* pNotify = static_cast<AFX_NOTIFY*>(pExtra);
      if (pNotify == NULL) return FALSE;
      bResult = (pTarget->*HandlerAs<BOOL (CCmdTarget::*)(NMHDR*, LRESULT*)>(pfn))(
          pNotify->pNMHDR, pNotify->pResult);
      break;
    }
    case AfxSigNotify_RANGE: {
      AFX_NOTIFY* pNotify = static_cast<AFX_NOTIFY*>(pExtra);
      if (pNotify == NULL) return FALSE;
      (pTarget->*HandlerAs<void (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(pfn))(
          nID, pNotify->pNMHDR, pNotify->pResult);
      break;
    }
    case AfxSigNotify_EX: {
      AFX_NOTIFY* pNotify = static_cast<AFX_NOTIFY*>(pExtra);
      if (pNotify == NULL) return FALSE;
      bResult = (pTarget->*HandlerAs<BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(pfn))(
          nID, pNotify->pNMHDR, pNotify->pResult);
      break;
    }
    default:
      // A window-message signature in a command slot: not ours to call.
      return FALSE;
  }
  return bResult;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  // nCode carries the message in its high word for notifications (WM_NOTIFY, reflected ones).
  UINT nMsg = 0;
  if ((UINT)nCode != CN_UPDATE_COMMAND_UI) {
    nMsg = HIWORD(nCode);
    nCode = LOWORD(nCode);
  }
  if (nMsg == 0) nMsg = WM_COMMAND;

  for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != NULL;
       pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : NULL) {
    const AFX_MSGMAP_ENTRY* lpEntry = AfxFindMessageEntry(pMap->lpEntries, nMsg, (UINT)nCode, nID);
    if (lpEntry != NULL) {
      // A CCmdUI probe of a command handler (CN_COMMAND with a CCmdUI extra) only asks whether
      // a handler exists.
      return AfxDispatchCmdMsg(this, nID, nCode, lpEntry->pfn, pExtra, lpEntry->nSig, pHandlerInfo);
    }
  }
  return FALSE;
}

DWORD CCmdTarget::InternalAddRef() { return (DWORD)InterlockedIncrement(&m_dwRef); }

DWORD CCmdTarget::InternalRelease() {
  if (m_dwRef == 0) return 0;
  long lResult = InterlockedDecrement(&m_dwRef);
  if (lResult == 0) OnFinalRelease();
  return (DWORD)lResult;
}

DWORD CCmdTarget::ExternalAddRef() { return InternalAddRef(); }

DWORD CCmdTarget::ExternalRelease() { return InternalRelease(); }

void CCmdTarget::OnFinalRelease() { delete this; }

namespace {

volatile LONG g_nWaitCursorCount = 0;
HCURSOR g_hcurWaitCursorRestore = NULL;

}  // namespace

void AFXAPI AfxDoWaitCursor(int nCode) {
  HCURSOR hcurWait = ::LoadCursorW(NULL, IDC_WAIT);
  if (nCode > 0) {
    HCURSOR hcurPrev = ::SetCursor(hcurWait);
    if (InterlockedIncrement(&g_nWaitCursorCount) == 1 && hcurPrev != hcurWait)
      g_hcurWaitCursorRestore = hcurPrev;
  } else if (nCode < 0) {
    LONG n = InterlockedDecrement(&g_nWaitCursorCount);
    if (n < 0) {
      InterlockedExchange(&g_nWaitCursorCount, 0);
      n = 0;
    }
    if (n == 0) {
      ::SetCursor(g_hcurWaitCursorRestore != NULL ? g_hcurWaitCursorRestore
                                                  : ::LoadCursorW(NULL, IDC_ARROW));
    }
  } else if (g_nWaitCursorCount > 0) {
    ::SetCursor(hcurWait);
  }
}

void CCmdTarget::BeginWaitCursor() { AfxDoWaitCursor(1); }
void CCmdTarget::EndWaitCursor() { AfxDoWaitCursor(-1); }
void CCmdTarget::RestoreWaitCursor() { AfxDoWaitCursor(0); }

CWaitCursor::CWaitCursor() { AfxDoWaitCursor(1); }
CWaitCursor::~CWaitCursor() { AfxDoWaitCursor(-1); }
void CWaitCursor::Restore() { AfxDoWaitCursor(0); }
