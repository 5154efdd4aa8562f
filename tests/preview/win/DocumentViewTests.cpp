// The document view over samples made by iconv and pandoc: the text and RTF back ends, the word
// processor's path with a fake server, the text converters with fake converter libraries, the PDF
// control's path with and without a fake control; and no process of the user's is ever ended.
#include "preview/win/documents/DocumentView.h"
#include "preview/win/documents/TextConverterDriver.h"
#include "tests/preview/win/FakeControls.h"
#include "tests/preview/win/FakeConverters.h"
#include "tests/preview/win/PreviewHarness.h"
#include "tests/preview/win/TemporaryFolderScope.h"

#include <gtest/gtest.h>

#include <richole.h>

#include <fstream>

namespace morvick::test {
namespace {

const char kDocs[] = "make-document-samples.sh";

CAdobeReaderView* DocumentView()
{
    return dynamic_cast<CAdobeReaderView*>(Harness().pane->Viewer(kViewerDocument));
}

bool ShowsPlaceholder()
{
    CView* placeholder = Harness().pane->Viewer(kViewerNoPreview);
    return placeholder != NULL && ::IsWindowVisible(placeholder->GetSafeHwnd());
}

// The rich edit's text with every line end as "\n".
std::wstring ShownText()
{
    CAdobeReaderView* view = DocumentView();
    if (view == NULL || !::IsWindow(view->RichEdit().GetSafeHwnd()))
        return L"<no rich edit>";
    GETTEXTLENGTHEX length = {GTL_NUMCHARS, 1200};
    LRESULT n = view->RichEdit().SendMessage(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    GETTEXTEX get = {};
    get.cb = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    get.flags = GT_DEFAULT;
    get.codepage = 1200;
    view->RichEdit().SendMessage(EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(wcslen(text.c_str()));
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r') {
            out.push_back(L'\n');
            if (i + 1 < text.size() && text[i + 1] == L'\n')
                ++i;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

std::wstring Widen(const std::string& utf8)
{
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), NULL, 0);
    std::wstring out(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &out[0], n);
    return out;
}

std::wstring ExpectedLines()
{
    std::ifstream in(SamplePath(kDocs, "lines.txt").c_str(), std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::wstring wide = Widen(text);
    if (!wide.empty() && wide.back() == L'\n')
        wide.pop_back();
    return wide;
}

// Previews an RTF sample and checks that it is shown: the text shown ("<no view>" without a view).
std::wstring ShowRtf(const char* name)
{
    Preview(SamplePath(kDocs, name), L".rtf");
    if (DocumentView() == nullptr)
        return L"<no view>";
    EXPECT_EQ(Harness().frame->m_bPreviewShown, 1) << name;
    return ShownText();
}

bool FileExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The height (twips) that a rich edit gives its text after WM_SETFONT with Arial of the logical
// height, made as the view makes its font. A logical height of 15 is the letters' cell, -15 the
// letters alone (larger text).
LONG RichEditHeightOfArial(int logicalHeight)
{
    HFONT font = ::CreateFontW(logicalHeight, 15, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, L"Arial");
    HWND edit = ::CreateWindowExW(0, RICHEDIT_CLASSW, L"", WS_POPUP | ES_MULTILINE, 0, 0, 200, 100, NULL, NULL,
        ::GetModuleHandleW(NULL), NULL);
    CHARFORMAT2W format = {};
    format.cbSize = sizeof(format);
    format.dwMask = CFM_SIZE;
    if (edit != NULL) {
        ::SetWindowTextW(edit, L"text");
        ::SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        ::SendMessageW(edit, EM_SETSEL, 0, -1);
        ::SendMessageW(edit, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
        ::DestroyWindow(edit);
    }
    ::DeleteObject(font);
    return format.yHeight;
}

// Checks that the whole text the rich edit shows is in the view's font: Arial, 15 pixels high.
void ExpectViewFont()
{
    CRichEditCtrl& edit = DocumentView()->RichEdit();
    ASSERT_GT(edit.GetWindowTextLength(), 0);
    edit.SetSel(0, -1);
    CHARFORMAT2W format = {};
    format.cbSize = sizeof(format);
    format.dwMask = CFM_FACE | CFM_SIZE;
    edit.SendMessage(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    edit.SetSel(0, 0);
    EXPECT_EQ(format.dwMask & (CFM_FACE | CFM_SIZE), static_cast<DWORD>(CFM_FACE | CFM_SIZE)) << "one font throughout";
    EXPECT_STREQ(format.szFaceName, L"Arial");
    // Sign and all: a font of height -15 would give the other sign.
    const LONG fifteen = RichEditHeightOfArial(15);
    ASSERT_NE(fifteen, RichEditHeightOfArial(-15));
    EXPECT_EQ(format.yHeight, fifteen);
}

TEST(DocumentView, TextInEveryEncodingIsShownReadOnlyInTheViewFont)
{
    const std::wstring expected = ExpectedLines();
    for (const char* name : {"utf8-bom.txt", "utf8.txt", "utf16le.txt", "utf16be.txt"}) {
        SCOPED_TRACE(name);
        Preview(SamplePath(kDocs, name), L".txt");
        ASSERT_NE(DocumentView(), nullptr);
        EXPECT_EQ(Harness().frame->m_bPreviewShown, 1);
        EXPECT_EQ(ShownText(), expected);
        CRichEditCtrl& edit = DocumentView()->RichEdit();
        EXPECT_NE(edit.GetStyle() & ES_READONLY, 0u);
        EXPECT_EQ(edit.GetDlgCtrlID(), CAdobeReaderView::IDC_RICH_EDIT);
        CRect view, control;
        DocumentView()->GetClientRect(&view);
        edit.GetWindowRect(&control);
        EXPECT_EQ(control.Width(), view.Width());
        ExpectViewFont();
    }
    // ANSI text in the system's code page, and UTF-8 without a mark; source files go the same way.
    for (const char* name : {"ansi.txt", "german-cp1252.txt", "german-utf8.txt"}) {
        SCOPED_TRACE(name);
        Preview(SamplePath(kDocs, name), L".cpp");
        EXPECT_EQ(ShownText(), L"First line\nGr\u00fc\u00dfe aus K\u00f6ln, caf\u00e9\n");
        ExpectViewFont();
    }
}

TEST(DocumentView, ZeroBytesDoNotEndTheText)
{
    // A zeroed stretch in the middle of a recovered file, and a zero character of UTF-16 text.
    std::wstring path = TempFile(L"zeros.txt");
    ASSERT_TRUE(WriteBytes(path, {'a', 'b', 0, 'c', 'd', 0, 0, 'e', '\r', '\n', 'n', 'e', 'x', 't'}));
    Preview(path, L".txt");
    EXPECT_EQ(Harness().frame->m_bPreviewShown, 1);
    EXPECT_EQ(ShownText(), L"ab\u00b7cd\u00b7\u00b7e\nnext");
    std::wstring wide = TempFile(L"zeros16.txt");
    ASSERT_TRUE(WriteBytes(wide, {0xFF, 0xFE, 'a', 0, 0, 0, 'b', 0}));
    Preview(wide, L".txt");
    EXPECT_EQ(ShownText(), L"a\u00b7b");
}

TEST(DocumentView, TextBeyondTheControlsDefaultLimitAndFilesThatCannotBeRead)
{
    std::wstring path = TempFile(L"long.txt");
    // 2000 lines of 49 letters: 100,000 characters.
    std::vector<uint8_t> bytes;
    for (int line = 0; line < 2000; ++line) {
        bytes.insert(bytes.end(), 49, static_cast<uint8_t>('a' + line % 26));
        bytes.push_back('\n');
    }
    ASSERT_TRUE(WriteBytes(path, bytes));
    Preview(path, L".txt");
    EXPECT_EQ(ShownText().size(), 100000u);
    // A path without any dot is text too.
    std::wstring bare = TempFile(L"nodot");
    ASSERT_TRUE(WriteBytes(bare, {'h', 'i'}));
    Preview(bare, L".txt");
    EXPECT_EQ(ShownText(), L"hi");
    // A file that is not there: the placeholder, not an empty view called a preview.
    Preview(TempFile(L"missing.txt"), L".txt");
    EXPECT_EQ(Harness().frame->m_bPreviewShown, 0);
    EXPECT_TRUE(ShowsPlaceholder());
}

TEST(DocumentView, RtfIsStreamedInAndEmbeddedObjectsAreNotLoaded)
{
    std::wstring text = ShowRtf("sample.rtf");
    EXPECT_NE(text.find(L"Recovered notes"), std::wstring::npos);
    EXPECT_NE(text.find(L"Some bold text and some italic text."), std::wstring::npos);
    EXPECT_NE(text.find(L"second item"), std::wstring::npos);
    ASSERT_NE(DocumentView(), nullptr);
    EXPECT_TRUE(DocumentView()->RichEdit().IsCallbackAccepted());

    text = ShowRtf("object.rtf");
    EXPECT_NE(text.find(L"Before the object."), std::wstring::npos);
    EXPECT_NE(text.find(L"After the object."), std::wstring::npos);
    IRichEditOle* ole = NULL;
    DocumentView()->RichEdit().SendMessage(EM_GETOLEINTERFACE, 0, reinterpret_cast<LPARAM>(&ole));
    ASSERT_NE(ole, nullptr);
    EXPECT_EQ(ole->GetObjectCount(), 0);
    ole->Release();

    // An empty RTF file gives nothing: the placeholder.
    std::wstring empty = TempFile(L"empty.rtf");
    ASSERT_TRUE(WriteBytes(empty, {}));
    Preview(empty, L".rtf");
    EXPECT_EQ(Harness().frame->m_bPreviewShown, 0);
    EXPECT_TRUE(ShowsPlaceholder());
}

TEST(DocumentView, RtfPicturesGetTheirStorageAndNoOtherObjectIsLetIn)
{
    std::wstring text = ShowRtf("picture.rtf");
    EXPECT_NE(text.find(L"Before the picture."), std::wstring::npos);
    EXPECT_NE(text.find(L"After the picture."), std::wstring::npos);
    ASSERT_NE(DocumentView(), nullptr);
    CRtfOleCallback* callback = DocumentView()->RichEdit().GetOleCallback();
    ASSERT_NE(callback, nullptr);

    // Each object that asks gets a storage of its own, which holds what the object writes.
    IStorage* first = NULL;
    IStorage* second = NULL;
    ASSERT_EQ(callback->GetNewStorage(&first), S_OK);
    ASSERT_NE(first, nullptr);
    ASSERT_EQ(callback->GetNewStorage(&second), S_OK);
    ASSERT_NE(second, nullptr);
    STATSTG stat = {};
    ASSERT_EQ(second->Stat(&stat, STATFLAG_DEFAULT), S_OK);
    EXPECT_EQ(std::wstring(stat.pwcsName), L"REOLEStorage" + std::to_wstring(callback->GetStorageRequests()));
    CoTaskMemFree(stat.pwcsName);
    IStream* contents = NULL;
    ASSERT_EQ(first->CreateStream(L"CONTENTS", STGM_CREATE | STGM_SHARE_EXCLUSIVE | STGM_READWRITE, 0, 0, &contents),
        S_OK);
    ULONG written = 0;
    EXPECT_EQ(contents->Write("picture", 7, &written), S_OK);
    EXPECT_EQ(written, 7u);
    contents->Release();
    first->Release();
    second->Release();

    // Only the static pictures are let in.
    for (const CLSID* picture : {&CLSID_Picture_Metafile, &CLSID_Picture_Dib, &CLSID_Picture_EnhMetafile})
        EXPECT_EQ(callback->QueryInsertObject(const_cast<CLSID*>(picture), NULL, 0), S_OK);
    const CLSID package = {0x0003000C, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
    const CLSID wordDocument = {0x00020906, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
    for (CLSID other : {package, wordDocument, CLSID_NULL})
        EXPECT_NE(callback->QueryInsertObject(&other, NULL, 0), S_OK);
    EXPECT_NE(callback->QueryInsertObject(NULL, NULL, 0), S_OK);
}

// Windows of the classes of the user's word processor and spreadsheet, in this process: a view
// that ended the processes owning them would end the test.
struct UserOfficeWindows {
    HWND word = NULL, sheet = NULL;
    UserOfficeWindows()
    {
        for (const wchar_t* name : {L"OpusApp", L"XLMain"}) {
            WNDCLASSW wc = {};
            wc.lpfnWndProc = DefWindowProcW;
            wc.hInstance = GetModuleHandleW(NULL);
            wc.lpszClassName = name;
            RegisterClassW(&wc);
        }
        word =
            CreateWindowW(L"OpusApp", L"Document1", WS_POPUP, 0, 0, 10, 10, NULL, NULL, GetModuleHandleW(NULL), NULL);
        sheet = CreateWindowW(L"XLMain", L"Book1", WS_POPUP, 0, 0, 10, 10, NULL, NULL, GetModuleHandleW(NULL), NULL);
    }
    ~UserOfficeWindows()
    {
        DestroyWindow(word);
        DestroyWindow(sheet);
    }
};

TEST(DocumentView, WordDocumentsThroughTheWordProcessorsAutomation)
{
    UserOfficeWindows user;
    FakeWordServer word;
    ASSERT_TRUE(word.Registered());
    std::wstring document = SamplePath(kDocs, "sample.docx");
    Preview(document, L".docx");
    ASSERT_NE(DocumentView(), nullptr);
    EXPECT_EQ(Harness().frame->m_bPreviewShown, 1);
    EXPECT_NE(ShownText().find(kFakeWordText), std::wstring::npos);
    const FakeWordLog& log = word.Log();
    EXPECT_EQ(log.started, 1);
    ASSERT_EQ(log.opened.size(), 1u);
    EXPECT_EQ(CString(log.opened[0].c_str()), CString(document.c_str()).MakeLower());
    EXPECT_EQ(log.openedReadOnly[0], 1);
    ASSERT_EQ(log.savedAs.size(), 1u);
    EXPECT_EQ(CString(log.savedAs[0].c_str()), WordConversionFile());
    EXPECT_EQ(log.savedFormats[0], 6);
    // The blank document it adds first is closed unsaved; the instance it started quits.
    EXPECT_EQ(log.closed, 1);
    EXPECT_EQ(log.quit, 1);
    EXPECT_FALSE(FileExists(static_cast<LPCWSTR>(WordConversionFile())));
    Harness().pane->CloseViewers();
    EXPECT_TRUE(IsWindow(user.word));
    EXPECT_TRUE(IsWindow(user.sheet));
}

TEST(DocumentView, WhenTheWordProcessorFailsItStillQuitsAndTheConvertersRun)
{
    UserOfficeWindows user;
    FakeWordServer word;
    word.Log().failOpenFor = L"sample.doc";
    // No converters at all: nothing to show.
    SetEnvironmentVariableW(L"ZAVOZAR_DIR", TempFile(L"no-converters").c_str());
    Preview(SamplePath(kDocs, "sample.doc"), L".doc");
    EXPECT_EQ(word.Log().quit, 1);
    EXPECT_EQ(Harness().frame->m_bPreviewShown, 0);
    EXPECT_TRUE(ShowsPlaceholder());
    EXPECT_FALSE(FileExists(static_cast<LPCWSTR>(WordConversionFile())));
    // With the converters, their RTF.
    SetEnvironmentVariableW(L"ZAVOZAR_DIR", ConverterFolder().c_str());
    Preview(SamplePath(kDocs, "sample.doc"), L".doc");
    EXPECT_EQ(word.Log().quit, 2);
    EXPECT_EQ(Harness().frame->m_bPreviewShown, 1);
    EXPECT_NE(ShownText().find(L"Converted by the text converter"), std::wstring::npos);
    SetEnvironmentVariableW(L"ZAVOZAR_DIR", NULL);
    EXPECT_TRUE(IsWindow(user.word));
    EXPECT_TRUE(IsWindow(user.sheet));
}

std::string FileText(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(DocumentView, LeftOverConversionFilesAreNeverShown)
{
    // Another program's "New.rtf" in the temporary folder, and one of our own conversion files
    // left by an earlier run; the word processor and the converters both fail.
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring foreign = std::wstring(temp) + L"New.rtf";
    const std::string stale = "{\\rtf1\\ansi Stale text of another program.\\par}";
    ASSERT_TRUE(WriteBytes(foreign, std::vector<uint8_t>(stale.begin(), stale.end())));
    const std::wstring ours = static_cast<LPCWSTR>(WordConversionFile());
    EXPECT_EQ(ours.rfind(temp, 0), 0u);
    EXPECT_NE(ours, foreign);
    ASSERT_TRUE(WriteBytes(ours, std::vector<uint8_t>(stale.begin(), stale.end())));
    FakeWordServer word;
    word.Log().failOpenFor = L"sample.doc";
    SetEnvironmentVariableW(L"ZAVOZAR_DIR", TempFile(L"no-converters").c_str());
    Preview(SamplePath(kDocs, "sample.doc"), L".doc");
    SetEnvironmentVariableW(L"ZAVOZAR_DIR", NULL);
    EXPECT_EQ(Harness().frame->m_bPreviewShown, 0);
    EXPECT_TRUE(ShowsPlaceholder());
    EXPECT_EQ(ShownText().find(L"Stale text"), std::wstring::npos);
    // Our own is gone; the other program's is left as it was.
    EXPECT_FALSE(FileExists(ours));
    EXPECT_EQ(FileText(foreign), stale);
    DeleteFileW(foreign.c_str());

    // A left-over of ours that cannot be deleted, held open by another program.
    ASSERT_TRUE(WriteBytes(ours, std::vector<uint8_t>(stale.begin(), stale.end())));
    HANDLE held =
        CreateFileW(ours.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ASSERT_FALSE(DeleteFileW(ours.c_str())) << "the held file could be deleted";
    SetEnvironmentVariableW(L"ZAVOZAR_DIR", TempFile(L"no-converters").c_str());
    Preview(SamplePath(kDocs, "sample.doc"), L".doc");
    SetEnvironmentVariableW(L"ZAVOZAR_DIR", NULL);
    CloseHandle(held);
    EXPECT_EQ(Harness().frame->m_bPreviewShown, 0);
    EXPECT_TRUE(ShowsPlaceholder());
    EXPECT_EQ(ShownText().find(L"Stale text"), std::wstring::npos);
    DeleteFileW(ours.c_str());
}

TEST(DocumentView, ATemporaryFolderTooLongToTellConvertsNothing)
{
    // The current directory holds a file of the conversion file's name.
    FakeWordServer word;
    const std::wstring here = TempFile(L"word-current-directory");
    const std::wstring ours = static_cast<LPCWSTR>(WordConversionFile());
    const std::wstring name = ours.substr(ours.rfind(L'\\') + 1);
    CreateDirectoryW(here.c_str(), NULL);
    ASSERT_TRUE(WriteBytes(here + L"\\" + name, {'m', 'i', 'n', 'e'}));
    {
        TooLongTemporaryFolderScope tooLong(here);
        SetEnvironmentVariableW(L"ZAVOZAR_DIR", ConverterFolder().c_str());
        Preview(SamplePath(kDocs, "sample.doc"), L".doc");
        SetEnvironmentVariableW(L"ZAVOZAR_DIR", NULL);
    }
    EXPECT_EQ(word.Log().started, 0);
    EXPECT_EQ(Harness().frame->m_bPreviewShown, 0);
    EXPECT_TRUE(ShowsPlaceholder());
    EXPECT_EQ(FileText(here + L"\\" + name), "mine");
}

TEST(DocumentView, AConversionThatFailsHalfWayIsNotShown)
{
    // No word processor; the converter's export writes half of the RTF, then fails.
    SetEnvironmentVariableW(L"ZAVOZAR_DIR", HalfwayConverterFolder().c_str());
    Preview(SamplePath(kDocs, "sample.doc"), L".doc");
    SetEnvironmentVariableW(L"ZAVOZAR_DIR", NULL);
    EXPECT_EQ(Harness().frame->m_bPreviewShown, 0);
    EXPECT_TRUE(ShowsPlaceholder());
    EXPECT_EQ(ShownText().find(L"Converted"), std::wstring::npos);
    EXPECT_FALSE(FileExists(static_cast<LPCWSTR>(WordConversionFile())));
}

TEST(DocumentView, WithoutTheWordProcessorTheConvertersAreUsed)
{
    SetEnvironmentVariableW(L"ZAVOZAR_DIR", ConverterFolder().c_str());
    Preview(SamplePath(kDocs, "sample.doc"), L".doc");
    EXPECT_EQ(Harness().frame->m_bPreviewShown, 1);
    EXPECT_NE(ShownText().find(L"Converted by the text converter: 22 bytes."), std::wstring::npos);
    SetEnvironmentVariableW(L"ZAVOZAR_DIR", NULL);
}

// {D8D3A8F6-46EF-4424-AE49-4376F1FE1EB4}
const CLSID& PdfClsid()
{
    return CWPViewPDFX::clsid;
}

TEST(DocumentView, PdfWithoutTheControlSaysUnableToOpen)
{
    TakeLoggedMessages();
    Preview(SamplePath(kDocs, "sample.pdf"), L".pdf");
    EXPECT_EQ(DocumentView(), nullptr);
    EXPECT_TRUE(ShowsPlaceholder());
    std::vector<std::string> messages = TakeLoggedMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("Unable to open."), std::string::npos);
}

TEST(DocumentView, PdfThroughTheControlsDispatchInterface)
{
    FakeControlClass pdf(PdfClsid());
    ASSERT_TRUE(pdf.Registered());
    std::wstring path = SamplePath(kDocs, "sample.pdf");
    Preview(path, L".PDF");
    ASSERT_NE(DocumentView(), nullptr);
    EXPECT_EQ(Harness().frame->m_bPreviewShown, 1);
    const FakeControlLog& log = pdf.Log();
    EXPECT_EQ(log.created, 1);
    EXPECT_EQ(log.activated, 1);
    ASSERT_EQ(log.calls.size(), 1u);
    EXPECT_EQ(log.calls[0].id, 207);
    EXPECT_EQ(log.calls[0].flags, DISPATCH_METHOD);
    ASSERT_EQ(log.calls[0].arguments.size(), 1u);
    EXPECT_EQ(CString(log.calls[0].arguments[0].c_str()), CString(path.c_str()).MakeLower());
    // The control's window fills the view.
    CWPViewPDFX& control = DocumentView()->PdfControl();
    EXPECT_EQ(control.GetDlgCtrlID(), CAdobeReaderView::IDC_PDF_CONTROL);
    EXPECT_EQ(GetParent(log.lastWindow), control.GetSafeHwnd());
    CRect view, window;
    DocumentView()->GetClientRect(&view);
    GetWindowRect(log.lastWindow, &window);
    EXPECT_EQ(window.Width(), view.Width());
    EXPECT_EQ(window.Height(), view.Height());
    Harness().pane->CloseViewers();
    EXPECT_EQ(log.closed, 1);

    // A control that fails: caught, and the placeholder shows.
    pdf.Log().failCalls = true;
    Preview(path, L".pdf");
    EXPECT_EQ(Harness().frame->m_bPreviewShown, 0);
    EXPECT_TRUE(ShowsPlaceholder());
}

}  // namespace
}  // namespace morvick::test
