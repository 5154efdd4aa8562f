#include "toolkit/tabs/TabManagerItem.h"

#include "toolkit/tabs/TabManager.h"

IMPLEMENT_DYNCREATE(CTKPTabManagerItem, CCmdTarget)

CTKPTabManagerItem::CTKPTabManagerItem()
    : m_nLength(0), m_nNaturalLength(0), m_nIndex(-1), m_bEnabled(TRUE), m_bVisible(TRUE), m_hWnd(NULL), m_nImage(0),
      m_dwData(0), m_rcItem(0, 0, 0, 0), m_clrTab(0), m_pManager(NULL), m_nRow(0), m_bClosable(TRUE)
{
    EnableAutomation();
}

void CTKPTabManagerItem::SetCaption(LPCTSTR lpszCaption)
{
    if (m_strCaption.Compare(lpszCaption ? lpszCaption : L"") == 0)
        return;
    m_strCaption = lpszCaption;
    // A tab not in a row yet only keeps it, where the row to re-lay would be reached through null.
    if (m_pManager)
        m_pManager->Reposition();
}

void CTKPTabManagerItem::SetColor(COLORREF clr)
{
    m_clrTab = clr;
    // Kept only, for a tab not in a row yet: there is no row to repaint.
    if (m_pManager)
        m_pManager->RedrawControl();
}

CString CTKPTabManagerItem::GetCaption() const
{
    // A tab not in a row answers its own caption and colour, with no manager to ask.
    return m_pManager ? m_pManager->GetTabCaption(this) : m_strCaption;
}

COLORREF CTKPTabManagerItem::GetColor() const
{
    return m_pManager ? m_pManager->GetTabColor(this) : m_clrTab;
}

void CTKPTabManagerItem::SetVisible(BOOL bVisible)
{
    if (m_bVisible == bVisible)
        return;
    m_bVisible = bVisible;
    if (m_pManager)
        m_pManager->Reposition();
}

void CTKPTabManagerItem::SetEnabled(BOOL bEnabled)
{
    if (m_bEnabled == bEnabled)
        return;
    m_bEnabled = bEnabled;
    if (m_pManager)
        m_pManager->RedrawControl();
}

void CTKPTabManagerItem::SetClosable(BOOL bClosable)
{
    if (m_bClosable == bClosable)
        return;
    m_bClosable = bClosable;
    if (m_pManager && IsSelected())
        m_pManager->Reposition();
}

BOOL CTKPTabManagerItem::IsSelected() const
{
    return m_pManager && m_pManager->GetSelectedItem() == this;
}

BOOL CTKPTabManagerItem::IsHot() const
{
    return m_pManager && m_pManager->GetHotItem() == this;
}

void CTKPTabManagerItem::RemoveFromManager()
{
    if (m_pManager)
        m_pManager->DeleteTab(m_nIndex);
}
