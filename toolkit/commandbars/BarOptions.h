// The user-level options of one command-bars manager: full or short menus, tooltips, icon sizes,
// popup animation, keyboard cues, the hidden and used command sets. Saved and loaded through the
// settings exchange: in the registry section "<profile>-Options" or in an archive.
#pragma once

#include "classlib/core/CMap.h"
#include "toolkit/commandbars/CommandBarsDefs.h"

typedef CMap<UINT, UINT, BOOL, BOOL> CTKPCommandsMap;

class CTKPBarOptions : public CCmdTarget {
    DECLARE_DYNAMIC(CTKPBarOptions)
public:
    CTKPBarOptions();
    ~CTKPBarOptions() override;

    // Reads (when loading) or writes the options. With bUserOptionsOnly only the first ones, up to
    // Animation, take part (the registry section holds those).
    void DoPropExchange(CTKPPropExchange* pPX, BOOL bUserOptionsOnly = FALSE);
    void Serialize(CArchive& ar) override;
    // 0 cues always shown, 1 never, 2 as the system says (shown after Alt when it hides them).
    void ShowKeyboardCues(int nMode);

    BOOL bAlwaysShowFullMenus;
    BOOL bShowFullAfterDelay;
    BOOL bToolBarScreenTips;
    BOOL bToolBarAccelTips;
    BOOL bLargeIcons;
    BOOL bSyncFloatingBars;
    BOOL bShowExpandButtonAlways;
    BOOL bDblClickFloat;
    BOOL bShowTextBelowIcons;
    BOOL bAltDragCustomization;
    BOOL bAutoHideUnusedPopups;
    BOOL bDirty;  // changed since the layout was last saved or loaded
    BOOL bShowPopupBarToolTips;
    int animationType;
    int keyboardCuesUse;  // bit 0: mnemonics search all visible bars; 2: no mnemonic search
    CSize szIcons;
    CSize szLargeIcons;
    CSize szPopupIcons;
    CTKPCommandsMap m_mapHiddenCommands;
    CTKPCommandsMap m_mapUsedCommands;
    CTKPCommandBars* m_pCommandBars;
    int keyboardCuesShow;
    // Without persistence: menus take their shortcut texts from the key bindings; menu items show
    // their prompts in the status bar.
    BOOL bShowShortcutsInMenus;
    BOOL bShowStatusPrompts;
};

// One command map: as one serialised object when the exchange stores binary values, else as a
// section of "Count" and "Item%i" values. An empty map is not stored (and an old value is removed)
// where the exchange omits defaults.
void ExchangeCommandMap(CTKPPropExchange* pPX, LPCTSTR lpszName, CTKPCommandsMap& map);
// An icon size: a stored one that is not between 1 x 1 and 256 x 256 is refused and the default
// taken instead, so that a damaged store cannot give a bar (or the button editor) empty icons.
void ExchangeIconSize(CTKPPropExchange* pPX, LPCTSTR lpszName, CSize& size, const CSize& szDefault);
