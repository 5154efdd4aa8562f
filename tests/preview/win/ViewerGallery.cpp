// Pictures of the pane with the document, table, archive, drawing, database and media viewers in
// build/windows/viewer-gallery (looked at, not compared).
#include "preview/win/host/PreviewLocation.h"
#include "preview/win/media/MediaPlayerView.h"
#include "preview/win/tables/AccessView.h"
#include "preview/win/tables/DaoTreeView.h"
#include "preview/win/tables/DbfView.h"
#include "tests/preview/win/FakeControls.h"
#include "tests/preview/win/MemoryDatabase.h"
#include "tests/preview/win/PreviewHarness.h"
#include "tests/support/win/WindowCapture.h"

#include <gtest/gtest.h>

#include <exdisp.h>

namespace morvick::test {
namespace {

void Capture(const std::string& name)
{
    CaptureToGallery("viewer", name);
}

void Show(const std::wstring& path, const std::wstring& ext, const wchar_t* location)
{
    g_strPreviewLocation = location;
    Preview(path, ext);
}

TEST(ViewerGallery, EachViewerOnASample)
{
    Harness();  // the pane exists before the first location is set
    struct Shot {
        const char* name;
        std::wstring path, ext;
        const wchar_t* location;
    } shots[] = {
        {"document-text", SamplePath("make-document-samples.sh", "utf16le.txt"), L".txt", L"\\Notes\\letter.txt"},
        {"document-rtf", SamplePath("make-document-samples.sh", "sample.rtf"), L".rtf", L"\\Notes\\notes.rtf"},
        {"document-rtf-picture", SamplePath("make-document-samples.sh", "picture.rtf"), L".rtf",
            L"\\Notes\\picture.rtf"},
        {"dbase", SamplePath("make-dbase-samples.sh", "db3.dbf"), L".dbf", L"\\Data\\people.dbf"},
        {"dbase-visual-foxpro", SamplePath("make-dbase-samples.sh", "vfp.dbf"), L".dbf", L"\\Data\\prices.dbf"},
        {"archive-zip", SamplePath("make-archive-samples.sh", "info.zip"), L".zip", L"\\Backup\\docs.zip"},
        {"archive-cab", SamplePath("make-archive-samples.sh", "sample.cab"), L".cab", L"\\Setup\\data.cab"},
        {"archive-rar", SamplePath("make-archive-samples.sh", "rar5.rar"), L".rar", L"\\Backup\\docs.rar"},
        {"cad", SamplePath("make-dxf-samples.sh", "R2018.dxf"), L".dxf", L"\\Drawings\\plan.dxf"},
        {"video",
            WriteAvi(L"gallery.avi", 160, 120, 5, 5,
                [](int, int x, int y) { return RGB(0xC0, y * 255 / 120, x * 255 / 160); }),
            L".avi", L"\\Video\\clip.avi"},
        {"browser", SamplePath("make-document-samples.sh", "lines.txt"), L".htm", L"\\Web\\page.htm"},
        {"placeholder-damaged-dbase", SamplePath("make-dbase-samples.sh", "tiny.dbf"), L".dbf", L"\\Data\\cut.dbf"},
    };
    for (const Shot& s : shots) {
        Show(s.path, s.ext, s.location);
        Capture(s.name);
    }

    // A table of 12,000 records, scrolled to its end.
    Show(SamplePath("make-dbase-samples.sh", "many.dbf"), L".dbf", L"\\Data\\many.dbf");
    if (CDBF_View* view = dynamic_cast<CDBF_View*>(Harness().pane->Viewer(kViewerDbf)))
        view->GetListCtrl()->EnsureVisible(view->GetListCtrl()->GetItemCount() - 1, FALSE);
    Capture("dbase-every-record");

    // The word processor's and the PDF control's paths, through the fakes.
    {
        FakeWordServer word;
        Show(SamplePath("make-document-samples.sh", "sample.docx"), L".docx", L"\\Notes\\report.docx");
        Capture("document-word");
    }
    {
        FakeControlClass pdf(CLSID{0xD8D3A8F6, 0x46EF, 0x4424, {0xAE, 0x49, 0x43, 0x76, 0xF1, 0xFE, 0x1E, 0xB4}});
        Show(SamplePath("make-document-samples.sh", "sample.pdf"), L".pdf", L"\\Notes\\manual.pdf");
        Capture("document-pdf-fake-control");
        Harness().pane->CloseViewers();
    }
    {
        // The platform's player here fails the view's calls (the placeholder shows), so the view is
        // pictured over the fake control.
        FakeControlClass player(CWMPPlayer4::clsid);
        Show(WriteWave(L"gallery.wav"), L".wav", L"\\Music\\voice.wav");
        Capture("media-player-fake-control");
        Harness().pane->CloseViewers();
    }

    // The database view over the in-memory engine, with a table selected.
    MemoryDaoEngine engine;
    std::wstring path = TempFile(L"gallery.mdb");
    WriteBytes(path, {'m', 'd', 'b'});
    MemoryDatabase& db = engine.files[static_cast<LPCWSTR>(CString(path.c_str()).MakeLower())];
    MemoryTable orders;
    orders.name = L"Orders";
    for (const wchar_t* f : {L"Status", L"Customer", L"Amount"}) {
        CDaoFieldInfo field;
        field.m_strName = f;
        orders.fields.push_back(field);
    }
    const wchar_t* statuses[] = {L"Pending", L"Done", L"Failed", L"Progress", L"Done"};
    for (int i = 0; i < 5; ++i) {
        CURRENCY cy;
        cy.int64 = (i + 1) * 125000LL;
        COleVariant amount;
        amount.vt = VT_CY;
        amount.cyVal = cy;
        orders.rows.push_back(
            {COleVariant(statuses[i]), COleVariant((L"Customer " + std::to_wstring(i + 1)).c_str()), amount});
    }
    MemoryTable customers;
    customers.name = L"Customers";
    db.tables = {orders, customers};
    CDaoQueryDefInfo query;
    query.m_strName = L"Open orders";
    db.queries = {query};
    CDaoRelationInfo relation;
    relation.m_strTable = L"Customers";
    db.relations = {relation};
    AfxDaoSetEngine(&engine);
    Show(path, L".mdb", L"\\Data\\orders.mdb");
    if (CMDB_View* view = dynamic_cast<CMDB_View*>(Harness().pane->Viewer(kViewerAccess))) {
        CTreeCtrl& tree = view->GetTreeView()->GetTreeCtrl();
        tree.SelectItem(tree.GetChildItem(view->GetTreeView()->TablesNode()));
    }
    Capture("access");
    Harness().pane->CloseViewers();
    AfxDaoSetEngine(NULL);
}

}  // namespace
}  // namespace morvick::test
