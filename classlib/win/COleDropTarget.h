// COleDropTarget: makes a window an OLE drop target. Register it for the window; OLE then calls the
// On... handlers with the dragged data and the point in the window's client coordinates. The owner
// deletes the object, which revokes the registration.
#pragma once

#include <ole2.h>

#include "classlib/win/CCmdTarget.h"
#include "classlib/win/COleDataObject.h"
#include "classlib/win/Geometry.h"

class CWnd;

class COleDropTarget : public CCmdTarget, public IDropTarget {
    DECLARE_DYNAMIC(COleDropTarget)
public:
    COleDropTarget();
    ~COleDropTarget() override;

    // OLE must be initialised on the thread; FALSE when the window cannot take drops.
    BOOL Register(CWnd* pWnd);
    void Revoke();
    HWND GetRegisteredWindow() const { return m_hWnd; }

    // The answers are the effect the drop would have here. The defaults refuse everything.
    virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual void OnDragLeave(CWnd* pWnd);
    // Performs the drop with the effect that OnDragOver gave; FALSE when it did not take place.
    virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
    // Takes the whole drop when it answers other than (DROPEFFECT)-1, the default.
    virtual DROPEFFECT OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropDefault, DROPEFFECT dropList,
        CPoint point);

    // IUnknown: OLE's references never delete the object; its owner does.
    STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override;
    STDMETHOD_(ULONG, AddRef)() override;
    STDMETHOD_(ULONG, Release)() override;
    // IDropTarget.
    STDMETHOD(DragEnter)(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
    STDMETHOD(DragOver)(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
    STDMETHOD(DragLeave)() override;
    STDMETHOD(Drop)(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;

protected:
    // The client point of a screen point of the registered window.
    CPoint ClientPoint(POINTL pt) const;
    CWnd* GetWindow() const;

    HWND m_hWnd;
    LPDATAOBJECT m_lpDataObject;  // the data of the drag over the window, held between enter and leave
    LONG m_nComRef;
};

// The effect among those allowed: the answer's allowed part; when the source allows none of what
// the target wants, another effect the source allows; DROPEFFECT_NONE when the target wants none.
DROPEFFECT AFXAPI AfxFilterDropEffect(DROPEFFECT dropEffect, DWORD dwAllowed);
