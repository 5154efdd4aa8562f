// CFindFilesDlg: "Find File(s)" (dialog 195). Searches the found files of the browsed file system
// by a name pattern ("*" and "?") on a worker thread, lists the hits with their folder, size, times
// and key in a result list (a click previews a hit in the results page's preview, F2 renames it,
// ticked hits are bold), and saves the ticked hits through the saving dialog. Stop asks, holding the
// search at a gate meanwhile, and then lets it end by itself; the dialog cannot be closed while it
// runs.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "app/dialogs/SkinnedDialog.h"
#include "app/lists/ResultListCtrl.h"
#include "ui/controls/win/ImageButton.h"

class CResultIndex;
class CResultTreeCtrl;

class CFindFilesDlg : public CSkinnedDialog {
public:
    static const wchar_t kStopQuestion[];
    static const wchar_t kNothingMarkedText[];
    static const wchar_t kNoResultsText[];

    // One hit, as the worker finds it.
    struct Hit {
        uint32_t key = 0;
        uint32_t parentKey = 0;
        std::u16string name;
        uint64_t size = 0;
        std::u16string created;
        std::u16string modified;
    };

    // `commands`: where a clicked hit is previewed (the results page), null for no preview.
    CFindFilesDlg(CResultTreeCtrl& tree, CWnd* parent, IResultCommands* commands = nullptr);
    ~CFindFilesDlg() override;

    // True while the Find dialog is open (the result list then shows no context menu).
    static bool IsOpen();

    // The search over the index of the tree (the worker runs it; the tests call it directly).
    static std::vector<Hit> Search(const CResultTreeCtrl& tree, const std::u16string& pattern);
    // The hit of a file when its name matches the upper-cased pattern (dates left out); the name is
    // in `hit` either way.
    static bool MatchHit(const CResultIndex& index, uint32_t key, const std::u16string& wanted, Hit& hit);

    // The buttons' work (the tests call these too).
    void StartSearch();
    void AskToStop();
    void ToggleSelectAll();
    void SaveSelected();
    bool IsSearching() const;
    CResultListCtrl& Hits() { return m_hits; }

    // Tests: how the stop question is asked (null: the message channel).
    using StopQuestion = bool (*)();
    static void SetStopQuestion(StopQuestion ask);
    // Tests: searches started from now on wait before their first file until a Stop question
    // has been answered.
    static void HoldNewSearchesForTests(bool hold);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;      // "&Start Search"
    void OnCancel() override;  // closes, unless a search runs
    afx_msg void OnStop();
    afx_msg void OnSelectAll();
    afx_msg void OnSave();
    afx_msg void OnClose();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnPaint();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    static UINT AFX_CDECL SearchThreadProc(LPVOID parameter);
    void Drain();
    void FinishIfOver();
    void ShowIdleControls();
    void ShowSearchingControls();
    void AddRows(const std::vector<Hit>& hits);

    CResultTreeCtrl& m_tree;
    IResultCommands* m_pCommands = nullptr;
    CResultListCtrl m_hits;
    CImageList m_systemImages;  // the shell's own list, attached while the dialog lives
    CEdit m_pattern;
    morvick::ui::CImageButton m_btnStart;
    morvick::ui::CImageButton m_btnSave;
    CWinThread* m_pThread = nullptr;
    HANDLE m_gate = nullptr;
    std::atomic<int> m_stop{0};
    std::atomic<bool> m_bWalkedAll{false};  // the search went through every file
    bool m_bQuestionOpen = false;
    std::u16string m_strPattern;
    std::mutex m_lock;
    std::vector<Hit> m_pending;
    std::u16string m_lastName;
    size_t m_nFound = 0;
    CBrush m_whiteBrush;
};
