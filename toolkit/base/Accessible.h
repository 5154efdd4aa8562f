// The accessibility mixin: toolkit windows and items carry it as a second base and answer
// accessibility clients through IAccessible. Every IAccessible method is a hook that a derived class
// overrides for what it knows; the rest answer E_NOTIMPL (focus and selection S_FALSE). Its IDispatch
// has no members. The COM reference count is the owning command target's.
#pragma once

#include "classlib/win/AfxWin.h"

#include <oleacc.h>

class CTKPAccessible : public IAccessible
{
public:
  CTKPAccessible();
  virtual ~CTKPAccessible();

  // The object that carries the COM reference count; classes that hand out their IAccessible
  // override it.
  virtual CCmdTarget* GetAccessibleOwner() { return NULL; }
  IAccessible* GetAccessible() { return this; }

  // IUnknown: the reference count is the owner's; the interfaces are IUnknown, IDispatch and
  // IAccessible of this object.
  STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override;
  STDMETHOD_(ULONG, AddRef)() override;
  STDMETHOD_(ULONG, Release)() override;

  // IDispatch: not implemented (E_NOTIMPL); clients use the IAccessible methods.
  STDMETHOD(GetTypeInfoCount)(UINT* pctinfo) override;
  STDMETHOD(GetTypeInfo)(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
  STDMETHOD(GetIDsOfNames)(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId) override;
  STDMETHOD(Invoke)(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
                    VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

  // The hooks, in IAccessible's order.
  STDMETHOD(get_accParent)(IDispatch** ppdispParent) override;
  STDMETHOD(get_accChildCount)(long* pcountChildren) override;
  STDMETHOD(get_accChild)(VARIANT varChild, IDispatch** ppdispChild) override;
  STDMETHOD(get_accName)(VARIANT varChild, BSTR* pszName) override;
  STDMETHOD(get_accValue)(VARIANT varChild, BSTR* pszValue) override;
  STDMETHOD(get_accDescription)(VARIANT varChild, BSTR* pszDescription) override;
  STDMETHOD(get_accRole)(VARIANT varChild, VARIANT* pvarRole) override;
  STDMETHOD(get_accState)(VARIANT varChild, VARIANT* pvarState) override;
  STDMETHOD(get_accHelp)(VARIANT varChild, BSTR* pszHelp) override;
  STDMETHOD(get_accHelpTopic)(BSTR* pszHelpFile, VARIANT varChild, long* pidTopic) override;
  STDMETHOD(get_accKeyboardShortcut)(VARIANT varChild, BSTR* pszKeyboardShortcut) override;
  STDMETHOD(get_accFocus)(VARIANT* pvarChild) override;
  STDMETHOD(get_accSelection)(VARIANT* pvarChildren) override;
  STDMETHOD(get_accDefaultAction)(VARIANT varChild, BSTR* pszDefaultAction) override;
  STDMETHOD(accSelect)(long flagsSelect, VARIANT varChild) override;
  STDMETHOD(accLocation)(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
  STDMETHOD(accNavigate)(long navDir, VARIANT varStart, VARIANT* pvarEndUpAt) override;
  STDMETHOD(accHitTest)(long xLeft, long yTop, VARIANT* pvarChild) override;
  STDMETHOD(accDoDefaultAction)(VARIANT varChild) override;
  STDMETHOD(put_accName)(VARIANT varChild, BSTR szName) override;
  STDMETHOD(put_accValue)(VARIANT varChild, BSTR szValue) override;

  // USER32's NotifyWinEvent when the system has it.
  static void NotifyWinEvent(DWORD event, HWND hWnd, LONG idObject, LONG idChild);
  // oleacc.dll's functions, loaded on first use; E_FAIL while the library or entry is missing.
  static HRESULT AccessibleObjectFromWindow(HWND hWnd, DWORD dwObjectID, REFIID riid, void** ppvObject);
  static LRESULT LresultFromObject(REFIID riid, WPARAM wParam, LPUNKNOWN punk);
  // The child id in an accessibility VARIANT (I4, I2, by reference, nested VARIANT); -1 when unusable.
  static long GetChildIndex(const VARIANT* pVariant);
};
