// morvick-dbase-bench [RECORDS]: how long the preview takes to list a dBase table of RECORDS
// records (default 1,000,000). It writes the table into the temporary folder (four fields of 39
// bytes a record: text, number, date, logical), asks the preview pane to show it as the program's
// main frame does, and measures until the list is painted, then until its last row is scrolled
// into view and painted. Prints one line:
//   {"records":R,"file_bytes":B,"list_s":T,"last_row_s":U}
// Exit 1 when the list does not hold every record or the table cannot be written.
#include "classlib/win/AfxWin.h"
#include "preview/win/host/PreviewDocument.h"
#include "preview/win/host/PreviewFrameState.h"
#include "preview/win/pane/MainPreviewView.h"
#include "preview/win/pane/ViewerSlots.h"
#include "preview/win/tables/DbfView.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

class CBenchApp : public CWinApp {
public:
    CBenchApp() : CWinApp(L"MorvickDbaseBench") {}
};

CBenchApp theBenchApp;

class CBenchDoc : public CPreviewDocument {
    DECLARE_DYNCREATE(CBenchDoc)
};
IMPLEMENT_DYNCREATE(CBenchDoc, CPreviewDocument)

class CBenchFrame : public CFrameWnd, public CPreviewFrameState {
    DECLARE_DYNAMIC(CBenchFrame)
};
IMPLEMENT_DYNAMIC(CBenchFrame, CFrameWnd)

namespace {

struct Field {
    const char* name;
    char type;
    uint8_t length;
};
const Field kFields[] = {{"NAME", 'C', 20}, {"AMOUNT", 'N', 10}, {"BORN", 'D', 8}, {"OK", 'L', 1}};

void PutLittle(std::vector<uint8_t>& bytes, size_t at, uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// A dBase III table: header, descriptors, terminator, the records, the end-of-file byte.
std::vector<uint8_t> Table(uint32_t records)
{
    const size_t fields = sizeof kFields / sizeof kFields[0];
    const uint32_t header = static_cast<uint32_t>(32 + 32 * fields + 1);
    uint32_t stride = 1;
    for (const Field& f : kFields)
        stride += f.length;
    std::vector<uint8_t> bytes(header + static_cast<size_t>(stride) * records + 1, ' ');
    std::memset(bytes.data(), 0, header);
    bytes[0] = 3;
    bytes[1] = 124;
    bytes[2] = 1;
    bytes[3] = 31;
    PutLittle(bytes, 4, records, 4);
    PutLittle(bytes, 8, header, 2);
    PutLittle(bytes, 10, stride, 2);
    for (size_t f = 0; f < fields; ++f) {
        uint8_t* d = bytes.data() + 32 + 32 * f;
        std::memcpy(d, kFields[f].name, std::strlen(kFields[f].name));
        d[11] = static_cast<uint8_t>(kFields[f].type);
        d[16] = kFields[f].length;
        d[17] = kFields[f].type == 'N' ? 2 : 0;
    }
    bytes[header - 1] = 0x0D;
    char text[64];
    for (uint32_t r = 0; r < records; ++r) {
        uint8_t* p = bytes.data() + header + static_cast<size_t>(stride) * r + 1;
        int n = std::snprintf(text, sizeof text, "Customer %u", r + 1);
        std::memcpy(p, text, n);
        p += 20;
        n = std::snprintf(text, sizeof text, "%10.2f", (r % 100000) / 4.0);
        std::memcpy(p, text, n);
        p += 10;
        std::snprintf(text, sizeof text, "%04u%02u%02u", 1950 + r % 70, 1 + r % 12, 1 + r % 28);
        std::memcpy(p, text, 8);
        p += 8;
        *p = r % 3 == 0 ? 'F' : 'T';
    }
    bytes.back() = 0x1A;
    return bytes;
}

bool WriteFileBytes(const std::wstring& path, const std::vector<uint8_t>& bytes)
{
    HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, NULL) && written == bytes.size();
    ::CloseHandle(h);
    return ok;
}

void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// Paints whatever the window and its children have to paint now.
void PaintNow(CWnd* window)
{
    window->RedrawWindow(NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
    ::GdiFlush();
}

double Since(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv)
{
    const uint32_t records = argc > 1 ? static_cast<uint32_t>(std::strtoul(argv[1], NULL, 10)) : 1000000u;
    if (records == 0 || records > 10000000u) {
        std::fprintf(stderr, "usage: morvick-dbase-bench [RECORDS from 1 to 10000000]\n");
        return 2;
    }
    AfxWinInit(::GetModuleHandleW(NULL), NULL, const_cast<LPWSTR>(L""), SW_SHOWNORMAL);
    theBenchApp.InitApplication();

    wchar_t temp[MAX_PATH + 1] = L"";
    DWORD n = ::GetTempPathW(MAX_PATH + 1, temp);
    if (n == 0 || n > MAX_PATH) {
        std::fprintf(stderr, "morvick-dbase-bench: no temporary folder\n");
        return 1;
    }
    const std::wstring path =
        std::wstring(temp) + L"morvick-dbase-bench-" + std::to_wstring(::GetCurrentProcessId()) + L".dbf";
    const std::vector<uint8_t> table = Table(records);
    if (!WriteFileBytes(path, table)) {
        std::fprintf(stderr, "morvick-dbase-bench: cannot write the table\n");
        return 1;
    }

    // The main frame with the preview pane, as the results page has it.
    CBenchFrame* frame = new CBenchFrame;
    frame->Create(NULL, L"dBase preview", WS_OVERLAPPEDWINDOW, CRect(0, 0, 816, 678));
    AfxGetThread()->m_pMainWnd = frame;
    CBenchDoc* doc = new CBenchDoc;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CMainPreviewView);
    context.m_pCurrentDoc = doc;
    CMainPreviewView* pane =
        static_cast<CMainPreviewView*>(AfxCreateView(frame, &context, CMainPreviewView::IDW_PREVIEW_PANE));
    pane->MoveWindow(0, 0, 800, 640);
    frame->SetActiveView(pane, FALSE);
    frame->ShowWindow(SW_SHOWNOACTIVATE);
    Pump();
    PaintNow(frame);

    auto start = std::chrono::steady_clock::now();
    frame->ShowFilePreview(path.c_str(), L".dbf");
    CDBF_View* view = dynamic_cast<CDBF_View*>(pane->Viewer(kViewerDbf));
    CListCtrl* list = view != NULL ? view->GetListCtrl() : NULL;
    if (list != NULL)
        PaintNow(frame);
    const double listSeconds = Since(start);

    start = std::chrono::steady_clock::now();
    if (list != NULL) {
        list->EnsureVisible(list->GetItemCount() - 1, FALSE);
        PaintNow(frame);
    }
    const double lastRowSeconds = Since(start);

    CString lastName = list != NULL ? list->GetItemText(static_cast<int>(records) - 1, 1) : CString();
    lastName.TrimRight();
    const bool whole = list != NULL && list->GetItemCount() == static_cast<int>(records) &&
        lastName == CString(L"Customer ") + std::to_wstring(records).c_str();
    if (whole)
        std::printf("{\"records\":%u,\"file_bytes\":%zu,\"list_s\":%.3f,\"last_row_s\":%.3f}\n", records, table.size(),
            listSeconds, lastRowSeconds);
    else
        std::fprintf(stderr, "morvick-dbase-bench: the list does not hold the %u records\n", records);
    pane->CloseViewers();
    frame->DestroyWindow();
    ::DeleteFileW(path.c_str());
    return whole ? 0 : 1;
}
