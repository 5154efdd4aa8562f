// The saved layout of the command bars, bar by bar: one record per bar in the profile section
// "<profile>-Bar<n>", and the screen size the layout was saved on ("<profile>-Summary"), by which
// positions are scaled when the screen has changed since.
#pragma once

#include "classlib/win/AfxWin.h"

class CTKPCommandBar;
class CTKPLayoutScreenFrame;

class CTKPBarLayoutRecord {
public:
    CTKPBarLayoutRecord();

    // Writes the record into "<profile>-Bar<index>" after deleting that section. FALSE when the
    // profile cannot be written.
    BOOL Save(LPCTSTR lpszProfileName, int nIndex) const;
    // Reads the record from "<profile>-Bar<index>", positions scaled by the screen frame.
    void Load(LPCTSTR lpszProfileName, int nIndex, const CTKPLayoutScreenFrame& frame);

    UINT m_nBarID;
    BOOL m_bVisible;
    BOOL m_bFloating;
    int m_nXPos;  // -1: no position
    int m_nYPos;
    int m_nMRUWidth;  // 32767: none
    UINT m_nMRUDockID;
    CRect m_rcMRUDockPos;
    int m_nMRUFloatXPos;
    int m_nMRUFloatYPos;
    BOOL m_bDialogBar;
    CSize m_sizeDockingClient;
    CSize m_sizeFloatingClient;
    CTKPCommandBar* m_pBar;  // not saved
};

class CTKPLayoutScreenFrame {
public:
    // The current screen: the primary screen's size, the virtual screen for the limits.
    CTKPLayoutScreenFrame();
    ~CTKPLayoutScreenFrame();

    // The records in "<profile>-Bar0..n" and the summary with the current screen size.
    BOOL SaveBars(LPCTSTR lpszProfileName) const;
    // Reads the summary and the records it counts (none without a summary).
    void LoadBars(LPCTSTR lpszProfileName);

    // A saved point or rectangle on the current screen: scaled by the screen's change in size and
    // kept where an icon's size of it stays on screen. -1 (no position) stays -1.
    void ScalePoint(int& x, int& y) const;
    void ScaleRect(CRect& rect) const;

    // Records are owned by the frame.
    CArray<CTKPBarLayoutRecord*, CTKPBarLayoutRecord*> m_arrBars;
    BOOL m_bScaling;
    CRect m_rcScreen;
    CSize m_sizeSaved;
    CRect m_rcVirtual;
    CPoint m_ptMax;

    // Test switch: the primary and virtual screen rectangles the frames see (null: the system's).
    static void SetScreenForTest(const RECT* prcScreen, const RECT* prcVirtual);
};
