// CSaveDataDlg: "Saving the data please wait..." (dialog 215). It runs one save on a worker thread
// and shows the file being written, the number of files and the file's progress (taken from the
// worker every tenth of a second, not at every file). "Stop Saving" asks and then raises the save's
// stop flag, "Skip File" its skip flag; the worker stops at its next test of them and the dialog
// closes once the worker's thread has ended. The worker is held at a gate while a question is open,
// so it never writes meanwhile. Nothing ends a thread from outside.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/dialogs/SkinnedDialog.h"
#include "engine/ScanObserver.h"
#include "engine/save/FolderTreeSave.h"
#include "engine/save/SaveState.h"
#include "ui/controls/win/TextProgressCtrl.h"

class CResultIndex;

// What a save writes into the chosen folder (g_strSavePath).
enum class SaveMode {
    kSelectedTree,  // the tree's ticked items: the topmost ticked folders and the ticked files
    kAll,           // the whole browsed volume, as if the top item were ticked
    kFindHits,      // the ticked hits of the Find dialog, each file by itself
};

struct SaveJob {
    SaveMode mode = SaveMode::kSelectedTree;
    bool wholeVolume = false;  // kSelectedTree with the top item ticked
    SaveSelection selection;
    // kFindHits: the index the keys are looked up in, the hit list's row of each key and the number
    // of its rows (the bar moves on by rows).
    const CResultIndex* hitIndex = nullptr;
    std::vector<int> hitRows;
    int hitRowCount = 0;
};

// How a save ended.
struct SaveOutcome {
    bool ran = false;      // the save's worker ran to its end
    bool stopped = false;  // the user stopped it
    SaveReport report;
    uint32_t filesStarted = 0;  // files created (the "Total Files" count)

    // Ran and saved whole, nothing failed, damaged or skipped, and not stopped.
    bool Success() const;
};

class CSaveDataDlg : public CSkinnedDialog {
public:
    static const wchar_t kStopQuestion[];    // "Do you want to stop the saving process?"
    static const wchar_t kStopFirstText[];   // "Please Stop the Saving process first."
    static const wchar_t kSuccessText[];     // "Files Saved Successfully."
    static const wchar_t kNotStartedText[];  // the save could not start: nothing saved

    CSaveDataDlg(const SaveJob& job, CWnd* parent);
    ~CSaveDataDlg() override;

    const SaveOutcome& Outcome() const { return m_outcome; }

    // The message after a save that was not a full success (empty when there is nothing to say).
    static CString OutcomeText(const SaveOutcome& outcome);

    // Tests: how the stop question is asked (null: the message channel).
    using StopQuestion = std::function<bool()>;
    static void SetStopQuestion(StopQuestion ask);

    // The Stop and Skip buttons' work (the tests call them).
    void AskToStop();
    void SkipFile();

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;      // "&Stop Saving"
    void OnCancel() override;  // Escape: the save goes on
    afx_msg void OnSkip();
    afx_msg void OnClose();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg LRESULT OnSaveReport(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    static UINT AFX_CDECL SaveThreadProc(LPVOID parameter);
    void RunJob();
    void SaveHits();
    void Refresh();
    void FinishIfOver();
    // The gate the worker passes at each report: closed while a question is open.
    void CloseGate();
    void OpenGate();
    void PassGate() const;

    SaveJob m_job;
    SaveOutcome m_outcome;
    CWinThread* m_pThread = nullptr;
    ScanObserver* m_pPreviousObserver = nullptr;
    HANDLE m_gate = nullptr;  // manual reset; signalled while the worker may go on
    std::atomic<bool> m_bGateClosed{false};
    HANDLE m_stopped = nullptr;  // manual reset; signalled once the user has stopped the save
    bool m_bStopAsked = false;
    bool m_bQuestionOpen = false;
    bool m_bEnded = false;
    std::atomic<int> m_nHitsPercent{0};  // kFindHits: the rows done
    morvick::ui::CTextProgressCtrl m_bar;
    std::wstring m_shownPath;
    uint32_t m_shownCount = 0;

    friend class CSaveObserver;
};

// The save commands' common routine: asks for the target folder and, when one was chosen, runs the
// saving dialog and tells how it went ("Files Saved Successfully." only for a full success). False
// when no folder was chosen; the outcome is given when asked for.
bool RunSave(const SaveJob& job, CWnd* owner, SaveOutcome* outcome = nullptr);
// The same into the folder already chosen (g_strSavePath).
void RunSaveIntoChosenFolder(const SaveJob& job, CWnd* owner, SaveOutcome* outcome = nullptr);
