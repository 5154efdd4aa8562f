// The toolkit's own tip window (tip style 2, and the base of the rich-text and office-style tips).
// It understands the tooltip messages the manager sends: tools are added, removed and updated,
// mouse messages are relayed, and a tool's tip appears after the initial delay, or at once when
// another tip was shown or hidden only just before.
#pragma once

#include "classlib/win/AfxWin.h"
#include "classlib/win/CFont.h"
#include "toolkit/commandbars/ToolTipRecord.h"

class CTKPToolTipManager;

class CTKPToolTipWindow : public CWnd {
public:
    struct Tool {
        Tool() : bCallback(FALSE), uFlags(0), hinst(NULL), hwnd(NULL), uId(static_cast<UINT_PTR>(-1))
        {
            ::SetRectEmpty(&rect);
        }
        BOOL IsNone() const { return hwnd == NULL && uId == static_cast<UINT_PTR>(-1); }
        BOOL IsSame(const Tool* pOther) const { return pOther != NULL && hwnd == pOther->hwnd && uId == pOther->uId; }
        void Clear() { *this = Tool(); }

        CString strText;
        BOOL bCallback;
        UINT uFlags;
        RECT rect;
        HINSTANCE hinst;
        HWND hwnd;
        UINT_PTR uId;
    };

    enum : UINT_PTR { timerPending = 1 };

    CTKPToolTipWindow();
    ~CTKPToolTipWindow() override;

    // Creates the window for pOwner with the manager's flags.
    BOOL CreateTipWindow(CTKPToolTipManager* pManager, CWnd* pOwner);

    BOOL AddTool(const TOOLINFO* pInfo);
    void DelTool(const TOOLINFO* pInfo);
    void Activate(BOOL bActive);
    BOOL IsActive() const { return m_bActive; }
    void RelayEvent(const MSG* pMsg);
    // The tool under the screen point, or null while a mouse button is down (bIgnoreButtons FALSE).
    Tool* HitTest(POINT ptScreen, BOOL bIgnoreButtons = FALSE);
    // Shows the tool's tip (null hides it).
    void ShowTip(Tool* pTool);
    // The pending tool's delay ran out: shows it when the cursor is still on it.
    void OnPendingTimer();

    int GetToolCount() const { return static_cast<int>(m_tools.GetSize()); }
    Tool* GetTool(int nIndex) const { return m_tools[nIndex]; }
    const Tool& GetCurrentTool() const { return m_current; }
    const Tool& GetPendingTool() const { return m_pending; }
    const Tool& GetClickedTool() const { return m_clicked; }
    const CString& GetTitle() const { return m_strTitle; }
    HWND GetTipOwner() const { return m_hOwner; }
    // The text the tip shows for the tool: a callback text is asked from the owner.
    CString GetToolText(Tool* pTool);

    virtual CSize CalcTipSize(Tool* pTool);
    virtual void DrawTip(CDC* pDC, Tool* pTool, CRect rect);
    virtual void DrawBackground(CDC* pDC, Tool* pTool, CRect rect);

    UINT m_nInitialDelay;  // 500 ms
    UINT m_nReshowDelay;   // 200 ms

    // Test switches: the clock the delays are measured with, and whether the mouse hook may be set.
    typedef DWORD (*TickSource)();
    static void SetTickSource(TickSource pfn);
    static void EnableMouseHook(BOOL bEnable);
    static BOOL IsMouseHookInstalled();

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnAddTool(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnActivateMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDelTool(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnRelayEvent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetTitle(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnUpdateTipText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWindowFromPoint(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    Tool* FindTool(HWND hwnd, UINT_PTR uId) const;
    // Where the tip of the given size goes for the cursor: below it, kept inside the work area.
    CPoint CalcTipPosition(CPoint ptCursor, CSize size) const;
    void InstallMouseHook();
    void RemoveMouseHook();
    static LRESULT CALLBACK MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    static DWORD Now();

    CArray<Tool*, Tool*> m_tools;
    BOOL m_bActive;
    CTKPToolTipManager* m_pManager;
    Tool m_current;
    Tool m_clicked;
    Tool m_pending;
    CFont m_font;
    UINT_PTR m_nTimer;
    DWORD m_dwLastChange;
    CString m_strTitle;
    HWND m_hOwner;
};

// The window under a screen point as the tips see it: a child window that answers message
// 0x2A48 with 1 stands for its parent.
HWND TKPToolTipWindowFromPoint(POINT pt);

// Message a child window answers with 1 when the tips should treat it as part of its parent.
const UINT WM_TKP_TOOLTIPTRANSPARENT = 0x2A48;
