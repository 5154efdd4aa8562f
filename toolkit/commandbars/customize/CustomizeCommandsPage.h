// The Commands page of the customise sheet: categories of commands, each a collection of controls,
// and the command list from which a command is dragged onto a bar (always as a copy).
#pragma once

#include "classlib/core/CArray.h"
#include "classlib/win/CListBox.h"
#include "classlib/win/CPropertyPage.h"
#include "toolkit/commandbars/CommandBarsDefs.h"

class CTKPCustomizeSheet;

// The owner-drawn command list: items and background drawn by the command-bar theme; a press on
// an item starts the customise drag of its control.
class CTKPCustomizeCommandList : public CListBox {
public:
    CTKPCustomizeCommandList() : m_pCommandBars(NULL) {}
    CTKPCommandBars* m_pCommandBars;
    // The row height the theme's command-list drawing reports.
    int MeasureRowHeight();
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};

class CTKPCustomizeCommandsPage : public CPropertyPage {
    DECLARE_DYNCREATE(CTKPCustomizeCommandsPage)
public:
    CTKPCustomizeCommandsPage();
    ~CTKPCustomizeCommandsPage() override;

    void SetSheet(CTKPCustomizeSheet* pSheet) { m_pSheet = pSheet; }
    // A category with one button control per command id (0 ids are skipped); returns its index.
    int AddCategory(LPCTSTR lpszName, const UINT* pCommands, int nCount);
    // "All Commands": every command of the other categories once, in order of first appearance.
    int AddAllCommandsCategory();
    int GetCategoryCount() const { return (int)m_arrCategories.GetSize(); }
    CString GetCategoryName(int nIndex) const { return m_arrCategories[nIndex]->strName; }
    CTKPControls* GetCategoryControls(int nIndex) const { return m_arrCategories[nIndex]->pControls; }

    // Fills the command list with the controls of the category selected in the category list.
    void FillCommands();
    // Starts the customise drag of the list item's control (as a copy from the list).
    virtual int DragCommand(int nItem);
    CTKPCustomizeCommandList& GetCommandList() { return m_wndCommands; }

    BOOL OnInitDialog() override;
    afx_msg void OnCategoryChange();
    afx_msg void OnDestroy();

protected:
    struct Category {
        CString strName;
        CTKPControls* pControls;
    };
    CTKPCustomizeSheet* m_pSheet;
    CArray<Category*, Category*> m_arrCategories;
    CListBox m_wndCategories;
    CTKPCustomizeCommandList m_wndCommands;

    DECLARE_MESSAGE_MAP()
};
