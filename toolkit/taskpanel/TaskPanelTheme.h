// The task panel's paint theme: fonts, colours, margins and flags, and every drawing and measuring
// of the panel, its groups and items. CTKPTaskPanel::SetTheme picks one of thirteen by number; the
// base here is number 0 and the classes of TaskPanelThemes.h derive from it.
#pragma once

#include "classlib/win/AfxGdi.h"
#include "toolkit/common/ColorValue.h"
#include "toolkit/taskpanel/TaskPanelDefines.h"

class CTKPImageIcon;
class CTKPIconHandle;
class CTKPTaskPanel;
class CTKPTaskPanelItem;
class CTKPTaskPanelGroup;
class CTKPTaskPanelGroupItem;
struct CTKPTaskPanelScrollButton;

// The colours of one kind of group (normal or special).
struct CTKPTaskPanelGroupColors {
    CTKPTaskPanelGroupColors();

    CTKPColorGradient clrHead;    // caption background
    CTKPColorGradient clrClient;  // client background; its second colour is the items' background
    CTKPColorValue clrClientBorder;
    double dHeadGradientStart;  // left of this fraction of the width the caption is solid
    CTKPColorValue clrHeadTextNormal;
    CTKPColorValue clrHeadTextHot;
    CTKPColorValue clrClientText;  // items that are not links
    CTKPColorValue clrClientLink;
    CTKPColorValue clrClientLinkHot;       // hot links, hot-tracking style 1
    CTKPColorValue clrClientLinkSelected;  // hot or selected links, hot-tracking style 3
};

// Caption button styles.
enum TKPTaskPanelCaptionButton {
    tkpTaskCaptionButtonNone = 0,
    tkpTaskCaptionButtonShell = 1,  // the visual style's shell bitmaps, or recoloured chevron icons
    tkpTaskCaptionButtonBox = 2,    // a 3-D box with a double chevron
    tkpTaskCaptionButtonTriangle = 3,
};

// Item highlight styles.
enum TKPTaskPanelHighlight {
    tkpTaskHighlightClassic = 0,  // 3-D frames
    tkpTaskHighlightToolkit = 1,  // flat fills in the toolkit's colours
    tkpTaskHighlightScheme = 2,   // flat fills in the Windows XP scheme's colours
};

class CTKPTaskPanelTheme {
public:
    CTKPTaskPanelTheme();
    virtual ~CTKPTaskPanelTheme();

    virtual void FillTaskPanel(CDC* pDC, CTKPTaskPanel* pPanel);
    virtual void DrawGroupClient(CDC* pDC, CTKPTaskPanelGroup* pGroup);
    // Draws the caption when bDraw is set; returns the caption's height.
    virtual int DrawGroupCaption(CDC* pDC, CTKPTaskPanelGroup* pGroup, BOOL bDraw);
    // Draws the item when bDraw is set; returns the rectangle it takes.
    virtual CRect DrawGroupItem(CDC* pDC, CTKPTaskPanelGroupItem* pItem, CRect rc, BOOL bDraw);
    virtual void RefreshMetrics();
    virtual CTKPTaskPanelGroupColors* GetGroupColors(const CTKPTaskPanelGroup* pGroup);
    virtual void DrawItemFrame(CDC* pDC, CTKPTaskPanelItem* pItem, CRect rc);
    virtual CRect GetItemOuterMargins(const CTKPTaskPanelGroupItem* pItem) const;
    virtual CRect GetItemInnerMargins(const CTKPTaskPanelGroupItem* pItem) const;
    virtual CRect GetGroupOuterMargins(const CTKPTaskPanelGroup* pGroup) const;
    virtual CRect GetItemIconPadding(const CTKPTaskPanelItem* pItem) const;
    virtual CRect GetGroupInnerMargins(const CTKPTaskPanelGroup* pGroup) const;
    virtual CRect GetControlMargins(const CTKPTaskPanel* pPanel) const;
    virtual int GetGroupSpacing(const CTKPTaskPanel* pPanel) const;
    virtual void DrawScrollButton(CDC* pDC, CTKPTaskPanelScrollButton* pButton);
    virtual void DrawGroupClientFace(CDC* pDC, CTKPTaskPanelGroup* pGroup, CRect rc);
    virtual void DrawGroupItems(CDC* pDC, CTKPTaskPanelGroup* pGroup, CRect rc);
    // Draws the open/close button at the caption's right end; returns the rest of the caption.
    virtual CRect DrawCaptionButton(CDC* pDC, CTKPTaskPanelGroup* pGroup, CRect rc);
    virtual int GetCaptionButtonWidth(const CTKPTaskPanelGroup* pGroup, const CRect& rc) const;
    virtual void DrawItemCaption(CDC* pDC, CTKPTaskPanelItem* pItem, CRect rc, UINT nFormat);
    virtual void DrawItemImage(CDC* pDC, CTKPTaskPanelItem* pItem, CPoint pt, CTKPImageIcon* pImage, CSize szIcon);
    virtual CPoint GetItemTextOffset(const CTKPTaskPanelItem* pItem) const;
    virtual void DrawDropMarker(CDC* pDC, CTKPTaskPanelItem* pItem, CRect rc, BOOL bAfter);
    virtual void DrawFocusRect(CDC* pDC, CRect rc);

    BOOL IsScrollButtonsInCaptions() const { return m_bScrollButtonsInCaptions; }
    BOOL IsInsertAfterDropItem() const { return m_bInsertAfterDropItem; }
    int GetCaptionHeight() const { return m_nCaptionHeight; }
    CFont* GetItemFont(BOOL bBold, BOOL bUnderline);
    CFont* GetCaptionFont() { return &m_fntCaption; }
    BOOL HasShellBitmaps() const { return m_bShellBitmaps; }
    // Test switch: FALSE hides AlphaBlend as if msimg32 lacked it.
    void EnableAlphaBlend(BOOL bEnable);
    BOOL IsAlphaBlendAvailable() const { return m_pfnAlphaBlend != NULL; }

    // A channel-wise blend with the first colour's weight out of 255.
    static COLORREF BlendColors(COLORREF clrFirst, COLORREF clrSecond, int nWeight255);
    // The colour of a colour-manager index (system colours 1..27, toolkit colours 28..61); index 0,
    // which the colour manager does not fill, is the system's scroll-bar colour.
    static COLORREF GetToolkitColor(int nIndex);

    BOOL m_bOwnColorsWithoutScheme;
    int m_nCaptionButtonStyle;
    BOOL m_bBoldCaption;
    CRect m_rcGroupOuterMargins;
    CRect m_rcGroupInnerMargins;
    CRect m_rcItemOuterMargins;
    CRect m_rcItemInnerMargins;
    CRect m_rcControlMargins;
    int m_nGroupSpacing;
    CRect m_rcIconGridPadding;
    CRect m_rcItemIconPadding;
    CRect m_rcGroupIconPadding;
    int m_nHighlightStyle;
    BOOL m_bInsertAfterDropItem;
    BOOL m_bScrollButtonsInCaptions;
    BOOL m_bEmbossedDisabledText;
    BOOL m_bShellBitmaps;
    HICON m_hExpandIconNormal;
    HICON m_hExpandIconSpecial;
    HBITMAP m_hShellBitmaps[8];
    CFont m_fntCaption;
    CFont m_fntItem;
    CFont m_fntItemBold;
    CFont m_fntItemUnderline;
    CFont m_fntItemBoldUnderline;
    CTKPColorGradient m_clrBackground;
    CTKPTaskPanelGroupColors m_groupNormal;
    CTKPTaskPanelGroupColors m_groupSpecial;
    CTKPColorValue m_clrHighlightHot;
    CTKPColorValue m_clrHighlightSelected;
    CTKPColorValue m_clrHighlightSelectedHot;
    CTKPColorGradient m_clrHighlightBorder;  // outer and inner frame colours
    BOOL m_bClosedClientFrame;
    BOOL m_bRoundedCaptionLeft;
    BOOL m_bRoundedCaptionRight;
    int m_nCaptionHeight;
    BOOL m_bCaptionFontFromSystem;
    BOOL m_bItemFontsFromSystem;
    UINT m_nItemTextFormat;
    UINT m_nCaptionTextFormat;

protected:
    typedef BOOL(WINAPI* AlphaBlendProc)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);

    // The Windows XP scheme in use (0 none, 1 blue, 2 olive, 3 silver).
    static int GetCurrentScheme();
    // How an item is drawn: hot-tracking style, icon size and image, inner margins.
    struct ItemLook {
        int nHotTrack;
        CSize szIcon;
        CTKPImageIcon* pImage;  // none for hosted controls
        CRect rcInner;
    };
    ItemLook GetItemLook(CTKPTaskPanelGroupItem* pItem) const;
    // The item font: bold as the item, underlined for a hot item under hot-tracking style 1.
    CFont* GetItemFont(CTKPTaskPanelGroupItem* pItem, const ItemLook& look);
    // The highlight of the whole item under hot-tracking style 3; returns how far its contents shift.
    CPoint DrawItemHighlight(CDC* pDC, CTKPTaskPanelGroupItem* pItem, const ItemLook& look, const CRect& rc);
    // The item's image at the point, framed under hot-tracking style 2.
    void DrawItemIcon(CDC* pDC, CTKPTaskPanelGroupItem* pItem, const ItemLook& look, CPoint ptImage);
    // The focus rectangle around an item that took the focus by keyboard, in every item layout.
    void DrawItemFocus(CDC* pDC, CTKPTaskPanelGroupItem* pItem, const CRect& rc);
    // The panel's background and the normal groups' client area, one solid colour each.
    void SetPanelColors(COLORREF clrPanel, COLORREF clrClient);
    // The normal groups' item texts: lines of text, links, and hot links (under either style).
    void SetItemTextColors(COLORREF clrText, COLORREF clrLink, COLORREF clrLinkHot);
    // The height of a blank in the font.
    static int GetBlankHeight(CFont* pFont);
    // What FillTaskPanel covers: the client width, from the top to the window's or the content's end.
    static CRect GetPanelFillRect(CTKPTaskPanel* pPanel);
    // The common start of drawing a caption: FALSE when nothing more is to be drawn (no room, or a
    // hidden caption, which is filled with the client border colour).
    BOOL PrepareCaption(CDC* pDC, CTKPTaskPanelGroup* pGroup, const CRect& rc);
    // A focused group's focus rectangle while the panel shows focus rectangles.
    void DrawCaptionFocus(CDC* pDC, CTKPTaskPanelGroup* pGroup, const CRect& rc);
    // The drop marker of a drop into a closed or empty group.
    void DrawCaptionDropMarker(CDC* pDC, CTKPTaskPanelGroup* pGroup, const CRect& rc);
    // Shell bitmaps of the visual style, or the recoloured expand icons.
    void LoadShellBitmaps();
    void CreateExpandIcons();
    void FreeCaptionButtonImages();
    // The double chevron of the caption buttons, up or down, centred in the rectangle.
    void DrawDoubleChevron(CDC* pDC, CRect rc, BOOL bUp, COLORREF clr);
    // The caption text rectangle after the icon of the group, if any, else the caption text lead in
    // from the rectangle's left; draws the icon.
    CRect DrawCaptionIcon(CDC* pDC, CTKPTaskPanelGroup* pGroup, CRect rc);
    // The caption text of the group in its colours, in the caption format.
    void DrawCaptionText(CDC* pDC, CTKPTaskPanelGroup* pGroup, CRect rc, BOOL bHot);
    // Item layouts of DrawGroupItem.
    CRect DrawImageAndTextItem(CDC* pDC, CTKPTaskPanelGroupItem* pItem, CRect rc, BOOL bDraw);
    CRect DrawImageAboveTextItem(CDC* pDC, CTKPTaskPanelGroupItem* pItem, CRect rc, BOOL bDraw);
    CRect DrawImageOnlyItem(CDC* pDC, CTKPTaskPanelGroupItem* pItem, CRect rc, BOOL bDraw);
    void FillRect(CDC* pDC, const CRect& rc, COLORREF clr);
    void Draw3dFrame(CDC* pDC, const CRect& rc, COLORREF clrTopLeft, COLORREF clrBottomRight);
    BOOL AlphaBlend(HDC hdcDest, int x, int y, int cx, int cy, HDC hdcSrc, int xSrc, int ySrc, int cxSrc, int cySrc,
        BLENDFUNCTION blend);

    int m_nCaptionTextLead;  // where a caption without an icon starts its text (13 pixels in)
    HMODULE m_hMsImg32;
    AlphaBlendProc m_pfnAlphaBlend;
    AlphaBlendProc m_pfnAlphaBlendFound;
};

// A scroll button of the active group in panel behaviours 1 and 2.
struct CTKPTaskPanelScrollButton {
    explicit CTKPTaskPanelScrollButton(BOOL bScrollUp);
    // Shown: a rectangle, a group, and enabled unless the theme shows disabled buttons.
    BOOL IsVisible() const;
    void Clear();

    BOOL bScrollUp;
    BOOL bEnabled;
    BOOL bPressed;
    CRect rcButton;  // content coordinates (client plus scroll offset)
    BOOL bHot;
    CTKPTaskPanelGroup* pGroupScroll;
    CTKPTaskPanelGroup* pGroupCaption;
    CTKPTaskPanel* pPanel;
};
