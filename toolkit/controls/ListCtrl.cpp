#include "toolkit/controls/ListCtrl.h"

IMPLEMENT_DYNAMIC(CTKListCtrl, CListCtrl)

BEGIN_MESSAGE_MAP(CTKListCtrl, CListCtrl)
ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDrawReflect)
ON_WM_SETTINGCHANGE()
ON_WM_DESTROY()
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_WM_CREATE()
END_MESSAGE_MAP()

CTKListCtrl::CTKListCtrl() : m_bMakeOwnerSetting(TRUE)
{
    m_pListWnd = this;
}

BOOL CTKListCtrl::PreCreateWindow(CREATESTRUCT& cs)
{
    m_bMakeOwnerSetting = FALSE;
    return CListCtrl::PreCreateWindow(cs);
}

void CTKListCtrl::PreSubclassWindow()
{
    CListCtrl::PreSubclassWindow();
    if (m_bMakeOwnerSetting)
        ApplyDefaultFont();
}

BOOL CTKListCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (OnNotifyHeader(wParam, lParam, pResult))
        return TRUE;
    return CListCtrl::OnNotify(wParam, lParam, pResult);
}

void CTKListCtrl::OnCustomDrawReflect(NMHDR* pNMHDR, LRESULT* pResult)
{
    OnCustomDraw(pNMHDR, pResult);
}

void CTKListCtrl::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    CListCtrl::OnSettingChange(uFlags, lpszSection);
    RefreshColors();
}

void CTKListCtrl::OnDestroy()
{
    if (m_bSaveColumnWidths)
        SaveColumnWidths();
    CListCtrl::OnDestroy();
}

BOOL CTKListCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CTKListCtrl::OnPaint()
{
    CTKListBase::OnPaint();
}

int CTKListCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CListCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;
    ApplyDefaultFont();
    return 0;
}
