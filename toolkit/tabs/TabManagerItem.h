// One tab of a tab row: its caption, tooltip, image, colour and the window it stands for, and the
// place the theme's layout gave it. Tabs are reference counted; the manager holds one reference on
// each tab in its list.
#pragma once

#include "classlib/win/AfxWin.h"

class CTKPTabManager;

// Tab colours from 0x1000000 to 0x1000007 are not colours but indexes into the theme's eight tab
// colours.
const COLORREF TKP_TAB_COLOR_INDEX = 0x1000000;

class CTKPTabManagerItem : public CCmdTarget {
    DECLARE_DYNCREATE(CTKPTabManagerItem)
public:
    CTKPTabManagerItem();

    // A changed caption re-lays the row; a new colour repaints it.
    void SetCaption(LPCTSTR lpszCaption);
    void SetColor(COLORREF clr);
    // What the row shows, through the manager (which a host may override).
    CString GetCaption() const;
    COLORREF GetColor() const;
    // The stored values themselves.
    const CString& GetOwnCaption() const { return m_strCaption; }
    COLORREF GetOwnColor() const { return m_clrTab; }

    void SetTooltip(LPCTSTR lpszTooltip) { m_strTooltip = lpszTooltip; }
    const CString& GetTooltip() const { return m_strTooltip; }
    void SetImage(int nImage) { m_nImage = nImage; }
    int GetImage() const { return m_nImage; }
    void SetHandle(HWND hWnd) { m_hWnd = hWnd; }
    HWND GetHandle() const { return m_hWnd; }
    // A value of the host's own (the docking panes keep their pane here).
    void SetData(DWORD_PTR dwData) { m_dwData = dwData; }
    DWORD_PTR GetData() const { return m_dwData; }

    // Hidden tabs take no room; disabled tabs are drawn greyed. Neither is hit nor reached by keys.
    void SetVisible(BOOL bVisible);
    BOOL IsVisible() const { return m_bVisible; }
    void SetEnabled(BOOL bEnabled);
    BOOL IsEnabled() const { return m_bEnabled; }
    // Whether the close button shows while this tab is selected.
    void SetClosable(BOOL bClosable);
    BOOL IsClosable() const { return m_bClosable; }

    CTKPTabManager* GetManager() const { return m_pManager; }
    int GetIndex() const { return m_nIndex; }
    BOOL IsSelected() const;
    BOOL IsHot() const;
    void RemoveFromManager();

    // The layout's results.
    const CRect& GetRect() const { return m_rcItem; }
    void SetRect(const RECT& rc) { m_rcItem = rc; }
    int GetLength() const { return m_nLength; }
    void SetLength(int nLength) { m_nLength = nLength; }
    int GetNaturalLength() const { return m_nNaturalLength; }
    void SetNaturalLength(int nLength) { m_nNaturalLength = nLength; }
    // A tab drawn shorter than its caption needs.
    BOOL IsTruncated() const { return m_nLength < m_nNaturalLength; }
    int GetRow() const { return m_nRow; }
    void SetRow(int nRow) { m_nRow = nRow; }

private:
    friend class CTKPTabManager;

    int m_nLength;
    int m_nNaturalLength;
    int m_nIndex;
    BOOL m_bEnabled;
    BOOL m_bVisible;
    HWND m_hWnd;
    int m_nImage;
    DWORD_PTR m_dwData;
    CRect m_rcItem;
    CString m_strCaption;
    CString m_strTooltip;
    COLORREF m_clrTab;
    CTKPTabManager* m_pManager;
    int m_nRow;
    BOOL m_bClosable;
};
