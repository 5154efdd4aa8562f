// CPropertyPage: one page of a property sheet, a dialog from a template. The sheet tells the page
// when it becomes active or inactive and when the user applies or cancels; the virtual functions
// answer.
#pragma once

#include "classlib/win/CDialog.h"

#include <commctrl.h>

class CPropertySheet;

class CPropertyPage : public CDialog {
    DECLARE_DYNAMIC(CPropertyPage)
public:
    CPropertyPage();
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    explicit CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);
    virtual ~CPropertyPage();

    void Construct(UINT nIDTemplate, UINT nIDCaption = 0);
    void Construct(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);

    PROPSHEETPAGE m_psp;

    // Marks the page changed: the sheet enables its Apply button.
    void SetModified(BOOL bChanged = TRUE);
    void CancelToClose();
    LRESULT QuerySiblings(WPARAM wParam, LPARAM lParam);
    CPropertySheet* GetSheet() const;

    // TRUE lets the page become active (OnSetActive) or be left (OnKillActive, which also takes
    // the data out of the controls).
    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();
    virtual BOOL OnApply();
    virtual void OnReset();
    virtual void OnOK() override;
    virtual void OnCancel() override;
    virtual BOOL OnQueryCancel();
    virtual LRESULT OnWizardBack();
    virtual LRESULT OnWizardNext();
    virtual BOOL OnWizardFinish();

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    // The template the sheet builds the page from (loaded on first use); NULL when missing.
    LPCDLGTEMPLATE GetTemplate();

protected:
    CString m_strCaption;
    BOOL m_bFirstSetActive;
    friend class CPropertySheet;
};
