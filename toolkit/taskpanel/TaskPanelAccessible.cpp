// The task panel's accessibility object: its groups and items are its children, numbered from 1,
// each group followed by all of its items.
#include "toolkit/taskpanel/TaskPanel.h"

int CTKPTaskPanel::GetAccessibleIndex(const CTKPTaskPanelItem* pItem) const
{
    if (pItem == NULL)
        return 0;
    int nIndex = 0;
    for (int i = 0; i < GetGroupCount(); ++i) {
        CTKPTaskPanelGroup* pGroup = GetAt(i);
        ++nIndex;
        if (pGroup == pItem)
            return nIndex;
        for (int j = 0; j < pGroup->GetItemCount(); ++j) {
            ++nIndex;
            if (pGroup->GetAt(j) == pItem)
                return nIndex;
        }
    }
    return 0;
}

CTKPTaskPanelItem* CTKPTaskPanel::GetAccessibleChild(int nChild) const
{
    if (nChild <= 0)
        return NULL;
    int nIndex = 0;
    for (int i = 0; i < GetGroupCount(); ++i) {
        CTKPTaskPanelGroup* pGroup = GetAt(i);
        if (++nIndex == nChild)
            return pGroup;
        if (nChild <= nIndex + pGroup->GetItemCount())
            return pGroup->GetAt(nChild - nIndex - 1);
        nIndex += pGroup->GetItemCount();
    }
    return NULL;
}

LRESULT CTKPTaskPanel::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    if ((LONG)lParam == OBJID_CLIENT)
        // The GUID itself: 64-bit liboleacc names a code stub IID_IAccessible, which may be linked in its place.
        return CTKPAccessible::LresultFromObject(__uuidof(IAccessible), wParam, GetAccessible());
    return Default();
}

STDMETHODIMP CTKPTaskPanel::get_accParent(IDispatch** ppdispParent)
{
    if (ppdispParent == NULL)
        return E_INVALIDARG;
    *ppdispParent = NULL;
    HWND hParent = GetSafeHwnd() ? ::GetParent(m_hWnd) : NULL;
    if (hParent == NULL)
        return S_FALSE;
    return CTKPAccessible::AccessibleObjectFromWindow(hParent, (DWORD)OBJID_WINDOW, IID_IDispatch,
        reinterpret_cast<void**>(ppdispParent));
}

STDMETHODIMP CTKPTaskPanel::get_accChildCount(long* pcountChildren)
{
    if (pcountChildren == NULL)
        return E_INVALIDARG;
    long nCount = 0;
    for (int i = 0; i < GetGroupCount(); ++i)
        nCount += 1 + GetAt(i)->GetItemCount();
    *pcountChildren = nCount;
    return S_OK;
}

STDMETHODIMP CTKPTaskPanel::get_accChild(VARIANT varChild, IDispatch** ppdispChild)
{
    if (ppdispChild == NULL)
        return E_INVALIDARG;
    *ppdispChild = NULL;
    CTKPTaskPanelItem* pItem = GetAccessibleChild(GetChildIndex(&varChild));
    if (pItem == NULL)
        return E_INVALIDARG;
    *ppdispChild = pItem->GetAccessible();
    (*ppdispChild)->AddRef();
    return S_OK;
}

STDMETHODIMP CTKPTaskPanel::get_accName(VARIANT varChild, BSTR* pszName)
{
    if (pszName == NULL || GetChildIndex(&varChild) != CHILDID_SELF)
        return E_INVALIDARG;
    CString strText;
    if (GetSafeHwnd())
        GetWindowText(strText);
    *pszName = ::SysAllocString(strText);
    return S_OK;
}

STDMETHODIMP CTKPTaskPanel::get_accRole(VARIANT varChild, VARIANT* pvarRole)
{
    if (pvarRole == NULL || GetChildIndex(&varChild) != CHILDID_SELF)
        return E_INVALIDARG;
    pvarRole->vt = VT_I4;
    pvarRole->lVal = ROLE_SYSTEM_OUTLINE;
    return S_OK;
}

STDMETHODIMP CTKPTaskPanel::get_accState(VARIANT varChild, VARIANT* pvarState)
{
    const long nChild = GetChildIndex(&varChild);
    if (pvarState == NULL || nChild < 0)
        return E_INVALIDARG;
    pvarState->vt = VT_I4;
    pvarState->lVal = nChild == CHILDID_SELF ? STATE_SYSTEM_FOCUSABLE : 0;
    return S_OK;
}

STDMETHODIMP CTKPTaskPanel::accLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild)
{
    if (pxLeft == NULL || pyTop == NULL || pcxWidth == NULL || pcyHeight == NULL)
        return E_INVALIDARG;
    const long nChild = GetChildIndex(&varChild);
    if (nChild < 0 || GetSafeHwnd() == NULL)
        return E_INVALIDARG;
    CRect rc;
    if (nChild == CHILDID_SELF) {
        GetWindowRect(&rc);
    } else {
        CTKPTaskPanelItem* pItem = GetAccessibleChild(nChild);
        if (pItem == NULL)
            return E_INVALIDARG;
        rc = pItem->GetHitTestRect();
        ClientToScreen(&rc);
    }
    *pxLeft = rc.left;
    *pyTop = rc.top;
    *pcxWidth = rc.Width();
    *pcyHeight = rc.Height();
    return S_OK;
}

STDMETHODIMP CTKPTaskPanel::accHitTest(long xLeft, long yTop, VARIANT* pvarChild)
{
    if (pvarChild == NULL)
        return E_INVALIDARG;
    pvarChild->vt = VT_EMPTY;
    if (GetSafeHwnd() == NULL)
        return S_FALSE;
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    CPoint pt(xLeft, yTop);
    if (!rcWindow.PtInRect(pt))
        return S_FALSE;
    ScreenToClient(&pt);
    CTKPTaskPanelItem* pItem = HitTestItem(pt);
    if (pItem) {
        pvarChild->vt = VT_DISPATCH;
        pvarChild->pdispVal = pItem->GetAccessible();
        pvarChild->pdispVal->AddRef();
    } else {
        pvarChild->vt = VT_I4;
        pvarChild->lVal = CHILDID_SELF;
    }
    return S_OK;
}
