#include "toolkit/commandbars/customize/CustomizeCommandsPage.h"

#include "classlib/win/WindowDCs.h"
#include "res/commandbars-customize.h"
#include "toolkit/base/BufferedDC.h"
#include "toolkit/base/ResourceManager.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/CommandBarsTheme.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/ControlButton.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/MouseTracker.h"
#include "toolkit/commandbars/customize/CustomizeDropSource.h"
#include "toolkit/commandbars/customize/CustomizeSheet.h"

#include <algorithm>

// --- The command list ---------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CTKPCustomizeCommandList, CListBox)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

int CTKPCustomizeCommandList::MeasureRowHeight()
{
    CTKPCommandBarsTheme* pTheme =
        m_pCommandBars != NULL ? m_pCommandBars->GetPaintManager() : CTKPCommandBarsTheme::GetGlobalTheme();
    CTKPControlButton* pProbe = new CTKPControlButton;
    pProbe->SetCaption(L"X");
    CWindowDC dcScreen(NULL);
    CDC dc;
    dc.CreateCompatibleDC(&dcScreen);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dcScreen, 64, 64);
    CBitmap* pOld = dc.SelectObject(&bitmap);
    const CSize size = pTheme->DrawControlPopupListItem(&dc, pProbe, CRect(0, 0, 64, 64), FALSE, L"X", m_pCommandBars);
    dc.SelectObject(pOld);
    pProbe->InternalRelease();
    return std::max<int>(size.cy, 16);
}

void CTKPCustomizeCommandList::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    lpMeasureItemStruct->itemHeight = (UINT)MeasureRowHeight();
}

void CTKPCustomizeCommandList::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct->itemID == (UINT)-1)
        return;
    CTKPControl* pControl = reinterpret_cast<CTKPControl*>(lpDrawItemStruct->itemData);
    if (pControl == NULL)
        return;
    CTKPCommandBarsTheme* pTheme =
        m_pCommandBars != NULL ? m_pCommandBars->GetPaintManager() : CTKPCommandBarsTheme::GetGlobalTheme();
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    const CString strCaption = pControl->GetCaption();
    pTheme->DrawControlPopupListItem(pDC, pControl, CRect(lpDrawItemStruct->rcItem),
        (lpDrawItemStruct->itemState & ODS_SELECTED) != 0, strCaption, m_pCommandBars);
}

BOOL CTKPCustomizeCommandList::OnEraseBkgnd(CDC* pDC)
{
    CTKPCommandBarsTheme* pTheme =
        m_pCommandBars != NULL ? m_pCommandBars->GetPaintManager() : CTKPCommandBarsTheme::GetGlobalTheme();
    CRect rcClient;
    GetClientRect(&rcClient);
    pTheme->DrawControlPopupListItem(pDC, NULL, rcClient, FALSE, L"", m_pCommandBars);
    return TRUE;
}

void CTKPCustomizeCommandList::OnPaint()
{
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CTKPBufferedDC memDC(dc.GetSafeHdc(), rcClient);
    CTKPCommandBarsTheme* pTheme =
        m_pCommandBars != NULL ? m_pCommandBars->GetPaintManager() : CTKPCommandBarsTheme::GetGlobalTheme();
    pTheme->DrawControlPopupListItem(&memDC, NULL, rcClient, FALSE, L"", m_pCommandBars);
    // The list box paints its items into the buffer.
    DefWindowProc(WM_PAINT, (WPARAM)memDC.GetSafeHdc(), 0);
}

void CTKPCustomizeCommandList::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_pCommandBars != NULL)
        m_pCommandBars->SetDragControl(NULL);
    BOOL bOutside = TRUE;
    const UINT nItem = ItemFromPoint(point, bOutside);
    if (bOutside || (int)nItem >= GetCount())
        return;
    SetCurSel((int)nItem);
    SetFocus();
    CWnd* pParent = GetParent();
    if (pParent != NULL)
        pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), LBN_SELCHANGE), (LPARAM)m_hWnd);
    CTKPCustomizeCommandsPage* pPage = static_cast<CTKPCustomizeCommandsPage*>(pParent);
    if (pPage != NULL)
        pPage->DragCommand((int)nItem);
}

// --- The page -----------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CTKPCustomizeCommandsPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CTKPCustomizeCommandsPage, CPropertyPage)
ON_LBN_SELCHANGE(IDC_TKP_CATEGORIES_LIST, OnCategoryChange)
ON_WM_DESTROY()
END_MESSAGE_MAP()

CTKPCustomizeCommandsPage::CTKPCustomizeCommandsPage() : CPropertyPage(IDD_TKP_PAGE_COMMANDS), m_pSheet(NULL) {}

CTKPCustomizeCommandsPage::~CTKPCustomizeCommandsPage()
{
    for (INT_PTR i = 0; i < m_arrCategories.GetSize(); ++i) {
        m_arrCategories[i]->pControls->InternalRelease();
        delete m_arrCategories[i];
    }
    m_arrCategories.RemoveAll();
}

int CTKPCustomizeCommandsPage::AddCategory(LPCTSTR lpszName, const UINT* pCommands, int nCount)
{
    Category* pCategory = new Category;
    pCategory->strName = lpszName;
    pCategory->pControls = new CTKPControls;
    if (m_pSheet != NULL)
        pCategory->pControls->SetCommandBars(m_pSheet->GetCommandBars());
    for (int i = 0; i < nCount; ++i) {
        if (pCommands[i] != 0) {
            CTKPControl* pControl = pCategory->pControls->Add(tkpControlButton, (int)pCommands[i]);
            if (pControl != NULL)
                pControl->SetCategory(lpszName);
        }
    }
    return (int)m_arrCategories.Add(pCategory);
}

int CTKPCustomizeCommandsPage::AddAllCommandsCategory()
{
    CString strName;
    GetResourceManager()->LoadString(&strName, IDS_TKP_ALL_COMMANDS);
    CArray<UINT, UINT> arrIds;
    for (INT_PTR i = 0; i < m_arrCategories.GetSize(); ++i) {
        CTKPControls* pControls = m_arrCategories[i]->pControls;
        for (int j = 0; j < pControls->GetCount(); ++j) {
            const UINT nId = (UINT)pControls->GetAt(j)->GetID();
            BOOL bKnown = FALSE;
            for (INT_PTR k = 0; k < arrIds.GetSize() && !bKnown; ++k)
                bKnown = arrIds[k] == nId;
            if (!bKnown)
                arrIds.Add(nId);
        }
    }
    return AddCategory(strName, arrIds.GetData(), (int)arrIds.GetSize());
}

BOOL CTKPCustomizeCommandsPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    CTKPCommandBars* pCommandBars = m_pSheet != NULL ? m_pSheet->GetCommandBars() : NULL;
    m_wndCategories.SubclassDlgItem(IDC_TKP_CATEGORIES_LIST, this);
    m_wndCommands.m_pCommandBars = pCommandBars;
    m_wndCommands.SubclassDlgItem(IDC_TKP_COMMANDS_LIST, this);
    for (INT_PTR i = 0; i < m_arrCategories.GetSize(); ++i) {
        const int nItem = m_wndCategories.AddString(m_arrCategories[i]->strName);
        m_wndCategories.SetItemData(nItem, (DWORD_PTR)i);
    }
    m_wndCategories.SetCurSel(0);
    m_wndCommands.SetItemHeight(0, (UINT)m_wndCommands.MeasureRowHeight());
    if (pCommandBars != NULL && pCommandBars->IsLayoutRTL()) {
        m_wndCommands.ModifyStyleEx(0, WS_EX_LAYOUTRTL);
        m_wndCategories.ModifyStyleEx(0, WS_EX_RIGHT | WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR);
    }
    CTKPCommandBars::GetMouseTracker()->AddCompanionWindow(m_hWnd);
    FillCommands();
    return TRUE;
}

void CTKPCustomizeCommandsPage::OnDestroy()
{
    CTKPCommandBars::GetMouseTracker()->RemoveCompanionWindow(m_hWnd);
    CPropertyPage::OnDestroy();
}

void CTKPCustomizeCommandsPage::OnCategoryChange()
{
    FillCommands();
}

void CTKPCustomizeCommandsPage::FillCommands()
{
    if (m_wndCommands.GetSafeHwnd() == NULL)
        return;
    m_wndCommands.ResetContent();
    const int nSel = m_wndCategories.GetCurSel();
    if (nSel < 0)
        return;
    const INT_PTR nCategory = (INT_PTR)m_wndCategories.GetItemData(nSel);
    if (nCategory < 0 || nCategory >= m_arrCategories.GetSize())
        return;
    CTKPControls* pControls = m_arrCategories[nCategory]->pControls;
    for (int i = 0; i < pControls->GetCount(); ++i)
        m_wndCommands.SetItemDataPtr(m_wndCommands.AddString(L""), pControls->GetAt(i));
}

int CTKPCustomizeCommandsPage::DragCommand(int nItem)
{
    CTKPCommandBars* pCommandBars = m_pSheet != NULL ? m_pSheet->GetCommandBars() : NULL;
    CTKPControl* pControl = reinterpret_cast<CTKPControl*>(m_wndCommands.GetItemDataPtr(nItem));
    if (pCommandBars == NULL || pCommandBars->GetDropSource() == NULL || pControl == NULL ||
        pControl == reinterpret_cast<CTKPControl*>(-1))
        return CTKPCommandBar::dropCancelled;
    return pCommandBars->GetDropSource()->DoDragDrop(pControl, TRUE);
}
