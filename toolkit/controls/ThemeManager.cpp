#include "toolkit/controls/ThemeManager.h"

namespace {
CTKThemeManager* g_pThemeManager = NULL;
bool g_bThemeManagerGone = false;

// Destroys the theme manager (and with it the shared factories and their styles) at process exit.
struct ThemeManagerReaper {
    ~ThemeManagerReaper()
    {
        delete g_pThemeManager;
        g_pThemeManager = NULL;
        g_bThemeManagerGone = true;
    }
} g_themeManagerReaper;
}  // namespace

CTKThemeManager* GetThemeManager()
{
    if (g_pThemeManager == NULL && !g_bThemeManagerGone)
        g_pThemeManager = new CTKThemeManager;
    return g_pThemeManager;
}

// --- Style ------------------------------------------------------------------------------------------

CTKThemeManagerStyle::CTKThemeManagerStyle() : m_pFactory(NULL), m_nTheme(0) {}

CTKThemeManagerStyle::~CTKThemeManagerStyle()
{
    m_bmpParentSnapshot.DeleteObject();
}

BOOL CTKThemeManagerStyle::CopyParentBackground(CWnd* pWnd)
{
    CWnd* pParent = pWnd ? pWnd->GetParent() : NULL;
    if (pParent == NULL || !::IsWindow(pParent->GetSafeHwnd()))
        return FALSE;
    m_bmpParentSnapshot.DeleteObject();

    CRect rect;
    pWnd->GetWindowRect(&rect);
    pParent->ScreenToClient(&rect);

    CDC* pParentDC = pParent->GetDC();
    if (pParentDC == NULL)
        return FALSE;
    CDC memDC;
    BOOL bDone = FALSE;
    if (memDC.CreateCompatibleDC(pParentDC) &&
        m_bmpParentSnapshot.CreateCompatibleBitmap(pParentDC, rect.Width(), rect.Height())) {
        CBitmap* pOld = memDC.SelectObject(&m_bmpParentSnapshot);
        memDC.BitBlt(0, 0, rect.Width(), rect.Height(), pParentDC, rect.left, rect.top, SRCCOPY);
        // The snapshot leaves the memory DC again, so that it can be selected where it is drawn.
        memDC.SelectObject(pOld);
        bDone = TRUE;
    }
    memDC.DeleteDC();
    pParent->ReleaseDC(pParentDC);
    return bDone;
}

BOOL CTKThemeManagerStyle::DrawTransparentBackground(CDC* pDC, CWnd* pWnd)
{
    if (pWnd == NULL || (pWnd->GetExStyle() & WS_EX_TRANSPARENT) == 0 || !CopyParentBackground(pWnd))
        return FALSE;
    CRect rcClient;
    pWnd->GetClientRect(&rcClient);
    CDC memDC;
    if (!memDC.CreateCompatibleDC(pDC))
        return FALSE;
    CBitmap* pOld = memDC.SelectObject(&m_bmpParentSnapshot);
    pDC->BitBlt(0, 0, rcClient.Width(), rcClient.Height(), &memDC, 0, 0, SRCCOPY);
    memDC.SelectObject(pOld);
    memDC.DeleteDC();
    return TRUE;
}

// --- Factory ------------------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CTKThemeManagerStyleFactory, CObject)

CTKThemeManagerStyleFactory::CTKThemeManagerStyleFactory() : m_pStyle(NULL), m_pFirstHolder(NULL), m_pNextFactory(NULL)
{
    if (CTKThemeManager* pManager = GetThemeManager()) {
        m_pNextFactory = pManager->m_pFirstFactory;
        pManager->m_pFirstFactory = this;
    }
}

CTKThemeManagerStyleFactory::~CTKThemeManagerStyleFactory()
{
    delete m_pStyle;
    m_pStyle = NULL;
    if (g_pThemeManager) {
        for (CTKThemeManagerStyleFactory** pp = &g_pThemeManager->m_pFirstFactory; *pp; pp = &(*pp)->m_pNextFactory) {
            if (*pp == this) {
                *pp = m_pNextFactory;
                break;
            }
        }
    }
}

CTKThemeManagerStyle* CTKThemeManagerStyleFactory::CreateTheme(int)
{
    return NULL;
}

void CTKThemeManagerStyleFactory::RefreshMetrics()
{
    if (m_pStyle)
        m_pStyle->RefreshMetrics();
}

CTKThemeManagerStyle* CTKThemeManagerStyleFactory::GetStyle()
{
    if (m_pStyle == NULL) {
        CTKThemeManager* pManager = GetThemeManager();
        m_pStyle = CreateTheme(pManager ? pManager->GetThemeNumber() : 0);
        if (m_pStyle) {
            m_pStyle->m_pFactory = this;
            m_pStyle->RefreshMetrics();
        }
    }
    return m_pStyle;
}

void CTKThemeManagerStyleFactory::SetStyle(CTKThemeManagerStyle* pStyle)
{
    if (pStyle != m_pStyle) {
        delete m_pStyle;
        m_pStyle = pStyle;
    }
    if (m_pStyle) {
        m_pStyle->m_pFactory = this;
        m_pStyle->RefreshMetrics();
    }
    for (CTKThemeStyleHolder* pHolder = m_pFirstHolder; pHolder; pHolder = pHolder->m_pNextHolder)
        pHolder->OnStyleChanged();
}

void CTKThemeManagerStyleFactory::AddHolder(CTKThemeStyleHolder* pHolder)
{
    pHolder->m_pNextHolder = m_pFirstHolder;
    m_pFirstHolder = pHolder;
}

void CTKThemeManagerStyleFactory::RemoveHolder(CTKThemeStyleHolder* pHolder)
{
    for (CTKThemeStyleHolder** pp = &m_pFirstHolder; *pp; pp = &(*pp)->m_pNextHolder) {
        if (*pp == pHolder) {
            *pp = pHolder->m_pNextHolder;
            pHolder->m_pNextHolder = NULL;
            return;
        }
    }
}

void CTKThemeManagerStyleFactory::DetachHolders()
{
    while (CTKThemeStyleHolder* pHolder = m_pFirstHolder) {
        m_pFirstHolder = pHolder->m_pNextHolder;
        pHolder->m_pNextHolder = NULL;
        if (pHolder->m_pSharedFactory == this)
            pHolder->m_pSharedFactory = NULL;
    }
}

// --- Manager ------------------------------------------------------------------------------------------

CTKThemeManager::CTKThemeManager() : m_mapFactories(10), m_nTheme(0), m_pFirstFactory(NULL) {}

CTKThemeManager::~CTKThemeManager()
{
    POSITION pos = m_mapFactories.GetStartPosition();
    while (pos) {
        void* pKey = NULL;
        void* pValue = NULL;
        m_mapFactories.GetNextAssoc(pos, pKey, pValue);
        CTKThemeManagerStyleFactory* pFactory = static_cast<CTKThemeManagerStyleFactory*>(pValue);
        // Controls that outlive the manager (objects destroyed after it at exit) no longer reach it.
        pFactory->DetachHolders();
        delete pFactory;
    }
    m_mapFactories.RemoveAll();
}

CTKThemeManagerStyleFactory* CTKThemeManager::GetSharedFactory(CRuntimeClass* pClass)
{
    if (pClass == NULL || !pClass->IsDerivedFrom(RUNTIME_CLASS(CTKThemeManagerStyleFactory)))
        return NULL;
    void* pValue = NULL;
    if (m_mapFactories.Lookup(pClass, pValue))
        return static_cast<CTKThemeManagerStyleFactory*>(pValue);
    CObject* pObject = pClass->CreateObject();
    if (pObject == NULL)
        return NULL;
    CTKThemeManagerStyleFactory* pFactory = static_cast<CTKThemeManagerStyleFactory*>(pObject);
    m_mapFactories.SetAt(pClass, pFactory);
    return pFactory;
}

// --- Holder ------------------------------------------------------------------------------------------

CTKThemeStyleHolder::CTKThemeStyleHolder(CRuntimeClass* pFactoryClass)
    : m_bOwnsPrivateFactory(FALSE), m_pFactoryClass(NULL), m_pPrivateFactory(NULL), m_pSharedFactory(NULL),
      m_pNextHolder(NULL)
{
    if (pFactoryClass)
        SetFactoryClass(pFactoryClass);
}

CTKThemeStyleHolder::~CTKThemeStyleHolder()
{
    if (CTKThemeManagerStyleFactory* pFactory = GetFactory())
        pFactory->RemoveHolder(this);
    if (m_bOwnsPrivateFactory)
        delete m_pPrivateFactory;
    m_pPrivateFactory = NULL;
}

CTKThemeManagerStyleFactory* CTKThemeStyleHolder::CreateFactory()
{
    if (m_pFactoryClass == NULL || !m_pFactoryClass->IsDerivedFrom(RUNTIME_CLASS(CTKThemeManagerStyleFactory)))
        return NULL;
    return static_cast<CTKThemeManagerStyleFactory*>(m_pFactoryClass->CreateObject());
}

void CTKThemeStyleHolder::SetFactoryClass(CRuntimeClass* pFactoryClass)
{
    // A holder has one list link: with a style of its own it stays in its private factory's list, not the shared one.
    if (m_pSharedFactory && m_pPrivateFactory == NULL)
        m_pSharedFactory->RemoveHolder(this);
    m_pFactoryClass = pFactoryClass;
    CTKThemeManager* pManager = GetThemeManager();
    m_pSharedFactory = pManager ? pManager->GetSharedFactory(pFactoryClass) : NULL;
    if (m_pSharedFactory && m_pPrivateFactory == NULL)
        m_pSharedFactory->AddHolder(this);
}

CTKThemeManagerStyleFactory* CTKThemeStyleHolder::GetFactory() const
{
    return m_pPrivateFactory ? m_pPrivateFactory : m_pSharedFactory;
}

CTKThemeManagerStyle* CTKThemeStyleHolder::GetStyle() const
{
    CTKThemeManagerStyleFactory* pFactory = GetFactory();
    return pFactory ? pFactory->GetStyle() : NULL;
}

void CTKThemeStyleHolder::SetStyle(CTKThemeManagerStyle* pStyle)
{
    if (m_pPrivateFactory == NULL && pStyle == NULL)
        return;
    // The style the control already draws with (its own or the shared one) is kept as it is:
    // replacing the factory would delete it, or leave two factories owning it.
    CTKThemeManagerStyleFactory* pCurrent = GetFactory();
    if (pStyle != NULL && pCurrent != NULL && pCurrent->m_pStyle == pStyle)
        return;
    if (CTKThemeManagerStyleFactory* pFactory = GetFactory())
        pFactory->RemoveHolder(this);
    if (m_bOwnsPrivateFactory)
        delete m_pPrivateFactory;
    m_pPrivateFactory = NULL;
    m_bOwnsPrivateFactory = FALSE;

    if (pStyle) {
        m_pPrivateFactory = CreateFactory();
        if (m_pPrivateFactory) {
            m_pPrivateFactory->SetStyle(pStyle);
            m_bOwnsPrivateFactory = TRUE;
        } else {
            delete pStyle;  // nowhere to keep it
        }
    }
    OnStyleChanged();
    if (CTKThemeManagerStyleFactory* pFactory = GetFactory())
        pFactory->AddHolder(this);
}
