#include "toolkit/base/Accessible.h"

namespace {

// {618736E0-3C3D-11CF-810C-00AA00389B71}
const IID kIIDAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

typedef void(WINAPI* NotifyWinEventProc)(DWORD, HWND, LONG, LONG);
typedef HRESULT(WINAPI* AccessibleObjectFromWindowProc)(HWND, DWORD, REFIID, void**);
typedef LRESULT(WINAPI* LresultFromObjectProc)(REFIID, WPARAM, LPUNKNOWN);

NotifyWinEventProc g_notifyWinEvent = NULL;
bool g_notifyLookedUp = false;

FARPROC OleaccEntry(const char* name)
{
  static HMODULE oleacc = NULL;
  if (oleacc == NULL)
    oleacc = ::LoadLibraryW(L"oleacc.dll");  // stays loaded; tried again while missing
  return oleacc ? ::GetProcAddress(oleacc, name) : NULL;
}

}  // namespace

CTKPAccessible::CTKPAccessible()
{
  if (!g_notifyLookedUp) {
    g_notifyLookedUp = true;
    HMODULE user32 = ::GetModuleHandleW(L"USER32");
    if (user32)
      g_notifyWinEvent = reinterpret_cast<NotifyWinEventProc>(::GetProcAddress(user32, "NotifyWinEvent"));
  }
}

CTKPAccessible::~CTKPAccessible() {}

STDMETHODIMP CTKPAccessible::QueryInterface(REFIID riid, void** ppv)
{
  if (ppv == NULL)
    return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, kIIDAccessible)) {
    *ppv = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  *ppv = NULL;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CTKPAccessible::AddRef()
{
  CCmdTarget* pOwner = GetAccessibleOwner();
  return pOwner ? pOwner->ExternalAddRef() : 1;
}

STDMETHODIMP_(ULONG) CTKPAccessible::Release()
{
  CCmdTarget* pOwner = GetAccessibleOwner();
  return pOwner ? pOwner->ExternalRelease() : 1;
}

// The IDispatch part is not implemented: clients reach the object through its IAccessible methods.
STDMETHODIMP CTKPAccessible::GetTypeInfoCount(UINT* pctinfo)
{
  if (pctinfo)
    *pctinfo = 0;
  return E_NOTIMPL;
}
STDMETHODIMP CTKPAccessible::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo)
{
  if (ppTInfo)
    *ppTInfo = NULL;
  return E_NOTIMPL;
}
STDMETHODIMP CTKPAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
STDMETHODIMP CTKPAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
{
  return E_NOTIMPL;
}

STDMETHODIMP CTKPAccessible::get_accParent(IDispatch**) { return E_NOTIMPL; }
STDMETHODIMP CTKPAccessible::get_accChildCount(long*) { return E_NOTIMPL; }
STDMETHODIMP CTKPAccessible::get_accChild(VARIANT, IDispatch**) { return E_NOTIMPL; }
STDMETHODIMP CTKPAccessible::get_accName(VARIANT, BSTR*) { return E_NOTIMPL; }
STDMETHODIMP CTKPAccessible::get_accValue(VARIANT, BSTR*) { return E_NOTIMPL; }
STDMETHODIMP CTKPAccessible::get_accDescription(VARIANT, BSTR*) { return E_NOTIMPL; }
STDMETHODIMP CTKPAccessible::get_accRole(VARIANT, VARIANT*) { return E_NOTIMPL; }
STDMETHODIMP CTKPAccessible::get_accState(VARIANT, VARIANT*) { return E_NOTIMPL; }
STDMETHODIMP CTKPAccessible::get_accHelp(VARIANT, BSTR*) { return E_NOTIMPL; }
STDMETHODIMP CTKPAccessible::get_accHelpTopic(BSTR*, VARIANT, long*) { return E_NOTIMPL; }
STDMETHODIMP CTKPAccessible::get_accKeyboardShortcut(VARIANT, BSTR*) { return E_NOTIMPL; }
STDMETHODIMP CTKPAccessible::get_accFocus(VARIANT*) { return S_FALSE; }
STDMETHODIMP CTKPAccessible::get_accSelection(VARIANT*) { return S_FALSE; }
STDMETHODIMP CTKPAccessible::get_accDefaultAction(VARIANT, BSTR*) { return E_NOTIMPL; }
STDMETHODIMP CTKPAccessible::accSelect(long, VARIANT) { return E_NOTIMPL; }
STDMETHODIMP CTKPAccessible::accLocation(long*, long*, long*, long*, VARIANT) { return E_NOTIMPL; }
STDMETHODIMP CTKPAccessible::accNavigate(long, VARIANT, VARIANT*) { return E_NOTIMPL; }
STDMETHODIMP CTKPAccessible::accHitTest(long, long, VARIANT*) { return E_NOTIMPL; }
STDMETHODIMP CTKPAccessible::accDoDefaultAction(VARIANT) { return E_NOTIMPL; }
STDMETHODIMP CTKPAccessible::put_accName(VARIANT, BSTR) { return E_NOTIMPL; }
STDMETHODIMP CTKPAccessible::put_accValue(VARIANT, BSTR) { return E_NOTIMPL; }

void CTKPAccessible::NotifyWinEvent(DWORD event, HWND hWnd, LONG idObject, LONG idChild)
{
  if (!g_notifyLookedUp) {
    g_notifyLookedUp = true;
    HMODULE user32 = ::GetModuleHandleW(L"USER32");
    if (user32)
      g_notifyWinEvent = reinterpret_cast<NotifyWinEventProc>(::GetProcAddress(user32, "NotifyWinEvent"));
  }
  if (g_notifyWinEvent)
    g_notifyWinEvent(event, hWnd, idObject, idChild);
}

HRESULT CTKPAccessible::AccessibleObjectFromWindow(HWND hWnd, DWORD dwObjectID, REFIID riid, void** ppvObject)
{
  AccessibleObjectFromWindowProc proc =
      reinterpret_cast<AccessibleObjectFromWindowProc>(OleaccEntry("AccessibleObjectFromWindow"));
  return proc ? proc(hWnd, dwObjectID, riid, ppvObject) : E_FAIL;
}

LRESULT CTKPAccessible::LresultFromObject(REFIID riid, WPARAM wParam, LPUNKNOWN punk)
{
  LresultFromObjectProc proc = reinterpret_cast<LresultFromObjectProc>(OleaccEntry("LresultFromObject"));
  return proc ? proc(riid, wParam, punk) : E_FAIL;
}

long CTKPAccessible::GetChildIndex(const VARIANT* pVariant)
{
  // Nested references are followed a bounded number of times.
  for (int depth = 0; pVariant != NULL && depth < 16; ++depth) {
    switch (pVariant->vt) {
    case VT_I4: return pVariant->lVal;
    case VT_I2: return pVariant->iVal;
    case VT_I4 | VT_BYREF: return pVariant->plVal ? *pVariant->plVal : -1;
    case VT_I2 | VT_BYREF: return pVariant->piVal ? *pVariant->piVal : -1;
    case VT_VARIANT | VT_BYREF: pVariant = pVariant->pvarVal; break;
    default: return -1;
    }
  }
  return -1;
}
