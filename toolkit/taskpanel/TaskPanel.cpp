#include "toolkit/taskpanel/TaskPanel.h"

#include <algorithm>

#include "toolkit/base/BufferedDC.h"
#include "toolkit/base/ImageManager.h"
#include "toolkit/base/ResourceManager.h"
#include "toolkit/commandbars/ToolTipManager.h"
#include "toolkit/taskpanel/TaskPanelThemes.h"

IMPLEMENT_DYNAMIC(CTKPTaskPanel, CWnd)

using std::max;
using std::min;

namespace {

// The toolkit's hand cursor, for systems without one.
const UINT kHandCursor = 9973;

}  // namespace

BEGIN_MESSAGE_MAP(CTKPTaskPanel, CWnd)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_WM_SIZE()
ON_WM_VSCROLL()
ON_WM_MOUSEMOVE()
ON_WM_SETCURSOR()
ON_WM_LBUTTONUP()
ON_WM_DESTROY()
ON_WM_TIMER()
ON_WM_SYSCOLORCHANGE()
ON_WM_SETTINGCHANGE()
ON_WM_RBUTTONDOWN()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
ON_WM_KEYDOWN()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_MOUSEWHEEL()
ON_WM_GETDLGCODE()
ON_WM_CAPTURECHANGED()
ON_WM_MOUSELEAVE()
ON_MESSAGE(WM_PRINT, OnPrint)
ON_MESSAGE(WM_GETOBJECT, OnGetObject)
END_MESSAGE_MAP()

CTKPTaskPanel::CTKPTaskPanel()
    : m_pGroups(NULL), m_pTheme(NULL), m_nTheme(2), m_nLockRedraw(0), m_nContentHeight(0),
      m_rcMargins(TKPDefaultMargins()), m_nGroupSpacing(TKP_TASKPANEL_DEFAULT), m_bScrollVisible(FALSE),
      m_pItemHot(NULL), m_pItemFocused(NULL), m_pItemPressed(NULL), m_pItemDragging(NULL), m_pItemDragOver(NULL),
      m_bAnimation(TRUE), m_nAnimationMode(tkpTaskAnimationYes), m_hHandCursor(NULL), m_nAnimateTimer(0),
      m_nAnimationStep(0), m_pImageManager(NULL), m_bExpandable(TRUE), m_bTakeFocusOnClick(TRUE),
      m_bSettingFocus(FALSE), m_bDrawFocusRect(FALSE), m_szItemIcon(16, 16), m_szCaptionIcon(32, 32),
      m_bSelectItemOnFocus(FALSE), m_ptPressed(0, 0), m_nAllowDrag(tkpTaskDragNone), m_bAllowDrop(TRUE),
      m_nItemLayout(tkpTaskItemLayoutDefault), m_bColumns(FALSE), m_nColumnWidth(100),
      m_nHotTrackStyle(tkpTaskHotTrackDefault), m_nBehaviour(tkpTaskPanelBehaviourExplorer), m_pActiveGroup(NULL),
      m_pDropTarget(NULL), m_bHoverTimer(FALSE), m_pScrollButtonDown(NULL), m_pScrollButtonUp(NULL),
      m_bSingleSelection(FALSE), m_pToolTipManager(NULL), m_bInUpdateScrollBar(FALSE), m_bOleInitialized(FALSE)
{
    m_pGroups = new CTKPTaskPanelGroups(this);
    m_pTheme = TKPCreateTaskPanelTheme(m_nTheme);
    m_pTheme->RefreshMetrics();
    m_hHandCursor = ::LoadCursor(NULL, IDC_HAND);
    if (m_hHandCursor == NULL)
        m_hHandCursor = GetResourceManager()->LoadCursor(kHandCursor);
    m_pImageManager = new CTKPImageManager;
    m_bOleInitialized = SUCCEEDED(::OleInitialize(NULL));
    m_pDropTarget = new CTKPTaskPanelDropTarget;
    m_pScrollButtonUp = new CTKPTaskPanelScrollButton(TRUE);
    m_pScrollButtonDown = new CTKPTaskPanelScrollButton(FALSE);
    m_pScrollButtonUp->pPanel = m_pScrollButtonDown->pPanel = this;
    m_pToolTipManager = new CTKPToolTipManager;
    EnableAutomation();
}

CTKPTaskPanel::~CTKPTaskPanel()
{
    if (GetSafeHwnd())
        DestroyWindow();
    ReleaseItem(m_pItemHot);
    ReleaseItem(m_pItemFocused);
    ReleaseItem(m_pActiveGroup);
    m_pItemPressed = m_pItemDragging = m_pItemDragOver = NULL;
    m_pGroups->InternalRelease();
    m_pGroups = NULL;
    m_pImageManager->InternalRelease();
    delete m_pTheme;
    delete m_pDropTarget;
    delete m_pScrollButtonUp;
    delete m_pScrollButtonDown;
    delete m_pToolTipManager;
    if (m_bOleInitialized)
        ::OleUninitialize();
}

BOOL CTKPTaskPanel::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW));
    if (!CWnd::Create(lpszClass, NULL, dwStyle, rect, pParentWnd, nID))
        return FALSE;
    m_pDropTarget->Register(this);
    Reposition(FALSE);
    return TRUE;
}

void CTKPTaskPanel::ReleaseItem(CTKPTaskPanelItem*& pItem)
{
    if (pItem)
        pItem->InternalRelease();
    pItem = NULL;
}

void CTKPTaskPanel::ReleaseItem(CTKPTaskPanelGroup*& pGroup)
{
    if (pGroup)
        pGroup->InternalRelease();
    pGroup = NULL;
}

// --- Groups -------------------------------------------------------------------------------------

int CTKPTaskPanel::GetGroupCount() const
{
    return m_pGroups ? m_pGroups->GetCount() : 0;
}

CTKPTaskPanelGroup* CTKPTaskPanel::GetAt(int nIndex) const
{
    return m_pGroups ? static_cast<CTKPTaskPanelGroup*>(m_pGroups->GetAt(nIndex)) : NULL;
}

CTKPTaskPanelGroup* CTKPTaskPanel::GetNextVisibleGroup(int nIndex, int nDirection) const
{
    return m_pGroups
        ? static_cast<CTKPTaskPanelGroup*>(m_pGroups->GetAt(m_pGroups->GetNextVisibleIndex(nIndex, nDirection)))
        : NULL;
}

// --- Appearance ---------------------------------------------------------------------------------

void CTKPTaskPanel::SetTheme(int nTheme)
{
    delete m_pTheme;
    m_pTheme = TKPCreateTaskPanelTheme(nTheme);
    m_nTheme = nTheme;
    m_pTheme->RefreshMetrics();
    Reposition(TRUE);
}

void CTKPTaskPanel::SetAnimation(int nMode)
{
    m_nAnimationMode = nMode;
    if (nMode == tkpTaskAnimationSystem) {
        BOOL bMenuAnimation = FALSE;
        ::SystemParametersInfo(SPI_GETMENUANIMATION, 0, &bMenuAnimation, 0);
        m_bAnimation = bMenuAnimation;
    } else {
        m_bAnimation = nMode == tkpTaskAnimationYes;
    }
}

CTKPImageManager* CTKPTaskPanel::GetImageManager() const
{
    return m_pImageManager ? m_pImageManager : TKPGetImageManager();
}

void CTKPTaskPanel::SetMargins(int nLeft, int nTop, int nRight, int nBottom)
{
    m_rcMargins.SetRect(nLeft, nTop, nRight, nBottom);
    Reposition(FALSE);
}

void CTKPTaskPanel::SetGroupSpacing(int nSpacing)
{
    m_nGroupSpacing = nSpacing;
    Reposition(FALSE);
}

void CTKPTaskPanel::SetIconSize(CSize size)
{
    m_szItemIcon = size;
    Reposition(FALSE);
}

void CTKPTaskPanel::SetCaptionIconSize(CSize size)
{
    m_szCaptionIcon = size;
    Reposition(FALSE);
}

void CTKPTaskPanel::SetItemLayout(int nLayout)
{
    m_nItemLayout = nLayout;
    Reposition(FALSE);
}

int CTKPTaskPanel::GetItemLayout() const
{
    if (m_nItemLayout != tkpTaskItemLayoutDefault)
        return m_nItemLayout;
    return m_nBehaviour == tkpTaskPanelBehaviourList ? tkpTaskItemLayoutImagesWithTextBelow
                                                     : tkpTaskItemLayoutImagesWithText;
}

void CTKPTaskPanel::SetColumns(BOOL bColumns, int nColumnWidth)
{
    m_bColumns = bColumns;
    m_nColumnWidth = max(1, nColumnWidth);
    Reposition(FALSE);
}

void CTKPTaskPanel::SetHotTrackStyle(int nStyle)
{
    m_nHotTrackStyle = nStyle;
    Reposition(FALSE);
}

int CTKPTaskPanel::GetHotTrackStyle() const
{
    if (m_nHotTrackStyle != tkpTaskHotTrackDefault)
        return m_nHotTrackStyle;
    switch (m_nBehaviour) {
    case tkpTaskPanelBehaviourList:
        return tkpTaskHotTrackImage;
    case tkpTaskPanelBehaviourToolbox:
        return tkpTaskHotTrackItem;
    default:
        return tkpTaskHotTrackText;
    }
}

void CTKPTaskPanel::SetBehaviour(int nBehaviour)
{
    m_nBehaviour = nBehaviour;
    Reposition(FALSE);
}

void CTKPTaskPanel::SetSingleSelection(BOOL bSingle)
{
    m_bSingleSelection = bSingle;
    if (GetSafeHwnd())
        Invalidate(FALSE);
}

// --- Layout -------------------------------------------------------------------------------------

int CTKPTaskPanel::GetClientHeight() const
{
    if (GetSafeHwnd() == NULL)
        return 0;
    CRect rc;
    GetClientRect(&rc);
    return rc.Height();
}

int CTKPTaskPanel::GetScrollOffset() const
{
    if (GetSafeHwnd() == NULL || !m_bScrollVisible)
        return 0;
    return GetScrollPos(SB_VERT);
}

void CTKPTaskPanel::LockRedraw(BOOL bLock)
{
    if (bLock) {
        ++m_nLockRedraw;
        return;
    }
    if (m_nLockRedraw > 0 && --m_nLockRedraw == 0)
        Reposition(TRUE);
}

void CTKPTaskPanel::Reposition(BOOL bAnimate)
{
    if (GetSafeHwnd() == NULL || m_nLockRedraw > 0 || m_pTheme == NULL)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    const CRect rcMargins = m_pTheme->GetControlMargins(this);
    const int nLeft = rcClient.left + rcMargins.left;
    const int nRight = max(nLeft, (int)(rcClient.right - rcMargins.right));
    const int nSpacing = m_pTheme->GetGroupSpacing(this);

    {
        CClientDC dc(this);
        for (int i = 0; i < GetGroupCount(); ++i) {
            CTKPTaskPanelGroup* pGroup = GetAt(i);
            if (pGroup->IsVisible())
                pGroup->CalcClientHeight(&dc, CRect(nLeft, 0, nRight, 0));
        }
    }

    int y = rcMargins.top;
    BOOL bFirst = TRUE;
    for (int i = 0; i < GetGroupCount(); ++i) {
        CTKPTaskPanelGroup* pGroup = GetAt(i);
        if (!pGroup->IsVisible()) {
            pGroup->m_rcGroupCurrent = pGroup->m_rcGroupTarget;
            continue;
        }
        if (!bFirst)
            y += nSpacing;
        bFirst = FALSE;
        const CRect rcTarget = pGroup->OnReposition(CRect(nLeft, y, nRight, y), bAnimate);
        y = rcTarget.bottom + m_pTheme->GetGroupOuterMargins(pGroup).bottom;
    }
    m_nContentHeight = y + rcMargins.bottom;
    RepositionScrollButtons();

    m_nAnimationStep = 10;
    BOOL bMoving = FALSE;
    for (int i = 0; i < GetGroupCount(); ++i)
        bMoving = bMoving || GetAt(i)->IsAnimating();
    if (bMoving && m_nAnimateTimer == 0) {
        m_nAnimateTimer = SetTimer(TIMER_ANIMATION, 30, NULL);
    } else if (!bMoving && m_nAnimateTimer != 0) {
        KillTimer(TIMER_ANIMATION);
        m_nAnimateTimer = 0;
    }
    UpdateScrollBar();
    // Without a glide, also with animation on, the groups stand at their targets now: one pass places
    // the hosted controls and ends any open or close, which no timer would otherwise ever report.
    if (!m_bAnimation || !bMoving)
        AnimateGroups(0);
    Invalidate(FALSE);
}

BOOL CTKPTaskPanel::AnimateGroups(int nStep)
{
    BOOL bMoving = FALSE;
    for (int i = 0; i < GetGroupCount(); ++i) {
        CTKPTaskPanelGroup* pGroup = GetAt(i);
        const BOOL bGroupMoving = pGroup->OnAnimate(nStep);
        bMoving = bMoving || (pGroup->IsVisible() && bGroupMoving);
    }
    RepositionScrollButtons();
    // An in-place rename ends when the layout moves under it.
    HWND hFocus = ::GetFocus();
    CWnd* pFocus = hFocus ? CWnd::FromHandlePermanent(hFocus) : NULL;
    if (pFocus && pFocus->IsKindOf(RUNTIME_CLASS(CTKPTaskPanelEditItem)) && ::GetParent(hFocus) == m_hWnd)
        SetFocus();
    return bMoving;
}

void CTKPTaskPanel::OnGroupItemsScrolled(CTKPTaskPanelGroup* pGroup)
{
    if (pGroup)
        pGroup->m_rcGroupCurrent = pGroup->m_rcGroupTarget;
    RepositionScrollButtons();
    for (int i = 0; pGroup && i < pGroup->GetItemCount(); ++i)
        pGroup->GetAt(i)->OnAnimate(0);
    if (GetSafeHwnd())
        Invalidate(FALSE);
}

void CTKPTaskPanel::UpdateScrollBar()
{
    if (m_bInUpdateScrollBar || GetSafeHwnd() == NULL)
        return;
    m_bInUpdateScrollBar = TRUE;
    const int nClientHeight = GetClientHeight();
    const BOOL bShow = nClientHeight < m_nContentHeight;
    if (bShow != m_bScrollVisible) {
        m_bScrollVisible = bShow;
        ShowScrollBar(SB_VERT, bShow);
    }
    if (bShow) {
        SCROLLINFO si = {};
        si.cbSize = sizeof(si);
        GetScrollInfo(SB_VERT, &si, SIF_ALL);
        if ((int)si.nPage != nClientHeight || si.nMin != 0 || si.nMax != m_nContentHeight - 1) {
            si.fMask = SIF_PAGE | SIF_RANGE;
            si.nPage = nClientHeight;
            si.nMin = 0;
            si.nMax = m_nContentHeight - 1;
            SetScrollInfo(SB_VERT, &si, TRUE);
            for (int i = 0; i < GetGroupCount(); ++i) {
                for (int j = 0; j < GetAt(i)->GetItemCount(); ++j)
                    GetAt(i)->GetAt(j)->OnAnimate(0);
            }
        }
        ::EnableScrollBar(m_hWnd, SB_VERT, ESB_ENABLE_BOTH);
    }
    m_bInUpdateScrollBar = FALSE;
}

void CTKPTaskPanel::SetScrollOffset(int nOffset)
{
    if (GetSafeHwnd() == NULL || !m_bScrollVisible)
        return;
    const int nLimit = max(0, m_nContentHeight - GetClientHeight());
    nOffset = max(0, min(nOffset, nLimit));
    if (nOffset == GetScrollOffset())
        return;
    SetScrollPos(SB_VERT, nOffset, TRUE);
    RepositionScrollButtons();
    for (int i = 0; i < GetGroupCount(); ++i) {
        for (int j = 0; j < GetAt(i)->GetItemCount(); ++j)
            GetAt(i)->GetAt(j)->OnAnimate(0);
    }
    Invalidate(FALSE);
}

void CTKPTaskPanel::RepositionScrollButtons()
{
    m_pScrollButtonUp->Clear();
    m_pScrollButtonDown->Clear();
    CTKPTaskPanelGroup* pGroup = m_pActiveGroup;
    if (m_nBehaviour == tkpTaskPanelBehaviourExplorer || pGroup == NULL || !pGroup->IsVisible() || m_pTheme == NULL)
        return;
    m_pScrollButtonUp->pGroupScroll = m_pScrollButtonDown->pGroupScroll = pGroup;
    const CRect& rcGroup = pGroup->GetCurrentRect();
    if (m_pTheme->IsScrollButtonsInCaptions()) {
        const int nSize = pGroup->GetCaptionHeight();
        m_pScrollButtonUp->rcButton.SetRect(rcGroup.right - nSize, rcGroup.top, rcGroup.right, rcGroup.top + nSize);
        m_pScrollButtonUp->pGroupCaption = pGroup;
        CTKPTaskPanelGroup* pNext = GetNextVisibleGroup(pGroup->GetIndex(), 1);
        if (pNext) {
            const CRect& rcNext = pNext->GetCurrentRect();
            const int nNextSize = pNext->GetCaptionHeight();
            m_pScrollButtonDown->rcButton.SetRect(rcNext.right - nNextSize, rcNext.top, rcNext.right,
                rcNext.top + nNextSize);
            m_pScrollButtonDown->pGroupCaption = pNext;
        } else {
            const int nBottom = max(GetClientHeight(), m_nContentHeight) - m_pTheme->GetControlMargins(this).bottom;
            m_pScrollButtonDown->rcButton.SetRect(rcGroup.right - nSize, nBottom - nSize, rcGroup.right, nBottom);
        }
    } else {
        const CRect rcClient = pGroup->GetClientRect();
        CRect rc = rcClient;
        rc.DeflateRect(4, 4);
        // No buttons in a client area under 20 pixels high: the down button would rise into the
        // group's caption and the up button reach below the group, taking the clicks of the captions.
        if (rc.bottom - 16 >= rcClient.top) {
            m_pScrollButtonUp->rcButton.SetRect(rc.right - 16, rc.top, rc.right, rc.top + 16);
            m_pScrollButtonDown->rcButton.SetRect(rc.right - 16, rc.bottom - 16, rc.right, rc.bottom);
        }
    }
    m_pScrollButtonUp->bEnabled = pGroup->CanScroll(TRUE);
    m_pScrollButtonDown->bEnabled = pGroup->CanScroll(FALSE);
}

// --- Painting -----------------------------------------------------------------------------------

BOOL CTKPTaskPanel::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CTKPTaskPanel::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    CTKPBufferedDC dcBuffer(dc.GetSafeHdc(), rc);
    const int nOffset = GetScrollOffset();
    dcBuffer.SetWindowOrg(0, nOffset);
    CRect rcClip = rc;
    rcClip.OffsetRect(0, nOffset);
    OnDraw(&dcBuffer, rcClip);
    dcBuffer.SetWindowOrg(0, 0);
}

void CTKPTaskPanel::OnDraw(CDC* pDC, CRect rcClip)
{
    if (m_pTheme == NULL)
        return;
    m_pTheme->FillTaskPanel(pDC, this);
    for (int i = 0; i < GetGroupCount(); ++i) {
        CTKPTaskPanelGroup* pGroup = GetAt(i);
        if (!pGroup->IsVisible())
            continue;
        CRect rcGroup = pGroup->GetCurrentRect();
        if (!rcClip.IsRectEmpty() && (rcGroup.bottom < rcClip.top || rcGroup.top > rcClip.bottom))
            continue;
        pGroup->OnDraw(pDC);
    }
    DrawScrollButtons(pDC);
}

void CTKPTaskPanel::DrawScrollButtons(CDC* pDC)
{
    m_pTheme->DrawScrollButton(pDC, m_pScrollButtonUp);
    m_pTheme->DrawScrollButton(pDC, m_pScrollButtonDown);
}

LRESULT CTKPTaskPanel::OnPrint(WPARAM wParam, LPARAM lParam)
{
    HDC hDC = (HDC)wParam;
    if (hDC == NULL)
        return 0;
    if (lParam & PRF_NONCLIENT)
        DefWindowProc(WM_PRINT, wParam, PRF_NONCLIENT);
    CDC* pDC = CDC::FromHandle(hDC);
    const int nOffset = GetScrollOffset();
    POINT ptOrigin;
    ::OffsetViewportOrgEx(hDC, 0, -nOffset, &ptOrigin);
    CRect rcClip;
    GetClientRect(&rcClip);
    rcClip.OffsetRect(0, nOffset);
    OnDraw(pDC, rcClip);
    ::SetViewportOrgEx(hDC, ptOrigin.x, ptOrigin.y, NULL);
    if (lParam & PRF_CHILDREN) {
        for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
            if (!::IsWindowVisible(hChild))
                continue;
            CRect rcChild;
            ::GetWindowRect(hChild, &rcChild);
            ScreenToClient(&rcChild);
            POINT ptSaved;
            ::OffsetViewportOrgEx(hDC, rcChild.left, rcChild.top, &ptSaved);
            ::SendMessage(hChild, WM_PRINT, wParam, lParam);
            ::SetViewportOrgEx(hDC, ptSaved.x, ptSaved.y, NULL);
        }
    }
    return 0;
}

// --- Window messages ----------------------------------------------------------------------------

BOOL CTKPTaskPanel::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (m_pToolTipManager)
        m_pToolTipManager->FilterWindowMessage(this, message, wParam, lParam);
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}

void CTKPTaskPanel::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    Reposition(m_nBehaviour == tkpTaskPanelBehaviourExplorer);
}

void CTKPTaskPanel::OnDestroy()
{
    m_pDropTarget->Revoke();
    if (m_nAnimateTimer)
        KillTimer(TIMER_ANIMATION);
    m_nAnimateTimer = 0;
    if (m_bHoverTimer)
        KillTimer(TIMER_HOVER_EXPAND);
    m_bHoverTimer = FALSE;
    CWnd::OnDestroy();
}

void CTKPTaskPanel::OnTimer(UINT_PTR nIDEvent)
{
    switch (nIDEvent) {
    case TIMER_ANIMATION: {
        const BOOL bMoving = AnimateGroups(m_nAnimationStep--);
        Invalidate(FALSE);
        if (!bMoving) {
            KillTimer(TIMER_ANIMATION);
            m_nAnimateTimer = 0;
        }
        break;
    }
    case TIMER_HOVER_EXPAND: {
        CTKPTaskPanelGroup* pGroup = DYNAMIC_DOWNCAST(CTKPTaskPanelGroup, m_pItemDragOver);
        if (m_bHoverTimer && pGroup && !IsGroupExpanded(pGroup))
            ExpandGroup(pGroup, TRUE);
        m_bHoverTimer = FALSE;
        KillTimer(TIMER_HOVER_EXPAND);
        break;
    }
    default:
        CWnd::OnTimer(nIDEvent);
        break;
    }
}

void CTKPTaskPanel::OnSysColorChange()
{
    CWnd::OnSysColorChange();
    if (m_pTheme)
        m_pTheme->RefreshMetrics();
    Reposition(TRUE);
}

void CTKPTaskPanel::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    CWnd::OnSettingChange(uFlags, lpszSection);
    if (m_nAnimationMode == tkpTaskAnimationSystem)
        SetAnimation(tkpTaskAnimationSystem);
    if (m_pTheme)
        m_pTheme->RefreshMetrics();
    Reposition(TRUE);
}

UINT CTKPTaskPanel::OnGetDlgCode()
{
    return DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS;
}

LRESULT CTKPTaskPanel::NotifyOwner(WPARAM wParam, LPARAM lParam)
{
    if (GetSafeHwnd() == NULL)
        return 0;
    HWND hOwner = m_hWndOwner ? m_hWndOwner : ::GetParent(m_hWnd);
    return hOwner ? ::SendMessage(hOwner, TKPWM_TASKPANEL_NOTIFY, wParam, lParam) : 0;
}

void CTKPTaskPanel::OnItemClick(CTKPTaskPanelItem* pItem)
{
    NotifyOwner(tkpTPN_Click, (LPARAM)pItem);
}

void CTKPTaskPanel::RenameItem(CTKPTaskPanelItem* pItem, LPCTSTR lpszCaption)
{
    if (pItem == NULL)
        return;
    if (NotifyOwner(tkpTPN_ItemRename, (LPARAM)pItem) == 0)
        pItem->SetCaption(lpszCaption);
}

void CTKPTaskPanel::ForgetItem(CTKPTaskPanelItem* pItem)
{
    if (pItem == NULL)
        return;
    if (m_pActiveGroup == pItem)
        ReleaseItem(m_pActiveGroup);
    if (m_pItemHot == pItem)
        ReleaseItem(m_pItemHot);
    if (m_pItemFocused == pItem)
        ReleaseItem(m_pItemFocused);
    // The pressed and drop-target items are forgotten too, where they pointed at a freed item.
    if (m_pItemPressed == pItem)
        m_pItemPressed = NULL;
    if (m_pItemDragOver == pItem)
        m_pItemDragOver = NULL;
}

void CTKPTaskPanel::DoPropExchange(CTKPPropExchange* pPX)
{
    m_pGroups->DoPropExchange(pPX);
}

// --- Groups opening and closing -----------------------------------------------------------------

void CTKPTaskPanel::ExpandGroup(CTKPTaskPanelGroup* pGroup, BOOL bExpanded)
{
    if (pGroup == NULL)
        return;
    if (m_nBehaviour == tkpTaskPanelBehaviourExplorer) {
        TKPTASKPANELGROUPEXPANDING expanding = {pGroup, bExpanded};
        if (NotifyOwner(tkpTPN_GroupExpanding, (LPARAM)&expanding) == -1)
            return;
        pGroup->m_bExpanded = bExpanded;
        pGroup->m_bExpanding = TRUE;
        Reposition(TRUE);
        return;
    }
    if (!bExpanded || pGroup == m_pActiveGroup)
        return;
    TKPTASKPANELGROUPEXPANDING expanding = {pGroup, TRUE};
    if (NotifyOwner(tkpTPN_GroupExpanding, (LPARAM)&expanding) == -1)
        return;
    if (m_pActiveGroup) {
        if (m_pActiveGroup->IsExpandable()) {
            m_pActiveGroup->m_bExpanded = FALSE;
            m_pActiveGroup->m_bExpanding = TRUE;
        }
        ReleaseItem(m_pActiveGroup);
    }
    m_pActiveGroup = pGroup;
    m_pActiveGroup->InternalAddRef();
    pGroup->m_bExpanded = TRUE;
    pGroup->m_bExpanding = TRUE;
    Reposition(TRUE);
}

BOOL CTKPTaskPanel::IsGroupExpanded(const CTKPTaskPanelGroup* pGroup) const
{
    if (pGroup == NULL)
        return FALSE;
    if (m_nBehaviour == tkpTaskPanelBehaviourExplorer)
        return pGroup->m_bExpanded;
    if (pGroup == m_pActiveGroup)
        return TRUE;
    if (!pGroup->m_bExpanded)
        return FALSE;
    return !pGroup->IsExpandable();
}
