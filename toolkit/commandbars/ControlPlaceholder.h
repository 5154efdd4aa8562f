// What the expanding placeholders of menus (window list, toolbar list, OLE verbs, recent files,
// tab-group actions) share: before each layout of their bar they take away the temporary buttons of
// the previous expansion, show themselves in customisation, and otherwise hide and put their
// buttons right after themselves.
#pragma once

#include "toolkit/commandbars/ControlButton.h"

#include <functional>

// Hide flag of a placeholder that stands in for the buttons it expanded into.
const DWORD TKP_HIDE_EXPANDED = 0x01;

// The placeholder's steps, for the classes that derive from it.
class CTKPControlPlaceholder : public CTKPControlButton {
    DECLARE_DYNAMIC(CTKPControlPlaceholder)
public:
    // Removes the temporary controls right after the placeholder for which bIsMine holds, up to
    // the first that is not one of them.
    void RemoveExpansion(const std::function<BOOL(CTKPControl*)>& bIsMine);
    // In customisation the placeholder shows itself and nothing is added: TRUE then.
    BOOL ShowInCustomizeMode();
    // A temporary button (type 1) at nPosition with the id and caption, control flag 8, the group
    // start when asked; null without a collection.
    CTKPControl* AddExpansionButton(int nPosition, int nId, LPCTSTR lpszCaption, BOOL bBeginGroup,
        LPCTSTR lpszParameter = NULL);
    // The placeholder steps aside for its buttons.
    void HideForExpansion() { SetHideFlags(GetHideFlags() | TKP_HIDE_EXPANDED); }
    // With nothing to list the placeholder stands in its own place again.
    void ShowUnexpanded() { SetHideFlags(GetHideFlags() & ~TKP_HIDE_EXPANDED); }
};

// "&1 name" for 1 to 9, "1&0 name" for 10, "11 name" above, the name alone for 0; the text's
// ampersands are doubled first so that they show as written.
CString FormatWindowListCaption(const CString& strText, int nNumber);
// The same numbering of a text whose ampersands are already doubled.
CString NumberMenuCaption(const CString& strText, int nNumber);
