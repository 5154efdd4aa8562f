// The controls the menu bar adds for a maximized MDI child: its system-menu icon at the left end
// and the Minimize, Restore and Close glyph buttons at the right end.
#pragma once

#include "toolkit/commandbars/ControlButton.h"
#include "toolkit/commandbars/ControlPopup.h"
#include "toolkit/commandbars/PopupBar.h"

class CTKPMdiButton : public CTKPControlButton {
    DECLARE_DYNCREATE(CTKPMdiButton)
public:
    CTKPMdiButton();

    void OnExecute() override;
    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    // The system command the button posts to the active child.
    UINT GetSysCommand() const;
};

class CTKPMdiSystemMenuPopup : public CTKPControlPopup {
    DECLARE_DYNCREATE(CTKPMdiSystemMenuPopup)
public:
    CTKPMdiSystemMenuPopup();
    ~CTKPMdiSystemMenuPopup() override;

    // Takes the child's icon and fills the popup from the child's system menu.
    void SetMdiChild(HWND hWndChild, HMENU hSystemMenu);
    HMENU GetSystemMenu() const { return m_hSystemMenu; }
    HICON GetIcon() const { return m_hIcon; }

    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    void AdjustExcludeRect(CRect& rc) override;

protected:
    HICON m_hIcon;
    HMENU m_hSystemMenu;
};

// The popup of the system-menu control: its items keep the shortcut texts of the system menu.
class CTKPMdiSystemPopupBar : public CTKPPopupBar {
    DECLARE_DYNCREATE(CTKPMdiSystemPopupBar)
public:
    void UpdateShortcuts() override {}
};
