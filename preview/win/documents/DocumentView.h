// CAdobeReaderView: the preview of documents. By the file's extension it shows a PDF file in the
// PDF viewer control, an RTF file in the rich edit control, a Word document as RTF (converted by
// the word processor's automation, else by the text converters), and any other file as text. The
// child control fills the view; the view paints nothing itself.
#pragma once

#include "classlib/win/AfxWin.h"
#include "preview/win/documents/PdfViewControl.h"
#include "preview/win/documents/RtfPreviewCtrl.h"
#include "preview/win/host/TemporaryPaths.h"

class CAdobeReaderView : public CView {
    DECLARE_DYNCREATE(CAdobeReaderView)
public:
    CAdobeReaderView();
    ~CAdobeReaderView() override;

    void OnDraw(CDC* pDC) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);

    // 1 when the word processor saved the document as RTF into WordConversionFile(), else 0.
    // The word processor started here is always told to quit again; no other instance is touched.
    int ConvertWordToRtf(CString strPath);

    CWPViewPDFX& PdfControl() { return m_pdfControl; }
    CRtfPreviewCtrl& RichEdit() { return m_richEdit; }

    enum { IDC_PDF_CONTROL = 182, IDC_RICH_EDIT = 183 };

protected:
    int ShowPdf(const CString& strPath);
    void ShowRtf(const CString& strPath);
    void ShowWordDocument(const CString& strPath);
    int ShowText(const CString& strPath);
    BOOL CreateRichEdit();
    void FinishRichEdit();

    CWPViewPDFX m_pdfControl;
    CRtfPreviewCtrl m_richEdit;
    CFont* m_pFont;

    DECLARE_MESSAGE_MAP()
};
