// CEx_StyleView: page 0 of the wizard, the view of the document template. The user names a VHD or
// VHDX image (typed, or chosen with "Select") and presses one of the three mode buttons; the page
// checks the file, opens it behind the main frame's facade and goes on to the drive page.
#pragma once

#include "app/pages/WizardPage.h"
#include "toolkit/controls/Button.h"
#include "ui/controls/win/CenteredEdit.h"
#include "ui/controls/win/HoverButton.h"

class CEx_StyleView : public CWizardPage {
    DECLARE_DYNCREATE(CEx_StyleView)
public:
    CEx_StyleView();
    ~CEx_StyleView() override;

    // The mode buttons: nonzero when the wizard went on to the drive page.
    BOOL OnQuickScan();
    BOOL OnExtensiveScan();
    BOOL OnFileTrace();
    // The "Select" button and the frame's "&Open": the Open dialog for the image.
    void OnBrowse();
    // Checks the file in the edit box and opens it behind the facade: 1 when it is open, 0 after a
    // message.
    int ValidateSourceFile();

    // The description shown under the buttons for a hovered button number (0: none).
    static CString HoverText(UINT hovered);

    CStatic m_wndModeLabel;
    morvick::ui::CHoverButton m_btnQuickScan;
    morvick::ui::CHoverButton m_btnFileTrace;
    morvick::ui::CHoverButton m_btnExtensiveScan;
    CTKButton m_btnSelect;
    morvick::ui::CCenteredEdit m_editFile;
    CString m_strLastImagePath;

protected:
    UINT BackgroundBitmap() const override;
    void HeaderBitmaps(UINT& left, UINT& middle, UINT& right) const override;
    void DrawContents(CDC* dc, const CRect& client) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnQuickScanCommand();
    afx_msg void OnExtensiveScanCommand();
    afx_msg void OnFileTraceCommand();
    afx_msg void OnBrowseCommand();
    DECLARE_MESSAGE_MAP()

    CFont m_labelFont;  // the mode label's, made on the first layout unless it exists

private:
    // The steps every mode button takes; the mode is the engine's scan mode.
    BOOL StartMode(int scanMode);
    // Opens the image behind the facade with the reader its name (or its first bytes) call for.
    bool OpenImage(const CString& path);

    CBrush m_whiteBrush;
    CBrush m_labelBrush;
    CFont m_buttonFont;
    CFont* m_pSelectFont = nullptr;
};
