#include "app/pages/WizardPage.h"

#include "app/WizardState.h"
#include "app/pages/InfoPane.h"
#include "app/trees/DeviceTreeCtrl.h"
#include "resource.h"

IMPLEMENT_DYNAMIC(CWizardPage, CView)

BEGIN_MESSAGE_MAP(CWizardPage, CView)
ON_WM_CREATE()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

const wchar_t CWizardPage::kPageProperty[] = L"MorvickPage";

CWizardPage::CWizardPage(int page) : m_nPage(page)
{
    m_pageFont.CreateFont(16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
}

BOOL CWizardPage::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CView::PreCreateWindow(cs))
        return FALSE;
    cs.style |= WS_CLIPCHILDREN;
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    return TRUE;
}

int CWizardPage::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    SetPropW(m_hWnd, kPageProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(m_nPage + 1)));
    return 0;
}

BOOL CWizardPage::OnEraseBkgnd(CDC*)
{
    return TRUE;
}  // OnDraw covers everything

void CWizardPage::OnDraw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    if (client.IsRectEmpty())
        return;
    // Drawn off screen first, so that the page does not flicker.
    CDC memory;
    memory.CreateCompatibleDC(pDC);
    CBitmap buffer;
    buffer.CreateCompatibleBitmap(pDC, client.Width(), client.Height());
    CBitmap* old = memory.SelectObject(&buffer);
    DrawPage(&memory, client);
    pDC->BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
}

void CWizardPage::DrawPage(CDC* dc, const CRect& client)
{
    DrawStretched(dc, BackgroundBitmap(), client);
    UINT left = 0, middle = 0, right = 0;
    HeaderBitmaps(left, middle, right);
    DrawHeaderBand(dc, client, left, middle, right);
    DrawContents(dc, client);
}

UINT CWizardPage::BackgroundBitmap() const
{
    return IDB_PAGE_BACKGROUND;
}

void CWizardPage::DrawContents(CDC* dc, const CRect& client)
{
    DrawModeText(dc, client);
}

void CWizardPage::DrawModeText(CDC* dc, const CRect& client)
{
    CFont* old = dc->SelectObject(&m_pageFont);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(RGB(0, 0, 0));
    CRect text = ModeTextRect(dc, client);
    dc->DrawText(g_strSelectedModeText, &text, DT_LEFT | DT_TOP | DT_NOPREFIX);
    dc->SelectObject(old);
}

CRect CWizardPage::ModeTextRect(CDC* dc, const CRect& client)
{
    // 225 x 40 at the bottom left, or as large as the summary needs in the font selected into dc.
    CRect needed(0, 0, 0, 0);
    dc->DrawText(g_strSelectedModeText, &needed, DT_CALCRECT | DT_LEFT | DT_TOP | DT_NOPREFIX);
    const int width = needed.Width() > 225 ? needed.Width() : 225;
    const int height = needed.Height() > 40 ? needed.Height() : 40;
    return CRect(client.left + 25, client.bottom - height, client.left + 25 + width, client.bottom);
}

CSize CWizardPage::BitmapSize(UINT bitmapId)
{
    CBitmap bitmap;
    if (bitmapId == 0 || !bitmap.LoadBitmap(bitmapId))
        return CSize(0, 0);
    BITMAP info = {};
    bitmap.GetBitmap(&info);
    return CSize(info.bmWidth, info.bmHeight);
}

void CWizardPage::DrawStretched(CDC* dc, UINT bitmapId, const CRect& rect)
{
    CBitmap bitmap;
    if (bitmapId == 0 || !bitmap.LoadBitmap(bitmapId)) {
        dc->FillSolidRect(&rect, RGB(0xF2, 0xF2, 0xF2));
        return;
    }
    BITMAP info = {};
    bitmap.GetBitmap(&info);
    CDC source;
    source.CreateCompatibleDC(dc);
    CBitmap* old = source.SelectObject(&bitmap);
    dc->SetStretchBltMode(COLORONCOLOR);
    dc->StretchBlt(rect.left, rect.top, rect.Width(), rect.Height(), &source, 0, 0, info.bmWidth, info.bmHeight,
        SRCCOPY);
    source.SelectObject(old);
}

void CWizardPage::DrawHeaderBand(CDC* dc, const CRect& client, UINT leftId, UINT middleId, UINT rightId)
{
    const CSize left = BitmapSize(leftId);
    const CSize right = BitmapSize(rightId);
    const CSize middle = BitmapSize(middleId);
    // The middle picture is a column one pixel wide, stretched whole: one row of it stretched
    // would draw the band flat, without the gradient and the line that its two ends have.
    DrawStretched(dc, middleId,
        CRect(client.left + left.cx, client.top, client.right - right.cx,
            client.top + (middle.cy > 0 ? middle.cy : kHeaderHeight)));
    if (leftId != 0)
        DrawStretched(dc, leftId, CRect(CPoint(client.left, client.top), left));
    if (rightId != 0)
        DrawStretched(dc, rightId, CRect(CPoint(client.right - right.cx, client.top), right));
}

BOOL CWizardPage::CreateToolButton(morvick::ui::CToolButton& button, UINT command, UINT normal, UINT hover, LPCWSTR tip)
{
    if (!button.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW | BS_PUSHBUTTON, CRect(0, 0, 74, 26), this, command))
        return FALSE;
    button.LoadHoverBitmaps(normal, hover);
    button.SetToolTipText(tip);
    return TRUE;
}

BOOL CWizardPage::CreateTreeAndPane(CDeviceTreeCtrl& tree, UINT treeId, CInfoPane* pane,
    morvick::ui::CPaneSplitter& splitter, int treeMinimum, int paneMinimum)
{
    if (!tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                TVS_SHOWSELALWAYS,
            CRect(0, 0, 600, 300), this, treeId))
        return FALSE;
    // The page is still empty here; the panes start in a rectangle of a usual size, so that the
    // splitter can give the tree its first width, and take the page's size when it is laid out.
    const CRect start(20, 20, 780, 580);
    if (!pane->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, start, this, AFX_IDW_PANE_FIRST + 1, nullptr))
        return FALSE;
    pane->OnInitialUpdate();
    if (!splitter.Create(WS_VISIBLE | WS_CLIPSIBLINGS | morvick::ui::CPaneSplitter::kVertical, this, &tree, pane,
            IDC_PAGE_SPLITTER, start, treeMinimum, paneMinimum))
        return FALSE;
    tree.Init();
    return TRUE;
}

void CWizardPage::PlaceButtonsAndSplitter(morvick::ui::CToolButton& main, morvick::ui::CToolButton& stop,
    morvick::ui::CToolButton& back, morvick::ui::CToolButton& home, morvick::ui::CPaneSplitter& splitter, int cx,
    int cy)
{
    if (main.GetSafeHwnd() == nullptr)
        return;
    main.MoveWindow(cx - 129, cy - 32, 74, 26);
    stop.MoveWindow(cx - 129, cy - 32, 74, 26);
    back.MoveWindow(cx - 213, cy - 32, 74, 26);
    home.MoveWindow(0, 0, 0, 0);
    // Below the header band: from the top, the tree and the pane would cover the band's pictures.
    splitter.MoveWindow(0, kHeaderHeight, cx, cy - kHeaderHeight - kBottomStrip);
    Invalidate(FALSE);
}

void CWizardPage::ShowEnabled(CWnd& window, BOOL show)
{
    if (window.GetSafeHwnd() == nullptr)
        return;
    window.EnableWindow(show);
    window.ShowWindow(show ? SW_SHOW : SW_HIDE);
}
