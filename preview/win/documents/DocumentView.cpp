#include "preview/win/documents/DocumentView.h"

#include "classlib/win/COleVariant.h"
#include "preview/win/documents/OfficeAutomation.h"
#include "preview/win/documents/TextConverterDriver.h"
#include "preview/win/documents/TextFileReader.h"
#include "preview/win/host/AnsiPath.h"
#include "preview/win/host/PreviewDocument.h"
#include "preview/win/host/PreviewFrameState.h"
#include "ui/msgbox/win/MessageDialogs.h"

#include <string>

namespace {

constexpr long kWordFormatRtf = 6;

void SetPreviewShown(int shown)
{
    if (CPreviewFrameState* frame = GetPreviewFrame())
        frame->m_bPreviewShown = shown;
}

bool IsFile(const CString& path)
{
    DWORD attributes = ::GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Deletes what lies under the conversion's name. False when something is still there (a file
// another program holds open, a read-only file, a folder): it is not this conversion's output.
bool ClearConversionFile(const CString& path)
{
    ::DeleteFileW(path);
    return ::GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES;
}

}  // namespace

IMPLEMENT_DYNCREATE(CAdobeReaderView, CView)

BEGIN_MESSAGE_MAP(CAdobeReaderView, CView)
ON_WM_CREATE()
ON_WM_SIZE()
END_MESSAGE_MAP()

CAdobeReaderView::CAdobeReaderView() : m_pFont(NULL) {}

CAdobeReaderView::~CAdobeReaderView()
{
    // No spreadsheet process is ended here: those found by their window class may be the user's own,
    // with unsaved work.
    delete m_pFont;
    if (::IsWindow(m_richEdit.GetSafeHwnd()))
        m_richEdit.DestroyWindow();
    if (::IsWindow(m_pdfControl.GetSafeHwnd()))
        m_pdfControl.DestroyWindow();
}

void CAdobeReaderView::OnDraw(CDC*) {}

int CAdobeReaderView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    CPreviewFrameState* frame = GetPreviewFrame();
    CPreviewDocument* doc = GetPreviewDocument();
    if (frame == NULL)
        return 0;
    CString path = doc != NULL ? doc->m_strPreviewPath : CString();

    HFONT font = ::CreateFontW(15, 15, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, L"Arial");
    m_pFont = new CFont;
    m_pFont->Attach(font);

    // The text after the last ".", lower-cased, with its dot; the whole name without one.
    int dot = path.ReverseFind(L'.');
    CString extension = L"." + (dot >= 0 ? path.Mid(dot + 1) : path);
    extension.MakeLower();

    frame->m_bPreviewShown = 1;
    if (extension == L".pdf")
        return ShowPdf(path);
    if (extension == L".rtf") {
        ShowRtf(path);
        return 0;
    }
    if (extension == L".doc" || extension == L".docx") {
        ShowWordDocument(path);
        return 0;
    }
    return ShowText(path);
}

void CAdobeReaderView::OnSize(UINT, int, int)
{
    Default();
    CRect client;
    GetClientRect(&client);
    if (::IsWindow(m_pdfControl.GetSafeHwnd()))
        m_pdfControl.MoveWindow(client.left, client.top, client.Width(), client.Height(), TRUE);
    if (::IsWindow(m_richEdit.GetSafeHwnd()))
        m_richEdit.MoveWindow(client.left, client.top, client.Width(), client.Height(), TRUE);
}

int CAdobeReaderView::ShowPdf(const CString& strPath)
{
    if (!m_pdfControl.CreateControl(CWPViewPDFX::clsid, L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this,
            IDC_PDF_CONTROL)) {
        g_strMessageText = L"Unable to open.";
        g_nMessageKind = 2;
        morvick::ui::CMessageDlg dlg;
        dlg.DoModal();
        return -1;
    }
    try {
        SetPreviewShown(1);
        m_pdfControl.OpenFile(strPath);
    } catch (CException* e) {
        e->Delete();
        SetPreviewShown(0);
    }
    return 0;
}

BOOL CAdobeReaderView::CreateRichEdit()
{
    AfxInitRichEdit2();
    // Made as wide as it will be shown: the text is laid out once, for that width. (The view is
    // still without a size while it is being made; the preview pane gives it its own width. Laid
    // out at no width first, a large text took many times as long.)
    CRect client;
    GetClientRect(&client);
    if (client.IsRectEmpty() && GetParent() != NULL)
        GetParent()->GetClientRect(&client);
    if (!m_richEdit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
                ES_WANTRETURN,
            client, this, IDC_RICH_EDIT))
        return FALSE;
    // Texts longer than the control's default of 32,767 characters are shown whole.
    m_richEdit.LimitText(0x7FFFFFFE);
    return TRUE;
}

void CAdobeReaderView::FinishRichEdit()
{
    m_richEdit.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_pFont->GetSafeHandle()), TRUE);
    m_richEdit.SendMessage(EM_SETREADONLY, TRUE, 0);
}

void CAdobeReaderView::ShowRtf(const CString& strPath)
{
    if (!CreateRichEdit()) {
        SetPreviewShown(0);
        return;
    }
    m_richEdit.StreamInFile(strPath);
    FinishRichEdit();
}

void CAdobeReaderView::ShowWordDocument(const CString& strPath)
{
    // Only a file this conversion wrote is shown: whatever lies under the conversion's name from
    // before (a run that ended early) must be gone first, and each step must report success.
    CString temporary = WordConversionFile();
    bool converted = false;
    if (!temporary.IsEmpty() && ClearConversionFile(temporary)) {
        converted = ConvertWordToRtf(strPath) == 1 && IsFile(temporary);
        if (!converted && ClearConversionFile(temporary)) {
            // The text converters, with paths in the ANSI code page.
            try {
                std::string input = AnsiPath(strPath), output = AnsiPath(temporary);
                if (!input.empty() && !output.empty()) {
                    CTextConverterDriver converter;
                    converted = converter.Convert("MSWord8", "MSWord6RTFExp", input.c_str(), output.c_str()) == 0 &&
                        IsFile(temporary);
                }
            } catch (CException* e) {
                e->Delete();
            }
        }
    }
    if (converted && CreateRichEdit()) {
        m_richEdit.StreamInFile(temporary);
        FinishRichEdit();
    } else {
        SetPreviewShown(0);
    }
    if (!temporary.IsEmpty())
        ::DeleteFileW(temporary);
}

int CAdobeReaderView::ShowText(const CString& strPath)
{
    if (!CreateRichEdit()) {
        SetPreviewShown(0);
        return 0;
    }
    BeginWaitCursor();
    CTextFileReader reader(strPath);
    if (!reader.IsOpen()) {
        SetPreviewShown(0);
        reader.Close();
        EndWaitCursor();
        return 1;
    }
    CString text;
    reader.ReadAll(text, CString(L"\r\n"));
    m_richEdit.SetWindowText(text);
    FinishRichEdit();
    reader.Close();
    EndWaitCursor();
    return 0;
}

int CAdobeReaderView::ConvertWordToRtf(CString strPath)
{
    const CString conversionFile = WordConversionFile();
    if (conversionFile.IsEmpty())
        return 0;
    CWordApplication application;
    if (!application.CreateDispatch(L"Word.Application"))
        return 0;
    CWordDocument document;
    VARIANT opt = OptionalArgument();
    COleVariant no(short(0));
    int result = 0;
    try {
        CWordDocuments documents(application.GetDocuments());
        LPDISPATCH added = documents.Add(&opt, &opt);
        if (added != NULL) {
            CWordDocument blank(added);
            blank.Close(&no, &opt, &opt);
        }
        COleVariant name(static_cast<LPCTSTR>(strPath));
        COleVariant readOnly(short(1));
        document.AttachDispatch(documents.Open(&name, &opt, &readOnly, &opt, &opt, &opt, &opt, &opt, &opt, &opt));
        COleVariant target(static_cast<LPCTSTR>(conversionFile));
        COleVariant format(kWordFormatRtf);
        COleVariant empty(L"");
        document.SaveAs(&target, &format, &opt, &empty, &opt, &empty, &opt, &opt, &opt, &opt, &opt);
        result = 1;
    } catch (CException* e) {
        e->Delete();
        if (document.m_lpDispatch != NULL) {
            try {
                document.Close(&no, &opt, &opt);
            } catch (CException* closeError) {
                closeError->Delete();
            }
        }
    }
    document.ReleaseDispatch();
    // The instance started here quits in every case.
    try {
        application.Quit(&no, &opt, &opt);
    } catch (CException* e) {
        e->Delete();
    }
    application.ReleaseDispatch();
    return result;
}
