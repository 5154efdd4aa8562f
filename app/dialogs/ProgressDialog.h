// CProgressDialog: the modeless progress window (dialog 226) of long jobs that run on the user-
// interface thread (building the result lists, loading a snapshot). While it is shown its owner is
// disabled; each position update first dispatches the thread's pending messages, so the window stays
// responsive although the job runs on the same thread.
#pragma once

#include "app/dialogs/SkinnedDialog.h"

class CProgressDialog : public CSkinnedDialog {
public:
    // The message that sets the position from another window (WPARAM: the position).
    static constexpr UINT kSetPositionMessage = WM_USER + 1;

    // The caption's string id; 0 for "Progress..." (61465).
    explicit CProgressDialog(UINT captionId = 0);
    ~CProgressDialog() override;

    // Disables the parent's owner (when it was enabled) and creates the window. FALSE on failure,
    // with the owner enabled again.
    BOOL Create(CWnd* parent);
    BOOL DestroyWindow() override;

    void SetRange(int lower, int upper);
    // Dispatches what is pending, then moves the bar and the percentage; returns the old position.
    int SetPos(int position);
    BOOL CheckCancelButton() const { return m_bCancel; }

    // The percentage text of a position in a range: (position - lower) x 100 / (upper - lower), taken
    // modulo 100 unless it is exactly 100, followed by "%". An empty range shows "0%".
    static CString PercentText(int position, int lower, int upper);

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override;
    afx_msg LRESULT OnSetPositionMessage(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void UpdatePercent();

    CStatic m_percent;
    CProgressCtrl m_bar;
    UINT m_nCaptionId;
    int m_nLower = 0;
    int m_nUpper = 100;
    int m_nStep = 10;
    int m_nPosition = 0;
    BOOL m_bCancel = FALSE;
    HWND m_hOwner = nullptr;
    BOOL m_bOwnerDisabled = FALSE;
    CString m_strPercent = L" 0 %";
};
