// An item inside a group: a link, a line of text or a hosted control window. Its rectangle is in
// the group's client coordinates (x as the panel's content, y from the client top) before the
// group's item scroll.
#pragma once

#include "classlib/win/CBitmap.h"
#include "toolkit/taskpanel/TaskPanelItem.h"

class COleDataSource;

class CTKPTaskPanelGroupItem : public CTKPTaskPanelItem {
    DECLARE_SERIAL(CTKPTaskPanelGroupItem)
public:
    CTKPTaskPanelGroupItem();
    // Hides a hosted control window that still exists.
    ~CTKPTaskPanelGroupItem() override;

    CTKPTaskPanelGroup* GetItemGroup() const override;
    CRect GetHitTestRect() const override;
    void DoPropExchange(CTKPPropExchange* pPX) override;
    // Places the item in the rectangle and returns its rectangle.
    virtual CRect OnReposition(CDC* pDC, CRect rc);
    virtual void OnDrawItem(CDC* pDC, CRect rc);
    virtual CString GetDragText() const { return m_strDragText; }

    BOOL IsBold() const { return m_bBold; }
    void SetBold(BOOL bBold);
    // With the panel's single selection: the focused item; else the item's own flag.
    BOOL IsItemSelected() const;
    void SetItemSelected(BOOL bSelected);
    COLORREF GetBackgroundColor() const;
    CRect GetMargins() const { return m_rcMargins; }
    void SetMargins(const CRect& rc);
    CSize GetSize() const { return m_szItem; }
    void SetSize(CSize size);
    void SetDragText(LPCTSTR lpszText) { m_strDragText = lpszText; }
    BOOL IsAutoHeight() const { return m_bAutoHeight; }
    void SetAutoHeight(BOOL bAutoHeight) { m_bAutoHeight = bAutoHeight; }
    HWND GetControlHandle() const { return m_hWndControl; }
    // Makes the item a hosted control (type 3) over the window.
    void SetControlHandle(HWND hWnd);

    const CRect& GetItemRect() const { return m_rcItem; }
    void SetItemRect(const CRect& rc) { m_rcItem = rc; }

    // Offers the item to a drag: its archived copy as "TaskPanelGroupItem" and, with bWithText and a
    // drag text, that text as ANSI text (CF_TEXT).
    void PrepareDrag(COleDataSource& source, BOOL bWithText);
    // Keeps the hosted control in step with its group: shown where it belongs while the group stands
    // still, a picture of it while the group moves.
    void OnAnimate(int nStep);
    // A picture of the control window, painted into a bitmap of the item's size.
    void TakePreview(HWND hWnd);
    HBITMAP GetPreview() const { return (HBITMAP)m_bmpPreview.GetSafeHandle(); }

protected:
    long GetAccessibleState() const override;
    STDMETHOD(get_accDefaultAction)(VARIANT varChild, BSTR* pszDefaultAction) override;
    STDMETHOD(accDoDefaultAction)(VARIANT varChild) override;
    STDMETHOD(accSelect)(long flagsSelect, VARIANT varChild) override;

    CRect m_rcMargins;
    CRect m_rcItem;
    BOOL m_bBold;
    BOOL m_bSelected;
    HWND m_hWndControl;
    CSize m_szItem;
    CBitmap m_bmpPreview;
    CSize m_szPreview;
    CString m_strDragText;
    BOOL m_bAutoHeight;

    friend class CTKPTaskPanelGroup;
};

// The ANSI text of a drag in the system's code page, with its terminating zero, in a shared block
// sized by the conversion; NULL for an empty text.
HGLOBAL TKPCreateAnsiTextBlock(const CString& strText);
