#include "toolkit/taskpanel/TaskPanelItem.h"

#include "classlib/win/AfxOle.h"
#include "toolkit/base/ImageManager.h"
#include "toolkit/base/PropExchangeGeometry.h"
#include "toolkit/common/PropExchangeArchive.h"
#include "toolkit/taskpanel/TaskPanel.h"

IMPLEMENT_SERIAL(CTKPTaskPanelItem, CCmdTarget, 1)

namespace {

// Registered once per process, when the panel code is loaded.
const CLIPFORMAT g_cfTaskPanelItem = (CLIPFORMAT)::RegisterClipboardFormatW(L"TaskPanelGroupItem");

}  // namespace

CLIPFORMAT CTKPTaskPanelItem::GetClipboardFormat()
{
    return g_cfTaskPanelItem;
}

CTKPTaskPanelItem::CTKPTaskPanelItem()
    : m_pPanel(NULL), m_nID(0), m_nType(tkpTaskItemTypeLink), m_pItems(NULL), m_nIconIndex(-1), m_bEnabled(TRUE),
      m_bAllowDrop(TRUE), m_nAllowDrag(tkpTaskDragInherit), m_nTextFormat(0), m_bVisible(TRUE),
      m_rcIconPadding(TKPDefaultMargins())
{
    EnableAutomation();
}

CTKPTaskPanelItem::~CTKPTaskPanelItem() {}

BOOL CTKPTaskPanelItem::IsAcceptFocus() const
{
    return (m_nType == tkpTaskItemTypeGroup || m_nType == tkpTaskItemTypeLink) && m_bEnabled && m_bVisible;
}

CTKPTaskPanelGroup* CTKPTaskPanelItem::GetItemGroup() const
{
    return DYNAMIC_DOWNCAST(CTKPTaskPanelGroup, const_cast<CTKPTaskPanelItem*>(this));
}

CRect CTKPTaskPanelItem::GetHitTestRect() const
{
    return CRect(0, 0, 0, 0);
}

void CTKPTaskPanelItem::DoPropExchange(CTKPPropExchange* pPX)
{
    if (pPX->IsLoading())
        m_pPanel = reinterpret_cast<CTKPTaskPanel*>(pPX->m_dwData);
    PropExchangeString(pPX, _T("Caption"), m_strCaption, _T(""));
    PropExchangeString(pPX, _T("Tooltip"), m_strTooltip, _T(""));
    PropExchangeInt(pPX, _T("Id"), m_nID, 0);
    PropExchangeInt(pPX, _T("Type"), m_nType, tkpTaskItemTypeLink);
    PropExchangeInt(pPX, _T("IconIndex"), m_nIconIndex, -1);
    PropExchangeBool(pPX, _T("Enabled"), m_bEnabled, TRUE);
    PropExchangeInt(pPX, _T("AllowDrag"), m_nAllowDrag, tkpTaskDragInherit);
    PropExchangeBool(pPX, _T("AllowDrop"), m_bAllowDrop, TRUE);
    if (pPX->m_nSchema > 8) {
        PropExchangeBool(pPX, _T("Visible"), m_bVisible, TRUE);
        PropExchangeRect(pPX, _T("IconPadding"), m_rcIconPadding, TKPDefaultMargins());
    }
}

void CTKPTaskPanelItem::SetCaption(LPCTSTR lpszCaption)
{
    CString strCaption(lpszCaption ? lpszCaption : _T(""));
    if (strCaption == m_strCaption)
        return;
    m_strCaption = strCaption;
    RepositionPanel();
}

void CTKPTaskPanelItem::SetType(int nType)
{
    m_nType = nType;
    RepositionPanel();
}

void CTKPTaskPanelItem::SetIconIndex(int nIndex)
{
    if (m_nIconIndex == nIndex)
        return;
    m_nIconIndex = nIndex;
    RepositionPanel();
}

void CTKPTaskPanelItem::SetEnabled(BOOL bEnabled)
{
    if (m_bEnabled == bEnabled)
        return;
    m_bEnabled = bEnabled;
    RedrawPanel();
}

void CTKPTaskPanelItem::SetVisible(BOOL bVisible)
{
    if (m_bVisible == bVisible)
        return;
    m_bVisible = bVisible;
    RepositionPanel();
}

void CTKPTaskPanelItem::SetIconPadding(const CRect& rc)
{
    m_rcIconPadding = rc;
    RepositionPanel();
}

CTKPImageIcon* CTKPTaskPanelItem::GetImage(int nWidth) const
{
    if (m_nIconIndex < 0)
        return NULL;
    CTKPImageManager* pManager = m_pPanel ? m_pPanel->GetImageManager() : TKPGetImageManager();
    return pManager ? pManager->GetImage((UINT)m_nIconIndex, nWidth) : NULL;
}

BOOL CTKPTaskPanelItem::IsItemHot() const
{
    return m_bEnabled && m_pPanel && m_pPanel->GetHotItem() == this;
}
BOOL CTKPTaskPanelItem::IsItemPressed() const
{
    return m_pPanel && m_pPanel->GetPressedItem() == this;
}
BOOL CTKPTaskPanelItem::IsItemDragging() const
{
    return m_pPanel && m_pPanel->GetDraggedItem() == this;
}
BOOL CTKPTaskPanelItem::IsItemDragOver() const
{
    return m_pPanel && m_pPanel->GetDropTargetItem() == this;
}
BOOL CTKPTaskPanelItem::IsItemFocused() const
{
    return m_bEnabled && m_pPanel && m_pPanel->GetFocusedItem() == this;
}

int CTKPTaskPanelItem::GetIndex() const
{
    return m_pItems ? m_pItems->IndexOf(this) : -1;
}

void CTKPTaskPanelItem::Remove()
{
    if (m_pItems)
        m_pItems->Remove(this);
}

BOOL CTKPTaskPanelItem::IsAllowDrop() const
{
    if (!m_bAllowDrop)
        return FALSE;
    const CTKPTaskPanelGroup* pGroup = GetItemGroup();
    if (pGroup && !pGroup->m_bAllowDrop)
        return FALSE;
    return m_pPanel == NULL || m_pPanel->IsAllowDrop();
}

int CTKPTaskPanelItem::GetAllowDrag() const
{
    if (m_nAllowDrag != tkpTaskDragInherit)
        return m_nAllowDrag;
    const CTKPTaskPanelGroup* pGroup = GetItemGroup();
    if (pGroup && pGroup->m_nAllowDrag != tkpTaskDragInherit)
        return pGroup->m_nAllowDrag;
    if (m_pPanel && m_pPanel->GetAllowDrag() != tkpTaskDragInherit)
        return m_pPanel->GetAllowDrag();
    return tkpTaskDragDefault;
}

CTKPTaskPanelTheme* CTKPTaskPanelItem::GetPaintManager() const
{
    return m_pPanel ? m_pPanel->GetPaintManager() : NULL;
}

void CTKPTaskPanelItem::RedrawPanel() const
{
    if (m_pPanel && m_pPanel->GetSafeHwnd() && !m_pPanel->IsRedrawLocked())
        m_pPanel->Invalidate(FALSE);
}

void CTKPTaskPanelItem::RepositionPanel() const
{
    if (m_pPanel)
        m_pPanel->Reposition(TRUE);
}

void CTKPTaskPanelItem::SetTextRect(CDC* pDC, const CRect& rc, UINT nFormat)
{
    const CString strCaption = GetMeasuredCaption();
    CRect rcText(rc.left, rc.top, rc.right, rc.top);
    pDC->DrawText(strCaption, rcText, (nFormat | DT_CALCRECT) & ~(DT_VCENTER | DT_END_ELLIPSIS));
    // DT_CALCRECT may widen a single long word: the text is kept inside the rectangle it is given, or
    // it would be drawn past the item's right edge.
    if (rcText.right > rc.right)
        rcText.right = rc.right;
    // DT_CALCRECT leaves the text at the left: centred and right-aligned text moves to its place, or
    // such captions would all be drawn at the item's left.
    const int nWidth = rcText.Width();
    if (nFormat & DT_CENTER)
        rcText.left = rc.left + (rc.Width() - nWidth) / 2;
    else if (nFormat & DT_RIGHT)
        rcText.left = rc.right - nWidth;
    rcText.right = rcText.left + nWidth;
    const int nHeight = rcText.Height();
    if (nFormat & DT_VCENTER) {
        rcText.top = rc.top + (rc.Height() - nHeight) / 2;
        rcText.bottom = rcText.top + nHeight;
    }
    m_rcText = rcText;
    m_nTextFormat = nFormat;
}

HGLOBAL CTKPTaskPanelItem::CopyToOleData()
{
    try {
        CSharedFile file(GMEM_MOVEABLE | GMEM_DDESHARE, 4096);
        {
            CArchive ar(&file, CArchive::store);
            ar.WriteClass(GetRuntimeClass());
            CTKPPropExchangeArchive px(ar);
            DoPropExchange(&px);
            ar.Close();
        }
        return file.Detach();
    } catch (CException* e) {
        e->Delete();
        return NULL;
    }
}

CTKPTaskPanelItem* CTKPTaskPanelItem::CreateFromOleData(COleDataObject* pDataObject)
{
    if (pDataObject == NULL)
        return NULL;
    CFile* pFile = pDataObject->GetFileData(GetClipboardFormat());
    if (pFile == NULL)
        return NULL;
    CTKPTaskPanelItem* pItem = NULL;
    try {
        CArchive ar(pFile, CArchive::load);
        CRuntimeClass* pClass = ar.ReadClass(RUNTIME_CLASS(CTKPTaskPanelItem));
        CObject* pObject = pClass ? pClass->CreateObject() : NULL;
        pItem = DYNAMIC_DOWNCAST(CTKPTaskPanelItem, pObject);
        if (pItem == NULL) {
            delete pObject;
            AfxThrowArchiveException(CArchiveException::badClass);
        }
        CTKPPropExchangeArchive px(ar);
        pItem->DoPropExchange(&px);
        ar.Close();
    } catch (CException* e) {
        e->Delete();
        if (pItem)
            pItem->InternalRelease();
        pItem = NULL;
    }
    delete pFile;
    return pItem;
}

// --- Accessibility ------------------------------------------------------------------------------

long CTKPTaskPanelItem::GetAccessibleState() const
{
    long nState = STATE_SYSTEM_FOCUSABLE;
    if (IsItemFocused())
        nState |= STATE_SYSTEM_FOCUSED;
    if (!m_bVisible)
        nState |= STATE_SYSTEM_INVISIBLE;
    if (!m_bEnabled)
        nState |= STATE_SYSTEM_UNAVAILABLE;
    return nState;
}

STDMETHODIMP CTKPTaskPanelItem::get_accParent(IDispatch** ppdispParent)
{
    if (ppdispParent == NULL)
        return E_INVALIDARG;
    *ppdispParent = NULL;
    if (m_pPanel == NULL)
        return S_FALSE;
    *ppdispParent = m_pPanel->GetAccessible();
    (*ppdispParent)->AddRef();
    return S_OK;
}

STDMETHODIMP CTKPTaskPanelItem::get_accName(VARIANT varChild, BSTR* pszName)
{
    if (pszName == NULL || GetChildIndex(&varChild) != CHILDID_SELF)
        return E_INVALIDARG;
    *pszName = ::SysAllocString(m_strCaption);
    return S_OK;
}

STDMETHODIMP CTKPTaskPanelItem::get_accDescription(VARIANT varChild, BSTR* pszDescription)
{
    if (pszDescription == NULL || GetChildIndex(&varChild) != CHILDID_SELF)
        return E_INVALIDARG;
    *pszDescription = ::SysAllocString(m_strTooltip);
    return S_OK;
}

STDMETHODIMP CTKPTaskPanelItem::get_accRole(VARIANT varChild, VARIANT* pvarRole)
{
    if (pvarRole == NULL || GetChildIndex(&varChild) != CHILDID_SELF)
        return E_INVALIDARG;
    pvarRole->vt = VT_I4;
    pvarRole->lVal = ROLE_SYSTEM_LISTITEM;
    return S_OK;
}

STDMETHODIMP CTKPTaskPanelItem::get_accState(VARIANT varChild, VARIANT* pvarState)
{
    if (pvarState == NULL || GetChildIndex(&varChild) != CHILDID_SELF)
        return E_INVALIDARG;
    pvarState->vt = VT_I4;
    pvarState->lVal = GetAccessibleState();
    return S_OK;
}

STDMETHODIMP CTKPTaskPanelItem::accSelect(long flagsSelect, VARIANT varChild)
{
    if (GetChildIndex(&varChild) != CHILDID_SELF)
        return E_INVALIDARG;
    if ((flagsSelect & SELFLAG_TAKEFOCUS) && m_pPanel)
        m_pPanel->SetFocusedItem(this, FALSE);
    return S_OK;
}

STDMETHODIMP CTKPTaskPanelItem::accLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
    VARIANT varChild)
{
    if (pxLeft == NULL || pyTop == NULL || pcxWidth == NULL || pcyHeight == NULL ||
        GetChildIndex(&varChild) != CHILDID_SELF)
        return E_INVALIDARG;
    if (m_pPanel == NULL || m_pPanel->GetSafeHwnd() == NULL)
        return S_FALSE;
    CRect rc = GetHitTestRect();
    m_pPanel->ClientToScreen(&rc);
    *pxLeft = rc.left;
    *pyTop = rc.top;
    *pcxWidth = rc.Width();
    *pcyHeight = rc.Height();
    return S_OK;
}

STDMETHODIMP CTKPTaskPanelItem::accHitTest(long xLeft, long yTop, VARIANT* pvarChild)
{
    if (pvarChild == NULL)
        return E_INVALIDARG;
    pvarChild->vt = VT_EMPTY;
    if (m_pPanel == NULL || m_pPanel->GetSafeHwnd() == NULL)
        return S_FALSE;
    CRect rcWindow;
    m_pPanel->GetWindowRect(&rcWindow);
    CPoint pt(xLeft, yTop);
    if (!rcWindow.PtInRect(pt))
        return S_FALSE;
    m_pPanel->ScreenToClient(&pt);
    if (!GetHitTestRect().PtInRect(pt))
        return S_FALSE;
    pvarChild->vt = VT_I4;
    pvarChild->lVal = CHILDID_SELF;
    return S_OK;
}
