#include "preview/win/host/PreviewProgress.h"

namespace {

PreviewProgressFactory g_factory = NULL;

const wchar_t kWindowClass[] = L"MorvickPreviewProgress";

// A small captioned window over the viewer with one progress bar.
class CPlainProgress : public CPreviewProgress {
public:
    ~CPlainProgress() override { DestroyWindow(); }

    BOOL Create(CWnd* pParent) override
    {
        static ATOM atom = 0;
        if (atom == 0) {
            WNDCLASSW wc = {};
            wc.lpfnWndProc = ::DefWindowProcW;
            wc.hInstance = ::GetModuleHandleW(NULL);
            wc.hCursor = ::LoadCursorW(NULL, IDC_WAIT);
            wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
            wc.lpszClassName = kWindowClass;
            atom = ::RegisterClassW(&wc);
        }
        m_parent = pParent != NULL ? pParent->GetSafeHwnd() : NULL;
        RECT at = {0, 0, 320, 90};
        if (m_parent != NULL) {
            RECT parent;
            ::GetWindowRect(m_parent, &parent);
            ::OffsetRect(&at, (parent.left + parent.right - 320) / 2, (parent.top + parent.bottom - 90) / 2);
        }
        m_window = ::CreateWindowExW(WS_EX_TOOLWINDOW, kWindowClass, L"Progress", WS_POPUP | WS_CAPTION | WS_BORDER,
            at.left, at.top, 320, 90, m_parent, NULL, ::GetModuleHandleW(NULL), NULL);
        if (m_window == NULL)
            return FALSE;
        m_bar = ::CreateWindowExW(0, PROGRESS_CLASSW, NULL, WS_CHILD | WS_VISIBLE, 12, 16, 290, 18, m_window, NULL,
            ::GetModuleHandleW(NULL), NULL);
        if (m_parent != NULL)
            ::EnableWindow(m_parent, FALSE);
        return TRUE;
    }
    void SetRange(int nLower, int nUpper) override
    {
        if (m_bar != NULL)
            ::SendMessageW(m_bar, PBM_SETRANGE32, nLower, nUpper);
    }
    void Show() override
    {
        if (m_window != NULL) {
            ::ShowWindow(m_window, SW_SHOWNOACTIVATE);
            ::UpdateWindow(m_window);
        }
    }
    HWND GetSafeHwnd() const override { return m_window; }
    BOOL DestroyWindow() override
    {
        if (m_parent != NULL) {
            ::EnableWindow(m_parent, TRUE);
            m_parent = NULL;
        }
        if (m_window == NULL)
            return FALSE;
        BOOL done = ::DestroyWindow(m_window);
        m_window = m_bar = NULL;
        return done;
    }

private:
    HWND m_parent = NULL;
    HWND m_window = NULL;
    HWND m_bar = NULL;
};

}  // namespace

void SetPreviewProgressFactory(PreviewProgressFactory factory)
{
    g_factory = factory;
}

CPreviewProgress* CreatePreviewProgress()
{
    if (g_factory != NULL)
        return g_factory();
    return new CPlainProgress;
}
