// The task panel's twelve themes beside the base (number 0): each changes the base's defaults,
// colours and some drawing. Themes 1, 2, 5, 6, 8 and 11 follow the Windows XP colour scheme and
// keep their own colours without one.
#pragma once

#include "toolkit/taskpanel/TaskPanelTheme.h"

// The theme of a number: 0 .. 12; any other number gives theme 2's class.
CTKPTaskPanelTheme* TKPCreateTaskPanelTheme(int nTheme);

// Office task pane: gradient captions without buttons, a large Tahoma caption font.
class CTKPTaskPanelTheme1 : public CTKPTaskPanelTheme {
public:
    CTKPTaskPanelTheme1();
    void RefreshMetrics() override;
    CTKPTaskPanelGroupColors* GetGroupColors(const CTKPTaskPanelGroup* pGroup) override;
};

// Explorer bar: the shell's caption buttons and rounded captions on a gradient panel.
class CTKPTaskPanelTheme2 : public CTKPTaskPanelTheme {
public:
    CTKPTaskPanelTheme2();
    void RefreshMetrics() override;
};

// Plain list: captions without a fill over word-wrapped text, all groups in one rounded frame.
class CTKPTaskPanelTheme3 : public CTKPTaskPanelTheme {
public:
    CTKPTaskPanelTheme3();
    void RefreshMetrics() override;
    CTKPTaskPanelGroupColors* GetGroupColors(const CTKPTaskPanelGroup* pGroup) override;
    void FillTaskPanel(CDC* pDC, CTKPTaskPanel* pPanel) override;
    int DrawGroupCaption(CDC* pDC, CTKPTaskPanelGroup* pGroup, BOOL bDraw) override;
    void DrawGroupClientFace(CDC* pDC, CTKPTaskPanelGroup* pGroup, CRect rc) override;

protected:
    // The caption's text rectangle (inset, below nothing) for a caption rectangle.
    CRect GetCaptionTextRect(const CRect& rcCaption) const;

    BOOL m_bRoundedFrame;  // every visible group inside one rounded rectangle
    BOOL m_bCaptionLine;   // a line in the caption colour under each caption
    int m_nCaptionInset;   // of the caption text, on each side
};

// Plain list with a line under each caption.
class CTKPTaskPanelTheme4 : public CTKPTaskPanelTheme3 {
public:
    CTKPTaskPanelTheme4();
    void RefreshMetrics() override;
};

// Plain list in the colours of the Windows XP scheme.
class CTKPTaskPanelTheme5 : public CTKPTaskPanelTheme4 {
public:
    CTKPTaskPanelTheme5();
    void RefreshMetrics() override;
};

// Plain list on the Explorer bar's gradient, with the shell's caption buttons.
class CTKPTaskPanelTheme6 : public CTKPTaskPanelTheme3 {
public:
    CTKPTaskPanelTheme6();
    void RefreshMetrics() override;
    CRect DrawCaptionButton(CDC* pDC, CTKPTaskPanelGroup* pGroup, CRect rc) override;
};

// Toolbox: captions drawn as push buttons.
class CTKPTaskPanelTheme7 : public CTKPTaskPanelTheme3 {
public:
    CTKPTaskPanelTheme7();
    void RefreshMetrics() override;
    void FillTaskPanel(CDC* pDC, CTKPTaskPanel* pPanel) override;
    int DrawGroupCaption(CDC* pDC, CTKPTaskPanelGroup* pGroup, BOOL bDraw) override;
    // Draws the caption's face; returns the rectangle left for its text.
    virtual CRect DrawGroupCaptionFace(CDC* pDC, CTKPTaskPanelGroup* pGroup, CRect rc);

protected:
    // The pressed look: the caption is hot and pressed.
    static BOOL IsCaptionPressed(const CTKPTaskPanelGroup* pGroup);
};

// Toolbox with gradient captions and a horizontal panel gradient.
class CTKPTaskPanelTheme8 : public CTKPTaskPanelTheme7 {
public:
    CTKPTaskPanelTheme8();
    void RefreshMetrics() override;
    void FillTaskPanel(CDC* pDC, CTKPTaskPanel* pPanel) override;
    CRect DrawGroupCaptionFace(CDC* pDC, CTKPTaskPanelGroup* pGroup, CRect rc) override;
    void DrawGroupClientFace(CDC* pDC, CTKPTaskPanelGroup* pGroup, CRect rc) override;
};

// Button bar: captions as buttons stacked on a dark panel, light item text.
class CTKPTaskPanelTheme9 : public CTKPTaskPanelTheme7 {
public:
    CTKPTaskPanelTheme9();
    void RefreshMetrics() override;
};

// Button bar on the toolkit's face colour.
class CTKPTaskPanelTheme10 : public CTKPTaskPanelTheme9 {
public:
    CTKPTaskPanelTheme10();
    void RefreshMetrics() override;
};

// Button bar whose caption buttons are gradients.
class CTKPTaskPanelTheme11 : public CTKPTaskPanelTheme10 {
public:
    CTKPTaskPanelTheme11();
    void RefreshMetrics() override;
    CRect DrawGroupCaptionFace(CDC* pDC, CTKPTaskPanelGroup* pGroup, CRect rc) override;

protected:
    // The caption's gradient: pressed, hot or normal.
    const CTKPColorGradient& GetCaptionFace(const CTKPTaskPanelGroup* pGroup) const;

    CTKPColorGradient m_clrCaptionNormal;
    CTKPColorGradient m_clrCaptionHot;
    CTKPColorGradient m_clrCaptionPressed;
};

// Button bar with centred captions on the toolkit's gradients.
class CTKPTaskPanelTheme12 : public CTKPTaskPanelTheme11 {
public:
    CTKPTaskPanelTheme12();
    void RefreshMetrics() override;
    void FillTaskPanel(CDC* pDC, CTKPTaskPanel* pPanel) override;
    CRect DrawGroupCaptionFace(CDC* pDC, CTKPTaskPanelGroup* pGroup, CRect rc) override;
    void DrawGroupClientFace(CDC* pDC, CTKPTaskPanelGroup* pGroup, CRect rc) override;
};
