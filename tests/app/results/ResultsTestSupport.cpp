#include "tests/app/results/ResultsTestSupport.h"

#include "engine/fat/FatEntryLists.h"
#include "engine/ntfs/NtfsEntryLists.h"
#include "engine/save/EngineReset.h"
#include "engine/state/EngineState.h"
#include "engine/state/FoundEntryLists.h"

namespace morvick::test {

namespace {

// Every box is answered by its default button and logged (the test reads the log).
struct MessageLogSetUp {
    MessageLogSetUp()
    {
        wchar_t temp[MAX_PATH] = L"";
        GetTempPathW(MAX_PATH, temp);
        const std::wstring log =
            std::wstring(temp) + L"morvick-results-tests-" + std::to_wstring(GetCurrentProcessId()) + L".log";
        SetEnvironmentVariableW(L"MORVICK_TEST_MSGLOG", log.c_str());
        SetEnvironmentVariableW(L"MORVICK_TEST_AUTOCLOSE_MESSAGES", L"1");
    }
};
const MessageLogSetUp g_messageLog;

}  // namespace

void FillTestVolume(TestVolume kind)
{
    ResetEngineState();
    if (kind == TestVolume::kTrace) {
        g_nScanMode = kScanFileTrace;
        g_VolumeParams.browsedFileSystemType = FileSystemKind::kFat32;
        struct Traced {
            const char16_t* name;
            const char16_t* ext;
            const char16_t* type;
            uint32_t sector;
        };
        const Traced traced[] = {{u"1.jpg", u".jpg", u"JPEG Image", 100}, {u"2.png", u".png", u"PNG Image", 200},
            {u"3.jpg", u".jpg", u"JPEG Image", 300}};
        uint32_t hit = 0;
        for (const Traced& t : traced) {
            auto* r = NewRecord<TracedFileRecord>();
            r->name = CopyRecordName(t.name);
            r->extension = CopyRecordName(t.ext);
            r->typeName = CopyRecordName(t.type);
            r->sector = t.sector;
            r->hitNumber = ++hit;
            AppendRecord(g_TracedFiles, r);
        }
        return;
    }
    g_nScanMode = kScanQuick;
    if (kind == TestVolume::kFat32) {
        g_VolumeParams.browsedFileSystemType = FileSystemKind::kFat32;
        auto file = [](const char16_t* name, uint32_t parent, uint32_t size, uint32_t deleted) {
            AppendFatEntry(name, 100 + g_nFatFileCount, parent, 0x5863, 0x5863, size, deleted);
            ++g_nFatFileCount;
        };
        AppendNewFatFolder(u"A", 10, 0, 0x5863, 0x5863, 0, 0);
        AppendNewFatFolder(u"B", 20, 0, 0x5863, 0x5863, 0, 1);
        AppendNewFatFolder(u"A1", 11, 10, 0x5863, 0x5863, 0, 0);
        file(u"r1.txt", 0, 100, 0);
        file(u"r2.bin", 0, 2000, 0);
        file(u"a1.txt", 10, 1024, 0);
        file(u"a2.txt", 10, 1025, 0);
        file(u"x.jpg", 11, 5000, 0);
        file(u"b1.txt", 20, 10, 1);
        return;
    }
    g_VolumeParams.browsedFileSystemType = FileSystemKind::kNtfs;
    AppendNewNtfsFolder(u"A", 64, 5, 0, 0, 0, 0);
    AppendNewNtfsFolder(u"B", 65, 5, 0, 0, 0, 1);
    AppendNewNtfsFolder(u"A1", 66, 64, 0, 0, 0, 0);
    uint32_t sector = 1000;
    auto file = [&](const char16_t* name, uint32_t parent, uint64_t size, uint32_t deleted) {
        AppendMftEntry(sector, name, sector, parent, 0, 0, deleted, size);
        sector += 2;
    };
    file(u"r1.txt", 5, 100, 0);
    file(u"r2.bin", 5, 2000, 0);
    file(u"a1.txt", 64, 1024, 0);
    file(u"a2.txt", 64, 1025, 0);
    file(u"x.jpg", 66, 5000, 0);
    file(u"b1.txt", 65, 10, 1);
}

ResultPanes::ResultPanes()
{
    tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | CResultTreeCtrl::kTreeStyle, CRect(0, 0, 300, 600), &host, 162);
    list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_EDITLABELS |
            LVS_SHAREIMAGELISTS,
        CRect(300, 0, 900, 600), &host, 165);
    list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    tree.Init(nullptr);
    list.Init(nullptr);
    tree.SetResultList(&list);
    list.SetTree(&tree);
    list.SetColumnsForMode(g_nScanMode);
    tree.BuildResults();
    for (HTREEITEM item = tree.GetRootItem(); item != nullptr; item = tree.GetNextItemPreOrder(item))
        tree.Expand(item, TVE_EXPAND);
    PumpPending();
}

ResultPanes::~ResultPanes()
{
    tree.ClearResults();
}

HTREEITEM ResultPanes::Item(const CString& text) const
{
    for (HTREEITEM item = tree.GetRootItem(); item != nullptr; item = tree.GetNextItemPreOrder(item)) {
        if (tree.GetItemText(item) == text)
            return item;
    }
    return nullptr;
}

int ResultPanes::Row(const CString& name) const
{
    for (int row = 0; row < list.GetItemCount(); ++row) {
        if (list.GetItemText(row, 0) == name)
            return row;
    }
    return -1;
}

uint32_t ResultPanes::Key(const CString& name) const
{
    const CResultListCtrl::RowInfo* info = list.Row(Row(name));
    return info != nullptr ? info->key : 0xFFFFFFFF;
}

std::vector<CString> ResultPanes::RowNames() const
{
    std::vector<CString> names;
    for (int row = 0; row < list.GetItemCount(); ++row)
        names.push_back(list.GetItemText(row, 0));
    return names;
}

}  // namespace morvick::test
