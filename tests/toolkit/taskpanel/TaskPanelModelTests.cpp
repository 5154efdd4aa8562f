// The task panel's data model without its window: collections and their references, inherited drag
// permissions, item scrolling, the settings exchange and the archived copies of items.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "../base/TestRegistryKey.h"
#include "TaskPanelTestSupport.h"
#include "classlib/core/CMemFile.h"
#include "toolkit/base/PropExchangeRegistry.h"
#include "toolkit/common/PropExchangeArchive.h"

using namespace tptest;

namespace {

// An item whose life the test watches.
int g_nLiveItems = 0;
class CCountedItem : public CTKPTaskPanelGroupItem {
    DECLARE_SERIAL(CCountedItem)
public:
    CCountedItem() { ++g_nLiveItems; }
    ~CCountedItem() override { --g_nLiveItems; }
};
IMPLEMENT_SERIAL(CCountedItem, CTKPTaskPanelGroupItem, 1)

// A group whose life the test watches.
int g_nLiveGroups = 0;
class CCountedGroup : public CTKPTaskPanelGroup {
    DECLARE_SERIAL(CCountedGroup)
public:
    CCountedGroup() { ++g_nLiveGroups; }
    ~CCountedGroup() override { --g_nLiveGroups; }
};
IMPLEMENT_SERIAL(CCountedGroup, CTKPTaskPanelGroup, 1)

// Stores the panel's content into an archive and loads it into another panel, with the schema.
void RoundTrip(CTKPTaskPanel* pFrom, CTKPTaskPanel* pTo, UINT nSchema)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CTKPPropExchangeArchive px(ar);
        px.m_nSchema = nSchema;
        pFrom->DoPropExchange(&px);
        ar.Close();
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    CTKPPropExchangeArchive px(ar);
    px.m_nSchema = nSchema;
    pTo->DoPropExchange(&px);
}

}  // namespace

TEST(TaskPanelItems, InsertsPastEitherEndAppendAndMovesKeepEveryItemOnce)
{
    CTKPTaskPanelGroup* pGroup = AddGroup(nullptr, _T("G"));
    AddItem(pGroup, _T("a"));
    pGroup->GetItems()->InsertAt(7, new CTKPTaskPanelGroupItem)->SetCaption(_T("b"));
    pGroup->GetItems()->InsertAt(-3, new CTKPTaskPanelGroupItem)->SetCaption(_T("c"));
    pGroup->GetItems()->InsertAt(0, new CTKPTaskPanelGroupItem)->SetCaption(_T("d"));
    EXPECT_EQ(CString(_T("d,a,b,c")), Captions(pGroup));
    for (int i = 0; i < pGroup->GetItemCount(); ++i) {
        EXPECT_EQ(i, pGroup->GetAt(i)->GetIndex());
        EXPECT_EQ(pGroup, pGroup->GetAt(i)->GetItemGroup());
    }

    pGroup->GetItems()->Move(pGroup->GetAt(0), 99);
    EXPECT_EQ(CString(_T("a,b,c,d")), Captions(pGroup));
    pGroup->GetItems()->Move(pGroup->GetAt(3), 1);
    EXPECT_EQ(CString(_T("a,d,b,c")), Captions(pGroup));
    EXPECT_EQ(nullptr, pGroup->GetAt(4));
    EXPECT_EQ(nullptr, pGroup->GetAt(-1));

    pGroup->GetAt(1)->SetVisible(FALSE);
    EXPECT_EQ(2, pGroup->GetItems()->GetNextVisibleIndex(0, 1));
    EXPECT_EQ(0, pGroup->GetItems()->GetNextVisibleIndex(2, -1));
    EXPECT_EQ(-1, pGroup->GetItems()->GetNextVisibleIndex(3, 1));
    pGroup->InternalRelease();
}

TEST(TaskPanelItems, CollectionsHoldOneReferenceAndThePanelForgetsWhatLeaves)
{
    PanelWindow panel;
    CTKPTaskPanelGroup* pGroup = AddGroup(panel.Get(), _T("G"));
    CCountedItem* pKept = new CCountedItem;
    pGroup->GetItems()->InsertAt(0, pKept);
    pGroup->GetItems()->InsertAt(1, new CCountedItem);
    EXPECT_EQ(2, g_nLiveItems);

    panel->SetFocusedItem(pKept);
    panel->SetHotItem(pKept);
    pKept->InternalAddRef();  // the test's own reference
    pKept->Remove();
    EXPECT_EQ(nullptr, panel->GetFocusedItem());
    EXPECT_EQ(nullptr, panel->GetHotItem());
    EXPECT_EQ(nullptr, pKept->GetParentItems());
    EXPECT_EQ(2, g_nLiveItems);
    EXPECT_EQ(0u, pKept->InternalRelease());  // the last reference frees it
    EXPECT_EQ(1, g_nLiveItems);

    // Removing a group forgets the focused item inside it too.
    panel->SetFocusedItem(pGroup->GetAt(0));
    pGroup->Remove();
    EXPECT_EQ(nullptr, panel->GetFocusedItem());
    EXPECT_EQ(0, g_nLiveItems);
}

TEST(TaskPanelItems, DragPermissionsAreInheritedFromGroupThenPanel)
{
    PanelWindow panel;
    CTKPTaskPanelGroup* pGroup = AddGroup(panel.Get(), _T("G"));
    CTKPTaskPanelGroupItem* pItem = AddItem(pGroup, _T("a"));
    EXPECT_EQ(tkpTaskDragNone, pItem->GetAllowDrag());  // the panel's default: nothing drags
    panel->SetAllowDrag(tkpTaskDragInherit);
    EXPECT_EQ(0xCC, pItem->GetAllowDrag());
    panel->SetAllowDrag(0x44);
    EXPECT_EQ(0x44, pItem->GetAllowDrag());
    pGroup->SetAllowDrag(0x20);
    EXPECT_EQ(0x20, pItem->GetAllowDrag());
    EXPECT_EQ(0x20, pGroup->GetAllowDrag());
    pItem->SetAllowDrag(0x02);
    EXPECT_EQ(0x02, pItem->GetAllowDrag());

    EXPECT_TRUE(pItem->IsAllowDrop());
    panel->SetAllowDrop(FALSE);
    EXPECT_FALSE(pItem->IsAllowDrop());
    panel->SetAllowDrop(TRUE);
    pGroup->SetAllowDrop(FALSE);
    EXPECT_FALSE(pItem->IsAllowDrop());
}

TEST(TaskPanelItems, FirstShownIndexIsRoundedToARowStartThenClamped)
{
    PanelWindow panel(130, 300);
    CTKPTaskPanelGroup* pGroup = AddGroup(panel.Get(), _T("Icons"));
    pGroup->SetItemLayout(tkpTaskItemLayoutImages);
    for (int i = 0; i < 7; ++i)
        AddItem(pGroup, _T("i"));
    panel->SetBehaviour(tkpTaskPanelBehaviourList);
    // 130 - 2 x 12 control margins - 2 x 11 inner margins = 84 pixels: three cells of 28.
    ASSERT_EQ(3, pGroup->GetItemsInRow());
    pGroup->SetFirstShownIndex(5, FALSE);
    EXPECT_EQ(3, pGroup->GetFirstShownIndex());
    pGroup->SetFirstShownIndex(10, FALSE);
    EXPECT_EQ(6, pGroup->GetFirstShownIndex());
    pGroup->SetFirstShownIndex(-4, FALSE);
    EXPECT_EQ(0, pGroup->GetFirstShownIndex());
    // With an eighth item, 10 rounds to 9 and is then kept to the last item.
    AddItem(pGroup, _T("i"));
    ASSERT_EQ(3, pGroup->GetItemsInRow());
    pGroup->SetFirstShownIndex(10, FALSE);
    EXPECT_EQ(7, pGroup->GetFirstShownIndex());

    CTKPTaskPanelGroup* pEmpty = AddGroup(panel.Get(), _T("Empty"));
    pEmpty->SetFirstShownIndex(3, FALSE);
    EXPECT_EQ(0, pEmpty->GetFirstShownIndex());
}

TEST(TaskPanelPersistence, ContentComesBackThroughAnArchive)
{
    PanelWindow source;
    FillSamplePanel(source.Get());
    CTKPTaskPanelGroup* pPlaces = source->GetAt(1);
    pPlaces->SetSpecialGroup(TRUE);
    pPlaces->SetItemLayout(tkpTaskItemLayoutImagesWithTextBelow);
    pPlaces->SetInnerMargins(CRect(1, 2, 3, 4));
    pPlaces->SetIconSize(CSize(24, 24));
    pPlaces->SetAllowDrag(0x40);
    source->ExpandGroup(source->GetAt(2), FALSE);
    CTKPTaskPanelGroupItem* pSave = source->GetAt(0)->GetAt(1);
    pSave->SetBold(TRUE);
    pSave->SetEnabled(FALSE);
    pSave->SetTooltip(_T("Saves the files"));
    pSave->SetDragText(_T("save"));
    pSave->SetItemSelected(TRUE);
    pSave->SetSize(CSize(80, 30));
    pSave->SetMargins(CRect(5, 6, 7, 8));
    pSave->SetAutoHeight(TRUE);
    pSave->SetAllowDrop(FALSE);
    source->GetAt(0)->GetAt(2)->SetVisible(FALSE);

    PanelWindow target;
    AddGroup(target.Get(), _T("replaced"));
    RoundTrip(source.Get(), target.Get(), 16);
    ASSERT_EQ(3, target->GetGroupCount());
    EXPECT_FALSE(target->IsRedrawLocked());
    EXPECT_EQ(CString(_T("Open,Save,Print,Three files are selected.")), Captions(target->GetAt(0)));
    EXPECT_EQ(CString(_T("Disk,Folder")), Captions(target->GetAt(1)));
    const CTKPTaskPanelGroup* pGroup = target->GetAt(1);
    EXPECT_EQ(target.Get(), pGroup->GetTaskPanel());
    EXPECT_EQ(target.Get(), pGroup->GetAt(0)->GetTaskPanel());
    EXPECT_TRUE(pGroup->IsSpecialGroup());
    EXPECT_EQ(tkpTaskItemLayoutImagesWithTextBelow, pGroup->GetItemLayout());
    EXPECT_EQ(CRect(1, 2, 3, 4), pGroup->GetInnerMargins());
    EXPECT_EQ(CSize(24, 24), pGroup->GetIconSize());
    EXPECT_EQ(0x40, pGroup->GetOwnAllowDrag());
    EXPECT_TRUE(target->GetAt(0)->IsExpanded());
    EXPECT_FALSE(target->GetAt(2)->IsExpanded());
    EXPECT_EQ(2, pGroup->GetID());

    const CTKPTaskPanelGroupItem* pItem = target->GetAt(0)->GetAt(1);
    EXPECT_EQ(12, pItem->GetID());
    EXPECT_EQ(1002, pItem->GetIconIndex());
    EXPECT_EQ(tkpTaskItemTypeLink, pItem->GetType());
    EXPECT_TRUE(pItem->IsBold());
    EXPECT_FALSE(pItem->GetEnabled());
    EXPECT_EQ(CString(_T("Saves the files")), pItem->GetTooltip());
    EXPECT_EQ(CString(_T("save")), pItem->GetDragText());
    EXPECT_TRUE(pItem->IsItemSelected());
    EXPECT_EQ(CSize(80, 30), pItem->GetSize());
    EXPECT_EQ(CRect(5, 6, 7, 8), pItem->GetMargins());
    EXPECT_TRUE(pItem->IsAutoHeight());
    EXPECT_FALSE(pItem->IsAllowDrop());
    EXPECT_FALSE(target->GetAt(0)->GetAt(2)->IsVisible());
    EXPECT_EQ(tkpTaskItemTypeText, target->GetAt(0)->GetAt(3)->GetType());
}

TEST(TaskPanelPersistence, OlderSchemasLeaveOutTheLaterValues)
{
    PanelWindow source;
    CTKPTaskPanelGroup* pGroup = AddGroup(source.Get(), _T("G"));
    CTKPTaskPanelGroupItem* pItem = AddItem(pGroup, _T("a"));
    pItem->SetVisible(FALSE);
    pItem->SetIconPadding(CRect(1, 1, 1, 1));
    pItem->SetAutoHeight(TRUE);
    pItem->SetDragText(_T("text"));
    AddItem(pGroup, _T("b"));

    struct Case {
        UINT schema;
        BOOL visibleKept, autoHeightKept, dragTextKept;
    } cases[] = {{8, FALSE, FALSE, FALSE}, {9, TRUE, TRUE, FALSE}, {10, TRUE, TRUE, TRUE}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.schema);
        PanelWindow target;
        RoundTrip(source.Get(), target.Get(), c.schema);
        ASSERT_EQ(1, target->GetGroupCount());
        ASSERT_EQ(2, target->GetAt(0)->GetItemCount());  // the values after the item still line up
        const CTKPTaskPanelGroupItem* pLoaded = target->GetAt(0)->GetAt(0);
        EXPECT_EQ(!c.visibleKept, pLoaded->IsVisible());
        EXPECT_EQ(c.visibleKept, pLoaded->GetIconPadding() == CRect(1, 1, 1, 1));
        EXPECT_EQ(c.autoHeightKept, pLoaded->IsAutoHeight());
        EXPECT_EQ(c.dragTextKept, pLoaded->GetDragText() == _T("text"));
        EXPECT_EQ(CString(_T("b")), target->GetAt(0)->GetAt(1)->GetCaption());
    }
}

TEST(TaskPanelPersistence, RegistryKeepsTheContentAndAnUnknownClassFailsWithoutFreezingThePanel)
{
    const wchar_t* kKey = L"Software\\MorvickTest\\TaskPanel";
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
    {
        PanelWindow source;
        FillSamplePanel(source.Get());
        CTKPPropExchangeRegistry px(FALSE, HKEY_CURRENT_USER, kKey);
        source->DoPropExchange(&px);
    }
    PanelWindow target;
    {
        CTKPPropExchangeRegistry px(TRUE, HKEY_CURRENT_USER, kKey);
        target->DoPropExchange(&px);
    }
    ASSERT_EQ(3, target->GetGroupCount());
    EXPECT_EQ(CString(_T("Disk,Folder")), Captions(target->GetAt(1)));
    EXPECT_EQ(1004, target->GetAt(1)->GetAt(0)->GetIconIndex());

    // An entry naming a class that does not exist.
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
        ::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\MorvickTest\\TaskPanel\\Item1\\Items\\Item0", 0, KEY_SET_VALUE,
            &hKey));
    const wchar_t kBad[] = L"CNoSuchTaskPanelItem";
    ::RegSetValueExW(hKey, L"Class", 0, REG_SZ, reinterpret_cast<const BYTE*>(kBad), sizeof(kBad));
    ::RegCloseKey(hKey);
    BOOL bThrown = FALSE;
    try {
        CTKPPropExchangeRegistry px(TRUE, HKEY_CURRENT_USER, kKey);
        target->DoPropExchange(&px);
    } catch (CArchiveException* e) {
        bThrown = e->m_cause == CArchiveException::badClass;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
    EXPECT_FALSE(target->IsRedrawLocked());
    // The panel still lays itself out.
    AddGroup(target.Get(), _T("After"));
    EXPECT_GT(target->GetContentHeight(), 0);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
}

// A group whose items name an unknown class fails to load; the half-built group is not kept.
TEST(TaskPanelPersistence, AGroupThatFailsToLoadIsReleased)
{
    TestRegistryKey key(L"TaskPanelGroupFails");
    const std::wstring path = L"Software\\MorvickTest\\TaskPanelGroupFails";
    {
        PanelWindow source;
        CCountedGroup* pGroup = new CCountedGroup;
        pGroup->SetCaption(_T("Counted"));
        source->GetGroups()->InsertAt(0, pGroup);
        AddItem(pGroup, _T("Open"));
        CTKPPropExchangeRegistry px(FALSE, HKEY_CURRENT_USER, path.c_str());
        source->DoPropExchange(&px);
    }
    ASSERT_EQ(0, g_nLiveGroups);
    const wchar_t kBad[] = L"CNoSuchTaskPanelItem";
    key.Set(L"Item0\\Items\\Item0", L"Class", REG_SZ, kBad, sizeof(kBad));
    {
        PanelWindow target;
        BOOL bThrown = FALSE;
        try {
            CTKPPropExchangeRegistry px(TRUE, HKEY_CURRENT_USER, path.c_str());
            target->DoPropExchange(&px);
        } catch (CArchiveException* e) {
            bThrown = e->m_cause == CArchiveException::badClass;
            e->Delete();
        }
        EXPECT_TRUE(bThrown);
        EXPECT_EQ(0, target->GetGroupCount());
        EXPECT_EQ(0, g_nLiveGroups);
    }
    EXPECT_EQ(0, g_nLiveGroups);
}

TEST(TaskPanelTransfer, ArchivedCopyRebuildsTheItemAndDamagedDataRebuildsNothing)
{
    CTKPTaskPanelGroup* pGroup = AddGroup(nullptr, _T("G"));
    CTKPTaskPanelGroupItem* pItem = AddItem(pGroup, _T("Report"), tkpTaskItemTypeLink, 77, 1003);
    pItem->SetBold(TRUE);
    pItem->SetDragText(_T("report.txt"));

    COleDataSource* pSource = new COleDataSource;
    pItem->PrepareDrag(*pSource, TRUE);
    COleDataObject data;
    data.Attach(pSource->GetDataObject(), FALSE);
    CTKPTaskPanelItem* pCopy = CTKPTaskPanelItem::CreateFromOleData(&data);
    ASSERT_NE(nullptr, pCopy);
    EXPECT_TRUE(pCopy->IsKindOf(RUNTIME_CLASS(CTKPTaskPanelGroupItem)));
    EXPECT_EQ(CString(_T("Report")), pCopy->GetCaption());
    EXPECT_EQ(77, pCopy->GetID());
    EXPECT_EQ(1003, pCopy->GetIconIndex());
    EXPECT_TRUE(static_cast<CTKPTaskPanelGroupItem*>(pCopy)->IsBold());
    EXPECT_EQ(nullptr, pCopy->GetParentItems());
    pCopy->InternalRelease();
    data.Release();
    pSource->InternalRelease();

    // Bytes that are no archived item: nothing, and no crash.
    auto rebuild = [](const void* pBytes, size_t cb) {
        HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, cb ? cb : 1);
        std::memcpy(::GlobalLock(h), pBytes, cb);
        ::GlobalUnlock(h);
        COleDataSource* pBad = new COleDataSource;
        pBad->CacheGlobalData(CTKPTaskPanelItem::GetClipboardFormat(), h);
        COleDataObject badData;
        badData.Attach(pBad->GetDataObject(), FALSE);
        CTKPTaskPanelItem* pRebuilt = CTKPTaskPanelItem::CreateFromOleData(&badData);
        badData.Release();
        pBad->InternalRelease();
        return pRebuilt;
    };
    const unsigned char garbage[][12] = {{0xFF, 0xFF, 0x01, 0x00, 0x40, 0x00, 'C', 'X'},
        {0xFF, 0xFF, 0x01, 0x00, 0x05, 0x00, 'C', 'W', 'n', 'd', 0}, {0x01, 0x80}};
    for (const auto& bytes : garbage)
        EXPECT_EQ(nullptr, rebuild(bytes, sizeof(bytes)));

    // The item's own data cut anywhere after its class record: nothing either, where a cut copy
    // would otherwise come back with defaults for what is missing.
    HGLOBAL hWhole = pItem->CopyToOleData();
    ASSERT_NE(nullptr, hWhole);
    const size_t cbWhole = ::GlobalSize(hWhole);
    std::vector<BYTE> whole(cbWhole);
    std::memcpy(whole.data(), ::GlobalLock(hWhole), cbWhole);
    ::GlobalUnlock(hWhole);
    ::GlobalFree(hWhole);
    const size_t cbClass = 6 + std::strlen("CTKPTaskPanelGroupItem");
    ASSERT_GT(cbWhole, cbClass);
    CTKPTaskPanelItem* pWhole = rebuild(whole.data(), cbWhole);
    ASSERT_NE(nullptr, pWhole);
    pWhole->InternalRelease();
    for (size_t cut = cbClass; cut < cbWhole; ++cut) {
        SCOPED_TRACE(cut);
        CTKPTaskPanelItem* pCut = rebuild(whole.data(), cut);
        EXPECT_EQ(nullptr, pCut);
        if (pCut)
            pCut->InternalRelease();
    }
    pGroup->InternalRelease();
}

TEST(TaskPanelTransfer, DragTextGoesOutInTheSystemCodePageAndOnlyWhenThereIsSome)
{
    ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));  // for the clipboard
    CTKPTaskPanelGroup* pGroup = AddGroup(nullptr, _T("G"));
    CTKPTaskPanelGroupItem* pItem = AddItem(pGroup, _T("Item"));

    COleDataSource* pSource = new COleDataSource;
    pItem->PrepareDrag(*pSource, TRUE);  // no drag text
    COleDataObject data;
    data.Attach(pSource->GetDataObject(), FALSE);
    EXPECT_TRUE(data.IsDataAvailable(CTKPTaskPanelItem::GetClipboardFormat()));
    EXPECT_FALSE(data.IsDataAvailable(CF_TEXT));
    data.Release();
    pSource->InternalRelease();

    // Characters beyond ASCII that the code page has: they come back as they were, and the block is
    // exactly the converted text with its terminating zero.
    const CString strText(L"Gr\x00F6\x00DF"
                          L"e 5 \x20AC");
    pItem->SetDragText(strText);
    pSource = new COleDataSource;
    pItem->PrepareDrag(*pSource, TRUE);
    ASSERT_TRUE(pSource->SetClipboard());
    pSource->InternalRelease();
    ASSERT_TRUE(::OpenClipboard(nullptr));
    HANDLE h = ::GetClipboardData(CF_TEXT);
    ASSERT_NE(nullptr, h);
    const char* pText = static_cast<const char*>(::GlobalLock(h));
    const size_t nLength = strnlen(pText, ::GlobalSize(h));
    WCHAR back[64] = {};
    ::MultiByteToWideChar(CP_ACP, 0, pText, (int)nLength, back, 63);
    ::GlobalUnlock(h);
    ::CloseClipboard();
    if (::GetACP() == 1252) {
        EXPECT_STREQ((LPCTSTR)strText, back);
        EXPECT_EQ(9u, nLength);
    } else {
        EXPECT_GT(nLength, 0u);
    }
    ::OleSetClipboard(nullptr);
    pGroup->InternalRelease();
    ::OleUninitialize();
}
