// Tooltips of the toolkit's windows. An owner window passes its mouse messages through
// FilterWindowMessage and answers hit tests in its OnToolHitTest (filling the record with
// FillToolInfo); the manager keeps one tip window for the owner and drives it with the messages a
// platform tooltip control understands. Styles: 0 the platform's tooltip, 1 its balloon, 2 the
// toolkit's plain tip, 3 a rich-text tip, 4 an office-style tip.
#pragma once

#include "classlib/win/AfxWin.h"
#include "toolkit/commandbars/ToolTipRecord.h"

class CTKPToolTipManager : public CCmdTarget {
public:
    enum TipStyle { styleStandard = 0, styleBalloon = 1, stylePlain = 2, styleRichText = 3, styleOffice = 4 };
    // Flags beyond the platform's TTS_ bits.
    enum : DWORD {
        tipLightBorder = 0x1000,  // the plain tip's top and left border in the face colour
        tipNoShadow = 0x2000,     // no drop shadow under the toolkit's tips
    };

    CTKPToolTipManager();
    ~CTKPToolTipManager() override;

    // Builds the message of the owner's window with the cursor position and filters it.
    void FilterWindowMessage(CWnd* pOwner, UINT message, WPARAM wParam, LPARAM lParam);
    // bFromOwner FALSE: the message's window must lie inside the owner.
    void FilterToolTipMessage(CWnd* pOwner, MSG* pMsg, BOOL bFromOwner);

    int GetMaxTipWidth() const { return m_nMaxTipWidth; }
    void SetMaxTipWidth(int nWidth) { m_nMaxTipWidth = nWidth; }
    DWORD GetTipFlags() const { return m_dwTipFlags; }
    // New flags := (flags | add) without remove; a change destroys the live tip so that the next
    // mouse message makes one with the new flags. Returns the new flags.
    DWORD ModifyTipFlags(DWORD dwRemove, DWORD dwAdd);
    DWORD ModifyStyle(DWORD dwRemove, DWORD dwAdd) { return ModifyTipFlags(dwRemove, dwAdd); }
    void HideTip();

    int GetTipStyle() const { return m_nTipStyle; }
    // Takes effect with the next tip window.
    void SetTipStyle(int nStyle);
    void SetExtendedToolInfo(BOOL bExtended) { m_bExtendedToolInfo = bExtended; }
    BOOL IsExtendedToolInfo() const { return m_bExtendedToolInfo; }
    void SetMargins(const RECT& rcMargins) { m_rcMargins = rcMargins; }
    const RECT& GetMargins() const { return m_rcMargins; }
    void SetDelayTimes(int nInitial, int nReshow, int nAutoPop);
    void SetTitleIcon(int nIcon) { m_nTitleIcon = nIcon; }

    // The stored colour, or the colour manager's info colours when none is set (-1).
    COLORREF GetBackColor() const;
    COLORREF GetTextColor() const;
    void SetColors(COLORREF clrBack, COLORREF clrText);

    DWORD GetComCtlVersion() const { return m_dwComCtlVersion; }
    void SetComCtlVersion(DWORD dwVersion) { m_dwComCtlVersion = dwVersion; }
    // The tip window now in use (null before the first mouse message or after a flag change).
    CWnd* GetToolTip() const { return m_pToolTip; }

    // A new tip window of the manager's style for pOwner (deleted by the manager).
    virtual CWnd* CreateToolTip(CWnd* pOwner);

protected:
    void DestroyToolTip();
    void RelayToTip(MSG* pMsg);
    static BOOL IsInsideOwner(CWnd* pOwner, HWND hWnd);

    BOOL m_bExtendedToolInfo;
    int m_nTipStyle;
    DWORD m_dwComCtlVersion;
    int m_nTitleIcon;
    int m_nMaxTipWidth;
    DWORD m_dwTipFlags;
    RECT m_rcMargins;
    int m_nInitialDelay;
    int m_nReshowDelay;
    int m_nAutoPopDelay;
    CWnd* m_pToolTip;
    HWND m_hToolTipOwner;
    INT_PTR m_nLastHit;
    TKPTOOLINFO m_lastInfo;  // texts not kept
    COLORREF m_clrBack;
    COLORREF m_clrText;
};
