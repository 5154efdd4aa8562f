#include "toolkit/controls/ListView.h"

IMPLEMENT_DYNCREATE(CTKListView, CListView)

BEGIN_MESSAGE_MAP(CTKListView, CListView)
ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDrawReflect)
ON_WM_SETTINGCHANGE()
ON_WM_DESTROY()
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_WM_CREATE()
END_MESSAGE_MAP()

CTKListView::CTKListView() : m_bMakeOwnerSetting(TRUE)
{
    m_dwDefaultStyle = WS_CHILD | WS_VISIBLE | WS_BORDER;
    m_pListWnd = this;
}

BOOL CTKListView::PreCreateWindow(CREATESTRUCT& cs)
{
    m_bMakeOwnerSetting = FALSE;
    return CListView::PreCreateWindow(cs);
}

void CTKListView::PreSubclassWindow()
{
    CListView::PreSubclassWindow();
    if (m_bMakeOwnerSetting)
        ApplyDefaultFont();
}

BOOL CTKListView::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (OnNotifyHeader(wParam, lParam, pResult))
        return TRUE;
    return CListView::OnNotify(wParam, lParam, pResult);
}

void CTKListView::OnCustomDrawReflect(NMHDR* pNMHDR, LRESULT* pResult)
{
    OnCustomDraw(pNMHDR, pResult);
}

void CTKListView::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    CListView::OnSettingChange(uFlags, lpszSection);
    RefreshColors();
}

void CTKListView::OnDestroy()
{
    if (m_bSaveColumnWidths)
        SaveColumnWidths();
    CListView::OnDestroy();
}

BOOL CTKListView::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CTKListView::OnPaint()
{
    CTKListBase::OnPaint();
}

int CTKListView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CListView::OnCreate(lpCreateStruct) == -1)
        return -1;
    ApplyDefaultFont();
    return 0;
}
