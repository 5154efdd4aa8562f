// Control containment: a COleControlSite hosts one ActiveX control in a child window of its own
// (the host window), which the caller's CWnd takes over. The site is the control's client site,
// in-place site and frame, answers the ambient properties it was given (others are not
// supported), and keeps the control's in-place rectangle on the host's client area. Closing or
// destroying the host window closes the control and releases it.
#pragma once

#include "classlib/win/CWnd.h"

#include <ocidl.h>
#include <ole2.h>
#include <oleidl.h>

#include <map>

class COleControlSite : public IOleClientSite,
                        public IOleInPlaceSite,
                        public IOleInPlaceFrame,
                        public IOleControlSite,
                        public IDispatch {
public:
    COleControlSite();

    // An ambient property the control may ask for (for instance DISPID_AMBIENT_DLCONTROL), set
    // before the control is created.
    void SetAmbientProperty(DISPID dispid, const VARIANT& value);

    // Creates the host window as pWnd (a child of pParentWnd with the style, rectangle and id) and
    // the control of clsid in it, in-place active. FALSE when the control cannot be created or
    // activated: the host window is then destroyed again and the site released.
    BOOL CreateControl(CWnd* pWnd, REFCLSID clsid, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
        CWnd* pParentWnd, UINT nID);

    // The site of a host window, or NULL.
    static COleControlSite* PASCAL FromHostWindow(HWND hWnd);

    IUnknown* GetControlUnknown() const { return m_pObject; }
    // The control's IDispatch (not AddRef'd), or NULL.
    IDispatch* GetControlDispatch() const { return m_pDispatch; }
    HWND GetHostWindow() const { return m_hWndHost; }
    // The control's own window, when it has one.
    HWND GetControlWindow() const;

    // Closes the control (without saving) and releases it; the host window stays.
    void CloseControl();

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // IOleClientSite
    STDMETHODIMP SaveObject() override;
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** ppmk) override;
    STDMETHODIMP GetContainer(IOleContainer** ppContainer) override;
    STDMETHODIMP ShowObject() override;
    STDMETHODIMP OnShowWindow(BOOL) override;
    STDMETHODIMP RequestNewObjectLayout() override;
    // IOleWindow (of both the in-place site and the frame)
    STDMETHODIMP GetWindow(HWND* phwnd) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override;
    // IOleInPlaceSite
    STDMETHODIMP CanInPlaceActivate() override;
    STDMETHODIMP OnInPlaceActivate() override;
    STDMETHODIMP OnUIActivate() override;
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc, LPRECT lprcPosRect,
        LPRECT lprcClipRect, LPOLEINPLACEFRAMEINFO lpFrameInfo) override;
    STDMETHODIMP Scroll(SIZE) override;
    STDMETHODIMP OnUIDeactivate(BOOL) override;
    STDMETHODIMP OnInPlaceDeactivate() override;
    STDMETHODIMP DiscardUndoState() override;
    STDMETHODIMP DeactivateAndUndo() override;
    STDMETHODIMP OnPosRectChange(LPCRECT lprcPosRect) override;
    // IOleInPlaceUIWindow / IOleInPlaceFrame
    STDMETHODIMP GetBorder(LPRECT) override;
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override;
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override;
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override;
    STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override;
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override;
    STDMETHODIMP RemoveMenus(HMENU) override;
    STDMETHODIMP SetStatusText(LPCOLESTR) override;
    STDMETHODIMP EnableModeless(BOOL) override;
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override;
    // IOleControlSite
    STDMETHODIMP OnControlInfoChanged() override;
    STDMETHODIMP LockInPlaceActive(BOOL) override;
    STDMETHODIMP GetExtendedControl(IDispatch** ppDisp) override;
    STDMETHODIMP TransformCoords(POINTL*, POINTF*, DWORD) override;
    STDMETHODIMP TranslateAccelerator(LPMSG, DWORD) override;
    STDMETHODIMP OnFocus(BOOL) override;
    STDMETHODIMP ShowPropertyFrame() override;
    // IDispatch: the ambient properties
    STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    STDMETHODIMP Invoke(DISPID dispIdMember, REFIID, LCID, WORD wFlags, DISPPARAMS*, VARIANT* pVarResult, EXCEPINFO*,
        UINT*) override;

private:
    virtual ~COleControlSite();
    friend LRESULT CALLBACK AfxControlHostWndProc(HWND, UINT, WPARAM, LPARAM);
    // The control's in-place rectangle follows the host's client area.
    void LayoutControl();

    LONG m_cRef;
    HWND m_hWndHost;
    IOleObject* m_pObject;
    IOleInPlaceObject* m_pInPlaceObject;
    IDispatch* m_pDispatch;
    std::map<DISPID, VARIANT> m_ambient;
};

LRESULT CALLBACK AfxControlHostWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
