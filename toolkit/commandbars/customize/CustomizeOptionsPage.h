// The Options page of the customise sheet: full menus, large icons, screen tips, menu animation and
// the reset of the recorded command usage, written to the bar options at once.
#pragma once

#include "classlib/win/CComboBox.h"
#include "classlib/win/CPropertyPage.h"
#include "classlib/win/CStatic.h"
#include "toolkit/commandbars/CommandBarsDefs.h"

class CTKPCustomizeSheet;

// A caption of the page: its text on the dialog's background and a separator line after it.
class CTKPCustomizeCaption : public CStatic {
public:
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};

class CTKPCustomizeOptionsPage : public CPropertyPage {
    DECLARE_DYNAMIC(CTKPCustomizeOptionsPage)
public:
    CTKPCustomizeOptionsPage();

    void SetSheet(CTKPCustomizeSheet* pSheet) { m_pSheet = pSheet; }

    BOOL m_bAlwaysShowFullMenus;
    BOOL m_bShowFullAfterDelay;
    BOOL m_bLargeIcons;
    BOOL m_bToolBarScreenTips;
    BOOL m_bToolBarAccelTips;
    int m_nAnimation;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // Enables the dependent check boxes.
    void UpdateControls();
    afx_msg void OnFullMenus();
    afx_msg void OnAfterDelay();
    afx_msg void OnLargeIcons();
    afx_msg void OnScreenTips();
    afx_msg void OnShortcuts();
    afx_msg void OnAnimation();
    afx_msg void OnResetUsage();

protected:
    CTKPCommandBars* GetCommandBars() const;
    CTKPCustomizeSheet* m_pSheet;
    CComboBox m_wndAnimation;
    CTKPCustomizeCaption m_wndCaptionPersonal;
    CTKPCustomizeCaption m_wndCaptionOther;

    DECLARE_MESSAGE_MAP()
};
