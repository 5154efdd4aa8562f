// The three small buttons at the end of a tab row: scroll towards the start, scroll towards the
// end, and close. Each places itself, draws its glyph and runs its own press-and-hold loop.
#pragma once

#include "classlib/win/AfxWin.h"

class CTKPTabManager;

class CTKPTabManagerNavigateButton {
public:
    enum Id { idScrollStart = 0, idScrollEnd = 1, idClose = 2 };
    // 0 never shown, 1 shown when the manager (or the button) finds it needed, 2 always shown.
    enum Mode { modeHidden = 0, modeAuto = 1, modeAlways = 2 };

    CTKPTabManagerNavigateButton(CTKPTabManager* pManager, int nId, int nMode);
    virtual ~CTKPTabManagerNavigateButton();

    // Takes the button's extent off the length left for tabs when the button will be shown.
    virtual void AdjustLength(int& nLength);
    // Press and hold: repeats every 20 ms while held, clicks once on release over the button.
    virtual void PerformClick(CWnd* pWnd, CPoint pt);
    // Places the button at the far end of the row rectangle and takes it off the row (or empties the
    // button's rectangle when it is not shown).
    virtual void Reposition(CRect& rcRow);
    virtual void DrawGlyph(CDC* pDC, CRect rc) = 0;
    // bRepeat is TRUE for an auto-repeat tick, FALSE for the final click.
    virtual void OnExecute(BOOL bRepeat);

    // The face (through the theme) and the glyph in the DC's text colour; nothing when not laid out.
    void Draw(CDC* pDC);

    int GetId() const { return m_nId; }
    int GetMode() const { return m_nMode; }
    void SetMode(int nMode) { m_nMode = nMode; }
    CSize GetSize() const { return CSize(m_nWidth, m_nHeight); }
    const CRect& GetRect() const { return m_rcButton; }
    // Takes the button out of a row that lays itself out without buttons.
    void ClearRect() { m_rcButton.SetRectEmpty(); }
    BOOL IsEnabled() const { return m_bEnabled; }
    void SetEnabled(BOOL bEnabled) { m_bEnabled = bEnabled; }
    BOOL IsPressed() const { return m_bPressed; }
    BOOL IsHot() const { return m_bHot; }
    void SetHot(BOOL bHot) { m_bHot = bHot; }
    CTKPTabManager* GetManager() const { return m_pManager; }

    // The clock of the repeat; tests hand in their own.
    typedef DWORD (*TickSource)();
    static void SetTickSource(TickSource source);

protected:
    // Mode 2, or mode 1 with the manager's consent.
    BOOL IsShownByMode() const;
    // The base rule of Reposition: placed when shown, emptied otherwise.
    void PlaceOrHide(CRect& rcRow);

    int m_nId;
    int m_nMode;
    int m_nWidth;
    int m_nHeight;
    CTKPTabManager* m_pManager;
    CRect m_rcButton;
    BOOL m_bEnabled;
    BOOL m_bPressed;
    BOOL m_bHot;
};

// Scrolls the row by one step on every repeat tick while held.
class CTKPTabManagerScrollButton : public CTKPTabManagerNavigateButton {
public:
    CTKPTabManagerScrollButton(CTKPTabManager* pManager, int nId);

    void AdjustLength(int& nLength) override;
    void Reposition(CRect& rcRow) override;
    void DrawGlyph(CDC* pDC, CRect rc) override;
    void OnExecute(BOOL bRepeat) override;
};

// Asks the manager to close once, on release over the button.
class CTKPTabManagerCloseButton : public CTKPTabManagerNavigateButton {
public:
    explicit CTKPTabManagerCloseButton(CTKPTabManager* pManager);

    void DrawGlyph(CDC* pDC, CRect rc) override;
};
