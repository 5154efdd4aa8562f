#include "app/dialogs/SkinnedDialog.h"

#include "ui/msgbox/win/BitmapRegion.h"

IMPLEMENT_DYNAMIC(CSkinnedDialog, CDialog)

BEGIN_MESSAGE_MAP(CSkinnedDialog, CDialog)
ON_WM_ERASEBKGND()
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CSkinnedDialog::CSkinnedDialog(UINT templateId, UINT bitmapId, CWnd* parent) : CDialog(templateId, parent)
{
    if (m_background.LoadBitmap(bitmapId)) {
        if (HRGN shape = morvick::ui::CreateRegionFromBitmap(Background(), kKeyColour, 0))
            m_region.Attach(shape);
    }
    m_whiteBrush.CreateSolidBrush(RGB(255, 255, 255));
}

BOOL CSkinnedDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (Region() != nullptr) {
        // The skin draws the dialog's title and frame: the window keeps its title text (by which it is
        // found) but no caption bar, so that the skin's region lies over the client area exactly.
        ModifyStyle(WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, 0, SWP_FRAMECHANGED);
        ModifyStyleEx(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
        // The window takes the region it is given; the dialog keeps its own.
        HRGN shape = CreateRectRgn(0, 0, 0, 0);
        if (shape != nullptr &&
            (CombineRgn(shape, Region(), nullptr, RGN_COPY) == ERROR || !::SetWindowRgn(m_hWnd, shape, FALSE)))
            DeleteObject(shape);
    }
    return TRUE;
}

BOOL CSkinnedDialog::OnEraseBkgnd(CDC* pDC)
{
    BITMAP info = {};
    if (Background() == nullptr || !GetObjectW(Background(), sizeof(info), &info))
        return CDialog::OnEraseBkgnd(pDC);
    CDC memory;
    if (!memory.CreateCompatibleDC(pDC))
        return CDialog::OnEraseBkgnd(pDC);
    CBitmap* old = memory.SelectObject(&m_background);
    pDC->BitBlt(0, 0, info.bmWidth, info.bmHeight, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
    return TRUE;
}

HBRUSH CSkinnedDialog::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (nCtlColor == CTLCOLOR_STATIC || nCtlColor == CTLCOLOR_BTN) {
        pDC->SetBkMode(TRANSPARENT);
        // The others keep the skin's white under their texts too, not the system's grey boxes.
        pDC->SetTextColor(m_bCaptionColour ? kTextColour : GetSysColor(COLOR_WINDOWTEXT));
        pDC->SetBkColor(RGB(255, 255, 255));
        return static_cast<HBRUSH>(m_whiteBrush.GetSafeHandle());
    }
    return static_cast<HBRUSH>(GetSysColorBrush(COLOR_WINDOW));
}
