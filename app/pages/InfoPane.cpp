#include "app/pages/InfoPane.h"

#include "app/Ex_StyleApp.h"
#include "app/MainFrame.h"
#include "app/WizardState.h"
#include "app/pages/PaneControls.h"
#include "resource.h"

IMPLEMENT_DYNAMIC(CInfoPane, CView)

BEGIN_MESSAGE_MAP(CInfoPane, CView)
ON_WM_ERASEBKGND()
ON_WM_MOUSEACTIVATE()
ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CInfoPane::CInfoPane(int page) : m_nPage(page)
{
    wizard::MakeArialFont(m_labelFont, 16, FW_NORMAL);
    wizard::MakeArialFont(m_valueFont, 16, FW_NORMAL);
    m_whiteBrush.CreateSolidBrush(wizard::kPaneBackground);
}

BOOL CInfoPane::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CView::PreCreateWindow(cs))
        return FALSE;
    // The pane paints under its group boxes too, which draw only their frames.
    cs.style &= ~WS_CLIPCHILDREN;
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    return TRUE;
}

void CInfoPane::CreateRowsAndProgress(const wchar_t* const labels[kRows], CFont* barFont)
{
    for (int row = 0; row < kRows; ++row) {
        wizard::MakeLabel(m_labels[row], labels[row], IDC_ROW_LABEL_1 + row, this, &m_labelFont);
        wizard::MakeLabel(m_values[row], L"", IDC_ROW_VALUE_1 + row, this, &m_valueFont);
    }
    wizard::MakeProgressBar(m_progress, IDC_PANE_PROGRESS, this, barFont, RGB(0xF2, 0xF2, 0xF2));
    wizard::MakeLabel(m_status, L"", IDC_PANE_STATUS, this, &m_labelFont);
    HideProgressBar();
    HideStatusLine();
}

void CInfoPane::SetRowLabels(const wchar_t* const labels[kRows])
{
    for (int row = 0; row < kRows; ++row)
        m_labels[row].SetWindowText(labels[row]);
}

void CInfoPane::ClearRowValues()
{
    for (CStatic& value : m_values)
        value.SetWindowText(L"");
}

void CInfoPane::PlaceRows(int x, int top, int width, int labelWidth, int rowHeight)
{
    for (int row = 0; row < kRows; ++row) {
        const int y = top + row * rowHeight;
        wizard::Place(m_labels[row], x, y, labelWidth, rowHeight - 4);
        wizard::Place(m_values[row], x + labelWidth + 4, y, width - labelWidth - 4, rowHeight - 4);
    }
}

void CInfoPane::Relayout()
{
    CRect client;
    GetClientRect(&client);
    if (!client.IsRectEmpty())
        SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.Width(), client.Height()));
}

int CInfoPane::RowLabelWidth(std::initializer_list<const wchar_t* const*> labelSets, int minimum)
{
    int widest = minimum;
    for (const wchar_t* const* labels : labelSets) {
        for (int row = 0; row < kRows; ++row) {
            // A little room after the colon, as the fixed widths had.
            const int width = wizard::TextExtent(*this, &m_labelFont, labels[row]).cx + 4;
            if (width > widest)
                widest = width;
        }
    }
    return widest;
}

void CInfoPane::PlaceProgress(int x, int width, int bottom, int barHeight)
{
    wizard::Place(m_status, x, bottom - barHeight - 26, width, 20);
    wizard::Place(m_progress, x, bottom - barHeight, width, barHeight);
}

CString CInfoPane::RowLabel(int row) const
{
    return row >= 0 && row < kRows ? wizard::WindowText(m_labels[row]) : CString();
}

CString CInfoPane::RowValue(int row) const
{
    return row >= 0 && row < kRows ? wizard::WindowText(m_values[row]) : CString();
}

// The texts are set only when they change: a scan hands its counters on many times a second, and each
// text set is a repaint (under Wine, a call into its server as well).
void CInfoPane::SetRowValue(int row, const CString& text)
{
    if (row >= 0 && row < kRows && m_values[row].GetSafeHwnd() != nullptr && wizard::WindowText(m_values[row]) != text)
        m_values[row].SetWindowText(text);
}

void CInfoPane::EmptyRow(int row)
{
    if (row < 0 || row >= kRows || m_labels[row].GetSafeHwnd() == nullptr)
        return;
    m_labels[row].SetWindowText(L"");
    m_values[row].SetWindowText(L"");
}

void CInfoPane::SetProgressPos(int position)
{
    if (m_progress.GetSafeHwnd() != nullptr && m_progress.GetPos() != position)
        m_progress.SetPos(position);
}

void CInfoPane::SetStatusText(const CString& text)
{
    if (m_status.GetSafeHwnd() != nullptr && wizard::WindowText(m_status) != text)
        m_status.SetWindowText(text);
}

void CInfoPane::ShowProgressBar()
{
    wizard::ShowEnabled(m_progress, TRUE);
}

void CInfoPane::HideProgressBar()
{
    wizard::ShowEnabled(m_progress, FALSE);
}

void CInfoPane::ShowStatusLine()
{
    wizard::ShowEnabled(m_status, TRUE);
}

void CInfoPane::HideStatusLine()
{
    wizard::ShowEnabled(m_status, FALSE);
}

BOOL CInfoPane::OnEraseBkgnd(CDC*)
{
    return TRUE;  // OnDraw paints the whole pane
}

void CInfoPane::OnDraw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, wizard::kPaneBackground);
}

void CInfoPane::ActivatePage()
{
    CMainFrame* frame = WizardFrame();
    CEx_StyleApp* app = WizardApp();
    if (frame == nullptr || app == nullptr)
        return;
    if (CView* page = app->GetPage(m_nPage))
        frame->SetActiveView(page);
}

int CInfoPane::OnMouseActivate(CWnd*, UINT, UINT)
{
    ActivatePage();
    return MA_ACTIVATE;
}

void CInfoPane::OnLButtonDown(UINT nFlags, CPoint point)
{
    ActivatePage();
    CView::OnLButtonDown(nFlags, point);
}
