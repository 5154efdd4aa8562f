#include "app/dialogs/SnapshotLoadProgress.h"

#include "preview/win/host/PreviewProgress.h"

CSnapshotLoadProgress::CSnapshotLoadProgress(CWnd* over)
{
    if (m_dialog.Create(over)) {
        m_dialog.SetRange(0, 100);
        m_dialog.ShowWindow(SW_SHOW);
        m_dialog.SetPos(0);
    }
    m_pPrevious = SetScanObserver(this);
}

CSnapshotLoadProgress::~CSnapshotLoadProgress()
{
    SetScanObserver(m_pPrevious);
    if (m_dialog.GetSafeHwnd() != nullptr) {
        m_dialog.SetPos(100);
        m_dialog.DestroyWindow();
    }
}

void CSnapshotLoadProgress::OnProgress(int percent)
{
    // Each record reports; the dialog moves (and lets the window breathe) when the percentage does.
    if (m_dialog.GetSafeHwnd() == nullptr || percent == m_nShown)
        return;
    m_nShown = percent;
    m_dialog.SetPos(percent);
}

bool CSnapshotLoadProgress::OnMessage(const std::u16string& text, MessageKind kind)
{
    if (m_dialog.GetSafeHwnd() != nullptr)
        m_dialog.ShowWindow(SW_HIDE);
    return m_pPrevious != nullptr && m_pPrevious->OnMessage(text, kind);
}

namespace {

// The preview's progress window as this program's dialog.
class CPreviewProgressDialog : public CPreviewProgress {
public:
    BOOL Create(CWnd* pParent) override { return m_dialog.Create(pParent); }
    void SetRange(int nLower, int nUpper) override { m_dialog.SetRange(nLower, nUpper); }
    void Show() override
    {
        m_dialog.ShowWindow(SW_SHOW);
        m_dialog.UpdateWindow();
    }
    HWND GetSafeHwnd() const override { return m_dialog.GetSafeHwnd(); }
    BOOL DestroyWindow() override { return m_dialog.GetSafeHwnd() != nullptr && m_dialog.DestroyWindow(); }

private:
    CProgressDialog m_dialog;
};

CPreviewProgress* MakePreviewProgressDialog()
{
    return new CPreviewProgressDialog;
}

}  // namespace

void InstallPreviewProgressDialog()
{
    SetPreviewProgressFactory(&MakePreviewProgressDialog);
}
