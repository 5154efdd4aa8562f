// The style binding of the themed controls. A style object draws one control kind in one look; a
// factory of the kind makes it (theme 1, theme 2 or the default look) and shares it among every
// control of that kind; the process-wide theme manager keeps one shared factory per factory class.
// A control reaches its style through the CTKThemeStyleHolder it carries as a second base, and can
// be given a style of its own through a private factory.
#pragma once

#include "classlib/core/TypedMaps.h"
#include "classlib/win/AfxGdi.h"
#include "classlib/win/AfxWin.h"

class CTKThemeManagerStyleFactory;
class CTKThemeStyleHolder;

// The base of every style object.
class CTKThemeManagerStyle {
public:
    CTKThemeManagerStyle();
    virtual ~CTKThemeManagerStyle();

    // Re-reads the colours and metrics the style draws with.
    virtual void RefreshMetrics() {}
    // Takes a snapshot of the parent's pixels under the control; FALSE without a parent window.
    virtual BOOL CopyParentBackground(CWnd* pWnd);
    // For a control with WS_EX_TRANSPARENT: draws the parent's pixels under it (retaken every call).
    virtual BOOL DrawTransparentBackground(CDC* pDC, CWnd* pWnd);

    CTKThemeManagerStyleFactory* m_pFactory;
    int m_nTheme;
    CBitmap m_bmpParentSnapshot;
};

class CTKThemeManagerStyleFactory : public CObject {
    DECLARE_DYNCREATE(CTKThemeManagerStyleFactory)
public:
    CTKThemeManagerStyleFactory();
    ~CTKThemeManagerStyleFactory() override;

    // A new style of the look: 1 and 2 the alternatives, any other number the default look. The base
    // makes none.
    virtual CTKThemeManagerStyle* CreateTheme(int nTheme);
    virtual void RefreshMetrics();

    // The style, made with the theme manager's number on first use.
    CTKThemeManagerStyle* GetStyle();
    // Replaces the style (deleting the old one) and tells every holder of the factory.
    void SetStyle(CTKThemeManagerStyle* pStyle);
    BOOL HasStyle() const { return m_pStyle != NULL; }

    CTKThemeManagerStyle* m_pStyle;
    CTKThemeStyleHolder* m_pFirstHolder;
    CTKThemeManagerStyleFactory* m_pNextFactory;

protected:
    friend class CTKThemeStyleHolder;
    void AddHolder(CTKThemeStyleHolder* pHolder);
    void RemoveHolder(CTKThemeStyleHolder* pHolder);
    // The theme manager is going: its holders stop using this (shared) factory.
    void DetachHolders();
    friend class CTKThemeManager;
};

// The process-wide registry of shared factories.
class CTKThemeManager {
public:
    CTKThemeManager();
    ~CTKThemeManager();

    // The shared factory of the class, made through its dynamic creation when first asked for; null
    // for a class that does not make factories.
    CTKThemeManagerStyleFactory* GetSharedFactory(CRuntimeClass* pClass);
    int GetThemeNumber() const { return m_nTheme; }

    CMapPtrToPtr m_mapFactories;
    int m_nTheme;
    CTKThemeManagerStyleFactory* m_pFirstFactory;
};

// The process-wide theme manager, made on first use; null once it has been destroyed at exit.
CTKThemeManager* GetThemeManager();

// The second base of each themed control.
class CTKThemeStyleHolder {
public:
    explicit CTKThemeStyleHolder(CRuntimeClass* pFactoryClass = NULL);
    virtual ~CTKThemeStyleHolder();

    // A new factory of the holder's factory class.
    virtual CTKThemeManagerStyleFactory* CreateFactory();
    // Called when the holder's style object changes.
    virtual void OnStyleChanged() {}

    // Binds the holder to the shared factory of the class.
    void SetFactoryClass(CRuntimeClass* pFactoryClass);
    // The private factory when there is one, else the shared one.
    CTKThemeManagerStyleFactory* GetFactory() const;
    CTKThemeManagerStyle* GetStyle() const;
    // A style of the control's own (owned from now on), or none to return to the shared style. The
    // style the control already draws with changes nothing.
    void SetStyle(CTKThemeManagerStyle* pStyle);
    BOOL HasPrivateStyle() const { return m_bOwnsPrivateFactory; }

    BOOL m_bOwnsPrivateFactory;
    CRuntimeClass* m_pFactoryClass;
    CTKThemeManagerStyleFactory* m_pPrivateFactory;
    CTKThemeManagerStyleFactory* m_pSharedFactory;
    CTKThemeStyleHolder* m_pNextHolder;
};
