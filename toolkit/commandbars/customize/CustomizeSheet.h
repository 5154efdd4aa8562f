// The customise sheet: the dialog in which the user changes a frame's command bars. Its pages are
// Commands (drag commands onto bars), Toolbars (show, hide, create, rename, delete, reset), Keyboard
// (shortcut keys) and Options (the bar options). While it is open the command bars are in
// customise mode: a control picked on a bar can be dragged, and a right click on it opens the
// customise context menu, whose commands this sheet carries out on the picked control.
#pragma once

#include "classlib/win/CPropertySheet.h"
#include "toolkit/commandbars/CommandBarsDefs.h"
#include "toolkit/commandbars/customize/CustomizeCommandsPage.h"
#include "toolkit/commandbars/customize/CustomizeKeyboardPage.h"
#include "toolkit/commandbars/customize/CustomizeOptionsPage.h"
#include "toolkit/commandbars/customize/CustomizeToolbarsPage.h"

class CTKPImageManager;
class CTKPPopupBar;

class CTKPCustomizeSheet : public CPropertySheet {
    DECLARE_DYNAMIC(CTKPCustomizeSheet)
public:
    explicit CTKPCustomizeSheet(CTKPCommandBars* pCommandBars, CWnd* pParent = NULL);
    ~CTKPCustomizeSheet() override;

    CTKPCommandBars* GetCommandBars() const { return m_pCommandBars; }
    CTKPCustomizeCommandsPage* GetCommandsPage() { return &m_pageCommands; }
    CTKPCustomizeToolbarsPage* GetToolbarsPage() { return &m_pageToolbars; }
    CTKPCustomizeKeyboardPage* GetKeyboardPage() { return &m_pageKeyboard; }
    CTKPCustomizeOptionsPage* GetOptionsPage() { return &m_pageOptions; }
    // The button images that "Change Button Image" offers (icon sets 1 to n).
    CTKPImageManager* GetImageManager() const { return m_pImageManager; }

    // Both switch the command bars into customise mode for as long as the sheet is open.
    INT_PTR DoModal() override;
    BOOL Create(CWnd* pParentWnd = NULL, DWORD dwStyle = (DWORD)-1, DWORD dwExStyle = 0) override;

    // The customise context menu for the picked control at a screen point.
    void ShowCustomizeMenu(CPoint ptScreen);
    // The popup bar of that menu (made on first use).
    CTKPCommandBar* GetCustomizeMenu();
    // The menu with its name entry showing the picked control's caption.
    CTKPCommandBar* PrepareCustomizeMenu();
    // Whether a context-menu command is enabled and checked for the picked control.
    void GetCommandState(UINT nID, BOOL& bEnabled, BOOL& bChecked);
    // Runs a context-menu command on the picked control; nothing without one.
    void ExecuteCommand(UINT nID);
    // The text of the name entry (Enter in it) becomes the picked control's caption.
    void SetSelectedCaption(LPCTSTR lpszCaption);
    // An image of the sheet's own set (1 to n) becomes the picked control's custom image.
    void ChangeButtonImage(int nImage);
    // Fills the image grid popup with one button per image of the sheet's set.
    void FillImagePopup(CTKPCommandBar* pPopup);
    // The picked control's image put into the image manager under a new custom id (kept by the
    // control when it had none, else replacing the image of its custom id). Used by the editor.
    void StoreEditedImage(CTKPControl* pControl, HBITMAP hAlphaBitmap, HICON hIcon);
    // Runs the button editor for the picked control (modal).
    virtual void EditButtonImage();

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    void BeginCustomize();
    void EndCustomize();
    // After a change: the control's bar lays out again when it is next idle, and repaints.
    void ControlChanged(CTKPControl* pControl);
    void CopyButtonImage(CTKPControl* pControl);
    void PasteButtonImage(CTKPControl* pControl);
    LRESULT OnControlNotify(WPARAM wParam, LPARAM lParam);

    CTKPCommandBars* m_pCommandBars;
    CTKPCommandBar* m_pCustomizeMenu;
    CTKPImageManager* m_pImageManager;
    BOOL m_bCustomizing;
    CTKPCustomizeCommandsPage m_pageCommands;
    CTKPCustomizeToolbarsPage m_pageToolbars;
    CTKPCustomizeKeyboardPage m_pageKeyboard;
    CTKPCustomizeOptionsPage m_pageOptions;
};
