#include "app/dialogs/ProgressDialog.h"

#include "resource.h"

BEGIN_MESSAGE_MAP(CProgressDialog, CSkinnedDialog)
ON_MESSAGE(kSetPositionMessage, OnSetPositionMessage)
END_MESSAGE_MAP()

CProgressDialog::CProgressDialog(UINT captionId)
    : CSkinnedDialog(IDD_PROGRESS, IDB_MESSAGE_BACKGROUND, nullptr),
      m_nCaptionId(captionId != 0 ? captionId : IDS_PROGRESS_CAPTION)
{}

CProgressDialog::~CProgressDialog()
{
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

BOOL CProgressDialog::Create(CWnd* parent)
{
    CWnd* owner = GetSafeOwner(parent);
    m_hOwner = owner != nullptr ? owner->GetSafeHwnd() : nullptr;
    if (m_hOwner != nullptr && ::IsWindowEnabled(m_hOwner)) {
        ::EnableWindow(m_hOwner, FALSE);
        m_bOwnerDisabled = TRUE;
    }
    if (!CSkinnedDialog::Create(IDD_PROGRESS, owner)) {
        if (m_bOwnerDisabled)
            ::EnableWindow(m_hOwner, TRUE);
        m_bOwnerDisabled = FALSE;
        return FALSE;
    }
    return TRUE;
}

BOOL CProgressDialog::DestroyWindow()
{
    if (m_bOwnerDisabled && m_hOwner != nullptr)
        ::EnableWindow(m_hOwner, TRUE);
    m_bOwnerDisabled = FALSE;
    return CSkinnedDialog::DestroyWindow();
}

BOOL CProgressDialog::OnInitDialog()
{
    CSkinnedDialog::OnInitDialog();
    m_percent.SubclassDlgItem(IDC_PROGRESS_PERCENT, this);
    m_bar.SubclassDlgItem(IDC_PROGRESS_BAR, this);
    m_bar.SetRange32(m_nLower, m_nUpper);
    m_bar.SetStep(m_nStep);
    m_bar.SetPos(m_nPosition);
    CString caption;
    if (caption.LoadString(m_nCaptionId))
        SetWindowText(caption);
    return TRUE;
}

void CProgressDialog::OnCancel()
{
    m_bCancel = TRUE;
}

void CProgressDialog::SetRange(int lower, int upper)
{
    m_nLower = lower;
    m_nUpper = upper;
    if (m_bar.GetSafeHwnd() != nullptr)
        m_bar.SendMessage(PBM_SETRANGE, 0, MAKELPARAM(lower, upper));
}

int CProgressDialog::SetPos(int position)
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Put back for the program's own loop: swallowed here, the program would never end.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (GetSafeHwnd() == nullptr || !IsDialogMessageW(m_hWnd, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    const int old = m_nPosition;
    m_nPosition = position;
    if (m_bar.GetSafeHwnd() != nullptr)
        m_bar.SetPos(position);
    UpdatePercent();
    return old;
}

LRESULT CProgressDialog::OnSetPositionMessage(WPARAM wParam, LPARAM)
{
    return SetPos(static_cast<int>(wParam));
}

CString CProgressDialog::PercentText(int position, int lower, int upper)
{
    int percent = 0;
    if (upper != lower) {
        const long long value =
            (static_cast<long long>(position) - lower) * 100 / (static_cast<long long>(upper) - lower);
        percent = static_cast<int>(value == 100 ? 100 : value % 100);
    }
    CString text;
    text.Format(L"%d%c", percent, L'%');
    return text;
}

void CProgressDialog::UpdatePercent()
{
    const CString text = PercentText(m_nPosition, m_nLower, m_nUpper);
    if (text == m_strPercent)
        return;
    m_strPercent = text;
    if (m_percent.GetSafeHwnd() != nullptr)
        m_percent.SetWindowText(text);
}
