// CSnapshotLoadProgress: the progress dialog over a snapshot load, for as long as it lives. The
// engine's reading reports its records through it (it stands in as the engine's observer, passing
// messages on to the one before, with the dialog hidden first), and Window() is the window the result
// tree's building reports to. At its end the dialog shows 100 and goes, and the owner is enabled.
#pragma once

#include "app/dialogs/ProgressDialog.h"
#include "engine/ScanObserver.h"

class CSnapshotLoadProgress : public ScanObserver {
public:
    explicit CSnapshotLoadProgress(CWnd* over);
    ~CSnapshotLoadProgress() override;
    CSnapshotLoadProgress(const CSnapshotLoadProgress&) = delete;
    CSnapshotLoadProgress& operator=(const CSnapshotLoadProgress&) = delete;

    // The dialog's window; null when it could not be made.
    HWND Window() const { return m_dialog.GetSafeHwnd(); }

    void OnProgress(int percent) override;
    bool OnMessage(const std::u16string& text, MessageKind kind) override;

private:
    CProgressDialog m_dialog;
    ScanObserver* m_pPrevious = nullptr;
    int m_nShown = 0;  // the percentage shown
};

// Makes the preview's progress windows (the drawing view's) this program's progress dialog.
void InstallPreviewProgressDialog();
