// OLE data transfer: shared memory files, data sources read through data objects and the clipboard,
// and a real drag and drop onto a registered drop target.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "classlib/core/CArchive.h"
#include "classlib/win/AfxOle.h"
#include "tests/classlib/win/TestSupport.h"

namespace {

class OleScope {
public:
    OleScope() { m_hr = ::OleInitialize(NULL); }
    ~OleScope()
    {
        if (SUCCEEDED(m_hr))
            ::OleUninitialize();
    }

private:
    HRESULT m_hr;
};

HGLOBAL GlobalText(const char* text)
{
    const size_t n = std::strlen(text) + 1;
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, n);
    std::memcpy(::GlobalLock(h), text, n);
    ::GlobalUnlock(h);
    return h;
}

std::string GlobalString(HGLOBAL h)
{
    const char* p = static_cast<const char*>(::GlobalLock(h));
    std::string s(p, strnlen(p, ::GlobalSize(h)));
    ::GlobalUnlock(h);
    return s;
}

}  // namespace

TEST(SharedFile, DetachedBlockHoldsExactlyWhatWasWrittenAcrossGrowthSteps)
{
    CSharedFile file;
    std::vector<BYTE> data(10000);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = (BYTE)(i * 7);
    file.Write(data.data(), 3000);
    file.Write(data.data() + 3000, 7000);  // past the first 4096-byte step
    EXPECT_EQ(10000u, file.GetLength());
    HGLOBAL h = file.Detach();
    ASSERT_NE(nullptr, h);
    EXPECT_EQ(10000u, ::GlobalSize(h));
    EXPECT_EQ(0u, file.GetLength());
    EXPECT_EQ(0, std::memcmp(::GlobalLock(h), data.data(), data.size()));
    ::GlobalUnlock(h);

    // Read back as a file, which then owns the block.
    CSharedFile reader;
    reader.SetHandle(h, FALSE);
    std::vector<BYTE> back(10000);
    EXPECT_EQ(10000u, reader.Read(back.data(), 20000));
    EXPECT_EQ(data, back);
    // A fixed block refuses to grow.
    reader.SeekToEnd();
    BYTE one = 1;
    EXPECT_THROW(reader.Write(&one, 1), CMemoryException*);
}

TEST(SharedFile, CarriesAnArchiveOfObjectsAndStrings)
{
    CSharedFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << CString(L"caption") << (int)42;
        ar.Close();
    }
    HGLOBAL h = file.Detach();
    CSharedFile reader;
    reader.SetHandle(h);
    CArchive ar(&reader, CArchive::load);
    CString s;
    int n = 0;
    ar >> s >> n;
    EXPECT_STREQ(L"caption", (LPCTSTR)s);
    EXPECT_EQ(42, n);
}

TEST(OleDataTransfer, DataObjectReadsEveryCachedFormatAndCopiesLeaveTheSourceIntact)
{
    OleScope ole;
    const CLIPFORMAT cfPrivate = (CLIPFORMAT)::RegisterClipboardFormatW(L"MorvickTestPrivate");
    COleDataSource* pSource = new COleDataSource;
    pSource->CacheGlobalData(CF_TEXT, GlobalText("first"));
    pSource->CacheGlobalData(cfPrivate, GlobalText("private"));
    pSource->CacheGlobalData(CF_TEXT, GlobalText("second"));  // replaces the first text
    EXPECT_EQ(2, pSource->GetFormatCount());

    COleDataObject data;
    data.Attach(pSource->GetDataObject(), FALSE);
    EXPECT_TRUE(data.IsDataAvailable(CF_TEXT));
    EXPECT_TRUE(data.IsDataAvailable(cfPrivate));
    EXPECT_FALSE(data.IsDataAvailable(CF_UNICODETEXT));
    EXPECT_EQ(nullptr, data.GetGlobalData(CF_UNICODETEXT));

    for (int round = 0; round < 2; ++round) {  // each read is a copy of its own
        HGLOBAL h = data.GetGlobalData(CF_TEXT);
        ASSERT_NE(nullptr, h);
        EXPECT_EQ("second", GlobalString(h));
        ::GlobalFree(h);
    }
    CFile* pFile = data.GetFileData(cfPrivate);
    ASSERT_NE(nullptr, pFile);
    char buffer[16] = {};
    EXPECT_EQ(8u, pFile->Read(buffer, sizeof(buffer)));
    EXPECT_STREQ("private", buffer);
    delete pFile;

    IEnumFORMATETC* pEnum = nullptr;
    ASSERT_EQ(S_OK, pSource->EnumFormatEtc(DATADIR_GET, &pEnum));
    FORMATETC formats[4];
    ULONG fetched = 0;
    EXPECT_EQ(S_FALSE, pEnum->Next(4, formats, &fetched));
    ASSERT_EQ(2u, fetched);
    EXPECT_EQ(CF_TEXT, formats[0].cfFormat);
    EXPECT_EQ(cfPrivate, formats[1].cfFormat);
    EXPECT_EQ((DWORD)TYMED_HGLOBAL, formats[0].tymed);
    pEnum->Release();

    data.Release();
    pSource->InternalRelease();
}

TEST(OleDataTransfer, ClipboardHandsTheCachedTextToOtherReaders)
{
    OleScope ole;
    COleDataSource* pSource = new COleDataSource;
    pSource->CacheGlobalData(CF_TEXT, GlobalText("on the clipboard"));
    ASSERT_TRUE(pSource->SetClipboard());
    pSource->InternalRelease();  // the clipboard keeps its own reference

    ASSERT_TRUE(::OpenClipboard(NULL));
    HANDLE h = ::GetClipboardData(CF_TEXT);
    ASSERT_NE(nullptr, h);
    EXPECT_EQ("on the clipboard", GlobalString(h));
    ::CloseClipboard();

    COleDataObject data;
    ASSERT_TRUE(data.AttachClipboard());
    HGLOBAL hCopy = data.GetGlobalData(CF_TEXT);
    ASSERT_NE(nullptr, hCopy);
    EXPECT_EQ("on the clipboard", GlobalString(hCopy));
    ::GlobalFree(hCopy);
    data.Release();
    ::OleSetClipboard(NULL);
}

namespace {

// Records what OLE tells it and accepts text with the effect it is set to answer.
class CRecordingDropTarget : public COleDropTarget {
public:
    DROPEFFECT m_answer = DROPEFFECT_COPY;
    std::vector<std::string> m_calls;
    std::string m_droppedText;
    CPoint m_dropPoint;

    DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pData, DWORD dwKeyState, CPoint point) override
    {
        m_calls.push_back("enter");
        return OnDragOver(pWnd, pData, dwKeyState, point);
    }
    DROPEFFECT OnDragOver(CWnd*, COleDataObject* pData, DWORD, CPoint) override
    {
        m_calls.push_back("over");
        return pData->IsDataAvailable(CF_TEXT) ? m_answer : DROPEFFECT_NONE;
    }
    void OnDragLeave(CWnd*) override { m_calls.push_back("leave"); }
    BOOL OnDrop(CWnd*, COleDataObject* pData, DROPEFFECT, CPoint point) override
    {
        m_calls.push_back("drop");
        HGLOBAL h = pData->GetGlobalData(CF_TEXT);
        if (h == NULL)
            return FALSE;
        m_droppedText = GlobalString(h);
        ::GlobalFree(h);
        m_dropPoint = point;
        return TRUE;
    }
};

}  // namespace

TEST(OleDataTransfer, DragAndDropDeliversTheDataAtTheCursorsClientPoint)
{
    OleScope ole;
    // Under Wine without a window manager, destroying a shown top-level window waits two seconds for
    // the X server: the host stays until the program ends and the target is its child.
    static HWND s_hHost = ::CreateWindowExW(0, AfxRegisterWndClass(0), L"Host", WS_POPUP | WS_VISIBLE, 100, 100, 200,
        150, NULL, NULL, ::GetModuleHandleW(NULL), NULL);
    CWnd target;
    ASSERT_TRUE(
        target.CreateEx(0, AfxRegisterWndClass(0), L"Drop here", WS_CHILD | WS_VISIBLE, 0, 0, 200, 150, s_hHost, NULL));
    CRecordingDropTarget dropTarget;
    ASSERT_TRUE(dropTarget.Register(&target));
    PumpPending();

    // With the buttons up the drag drops at once where the cursor is.
    ::SetCursorPos(130, 140);
    COleDataSource* pSource = new COleDataSource;
    pSource->CacheGlobalData(CF_TEXT, GlobalText("dragged"));
    EXPECT_EQ(DROPEFFECT_COPY, pSource->DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE));
    EXPECT_EQ("dragged", dropTarget.m_droppedText);
    EXPECT_EQ(CPoint(30, 40), dropTarget.m_dropPoint);
    ASSERT_FALSE(dropTarget.m_calls.empty());
    EXPECT_EQ("enter", dropTarget.m_calls.front());
    EXPECT_EQ("drop", dropTarget.m_calls.back());

    // An effect the source does not allow gives way to one it does: a move offered to a copy-only
    // source copies, a copy offered to a move-only source moves, a link takes what there is.
    const struct {
        DROPEFFECT answer;
        DWORD allowed;
        DROPEFFECT result;
    } fallbacks[] = {{DROPEFFECT_MOVE, DROPEFFECT_COPY, DROPEFFECT_COPY},
        {DROPEFFECT_COPY, DROPEFFECT_MOVE, DROPEFFECT_MOVE},
        {DROPEFFECT_LINK, DROPEFFECT_MOVE | DROPEFFECT_COPY, DROPEFFECT_COPY},
        {DROPEFFECT_MOVE, DROPEFFECT_LINK, DROPEFFECT_LINK}};
    for (const auto& fallback : fallbacks) {
        SCOPED_TRACE(::testing::Message() << "answer " << fallback.answer << ", allowed " << fallback.allowed);
        dropTarget.m_calls.clear();
        dropTarget.m_droppedText.clear();
        dropTarget.m_answer = fallback.answer;
        EXPECT_EQ(fallback.result, pSource->DoDragDrop(fallback.allowed));
        EXPECT_EQ("dragged", dropTarget.m_droppedText);
        EXPECT_EQ("drop", dropTarget.m_calls.back());
    }

    // A target that wants nothing is not overruled; it hears a leave, not a drop.
    dropTarget.m_calls.clear();
    dropTarget.m_droppedText.clear();
    dropTarget.m_answer = DROPEFFECT_NONE;
    EXPECT_EQ(DROPEFFECT_NONE, pSource->DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE));
    EXPECT_TRUE(dropTarget.m_droppedText.empty());
    EXPECT_EQ("leave", dropTarget.m_calls.back());
    pSource->InternalRelease();

    dropTarget.Revoke();
    target.DestroyWindow();
}
